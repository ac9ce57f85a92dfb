#include "kestvaplayer.h"

#include "core/src/avplayer/mpvplayer.h"
#include "logging/log.h"

namespace dorvo_preview {

KestAVPlayer::KestAVPlayer(QObject* parent) : QObject(parent), m_player(std::make_shared<MpvPlayer>())
{
    LOG_I("KestAVPlayer:KestAVPlayer construct begin:%p", static_cast<void*>(this));
    m_player->setRenderCallback([this] {
        std::lock_guard<std::mutex> lock(m_handlerMutex);
        if (m_renderHandler)
            m_renderHandler();
    });
    m_player->onMediaStatusChanged([this](uint32_t status) {
        onMediaStatus(status);
        return true;
    });
    m_player->onStateChanged([this](MpvPlayer::State state) { onStateChanged(state); });
    m_player->onCurrentMediaChanged([this] { onCurrentMediaChanged(); });
}

KestAVPlayer::~KestAVPlayer()
{
    LOG_I("KestAVPlayer:~KestAVPlayer relese :%p", static_cast<void*>(this));
    // The player's destructor waits for a running callback and calls none after.
    m_player->setState(MpvPlayer::Stopped);
    m_player.reset();
}

void KestAVPlayer::pause()
{
    const MpvPlayer::State state = m_player->state();
    LOG_I("KestAVPlayer::pause state is %d", static_cast<int>(state));
    if (state == MpvPlayer::Playing)
        m_player->setState(MpvPlayer::Paused);
}

void KestAVPlayer::resume()
{
    const MpvPlayer::State state = m_player->state();
    LOG_I("KestAVPlayer::resume state is %d", static_cast<int>(state));
    if (state != MpvPlayer::Playing)
        m_player->setState(MpvPlayer::Playing);
}

void KestAVPlayer::stop(bool wait)
{
    m_player->setState(MpvPlayer::Stopped);
    if (wait && !m_player->waitFor(MpvPlayer::Stopped, MpvPlayer::kStopWaitMs))
        LOG_W("KestAVPlayer::stop player not stopped after %d ms, carrying on", MpvPlayer::kStopWaitMs);
}

void KestAVPlayer::setVolume(float volume)
{
    LOG_I("KestAVPlayer::setVolume:%f", static_cast<double>(volume));
    m_player->setVolume(volume);
    m_volume = volume;
}

int64_t KestAVPlayer::getPlayingTime() const
{
    const int64_t ms = m_player->duration();
    LOG_D("KestAVPlayer::getPlayingTime:%d", static_cast<int>(ms));
    return ms;
}

int64_t KestAVPlayer::position() const
{
    return m_player->position();
}

void KestAVPlayer::seek(int64_t position, int flags, std::function<void(int64_t)> callback)
{
    m_player->seek(position, flags, [callback](int64_t result) {
        LOG_D("KestAVPlayer::seek ret:%d", static_cast<int>(result));
        if (callback)
            callback(result);
    });
}

void KestAVPlayer::setPlaylist(const QStringList& urls)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playlist.assign(urls.begin(), urls.end());
    m_failures = 0;
}

QStringList KestAVPlayer::playlist() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList list;
    for (const QString& url : m_playlist)
        list << url;
    return list;
}

void KestAVPlayer::setLoop(bool loop)
{
    m_loop = loop;
}

void KestAVPlayer::playNext()
{
    QString url;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playlist.empty()) {
            url = m_playlist.front();
            m_playlist.pop_front();
            m_playlist.push_back(url);
        }
    }
    if (!url.isEmpty())
        m_player->setMedia(url.toUtf8().toStdString());
    m_player->setState(MpvPlayer::Playing);
}

QString KestAVPlayer::currentMedia() const
{
    return QString::fromStdString(m_player->currentMedia());
}

void KestAVPlayer::setStoppedHandler(std::function<void()> handler)
{
    std::lock_guard<std::mutex> lock(m_handlerMutex);
    m_stoppedHandler = std::move(handler);
}

void KestAVPlayer::setMediaStatusHandler(std::function<void(uint32_t)> handler)
{
    std::lock_guard<std::mutex> lock(m_handlerMutex);
    m_statusHandler = std::move(handler);
}

void KestAVPlayer::setRenderHandler(std::function<void()> handler)
{
    std::lock_guard<std::mutex> lock(m_handlerMutex);
    m_renderHandler = std::move(handler);
}

// Player worker thread.
void KestAVPlayer::onCurrentMediaChanged()
{
    LOG_I("KestAVPlayer::currentMediaChanged:%s", m_player->currentMedia().c_str());
    if (!m_loop)
        return;
    QString next;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_playlist.empty())
            return;
        next = m_playlist.front();
        m_playlist.pop_front();
        m_playlist.push_back(next);
    }
    m_player->setNextMedia(next.toUtf8().toStdString());
}

// Player worker thread.
void KestAVPlayer::onStateChanged(int state)
{
    LOG_D("KestAVPlayer::onStateChanged:%d", state);
    if (state != MpvPlayer::Stopped)
        return;
    std::lock_guard<std::mutex> lock(m_handlerMutex);
    if (m_stoppedHandler)
        m_stoppedHandler();
}

// Player worker thread.
void KestAVPlayer::onMediaStatus(uint32_t status)
{
    const uint32_t last = m_lastStatus;
    m_lastStatus = status;
    bool giveUp = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if ((status & MpvPlayer::Prepared) && !(last & MpvPlayer::Prepared)) {
            m_failures = 0;
        } else if ((status & MpvPlayer::Invalid) && !(last & MpvPlayer::Invalid)) {
            // A list of nothing but unplayable media would be tried for ever.
            ++m_failures;
            giveUp = m_loop && m_failures >= static_cast<int>(std::max<size_t>(1, m_playlist.size()));
        }
    }
    if (giveUp) {
        LOG_W("KestAVPlayer: no media of the play list can be played, stopping");
        m_player->setNextMedia(std::string());
        m_player->setState(MpvPlayer::Stopped);
    }
    std::lock_guard<std::mutex> lock(m_handlerMutex);
    if (m_statusHandler)
        m_statusHandler(status);
}

} // namespace dorvo_preview
