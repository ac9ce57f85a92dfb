// The named logger: pattern and suffix on the console, rotation of the file sink.

#include "logging/log.h"
#include "logging/spdlogapplication.h"
#include "support/textfile.h"

#include <gtest/gtest.h>
#include <spdlog/spdlog.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <regex>
#include <string>
#include <unistd.h>

namespace {

// Long records are not cut.
TEST(Logging, ConsoleRecordsCarryPatternAndLocation)
{
    testing::internal::CaptureStdout();
    RK::SpdlogApplication::instance().useConsole();
    LOG_E("value %d and %s", 42, "text");
    const std::string big(5000, 'q');
    LOG_I("%s|end", big.c_str());
    RK::SpdlogApplication::instance().logger()->flush();
    const std::string out = testing::internal::GetCapturedStdout();
    // [date time.micro] E [thread] text \n //file:function()#line.
    const std::regex record(R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{6}\] E \[\d+\] value 42 and text )"
                            R"(\n //test_logging\.cpp:TestBody\(\)#\d+\.)");
    EXPECT_TRUE(std::regex_search(out, record)) << out;
    EXPECT_NE(out.find("dorvo_preview logger is setup."), std::string::npos);
    EXPECT_NE(out.find(big + "|end \n //"), std::string::npos);
}

TEST(Logging, FileRotatesAtTheLimitAndKeepsTheGivenCount)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.path().toStdString() + "/log/preview/preview.log";
    auto& app = RK::SpdlogApplication::instance();
    app.useRotatingFile(path, 4096, 3);
    const std::string line(200, 'r');
    for (int i = 0; i < 400; ++i)
        LOG_D("%04d %s", i, line.c_str());
    app.logger()->flush();

    QDir logDir(dir.path() + "/log/preview");
    const QStringList files = logDir.entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"preview.1.log", "preview.2.log", "preview.3.log", "preview.log"}));
    for (const QString& f : files)
        EXPECT_LE(QFileInfo(logDir.filePath(f)).size(), 4096) << f.toStdString();
    // The newest records are in preview.log, the oldest ones are gone.
    EXPECT_NE(testsupport::readText(logDir.filePath("preview.log").toStdString()).find("0399 "),
              std::string::npos);
    EXPECT_EQ(testsupport::readText(logDir.filePath("preview.3.log").toStdString()).find("0000 "),
              std::string::npos);
    app.useConsole();
}

// A log file that cannot be made is reported once on stderr; records go
// nowhere, and the next sink works again.
TEST(Logging, UnwritableFileIsReportedAndLoggingGoesOn)
{
    auto& app = RK::SpdlogApplication::instance();
    testing::internal::CaptureStderr();
    app.useRotatingFile("/proc/no/such/dir/preview.log", 4096, 2);
    LOG_E("goes nowhere");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("dorvo_preview: cannot open log file /proc/no/such/dir/preview.log"),
              std::string::npos)
        << err;
    testing::internal::CaptureStdout();
    app.useConsole();
    LOG_E("back on the console");
    app.logger()->flush();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("back on the console"), std::string::npos);
}

} // namespace
