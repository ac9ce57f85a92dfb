// The entrance effects of pages run in a real Quick scene (Mesa's GL under
// Xvfb): every effect code loads without warnings, shows an intermediate
// picture, ends on the complete page and reports its end once; transparent
// parts of the page never cover the backdrop. Then the painted wheel, the
// painted-effect item and the item grabber on their own, and the effects
// started on a picture item.

#include "core/src/nwquickitem/effectqmltypes.h"
#include "core/src/nwquickitem/effectwheel.h"
#include "core/src/nwquickitem/nweffectdisplay.h"
#include "core/src/nwquickitem/nwquickitemimagehelper.h"
#include "support/logcapture.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QMutex>
#include <QPainter>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <vector>

using namespace testsupport;
using dorvo_preview::EffectWheel;
using dorvo_preview::NWEffectDisplay;

namespace {

constexpr int kDuration = 400;
const QRgb kBackdrop = qRgb(0x20, 0x80, 0xa0);
const QPoint kTransparentCell(60, 45); // centre of the page's transparent cell

// Every effect code; code 1 draws among all but 177 and 999.
const std::vector<int> kCodes = {16,  17,  18,  19,  20,  21,  22,  32,  33,  34,  35,  48,  49,  50,
                                 51,  52,  53,  64,  65,  96,  97,  112, 144, 160, 176, 177, 192, 193,
                                 194, 195, 208, 209, 210, 211, 240, 241, 242, 243, 244, 245, 999};

bool drawable(int code)
{
    return code != 177 && code != 999 && std::count(kCodes.begin(), kCodes.end(), code) == 1;
}

QMutex g_mutex;
QStringList g_messages, g_warnings; // Qt messages since the last clearMessages()

void handler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    QMutexLocker lock(&g_mutex);
    g_messages << text;
    // The platform's note about the runtime directory is not ours.
    if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("XDG_RUNTIME_DIR"))
        g_warnings << text;
    // Warnings always reach the test's output (a fatal one ends the process).
    if (type != QtDebugMsg || getenv("EFFECT_TEST_VERBOSE"))
        fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

QStringList messages()
{
    QMutexLocker lock(&g_mutex);
    return g_messages;
}

void clearMessages()
{
    QMutexLocker lock(&g_mutex);
    g_messages.clear();
    g_warnings.clear();
}

::testing::AssertionResult noWarnings()
{
    QMutexLocker lock(&g_mutex);
    if (g_warnings.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << g_warnings.join("\n").toStdString();
}

const QString kUndefined = "InOutEffect: effectObj is undefined!";

// Creates the application once; registerTypes false leaves the native QML
// types unregistered (for the first call of a process only).
void ensureApp(bool registerTypes = true)
{
    qInstallMessageHandler(handler);
    app<QGuiApplication>(registerTypes ? &dorvo_preview::registerEffectQmlTypes : nullptr);
}

void pump(int ms)
{
    spinUntil([] { return false; }, ms);
}

QVariant animation(const QVariant& type, const QVariant& duration = QVariant())
{
    QVariantMap m;
    m["type"] = type;
    if (duration.isValid())
        m["duration"] = duration;
    return m;
}

bool same(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Sample points (a grid over the scene) where pred(x, y) holds.
template <typename F> int samples(const QImage& image, F pred)
{
    int n = 0;
    for (int y = 3; y < image.height(); y += 7)
        for (int x = 4; x < image.width(); x += 7)
            n += pred(x, y) ? 1 : 0;
    return n;
}

int differingSamples(const QImage& a, const QImage& b)
{
    return samples(a, [&](int x, int y) { return !b.valid(x, y) || !same(a.pixel(x, y), b.pixel(x, y)); });
}

// The test scene (effect_scene.qml) in a view: a backdrop, a page of 4 x 4
// coloured cells with one transparent cell, a picture, an effect selector.
class Scene
{
public:
    Scene()
    {
        ensureApp();
        view_ = std::make_unique<QQuickView>();
        view_->setColor(Qt::black);
        view_->setSource(QUrl::fromLocalFile(QStringLiteral(EFFECT_SCENE_QML)));
        for (const auto& error : view_->errors())
            ADD_FAILURE() << error.toString().toStdString();
        root_ = view_->rootObject();
        view_->show();
        spinUntil([this] { return view_->isExposed(); });
        pump(50);
        // The complete page over the backdrop, and the backdrop alone.
        page()->setVisible(true);
        final = grab();
        page()->setVisible(false);
        before = grab();
    }
    ~Scene()
    {
        view_.reset();
        QCoreApplication::processEvents();
    }

    QQuickItem* root() const { return root_; }
    QQuickItem* page() const { return root_->findChild<QQuickItem*>("page"); }
    QImage grab() { return view_->grabWindow().convertToFormat(QImage::Format_RGB32); }
    int endCount() const { return root_->property("endCount").toInt(); }
    void call(const char* function) { QMetaObject::invokeMethod(root_, function); }

    QObject* makeEffect(const QVariant& inAnimation)
    {
        QVariant result;
        QMetaObject::invokeMethod(root_, "makeEffect", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, inAnimation));
        return qvariant_cast<QObject*>(result);
    }
    QObject* effectObj() const
    {
        auto* selector = qvariant_cast<QObject*>(root_->property("effect"));
        return selector ? qvariant_cast<QObject*>(selector->property("effectObj")) : nullptr;
    }
    // Runs the effect started by call(function) to its end: the complete page.
    ::testing::AssertionResult endsComplete(int ends, const char* function = "startOnPage")
    {
        if (function)
            call(function);
        if (!spinUntil([&] { return endCount() == ends; }))
            return ::testing::AssertionFailure() << "no end " << ends;
        pump(30);
        if (const int n = differingSamples(grab(), final))
            return ::testing::AssertionFailure() << n << " samples off the complete page";
        return ::testing::AssertionSuccess();
    }

    QImage final, before;

private:
    std::unique_ptr<QQuickView> view_;
    QQuickItem* root_ = nullptr;
};

double progressOf(QObject* obj)
{
    return obj ? obj->property("progress").toDouble() : -1.0;
}

// Puts the effect at the given progress (0..1) while it is paused.
void setProgress(QObject* obj, double p)
{
    const QVariant usePercent = obj->property("usePercent");
    if (!usePercent.isValid())
        obj->setProperty("percent", p); // the painted effect: 0.0 .. 1.0
    else if (usePercent.toBool())
        obj->setProperty("percent", p * 100.0);
    else
        obj->setProperty("max", 1.0 - p);
}

// Starts the effect on the page and holds it at its start; false when the
// painted effect's capture does not arrive.
bool startHeld(Scene& scene, QObject* selector, QObject* obj)
{
    scene.call("startOnPage");
    QMetaObject::invokeMethod(selector, "pause");
    return !obj->property("captured").isValid() ||
           spinUntil([&] { return obj->property("captured").toBool(); });
}

int codeOf(QObject* obj)
{
    return obj->property("dir").isValid() ? obj->property("dir").toInt() : 999;
}

class EffectCode : public ::testing::TestWithParam<int>
{};

TEST_P(EffectCode, RunsFromStartToCompletePage)
{
    const int code = GetParam();
    Scene scene;
    ASSERT_GE(differingSamples(scene.final, scene.before),
              samples(scene.final, [](int, int) { return true; }) * 9 / 10);
    clearMessages();

    QObject* selector = scene.makeEffect(animation(code, kDuration));
    ASSERT_NE(selector, nullptr);
    EXPECT_TRUE(messages().contains(QString("effect type = %1").arg(code)));
    QObject* obj = scene.effectObj();
    ASSERT_NE(obj, nullptr) << "no effect item for code " << code;
    EXPECT_EQ(codeOf(obj), code);

    // Paused at once: the effect holds at its start (the painted one once
    // its capture has arrived), whatever the machine's pace.
    ASSERT_TRUE(startHeld(scene, selector, obj));
    pump(100);
    const double pausedAt = progressOf(obj);
    EXPECT_DOUBLE_EQ(pausedAt, 0.0) << "pause does not hold the effect";

    for (double p : {0.3, 0.5, 0.7}) {
        SCOPED_TRACE(p);
        setProgress(obj, p);
        const QImage mid = scene.grab();
        const int all = samples(mid, [](int, int) { return true; });
        EXPECT_GT(differingSamples(mid, scene.before), all / 20);
        EXPECT_GT(differingSamples(mid, scene.final), all / 20);
        // Nothing in the scene is black: transparent texels must let the backdrop through.
        EXPECT_EQ(samples(mid, [&](int x, int y) { return same(mid.pixel(x, y), qRgb(0, 0, 0), 0x17); }), 0);
        if (code == 176) {
            // The fade: the transparent cell is exactly the backdrop, an
            // opaque cell the mix of its colour and the backdrop.
            EXPECT_TRUE(same(mid.pixel(kTransparentCell), kBackdrop))
                << std::hex << mid.pixel(kTransparentCell);
            const int red = qRound(qRed(scene.final.pixel(20, 15)) * p + qRed(kBackdrop) * (1 - p));
            EXPECT_NEAR(qRed(mid.pixel(20, 15)), red, 3);
        }
    }
    setProgress(obj, pausedAt);
    EXPECT_EQ(scene.endCount(), 0);

    QMetaObject::invokeMethod(selector, "resume");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() >= 1; })) << "no effectEnd";
    pump(150);
    EXPECT_EQ(scene.endCount(), 1);
    EXPECT_DOUBLE_EQ(progressOf(obj), 1.0);
    const QImage last = scene.grab();
    EXPECT_EQ(differingSamples(last, scene.final), 0) << "does not end on the page";
    EXPECT_TRUE(same(last.pixel(kTransparentCell), kBackdrop));
    if (obj->property("status").isValid()) {
        EXPECT_EQ(obj->property("status").toInt(), 0) << obj->property("log").toString().toStdString();
    }
    EXPECT_TRUE(noWarnings());
}

INSTANTIATE_TEST_SUITE_P(AllCodes, EffectCode, ::testing::ValuesIn(kCodes),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Code" + std::to_string(info.param);
                         });

// 177, 242, 244 and 245 all open from the middle line; 240 and 241 from
// the top and the bottom edge.
TEST(EffectCleavage, OpeningsByCode)
{
    std::map<int, QImage> frames;
    for (int code : {177, 242, 244, 245, 240, 241, 243}) {
        Scene scene;
        QObject* selector = scene.makeEffect(animation(code, kDuration));
        QObject* obj = scene.effectObj();
        ASSERT_NE(obj, nullptr);
        startHeld(scene, selector, obj);
        setProgress(obj, 0.5);
        frames[code] = scene.grab();
    }
    for (int code : {242, 244, 245})
        EXPECT_EQ(differingSamples(frames[code], frames[177]), 0) << code;
    const QImage& middle = frames[177];
    // Rows 10 and 110 stay closed, row 60 is open (a page cell, not the backdrop).
    EXPECT_TRUE(same(middle.pixel(20, 10), kBackdrop));
    EXPECT_TRUE(same(middle.pixel(20, 110), kBackdrop));
    EXPECT_FALSE(same(middle.pixel(20, 60), kBackdrop));
    EXPECT_FALSE(same(frames[240].pixel(20, 10), kBackdrop));
    EXPECT_TRUE(same(frames[240].pixel(20, 110), kBackdrop));
    EXPECT_TRUE(same(frames[241].pixel(20, 10), kBackdrop));
    EXPECT_FALSE(same(frames[241].pixel(20, 110), kBackdrop));
    EXPECT_FALSE(same(frames[243].pixel(20, 10), kBackdrop));
    EXPECT_FALSE(same(frames[243].pixel(20, 110), kBackdrop));
    EXPECT_TRUE(same(frames[243].pixel(20, 60), kBackdrop));
}

// Code 1 draws a code of the list for each page; the list's nearest code
// stands for a number between its codes (the first of two equally near).
TEST(EffectRandom, DrawsCodesOfTheList)
{
    Scene scene;
    QObject* selector = scene.makeEffect(animation(1, 40));
    ASSERT_NE(selector, nullptr);
    ASSERT_NE(scene.effectObj(), nullptr) << "code 1 starts with an effect item";
    std::set<int> seen;
    for (int i = 0; i < 12; ++i) {
        clearMessages();
        scene.call("startOnPage");
        const int code = selector->property("currentCode").toInt();
        EXPECT_TRUE(drawable(code)) << code;
        ASSERT_NE(scene.effectObj(), nullptr);
        EXPECT_EQ(codeOf(scene.effectObj()), code);
        seen.insert(code);
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == i + 1; })) << "code " << code;
        EXPECT_TRUE(noWarnings());
    }
    EXPECT_GE(seen.size(), 3u);
    auto nearest = [&](int n) {
        QVariant result;
        QMetaObject::invokeMethod(selector, "nearestCode", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, n));
        return result.toInt();
    };
    for (const auto& c :
         std::map<int, int>{{100, 97}, {16, 16}, {245, 245}, {27, 22}, {128, 112}, {129, 144}})
        EXPECT_EQ(nearest(c.first), c.second) << c.first;
    for (int n = 16; n <= 245; ++n)
        EXPECT_TRUE(drawable(nearest(n))) << n;
}

// Codes without an effect, unusable effect records (read as no effect) and
// zero or negative durations: the page is shown as it is and the end is
// reported once, nothing hangs; without an effect every call says so.
TEST(EffectBadInput, UnusableRecordsShowThePageWithoutEffect)
{
    const struct
    {
        QVariant record;
        bool noEffect;
        int duration = -1; // the duration run, when checked
    } cases[] = {
        {QVariant(), true},
        {QString("not an object"), true},
        {42, true},
        {animation("sixteen", 300), true},
        {animation(QVariant()), true},
        {animation(1e300, 300), true},
        {animation(17, 0), false, 0},
        {animation(17, -100), false, 0},
        {animation(-5, kDuration), true},
        {animation(0, kDuration), true},
        {animation(2, kDuration), true},
        {animation(998, kDuration), true},
        {animation(2147483647, kDuration), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QJsonDocument::fromVariant(QVariantList{c.record}).toJson().toStdString());
        Scene scene;
        clearMessages();
        QObject* selector = scene.makeEffect(c.record);
        ASSERT_NE(selector, nullptr);
        EXPECT_EQ(scene.effectObj() == nullptr, c.noEffect);
        if (c.duration >= 0) {
            EXPECT_EQ(selector->property("duration").toInt(), c.duration);
        }
        scene.call("startOnPage");
        EXPECT_EQ(messages().contains(kUndefined), c.noEffect);
        ASSERT_TRUE(scene.endsComplete(1, nullptr));
        if (c.noEffect) {
            clearMessages();
            for (const char* fn : {"pause", "resume", "stop", "getEffectObj"})
                QMetaObject::invokeMethod(selector, fn);
            EXPECT_EQ(messages().count(kUndefined), 4);
        }
        EXPECT_TRUE(noWarnings());
    }
    // A duration that is not a number runs the default second.
    Scene scene;
    QObject* selector = scene.makeEffect(animation(16, "fast"));
    EXPECT_EQ(selector->property("duration").toInt(), 1000);
    EXPECT_EQ(scene.effectObj()->property("effectDuration").toInt(), 1000);
}

// Without its native item the painted effect cannot load: logged, and the
// page is shown without an effect.
TEST(EffectBadInput, PaintedEffectWithoutItsType)
{
    if (QCoreApplication::instance())
        GTEST_SKIP() << "needs a process of its own (as ctest runs it)";
    ensureApp(false);
    Scene scene;
    clearMessages();
    scene.makeEffect(animation(999, 300));
    EXPECT_EQ(scene.effectObj(), nullptr);
    const QStringList logged = messages();
    EXPECT_TRUE(std::any_of(logged.begin(), logged.end(), [](const QString& m) {
        return m.startsWith("load component error");
    })) << logged.join("\n").toStdString();
    scene.call("startOnPage");
    EXPECT_TRUE(messages().contains(kUndefined));
    EXPECT_TRUE(scene.endsComplete(1, nullptr));
}

// A stop right after the start, before anything was drawn (or captured),
// leaves the whole page. A stop halfway completes an effect that always runs
// to its end; a fade or an opening stays where it was (at the start: nothing
// of the page). Neither reports an end; a new start runs again and ends once.
TEST(EffectControl, StopCompletesOrHolds)
{
    for (int code : {16, 35, 112, 144, 999, 176, 240}) {
        SCOPED_TRACE(code);
        const bool holds = code == 176 || code == 240;
        Scene scene;
        QObject* selector = scene.makeEffect(animation(code, 600));
        QObject* obj = scene.effectObj();
        scene.call("startOnPage");
        QMetaObject::invokeMethod(selector, "stop");
        const QImage& atStart = holds ? scene.before : scene.final;
        EXPECT_TRUE(spinUntil([&] { return differingSamples(scene.grab(), atStart) == 0; }));
        pump(100);
        EXPECT_EQ(differingSamples(scene.grab(), atStart), 0);

        ASSERT_TRUE(startHeld(scene, selector, obj));
        setProgress(obj, 0.5);
        QMetaObject::invokeMethod(selector, "stop");
        const double at = progressOf(obj);
        pump(700);
        EXPECT_EQ(scene.endCount(), 0);
        EXPECT_DOUBLE_EQ(progressOf(obj), holds ? at : 1.0);
        EXPECT_EQ(differingSamples(scene.grab(), scene.final) > 0, holds);
        EXPECT_TRUE(scene.endsComplete(1));
        EXPECT_TRUE(noWarnings());
    }
}

// Changing the code of a live selector replaces its effect; a code without
// an effect gives the page back to the scene.
TEST(EffectControl, CodeChangeAfterUse)
{
    Scene scene;
    QObject* selector = scene.makeEffect(animation(19, 80));
    ASSERT_TRUE(scene.endsComplete(1));
    selector->setProperty("inAnimation", animation(35, 120));
    QObject* obj = scene.effectObj();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->property("dir").toInt(), 35);
    EXPECT_EQ(obj->property("effectDuration").toInt(), 120);
    EXPECT_TRUE(scene.endsComplete(2));
    selector->setProperty("inAnimation", animation(35, 250));
    EXPECT_EQ(scene.effectObj()->property("effectDuration").toInt(), 250);
    selector->setProperty("inAnimation", animation(12345, 250));
    EXPECT_EQ(scene.effectObj(), nullptr);
    EXPECT_TRUE(scene.endsComplete(3));
    EXPECT_TRUE(noWarnings());
}

// A page laid out only after the start of its effect still ends complete.
TEST(EffectControl, PageSizedAfterStart)
{
    for (int code : {20, 144, 999}) {
        Scene scene;
        scene.page()->setSize(QSizeF(0, 0));
        scene.makeEffect(animation(code, 200));
        scene.call("startOnPage");
        scene.page()->setSize(QSizeF(160, 120));
        EXPECT_TRUE(scene.endsComplete(1, nullptr)) << code;
    }
}

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
        for (const auto& at :
             {std::make_pair(QPoint(10, 60), c.left), std::make_pair(QPoint(90, 60), c.right)}) {
            const QRgb p = image.pixel(at.first);
            EXPECT_EQ(qAlpha(p) == 255 && same(p, kFill, 0), at.second);
            EXPECT_EQ(qAlpha(p) == 0, !at.second);
        }
    }
}

// The painted-effect item and the item grabber refuse what they cannot use.
TEST(NativeEffectItems, RefuseMissingSourcesAndBadValues)
{
    Scene scene;
    auto sink = captureLog();
    NWEffectDisplay display;
    EXPECT_FALSE(display.start());
    EXPECT_EQ(countStartingWith(*sink, "NWEffectDisplay::start no source"), 1u);
    display.setPercent(0.4);
    display.setPercent(std::numeric_limits<double>::quiet_NaN());
    display.setPercent(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(display.percent(), 0.4);
    EXPECT_EQ(countStartingWith(*sink, "NWEffectDisplay::setPercent refused"), 2u);
    display.setPercent(7.0);
    EXPECT_DOUBLE_EQ(display.percent(), 1.0);
    display.setPercent(-1.0);
    EXPECT_DOUBLE_EQ(display.percent(), 0.0);
    display.setType(static_cast<NWEffectDisplay::EffectType>(42));
    EXPECT_EQ(display.type(), NWEffectDisplay::Wheel);
    EXPECT_FALSE(display.hasPicture());

    dorvo_preview::NWQuickItemImageHelper helper;
    EXPECT_FALSE(helper.grab(nullptr));
    QQuickItem loose; // in no window
    loose.setSize(QSizeF(10, 10));
    EXPECT_FALSE(helper.grab(&loose));
    EXPECT_EQ(countStartingWith(*sink, "grab image fail"), 2u);
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
        SCOPED_TRACE(code);
        const bool none = code < 0;
        Scene scene;
        scene.root()->setProperty("pictureUrl", QUrl::fromLocalFile(path));
        pump(50);
        clearMessages();
        QObject* selector = scene.makeEffect(animation(code, 300));
        QObject* obj = scene.effectObj();
        EXPECT_EQ(obj == nullptr, none);
        scene.call("startOnPicture");
        EXPECT_EQ(messages().contains(kUndefined), none);
        if (obj) {
            ASSERT_TRUE(spinUntil([&] { return progressOf(obj) > 0.0; }));
            QMetaObject::invokeMethod(selector, "pause");
            setProgress(obj, 0.5);
            EXPECT_GT(differingSamples(scene.grab(), scene.before), 10);
            QMetaObject::invokeMethod(selector, "resume");
        }
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; }));
        pump(30);
        const QImage last = scene.grab();
        EXPECT_TRUE(same(last.pixel(20, 20), qRgb(0xff, 0x40, 0x40)));
        EXPECT_TRUE(same(last.pixel(120, 20), qRgb(0x40, 0xff, 0x40)));
        EXPECT_TRUE(same(last.pixel(120, 100), kBackdrop)) << std::hex << last.pixel(120, 100);
        EXPECT_TRUE(noWarnings());
    }
}

} // namespace
