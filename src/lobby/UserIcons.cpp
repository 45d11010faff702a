#include "lobby/UserIcons.h"

namespace {

constexpr const char* kPrefixes[] = {"Gir", "Boy"};
constexpr const char* kSuffixes[] = {"_gla", "", "_new", "_mut", "_zzz", "_psy"};
constexpr int kFaces = 3;
constexpr int kGameKinds = 4;

}  // namespace

std::vector<std::string> UserIconNames() {
    std::vector<std::string> names;
    for (const char* suffix : kSuffixes)
        for (const char* prefix : kPrefixes)
            for (int face = 1; face <= kFaces; ++face)
                names.push_back(prefix + std::to_string(face) + suffix);
    names.push_back("Neutral");
    for (int kind = 1; kind <= kGameKinds; ++kind) names.push_back("SGame" + std::to_string(kind));
    return names;
}

int PlayingGame(int icon) {
    if (icon < kPlayingIcon || icon >= kPlayingIcon + kGameKinds) return 0;
    return icon - kPlayingIcon + 1;
}

int CheckedUserIcon(int value) { return value >= 1 && value <= kUserIconCount ? value : 0; }
