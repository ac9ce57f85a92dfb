#pragma once

// A Quick item that plays one video and draws its frames through a
// VideoTextureNode. QML sets the source and drives play, pause, resume,
// restart and stop; the media status (Prepared once, End at each end, Invalid)
// comes back through mediaStatus.

#include <QQuickItem>

#include <atomic>
#include <cstdint>
#include <memory>

namespace dorvo_preview {

class MpvPlayer;
class VideoTextureNode;

class VideoTextureItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(bool autoPlay READ autoPlay WRITE setAutoPlay NOTIFY autoPlayChanged)
    Q_PROPERTY(bool autoHDR READ autoHDR WRITE setAutoHDR NOTIFY autoHDRChanged)
    Q_PROPERTY(MediaStatus mediaStatus READ mediaStatus NOTIFY mediaStatusChanged)
public:
    enum MediaStatus
    {
        None = 0,
        Invalid = 1,
        Prepared = 2,
        Buffered = 3,
        End = 4
    };
    Q_ENUM(MediaStatus)

    explicit VideoTextureItem(QQuickItem* parent = nullptr);
    ~VideoTextureItem() override;

    QString source() const { return m_source; }
    void setSource(const QString& url);
    bool autoPlay() const { return m_autoPlay; }
    void setAutoPlay(bool value);
    bool autoHDR() const { return m_autoHDR; }
    void setAutoHDR(bool value);
    MediaStatus mediaStatus() const { return m_mediaStatus; }

    // The player, for the media classes and tests of this library.
    std::shared_ptr<MpvPlayer> player() const { return m_player; }

signals:
    void sourceChanged();
    void autoPlayChanged();
    void autoHDRChanged();
    void mediaStatusChanged();
    void signalPrepared();
    // The media's first picture is on screen.
    void firstFrame();

public slots:
    void invalidateSceneGraph();
    void slotPrepared();

public:
    Q_INVOKABLE void play();
    Q_INVOKABLE void stop();
    Q_INVOKABLE void restart();
    Q_INVOKABLE void pause();
    Q_INVOKABLE void resume();
    Q_INVOKABLE void disconnectWindow();
    Q_INVOKABLE void prepared();

protected:
    QSGNode* updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData* data) override;
    void geometryChanged(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void releaseResources() override;

private:
    void transStatus(uint32_t status);
    void setMediaStatus(MediaStatus status);
    void onWindowChanged(QQuickWindow* window);
    bool stopAndWait(const char* operation);

    std::shared_ptr<MpvPlayer> m_player;
    QString m_source;
    bool m_autoPlay = true;
    bool m_autoHDR = false;
    bool m_prepared = false;
    bool m_firstFrameSeen = false;
    MediaStatus m_mediaStatus = None;
    // Touched on the player's worker thread only.
    uint32_t m_lastSdkStatus = 0;
    std::atomic<bool> m_hasNode{false};
    std::atomic<bool> m_detached{false};
};

} // namespace dorvo_preview
