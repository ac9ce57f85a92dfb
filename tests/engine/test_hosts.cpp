// Hosts through the shared library only. Queued mode end to end: initPreview, setRunningPath with
// backslashes, messages before and after the Qt loop starts, quit, and calls after quit that are refused.
// Host programs that quit at any moment exit 0, and one that crashes leaves a dump and a report under its
// running path. An idle engine uses no CPU.

#include "dorvo_preview.h"
#include "media/mediafiles.h"
#include "support/textfile.h"
#include "support/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using testsupport::occurrences;
using testsupport::readText;
using testsupport::waitFor;

TEST(QueuedHost, StartRunStopThroughTheInterface)
{
    char pattern[] = "/tmp/dorvo-run-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    // The host gives a Windows-style path; it becomes a slash path.
    std::string hostPath = root + "\\running";
    ASSERT_EQ(system(("mkdir -p " + root + "/running").c_str()), 0);

    // The console (file descriptor 1) goes to a file while the engine starts, read as it grows.
    const std::string consoleFile = root + "/console.txt";
    const int file = open(consoleFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int saved = dup(1);
    fflush(stdout);
    dup2(file, 1);
    auto consoleText = [&] {
        fflush(stdout);
        return readText(consoleFile);
    };
    EXPECT_FALSE(initPreview(nullptr, nullptr));
    EXPECT_FALSE(initPreview(nullptr, nullptr)); // only updates the handles
    EXPECT_EQ(quit(), 0);                        // before exec: "QApplication is nullptr"
    EXPECT_EQ(setWidgetX("before-exec", 1.0f), 0);
    // The message runs on the worker before the Qt loop exists.
    EXPECT_TRUE(testsupport::within(
        10000, [&] { return consoleText().find("cannot find widget id before-exec") != std::string::npos; },
        "the worker's report of the unknown widget"));
    setRunningPath(hostPath.c_str());
    setRunningPath("/somewhere/else"); // ignored
    const std::string console = consoleText();
    dup2(saved, 1);
    close(saved);
    close(file);
    EXPECT_EQ(occurrences(console, "PlayChannel::PlayChannel()"), 1u) << console;
    EXPECT_EQ(occurrences(console, "QApplication is nullptr"), 1u);
    EXPECT_NE(console.find("process msg: SetWidgetX"), std::string::npos);

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd), root + "/running");
    ASSERT_FALSE(QCoreApplication::libraryPaths().isEmpty());
    EXPECT_EQ(QCoreApplication::libraryPaths().first().toStdString(), root + "/running");

    const std::string logPath = root + "/running/log/preview/preview.log";
    ASSERT_TRUE(waitFor([&] { return readText(logPath).find("VERSION 1.1.0") != std::string::npos; }, 10000));
    std::string log = readText(logPath);
    // The first record is the logger's set-up record.
    EXPECT_LT(log.find("dorvo_preview logger is setup."), log.find('\n'));
    EXPECT_LT(log.find("dorvo_preview logger is setup."),
              log.find("=====================VERSION 1.1.0====================="));

    // After exec: messages run on the Qt thread, one per timer tick.
    ASSERT_TRUE(waitFor([] { return QCoreApplication::instance() != nullptr; }, 10000));
    EXPECT_EQ(setWidgetY("after-exec", 2.0f), 0);
    ASSERT_TRUE(waitFor(
        [&] { return readText(logPath).find("cannot find widget id after-exec") != std::string::npos; },
        10000));
    // Several host threads at once: the Qt timer runs each thread's messages in the order it posted them.
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t) {
        posters.emplace_back([t] {
            for (int i = 0; i < 300; ++i)
                setWidgetX(("order-" + std::to_string(t) + "-" + std::to_string(i) + ".").c_str(), 0);
        });
    }
    for (auto& poster : posters)
        poster.join();
    ASSERT_TRUE(waitFor(
        [&] { return occurrences(readText(logPath), "cannot find widget id order-") == 1200; }, 30000));
    std::istringstream lines(readText(logPath));
    int next[4] = {};
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find("cannot find widget id order-");
        if (at == std::string::npos)
            continue;
        int t = -1, i = -1;
        ASSERT_EQ(std::sscanf(line.c_str() + at, "cannot find widget id order-%d-%d.", &t, &i), 2) << line;
        EXPECT_EQ(i, next[t]++) << line;
    }

    // Qt's own warnings reach the log at warn level.
    qWarning("a warning from Qt's own logging");
    log = readText(logPath);
    EXPECT_NE(log.find("] W ["), std::string::npos);
    EXPECT_NE(log.find("a warning from Qt's own logging"), std::string::npos);

    // quit() returns once the loop has ended; the engine then refuses every call.
    EXPECT_EQ(quit(), 0);
    EXPECT_NE(readText(logPath).find("QtMsgCtrlListener::createQtExec end"), std::string::npos);
    EXPECT_EQ(setWidgetX("after-quit", 3.0f), -1);
    EXPECT_EQ(createWindow(), nullptr);
    EXPECT_EQ(NText_createWidget(), nullptr);
    EXPECT_EQ(exec(), -1);
    EXPECT_EQ(quit(), -1);
    EXPECT_FALSE(initPreview(nullptr, nullptr));
    EXPECT_EQ(init(), -1);
    log = readText(logPath);
    EXPECT_NE(log.find("quit QApplication"), std::string::npos);
    for (const char* refused : {"setWidgetX() error, engine stopped", "createWindow() error, engine stopped",
                                "NText_createWidget() error, engine stopped", "exec() error, engine stopped",
                                "quit() error, engine stopped", "initPreview() error, engine stopped",
                                "init() error, engine stopped"})
        EXPECT_EQ(occurrences(log, refused), 1u) << refused;
}

TEST(QueuedHost, DirectAndQueuedModesDoNotMix)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(init(), 0);
    EXPECT_FALSE(initPreview(nullptr, nullptr));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(occurrences(console, "initPreview() refused, the engine already runs in direct (init) mode"),
              1u)
        << console;
    EXPECT_EQ(occurrences(console, "PlayChannel::PlayChannel()"), 1u);
}

// A host that crashes after start-up leaves a dump and a report side by side in crash/preview under the
// running path, and still dies of its signal.
TEST(HostCrash, DumpAndReportUnderTheRunningPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Leave fatal signals to the library's handler in sanitizer builds.
    env.insert("ASAN_OPTIONS",
               "handle_segv=0:handle_sigbus=0:handle_abort=0:allow_user_segv_handler=1:detect_leaks=0");
    env.insert("TSAN_OPTIONS", "report_signal_unsafe=0");
    host.setProcessEnvironment(env);
    host.start(HOST_PROGRAM_PATH, {"crash", dir.path()});
    ASSERT_TRUE(host.waitForFinished(60000));
    EXPECT_EQ(host.exitStatus(), QProcess::CrashExit);
    const QByteArray console = host.readAllStandardOutput();
    EXPECT_TRUE(console.contains("crashing"));

    QDir crash(dir.path() + "/crash/preview");
    ASSERT_TRUE(crash.exists());
    const QStringList dumps = crash.entryList({"*.dmp"}, QDir::Files);
    const QStringList reports = crash.entryList({"*.txt"}, QDir::Files);
    ASSERT_EQ(dumps.size(), 1);
    ASSERT_EQ(reports.size(), 1);
    // The report's form is the crash handler's own (tests/crash); here: the
    // pair, and what the library and the host put in it.
    const QStringList lines =
        QString::fromStdString(readText(crash.filePath(reports[0]).toStdString())).split('\n');
    EXPECT_EQ(lines.mid(0, 5), (QStringList{crash.filePath(dumps[0]), "Brantel", "host_program", "v1.1.0",
                                            QFileInfo(HOST_PROGRAM_PATH).canonicalFilePath()}));
    const std::string text = readText(crash.filePath(dumps[0]).toStdString());
    EXPECT_NE(text.find("SIGSEGV"), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("writeThroughNull"), std::string::npos) << text.substr(0, 2000);

    // The library's log knew of it. The engine thread starts before the log
    // moves to the file, so its first records may still be on the console.
    const QByteArray logText =
        QByteArray::fromStdString(readText(dir.path().toStdString() + "/log/preview/preview.log"));
    EXPECT_TRUE((console + logText).contains("creash path is " + dir.path().toUtf8() + "/crash/preview"));
    EXPECT_TRUE(logText.contains("crash dump call back"));
}

// Hosts that call quit() and return from main() at once exit 0, whenever they quit: during start-up,
// while rendering, while a video plays.
TEST(HostQuit, ExitsZeroWheneverItQuits)
{
    ASSERT_TRUE(mediatest::files().ok);
    const QString video = QString::fromStdString(mediatest::files().motionMp4);
    const std::pair<int, bool> cases[] = {{0, false},    {50, false}, {500, false}, {1000, false},
                                          {3000, false}, {0, true},   {1000, true}};
    for (const auto& [delayMs, withVideo] : cases) {
        // A few runs each: the fault this guards against struck in most runs.
        for (int run = 0; run < 2; ++run) {
            SCOPED_TRACE(std::to_string(delayMs) + (withVideo ? " ms with video, run " : " ms, run ") +
                         std::to_string(run));
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            QProcess host;
            QStringList args{"quit", dir.path(), QString::number(delayMs)};
            host.start(HOST_PROGRAM_PATH, withVideo ? args << video : args);
            ASSERT_TRUE(host.waitForFinished(60000));
            EXPECT_EQ(host.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(host.exitCode(), 0) << host.readAllStandardError().toStdString();
            EXPECT_TRUE(host.readAllStandardOutput().contains("quit\n"));
        }
    }
}

// With the engine started in queued mode, no message queued and the Qt loop not running, the worker
// thread sleeps instead of spinning.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

TEST(IdleCpu, WorkerUsesNoMeasurableCpuWhileIdle)
{
    initPreview(nullptr, nullptr);
    openConsoleLog();
    setWidgetX("warm-up", 1); // the worker has run once and gone back to waiting
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double before = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double used = cpuSeconds() - before;
    EXPECT_LT(used / wall, 0.01) << "idle worker: " << used << " s of CPU over " << wall << " s";
}

} // namespace
