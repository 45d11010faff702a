// The icons of the lobby's user lists: one list of 41 images built once,
// in which a user's icon byte v shows image v (from 1). The order is fixed
// by the server's numbering: "Gir1".."Gir3" and "Boy1".."Boy3" with the
// suffix "_gla", then without suffix, then "_new", "_mut", "_zzz", "_psy";
// then "Neutral"; then "SGame1".."SGame4", the four icons of a user who is
// playing Tumblix, Backgammon, Puzzle or Yatzy.
#pragma once

#include <string>
#include <vector>

inline constexpr int kUserIconCount = 41;
// The icon of a user playing game kind k is kPlayingIcon + k − 1.
inline constexpr int kPlayingIcon = 38;

// The 41 image names in the list's order.
std::vector<std::string> UserIconNames();
// The game kind 1..4 a playing icon stands for; 0 for any other icon.
int PlayingGame(int icon);
// An icon byte as the server sent it: 1..41 is shown, anything else is no
// icon (0).
int CheckedUserIcon(int value);
