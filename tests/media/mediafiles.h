#pragma once

// Test media, made with the ffmpeg command-line tool into the build's temp
// folder the first time a test asks for them.

#include <string>
#include <vector>

namespace mediatest {

struct Files
{
    std::string barsMp4;     // SMPTE colour bars, H.264 in MP4, 2 s
    std::string barsWebm;    // the same bars, VP8 in WebM
    std::string motionMp4;   // moving test pattern, H.264, 4 s
    std::string toneMp3;     // 440 Hz sine, MP3, 1 s
    std::string toneAac;     // 660 Hz sine, AAC in M4A, 1 s
    std::string tone2Mp3;    // 880 Hz sine, MP3, 1 s
    std::string longToneMp3; // 440 Hz sine, MP3, 5 s
    std::string garbage;     // random bytes named .mp4
    std::string truncated;   // the first part of an MP4 whose index is at its end
    std::string missing;     // a path that does not exist
    bool ok = false;
};

// Makes the files once per process (skipping those already there).
const Files& files();

// A music description of the files, as the host sends it.
inline std::string music(const std::vector<std::string>& paths, const std::string& policy)
{
    std::string list;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        list += std::string(i ? "," : "") + R"({"id":)" + n + R"(,"name":"track)" + n +
                R"(","dataSource":"http://example.invalid/)" + n + R"(.mp3","originalDataSource":")" +
                paths[i] + R"(","duration":1000})";
    }
    return R"({"audioList":[)" + list + R"(],"playPolicy":")" + policy + R"("})";
}

} // namespace mediatest
