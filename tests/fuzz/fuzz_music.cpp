// Background music descriptions (setWidgetBackMusic, a text's music).

#include "core/appcommon/musiclist.h"
#include "fuzzsupport.h"

void fuzzsupport::fuzzOne(const std::string& input)
{
    ns::MusicList music;
    if (ns::readMusicList(input, music) && music.paths.empty())
        __builtin_trap(); // accepted means something to play
}
