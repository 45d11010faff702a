// The frames every Puzzle bubble shares, in one list: the six colours and
// the bomb ("3_bobble1" to "3_bobble7"), "3_bobble8", then 8 growth frames
// per colour made at start (a flying bubble grows into its full size), then
// the strips "3_out" (burst), "3_bomb" (destroyed by a bomb) and "3_in"
// (trash arriving). Frame n of the colours is colour n, so a bubble at
// rest simply shows its colour's frame.
#pragma once

#include <memory>

class TMygfx;
class TMyimagelist;

struct TBobbleStrip {
    int First = 0, Last = -1;  // an empty strip when the skin has none
    bool Empty() const { return First < 1 || Last < First; }
};

struct TBobbleFrames {
    static constexpr int kGrowthFrames = 8;
    static constexpr int kFirstGrowth = 9;

    // The sprite that holds the list; hidden, every bubble shares its frames.
    std::unique_ptr<TMyimagelist> Prototype;
    int Width = 0, Height = 0;
    TBobbleStrip Out, Bomb, In;

    // The growth frames of colour 1..6.
    static TBobbleStrip Growth(int colour) {
        if (colour < 1 || colour > 6) return {};
        int first = kFirstGrowth + kGrowthFrames * (colour - 1);
        return {first, first + kGrowthFrames - 1};
    }
};

// Loads the images and makes the growth frames.
TBobbleFrames BuildBobbleFrames(TMygfx* parent);
