#pragma once

// The background music of a widget as the host describes it:
// {"playPolicy":"ORDER"|"RANDOM","audioList":[{"originalDataSource":path},...]}.

#include <string>
#include <vector>

namespace ns {

struct MusicList
{
    std::vector<std::string> paths; // in list order
    bool random = false;            // shuffled once before playing
};

// Reads a description into out. Items without a path are left out (logged);
// false, with out unchanged, when nothing can be played.
bool readMusicList(const std::string& text, MusicList& out);

} // namespace ns
