#include "qtmsgctrllistener.h"

#include "guardedapplication.h"

#include "channel/msgtype.h"
#include "core/engine/qtengine.h"
#include "core/src/avplayer/mpvplayer.h"
#include "core/src/enginehost.h"
#include "core/src/widget.h"
#include "core/src/widgetfactory.h"
#include "core/src/window.h"
#include "crash/nqexceptionhandler.h"
#include "logging/log.h"
#include "utils/hosturl.h"
#include "utils/metainvoke.h"
#include "utils/metatypes.h"

#include <QApplication>
#include <QDir>
#include <QObject>
#include <QTextCodec>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <cinttypes>
#include <cstring>

namespace dorvo_preview {

namespace {

QApplication* g_application = nullptr;
std::atomic<bool> g_execStarted{false};

// Whether the Qt event loop runs, for the process-exit hook below.
std::mutex g_loopMutex;
std::condition_variable g_loopEnded;
bool g_loopRunning = false;

// A host that exits without quit() while the Qt loop runs on the engine
// thread: end the loop before the process tears down Qt's own globals. The
// hook is registered after the application object exists, so it runs before
// the globals Qt made while creating it are destroyed.
void endLoopAtExit()
{
    std::unique_lock<std::mutex> lock(g_loopMutex);
    if (!g_loopRunning || !g_application || QThread::currentThread() == g_application->thread())
        return;
    QMetaObject::invokeMethod(g_application, "quit", Qt::QueuedConnection);
    g_loopEnded.wait_for(lock, std::chrono::seconds(5), [] { return !g_loopRunning; });
}

void setLoopRunning(bool running)
{
    std::lock_guard<std::mutex> lock(g_loopMutex);
    g_loopRunning = running;
    g_loopEnded.notify_all();
}

const char* str(const std::string& s)
{
    return s.c_str();
}

QVariant text(const std::string& s)
{
    return QVariant::fromValue(s);
}

bool isA(QObject* object, const char* className)
{
    if (!object)
        return false;
    std::string qualified = std::string("dorvo_preview::") + className;
    return object->inherits(qualified.c_str()) || object->inherits(className);
}

void invokeOnWindow(const std::string& id, const char* method, const QVariantList& args)
{
    if (QObject* window = EngineHost::getWindow(id))
        invokeByName(window, method, args);
}

void invokeOnWidget(const std::string& id, const char* method, const QVariantList& args)
{
    QObject* widget = EngineHost::getWidget(id);
    if (!widget)
        return;
    // Only some kinds can show or hide themselves or write a picture of themselves.
    if (!std::strcmp(method, "setWidgetVisible") || !std::strcmp(method, "grabWidgetImage"))
        invokeIfPresent(widget, method, args);
    else
        invokeByName(widget, method, args);
}

void invokeOnClass(const std::string& id, const char* className, const char* method, const QVariantList& args)
{
    QObject* widget = EngineHost::getWidget(id);
    if (!widget)
        return;
    if (!isA(widget, className)) {
        LOG_E("widget %s is not a %s", id.c_str(), className);
        return;
    }
    invokeByName(widget, method, args);
}

void logEnd()
{
    LOG_D("QtMsgCtrlListener::createQtExec end");
}

void crashDumpCallback()
{
    LOG_D("crash dump call back");
}

} // namespace

// Log formats and argument lists of the generic operations, by signature.
// Host texts are logged up to 1024 bytes.
#define DP_LOG_S(op) LOG_D("QtMsgCtrlListener::" #op "() %s", str(id))
#define DP_LOG_SF(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %f", str(id), static_cast<double>(value))
#define DP_LOG_SS(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %.1024s", str(id), str(text))
#define DP_LOG_SI(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %d", str(id), value)
#define DP_LOG_SB(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %d", str(id), value ? 1 : 0)
#define DP_LOG_SL(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %" PRId64, str(id), value)
#define DP_LOG_SSB(op)                                                                                       \
    LOG_D("QtMsgCtrlListener::" #op "() %s, %.1024s, %d", str(id), str(text), value ? 1 : 0)
#define DP_LOG_SIS(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %d, %.1024s", str(id), value, str(text))
#define DP_LOG_SSI(op) LOG_D("QtMsgCtrlListener::" #op "() %s, %.1024s, %d", str(id), str(text), value)
// Container operations name the container and the member.
#define DP_CLOG_S(op) LOG_D("QtMsgCtrlListener::" #op "() container id is  %s", str(id))
#define DP_CLOG_SS(op)                                                                                       \
    LOG_D("QtMsgCtrlListener::" #op "() container id is  %s, widget id is %s", str(id), str(text))
#define DP_CLOG_SI(op) LOG_D("QtMsgCtrlListener::" #op "() container id is  %s, value is %d", str(id), value)
#define DP_CLOG_SB(op)                                                                                       \
    LOG_D("QtMsgCtrlListener::" #op "() container id is  %s, value is %d", str(id), value ? 1 : 0)
#define DP_CLOG_SSI(op)                                                                                      \
    LOG_D("QtMsgCtrlListener::" #op "() container id is  %s, widget id is %s, index is %d", str(id),         \
          str(text), value)
#define DP_LOG_TSS(op) LOG_D("QtMsgCtrlListener::" #op "() %d, %s, %.1024s", type, str(id), str(text))

#define DP_VARIANTS_S                                                                                        \
    QVariantList {}
#define DP_VARIANTS_SF                                                                                       \
    QVariantList                                                                                             \
    {                                                                                                        \
        QVariant(value)                                                                                      \
    }
#define DP_VARIANTS_SS                                                                                       \
    QVariantList                                                                                             \
    {                                                                                                        \
        ::dorvo_preview::text(text)                                                                          \
    }
#define DP_VARIANTS_SI                                                                                       \
    QVariantList                                                                                             \
    {                                                                                                        \
        QVariant(value)                                                                                      \
    }
#define DP_VARIANTS_SB                                                                                       \
    QVariantList                                                                                             \
    {                                                                                                        \
        QVariant(value)                                                                                      \
    }
#define DP_VARIANTS_SL                                                                                       \
    QVariantList                                                                                             \
    {                                                                                                        \
        QVariant::fromValue<qint64>(value)                                                                   \
    }
#define DP_VARIANTS_SSB                                                                                      \
    QVariantList                                                                                             \
    {                                                                                                        \
        ::dorvo_preview::text(text), QVariant(value)                                                         \
    }
#define DP_VARIANTS_SIS                                                                                      \
    QVariantList                                                                                             \
    {                                                                                                        \
        QVariant(value), ::dorvo_preview::text(text)                                                         \
    }
#define DP_VARIANTS_SSI                                                                                      \
    QVariantList                                                                                             \
    {                                                                                                        \
        ::dorvo_preview::text(text), QVariant(value)                                                         \
    }

#define DP_MSG(number, Name, op, Sig, Kind, Class, Method) DP_IMPL_##Kind(op, Sig, Class, Method)
#define DP_IMPL_Special(op, Sig, Class, Method)
#define DP_IMPL_Window(op, Sig, Class, Method)                                                               \
    void QtMsgCtrlListener::op(DP_PARAMS_##Sig)                                                              \
    {                                                                                                        \
        DP_LOG_##Sig(op);                                                                                    \
        invokeOnWindow(id, Method, DP_VARIANTS_##Sig);                                                       \
    }
#define DP_IMPL_Widget(op, Sig, Class, Method)                                                               \
    void QtMsgCtrlListener::op(DP_PARAMS_##Sig)                                                              \
    {                                                                                                        \
        DP_LOG_##Sig(op);                                                                                    \
        invokeOnWidget(id, Method, DP_VARIANTS_##Sig);                                                       \
    }
#define DP_IMPL_Container(op, Sig, Class, Method)                                                            \
    void QtMsgCtrlListener::op(DP_PARAMS_##Sig)                                                              \
    {                                                                                                        \
        DP_CLOG_##Sig(op);                                                                                   \
        invokeOnClass(id, "WidgetContainer", Method, DP_VARIANTS_##Sig);                                     \
    }
#define DP_IMPL_Family(op, Sig, Class, Method)                                                               \
    void QtMsgCtrlListener::op(DP_PARAMS_##Sig)                                                              \
    {                                                                                                        \
        DP_LOG_##Sig(op);                                                                                    \
        invokeOnClass(id, Class, Method, DP_VARIANTS_##Sig);                                                 \
    }
#include "msgcatalogue.def"
#undef DP_MSG

void QtMsgCtrlListener::stringEncodeConvert(std::string& content)
{
    LOG_D("current content is %s", content.c_str());
    QTextCodec* gbk = QTextCodec::codecForName("gbk");
    const QByteArray converted =
        gbk ? gbk->toUnicode(content.data(), static_cast<int>(content.size())).toUtf8() : QByteArray();
    if (!converted.isEmpty()) {
        content.assign(converted.constData(), static_cast<size_t>(converted.size()));
        LOG_D("convert content is %s", content.c_str());
    } else {
        LOG_E("convert string error %s", content.c_str());
    }
}

void QtMsgCtrlListener::createQtExec(const std::function<void()>& step)
{
    LOG_D("QtMsgCtrlListener::createQtExec");
    if (g_execStarted.exchange(true)) {
        LOG_D("QtMsgCtrlListener::createQtExec the Qt application ran already");
        logEnd();
        return;
    }
    const QString crashPath = QDir::currentPath() + "/crash/preview";
    const QByteArray crashPathText = crashPath.toUtf8();
    LOG_D("creash path is %s", crashPathText.constData());
    NQExceptionHandler crashHandler(crashPath, QString(), true, "v1.1.0", "Brantel", &crashDumpCallback);

    auto* engine = dynamic_cast<QtEngine*>(EngineHost::instance()->getEngine());
    if (engine) {
        LOG_E("create QApplication::instance()");
        static int argc = 0;
        static char* argv[] = {nullptr};
        g_application = new GuardedApplication(argc, argv);
        setLoopRunning(true);
        std::atexit(&endLoopAtExit);
        engine->startMsgTimer(step);
        QApplication::exec();
        engine->releaseMsgTimer();
        // The loop does not run again: the windows (and their scenes) go now,
        // on the thread they belong to.
        for (QObject* window : EngineHost::instance()->windows())
            delete window;
        // Media players end their worker threads on their own once their
        // items are gone; give them a bounded moment before the process may exit.
        for (int i = 0; i < 300 && MpvPlayer::liveWorkers() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Logged before a waiting quit() returns to the host.
        logEnd();
        setLoopRunning(false);
        return;
    }
    logEnd();
}

void QtMsgCtrlListener::waitForLoopEnd(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(g_loopMutex);
    if (!g_loopRunning || QThread::currentThread() == g_application->thread())
        return;
    if (!g_loopEnded.wait_for(lock, timeout, [] { return !g_loopRunning; }))
        LOG_E("the Qt event loop did not end within %lld ms", static_cast<long long>(timeout.count()));
}

void QtMsgCtrlListener::quitQtExec(const MsgParam&)
{
    if (!g_application) {
        LOG_D("QApplication is nullptr");
        return;
    }
    LOG_D("quit QApplication");
    // From here on the exports refuse: the loop does not start again.
    EngineHost::instance()->markStopped();
    if (auto* engine = dynamic_cast<QtEngine*>(EngineHost::instance()->getEngine()))
        engine->stopMsgTimer();
    QCoreApplication::quit();
}

void QtMsgCtrlListener::createWindow(const std::string& id)
{
    LOG_D("QtMsgCtrlListener::createWindow() %s", id.c_str());
    if (!EngineHost::instance()) {
        LOG_E("host is nullptr");
        return;
    }
    if (!QCoreApplication::instance()) {
        LOG_E("cannot create window %s before the Qt application runs", id.c_str());
        return;
    }
    // Deleted by destroyWindow, or when the Qt loop ends; a window that could
    // not be built is not registered and goes at once.
    auto* window = new Window(id);
    if (!EngineHost::instance()->hasWindow(window->uuid())) {
        LOG_E("window %s could not be created", id.c_str());
        delete window;
        return;
    }
    // Qt Quick made globals of its own while building the scene; the exit
    // hook registered now runs before they are destroyed.
    std::atexit(&endLoopAtExit);
}

void QtMsgCtrlListener::destroyWindow(const std::string& id)
{
    LOG_D("QtMsgCtrlListener::destroyWindow() %s", id.c_str());
    if (QObject* window = EngineHost::getWindow(id))
        window->deleteLater();
}

void QtMsgCtrlListener::setAllWidgetBorderScale(const std::string& id, int value)
{
    LOG_D("QtMsgCtrlListener::setAllWidgetBorderScale() %s, %d", id.c_str(), value);
    for (QObject* widget : EngineHost::instance()->widgets())
        invokeIfPresent(widget, "setBorderScale", {QVariant(value)});
}

void QtMsgCtrlListener::addSystemFont(const std::string& path)
{
    LOG_D("QtMsgCtrlListener::addSystemFont() %s", path.c_str());
    if (QObject* window = EngineHost::instance()->getAttachWindow())
        invokeByName(window, "addSystemFont", {QVariant(hostPathToUrl(path))});
}

void QtMsgCtrlListener::grabImage() {}

void QtMsgCtrlListener::pausePreviewForce(const std::string& id, bool value)
{
    LOG_D("QtMsgCtrlListener::pausePreviewForce() %s, %d", id.c_str(), value ? 1 : 0);
    QObject* window = EngineHost::getWindow(id);
    if (!window)
        return;
    if (value)
        invokeByName(window, "pausePreviewForce", {});
    else
        EngineHost::instance()->setForcePaused(false);
}

const char* QtMsgCtrlListener::createWidget(int type, const std::string& containerId,
                                            const std::string& newId, const std::string& content)
{
    LOG_D("QtMsgCtrlListener::createWidget() %d container id is %s", type, containerId.c_str());
    EngineHost* host = EngineHost::instance();
    auto* window = qobject_cast<Window*>(host->getAttachWindow());
    if (!window) {
        LOG_E("QtMsgCtrlListener::createWidget() no attached window, widget %s is not created",
              newId.c_str());
        host->markCreationFailed(newId);
        return nullptr;
    }
    // A widget created for a container draws into the container's item.
    Widget* container = nullptr;
    QObject* parentItem = nullptr;
    if (!containerId.empty() && type != static_cast<int>(WidgetType::WidgetContainer)) {
        container = qobject_cast<Widget*>(EngineHost::getWidget(containerId));
        if (container)
            parentItem = container->item();
    }
    Widget* widget = WidgetFactory::create(type, window, parentItem);
    if (!widget) {
        LOG_E("can not find this widget %d", type);
        host->markCreationFailed(newId);
        return nullptr;
    }
    std::string id = newId;
    if (id.empty()) {
        LOG_I("uuid is empty, generate a new one");
        id = QmlBaseView::createUuid();
    }
    widget->setUuid(id, true);
    widget->setDefaultContent(content);
    if (parentItem)
        invokeIfPresent(container, "insertWidget", {QVariant::fromValue(widget)});
    else
        widget->widgetShow();
    host->addWidget(id, widget);
    return widget->uuid();
}

void QtMsgCtrlListener::addWidget(const std::string& id, const std::string& widgetId)
{
    LOG_D("QtMsgCtrlListener::addWidget() %s, %s", id.c_str(), widgetId.c_str());
    // The target is a widget (a container): the widget's content moves into
    // its item. Widgets are placed on windows when they are created, on the
    // attached window, so a window is no target.
    if (EngineHost::instance()->hasWindow(id)) {
        LOG_E("addWidget refused, %s is a window: widgets are placed on the attached window when they are "
              "created",
              id.c_str());
        return;
    }
    QObject* target = EngineHost::getWidget(id);
    if (!target)
        return;
    QObject* widget = EngineHost::getWidget(widgetId);
    if (!widget)
        return;
    if (target == widget) {
        LOG_E("addWidget refused, widget %s cannot be added to itself", id.c_str());
        return;
    }
    invokeByName(target, "addWidget", {QVariant::fromValue(widget)});
}

void QtMsgCtrlListener::deleteWidget(const std::string& id)
{
    LOG_D("QtMsgCtrlListener::deleteWidget() %s", id.c_str());
    QObject* widget = EngineHost::getWidget(id);
    if (!widget)
        return;
    widget->deleteLater();
    if (QObject* window = EngineHost::instance()->getAttachWindow())
        invokeIfPresent(window, "removeRect", {QVariant::fromValue(id)});
}

void QtMsgCtrlListener::setWidgetSource(int type, const std::string& id, const std::string& text)
{
    LOG_D("QtMsgCtrlListener::setWidgetSource() %d, %s, %.1024s", type, id.c_str(), text.c_str());
    if (!EngineHost::getWidget(id))
        return;
    const char* cls = nullptr;
    switch (type) {
    case 1:
        cls = "AnalogClockWidget";
        break;
    case 2:
        cls = "ColorTextWidget";
        break;
    case 4:
    case 5:
    case 7:
    case 9:
    case 20:
        cls = "ImageWidget";
        break;
    case 6:
        cls = "ImageGroupWidget";
        break;
    case 10:
        cls = "TableWidget";
        break;
    case 11:
        cls = "TextWidget";
        break;
    case 12:
        cls = "TimerWidget";
        break;
    case 13:
        cls = "VideoWidget";
        break;
    case 15:
        cls = "TarroBaseWeatherWidget";
        break;
    case 17:
        cls = "TarroSeniorWeatherWidget";
        break;
    case 18:
        cls = "WeatherWidget";
        break;
    case 3:
    case 8:
    case 14:
    case 16:
        return;
    default:
        LOG_E("can not find this widget %d", type);
        return;
    }
    invokeOnClass(id, cls, "setSource", {QVariant::fromValue(text)});
}

void QtMsgCtrlListener::setDisplayRatio(int type, const std::string& id, const std::string& text)
{
    LOG_D("QtMsgCtrlListener::setDisplayRatio() %d, %s, %s", type, id.c_str(), text.c_str());
    if (!EngineHost::getWidget(id))
        return;
    if (type != 13) {
        LOG_E("can not find this widget %d", type);
        return;
    }
    invokeOnClass(id, "VideoWidget", "setDisplayRatio", {QVariant::fromValue(text)});
}

void QtMsgCtrlListener::setWidgetBackgroundColor(int type, const std::string& id, const std::string& text)
{
    LOG_D("QtMsgCtrlListener::setWidgetBackgroundColor() %d, %s, %s", type, id.c_str(), text.c_str());
    if (!EngineHost::getWidget(id))
        return;
    if (type != 12) {
        LOG_E("can not find this widget %d", type);
        return;
    }
    invokeOnClass(id, "TimerWidget", "setBackground", {QVariant::fromValue(text)});
}

} // namespace dorvo_preview
