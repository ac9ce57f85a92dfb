// Video playback figures: the time from setting a video's source to its first
// frame on screen, the CPU time one playing 1280 x 720 video costs, and the
// frame rate of a 1920 x 1080 window showing 1, 4 and 9 videos.
// Run under Xvfb with QSG_RENDER_LOOP=basic.

#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/avplayer/mpvplayer.h"
#include "logging/spdlogapplication.h"
#include "support/xscreen.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace {

const char* kHostQml = R"(
import QtQuick 2.15
Rectangle {
    id: root
    color: "black"
    property var holders: []
    function clear() {
        for (var i = 0; i < holders.length; ++i) {
            holders[i].children[0].disconnectWindow()
            holders[i].destroy()
        }
        holders = []
    }
    function show(n, columns, json) {
        clear()
        var component = Qt.createComponent("qrc:/preview/qml/video/mdkvideo.qml")
        var rows = Math.ceil(n / columns)
        var list = []
        for (var i = 0; i < n; ++i) {
            var holder = Qt.createQmlObject("import QtQuick 2.15; Item {}", root)
            holder.width = root.width / columns
            holder.height = root.height / rows
            holder.x = (i % columns) * holder.width
            holder.y = Math.floor(i / columns) * holder.height
            var video = component.createObject(holder, { widgetStr: json })
            video.baseMediaStart.connect(video.play)
            video.baseMediaFinished.connect(video.restart)
            list.push(holder)
        }
        holders = list
    }
}
)";

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool makeVideo(const std::string& path, const std::string& source, int seconds)
{
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i " + source + " -t " +
                            std::to_string(seconds) +
                            " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -movflags +faststart '" + path +
                            "'";
    return std::system(cmd.c_str()) == 0;
}

QString widgetJson(const std::string& path)
{
    return QString(R"({"id":"bench","type":"VIDEO","backgroundColor":"#FF000000","dataSource":"%1"})")
        .arg(QString::fromStdString(path));
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    testsupport::XScreen screen;
    if (!screen.ok()) {
        std::fprintf(stderr, "bench_media needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    char dir[] = "/tmp/dorvo-bench-media-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string bars = std::string(dir) + "/bars720.mp4";
    const std::string motion = std::string(dir) + "/motion720.mp4";
    if (!makeVideo(bars, "smptebars=size=1280x720:rate=30", 10) ||
        !makeVideo(motion, "testsrc2=size=1280x720:rate=30", 10)) {
        std::fprintf(stderr, "ffmpeg could not make the bench videos\n");
        return 1;
    }

    QGuiApplication app(argc, argv);
    initPreviewResources();
    dorvo_preview::registerMediaQmlTypes();
    // Quiet: the figures are the output.
    RK::SpdlogApplication::instance().shutdown();

    QQuickView view;
    QQmlComponent component(view.engine());
    component.setData(kHostQml, QUrl());
    auto* root = qobject_cast<QQuickItem*>(component.create());
    if (!root) {
        std::fprintf(stderr, "bench scene: %s\n", component.errorString().toUtf8().constData());
        return 1;
    }
    view.setContent(QUrl(), &component, root);
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setPosition(0, 0);

    int frames = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&] { ++frames; });

    // 1. Source to first frame on screen: the yellow bar of the 1280x720 bars.
    view.resize(1280, 720);
    view.show();
    wait(500);
    std::vector<double> firstFrame;
    for (int round = 0; round < 5; ++round) {
        QMetaObject::invokeMethod(root, "clear");
        wait(300);
        const QPoint probe = view.mapToGlobal(QPoint(1280 * 3 / 14, 720 * 3 / 10));
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(root, "show", Q_ARG(QVariant, 1), Q_ARG(QVariant, 1),
                                  Q_ARG(QVariant, widgetJson(bars)));
        bool seen = false;
        while (timer.elapsed() < 15000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            if (screen.pixel(probe.x(), probe.y()).near(191, 191, 0, 30)) {
                seen = true;
                break;
            }
        }
        if (seen)
            firstFrame.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(firstFrame.begin(), firstFrame.end());
    if (firstFrame.empty())
        std::printf("source to first frame on screen: no frame within 15 s\n");
    else
        std::printf(
            "source to first frame on screen (1280x720 H.264): median %.0f ms, min %.0f ms, max %.0f ms "
            "(%zu runs)\n",
            firstFrame[firstFrame.size() / 2], firstFrame.front(), firstFrame.back(), firstFrame.size());

    // 2. CPU of one playing 1280x720 video, against the idle window.
    QMetaObject::invokeMethod(root, "clear");
    wait(1000);
    double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    wait(4000);
    const double idle = (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9) * 100.0;
    QMetaObject::invokeMethod(root, "show", Q_ARG(QVariant, 1), Q_ARG(QVariant, 1),
                              Q_ARG(QVariant, widgetJson(motion)));
    wait(1500);
    cpu0 = cpuSeconds();
    frames = 0;
    wall.restart();
    wait(6000);
    const double seconds = wall.nsecsElapsed() / 1e9;
    const double playing = (cpuSeconds() - cpu0) / seconds * 100.0;
    std::printf("CPU of one playing 1280x720 30 fps video: %.0f%% of a core (idle window %.0f%%, "
                "video costs %.0f%%), window at %.1f fps\n",
                playing, idle, playing - idle, frames / seconds);

    // 3. Frame rate of a 1920x1080 window with 1, 4 and 9 videos.
    view.resize(1920, 1080);
    for (int n : {1, 4, 9}) {
        const int columns = n == 1 ? 1 : n == 4 ? 2 : 3;
        QMetaObject::invokeMethod(root, "show", Q_ARG(QVariant, n), Q_ARG(QVariant, columns),
                                  Q_ARG(QVariant, widgetJson(motion)));
        wait(2500);
        frames = 0;
        cpu0 = cpuSeconds();
        wall.restart();
        wait(6000);
        const double s = wall.nsecsElapsed() / 1e9;
        std::printf("1920x1080 window, %d video%s of 1280x720: %.1f fps, CPU %.0f%% of a core\n", n,
                    n == 1 ? "" : "s", frames / s, (cpuSeconds() - cpu0) / s * 100.0);
    }
    QMetaObject::invokeMethod(root, "clear");
    wait(500);
    view.close();
    delete root;
    wait(500);
    std::system(("rm -rf '" + std::string(dir) + "'").c_str());
    return 0;
}
