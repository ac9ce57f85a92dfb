// Frame cost of left marquees: 1, 10 and 30 rows of 1920 x (1080 / n) on a
// 1920 x 1080 window, first as a plain Qt Quick scene (marquee.qml), then as
// text widgets of the library made through the exported calls, in the same
// process, on the same Qt thread and render loop. Run under Xvfb with
// QSG_RENDER_LOOP=basic.

#include "benchsupport.h"
#include "core/src/enginehost.h"
#include "core/src/window.h"
#include "dorvo_preview.h"
#include "qwinquickview/qwinquickview.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int> g_frames{0};
const int kCounts[] = {1, 10, 30};

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void onQtThread(const std::function<void()>& fn)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), fn, Qt::BlockingQueuedConnection);
}

QString latin()
{
    return benchsupport::latin(120);
}

// Frames per second over 5 s, after 1 s to settle.
double measureFps()
{
    sleepMs(1000);
    g_frames = 0;
    const auto t0 = Clock::now();
    sleepMs(5000);
    return g_frames * 1.0 / std::chrono::duration<double>(Clock::now() - t0).count();
}

double rawFps(int count)
{
    QQuickView* view = nullptr;
    onQtThread([&] {
        view = new QQuickView();
        view->setColor(Qt::black);
        view->setGeometry(0, 0, 1920, 1080);
        view->rootContext()->setContextProperty("bench", QVariantMap{{"latin", latin()}});
        view->setInitialProperties({{"count", count}});
        view->setSource(QUrl::fromLocalFile(QStringLiteral(DORVO_BENCH_MARQUEE_QML)));
        QObject::connect(view, &QQuickWindow::frameSwapped, [] { ++g_frames; });
        view->show();
    });
    const double fps = measureFps();
    onQtThread([&] { delete view; });
    return fps;
}

std::string marqueeContent(int index)
{
    return QJsonDocument(benchsupport::marqueeContent(index)).toJson(QJsonDocument::Compact).toStdString();
}

double libraryFps(const char* win, int count)
{
    std::vector<const char*> ids;
    const float h = 1080.0f / count;
    for (int i = 0; i < count; ++i) {
        const char* id = NText_createWidget();
        if (!id)
            continue;
        ids.push_back(id);
        setWidgetX(id, 0);
        setWidgetY(id, i * h);
        setWidgetWidth(id, 1920);
        setWidgetHeight(id, h);
        NText_setBackgroundColor(id, "#ff101010");
        NText_setSource(id, marqueeContent(i).c_str());
    }
    onQtThread([&] {
        auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(win));
        if (window && window->view() && window->view()->quickView())
            QObject::connect(window->view()->quickView(), &QQuickWindow::frameSwapped, [] { ++g_frames; });
    });
    sleepMs(1000);
    const double fps = measureFps();
    onQtThread([&] {
        auto* window = qobject_cast<dorvo_preview::Window*>(dorvo_preview::EngineHost::getWindow(win));
        if (window && window->view() && window->view()->quickView())
            QObject::disconnect(window->view()->quickView(), &QQuickWindow::frameSwapped, nullptr, nullptr);
    });
    for (const char* id : ids)
        deleteWidget(id);
    return fps;
}

} // namespace

int main()
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_marquee needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    if (!benchsupport::startPreview())
        return 1;
    const auto t0 = Clock::now();
    while (!QCoreApplication::instance()) {
        if (Clock::now() - t0 > std::chrono::seconds(30))
            return 1;
        sleepMs(5);
    }
    sleepMs(300);

    // The plain scenes first, while the library shows no window.
    double raw[3];
    for (int i = 0; i < 3; ++i)
        raw[i] = rawFps(kCounts[i]);

    const char* win = benchsupport::openFullHdWindow();
    sleepMs(2000);
    std::printf("left marquees, 1920x1080 window    plain Qt Quick          library           cost ratio\n");
    for (int i = 0; i < 3; ++i) {
        const double lib = libraryFps(win, kCounts[i]);
        std::printf("%2d marquee(s)                    %6.1f fps %5.1f ms   %6.1f fps %5.1f ms   %4.2fx%s\n",
                    kCounts[i], raw[i], 1000.0 / raw[i], lib, 1000.0 / lib, raw[i] / lib,
                    raw[i] / lib <= 1.5 ? "  (aim <= 1.5x: met)" : "  (aim <= 1.5x: MISSED)");
        std::fflush(stdout);
    }
    quit();
    sleepMs(300);
    std::_Exit(0);
}
