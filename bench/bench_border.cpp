// Border and picture group figures: the frame rate of 20 moving pictures with
// running borders against the same 20 without borders, the time one border
// setter takes to rebuild the border (painting and writing its strips), and
// the resident memory a group of 50 pictures adds, page by page and
// scrolling. Frame rates are the means of three alternating rounds. Run under
// Xvfb with QSG_RENDER_LOOP=basic. Aim: bordered frame rate >= 90 % of the
// plain one.

#include "benchsupport.h"
#include "dorvo_preview.h"
#include "support/wait.h"

#include "core/src/enginehost.h"
#include "core/src/widget.h"
#include "core/src/window.h"
#include "qwinquickview/qwinquickview.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QQuickView>

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* g_win = nullptr;

void onQtThread(const std::function<void()>& fn)
{
    QObject* window = dorvo_preview::EngineHost::getWindow(g_win);
    if (window)
        QMetaObject::invokeMethod(window, fn, Qt::BlockingQueuedConnection);
}

long residentKb()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// Frames the window swapped in ms milliseconds, per second.
double frameRate(int ms)
{
    std::atomic<int> frames{0};
    QMetaObject::Connection connection;
    onQtThread([&] {
        auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(g_win));
        if (window && window->view() && window->view()->quickView())
            connection = QObject::connect(window->view()->quickView(), &QQuickWindow::frameSwapped,
                                          [&frames] { ++frames; });
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    onQtThread([&] { QObject::disconnect(connection); });
    return frames * 1000.0 / ms;
}

void settle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
}

} // namespace

int main()
{
    g_win = benchsupport::openFullHdPreview();
    if (!g_win ||
        !testsupport::waitFor([] { return dorvo_preview::EngineHost::getWindow(g_win) != nullptr; }, 15000)) {
        std::fprintf(stderr, "bench_border: no preview window\n");
        return 1;
    }
    char dir[] = "/tmp/dorvo-bench-border-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    std::vector<std::string> pictures;
    for (int i = 0; i < 50; ++i) {
        QImage image(640, 360, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 7 % 360, 200, 220));
        const std::string path = std::string(dir) + "/p" + std::to_string(i) + ".png";
        image.save(QString::fromStdString(path));
        pictures.push_back(path);
    }

    // 20 pictures scrolling as marquees, 5 x 4 on the canvas.
    std::vector<std::string> ids;
    for (int i = 0; i < 20; ++i) {
        const char* id = NImage_createWidget();
        ids.push_back(id);
        setWidgetX(id, 40 + (i % 5) * 370);
        setWidgetY(id, 40 + (i / 5) * 260);
        setWidgetWidth(id, 340);
        setWidgetHeight(id, 230);
        NImage_setScrollSpeed(id, 120);
        NImage_setScrollDirection(id, 3);
        NImage_setSource(id, pictures[i].c_str());
    }
    // Rounds of plain and bordered frames in turn, so that the load of the
    // machine weighs on both alike.
    auto borders = [&](bool on) {
        for (size_t i = 0; i < ids.size(); ++i) {
            const char* id = ids[i].c_str();
            setWidgetBorderType(id, on ? 1 + static_cast<int>(i % 4) : 0, "");
            if (on) {
                setWidgetBorderWidth(id, 12);
                setWidgetBorderScrollSpeed(id, 60);
            }
        }
        settle();
    };
    settle();
    double plain = 0, bordered = 0;
    for (int round = 0; round < 3; ++round) {
        borders(false);
        plain += frameRate(2500) / 3;
        borders(true);
        bordered += frameRate(2500) / 3;
    }
    std::printf(
        "frame rate, 20 moving pictures: %.1f fps without borders, %.1f fps with running borders (%.0f %%)\n",
        plain, bordered, plain > 0 ? bordered * 100.0 / plain : 0.0);

    // One setter: the widget writes the description, the scene is made again
    // and its strips painted and written, on the Qt thread.
    const int rebuilds = 50;
    double total = 0;
    for (int i = 0; i < rebuilds; ++i) {
        onQtThread([&] {
            auto* w = qobject_cast<dorvo_preview::Widget*>(dorvo_preview::EngineHost::getWidget(ids[0]));
            QElapsedTimer timer;
            timer.start();
            if (w)
                w->setBorderGraColor(i % 2 ? "#FFFF0000" : "#FF0000FF");
            total += timer.nsecsElapsed() / 1e6;
        });
    }
    std::printf("border rebuild after one setter: %.2f ms on average over %d calls\n", total / rebuilds,
                rebuilds);
    for (const std::string& id : ids)
        deleteWidget(id.c_str());
    settle();

    // A group of 50 pictures, page by page and then scrolling.
    nlohmann::json list = nlohmann::json::array();
    for (const std::string& p : pictures)
        list.push_back(p);
    for (int type : {0, 1}) {
        const long before = residentKb();
        const char* group = NImageGroup_createWidget();
        setWidgetX(group, 0);
        setWidgetY(group, 0);
        setWidgetWidth(group, 960);
        setWidgetHeight(group, 540);
        NImageGroup_setDisplayType(group, type);
        NImageGroup_setPictureList(group, list.dump().c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(4000));
        std::printf("memory of a 50-picture group (960 x 540, %s): %ld KiB\n",
                    type ? "scrolling" : "page by page", residentKb() - before);
        deleteWidget(group);
        settle();
    }
    quit();
    return 0;
}
