// The key numbers the platform delivers with key-down and key-up events
// (the usual virtual-key numbers; letters and digits are their capital
// ASCII codes).
#pragma once

namespace vk {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Pause = 19;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
// The key left of "1" on a Danish keyboard ("½"), which the lobby uses.
inline constexpr int Oem5 = 220;
}  // namespace vk
