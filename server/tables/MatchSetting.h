// The one setting of a table: the match length. Tumblix, Puzzle and Yatzy
// count won games (1, 2, 3 or 5), Backgammon counts points (1, 3, 5, 7, 9
// or 11), exactly the choices of the clients' create menus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/GameKind.h"

namespace server {

// The match length of a setting as the client sends it (decimal text), or
// none when it is not one the kind offers.
std::optional<int> ParseMatchLength(rules::TGameKind kind, std::string_view setting);

// The short description the open-tables list shows: "3 games", "7 points".
std::string DescribeMatchLength(rules::TGameKind kind, int length);

}  // namespace server
