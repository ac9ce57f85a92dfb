// Frame rate of the page entrance effects on a 1920 x 1080 page with Mesa's
// software renderer: for each effect, the frames drawn while a 2 s effect
// runs, and the time from the start to the first frame of the effect.
// Run under Xvfb with QSG_RENDER_LOOP=basic.

#include "core/src/nwquickitem/effectqmltypes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>

static void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace {

const char* kScene = R"(
import QtQuick 2.15
import "qrc:/preview/qml/text/baseScheme/com"
Rectangle {
    id: root
    width: 1920; height: 1080; color: "#202020"
    property var effect: null
    property int endCount: 0
    Item {
        id: page
        width: 1920; height: 1080
        Repeater {
            model: 48
            Rectangle {
                x: (index % 8) * 240; y: Math.floor(index / 8) * 180; width: 240; height: 180
                color: Qt.hsla((index * 0.137) % 1.0, 0.6, 0.5, index % 7 === 3 ? 0.0 : 1.0)
                Text { anchors.centerIn: parent; text: "Page text " + index; font.pixelSize: 28; color: "white" }
            }
        }
    }
    Component { id: maker; InOutEffect { width: 1920; height: 1080 } }
    function run(code, duration) {
        if (effect)
            effect.destroy()
        effect = maker.createObject(root, { inAnimation: { type: code, duration: duration } })
        effect.effectEnd.connect(function() { root.endCount++ })
        effect.startItemEffect(page)
    }
}
)";

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Outside an event loop, objects destroyed by QML wait for this.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    QGuiApplication app(argc, argv);
    initPreviewResources();
    dorvo_preview::registerEffectQmlTypes();

    QTemporaryDir dir;
    const QString path = dir.filePath("bench_effect.qml");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(kScene);
    file.close();

    QQuickView view;
    view.setSource(QUrl::fromLocalFile(path));
    if (!view.rootObject()) {
        std::fprintf(stderr, "scene did not load\n");
        return 1;
    }
    view.show();
    pump(500);

    int frames = 0;
    QElapsedTimer sinceStart;
    qint64 firstFrameMs = -1;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&] {
        ++frames;
        if (firstFrameMs < 0)
            firstFrameMs = sinceStart.elapsed();
    });

    constexpr int kDurationMs = 2000;
    std::printf("page 1920x1080, effect duration %d ms\n", kDurationMs);
    std::printf("%-6s %-16s %10s %12s\n", "code", "effect", "fps", "first frame");
    const struct
    {
        int code;
        const char* name;
    } runs[] = {{16, "Extend"},    {33, "Move"},   {50, "Indent"},   {64, "ReelTop"},    {96, "Louver"},
                {112, "ZoomFull"}, {144, "Wheel"}, {160, "Dentine"}, {176, "FadeInOut"}, {240, "Cleavage"},
                {192, "Cumulate"}, {208, "Laser"}, {999, "NWEffect"}};
    QQuickItem* root = view.rootObject();
    for (const auto& run : runs) {
        root->setProperty("endCount", 0);
        frames = 0;
        firstFrameMs = -1;
        sinceStart.start();
        QMetaObject::invokeMethod(root, "run", Q_ARG(QVariant, run.code), Q_ARG(QVariant, kDurationMs));
        while (root->property("endCount").toInt() == 0 && sinceStart.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            // Outside an event loop, objects destroyed by QML wait for this.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QThread::msleep(1);
        }
        const double seconds = sinceStart.elapsed() / 1000.0;
        std::printf("%-6d %-16s %10.1f %9lld ms\n", run.code, run.name, frames / seconds,
                    static_cast<long long>(firstFrameMs));
        std::fflush(stdout);
        pump(200);
    }
    return 0;
}
