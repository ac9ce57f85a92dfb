// Picture figures: the time from setting a 1920 x 1080 JPEG to its first frame
// on screen, the longest stall of the Qt thread (a 1 ms heartbeat timer)
// while a 6000 x 4000 JPEG loads into a 1920 x 1080 widget, and the memory 50
// pictures take on one canvas. Run under Xvfb with QSG_RENDER_LOOP=basic.
// Aims: first frame <= 200 ms, stall <= 50 ms.

#include "core/src/nwquickitem/nwimagereader.h"
#include "logging/spdlogapplication.h"
#include "utils/hosturl.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>
#include <qqml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
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
        for (var i = 0; i < holders.length; ++i)
            holders[i].destroy()
        holders = []
    }
    // n pictures in a grid of the given columns, each from its own URL.
    function show(urls, columns) {
        clear()
        var component = Qt.createComponent("qrc:/preview/qml/text/Picture.qml")
        var rows = Math.ceil(urls.length / columns)
        var list = []
        for (var i = 0; i < urls.length; ++i) {
            var holder = Qt.createQmlObject("import QtQuick 2.15; Item {}", root)
            holder.width = root.width / columns
            holder.height = root.height / rows
            holder.x = (i % columns) * holder.width
            holder.y = Math.floor(i / columns) * holder.height
            var record = { id: "bench" + i, type: "PICTURE", dataSource: urls[i],
                           metadata: { picture: { url: urls[i], kind: "still", placeholderIcon: "" } } }
            var picture = component.createObject(holder, { widgetStr: JSON.stringify(record) })
            picture.setVisible(true)
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

// A photo-like picture: smooth colour gradients with fine noise.
QImage photo(int w, int h, unsigned seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = static_cast<int>(random() % 24);
            line[x] = qRgb((x * 255 / w + n) & 0xff, (y * 255 / h + n) & 0xff,
                           ((x + y) * 128 / (w + h) + n) & 0xff);
        }
    }
    return img;
}

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    char dir[] = "/tmp/dorvo-bench-image-XXXXXX";
    if (!mkdtemp(dir))
        return 1;

    QGuiApplication app(argc, argv);
    initPreviewResources();
    qmlRegisterType<dorvo_preview::NWImageReader>("an.kest.imageReader", 1, 0, "NWImageReader");
    // Quiet: the figures are the output.
    RK::SpdlogApplication::instance().shutdown();

    // Files: five 1920 x 1080 JPEGs (each read once, so no cache helps),
    // one 6000 x 4000 JPEG, fifty 1280 x 720 JPEGs.
    std::vector<QString> hd, many;
    for (unsigned i = 0; i < 5; ++i) {
        const QString path = QString("%1/hd%2.jpg").arg(dir).arg(i);
        photo(1920, 1080, i).save(path, "JPG", 90);
        hd.push_back(dorvo_preview::hostPathToUrl(path));
    }
    const QString bigPath = QString("%1/big.jpg").arg(dir);
    photo(6000, 4000, 99).save(bigPath, "JPG", 90);
    const QImage mid = photo(1280, 720, 7);
    for (int i = 0; i < 50; ++i) {
        const QString path = QString("%1/many%2.jpg").arg(dir).arg(i);
        mid.save(path, "JPG", 85);
        many.push_back(dorvo_preview::hostPathToUrl(path));
    }

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
    view.resize(1920, 1080);
    view.show();
    wait(500);

    int frames = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&] { ++frames; });
    // Pictures that have started (their image is ready and shown).
    auto startedCount = [&] {
        int n = 0;
        for (QQuickItem* holder : root->childItems())
            for (QQuickItem* picture : holder->childItems())
                n += picture->property("started").toBool() ? 1 : 0;
        return n;
    };

    // Runs show(urls) and waits for every picture to start and a frame to
    // follow; returns milliseconds, and the longest heartbeat gap in maxGap.
    auto showAndWait = [&](const std::vector<QString>& urls, int columns, double* maxGap) {
        QVariantList list;
        for (const QString& u : urls)
            list << u;
        QElapsedTimer beat;
        double gap = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            gap = std::max(gap, beat.nsecsElapsed() / 1e6);
            beat.restart();
        });
        QElapsedTimer clock;
        clock.start();
        beat.start();
        heartbeat.start();
        QMetaObject::invokeMethod(root, "show", Q_ARG(QVariant, list), Q_ARG(QVariant, columns));
        const int need = static_cast<int>(urls.size());
        while (startedCount() < need && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const int before = frames;
        while (frames == before && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        heartbeat.stop();
        if (maxGap)
            *maxGap = gap;
        return clock.nsecsElapsed() / 1e6;
    };

    // 1. Setting a 1920 x 1080 JPEG to its first frame on screen.
    std::vector<double> first, hdStall;
    for (const QString& url : hd) {
        double gap = 0;
        first.push_back(showAndWait({url}, 1, &gap));
        hdStall.push_back(gap);
        wait(100);
    }
    std::printf("image first frame, 1920x1080 JPEG: median %.1f ms, max %.1f ms (aim <= 200 ms); longest "
                "Qt-thread stall meanwhile: median %.1f ms\n",
                median(first), *std::max_element(first.begin(), first.end()), median(hdStall));

    // 2. The Qt thread's longest stall while a 6000 x 4000 JPEG loads.
    double stall = 0;
    const double bigTime = showAndWait({dorvo_preview::hostPathToUrl(bigPath)}, 1, &stall);
    std::printf(
        "image 6000x4000 JPEG: first frame after %.1f ms, longest Qt-thread stall %.1f ms (aim <= 50 ms)\n",
        bigTime, stall);
    QMetaObject::invokeMethod(root, "clear");
    wait(300);

    // 3. Memory of 50 pictures on one canvas.
    const long before = residentKiB();
    const double manyTime = showAndWait(many, 10, nullptr);
    wait(500);
    const long after = residentKiB();
    std::printf("image 50 pictures (1280x720 JPEGs in 192x216 widgets): shown after %.1f ms, resident memory "
                "+%.1f MiB\n",
                manyTime, (after - before) / 1024.0);
    QMetaObject::invokeMethod(root, "clear");
    wait(100);
    std::system((std::string("rm -rf '") + dir + "'").c_str());
    return 0;
}
