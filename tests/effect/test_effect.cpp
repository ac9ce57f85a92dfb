// The entrance effects of pages run in a real Quick scene (Mesa's GL under
// Xvfb): every effect code loads without warnings, shows an intermediate
// picture, ends on the complete page and reports its end once; transparent
// parts of the page never cover the backdrop.

#include "effecttestscene.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QQuickItem>
#include <QVariant>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

using namespace effecttest;

namespace {

constexpr int kDuration = 400;

// Every effect code; code 1 draws among all but 177 and 999.
const std::vector<int> kCodes = {16,  17,  18,  19,  20,  21,  22,  32,  33,  34,  35,  48,  49,  50,
                                 51,  52,  53,  64,  65,  96,  97,  112, 144, 160, 176, 177, 192, 193,
                                 194, 195, 208, 209, 210, 211, 240, 241, 242, 243, 244, 245, 999};

bool drawable(int code)
{
    return code != 177 && code != 999 && std::count(kCodes.begin(), kCodes.end(), code) == 1;
}

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

struct Frames
{
    QImage final;
    QImage before;
};

// The complete page over the backdrop, and the backdrop alone.
Frames referenceFrames(Scene& scene)
{
    Frames f;
    scene.showPage(true);
    f.final = scene.grab();
    scene.showPage(false);
    f.before = scene.grab();
    return f;
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

class EffectCode : public ::testing::TestWithParam<int>
{};

TEST_P(EffectCode, RunsFromStartToCompletePage)
{
    const int code = GetParam();
    Scene scene;
    ASSERT_TRUE(scene.ok());
    const Frames ref = referenceFrames(scene);
    ASSERT_GE(differingSamples(ref.final, ref.before), sampleCount(ref.final) * 9 / 10);
    clearMessages();

    QObject* selector = scene.makeEffect(code, kDuration);
    ASSERT_NE(selector, nullptr);
    EXPECT_TRUE(hasMessage(QString("effect type = %1").arg(code)));
    QObject* obj = scene.effectObj();
    ASSERT_NE(obj, nullptr) << "no effect item for code " << code;
    EXPECT_EQ(obj->property("dir").isValid() ? obj->property("dir").toInt() : 999, code);

    // Paused at once: the effect holds at its start (the painted one once
    // its capture has arrived), whatever the machine's pace.
    ASSERT_TRUE(startHeld(scene, selector, obj));
    pump(100);
    const double pausedAt = progressOf(obj);
    EXPECT_DOUBLE_EQ(pausedAt, 0.0) << "pause does not hold the effect";

    for (double p : {0.3, 0.5, 0.7}) {
        setProgress(obj, p);
        const QImage mid = scene.grab();
        if (const char* dir = getenv("EFFECT_TEST_DUMP"))
            mid.save(QString("%1/code%2_%3.png").arg(dir).arg(code).arg(int(p * 10)));
        const int samples = sampleCount(mid);
        EXPECT_GT(differingSamples(mid, ref.before), samples / 20) << "code " << code << " at " << p;
        EXPECT_GT(differingSamples(mid, ref.final), samples / 20) << "code " << code << " at " << p;
        // Nothing in the scene is black: transparent texels must let the backdrop through.
        EXPECT_EQ(blackSamples(mid), 0) << "code " << code << " at " << p;
        if (code == 176) {
            // The fade: the transparent cell is exactly the backdrop, an
            // opaque cell the mix of its colour and the backdrop.
            EXPECT_TRUE(same(mid.pixel(kTransparentCell), kBackdrop))
                << std::hex << mid.pixel(kTransparentCell);
            const int red = qRound(qRed(ref.final.pixel(20, 15)) * p + qRed(kBackdrop) * (1 - p));
            EXPECT_NEAR(qRed(mid.pixel(20, 15)), red, 3) << p;
        }
    }
    setProgress(obj, pausedAt);
    EXPECT_EQ(scene.endCount(), 0);

    QMetaObject::invokeMethod(selector, "resume");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() >= 1; })) << "no effectEnd for code " << code;
    pump(150);
    EXPECT_EQ(scene.endCount(), 1);
    EXPECT_DOUBLE_EQ(progressOf(obj), 1.0);

    const QImage last = scene.grab();
    EXPECT_EQ(differingSamples(last, ref.final), 0) << "code " << code << " does not end on the page";
    EXPECT_TRUE(same(last.pixel(kTransparentCell), kBackdrop));

    const QVariant status = obj->property("status");
    if (status.isValid()) {
        EXPECT_EQ(status.toInt(), 0) << obj->property("log").toString().toStdString();
    }
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
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
        QObject* selector = scene.makeEffect(code, kDuration);
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
    QObject* selector = scene.makeEffect(1, 40);
    ASSERT_NE(selector, nullptr);
    ASSERT_NE(scene.effectObj(), nullptr) << "code 1 starts with an effect item";
    std::set<int> seen;
    for (int i = 0; i < 12; ++i) {
        const int before = scene.endCount();
        clearMessages();
        scene.call("startOnPage");
        const int code = selector->property("currentCode").toInt();
        EXPECT_TRUE(drawable(code)) << code;
        QObject* obj = scene.effectObj();
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->property("dir").isValid() ? obj->property("dir").toInt() : 999, code);
        seen.insert(code);
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == before + 1; })) << "code " << code;
        EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
    }
    EXPECT_GE(seen.size(), 3u);
    auto nearest = [&](int n) {
        QVariant result;
        QMetaObject::invokeMethod(selector, "nearestCode", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, n));
        return result.toInt();
    };
    EXPECT_EQ(nearest(100), 97);
    EXPECT_EQ(nearest(16), 16);
    EXPECT_EQ(nearest(245), 245);
    EXPECT_EQ(nearest(27), 22);
    EXPECT_EQ(nearest(128), 112);
    EXPECT_EQ(nearest(129), 144);
    for (int n = 16; n <= 245; ++n)
        EXPECT_TRUE(drawable(nearest(n))) << n;
    for (int i = 0; i < 200; ++i) {
        QVariant result;
        QMetaObject::invokeMethod(selector, "drawRandomCode", Q_RETURN_ARG(QVariant, result));
        EXPECT_TRUE(drawable(result.toInt())) << result.toInt();
    }
}

QVariant animation(const QVariant& type, const QVariant& duration = QVariant())
{
    QVariantMap m;
    m["type"] = type;
    if (duration.isValid())
        m["duration"] = duration;
    return m;
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
        {animation(66, kDuration), true},
        {animation(998, kDuration), true},
        {animation(2147483647, kDuration), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QJsonDocument::fromVariant(QVariantList{c.record}).toJson().toStdString());
        Scene scene;
        const Frames ref = referenceFrames(scene);
        clearMessages();
        QObject* selector = scene.makeEffect(c.record);
        ASSERT_NE(selector, nullptr);
        if (c.noEffect) {
            EXPECT_EQ(scene.effectObj(), nullptr);
        }
        if (c.duration >= 0) {
            EXPECT_EQ(selector->property("duration").toInt(), c.duration);
        }
        scene.call("startOnPage");
        EXPECT_EQ(hasMessage("InOutEffect: effectObj is undefined!"), c.noEffect);
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; }, 3000));
        pump(30);
        EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0);
        if (c.noEffect) {
            clearMessages();
            for (const char* fn : {"pause", "resume", "stop", "getEffectObj"})
                QMetaObject::invokeMethod(selector, fn);
            EXPECT_EQ(messages().count("InOutEffect: effectObj is undefined!"), 4);
        }
        EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
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
    const Frames ref = referenceFrames(scene);
    clearMessages();
    scene.makeEffect(999, 300);
    EXPECT_EQ(scene.effectObj(), nullptr);
    const QStringList logged = messages();
    EXPECT_TRUE(std::any_of(logged.begin(), logged.end(), [](const QString& m) {
        return m.startsWith("load component error");
    })) << logged.join("\n").toStdString();
    scene.call("startOnPage");
    EXPECT_TRUE(hasMessage("InOutEffect: effectObj is undefined!"));
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; }));
    pump(30);
    EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0);
}

// A stop right after the start, before anything was drawn (or captured),
// leaves the whole page. A stop halfway completes an effect that always runs
// to its end; a fade or an opening stays where it was (at the start: nothing
// of the page). Neither reports an end; a new start runs again and ends once.
TEST(EffectControl, StopCompletesOrHolds)
{
    for (int code : {16, 35, 112, 144, 999, 176, 240}) {
        const bool holds = code == 176 || code == 240;
        Scene scene;
        const Frames ref = referenceFrames(scene);
        QObject* selector = scene.makeEffect(code, 600);
        QObject* obj = scene.effectObj();
        scene.call("startOnPage");
        QMetaObject::invokeMethod(selector, "stop");
        const QImage& atStart = holds ? ref.before : ref.final;
        EXPECT_TRUE(spinUntil([&] { return differingSamples(scene.grab(), atStart) == 0; })) << code;
        pump(100);
        EXPECT_EQ(differingSamples(scene.grab(), atStart), 0) << code;

        ASSERT_TRUE(startHeld(scene, selector, obj)) << code;
        setProgress(obj, 0.5);
        QMetaObject::invokeMethod(selector, "stop");
        const double at = progressOf(obj);
        pump(700);
        EXPECT_EQ(scene.endCount(), 0) << code;
        EXPECT_DOUBLE_EQ(progressOf(obj), holds ? at : 1.0) << code;
        EXPECT_EQ(differingSamples(scene.grab(), ref.final) > 0, holds) << code;
        scene.call("startOnPage");
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; })) << code;
        pump(30);
        EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0) << code;
        EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
    }
}

// Changing the code of a live selector replaces its effect; a code without
// an effect gives the page back to the scene.
TEST(EffectControl, CodeChangeAfterUse)
{
    Scene scene;
    const Frames ref = referenceFrames(scene);
    QObject* selector = scene.makeEffect(19, 80);
    scene.call("startOnPage");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; }));
    QVariantMap anim;
    anim["type"] = 35;
    anim["duration"] = 120;
    selector->setProperty("inAnimation", anim);
    QObject* obj = scene.effectObj();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->property("dir").toInt(), 35);
    EXPECT_EQ(obj->property("effectDuration").toInt(), 120);
    scene.call("startOnPage");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 2; }));
    pump(30);
    EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0);

    anim["duration"] = 250;
    selector->setProperty("inAnimation", anim);
    EXPECT_EQ(scene.effectObj()->property("effectDuration").toInt(), 250);

    anim["type"] = 12345;
    selector->setProperty("inAnimation", anim);
    EXPECT_EQ(scene.effectObj(), nullptr);
    scene.call("startOnPage");
    ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 3; }));
    pump(30);
    EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0);
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join("\n").toStdString();
}

// A page laid out only after the start of its effect still ends complete.
TEST(EffectControl, PageSizedAfterStart)
{
    for (int code : {20, 144, 999}) {
        Scene scene;
        const Frames ref = referenceFrames(scene);
        QQuickItem* page = scene.root()->findChild<QQuickItem*>("page");
        ASSERT_NE(page, nullptr);
        page->setSize(QSizeF(0, 0));
        scene.makeEffect(code, 200);
        scene.call("startOnPage");
        page->setSize(QSizeF(160, 120));
        ASSERT_TRUE(spinUntil([&] { return scene.endCount() == 1; })) << code;
        pump(30);
        EXPECT_EQ(differingSamples(scene.grab(), ref.final), 0) << code;
    }
}

} // namespace
