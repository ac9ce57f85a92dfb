#pragma once

// Test pictures, written once per process into a private temporary folder:
// stills with Qt's image writers, animations with the ffmpeg command-line
// tool, the SVG as text.

#include <string>

namespace picturetest {

struct Files
{
    std::string dir;
    std::string halvesPng;  // 200 x 100: left half red, right half blue
    std::string halvesJpg;  // the same as JPEG
    std::string halvesBmp;  // the same as BMP
    std::string halvesWebp; // the same as WebP
    std::string stripeJpg;  // 300 x 100 blue with a 20-pixel red stripe at the left edge
    std::string bandJpg;    // 300 x 100 blue with a 20-pixel red band at the top
    std::string twoGif;     // 2 frames of 100 x 100, red then blue, 400 ms each, looping
    std::string twoWebp;    // the same two frames as an animated WebP
    std::string barsSvg;    // 200 x 100 drawing: ten vertical bars, red and blue alternately
    std::string oddPath;    // halvesPng under a name with a blank, '#', '%', '?' and CJK characters
    std::string corrupt;    // a JPEG marker and filler named .jpg
    std::string missing;    // a path that does not exist
    bool ok = false;
};

const Files& files();

} // namespace picturetest
