// TPreviewGammon: the preview of a running Backgammon game over the
// background "Peek_bac": the 30 checkers (TGammonbrick), the dice, the cube
// and the score, drawn from white's side (white's home at the bottom
// right), with the board arithmetic of the game's geometry.
//
// Dice states: 0 the opening roll (white's die left, black's right), 1
// white's two dice, 2 black's two, 3 none. The dice pictures are one list:
// "wdice" faces 1..6, then "bdice" faces 7..12, so a black die of face f
// shows frame f + 6. The cube shows "double0" for 1, then "double2" ..
// "double64" (frame log2(value) + 1), in the middle while its value is 1,
// else on its owner's side (seat 1 white, seat 2 black).
//
// Moves and undos change the board at once. While the preview is drawn,
// every movement of a checker is also queued as a flight along a half
// circle of at most 15 positions, one position every 20 ms; when the queue
// is empty every checker is put where the board has it. Hidden, nothing
// flies: showing puts the checkers in place.
//
// Layout (section "Chat", key "PreviewGammon", relative to the slot): left
// half x, y; right half x, y; half width, half height, column height (the
// game's "Board"); tray x, tray width, tray margin ("Takeout"); cube x, y
// ("Doubledice"); left die x, right die x, dice y. The score label shows
// "PreviewGammonscore" filled with score 1, score 2, match length.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "lobby/PreviewGammonBoard.h"
#include "lobby/Singlepreview.h"
#include "net/SessionWindows.h"
#include "resources/HalfCircle.h"
#include "rules/gammon/Geometry.h"

class TGammonbrick;
class TMyimagelist;

class TPreviewGammon : public TSinglepreview {
public:
    static constexpr int kFlightPoints = 15;
    static constexpr int kFlightMs = 20;
    static constexpr int kNoDice = 3;
    static constexpr int kBlackFaces = 6;  // black faces follow white's

    TPreviewGammon(TPaint* surface, const TPreviewPlace& place);
    ~TPreviewGammon() override;

    void Load(const TGammonSnapshot& snapshot);
    // Code 90: the dice of the current state.
    void SetDice(int die1, int die2);
    // Code 91: states outside 0..3 change nothing.
    void SetDiceState(int state);
    // Code 92: a move of the checker on point (point + 1 as sent).
    void Move(int pointPlus1, int distance);
    // Code 93, with the points + 2 as sent.
    void Undo(int toPlus2, int fromPlus2, int hitPlus2);
    // Code 95: the value as decimal text; other text changes nothing.
    void SetCube(int owner, const std::string& value);

    const TPreviewGammonBoard& Board() const { return m_board; }
    int DiceState() const { return m_diceState; }
    // The dice frames shown left and right (0: none).
    int LeftFrame() const;
    int RightFrame() const;
    // The die pictures, 0 left and 1 right.
    const TMyimagelist& DieImage(int side) const { return *m_dice[side == 0 ? 0 : 1]; }
    int CubeValue() const { return m_cubeValue; }
    int CubeOwner() const { return m_cubeOwner; }
    size_t QueuedFlights() const { return m_flights.size(); }
    TGammonbrick* Brick(int checker) const;

protected:
    void Reset() override;
    void ShowContent() override;
    void HideContent() override;

private:
    struct TFlight {
        int Checker = 0;
        std::vector<TPathPoint> Path;
        size_t Next = 0;
        bool ToTray = false;
    };

    void ReadLayout(const TPreviewPlace& place);
    rules::gammon::TXY Where(int checker) const;
    void PlaceAll();
    void Animate(const std::vector<TPreviewGammonBoard::TStep>& steps);
    void Tick();
    void StopFlights();
    void ShowDice();
    void ShowCube();
    std::array<int, 2> Faces() const;

    TPreviewGammonBoard m_board;
    std::array<std::unique_ptr<TGammonbrick>, TPreviewGammonBoard::kCheckers> m_bricks;
    std::array<TPathPoint, TPreviewGammonBoard::kCheckers> m_planned{};
    std::array<std::unique_ptr<TMyimagelist>, 2> m_dice;
    std::unique_ptr<TMyimagelist> m_cube;
    rules::gammon::TGammonLayout m_layout;
    std::unique_ptr<rules::gammon::TGammonGeometry> m_geometry;
    std::deque<TFlight> m_flights;
    std::unique_ptr<TMyTimer> m_timer;
    int m_diceState = kNoDice;
    std::array<int, 2> m_white{}, m_black{};
    int m_cubeValue = 1, m_cubeOwner = 0;
};
