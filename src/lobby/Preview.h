// Tpreview: the lobby's preview strip: four slots in a 2 × 2 grid, each
// able to show one running Tumblix, Backgammon or Puzzle game live. A slot
// holds one preview of each kind (TSinglepreview); at most one of them is
// active. The slot's active preview is the first active one of the three,
// or the Puzzle one when none is.
//
// Choosing: a click on a running game opens the peek menu of the kind
// shown (a 2 × 2 glide, items "Peek" + kind with the text "Preview", item
// n for slot n). Choosing slot n sends the watch request "H" for the
// selected game's seat-1 alias, unless the slot already shows that game or
// has a request pending; only kinds 1 and 2 are watched.
//
// Filling: while the games view is open, every slot whose active preview
// is not active and which has no request pending gets one of the running
// games of kinds 1 and 2 that no slot shows or asked for: the kind by a
// uniform draw over those games, in that kind's list the game with the
// lowest figure (seat 1's, or seat 2's when that is lower still; a figure
// that is not a decimal number counts as 1,000,000,000). It runs when the
// games view opens, after a game started, and whenever a preview lets its
// slot go (20 s after its game ended).
//
// Requests stay pending until the snapshot (code 74) starts the preview of
// that kind: the requested aliases become the shown ones. A snapshot for a
// kind that is not started in the slot stops the slot's active preview
// first; a snapshot for a kind with a request pending starts it afresh.
// Every change updates the state of its slot's preview of that kind, shown
// or not; the strip shows the started previews when the games view opens
// and hides them when it closes.
//
// Layout (section "Chat", key "Preview"): x, y, width (default 100), height
// (default 100), and the width and height of the box each slot's end text
// is centred in (default 100 each). Slots 2 and 4 stand half the width to
// the right, slots 3 and 4 half the height lower.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lobby/LobbyAreas.h"
#include "net/SessionWindows.h"

class TGame;
class TGlide;
class TPaint;
class TPreviewGammon;
class TPreviewpuzzle;
class TPreviewTumblix;
class TSinglepreview;
struct TPreviewPlace;

class Tpreview : public IPreviews, public ILobbyPreviews {
public:
    static constexpr int kSlots = 4;
    static constexpr int kKinds = 3;          // 1 Tumblix, 2 Backgammon, 3 Puzzle
    static constexpr int kWatchedKinds = 2;   // kinds that can be asked for
    static constexpr int kNoFigure = 1000000000;
    static constexpr char kSection[] = "Chat";

    // The running games come from the lobby's tables, which outlive the
    // strip.
    Tpreview(TPaint* surface, TGame& tables);
    ~Tpreview() override;
    Tpreview(const Tpreview&) = delete;
    Tpreview& operator=(const Tpreview&) = delete;

    // IPreviews: the server's preview messages; slots are 1..4.
    void Stop(int slot) override;
    void ShowTumblix(int slot, const TTumblixSnapshot& state) override;
    void ShowGammon(int slot, const TGammonSnapshot& state) override;
    void ShowPuzzle(int slot, const TPuzzleSnapshot& state) override;
    void SetTumblixCells(const TTumblixCells& cells) override;
    void AddTumblixRow(int slot, int seat, const std::array<uint8_t, 12>& row) override;
    void RemoveTumblixRow(int slot, int seat, int row) override;
    void SetTumblixNumber(int slot, int number) override;
    void SetPuzzleNumber(int slot, int number) override;
    void SetGammonDice(int slot, int die1, int die2) override;
    void SetGammonDiceState(int slot, int state) override;
    void MoveGammon(int slot, int pointPlus1, int distance) override;
    void UndoGammon(int slot, int toPlus2, int fromPlus2, int hitPlus2) override;
    void End(int slot, int winner) override;
    void SetGammonCube(int slot, int owner, const std::string& value) override;
    void PuzzleShot(const TPuzzleShot& shot) override;
    void SetPuzzleCell(const TPuzzleCell& cell) override;
    void ClearPuzzleCell(const TPuzzleCell& cell) override;

    // ILobbyPreviews: the games view opens and closes; a game was started.
    void ShowStrip() override;
    void HideStrip() override;
    void FillFreeSlots() override;
    void GameClicked() override;

    // The peek menu's choice: the selected running game of kind for slot.
    void ChooseGame(int kind, int slot);

    bool Open() const { return m_open; }
    // Slots 1..4 (others give slot 1); kinds 1..3 (others give Puzzle).
    TSinglepreview& ActivePreview(int slot) const;
    TSinglepreview& Preview(int slot, int kind) const;
    TPreviewTumblix& Tumblix(int slot) const;
    TPreviewGammon& Gammon(int slot) const;
    TPreviewpuzzle& Puzzle(int slot) const;
    TGlide* PeekMenu(int kind) const;

    // Where the watch requests go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;
    // A uniform draw below count (count >= 1); empty: the strip's own.
    std::function<int(int count)> Random;

private:
    using TRows = std::array<std::vector<int>, kWatchedKinds>;

    static TPreviewPlace SlotPlace(int slot);
    void CreateMenus(TPaint* surface);
    void SwitchTo(int slot, int kind);
    template <typename TKind, typename TSnapshot>
    void ShowState(int slot, int kind, const TSnapshot& state);
    bool Pending(int slot) const;
    bool Watched(const std::string& seat1) const;
    TRows UnwatchedRows() const;
    int Draw(int count);
    int LowestFigure(int kind, const std::vector<int>& rows) const;
    void Request(int slot, int kind, const std::string& seat1, const std::string& seat2);
    void Send(const std::string& message);

    TGame& m_tables;
    std::array<std::array<std::unique_ptr<TSinglepreview>, kKinds>, kSlots> m_slots;
    std::array<std::unique_ptr<TGlide>, kKinds> m_menus;
    bool m_open = false;
};
