#include "effecttestscene.h"

#include "core/src/nwquickitem/effectqmltypes.h"
#include "support/qtapp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMutex>
#include <QQmlEngine>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace effecttest {

const QRgb kBackdrop = qRgb(0x20, 0x80, 0xa0);
const QPoint kTransparentCell(60, 45);

namespace {

QMutex g_mutex;
QStringList g_messages;
QStringList g_warnings;

void handler(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    {
        QMutexLocker lock(&g_mutex);
        g_messages << text;
        // The platform's note about the runtime directory is not ours.
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("XDG_RUNTIME_DIR"))
            g_warnings << text;
    }
    // Warnings always reach the test's output (a fatal one ends the process).
    if (type != QtDebugMsg || getenv("EFFECT_TEST_VERBOSE"))
        fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

void ensureApp(bool registerTypes)
{
    qInstallMessageHandler(handler);
    testsupport::app<QGuiApplication>(registerTypes ? &dorvo_preview::registerEffectQmlTypes : nullptr);
}

QStringList messages()
{
    QMutexLocker lock(&g_mutex);
    return g_messages;
}

QStringList warnings()
{
    QMutexLocker lock(&g_mutex);
    return g_warnings;
}

void clearMessages()
{
    QMutexLocker lock(&g_mutex);
    g_messages.clear();
    g_warnings.clear();
}

bool hasMessage(const QString& text)
{
    return messages().contains(text);
}

void pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Outside an event loop, objects destroyed by QML wait for this.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
}

Scene::Scene()
{
    ensureApp();
    view_ = std::make_unique<QQuickView>();
    view_->setColor(Qt::black);
    view_->setSource(QUrl::fromLocalFile(QStringLiteral(EFFECT_SCENE_QML)));
    for (const auto& error : view_->errors())
        fprintf(stderr, "scene error: %s\n", error.toString().toLocal8Bit().constData());
    root_ = view_->rootObject();
    view_->show();
    spinUntil([this] { return view_->isExposed(); });
    pump(50);
}

Scene::~Scene()
{
    view_.reset();
    QCoreApplication::processEvents();
}

QObject* Scene::makeEffect(const QVariant& inAnimation)
{
    QVariant result;
    QMetaObject::invokeMethod(root_, "makeEffect", Q_RETURN_ARG(QVariant, result),
                              Q_ARG(QVariant, inAnimation));
    return qvariant_cast<QObject*>(result);
}

QObject* Scene::makeEffect(int code, int duration)
{
    QVariantMap anim;
    anim["type"] = code;
    anim["duration"] = duration;
    return makeEffect(QVariant(anim));
}

QObject* Scene::effect() const
{
    return qvariant_cast<QObject*>(root_->property("effect"));
}

QObject* Scene::effectObj() const
{
    QObject* selector = effect();
    return selector ? qvariant_cast<QObject*>(selector->property("effectObj")) : nullptr;
}

int Scene::endCount() const
{
    return root_->property("endCount").toInt();
}

void Scene::call(const char* function)
{
    QVariant result;
    QMetaObject::invokeMethod(root_, function, Q_RETURN_ARG(QVariant, result));
}

void Scene::showPage(bool shown)
{
    QVariant result;
    QMetaObject::invokeMethod(root_, "showPage", Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, shown));
}

QImage Scene::grab()
{
    return view_->grabWindow().convertToFormat(QImage::Format_RGB32);
}

bool same(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

namespace {

template <typename F> void forSamples(const QImage& image, F f)
{
    for (int y = 3; y < image.height(); y += 7)
        for (int x = 4; x < image.width(); x += 7)
            f(x, y);
}

} // namespace

int differingSamples(const QImage& a, const QImage& b, int tolerance)
{
    int count = 0;
    forSamples(a, [&](int x, int y) {
        if (!b.valid(x, y) || !same(a.pixel(x, y), b.pixel(x, y), tolerance))
            ++count;
    });
    return count;
}

int sampleCount(const QImage& image)
{
    int count = 0;
    forSamples(image, [&](int, int) { ++count; });
    return count;
}

int blackSamples(const QImage& image)
{
    int count = 0;
    forSamples(image, [&](int x, int y) {
        const QRgb c = image.pixel(x, y);
        if (qRed(c) < 0x18 && qGreen(c) < 0x18 && qBlue(c) < 0x18)
            ++count;
    });
    return count;
}

} // namespace effecttest
