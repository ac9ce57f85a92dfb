// A host that quits a given number of milliseconds after start-up and
// returns from main() at once, while a marquee renders and, with a video
// path, a video plays. It must exit 0 whenever it quits.
//   host_quit RUNNING_DIR DELAY_MS [VIDEO]

#include "dorvo_preview.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

const char* kMarquee =
    R"({"paragraphs":[{"lines":[{"segs":[{"content":"A marquee that renders every frame","attributeKey":"m"}]}]}],)"
    R"("textAttributes":[{"key":"m","attributes":{"textColor":"#FFFFFFFF","font":{"family":"DejaVu Sans","size":48}}}],)"
    R"("displayStyle":{"type":"SCROLL","scrollAttributes":{"effects":{"speed":200,"animation":"MARQUEE_LEFT"}}}})";

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const int delayMs = std::atoi(argv[2]);
    initPreview(nullptr, nullptr);
    setRunningPath(argv[1]);
    const char* win = createWindow();
    setWindowWidth(win, 640);
    setWindowHeight(win, 360);
    setCanvasWidth(win, 640);
    setCanvasHeight(win, 360);
    attachWindow(win);
    if (delayMs > 0 || argc > 3) {
        // Creating calls return once the engine runs.
        const char* text = NText_createWidget();
        setWidgetWidth(text, 640);
        setWidgetHeight(text, 100);
        NText_setSource(text, kMarquee);
        if (argc > 3) {
            const char* video = NVideo_createWidget();
            setWidgetY(video, 120);
            setWidgetWidth(video, 320);
            setWidgetHeight(video, 240);
            NVideo_setSource(video, argv[3]);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    if (quit() != 0)
        return 3;
    std::printf("quit\n");
    return 0;
}
