#include "mediafiles.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mediatest {

namespace {

bool exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

// Runs ffmpeg into a private temporary name and renames the result into place,
// so that test programs running side by side never see half a file.
bool make(const std::string& path, const std::string& args)
{
    if (exists(path))
        return true;
    const std::string ext = path.substr(path.rfind('.'));
    const std::string tmp = path + ".tmp" + std::to_string(::getpid()) + ext;
    const std::string cmd = "ffmpeg -nostdin -hide_banner -loglevel error -y " + args + " '" + tmp + "'";
    if (std::system(cmd.c_str()) != 0 || !exists(tmp)) {
        std::fprintf(stderr, "media generation failed: %s\n", cmd.c_str());
        std::remove(tmp.c_str());
        return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

bool writeBytes(const std::string& path, const std::vector<char>& bytes)
{
    if (exists(path))
        return true;
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

Files makeFiles()
{
    Files f;
    const std::string dir = DORVO_MEDIA_DIR;
    std::system(("mkdir -p '" + dir + "'").c_str());
    f.barsMp4 = dir + "/bars.mp4";
    f.barsWebm = dir + "/bars.webm";
    f.motionMp4 = dir + "/motion.mp4";
    f.toneMp3 = dir + "/tone440.mp3";
    f.toneAac = dir + "/tone660.m4a";
    f.tone2Mp3 = dir + "/tone880.mp3";
    f.longToneMp3 = dir + "/tone440-long.mp3";
    f.garbage = dir + "/garbage.mp4";
    f.truncated = dir + "/truncated.mp4";
    f.missing = dir + "/no-such-file.mp4";
    const std::string motionFull = dir + "/motion-index-at-end.mp4";

    bool ok = true;
    ok &= make(f.barsMp4, "-f lavfi -i smptebars=size=320x240:rate=25 -t 2 -c:v libx264 -preset ultrafast "
                          "-pix_fmt yuv420p -movflags +faststart");
    ok &= make(f.barsWebm,
               "-f lavfi -i smptebars=size=320x240:rate=25 -t 2 -c:v libvpx -b:v 1M -pix_fmt yuv420p");
    ok &= make(f.motionMp4, "-f lavfi -i testsrc2=size=320x240:rate=25 -t 4 -c:v libx264 -preset ultrafast "
                            "-pix_fmt yuv420p -movflags +faststart");
    ok &= make(f.toneMp3, "-f lavfi -i sine=frequency=440:duration=1 -c:a libmp3lame -b:a 64k");
    ok &= make(f.toneAac, "-f lavfi -i sine=frequency=660:duration=1 -c:a aac -b:a 64k");
    ok &= make(f.tone2Mp3, "-f lavfi -i sine=frequency=880:duration=1 -c:a libmp3lame -b:a 64k");
    ok &= make(f.longToneMp3, "-f lavfi -i sine=frequency=440:duration=5 -c:a libmp3lame -b:a 64k");
    ok &= make(motionFull, "-f lavfi -i testsrc2=size=320x240:rate=25 -t 2 -c:v libx264 -preset ultrafast "
                           "-pix_fmt yuv420p");

    std::mt19937 generator(12345);
    std::vector<char> noise(64 * 1024);
    for (char& c : noise)
        c = static_cast<char>(generator() & 0xff);
    ok &= writeBytes(f.garbage, noise);

    std::ifstream in(motionFull, std::ios::binary);
    std::vector<char> full((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    full.resize(full.size() / 3);
    ok &= !full.empty() && writeBytes(f.truncated, full);
    f.ok = ok;
    return f;
}

} // namespace

const Files& files()
{
    static const Files f = makeFiles();
    return f;
}

} // namespace mediatest
