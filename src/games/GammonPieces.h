// TGammonPieces: what the Backgammon window draws of the board engine: the
// 30 checkers (seen from above on the points, from the side in the tray),
// the two big dice, the small hint dice and the doubling cube, placed by
// the board geometry from the layout of section "Gammon" ("Board",
// "Takeout", "Doubledice", "Diceanimation", "Smalldice") and the sizes of
// the pictures.
//
// Every change of the board ends in Place: each checker is put where the
// board says. Checkers that a move carried go there along a half circle
// (50 positions, one every 10 ms) when flights are on; the flights run one
// after the other on a timer, and any later placing first finishes the
// ones still under way, so the pictures never disagree with the board for
// longer than a flight.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resources/HalfCircle.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/Geometry.h"

class TMyimage;
class TMyTimer;
class TPaint;
class TRollover;

class TGammonPieces {
public:
    static constexpr int kFlightPoints = 50;
    static constexpr int kFlightMs = 10;
    static constexpr int kDraggedLayer = 2;  // a dragged checker lies over the others

    TGammonPieces(TPaint* surface, const std::string& section, std::function<void()> onCube);
    ~TGammonPieces();
    TGammonPieces(const TGammonPieces&) = delete;
    TGammonPieces& operator=(const TGammonPieces&) = delete;

    void SetOwn(rules::gammon::TColour own);
    const rules::gammon::TGammonGeometry& Geometry() const { return m_geometry; }
    const rules::gammon::TGammonLayout& Layout() const { return m_layout; }

    // Every checker where the board has it, at once.
    void Place(const rules::gammon::TBoard& board);
    // The checkers the records moved fly there in order (when flying),
    // the others are put in place; own: the records are the own player's.
    void Move(const rules::gammon::TBoard& board, const std::vector<rules::gammon::TMoveRecord>& records,
              bool flying, bool own);
    void FinishFlights();
    bool Flying() const { return !m_flights.empty(); }

    // The topmost checker of colour whose picture covers (x, y), or -1.
    int CheckerAt(int x, int y, rules::gammon::TColour colour) const;
    TMyimage* Top(int checker) const { return m_top[static_cast<size_t>(checker)].get(); }
    TMyimage* Side(int checker) const { return m_side[static_cast<size_t>(checker)].get(); }
    // Lifts a checker over the others and moves its picture to (x, y).
    void Lift(int checker);
    void DragTo(int checker, int x, int y);

    // The big dice: left and right, a face of 0 hides that die.
    void ShowDice(int left, rules::gammon::TColour leftColour, int right, rules::gammon::TColour rightColour);
    void HideDice();
    int LeftDie() const { return m_dieFaces[0]; }
    int RightDie() const { return m_dieFaces[1]; }
    // The hint dice at the targets of a point's first own checker.
    void ShowHints(const std::vector<rules::gammon::THintDie>& hints, rules::gammon::TColour colour, int count);
    void HideHints();
    int HintCount() const { return static_cast<int>(m_hints.size()); }

    // The cube at its place for its value and owner; enabled: clickable.
    void ShowCube(const rules::gammon::TCube& cube, rules::gammon::TColour own, bool enabled);
    void HideCube();
    TRollover* Cube() const { return m_cubeShown; }

private:
    struct TFlight {
        int Checker = 0;
        std::vector<TPathPoint> Path;
        size_t Next = 0;
    };

    void ReadLayout(const std::string& section);
    rules::gammon::TXY Where(const rules::gammon::TBoard& board, int checker) const;
    void PutAt(int checker, const rules::gammon::TBoard& board);
    void Tick();
    TPathPoint Current(int checker) const;

    TPaint* m_surface;
    rules::gammon::TGammonLayout m_layout;
    rules::gammon::TGammonGeometry m_geometry;
    std::array<std::unique_ptr<TMyimage>, rules::gammon::kCheckerCount> m_top, m_side;
    std::array<bool, rules::gammon::kCheckerCount> m_off{};
    std::array<std::unique_ptr<TMyimage>, 2> m_dice;
    std::array<int, 2> m_dieFaces{};
    std::array<int, 4> m_diceXY{};
    std::vector<std::unique_ptr<TMyimage>> m_hints;
    std::array<int, 2> m_hintOffset{};
    std::vector<std::unique_ptr<TRollover>> m_cubes;  // faces 1, 2, 4, ... 64
    TRollover* m_cubeShown = nullptr;
    std::deque<TFlight> m_flights;
    rules::gammon::TBoard m_afterFlights;  // where the flights end
    std::unique_ptr<TMyTimer> m_timer;
};
