#include "qtengine.h"

#include "core/appcommon/itemrectdata.h"
#include "core/src/avplayer/mediaqmltypes.h"
#include "core/src/enginehost.h"
#include "core/src/nwquickitem/borderprovider.h"
#include "core/src/nwquickitem/effectqmltypes.h"
#include "core/src/nwquickitem/nwimagereader.h"
#include "core/src/nwquickitem/qmlcalllinepainter.h"
#include "core/src/nwquickitem/qmlcallqtcommon.h"
#include "core/src/nwquickitem/svgimage.h"
#include "core/src/nwquickitem/textqmltypes.h"
#include "core/src/widget.h"
#include "logging/log.h"
#include "qwinquickview/qwinquickview.h"

#include "utils/metatypes.h"
#include <QQmlEngine>
#include <QTextCodec>
#include <QThread>
#include <QTimer>

#include <mutex>
#include <string>

// The compiled-in scenes; referenced here so that programs linking the
// static library keep them.
static void initPreviewResources()
{
    Q_INIT_RESOURCE(preview);
}

namespace dorvo_preview {

namespace {

void customMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    RK::Level level = RK::Level::Info;
    switch (type) {
    case QtDebugMsg:
        level = RK::Level::Debug;
        break;
    case QtWarningMsg:
        level = RK::Level::Warn;
        break;
    case QtCriticalMsg:
    case QtFatalMsg:
        level = RK::Level::Error;
        break;
    default:
        level = RK::Level::Info;
        break;
    }
    const QByteArray text = message.toUtf8();
    RK::logText(level, context.file ? context.file : "", context.function ? context.function : "",
                context.line, text.constData());
}

} // namespace

void QtEngine::registerTypes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        initPreviewResources();
        qRegisterMetaType<std::string>("std::string");
        qRegisterMetaType<ns::ItemRectData>("ns::ItemRectData");
        qRegisterMetaType<std::vector<ns::ItemRectData>>("std::vector<ns::ItemRectData>");
        qRegisterMetaType<Widget*>("Widget*");
        qRegisterMetaType<Widget*>("dorvo_preview::Widget*");
        qmlRegisterType<QmlCallQtCommon>("com.kest.qmlCallQtCommon", 1, 0, "QmlCallQtProvider");
        qmlRegisterType<NWImageReader>("an.kest.imageReader", 1, 0, "NWImageReader");
        qmlRegisterType<SvgImage>("com.kest.svgImage", 1, 0, "SvgImage");
        qmlRegisterType<QmlCallLinePainter>("com.kest.linePainter", 1, 0, "LinePainter");
        registerTextQmlTypes();
        registerEffectQmlTypes();
        registerMediaQmlTypes();
        registerBorderQmlTypes();
    });
}

QtEngine::QtEngine()
{
    registerTypes();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    qInstallMessageHandler(customMessageHandler);
}

QtEngine::~QtEngine()
{
    // The timer lives on the Qt thread; it is left to Qt when that thread is
    // not ours.
    if (msgTimer_ && msgTimer_->thread() == QThread::currentThread())
        delete msgTimer_;
}

void QtEngine::setHandles(void* moduleHandle, void* hostWindow)
{
    moduleHandle_ = moduleHandle;
    hostWindow_ = hostWindow;
}

void QtEngine::startMsgTimer(const std::function<void()>& step)
{
    delete msgTimer_;
    msgTimer_ = new QTimer();
    QObject::connect(
        msgTimer_, &QTimer::timeout, msgTimer_, [step] { step(); }, Qt::DirectConnection);
    msgTimer_->start(1);
}

void QtEngine::stopMsgTimer()
{
    LOG_D("QtEngine::stopMsgTimer");
    if (msgTimer_)
        msgTimer_->stop();
}

void QtEngine::releaseMsgTimer()
{
    delete msgTimer_;
    msgTimer_ = nullptr;
}

QWinQuickView* QtEngine::createView()
{
    return new QWinQuickView(hostWindow_, QString::fromStdString(EngineHost::instance()->runningPath()));
}

bool QtEngine::msgTimerActive() const
{
    return msgTimer_ && msgTimer_->isActive();
}

} // namespace dorvo_preview
