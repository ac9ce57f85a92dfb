// The painted wheel, the painted-effect item and the item grabber, on their
// own and in the test scene; plus the effects started on a picture item.

#include "effecttestscene.h"
#include "support/logcapture.h"

#include "core/src/nwquickitem/effectwheel.h"
#include "core/src/nwquickitem/nweffectdisplay.h"
#include "core/src/nwquickitem/nwquickitemimagehelper.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using namespace effecttest;
using dorvo_preview::EffectWheel;
using dorvo_preview::NWEffectDisplay;
using dorvo_preview::NWQuickItemImageHelper;

namespace {

constexpr int kW = 100, kH = 80;
const QRgb kFill = qRgb(200, 40, 40);

// The wheel at progress over a transparent image (without a picture it
// paints nothing, nor without a painter).
QImage paintWheel(float progress, bool withPicture = true)
{
    ensureApp();
    EffectWheel wheel;
    QPixmap picture(kW, kH);
    picture.fill(QColor(kFill));
    if (withPicture)
        wheel.picture = picture;
    wheel.width = kW;
    wheel.height = kH;
    wheel.progress = progress;
    QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    wheel.paint(&painter);
    wheel.paint(nullptr);
    painter.end();
    return image;
}

bool painted(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 255 && same(image.pixel(x, y), kFill, 0);
}

bool clear(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

TEST(EffectWheelPaint, HalfWayShowsTheRightHalf)
{
    const QImage image = paintWheel(0.5f);
    for (int y = 1; y < kH - 1; y += 3) {
        for (int x = 1; x < kW - 1; x += 3) {
            if (x > kW / 2 + 1) {
                EXPECT_TRUE(painted(image, x, y)) << x << "," << y;
            }
            if (x < kW / 2 - 1) {
                EXPECT_TRUE(clear(image, x, y)) << x << "," << y;
            }
        }
    }
    const QPolygonF poly = EffectWheel::polygonAt(0.5f, kW, kH);
    const QPolygonF expected = QPolygonF() << QPointF(50, 40) << QPointF(50, 0) << QPointF(100, 0)
                                           << QPointF(100, 80) << QPointF(50, 80);
    EXPECT_EQ(poly, expected);
    // The running point of each stretch, as the table of the wheel gives it.
    EXPECT_EQ(EffectWheel::polygonAt(0.0625f, kW, kH).last(), QPointF(75, 0));
    EXPECT_EQ(EffectWheel::polygonAt(0.25f, kW, kH).last(), QPointF(100, 40));
    EXPECT_EQ(EffectWheel::polygonAt(0.75f, kW, kH).last(), QPointF(-1, 40));
    EXPECT_EQ(EffectWheel::polygonAt(0.9375f, kW, kH).last(), QPointF(25, 0));
    EXPECT_EQ(EffectWheel::polygonAt(1.0f, kW, kH).size(), 4);
}

TEST(EffectWheelPaint, StartQuarterAndEnd)
{
    for (const QImage& image : {paintWheel(0.0f), paintWheel(0.5f, false)})
        for (int y = 0; y < kH; y += 4)
            for (int x = 0; x < kW; x += 4)
                EXPECT_TRUE(clear(image, x, y));

    // A quarter: the top-right quadrant up to the right side's middle.
    QImage image = paintWheel(0.25f);
    EXPECT_TRUE(painted(image, 90, 5));
    EXPECT_TRUE(painted(image, 60, 10));
    EXPECT_TRUE(clear(image, 90, 60));
    EXPECT_TRUE(clear(image, 20, 20));

    // Seven eighths: all but the top-left quadrant's upper triangle.
    image = paintWheel(0.8f);
    EXPECT_TRUE(painted(image, 10, 70));
    EXPECT_TRUE(painted(image, 2, 60));
    EXPECT_TRUE(clear(image, 10, 5));

    for (float p : {1.0f, 1.5f}) {
        image = paintWheel(p);
        for (int y = 0; y < kH; y += 4)
            for (int x = 0; x < kW; x += 4)
                EXPECT_TRUE(painted(image, x, y)) << p << ": " << x << "," << y;
    }
}

TEST(NWEffectDisplayItem, RefusesStartWithoutSourceAndBadPercent)
{
    ensureApp();
    auto sink = testsupport::captureLog();
    NWEffectDisplay display;
    EXPECT_FALSE(display.start());
    EXPECT_EQ(testsupport::countStartingWith(*sink, "NWEffectDisplay::start no source"), 1u);
    display.setPercent(0.4);
    EXPECT_DOUBLE_EQ(display.percent(), 0.4);
    display.setPercent(std::numeric_limits<double>::quiet_NaN());
    display.setPercent(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(display.percent(), 0.4);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "NWEffectDisplay::setPercent refused"), 2u);
    display.setPercent(7.0);
    EXPECT_DOUBLE_EQ(display.percent(), 1.0);
    display.setPercent(-1.0);
    EXPECT_DOUBLE_EQ(display.percent(), 0.0);
    display.setType(static_cast<NWEffectDisplay::EffectType>(42));
    EXPECT_EQ(display.type(), NWEffectDisplay::Wheel);
    EXPECT_FALSE(display.hasPicture());
}

TEST(NWQuickItemImageHelperGrab, RefusesMissingItemsAndGrabsAPage)
{
    Scene scene;
    auto sink = testsupport::captureLog();
    NWQuickItemImageHelper helper;
    EXPECT_FALSE(helper.grab(nullptr));
    QQuickItem loose; // in no window
    loose.setSize(QSizeF(10, 10));
    EXPECT_FALSE(helper.grab(&loose));
    EXPECT_EQ(testsupport::countStartingWith(*sink, "grab image fail"), 2u);

    QQuickItem* page = scene.root()->findChild<QQuickItem*>("page");
    ASSERT_NE(page, nullptr);
    page->setVisible(true);
    QSignalSpy spy(&helper, &NWQuickItemImageHelper::imageReady);
    ASSERT_TRUE(helper.grab(page));
    EXPECT_TRUE(helper.pending());
    ASSERT_TRUE(spinUntil([&] { return spy.count() == 1; }));
    EXPECT_FALSE(helper.pending());
    const QImage image = helper.image();
    ASSERT_EQ(image.size(), QSize(160, 120));
    EXPECT_TRUE(same(image.pixel(20, 15), qRgb(0xff, 0x40, 0x40)));
    EXPECT_EQ(qAlpha(image.pixel(kTransparentCell)), 0);
    pump(50);
    EXPECT_EQ(spy.count(), 1);
}

// The painted effect in the scene: partial wheel halfway, the whole page at
// the end, the backdrop through the transparent cell throughout.
TEST(NWEffectInScene, PaintsPartialThenFullPage)
{
    Scene scene;
    scene.showPage(true);
    const QImage final = scene.grab();
    scene.showPage(false);
    QObject* selector = scene.makeEffect(999, 400);
    QObject* obj = scene.effectObj();
    ASSERT_NE(obj, nullptr);
    EXPECT_TRUE(selector->property("cpuDrawingMethod").toBool());
    EXPECT_EQ(obj->property("duration").toInt(), 400);
    scene.call("startOnPage");
    ASSERT_TRUE(spinUntil([&] { return obj->property("progress").toDouble() > 0.0; }));
    QMetaObject::invokeMethod(selector, "pause");
    obj->setProperty("percent", 0.5);
    const QImage half = scene.grab();
    // Right half: the page; left half: the backdrop.
    EXPECT_TRUE(same(half.pixel(140, 100), final.pixel(140, 100)));
    EXPECT_TRUE(same(half.pixel(100, 20), final.pixel(100, 20)));
    EXPECT_TRUE(same(half.pixel(20, 100), kBackdrop));
    EXPECT_TRUE(same(half.pixel(kTransparentCell), kBackdrop));
    QMetaObject::invokeMethod(selector, "resume");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; }));
    pump(30);
    EXPECT_EQ(differingSamples(scene.grab(), final), 0);
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
}

// Effects started on a picture item instead of a captured page; a code
// without an effect shows the picture as it is.
TEST(EffectOnPicture, RunsOnAnImageItem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ensureApp();
    QImage picture(160, 120, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.fillRect(0, 0, 80, 120, QColor("#ff4040"));
    p.fillRect(80, 0, 80, 60, QColor("#40ff40"));
    p.end();
    const QString path = dir.filePath("picture.png");
    ASSERT_TRUE(picture.save(path));

    for (int code : {17, 34, 144, 176, 209, 999, -5, 12345}) {
        const bool none = code < 0 || code > 999;
        Scene scene;
        const QImage before = scene.grab();
        scene.root()->setProperty("pictureUrl", QUrl::fromLocalFile(path));
        pump(50);
        clearMessages();
        QObject* selector = scene.makeEffect(code, 300);
        QObject* obj = scene.effectObj();
        EXPECT_EQ(obj == nullptr, none) << code;
        scene.call("startOnPicture");
        EXPECT_EQ(hasMessage("InOutEffect: effectObj is undefined!"), none) << code;
        if (obj) {
            ASSERT_TRUE(spinUntil([&] { return obj->property("progress").toDouble() > 0.0; })) << code;
            QMetaObject::invokeMethod(selector, "pause");
            if (code == 999)
                obj->setProperty("percent", 0.5);
            else if (obj->property("usePercent").toBool())
                obj->setProperty("percent", 50.0);
            else
                obj->setProperty("max", 0.5);
            EXPECT_GT(differingSamples(scene.grab(), before), 10) << code;
            QMetaObject::invokeMethod(selector, "resume");
        }
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; })) << code;
        pump(30);
        const QImage last = scene.grab();
        EXPECT_TRUE(same(last.pixel(20, 20), qRgb(0xff, 0x40, 0x40))) << code;
        EXPECT_TRUE(same(last.pixel(120, 20), qRgb(0x40, 0xff, 0x40))) << code;
        EXPECT_TRUE(same(last.pixel(120, 100), kBackdrop)) << code << std::hex << " " << last.pixel(120, 100);
        EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
    }
}

} // namespace
