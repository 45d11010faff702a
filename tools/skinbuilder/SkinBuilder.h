// Builds the default skin from its sources (skin/*.txt and the drawing code
// of this folder) into a program directory:
//
//   gfx/data.pac   images (GIZ) and bitmap fonts
//   settings.ini   layout, window shapes, splash settings
//   text.ini       texts per language
//   sound/*.wav    effects
//
// The output depends only on the sources, the DejaVu fonts and the library
// versions: the same inputs give the same bytes on every run.
#pragma once

#include <string>
#include <vector>

namespace skin {

struct TBuildOptions {
    std::string skinDir;  // folder of the sources
    std::string outDir;   // the program directory to fill
    std::string fontDir = "/usr/share/fonts/truetype/dejavu";
};

struct TBuildReport {
    std::vector<std::string> members;  // pack member names, in build order
    long long packBytes = 0;
    int soundCount = 0;
    long long soundBytes = 0;
};

// False with a message when a source is missing or malformed or an output
// cannot be written.
bool BuildSkin(const TBuildOptions& options, TBuildReport& report, std::string& error);

}  // namespace skin
