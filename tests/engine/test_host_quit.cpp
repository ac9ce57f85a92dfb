// Hosts that call quit() and return from main() at once exit 0, whenever they
// quit: during start-up, while rendering, while a video plays.

#include "media/mediafiles.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Case
{
    int delayMs;
    bool video;
};

class HostQuit : public ::testing::TestWithParam<Case>
{};

TEST_P(HostQuit, ExitsZero)
{
    QStringList extra;
    if (GetParam().video) {
        ASSERT_TRUE(mediatest::files().ok);
        extra << QString::fromStdString(mediatest::files().motionMp4);
    }
    // A few runs each: the fault this guards against struck in most runs.
    for (int run = 0; run < 2; ++run) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QProcess host;
        host.start(HOST_QUIT_PATH, QStringList{dir.path(), QString::number(GetParam().delayMs)} + extra);
        ASSERT_TRUE(host.waitForFinished(60000)) << "run " << run;
        EXPECT_EQ(host.exitStatus(), QProcess::NormalExit) << "run " << run;
        EXPECT_EQ(host.exitCode(), 0) << "run " << run << "\n" << host.readAllStandardError().toStdString();
        EXPECT_TRUE(host.readAllStandardOutput().contains("quit\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Delays, HostQuit,
                         ::testing::Values(Case{0, false}, Case{50, false}, Case{500, false},
                                           Case{1000, false}, Case{3000, false}, Case{0, true},
                                           Case{1000, true}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "After" + std::to_string(info.param.delayMs) + "ms" +
                                    (info.param.video ? "WithVideo" : "");
                         });

} // namespace
