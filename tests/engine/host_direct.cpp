// A direct-mode host: init() on the main thread, a call from another thread
// before the Qt loop runs (refused), the loop run by setRunningPath() on the
// main thread, and a worker thread that builds a window and a text widget
// while the loop runs (carried over to the loop's thread) and then quits.
// Exits 0 when every expectation held; the log must show no Qt object made
// on a foreign thread.
//   host_direct RUNNING_DIR

#include "dorvo_preview.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

int fail(int code, const char* why)
{
    std::printf("host_direct: %s\n", why);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string dir = argv[1];
    if (init() != 0)
        return fail(3, "init() failed");

    const char* early = nullptr;
    int earlyX = 0;
    std::thread([&] {
        early = createWindow();
        earlyX = setWidgetX("some-widget", 1.0f);
    }).join();
    if (early || earlyX != -1)
        return fail(4, "a call from another thread before the loop was not refused");

    const char* win = nullptr;
    const char* text = nullptr;
    int textSource = -1;
    int quitResult = -1;
    std::thread worker([&] {
        // The Qt application exists once the loop takes other threads' calls.
        for (int i = 0; i < 1000 && !QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        win = createWindow();
        setWindowWidth(win, 320);
        setWindowHeight(win, 200);
        setCanvasWidth(win, 320);
        setCanvasHeight(win, 200);
        attachWindow(win);
        text = NText_createWidget();
        setWidgetWidth(text, 320);
        setWidgetHeight(text, 100);
        textSource = NText_setSource(
            text, R"({"paragraphs":[{"lines":[{"segs":[{"content":"direct","attributeKey":"a"}]}]}],)"
                  R"("textAttributes":[{"key":"a","attributes":{"textColor":"#FFFFFFFF"}}]})");
        quitResult = quit();
    });
    setRunningPath(dir.c_str());
    worker.join();
    if (!win || !text || textSource != 0 || quitResult != 0)
        return fail(5, "a call carried over to the loop's thread failed");

    std::ifstream in(dir + "/log/preview/preview.log");
    std::stringstream log;
    log << in.rdbuf();
    const std::string text_ = log.str();
    for (const char* bad : {"refused: called from a thread other than the engine's", "different thread",
                            "failed, dropped", "was not created"})
        if (text_.find(bad) != std::string::npos)
            return fail(7, bad);
    if (text_.find("setWidgetSource()") == std::string::npos)
        return fail(8, "the carried source never reached the engine");
    std::printf("host_direct: ok\n");
    return 0;
}
