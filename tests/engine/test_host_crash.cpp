// A host that crashes after start-up leaves a dump and a report side by side
// in crash/preview under the running path, and still dies of its signal.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

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
    host.start(HOST_CRASH_PATH, {dir.path()});
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
    EXPECT_EQ(QFileInfo(reports[0]).completeBaseName(), QFileInfo(dumps[0]).completeBaseName());
    QFile report(crash.filePath(reports[0]));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(report.readAll()).split('\n');
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], crash.filePath(dumps[0]));
    EXPECT_EQ(lines[1], "Brantel");
    EXPECT_EQ(lines[2], "host_crash");
    EXPECT_EQ(lines[3], "v1.1.0");
    EXPECT_EQ(lines[4], QFileInfo(HOST_CRASH_PATH).canonicalFilePath());

    QFile dump(crash.filePath(dumps[0]));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    const QByteArray text = dump.readAll();
    EXPECT_TRUE(text.contains("SIGSEGV")) << text.left(400).constData();
    EXPECT_TRUE(text.contains("writeThroughNull")) << text.left(2000).constData();

    // The library's log knew of it. The engine thread starts before the log
    // moves to the file, so its first records may still be on the console.
    QFile log(dir.path() + "/log/preview/preview.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logText = log.readAll();
    EXPECT_TRUE((console + logText).contains("creash path is " + dir.path().toUtf8() + "/crash/preview"));
    EXPECT_TRUE(logText.contains("crash dump call back"));
}

} // namespace
