#include "qmlbaseview.h"

#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "logging/log.h"
#include "utils/uuid.h"

#include <QMetaObject>
#include <QVariant>

namespace dorvo_preview {

QmlBaseView::QmlBaseView(QObject* parent) : QObject(parent), instanceId_(createUuid()) {}

QmlBaseView::~QmlBaseView() = default;

const char* QmlBaseView::identity() const
{
    return instanceId_.c_str();
}

std::string QmlBaseView::createUuid()
{
    return makeIdentifier();
}

void QmlBaseView::setItem(QObject* item, bool borrowed)
{
    item_ = item;
    itemBorrowed_ = borrowed;
}

void QmlBaseView::setUuid(const std::string& id, bool notify)
{
    uuid_ = id;
    if (notify && item_ && !itemBorrowed_)
        QMetaObject::invokeMethod(item_.data(), "setUuid", Q_ARG(QVariant, QString::fromStdString(id)));
}

QObject* QmlBaseView::createChildItem(QObject* parent, const QString& info)
{
    if (!parent) {
        LOG_E("createChildItem error, parent is null");
        return nullptr;
    }
    QVariant result;
    QMetaObject::invokeMethod(parent, "createItem", Qt::DirectConnection, Q_RETURN_ARG(QVariant, result),
                              Q_ARG(QVariant, info));
    return qvariant_cast<QObject*>(result);
}

void QmlBaseView::send(const char* sender, CallbackKind kind, const QString& text)
{
    std::shared_ptr<PlayChannel> channel = EngineHost::instance()->getPlayChannel();
    if (!channel) {
        LOG_E("%s error, playChannel is null", sender);
        return;
    }
    const QByteArray bytes = text.toUtf8();
    channel->notify(kind, bytes.constData());
}

void QmlBaseView::updateSelectedInfo(const QString& id)
{
    send("updateSelectedInfo", CallbackKind::WidgetSelected, id);
}

void QmlBaseView::updateRectInfo(const QString& json)
{
    send("updateRectInfo", CallbackKind::RectChanged, json);
}

void QmlBaseView::updataDoubleClicked(const QString& id)
{
    send("updataDoubleClicked", CallbackKind::WidgetDoubleClicked, id);
}

void QmlBaseView::updateKey(const QString& key)
{
    send("updateKey", CallbackKind::KeyChanged, key);
}

void QmlBaseView::updataFps(const QString& fps)
{
    send("updataFps", CallbackKind::Fps, fps);
}

void QmlBaseView::updateMouseWheel(const QString& direction)
{
    send("updateMouseWheel", CallbackKind::MouseWheel, direction);
}

} // namespace dorvo_preview
