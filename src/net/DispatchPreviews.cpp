// The preview codes. Every message is read whole first; one for slot 0 (or
// a slot past the strip) is then dropped.
#include "net/DispatchCodes.h"

namespace dispatch {
namespace {

constexpr int kSlots = 4;

// The previews when the slot is one of the strip's.
IPreviews* For(int slot) {
    if (slot < 1 || slot > kSlots) return nullptr;
    return SessionWindows().Previews;
}

}  // namespace

void PreviewStop(TReader& m) {
    auto stop = ReadAs<protocol::TPreviewStop>(m);
    if (IPreviews* previews = For(stop.Slot)) previews->Stop(stop.Slot);
}

void PreviewState(TReader& m) {
    auto state = ReadAs<protocol::TPreviewState>(m);
    IPreviews* previews = For(state.Slot);
    if (!previews) return;
    // Yatzy and unknown kinds have no preview; their bytes are ignored.
    if (auto* tumblix = std::get_if<TTumblixSnapshot>(&state.State)) previews->ShowTumblix(state.Slot, *tumblix);
    if (auto* gammon = std::get_if<TGammonSnapshot>(&state.State)) previews->ShowGammon(state.Slot, *gammon);
    if (auto* puzzle = std::get_if<TPuzzleSnapshot>(&state.State)) previews->ShowPuzzle(state.Slot, *puzzle);
}

void TumblixCells(TReader& m) {
    auto cells = ReadAs<TTumblixCells>(m);
    if (IPreviews* previews = For(cells.Slot)) previews->SetTumblixCells(cells);
}

void TumblixRowAdded(TReader& m) {
    auto row = ReadAs<protocol::TTumblixRowAdded>(m);
    if (IPreviews* previews = For(row.Slot)) previews->AddTumblixRow(row.Slot, row.Seat, row.Row);
}

void TumblixRowRemoved(TReader& m) {
    auto row = ReadAs<protocol::TTumblixRowRemoved>(m);
    if (IPreviews* previews = For(row.Slot)) previews->RemoveTumblixRow(row.Slot, row.Seat, row.Row);
}

void TumblixNumber(TReader& m) {
    auto number = ReadAs<protocol::TTumblixNumber>(m);
    if (IPreviews* previews = For(number.Slot)) previews->SetTumblixNumber(number.Slot, number.Number);
}

void PuzzleNumber(TReader& m) {
    auto number = ReadAs<protocol::TPuzzleNumber>(m);
    if (IPreviews* previews = For(number.Slot)) previews->SetPuzzleNumber(number.Slot, number.Number);
}

void GammonDice(TReader& m) {
    auto dice = ReadAs<protocol::TGammonDice>(m);
    if (IPreviews* previews = For(dice.Slot)) previews->SetGammonDice(dice.Slot, dice.Die1, dice.Die2);
}

void GammonDiceState(TReader& m) {
    auto state = ReadAs<protocol::TGammonDiceState>(m);
    if (IPreviews* previews = For(state.Slot)) previews->SetGammonDiceState(state.Slot, state.State);
}

void GammonMove(TReader& m) {
    auto move = ReadAs<protocol::TGammonMove>(m);
    if (IPreviews* previews = For(move.Slot)) previews->MoveGammon(move.Slot, move.Point, move.Distance);
}

void GammonUndo(TReader& m) {
    auto undo = ReadAs<protocol::TGammonUndo>(m);
    if (IPreviews* previews = For(undo.Slot)) previews->UndoGammon(undo.Slot, undo.To, undo.From, undo.Hit);
}

void PreviewEnd(TReader& m) {
    auto end = ReadAs<protocol::TPreviewEnd>(m);
    if (IPreviews* previews = For(end.Slot)) previews->End(end.Slot, end.Winner);
}

void GammonCube(TReader& m) {
    auto cube = ReadAs<protocol::TGammonCube>(m);
    if (IPreviews* previews = For(cube.Slot)) previews->SetGammonCube(cube.Slot, cube.Owner, cube.Value);
}

void PuzzleShot(TReader& m) {
    auto shot = ReadAs<TPuzzleShot>(m);
    if (IPreviews* previews = For(shot.Slot)) previews->PuzzleShot(shot);
}

void PuzzleCellSet(TReader& m) {
    auto cell = ReadAs<protocol::TPuzzleCellSet>(m);
    if (IPreviews* previews = For(cell.Slot)) previews->SetPuzzleCell(cell);
}

void PuzzleCellCleared(TReader& m) {
    auto cell = ReadAs<protocol::TPuzzleCellCleared>(m);
    if (IPreviews* previews = For(cell.Slot)) previews->ClearPuzzleCell(cell);
}

}  // namespace dispatch
