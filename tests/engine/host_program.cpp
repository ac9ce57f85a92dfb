// Host programs that use the shared library only, one per mode:
//   host_program exit RUNNING_DIR      starts the engine and leaves without quit(): the process must end.
//   host_program quit RUNNING_DIR DELAY_MS [VIDEO]
//                                      quits DELAY_MS after start-up and returns at once, while a marquee
//                                      renders and, with a video path, a video plays: it must exit 0.
//   host_program direct RUNNING_DIR    direct mode: a call from another thread before the Qt loop runs is
//                                      refused; a worker that builds a window and a text widget while the
//                                      loop runs is carried over to the loop's thread, then quits. Exits 0
//                                      when every expectation held and the log shows no foreign-thread fault.
//   host_program crash RUNNING_DIR     waits for the Qt loop, then crashes with a null write.

#include "dorvo_preview.h"
#include "support/textfile.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

const char* kMarquee =
    R"({"paragraphs":[{"lines":[{"segs":[{"content":"A marquee that renders every frame","attributeKey":"m"}]}]}],)"
    R"("textAttributes":[{"key":"m","attributes":{"textColor":"#FFFFFFFF","font":{"family":"DejaVu Sans","size":48}}}],)"
    R"("displayStyle":{"type":"SCROLL","scrollAttributes":{"effects":{"speed":200,"animation":"MARQUEE_LEFT"}}}})";

void waitForQt()
{
    for (int i = 0; i < 1000 && !QCoreApplication::instance(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

const char* showWindow(int w, int h)
{
    const char* win = createWindow();
    setWindowWidth(win, static_cast<float>(w));
    setWindowHeight(win, static_cast<float>(h));
    setCanvasWidth(win, static_cast<float>(w));
    setCanvasHeight(win, static_cast<float>(h));
    attachWindow(win);
    return win;
}

// A plain null write (left unchecked in sanitizer builds, so that it faults).
__attribute__((noinline, no_sanitize("undefined"))) void writeThroughNull(volatile int* where)
{
    *where = 42;
}

int fail(int code, const char* why)
{
    std::printf("host_program: %s\n", why);
    return code;
}

int leaveWithoutQuit(const char* dir)
{
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    // Leave while the Qt loop runs and messages are still flowing. A family
    // creation returns once the engine thread has run it, so the loop is up.
    waitForQt();
    NText_createWidget();
    for (int i = 0; i < 100; ++i)
        setWidgetX("some-widget", static_cast<float>(i));
    std::printf("leaving\n");
    return 0;
}

int quitAfter(const char* dir, int delayMs, const char* video)
{
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    showWindow(640, 360);
    if (delayMs > 0 || video) {
        // Creating calls return once the engine runs.
        const char* text = NText_createWidget();
        setWidgetWidth(text, 640);
        setWidgetHeight(text, 100);
        NText_setSource(text, kMarquee);
        if (video) {
            const char* id = NVideo_createWidget();
            setWidgetY(id, 120);
            setWidgetWidth(id, 320);
            setWidgetHeight(id, 240);
            NVideo_setSource(id, video);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    if (quit() != 0)
        return 3;
    std::printf("quit\n");
    return 0;
}

int direct(const std::string& dir)
{
    // The folder outlives the run: only this run's log may be read.
    std::remove((dir + "/log/preview/preview.log").c_str());
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
        waitForQt();
        win = showWindow(320, 200);
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

    const std::string log = testsupport::readText(dir + "/log/preview/preview.log");
    for (const char* bad : {"refused: called from a thread other than the engine's", "different thread",
                            "failed, dropped", "was not created"})
        if (log.find(bad) != std::string::npos)
            return fail(7, bad);
    if (log.find("setWidgetSource()") == std::string::npos)
        return fail(8, "the carried source never reached the engine");
    std::printf("host_program: ok\n");
    return 0;
}

int crash(const char* dir)
{
    initPreview(nullptr, nullptr);
    setRunningPath(dir);
    waitForQt();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::printf("crashing\n");
    std::fflush(stdout);
    writeThroughNull(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "exit")
        return leaveWithoutQuit(argv[2]);
    if (mode == "quit" && argc > 3)
        return quitAfter(argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
    if (mode == "direct")
        return direct(argv[2]);
    if (mode == "crash")
        return crash(argv[2]);
    return 2;
}
