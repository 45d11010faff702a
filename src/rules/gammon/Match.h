// The doubling cube and the match score. Both are kept per colour, so the
// referee and either client read them the same way; "own" and "opponent"
// are only a client's view of the colours.
//
// The Crawford rule: the first game that starts while either player is one
// point short of the match length is played without the cube. The leader
// could not double then anyway (own score + cube value must stay below the
// match length), so this is the same as forbidding the trailer alone.
#pragma once

#include <optional>

#include "rules/gammon/Colour.h"

namespace rules::gammon {

class TMatchScore {
public:
    // A new table: both scores 0; lengths below 1 count as 1.
    void Start(int length);
    int Length() const { return m_length; }
    int Points(TColour colour) const { return m_points[ColourIndex(colour)]; }
    void Add(TColour colour, int points) { m_points[ColourIndex(colour)] += points; }
    bool IsOver() const { return Winner().has_value(); }
    std::optional<TColour> Winner() const;

private:
    int m_length = 1;
    int m_points[2] = {0, 0};
};

class TCube {
public:
    static constexpr int kMaxValue = 64;  // the highest face the cube has

    // A new table: the Crawford game has not been played yet.
    void StartTable();
    // A new game: value 1, centred, and allowed unless this is the Crawford
    // game of the match.
    void StartGame(const TMatchScore& score);

    int Value() const { return m_value; }
    std::optional<TColour> Owner() const { return m_owner; }
    bool AllowedThisGame() const { return m_allowed; }
    bool CrawfordPassed() const { return m_crawfordPassed; }
    bool OwnedBy(TColour colour) const { return m_owner == colour; }
    // The picture of the face: 0 for 1 (shown as 64), 1 for 2, ... 6 for 64.
    int FaceIndex() const;

    // Whether colour may double now (at the start of its turn, before it
    // rolls): the other colour does not own the cube, this game allows it,
    // the cube has a higher face, and colour's score + value stays below
    // the match length.
    bool CanDouble(TColour colour, const TMatchScore& score) const;
    // An accepted double: the value doubles and accepter owns the cube.
    void Accept(TColour accepter);

private:
    int m_value = 1;
    std::optional<TColour> m_owner;
    bool m_allowed = true;
    bool m_crawfordPassed = false;
};

// Points a game is worth: its class (1, 2 or 3) times the cube value.
constexpr int GamePoints(int resultClass, int cubeValue) { return resultClass * cubeValue; }

}  // namespace rules::gammon
