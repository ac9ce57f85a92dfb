#include "VideoTextureItem.h"

#include "core/src/avplayer/mpvplayer.h"
#include "core/src/avplayer/videotexturenode.h"
#include "logging/log.h"
#include "utils/hosturl.h"

#include <QQuickWindow>
#include <QtMath>

#include <limits>

namespace dorvo_preview {

VideoTextureItem::VideoTextureItem(QQuickItem* parent)
    : QQuickItem(parent), m_player(std::make_shared<MpvPlayer>())
{
    setFlag(ItemHasContents, true);
    m_player->setVideoDecoders({"FFmpeg"});
    m_player->setAspectRatio(0.0f);
    m_player->setRenderCallback([this] { QMetaObject::invokeMethod(this, "update", Qt::QueuedConnection); });
    m_player->onMediaStatusChanged([this](uint32_t status) {
        transStatus(status);
        return true;
    });
    connect(this, &VideoTextureItem::signalPrepared, this, &VideoTextureItem::slotPrepared,
            Qt::QueuedConnection);
    connect(this, &QQuickItem::windowChanged, this, &VideoTextureItem::onWindowChanged);
}

VideoTextureItem::~VideoTextureItem()
{
    LOG_I("VideoTextureItem::~VideoTextureItem start %s", m_source.toUtf8().constData());
    // No callback of the player reaches this item once these return.
    m_player->setRenderCallback(nullptr);
    m_player->onMediaStatusChanged(nullptr);
    m_player->setState(MpvPlayer::Stopped);
    // The node keeps only a weak pointer: the player goes now; its render
    // resources go with the node on the render thread.
    m_player.reset();
    LOG_I("VideoTextureItem::~VideoTextureItem end");
}

void VideoTextureItem::setSource(const QString& url)
{
    LOG_I("VideoTextureItem::setSource: %s", url.toUtf8().constData());
    // The player takes a local path; a file URL from the record is turned back.
    m_player->setMedia(urlToHostPath(url).toUtf8().toStdString());
    m_player->setRange(0, std::numeric_limits<int64_t>::max());
    m_player->setVolume(1.0f);
    m_source = url;
    emit sourceChanged();
    if (!m_autoPlay) {
        m_player->prepare(0, [](int64_t position) {
            LOG_D("VideoTextureItem::prepare end,position:%d", static_cast<int>(position));
            return true;
        });
    } else {
        play();
    }
}

void VideoTextureItem::setAutoPlay(bool value)
{
    if (m_autoPlay == value)
        return;
    m_autoPlay = value;
    emit autoPlayChanged();
}

void VideoTextureItem::setAutoHDR(bool value)
{
    if (m_autoHDR == value)
        return;
    m_autoHDR = value;
    emit autoHDRChanged();
}

// Player worker thread.
void VideoTextureItem::transStatus(uint32_t status)
{
    LOG_D("VideoTextureItem::transStatus: %d", static_cast<int>(status));
    const uint32_t last = m_lastSdkStatus;
    auto newlySet = [&](uint32_t flag) { return (status & flag) && !(last & flag); };
    m_lastSdkStatus = status;
    if (newlySet(MpvPlayer::Prepared)) {
        LOG_D("VideoTextureItem:: Prepared");
        emit signalPrepared();
        return;
    }
    MediaStatus next;
    if (status != 0 && !newlySet(MpvPlayer::Invalid)) {
        if (status != MpvPlayer::kEndWord)
            return;
        LOG_D("VideoTextureItem:: End");
        next = End;
    } else {
        LOG_D("VideoTextureItem:: NoMedia OR Invalid");
        next = Invalid;
    }
    // The property belongs to the item's thread.
    QMetaObject::invokeMethod(
        this, [this, next] { setMediaStatus(next); }, Qt::QueuedConnection);
}

void VideoTextureItem::setMediaStatus(MediaStatus status)
{
    m_mediaStatus = status;
    emit mediaStatusChanged();
}

void VideoTextureItem::slotPrepared()
{
    LOG_D("VideoTextureItem slotPrepared");
    if (m_prepared)
        return;
    m_prepared = true;
    setMediaStatus(Prepared);
}

void VideoTextureItem::invalidateSceneGraph()
{
    // The scene graph has deleted its nodes, this item's among them.
    m_hasNode = false;
}

void VideoTextureItem::releaseResources()
{
    m_hasNode = false;
}

void VideoTextureItem::onWindowChanged(QQuickWindow* window)
{
    if (window) {
        connect(window, &QQuickWindow::sceneGraphInvalidated, this, &VideoTextureItem::invalidateSceneGraph,
                Qt::DirectConnection);
    }
}

void VideoTextureItem::play()
{
    if (m_player->state() != MpvPlayer::Playing) {
        m_player->setState(MpvPlayer::Playing);
    } else {
        // Playing already: start over.
        m_player->setState(MpvPlayer::Stopped);
        m_player->setState(MpvPlayer::Playing);
    }
}

bool VideoTextureItem::stopAndWait(const char* operation)
{
    m_player->setState(MpvPlayer::Stopped);
    if (m_player->waitFor(MpvPlayer::Stopped, MpvPlayer::kStopWaitMs))
        return true;
    // A stuck decoder must not freeze the preview: carry on.
    LOG_W("VideoTextureItem::%s player not stopped after %d ms, carrying on", operation,
          MpvPlayer::kStopWaitMs);
    return false;
}

void VideoTextureItem::stop()
{
    stopAndWait("stop");
}

void VideoTextureItem::restart()
{
    LOG_I("VideoTextureItem::restart");
    stopAndWait("restart");
    m_player->setState(MpvPlayer::Playing);
}

void VideoTextureItem::pause()
{
    const MpvPlayer::State state = m_player->state();
    LOG_I("VideoTextureItem::pause state is %d", static_cast<int>(state));
    if (state == MpvPlayer::Playing)
        m_player->setState(MpvPlayer::Paused);
}

void VideoTextureItem::resume()
{
    const MpvPlayer::State state = m_player->state();
    LOG_I("VideoTextureItem::resume state is %d", static_cast<int>(state));
    if (state != MpvPlayer::Playing)
        m_player->setState(MpvPlayer::Playing);
}

void VideoTextureItem::prepared()
{
    LOG_I("VideoTextureItem::prepared");
    m_player->prepare(0, nullptr, MpvPlayer::SeekFromStart);
}

void VideoTextureItem::disconnectWindow()
{
    LOG_I("VideoTextureItem::disconnectWindow start");
    LOG_I(window() ? "window is exist" : "window is not exist");
    LOG_I(m_hasNode ? "m_node is exist" : "m_node is not exist");
    // The node goes at the next synchronisation: the render thread stops drawing this item.
    m_detached = true;
    m_player->setRenderCallback(nullptr);
    update();
    LOG_I("VideoTextureItem::disconnectWindow end");
}

void VideoTextureItem::geometryChanged(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChanged(newGeometry, oldGeometry);
    if (!qFuzzyCompare(newGeometry.width(), oldGeometry.width()) ||
        !qFuzzyCompare(newGeometry.height(), oldGeometry.height()))
        update();
}

// Render thread, GUI thread blocked.
QSGNode* VideoTextureItem::updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData*)
{
    auto* node = static_cast<VideoTextureNode*>(oldNode);
    if (m_detached) {
        delete node;
        m_hasNode = false;
        return nullptr;
    }
    if (!node) {
        if (width() <= 0 || height() <= 0)
            return nullptr;
        node = new VideoTextureNode(window(), m_player, m_autoHDR);
        m_hasNode = true;
    }
    node->sync(size(), window()->effectiveDevicePixelRatio());
    // The picture drawn for the last frame was the media's first one.
    if (!m_firstFrameSeen && m_player->hasFrame()) {
        m_firstFrameSeen = true;
        QMetaObject::invokeMethod(
            this, [this] { emit firstFrame(); }, Qt::QueuedConnection);
    }
    return node;
}

} // namespace dorvo_preview
