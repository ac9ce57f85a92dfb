#include "qmlaudio.h"

#include "core/src/avplayer/audioplayer.h"
#include "core/appcommon/musiclist.h"
#include "logging/log.h"

#include <QDir>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace dorvo_preview {

QMLAudio::QMLAudio(QObject* parent) : QObject(parent), m_player(std::make_unique<AudioPlayer>()) {}

QMLAudio::~QMLAudio()
{
    LOG_I("~QMLAudio");
}

void QMLAudio::playAudio(QString audioData)
{
    ns::MusicList music;
    // Bad input leaves whatever plays as it is.
    if (!ns::readMusicList(audioData.toUtf8().toStdString(), music))
        return;
    std::vector<std::string>& paths = music.paths;
    m_player->stop(false);
    if (music.random) {
        std::random_device device;
        std::mt19937 generator(device());
        std::shuffle(paths.begin(), paths.end(), generator);
    }
    QStringList list;
    for (const std::string& path : paths) {
        const QString native = QDir::toNativeSeparators(QString::fromStdString(path));
        LOG_I("Page:audiopath is :%s", native.toUtf8().constData());
        list << native;
    }
    m_player->setPlaylist(list);
    m_player->setVolume(1.0f);
    m_player->setLoop(true);
    m_player->playNext();
}

void QMLAudio::stop()
{
    m_player->stop(false);
}

void QMLAudio::pause()
{
    m_player->pause();
}

void QMLAudio::resume()
{
    m_player->resume();
}

} // namespace dorvo_preview
