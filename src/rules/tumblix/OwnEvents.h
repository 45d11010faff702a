// What the own Tumblix game reports besides its payloads and its well:
// sounds to play at once, and the two animations, with the well as it
// stands at each step, so the window can show them at its own pace. The
// game itself has already moved on to the end state when they are read.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

struct TSoundNow {
    std::string Name;
};

// A weight sank through the holes below it and vanished. Steps[0] is the
// well as the weight landed, each further entry the well after one step
// down; the weight then vanishes at (Column, VanishRow), whose cell is
// empty from then on.
struct TWeightFall {
    int Column = 0;
    int VanishRow = 0;
    std::vector<TCells> Steps;
};

// A bomb with mask origin (X, Y) exploded: Before is shown until the
// clearing frame, After from it on.
struct TBlast {
    int X = 0, Y = 0;
    TCells Before{}, After{};
};

using TOwnEvent = std::variant<TSoundNow, TWeightFall, TBlast>;

}  // namespace rules::tumblix
