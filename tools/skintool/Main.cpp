// skintool: the command line for skin authors. Packs: create, list and
// extract "data.pac" files. GIZ: encode a PNG, decode a stream to a PNG at a
// chosen depth. Fonts: draw a font resource's glyphs to a PNG.
#include <cstdio>

#include "Commands.h"

namespace skin {

void PrintUsage() {
    std::fputs(
        "usage:\n"
        "  skintool pack create DIR OUT     pack every file of DIR (a \".giz\" ending is dropped)\n"
        "  skintool pack list PACK          show the members: index, name, offset, size\n"
        "  skintool pack extract PACK DIR   write every member to DIR/name\n"
        "  skintool giz encode IN.png OUT   encode a PNG (alpha below 128 is transparent)\n"
        "  skintool giz decode IN OUT.png [--depth 15|16|24|32]   decode (default depth 32)\n"
        "  skintool font render FONT OUT.png  draw the glyphs of a font resource\n",
        stderr);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "skintool: %s\n", message.c_str());
    return kExitBadInput;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "skintool: %s\n", message.c_str());
    PrintUsage();
    return kExitUsage;
}

}  // namespace skin

int main(int argc, char** argv) {
    if (argc < 2) return skin::UsageError("no command given");
    const std::string group = argv[1];
    const skin::TArgs args(argv + 2, argv + argc);
    if (group == "pack") return skin::PackCommand(args);
    if (group == "giz") return skin::GizCommand(args);
    if (group == "font") return skin::FontCommand(args);
    if (group == "help" || group == "--help" || group == "-h") {
        skin::PrintUsage();
        return 0;
    }
    return skin::UsageError("unknown command \"" + group + "\"");
}
