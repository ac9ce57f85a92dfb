// Rich text figures: time to lay 1 000, 10 000 and 50 000 characters out into
// 1920 x 1080 pages, the time a text widget takes to rebuild its scene after
// one setter, and the frame rate of 1, 10 and 30 left marquees on a
// 1920 x 1080 window. Run under Xvfb with QSG_RENDER_LOOP=basic.

#include "benchsupport.h"
#include "core/src/nwquickitem/textqmltypes.h"
#include "core/src/textwidget.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

static void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace {

const char* kPaginateHost = R"(
import QtQuick 2.15
import "baseScheme/js/jRichText.js" as JR
import "baseScheme/js/protocolhelper.js" as PH
Item {
    Text { id: measure; visible: false; textFormat: Text.RichText; wrapMode: Text.Wrap }
    function paginate(text, family, size) {
        var ps = PH.normaliseParagraphs([{ lines: [{ segs: [{ content: text, attributeKey: "a" }] }],
                                           horizontalAlignment: "LEFT", verticalAlignment: "TOP" }])
        var map = PH.attributeMap([{ key: "a", attributes: { textColor: "#ffffffff",
                                     font: { family: family, size: size } } }])
        return JR.PagesText(ps, map, measure, 1920, 1080, null).length
    }
}
)";

using benchsupport::latin;

QString cjk(int n)
{
    static const QString base =
        QString::fromUtf8("天地玄黄宇宙洪荒日月盈昃辰宿列张，寒来暑往秋收冬藏。闰余成岁律吕调阳！");
    QString s;
    while (s.size() < n)
        s += base;
    s.truncate(n);
    return s;
}

void benchPagination(QQmlEngine& engine)
{
    QQmlComponent c(&engine);
    c.setData(kPaginateHost, QUrl("qrc:/preview/qml/text/BenchHost.qml"));
    std::unique_ptr<QObject> host(c.create());
    if (!host) {
        std::fprintf(stderr, "%s\n", qPrintable(c.errorString()));
        return;
    }
    struct Case
    {
        const char* name;
        QString family;
        int size;
        bool cjk;
    };
    const Case cases[] = {{"Latin, DejaVu Sans 32 px", "DejaVu Sans", 32, false},
                          {"CJK, WenQuanYi Micro Hei 32 px", "WenQuanYi Micro Hei", 32, true}};
    for (const Case& k : cases) {
        for (int n : {1000, 10000, 50000}) {
            const QString text = k.cjk ? cjk(n) : latin(n);
            QVariant pages;
            QElapsedTimer t;
            t.start();
            QMetaObject::invokeMethod(host.get(), "paginate", Q_RETURN_ARG(QVariant, pages),
                                      Q_ARG(QVariant, text), Q_ARG(QVariant, k.family),
                                      Q_ARG(QVariant, k.size));
            const double ms = t.nsecsElapsed() / 1e6;
            std::printf("paginate %-32s %6d chars at 1920x1080: %8.1f ms, %d pages%s\n", k.name, n, ms,
                        pages.toInt(),
                        n == 10000 ? (ms < 300 ? "  (aim < 300 ms: met)" : "  (aim < 300 ms: MISSED)") : "");
        }
    }
}

QString marqueeRecord(int index)
{
    const QJsonObject content = benchsupport::marqueeContent(index);
    QJsonObject widget{{"id", QString("m%1").arg(index)},
                       {"backgroundColor", "#ff101010"},
                       {"metadata", QJsonObject{{"content", content}}}};
    return QString::fromUtf8(QJsonDocument(widget).toJson(QJsonDocument::Compact));
}

void benchMarquees(int count)
{
    QQuickView view;
    view.resize(1920, 1080);
    view.setColor(Qt::black);
    QQmlComponent c(view.engine());
    c.setData("import QtQuick 2.15\nItem { property string widgetStr; RichTextScale { widgetStr: "
              "parent.widgetStr } }\n",
              QUrl("qrc:/preview/qml/text/BenchMarquee.qml"));
    std::vector<std::unique_ptr<QQuickItem>> items;
    const qreal h = 1080.0 / count;
    for (int i = 0; i < count; ++i) {
        QObject* o = c.beginCreate(view.engine()->rootContext());
        auto* item = qobject_cast<QQuickItem*>(o);
        if (!item) {
            std::fprintf(stderr, "%s\n", qPrintable(c.errorString()));
            return;
        }
        item->setProperty("widgetStr", marqueeRecord(i));
        item->setSize(QSizeF(1920, h));
        item->setY(i * h);
        c.completeCreate();
        item->setParentItem(view.contentItem());
        items.emplace_back(item);
    }
    int frames = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return;
    QTest::qWait(1000);
    frames = 0;
    QElapsedTimer t;
    t.start();
    QTest::qWait(5000);
    std::printf("%2d left marquee(s) on a 1920x1080 window: %5.1f frames per second\n", count,
                frames * 1000.0 / t.elapsed());
}

// A text widget in a frame of its own (a stand-in for the widget item that
// only makes the content): the time from a setter to the rebuilt scene, and
// to the first frame that shows it.
void benchRebuild()
{
    QQuickView view;
    view.resize(1920, 1080);
    view.setColor(Qt::black);
    QQmlComponent c(view.engine());
    c.setData("import QtQuick 2.15\n"
              "Item { id: frame; width: 1920; height: 1080\n"
              "  function createItem(info) {\n"
              "    var c = Qt.createComponent('RichTextScale.qml')\n"
              "    return c.createObject(frame, { widgetStr: info }) } }\n",
              QUrl("qrc:/preview/qml/text/BenchFrame.qml"));
    std::unique_ptr<QQuickItem> frame(qobject_cast<QQuickItem*>(c.create()));
    if (!frame) {
        std::fprintf(stderr, "%s\n", qPrintable(c.errorString()));
        return;
    }
    frame->setParentItem(view.contentItem());
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return;

    dorvo_preview::TextWidget widget(nullptr, frame.get());
    widget.setUuid("00000000-0000-4000-8000-000000000000", false);
    widget.widgetShow();
    QJsonObject attr{
        {"key", "a"},
        {"attributes", QJsonObject{{"textColor", "#ffffffff"},
                                   {"font", QJsonObject{{"family", "DejaVu Sans"}, {"size", 32}}}}}};
    QJsonObject content{
        {"paragraphs",
         QJsonArray{QJsonObject{
             {"lines", QJsonArray{QJsonObject{{"segs", QJsonArray{QJsonObject{{"content", latin(3000)},
                                                                              {"attributeKey", "a"}}}}}}}}}},
        {"textAttributes", QJsonArray{attr}}};
    widget.setSource(QJsonDocument(content).toJson(QJsonDocument::Compact).toStdString());
    QTest::qWait(500);

    int frames = 0;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    double setterMs = 0, frameMs = 0;
    const int rounds = 10;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        widget.setPageSwitchTime(3000 + i + 1);
        setterMs += t.nsecsElapsed() / 1e6;
        const int before = frames;
        while (frames == before && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        frameMs += t.nsecsElapsed() / 1e6;
        QTest::qWait(100);
    }
    std::printf("rebuild of a 3000-character text widget after one setter: %.1f ms (scene), %.1f ms (to its "
                "first frame), mean of %d\n",
                setterMs / rounds, frameMs / rounds, rounds);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    initPreviewResources();
    QGuiApplication app(argc, argv);
    dorvo_preview::registerTextQmlTypes();
    {
        QQmlEngine engine;
        benchPagination(engine);
    }
    benchRebuild();
    for (int n : {1, 10, 30})
        benchMarquees(n);
    return 0;
}
