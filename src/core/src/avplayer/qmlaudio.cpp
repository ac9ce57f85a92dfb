#include "qmlaudio.h"

#include "core/src/avplayer/audioplayer.h"
#include "core/appcommon/jsonread.h"
#include "logging/log.h"

#include <QDir>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace dorvo_preview {

namespace {

enum class PlayPolicy
{
    Order = 0,
    Random = 1
};

// The tracks to play, in list order, and how to order them. Items without a
// usable local path are left out (and logged).
bool parseMusic(const std::string& text, std::vector<std::string>& paths, PlayPolicy& policy)
{
    std::string why;
    const nlohmann::json json = ns::jsonread::parse(text, &why);
    if (json.is_discarded()) {
        LOG_E("from_string: the music description is %s: %.200s", why.c_str(), text.c_str());
        return false;
    }
    if (!json.is_object()) {
        LOG_E("QMLAudio::playAudio music description is not an object: %s", text.c_str());
        return false;
    }
    policy = PlayPolicy::Order;
    auto policyIt = json.find("playPolicy");
    if (policyIt != json.end() && !policyIt->is_null()) {
        if (!policyIt->is_string()) {
            LOG_W("QMLAudio::playAudio playPolicy is not a text, playing in order");
        } else if (*policyIt == "RANDOM") {
            policy = PlayPolicy::Random;
        } else if (*policyIt != "ORDER") {
            LOG_W("QMLAudio::playAudio unknown playPolicy %s, playing in order",
                  policyIt->get<std::string>().c_str());
        }
    }
    auto listIt = json.find("audioList");
    if (listIt == json.end() || listIt->is_null()) {
        LOG_W("QMLAudio::playAudio no audioList");
        return false;
    }
    if (!listIt->is_array()) {
        LOG_E("QMLAudio::playAudio audioList is not a list: %s", text.c_str());
        return false;
    }
    for (size_t i = 0; i < listIt->size(); ++i) {
        const nlohmann::json& item = (*listIt)[i];
        if (!item.is_object()) {
            LOG_W("QMLAudio::playAudio audio item %d is not an object, left out", static_cast<int>(i));
            continue;
        }
        auto path = item.find("originalDataSource");
        if (path == item.end() || !path->is_string() || path->get<std::string>().empty()) {
            LOG_W("QMLAudio::playAudio audio item %d has no originalDataSource text, left out",
                  static_cast<int>(i));
            continue;
        }
        paths.push_back(path->get<std::string>());
    }
    if (paths.empty()) {
        LOG_W("QMLAudio::playAudio nothing to play: %s", text.c_str());
        return false;
    }
    return true;
}

} // namespace

QMLAudio::QMLAudio(QObject* parent) : QObject(parent), m_player(std::make_unique<AudioPlayer>()) {}

QMLAudio::~QMLAudio()
{
    LOG_I("~QMLAudio");
}

void QMLAudio::playAudio(QString audioData)
{
    std::vector<std::string> paths;
    PlayPolicy policy = PlayPolicy::Order;
    // Bad input leaves whatever plays as it is.
    if (!parseMusic(audioData.toUtf8().toStdString(), paths, policy))
        return;
    m_player->stop(false);
    if (policy == PlayPolicy::Random) {
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
