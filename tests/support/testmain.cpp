// The main of every test program: headless-friendly Qt settings, then GoogleTest.

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Xvfb has no vsync: the basic render loop keeps animations at their real speed.
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
