// The painted wheel, the painted-effect item and the item grabber on their
// own (test_effect runs the painted effect in the scene); the effects
// started on a picture item.

#include "effecttestscene.h"
#include "support/logcapture.h"

#include "core/src/nwquickitem/effectwheel.h"
#include "core/src/nwquickitem/nweffectdisplay.h"
#include "core/src/nwquickitem/nwquickitemimagehelper.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>

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

// The wheel sweeps clockwise from the top's middle: halfway it shows the
// right half; the running point of each stretch follows the wheel's table.
TEST(EffectWheelPaint, SweepsClockwiseFromTheTop)
{
    const QPolygonF expected = QPolygonF() << QPointF(50, 40) << QPointF(50, 0) << QPointF(100, 0)
                                           << QPointF(100, 80) << QPointF(50, 80);
    EXPECT_EQ(EffectWheel::polygonAt(0.5f, kW, kH), expected);
    EXPECT_EQ(EffectWheel::polygonAt(0.0625f, kW, kH).last(), QPointF(75, 0));
    EXPECT_EQ(EffectWheel::polygonAt(0.25f, kW, kH).last(), QPointF(100, 40));
    EXPECT_EQ(EffectWheel::polygonAt(0.75f, kW, kH).last(), QPointF(-1, 40));
    EXPECT_EQ(EffectWheel::polygonAt(0.9375f, kW, kH).last(), QPointF(25, 0));
    EXPECT_EQ(EffectWheel::polygonAt(1.0f, kW, kH).size(), 4);

    // Nothing at the start or without a picture, all of it from the end on.
    const struct
    {
        float progress;
        bool picture;
        bool left, right; // painted at (10, 60) and (90, 60)
    } cases[] = {{0.0f, true, false, false},
                 {0.5f, false, false, false},
                 {0.5f, true, false, true},
                 {1.0f, true, true, true},
                 {1.5f, true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.progress);
        const QImage image = paintWheel(c.progress, c.picture);
        EXPECT_EQ(painted(image, 10, 60), c.left);
        EXPECT_EQ(clear(image, 10, 60), !c.left);
        EXPECT_EQ(painted(image, 90, 60), c.right);
        EXPECT_EQ(clear(image, 90, 60), !c.right);
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

TEST(NWQuickItemImageHelperGrab, RefusesMissingItems)
{
    Scene scene;
    auto sink = testsupport::captureLog();
    NWQuickItemImageHelper helper;
    EXPECT_FALSE(helper.grab(nullptr));
    QQuickItem loose; // in no window
    loose.setSize(QSizeF(10, 10));
    EXPECT_FALSE(helper.grab(&loose));
    EXPECT_EQ(testsupport::countStartingWith(*sink, "grab image fail"), 2u);
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

    for (int code : {17, 144, 999, -5}) {
        const bool none = code < 0;
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
