// Background music descriptions (setWidgetBackMusic, a text's music).

#include "core/appcommon/musiclist.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::silenceLog();
    ns::MusicList music;
    if (ns::readMusicList(fuzzsupport::text(data, size), music) && music.paths.empty())
        __builtin_trap(); // accepted means something to play
    return 0;
}
