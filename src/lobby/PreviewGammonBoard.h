// TPreviewGammonBoard: where the 30 checkers of a previewed Backgammon game
// stand, as stacks of checker numbers on 28 places: points 0..25 (0 white's
// bar, 25 black's), white's tray (26) and black's tray (27). Checkers 0..14
// are white, 15..29 black; the last of a stack is its top.
//
// The preview applies what the server streams without judging it, but it
// keeps the board sound: a snapshot places at most 15 checkers of a colour
// (the rest of the sprites stay unused), a move needs a checker on its
// point, and a move onto two or more opposing checkers, which no game
// makes, changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TPreviewGammonBoard {
public:
    static constexpr int kPlaces = 28;
    static constexpr int kWhiteBar = 0, kBlackBar = 25, kWhiteTray = 26, kBlackTray = 27;
    static constexpr int kCheckers = 30, kPerColour = 15;
    static constexpr int kNowhere = -1;

    // One checker's movement, in the order made.
    struct TStep {
        int Checker = 0;
        int From = 0, To = 0;
        friend bool operator==(const TStep&, const TStep&) = default;
    };

    TPreviewGammonBoard();

    static bool IsWhite(int checker) { return checker < kPerColour; }

    // The 28 values of a snapshot, each + 1, in the board encoding (1..15
    // white checkers, 21..35 black ones; both trays too).
    void Load(const std::array<uint8_t, kPlaces>& valuesPlus1);
    void Clear();

    // Code 92: the top checker of point moves by distance, white upwards and
    // black downwards; past the board is its tray. A single opposing
    // checker on the target goes to its bar first. Empty when nothing
    // moved.
    std::vector<TStep> Move(int point, int distance);
    // Code 93: the top checker of to (-1: the tray of the colour at turn,
    // white's when whiteToMove) goes back to from; with a hit a checker of
    // the other colour comes back from its bar to to.
    std::vector<TStep> Undo(int to, int from, bool hit, bool whiteToMove);

    const std::vector<int>& Stack(int place) const;
    // The place of a checker, or kNowhere for an unused one.
    int PlaceOf(int checker) const;
    // Its position in its stack, from 0 at the bottom.
    int Height(int checker) const;
    // The place's value in the board encoding (for the tests and the eye).
    int Value(int place) const;

private:
    int Count(int place, bool white) const;
    void Put(int checker, int place);
    int Take(int place);
    int TakeOf(int place, bool white);

    std::array<std::vector<int>, kPlaces> m_stacks;
    std::array<int, kCheckers> m_places;
};
