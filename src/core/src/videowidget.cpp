#include "videowidget.h"

#include "core/src/enginehost.h"
#include "core/src/private/widgetprivate.h"
#include "core/appcommon/jsonread.h"
#include "logging/log.h"
#include "utils/hosturl.h"

#include <nlohmann/json.hpp>

namespace dorvo_preview {

namespace {

void callContent(QObject* item, const char* function, const QVariantList& args = {})
{
    if (!item)
        return;
    QVariant result;
    if (args.isEmpty())
        QMetaObject::invokeMethod(item, function, Q_RETURN_ARG(QVariant, result));
    else
        QMetaObject::invokeMethod(item, function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, args[0]));
}

} // namespace

VideoWidget::VideoWidget(Window* window, QObject* parentItem, QObject* parent)
    : Widget(window, parentItem, parent), hidden_(itemBorrowed())
{}

VideoWidget::~VideoWidget()
{
    deleteQml();
}

void VideoWidget::setSource(std::string source)
{
    LOG_I("VideoWidget::setSource source is %s", source.c_str());
    source_ = std::move(source);
    if (hidden_) {
        LOG_D("VideoWidget::setSource hidden in its container, shown in its turn");
        return;
    }
    updateWidget();
}

void VideoWidget::updateWidget()
{
    WidgetPrivate* d = widgetPrivate();
    d->record.id = uuid();
    d->record.type = "VIDEO";
    nlohmann::json json = ns::jsonread::parse(d->record.toJson());
    if (!json.is_object())
        json = nlohmann::json::object();
    json["dataSource"] = hostPathToUrl(source_).toStdString();
    if (!displayRatio_.empty())
        json["displayRatio"] = displayRatio_;
    // Host text that is not UTF-8 is shown with replacement characters, not thrown on.
    const std::string text = ns::jsonread::dump(json);
    LOG_D("widget init %s", uuid());
    LOG_D("test id is %d", type());
    LOG_D("VideoWidget::updateWidget data is %s", text.c_str());
    deleteQml();
    qml_ = qobject_cast<QQuickItem*>(createChildItem(item(), QString::fromStdString(text)));
    if (!qml_) {
        LOG_E("VideoWidget::updateWidget content could not be created");
        return;
    }
    connect(qml_, SIGNAL(baseMediaFinished(QString)), this, SLOT(whenBaseMediaFinished(QString)));
    connect(qml_, SIGNAL(baseMediaStart(QString)), this, SLOT(whenBaseMediaStart(QString)));
    connect(qml_, SIGNAL(baseMediaShown(QString)), this, SLOT(whenBaseMediaShown(QString)));
}

void VideoWidget::deleteQml()
{
    if (!qml_)
        return;
    // The render thread stops drawing the video before the item goes.
    callContent(qml_, "disconnectWindow");
    disconnect(qml_, nullptr, this, nullptr);
    LOG_D("delete obj typeid *item:%s, name:%s", qml_->metaObject()->className(),
          qml_->objectName().toUtf8().constData());
    qml_->setVisible(false);
    qml_->deleteLater();
    qml_ = nullptr;
}

void VideoWidget::whenBaseMediaStart(QString name)
{
    LOG_D("whenBaseMediaStart current name is %s", name.toUtf8().constData());
    if (EngineHost::instance()->forcePaused()) {
        LOG_I("VideoWidget::whenBaseMediaStart pause force state");
        return;
    }
    callContent(qml_, "play");
}

void VideoWidget::whenBaseMediaShown(QString name)
{
    // What covered the switch to this video goes once its picture shows.
    onItemStarted(name);
}

void VideoWidget::whenBaseMediaFinished(QString name)
{
    if (name.isEmpty() || EngineHost::instance()->forcePaused())
        return;
    LOG_D("whenBaseMediaFinished current name is %s", name.toUtf8().constData());
    if (!containerPreview()) {
        callContent(qml_, "restart");
        return;
    }
    LOG_I("VideoWidget preview finish name is %s", name.toUtf8().constData());
    emit widgetPlayFinish();
}

void VideoWidget::pause()
{
    Widget::pause();
    if (!qml_)
        return;
    LOG_D("VideoWidget::pause set pause");
    callContent(qml_, "pause");
    if (EngineHost::instance()->forcePaused())
        callContent(qml_, "stop");
}

void VideoWidget::resume()
{
    if (EngineHost::instance()->forcePaused()) {
        LOG_D("force pause widget");
        return;
    }
    // The background music goes on with the picture.
    Widget::resume();
    if (!qml_ || hidden_)
        return;
    LOG_D("VideoWidget::resume set resume");
    callContent(qml_, "resume");
}

void VideoWidget::widgetHide()
{
    LOG_D("VideoWidget::widgetHide");
    // In a container the next member takes the rectangle.
    if (itemBorrowed())
        hidden_ = true;
    if (!qml_) {
        LOG_D("VideoWidget::widgetHide qml is nullptr");
        return;
    }
    // A hidden member keeps no player; it starts again when shown.
    if (hidden_)
        deleteQml();
    else
        callContent(qml_, "pause");
}

void VideoWidget::widgetShow()
{
    LOG_D("VideoWidget::widgetShow");
    // A container's member that was hidden plays again from the start.
    const bool wasHidden = hidden_;
    hidden_ = false;
    if (!qml_ || wasHidden)
        updateWidget();
}

void VideoWidget::clearQmlObj()
{
    LOG_D("VideoWidget::clearQmlObj");
    deleteQml();
}

void VideoWidget::setDisplayRatio(std::string ratio)
{
    if (ratio == displayRatio_) {
        LOG_D("%s same value. no op", ratio.c_str());
        return;
    }
    // The playback device fills the widget's rectangle whatever the ratio:
    // the ratio is kept with the record and the item, the picture still fills.
    displayRatio_ = std::move(ratio);
    if (!qml_) {
        LOG_D("VideoWidget::setDisplayRatio qml is nullptr");
        return;
    }
    callContent(qml_, "setDisplayRatio", {QVariant(QString::fromStdString(displayRatio_))});
}

} // namespace dorvo_preview
