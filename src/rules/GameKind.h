// The four game kinds. The number is the kind byte of every table, start,
// payload and preview message, so it is fixed: 1 Tumblix, 2 Backgammon,
// 3 Puzzle, 4 Yatzy. Anything read from the wire goes through GameKindOf
// before it indexes anything.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace rules {

enum class TGameKind { Tumblix = 1, Gammon = 2, Puzzle = 3, Yatzy = 4 };

constexpr int kFirstGameKind = 1;
constexpr int kLastGameKind = 4;
constexpr int kGameKindCount = 4;

constexpr std::array<TGameKind, kGameKindCount> kAllGameKinds = {TGameKind::Tumblix, TGameKind::Gammon,
                                                                 TGameKind::Puzzle, TGameKind::Yatzy};

constexpr bool IsGameKind(int number) { return number >= kFirstGameKind && number <= kLastGameKind; }

// The kind of a number from the wire, or none when it is out of range.
constexpr std::optional<TGameKind> GameKindOf(int number) {
    if (!IsGameKind(number)) return std::nullopt;
    return static_cast<TGameKind>(number);
}

constexpr int KindNumber(TGameKind kind) { return static_cast<int>(kind); }
// 0..3, for arrays indexed by kind.
constexpr size_t KindIndex(TGameKind kind) { return static_cast<size_t>(KindNumber(kind) - kFirstGameKind); }

// The short name the skin and the texts use for a kind ("Tumblix", "Bg",
// "Puzzle", "Yatzy"): the table captions are "<name>name" in section "Chat".
constexpr std::string_view KindShortName(TGameKind kind) {
    switch (kind) {
        case TGameKind::Tumblix: return "Tumblix";
        case TGameKind::Gammon: return "Bg";
        case TGameKind::Puzzle: return "Puzzle";
        case TGameKind::Yatzy: return "Yatzy";
    }
    return "";
}

// The name people read ("Backgammon" rather than "Bg").
constexpr std::string_view KindDisplayName(TGameKind kind) {
    return kind == TGameKind::Gammon ? std::string_view("Backgammon") : KindShortName(kind);
}

// Seats at a table: every kind needs two; only Yatzy takes up to four.
constexpr int MinPlayers(TGameKind) { return 2; }
constexpr int MaxPlayers(TGameKind kind) { return kind == TGameKind::Yatzy ? 4 : 2; }

}  // namespace rules
