#pragma once

// A media player with a play list that it can loop: each time a media starts,
// the next entry of the list is queued behind it, so the list plays without
// gaps and, with loop set, round and round.

#include <QObject>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace dorvo_preview {

class MpvPlayer;

class KestAVPlayer : public QObject
{
    Q_OBJECT
public:
    explicit KestAVPlayer(QObject* parent = nullptr);
    ~KestAVPlayer() override;

    void pause();
    void resume();
    // With wait, blocks until the player has stopped, for a few seconds at most.
    void stop(bool wait);
    void setVolume(float volume);
    float volume() const { return m_volume; }
    // Duration of the current media in milliseconds.
    int64_t getPlayingTime() const;
    int64_t position() const;
    void seek(int64_t position, int flags, std::function<void(int64_t)> callback = nullptr);

    // Replaces the play list.
    void setPlaylist(const QStringList& urls);
    QStringList playlist() const;
    void setLoop(bool loop);
    bool loop() const { return m_loop; }
    // Plays the first entry of the list and rotates it to the end.
    void playNext();
    QString currentMedia() const;

    void setStoppedHandler(std::function<void()> handler);
    void setMediaStatusHandler(std::function<void(uint32_t)> handler);
    void setRenderHandler(std::function<void()> handler);

    std::shared_ptr<MpvPlayer> player() const { return m_player; }

private:
    void onCurrentMediaChanged();
    void onStateChanged(int state);
    void onMediaStatus(uint32_t status);

    std::shared_ptr<MpvPlayer> m_player;
    mutable std::mutex m_mutex;
    std::deque<QString> m_playlist;
    std::atomic<bool> m_loop{false};
    float m_volume = 1.0f;
    // Media that failed one after another since the last one that played.
    int m_failures = 0;
    uint32_t m_lastStatus = 0;
    std::mutex m_handlerMutex;
    std::function<void()> m_stoppedHandler;
    std::function<void(uint32_t)> m_statusHandler;
    std::function<void()> m_renderHandler;
};

} // namespace dorvo_preview
