// The main of every test program: headless-friendly Qt settings, then GoogleTest.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// GoogleTest skips every test of a suite whose SetUpTestSuite failed, and
// ctest counts skipped tests as passed: a display or engine that never came
// up would pass unseen. The run ends as a failure before the skip is printed.
class SuiteSetUpGuard : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo& test) override
    {
        const testing::TestSuite* suite = testing::UnitTest::GetInstance()->current_test_suite();
        if (suite && suite->ad_hoc_test_result().Failed()) {
            std::printf("[  FAILED  ] %s.%s: the set-up of its suite failed (see above)\n",
                        test.test_suite_name(), test.name());
            std::fflush(stdout);
            std::_Exit(1);
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    // Xvfb has no vsync: the basic render loop keeps animations at their real speed.
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new SuiteSetUpGuard);
    return RUN_ALL_TESTS();
}
