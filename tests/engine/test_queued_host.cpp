// Queued mode end to end, through the shared library only, as a host uses it:
// initPreview, setRunningPath with backslashes, messages before and after the
// Qt loop starts, quit, and calls after quit that are refused.

#include "dorvo_preview.h"

#include "support/wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::waitFor;

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

// The console (file descriptor 1) copied to a file that can be read while
// the copy goes on.
class Console
{
public:
    Console()
    {
        char name[] = "/tmp/dorvo-console-XXXXXX";
        fd_ = mkstemp(name);
        path_ = name;
        fflush(stdout);
        saved_ = dup(1);
        dup2(fd_, 1);
    }
    ~Console()
    {
        fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
        close(fd_);
        unlink(path_.c_str());
    }
    std::string text()
    {
        fflush(stdout);
        return readFile(path_);
    }

private:
    int fd_ = -1;
    int saved_ = -1;
    std::string path_;
};

TEST(QueuedHost, ResourcesAreRegisteredOnLoad)
{
    EXPECT_TRUE(QFile::exists(":/preview/qml/EmptyContent.qml"));
}

TEST(QueuedHost, StartRunStopThroughTheInterface)
{
    char pattern[] = "/tmp/dorvo-run-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    // The host gives a Windows-style path; it becomes a slash path.
    std::string hostPath = root + "\\running";
    ASSERT_EQ(system(("mkdir -p " + root + "/running").c_str()), 0);

    std::string console;
    {
        Console out;
        EXPECT_FALSE(initPreview(nullptr, nullptr));
        EXPECT_FALSE(initPreview(nullptr, nullptr)); // only updates the handles
        EXPECT_EQ(quit(), 0);                        // before exec: "QApplication is nullptr"
        EXPECT_EQ(setWidgetX("before-exec", 1.0f), 0);
        // The message runs on the worker before the Qt loop exists.
        EXPECT_TRUE(testsupport::within(
            10000, [&] { return out.text().find("cannot find widget id before-exec") != std::string::npos; },
            "the worker's report of the unknown widget"));
        setRunningPath(hostPath.c_str());
        setRunningPath("/somewhere/else"); // ignored
        console = out.text();
    }
    EXPECT_EQ(count(console, "PlayChannel::PlayChannel()"), 1u) << console;
    EXPECT_EQ(count(console, "QApplication is nullptr"), 1u);
    EXPECT_NE(console.find("process msg: SetWidgetX"), std::string::npos);

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(std::string(cwd), root + "/running");
    ASSERT_FALSE(QCoreApplication::libraryPaths().isEmpty());
    EXPECT_EQ(QCoreApplication::libraryPaths().first().toStdString(), root + "/running");

    const std::string logPath = root + "/running/log/preview/preview.log";
    ASSERT_TRUE(waitFor([&] { return readFile(logPath).find("VERSION 1.1.0") != std::string::npos; }, 10000));
    std::string log = readFile(logPath);
    // The first record is the logger's set-up record.
    EXPECT_LT(log.find("dorvo_preview logger is setup."), log.find('\n'));
    EXPECT_LT(log.find("dorvo_preview logger is setup."),
              log.find("=====================VERSION 1.1.0====================="));

    // After exec: messages run on the Qt thread, one per timer tick.
    ASSERT_TRUE(waitFor([] { return QCoreApplication::instance() != nullptr; }, 10000));
    EXPECT_EQ(setWidgetY("after-exec", 2.0f), 0);
    ASSERT_TRUE(waitFor(
        [&] { return readFile(logPath).find("cannot find widget id after-exec") != std::string::npos; },
        10000));

    // Qt's own warnings reach the log at warn level.
    qWarning("a warning from Qt's own logging");
    log = readFile(logPath);
    EXPECT_NE(log.find("] W ["), std::string::npos);
    EXPECT_NE(log.find("a warning from Qt's own logging"), std::string::npos);

    // quit() returns once the loop has ended; the engine then refuses every call.
    EXPECT_EQ(quit(), 0);
    EXPECT_NE(readFile(logPath).find("QtMsgCtrlListener::createQtExec end"), std::string::npos);
    EXPECT_EQ(setWidgetX("after-quit", 3.0f), -1);
    EXPECT_EQ(createWindow(), nullptr);
    EXPECT_EQ(NText_createWidget(), nullptr);
    EXPECT_EQ(exec(), -1);
    EXPECT_EQ(quit(), -1);
    EXPECT_FALSE(initPreview(nullptr, nullptr));
    EXPECT_EQ(init(), -1);
    log = readFile(logPath);
    EXPECT_NE(log.find("quit QApplication"), std::string::npos);
    for (const char* refused : {"setWidgetX() error, engine stopped", "createWindow() error, engine stopped",
                                "NText_createWidget() error, engine stopped", "exec() error, engine stopped",
                                "quit() error, engine stopped", "initPreview() error, engine stopped",
                                "init() error, engine stopped"})
        EXPECT_EQ(count(log, refused), 1u) << refused;
}

TEST(QueuedHost, DirectAndQueuedModesDoNotMix)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(init(), 0);
    EXPECT_FALSE(initPreview(nullptr, nullptr));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(console, "initPreview() refused, the engine already runs in direct (init) mode"), 1u)
        << console;
    EXPECT_EQ(count(console, "PlayChannel::PlayChannel()"), 1u);
}

} // namespace
