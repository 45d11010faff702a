// The preview codes. Every message is read whole first; one for slot 0 (or
// a slot past the strip) is then dropped.
#include "net/DispatchCodes.h"

namespace dispatch {
namespace {

constexpr int kSlots = 4;
constexpr int kTumblixKind = 1, kGammonKind = 2, kPuzzleKind = 3;
// Dice states (as sent, + 1) 1..3 carry two dice; 4 carries none.
constexpr int kLastStateWithDice = 3;

// The previews when the slot is one of the strip's.
IPreviews* For(int slot) {
    if (slot < 1 || slot > kSlots) return nullptr;
    return SessionWindows().Previews;
}

template <size_t N>
void ReadBytes(TMessageReader& m, std::array<uint8_t, N>& bytes) {
    std::string read = m.Bytes(static_cast<long long>(N));
    for (size_t i = 0; i < read.size(); ++i) bytes[i] = static_cast<uint8_t>(read[i]);
}

template <size_t N>
void ReadNumbers(TMessageReader& m, std::array<int, N>& numbers) {
    for (int& number : numbers) number = m.Byte();
}

void ReadTumblix(TMessageReader& m, int slot) {
    TTumblixSnapshot state;
    ReadBytes(m, state.Boards);
    ReadNumbers(m, state.Numbers);
    if (IPreviews* previews = For(slot)) previews->ShowTumblix(slot, state);
}

void ReadGammon(TMessageReader& m, int slot) {
    TGammonSnapshot state;
    ReadBytes(m, state.Points);
    state.DiceState = m.Byte();
    state.HasDice = state.DiceState >= 1 && state.DiceState <= kLastStateWithDice;
    if (state.HasDice) ReadNumbers(m, state.Dice);
    state.Cube = m.Byte();
    state.Score1 = m.Byte();
    state.Score2 = m.Byte();
    state.MatchLength = m.Byte();
    state.CubeOwner = m.Byte();
    if (IPreviews* previews = For(slot)) previews->ShowGammon(slot, state);
}

void ReadPuzzle(TMessageReader& m, int slot) {
    TPuzzleSnapshot state;
    ReadBytes(m, state.Grids);
    ReadNumbers(m, state.Numbers);
    if (IPreviews* previews = For(slot)) previews->ShowPuzzle(slot, state);
}

TPuzzleCell ReadCell(TMessageReader& m, bool withColour) {
    TPuzzleCell cell;
    cell.Slot = m.Byte();
    cell.Seat = m.Byte();
    if (withColour) cell.Colour = m.Byte();
    cell.Column = m.Byte();
    cell.Row = m.Byte();
    return cell;
}

}  // namespace

void PreviewStop(TMessageReader& m) {
    int slot = m.Byte();
    if (IPreviews* previews = For(slot)) previews->Stop(slot);
}

void PreviewState(TMessageReader& m) {
    int kind = m.Byte();
    int slot = m.Byte();
    // Yatzy and unknown kinds have no preview; their bytes are ignored.
    if (kind == kTumblixKind) ReadTumblix(m, slot);
    if (kind == kGammonKind) ReadGammon(m, slot);
    if (kind == kPuzzleKind) ReadPuzzle(m, slot);
}

void TumblixCells(TMessageReader& m) {
    TTumblixCells cells;
    cells.Slot = m.Byte();
    cells.Seat = m.Byte();
    int n = m.Byte();
    // Only whole triples are cells; a triple the message ends inside is none.
    for (int i = 0; i < n && m.Remaining() >= 3; ++i) {
        TTumblixCell cell;
        cell.Column = m.Byte();
        cell.Row = m.Byte();
        cell.Colour = m.Byte();
        cells.Cells.push_back(cell);
    }
    if (IPreviews* previews = For(cells.Slot)) previews->SetTumblixCells(cells);
}

void TumblixRowAdded(TMessageReader& m) {
    int slot = m.Byte();
    int seat = m.Byte();
    std::array<uint8_t, 12> row{};
    ReadBytes(m, row);
    if (IPreviews* previews = For(slot)) previews->AddTumblixRow(slot, seat, row);
}

void TumblixRowRemoved(TMessageReader& m) {
    int slot = m.Byte();
    int seat = m.Byte();
    int row = m.Byte();
    if (IPreviews* previews = For(slot)) previews->RemoveTumblixRow(slot, seat, row);
}

void TumblixNumber(TMessageReader& m) {
    int slot = m.Byte();
    int number = m.Byte();
    if (IPreviews* previews = For(slot)) previews->SetTumblixNumber(slot, number);
}

void PuzzleNumber(TMessageReader& m) {
    int slot = m.Byte();
    int number = m.Byte();
    if (IPreviews* previews = For(slot)) previews->SetPuzzleNumber(slot, number);
}

void GammonDice(TMessageReader& m) {
    int slot = m.Byte();
    int die1 = m.Byte();
    int die2 = m.Byte();
    if (IPreviews* previews = For(slot)) previews->SetGammonDice(slot, die1, die2);
}

void GammonDiceState(TMessageReader& m) {
    int slot = m.Byte();
    int state = m.Byte();
    if (IPreviews* previews = For(slot)) previews->SetGammonDiceState(slot, state);
}

void GammonMove(TMessageReader& m) {
    int slot = m.Byte();
    int point = m.Byte();
    int distance = m.Byte();
    if (IPreviews* previews = For(slot)) previews->MoveGammon(slot, point, distance);
}

void GammonUndo(TMessageReader& m) {
    int slot = m.Byte();
    int to = m.Byte();
    int from = m.Byte();
    int hit = m.Byte();
    if (IPreviews* previews = For(slot)) previews->UndoGammon(slot, to, from, hit);
}

void PreviewEnd(TMessageReader& m) {
    int slot = m.Byte();
    int winner = m.Byte();
    if (IPreviews* previews = For(slot)) previews->End(slot, winner);
}

void GammonCube(TMessageReader& m) {
    int slot = m.Byte();
    int owner = m.Byte();
    std::string value = m.Field();
    if (IPreviews* previews = For(slot)) previews->SetGammonCube(slot, owner, value);
}

void PuzzleShot(TMessageReader& m) {
    TPuzzleShot shot;
    shot.Slot = m.Byte();
    shot.Seat = m.Byte();
    shot.Colour = m.Byte();
    shot.Direction = m.Byte();
    shot.Column = m.Byte();
    shot.Row = m.Byte();
    if (IPreviews* previews = For(shot.Slot)) previews->PuzzleShot(shot);
}

void PuzzleCellSet(TMessageReader& m) {
    TPuzzleCell cell = ReadCell(m, true);
    if (IPreviews* previews = For(cell.Slot)) previews->SetPuzzleCell(cell);
}

void PuzzleCellCleared(TMessageReader& m) {
    TPuzzleCell cell = ReadCell(m, false);
    if (IPreviews* previews = For(cell.Slot)) previews->ClearPuzzleCell(cell);
}

}  // namespace dispatch
