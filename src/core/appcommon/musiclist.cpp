#include "musiclist.h"

#include "jsonread.h"
#include "logging/log.h"

namespace ns {

bool readMusicList(const std::string& text, MusicList& out)
{
    std::string why;
    const nlohmann::json json = jsonread::parse(text, &why);
    if (json.is_discarded()) {
        LOG_E("from_string: the music description is %s: %.200s", why.c_str(), text.c_str());
        return false;
    }
    if (!json.is_object()) {
        LOG_E("QMLAudio::playAudio music description is not an object: %s", text.c_str());
        return false;
    }
    std::vector<std::string> paths;
    bool random = false;
    auto policyIt = json.find("playPolicy");
    if (policyIt != json.end() && !policyIt->is_null()) {
        if (!policyIt->is_string()) {
            LOG_W("QMLAudio::playAudio playPolicy is not a text, playing in order");
        } else if (*policyIt == "RANDOM") {
            random = true;
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
    out.paths = std::move(paths);
    out.random = random;
    return true;
}

} // namespace ns
