// Colourful text figures: the frame rate of a 1920 x 200 marquee with a
// gradient fill and a stroke, and the time the static fit of a 10 000-character
// text takes. Run under Xvfb with QSG_RENDER_LOOP=basic.

#include "core/src/colortextwidget.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <memory>

static void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace {

QString record(const std::string& text, const char* type, bool styled = true)
{
    nlohmann::json content = nlohmann::json::parse(dorvo_preview::ColorTextWidget::defaultSource());
    content["content"] = text;
    content["type"] = type;
    content["textAttributes"]["font"] = {{"family", {"DejaVu Sans"}}, {"size", 32}, {"style", "BOLD"}};
    content["textAttributes"]["effects"]["type"] = "GRADIENT_HORIZONTAL";
    content["textAttributes"]["effects"]["colors"] = {"#FFFF0000", "#FF00FF00", "#FF0000FF"};
    content["textAttributes"]["colorfulEnable"] = styled;
    content["textAttributes"]["strokeEnable"] = styled;
    content["textAttributes"]["strokeWidth"] = 3;
    content["scrollAttributes"]["effects"]["speed"] = 120;
    const nlohmann::json widget = {{"id", "bench"},
                                   {"type", "COLORFUL_TEXT"},
                                   {"backgroundColor", "#ff101010"},
                                   {"metadata", {{"content", content}}}};
    return QString::fromStdString(widget.dump());
}

struct Host
{
    QQuickView view;
    std::unique_ptr<QQuickItem> frame;
    QQuickItem* text = nullptr;

    explicit Host(int w, int h)
    {
        view.resize(w, h);
        view.setColor(Qt::black);
        QQmlComponent c(view.engine());
        c.setData("import QtQuick 2.15\nItem { property alias text: t; ColorText { id: t } }\n",
                  QUrl("qrc:/preview/qml/colortext/BenchHost.qml"));
        frame.reset(qobject_cast<QQuickItem*>(c.create()));
        if (!frame) {
            std::fprintf(stderr, "%s\n", qPrintable(c.errorString()));
            return;
        }
        frame->setSize(QSizeF(w, h));
        frame->setParentItem(view.contentItem());
        text = qvariant_cast<QQuickItem*>(frame->property("text"));
        view.show();
        QTest::qWaitForWindowExposed(&view);
    }

    // Sets the record and waits for the rebuilt text.
    bool show(const QString& widgetStr)
    {
        const int before = text->property("builds").toInt();
        text->setProperty("widgetStr", widgetStr);
        return QTest::qWaitFor([&] { return text->property("builds").toInt() > before; }, 10000);
    }
};

void benchMarquee(bool styled)
{
    Host host(1920, 200);
    const std::string text = "Colourful marquee with a gradient and a stroke, rendered once and moved";
    if (!host.text || !host.show(record(text, "SCROLL", styled)))
        return;
    int frames = 0;
    QObject::connect(&host.view, &QQuickWindow::frameSwapped, [&frames] { ++frames; });
    QTest::qWait(1000);
    frames = 0;
    QElapsedTimer t;
    t.start();
    QTest::qWait(5000);
    std::printf("1920x200 marquee, %s: %5.1f frames per second%s\n",
                styled ? "gradient and stroke" : "flat colour (for comparison)",
                frames * 1000.0 / t.elapsed(), styled ? " (aim >= 55)" : "");
}

void benchStaticFit()
{
    Host host(1920, 200);
    if (!host.text)
        return;
    std::string text;
    for (int n = 0; n < 10000; ++n)
        text += (n % 7 == 6) ? ' ' : static_cast<char>('A' + n % 26);
    const int rounds = 5;
    double fitMs = 0, builtMs = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        // A different text each round, so that every round lays out anew.
        if (!host.show(record(text + std::to_string(i), "STATIC")))
            return;
        builtMs += t.elapsed();
        fitMs += qvariant_cast<QObject*>(host.text->property("inner"))->property("layoutMs").toDouble();
    }
    std::printf(
        "static fit of 10000 characters into 1920x200: %.1f ms (fit), %.1f ms (whole rebuild), mean of "
        "%d (aim <= 200)\n",
        fitMs / rounds, builtMs / rounds, rounds);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QSG_RENDER_LOOP", "basic", 0);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    initPreviewResources();
    QGuiApplication app(argc, argv);
    benchStaticFit();
    benchMarquee(true);
    benchMarquee(false);
    return 0;
}
