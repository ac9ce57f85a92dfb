// Rendering of the rich text in a Quick view: effects, marquee directions,
// markup characters shown as text, bad records, folds and the hard-edged text
// painter. Paging, static text, the left marquee and page images are checked
// through the exported functions (test_text_widget).

#include "core/src/nwquickitem/textqmltypes.h"
#include "support/qtapp.h"

#include "pixels.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

using namespace textpixels;

namespace {

QGuiApplication* app()
{
    return testsupport::app<QGuiApplication>(&dorvo_preview::registerTextQmlTypes);
}

QJsonObject attribute(const QString& key, const QString& color, int size,
                      const QString& family = "DejaVu Sans")
{
    return QJsonObject{{"key", key},
                       {"attributes", QJsonObject{{"textColor", color},
                                                  {"backgroundColor", "#00000000"},
                                                  {"font", QJsonObject{{"family", family},
                                                                       {"size", size},
                                                                       {"style", "NORMAL"},
                                                                       {"isUnderline", false}}}}}};
}

QJsonObject line(const QString& text, const QString& key)
{
    return QJsonObject{{"segs", QJsonArray{QJsonObject{{"content", text}, {"attributeKey", key}}}}};
}

QJsonObject paragraph(const QJsonArray& lines, const QString& halign = "LEFT", const QString& valign = "TOP")
{
    return QJsonObject{{"lines", lines},
                       {"lineSpacing", 0},
                       {"letterSpacing", 0},
                       {"horizontalAlignment", halign},
                       {"verticalAlignment", valign},
                       {"backgroundColor", "#00000000"}};
}

struct TextSetup
{
    QString type = "PAGE_SWITCH";
    int remainDuration = 1000;
    int effect = 0;
    int effectDuration = 0;
    QString animation = "MARQUEE_LEFT";
    int speed = 60;
    bool jagged = false;
    QJsonArray paragraphs;
    QJsonArray attributes;
};

QString record(const TextSetup& s)
{
    QJsonObject content{
        {"paragraphs", s.paragraphs},
        {"textAttributes", s.attributes},
        {"displayStyle",
         QJsonObject{
             {"type", s.type},
             {"pageSwitchAttributes",
              QJsonObject{{"inAnimation", QJsonObject{{"type", s.effect}, {"duration", s.effectDuration}}},
                          {"remainDuration", s.remainDuration}}},
             {"scrollAttributes", QJsonObject{{"effects", QJsonObject{{"speed", s.speed},
                                                                      {"animation", s.animation},
                                                                      {"isHeadTail", false},
                                                                      {"headTailSpacing", "0"}}}}},
             {"offset", QJsonObject{{"x", 0}, {"y", 0}}}}},
        {"backgroundMusic", QJsonObject{{"isTextSync", false}, {"duration", 0}}}};
    QJsonObject widget{{"id", "text-1"},
                       {"type", 11},
                       {"zOrder", 1},
                       {"duration", 60000},
                       {"backgroundColor", "#ff000000"},
                       {"metadata", QJsonObject{{"textAntialiasing", s.jagged}, {"content", content}}}};
    return QString::fromUtf8(QJsonDocument(widget).toJson(QJsonDocument::Compact));
}

// A window of the given size holding one item made from QML (by default a
// RichTextScale showing widgetStr).
class TextView
{
public:
    TextView(int w, int h, const QString& widgetStr, const QString& item = "RichTextScale { id: t }",
             const QColor& background = Qt::black)
    {
        app();
        view.resize(w, h);
        view.setColor(background);
        QQmlComponent host(view.engine());
        host.setData("import QtQuick 2.15\nimport an.kest.text 1.0\nItem { property alias text: t; " +
                         item.toUtf8() + " }\n",
                     QUrl("qrc:/preview/qml/text/TestHost.qml"));
        root.reset(qobject_cast<QQuickItem*>(host.beginCreate(view.engine()->rootContext())));
        if (!root) {
            ADD_FAILURE() << host.errorString().toStdString();
            return;
        }
        root->setSize(QSizeF(w, h));
        text = root->property("text").value<QQuickItem*>();
        if (!widgetStr.isNull())
            text->setProperty("widgetStr", widgetStr);
        host.completeCreate();
        root->setParentItem(view.contentItem());
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QImage grab() { return view.grabWindow(); }

    struct AppFirst
    {
        AppFirst() { app(); }
    } appFirst;
    QQuickView view;
    std::unique_ptr<QQuickItem> root;
    QQuickItem* text = nullptr;
};

// Grabs the view until its picture meets pred; fails the test with what
// when ms pass first. Returns the last picture.
QImage grabUntil(TextView& v, const std::function<bool(const QImage&)>& pred, const char* what, int ms = 5000)
{
    QImage img;
    const bool met = QTest::qWaitFor([&] { return pred(img = v.grab()); }, ms);
    EXPECT_TRUE(met) << what << ": not within " << ms << " ms";
    return img;
}

bool hasRed(const QImage& img)
{
    return count(img, isRed) > 100;
}
bool hasGreen(const QImage& img)
{
    return count(img, isGreen) > 100;
}

// Two lines of 100-pixel text, red then green: one line per page at 150 px.
TextSetup twoPages(const QString& type)
{
    TextSetup s;
    s.type = type;
    s.paragraphs = QJsonArray{paragraph(QJsonArray{line("RRRR", "r"), line("GGGG", "g")})};
    s.attributes = QJsonArray{attribute("r", "#ffff0000", 100), attribute("g", "#ff00ff00", 100)};
    return s;
}

} // namespace

// Pages still switch when the effect cannot be made (an unknown code).
TEST(TextRender, UnknownEffectCodeStillSwitchesPages)
{
    TextSetup s = twoPages("PAGE_SWITCH");
    s.effect = 12345;
    s.effectDuration = 300;
    TextView v(400, 150, record(s));
    grabUntil(v, hasRed, "page one");
    grabUntil(v, hasGreen, "page two");
}

// Markup characters in a run are shown as text, never read as markup.
TEST(TextRender, MarkupCharactersInRunsAreShownAsText)
{
    TextSetup s;
    s.type = "STATIC";
    s.paragraphs =
        QJsonArray{paragraph(QJsonArray{line("<span style=\"color:#00ff00\">GG</span> & <b>x</b>", "r")})};
    s.attributes = QJsonArray{attribute("r", "#ffff0000", 30)};
    TextView v(900, 300, record(s));
    QImage img = grabUntil(
        v, [](const QImage& i) { return count(i, isRed) > 500; }, "the text");
    EXPECT_EQ(count(img, isGreen), 0);
}

namespace {

// Measures the speed of a moving red block between two grabs.
double measuredSpeed(TextView& v, bool horizontal, int gapMs)
{
    // Measured once the block has come in whole: not touching an edge.
    grabUntil(
        v,
        [&](const QImage& i) {
            if (horizontal)
                return leftmost(i, isRed) > 0 && rightmost(i, isRed) < i.width() - 1;
            return topmost(i, isRed) > 0 && bottommost(i, isRed) < i.height() - 1;
        },
        "the whole block");
    QElapsedTimer clock;
    QImage a = v.grab();
    clock.start();
    QTest::qWait(gapMs);
    QImage b = v.grab();
    const double seconds = clock.elapsed() / 1000.0;
    const int pa = horizontal ? leftmost(a, isRed) : topmost(a, isRed);
    const int pb = horizontal ? leftmost(b, isRed) : topmost(b, isRed);
    EXPECT_GE(pa, 0);
    EXPECT_GE(pb, 0);
    return (pa - pb) / seconds;
}

TextSetup marquee(const QString& animation, int speed, bool jagged)
{
    TextSetup s;
    s.type = "SCROLL";
    s.animation = animation;
    s.speed = speed;
    s.jagged = jagged;
    s.paragraphs = QJsonArray{paragraph(QJsonArray{line("\u2588\u2588", "r")})};
    s.attributes = QJsonArray{attribute("r", "#ffff0000", 40)};
    return s;
}

} // namespace

// Each marquee moves its way at the set speed, hard-edged or not.
TEST(TextRender, MarqueesMoveTheirWayAtTheSetSpeed)
{
    const struct
    {
        const char* animation;
        bool jagged;
        int w, h, speed;
        double expected; // pixels a second towards the left or the top
    } cases[] = {{"MARQUEE_LEFT", true, 800, 100, 100, 100.0},
                 {"MARQUEE_RIGHT", false, 800, 100, 100, -100.0},
                 {"MARQUEE_UP", false, 200, 600, 80, 80.0},
                 {"MARQUEE_DOWN", false, 200, 600, 80, -80.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animation);
        TextView v(c.w, c.h, record(marquee(c.animation, c.speed, c.jagged)));
        EXPECT_NEAR(measuredSpeed(v, c.w > c.h, 1500), c.expected, std::abs(c.expected) / 10);
    }
}

// Bad records: logged, nothing shown, no crash, no hang.
TEST(TextRender, BadRecordsShowNothingAndDoNotCrash)
{
    const QStringList bad = {
        "",
        "{not json",
        "[1,2,3]",
        "{\"metadata\":5}",
        "{\"metadata\":{\"content\":{\"paragraphs\":\"x\"}}}",
        "{\"metadata\":{\"content\":{\"paragraphs\":[{\"lines\":[]}]}}}",
        "{\"metadata\":{\"content\":{\"paragraphs\":[{\"lines\":[{\"segs\":[]}]}]}}}",
        "{\"metadata\":{\"content\":{\"paragraphs\":[null],\"displayStyle\":{\"type\":\"SCROLL\"}}}}",
    };
    // A good record shows within this time; a bad one stays dark as long.
    QElapsedTimer shown;
    {
        TextSetup s = twoPages("STATIC");
        TextView good(300, 100, record(s));
        shown.start();
        grabUntil(
            good, [](const QImage& i) { return count(i, isRed) > 0; }, "the good record");
    }
    const int quiet = std::max<int>(200, 2 * static_cast<int>(shown.elapsed()));
    for (const QString& widgetStr : bad) {
        TextView v(300, 100, widgetStr);
        QTest::qWait(quiet);
        EXPECT_EQ(count(v.grab(), [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 60; }), 0)
            << widgetStr.toStdString();
    }
}

TEST(TextRender, EmptyTextReportsAnError)
{
    TextSetup s;
    s.paragraphs = QJsonArray{paragraph(QJsonArray{})};
    TextView v(300, 100, "{}");
    QQuickItem* inner = nullptr;
    for (QQuickItem* child : v.text->childItems())
        if (child->metaObject()->indexOfSignal("baseMediaError(QString)") >= 0)
            inner = child;
    ASSERT_NE(inner, nullptr);
    QSignalSpy spy(inner, SIGNAL(baseMediaError(QString)));
    QMetaObject::invokeMethod(inner, "init");
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString().toStdString(), "[RichText] RichText.onError error ,text is empty ");
}

// Wrong member types, huge sizes, empty paragraphs and unknown codes mixed in
// one record: the valid text still shows.
TEST(TextRender, WrongTypesAndHugeValuesStillShowText)
{
    TextSetup s = twoPages("PAGE_SWITCH");
    s.effect = 999999;
    s.effectDuration = -5;
    s.remainDuration = -1;
    s.paragraphs.append(QJsonObject{{"lines", "none"}});
    s.paragraphs.append(paragraph(QJsonArray{line("", "r"), line("x", "missing")}));
    s.attributes.append(QJsonObject{{"key", 5}, {"attributes", "bad"}});
    s.attributes.append(attribute("huge", "#ffff0000", 100000000));
    TextView v(400, 150, record(s));
    grabUntil(v, hasRed, "the valid text");
}

TEST(TextRender, HundredThousandCharactersPageWithoutHanging)
{
    TextSetup s;
    s.type = "PAGE_SWITCH";
    QString text;
    while (text.size() < 100000)
        text += "signage preview text ";
    text.truncate(100000);
    s.paragraphs = QJsonArray{paragraph(QJsonArray{line(text, "r")})};
    s.attributes = QJsonArray{attribute("r", "#ffff0000", 20)};
    TextView v(1920, 1080, record(s));
    grabUntil(
        v, [](const QImage& i) { return count(i, isRed) > 1000; }, "the first page", 10000);
}

// The background: transparent leaves what is behind, a colour fills the whole
// item; the glyphs are hard-edged, only text colour and background.
TEST(TextRender, NWTextBackgroundAndHardEdges)
{
    const struct
    {
        const char* background;
        QRgb corner; // at (190, 90) and, when filled, (0, 0)
    } cases[] = {
        {"#00000000", qRgb(0, 0, 255)}, {"#ffff0000", qRgb(255, 0, 0)}, {"#ff000000", qRgb(0, 0, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.background);
        TextView v(200, 100, QString(),
                   QString("NWText { id: t; width: 200; height: 100; nwWidth: 200; nwHeight: 100;"
                           " nwTextFormat: NWText.RichText; nwBackgroundColor: '%1';"
                           " nwText: '<span style=\"color:#ffffff;font-size:20px\">Hi</span>' }")
                       .arg(c.background),
                   QColor(0, 0, 255));
        const QImage img = grabUntil(
            v,
            [](const QImage& i) {
                return count(i, [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 200; }) > 10;
            },
            "the text");
        EXPECT_EQ(img.pixel(190, 90), c.corner);
        if (c.corner != qRgb(0, 0, 255)) {
            EXPECT_EQ(img.pixel(0, 0), c.corner);
        }
        EXPECT_EQ(count(img, [&](QRgb p) { return p != c.corner && p != qRgb(255, 255, 255); }), 0);
    }
}

namespace {

int countIn(const QImage& img, const QRect& r, const std::function<bool(QRgb)>& pred)
{
    return count(img.copy(r), pred);
}

} // namespace

// A fold spreads one strip over rectangles: each shows its own section at its
// own place, nothing shows between them.
TEST(TextRender, FoldShowsStripSectionsInTheirRectangles)
{
    TextSetup s;
    s.type = "STATIC";
    app();
    // Red blocks up to 200 pixels into the strip, green blocks after them.
    QFont font("DejaVu Sans");
    font.setPixelSize(25);
    const int advance = QFontMetrics(font).horizontalAdvance(QChar(0x2588));
    ASSERT_GT(advance, 0);
    QJsonObject red{{"content", QString(200 / advance, QChar(0x2588))}, {"attributeKey", "r"}};
    QJsonObject green{{"content", QString(200 / advance, QChar(0x2588))}, {"attributeKey", "g"}};
    s.paragraphs = QJsonArray{paragraph(QJsonArray{QJsonObject{{"segs", QJsonArray{red, green}}}})};
    s.attributes = QJsonArray{attribute("r", "#ffff0000", 25), attribute("g", "#ff00ff00", 25)};
    QJsonDocument doc = QJsonDocument::fromJson(record(s).toUtf8());
    QJsonObject w = doc.object();
    w["fold"] = QJsonObject{
        {"enable", true},
        {"orientation", 0},
        {"count", 2},
        {"layoutItems", QJsonArray{QJsonObject{{"x", 0}, {"y", 100}, {"width", 200}, {"height", 50}},
                                   QJsonObject{{"x", 0}, {"y", 0}, {"width", 200}, {"height", 50}}}}};
    TextView v(200, 150, QString::fromUtf8(QJsonDocument(w).toJson(QJsonDocument::Compact)));
    QImage img = grabUntil(
        v,
        [](const QImage& i) {
            return countIn(i, QRect(0, 100, 200, 50), isRed) > 100 &&
                   countIn(i, QRect(0, 0, 200, 50), isGreen) > 100;
        },
        "both sections");
    // The first rectangle (bottom) shows the start of the strip: red.
    EXPECT_GT(countIn(img, QRect(0, 100, 200, 50), isRed), 100);
    EXPECT_EQ(countIn(img, QRect(0, 100, 100, 50), isGreen), 0);
    // The second (top) shows what follows: green.
    EXPECT_GT(countIn(img, QRect(0, 0, 200, 50), isGreen), 100);
    EXPECT_EQ(countIn(img, QRect(0, 0, 200, 50), isRed), 0);
    EXPECT_EQ(countIn(img, QRect(0, 50, 200, 50), [](QRgb p) { return isRed(p) || isGreen(p); }), 0);
}

// Jagged text pages through the hard-edged painter: the same pages, and no
// blended edge pixels.
TEST(TextRender, JaggedPagedTextHasHardEdges)
{
    TextSetup s = twoPages("PAGE_SWITCH");
    s.jagged = true;
    s.remainDuration = 1000;
    TextView v(400, 150, record(s));
    QImage first = grabUntil(v, hasRed, "page one");
    EXPECT_EQ(count(first, isGreen), 0);
    EXPECT_EQ(count(first, [](QRgb p) { return p != qRgb(0, 0, 0) && p != qRgb(255, 0, 0); }), 0);
    QImage second = grabUntil(v, hasGreen, "page two");
    EXPECT_EQ(count(second, [](QRgb p) { return p != qRgb(0, 0, 0) && p != qRgb(0, 255, 0); }), 0);
}

// Very long scrolling texts, hard-edged or not, in every direction.
TEST(TextRender, HugeScrollingTextsDoNotCrash)
{
    QString text;
    while (text.size() < 100000)
        text += "scrolling signage text ";
    text.truncate(100000);
    for (const char* animation : {"MARQUEE_LEFT", "MARQUEE_UP", "PAN_LEFT"}) {
        for (bool jagged : {false, true}) {
            TextSetup s = marquee(animation, 200, jagged);
            s.paragraphs = QJsonArray{paragraph(QJsonArray{line(text, "r")})};
            TextView v(400, 300, record(s));
            SCOPED_TRACE(std::string(animation) + (jagged ? " jagged" : ""));
            grabUntil(
                v, [](const QImage& i) { return count(i, isRed) > 50; }, "the text");
        }
    }
}
