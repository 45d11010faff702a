#include "lobby/Preview.h"

#include <algorithm>
#include <random>

#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/Game.h"
#include "lobby/PreviewGammon.h"
#include "lobby/PreviewLayout.h"
#include "lobby/PreviewTumblix.h"
#include "lobby/Previewpuzzle.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"

namespace {

constexpr int kTumblix = 1, kGammon = 2, kPuzzle = 3;
constexpr int kMenuColumns = 2, kMenuRows = 2;
constexpr int kDefaultSize = 100;
// The running-games list: seat 1's alias and figure, then seat 2's.
constexpr int kSeat1Alias = 0, kSeat1Figure = 1, kSeat2Alias = 2, kSeat2Figure = 3;
constexpr size_t kMaxFigureDigits = 9;

// A decimal figure, or kNoFigure for anything else.
int Figure(const std::string& text) {
    if (text.empty() || text.size() > kMaxFigureDigits || text.find_first_not_of("0123456789") != std::string::npos)
        return Tpreview::kNoFigure;
    return std::stoi(text);
}

size_t SlotIndex(int slot) { return static_cast<size_t>(slot >= 1 && slot <= Tpreview::kSlots ? slot - 1 : 0); }
size_t KindIndex(int kind) { return static_cast<size_t>(kind >= 1 && kind <= Tpreview::kKinds ? kind - 1 : 2); }

}  // namespace

Tpreview::Tpreview(TPaint* surface, TGame& tables) : m_tables(tables) {
    for (int slot = 1; slot <= kSlots; ++slot) {
        auto& previews = m_slots[SlotIndex(slot)];
        const TPreviewPlace place = SlotPlace(slot);
        previews[0] = std::make_unique<TPreviewTumblix>(surface, place);
        previews[1] = std::make_unique<TPreviewGammon>(surface, place);
        previews[2] = std::make_unique<TPreviewpuzzle>(surface, place);
        for (auto& preview : previews) preview->OnReleased = [this] { FillFreeSlots(); };
    }
    CreateMenus(surface);
}

Tpreview::~Tpreview() {
    if (SessionWindows().Previews == this) SessionWindows().Previews = nullptr;
}

TPreviewPlace Tpreview::SlotPlace(int slot) {
    TPreviewLayout layout(kSection, "Preview");
    const int x = layout.Next(0), y = layout.Next(0);
    const int width = layout.Next(kDefaultSize), height = layout.Next(kDefaultSize);
    TPreviewPlace place;
    place.Width = layout.Next(kDefaultSize);
    place.Height = layout.Next(kDefaultSize);
    place.X = x + (slot == 2 || slot == 4 ? width / 2 : 0);
    place.Y = y + (slot >= 3 ? height / 2 : 0);
    return place;
}

// Item n of a menu chooses slot n; items run row by row.
void Tpreview::CreateMenus(TPaint* surface) {
    for (int kind = 1; kind <= kKinds; ++kind) {
        auto menu = std::make_unique<TGlide>(
            surface, true,
            [this, kind](TRollover*, int column, int row) {
                Guarded([&] { ChooseGame(kind, row * kMenuColumns + column + 1); });
            },
            kMenuRows, kMenuColumns);
        for (int slot = 1; slot <= kSlots; ++slot) {
            menu->SetItemParameters(std::to_string(slot));
            menu->AddItem("Peek" + std::to_string(kind), "Preview");
        }
        m_menus[KindIndex(kind)] = std::move(menu);
    }
}

// Access ------------------------------------------------------------------------------

TSinglepreview& Tpreview::Preview(int slot, int kind) const { return *m_slots[SlotIndex(slot)][KindIndex(kind)]; }

TSinglepreview& Tpreview::ActivePreview(int slot) const {
    for (const auto& preview : m_slots[SlotIndex(slot)])
        if (preview->Active()) return *preview;
    return Preview(slot, kPuzzle);
}

TPreviewTumblix& Tpreview::Tumblix(int slot) const { return static_cast<TPreviewTumblix&>(Preview(slot, kTumblix)); }
TPreviewGammon& Tpreview::Gammon(int slot) const { return static_cast<TPreviewGammon&>(Preview(slot, kGammon)); }
TPreviewpuzzle& Tpreview::Puzzle(int slot) const { return static_cast<TPreviewpuzzle&>(Preview(slot, kPuzzle)); }

TGlide* Tpreview::PeekMenu(int kind) const {
    return kind >= 1 && kind <= kKinds ? m_menus[KindIndex(kind)].get() : nullptr;
}

// Snapshots and ends ----------------------------------------------------------------------

void Tpreview::SwitchTo(int slot, int kind) {
    TSinglepreview& preview = Preview(slot, kind);
    if (!preview.Started() || preview.Requested()) {
        ActivePreview(slot).Stop();
        preview.Start();
    }
    if (preview.Drawn()) preview.Hide();
}

template <typename TKind, typename TSnapshot>
void Tpreview::ShowState(int slot, int kind, const TSnapshot& state) {
    SwitchTo(slot, kind);
    auto& preview = static_cast<TKind&>(Preview(slot, kind));
    preview.Load(state);
    if (m_open) preview.Show();
}

void Tpreview::ShowTumblix(int slot, const TTumblixSnapshot& state) { ShowState<TPreviewTumblix>(slot, kTumblix, state); }
void Tpreview::ShowGammon(int slot, const TGammonSnapshot& state) { ShowState<TPreviewGammon>(slot, kGammon, state); }
void Tpreview::ShowPuzzle(int slot, const TPuzzleSnapshot& state) { ShowState<TPreviewpuzzle>(slot, kPuzzle, state); }

void Tpreview::Stop(int slot) { ActivePreview(slot).Stop(); }

void Tpreview::End(int slot, int winner) {
    TSinglepreview& preview = ActivePreview(slot);
    if (preview.Active()) preview.End(winner);
}

// Changes -------------------------------------------------------------------------------

void Tpreview::SetTumblixCells(const TTumblixCells& cells) { Tumblix(cells.Slot).SetCells(cells.Seat, cells.Cells); }

void Tpreview::AddTumblixRow(int slot, int seat, const std::array<uint8_t, 12>& row) { Tumblix(slot).AddRow(seat, row); }

void Tpreview::RemoveTumblixRow(int slot, int seat, int row) { Tumblix(slot).RemoveRow(seat, row); }

void Tpreview::SetTumblixNumber(int slot, int number) { Tumblix(slot).SetNumber(number); }

void Tpreview::SetPuzzleNumber(int slot, int number) { Puzzle(slot).SetNumber(number); }

void Tpreview::SetGammonDice(int slot, int die1, int die2) { Gammon(slot).SetDice(die1, die2); }

void Tpreview::SetGammonDiceState(int slot, int state) { Gammon(slot).SetDiceState(state); }

void Tpreview::MoveGammon(int slot, int pointPlus1, int distance) { Gammon(slot).Move(pointPlus1, distance); }

void Tpreview::UndoGammon(int slot, int toPlus2, int fromPlus2, int hitPlus2) {
    Gammon(slot).Undo(toPlus2, fromPlus2, hitPlus2);
}

void Tpreview::SetGammonCube(int slot, int owner, const std::string& value) { Gammon(slot).SetCube(owner, value); }

void Tpreview::PuzzleShot(const TPuzzleShot& shot) { Puzzle(shot.Slot).Shot(shot); }

void Tpreview::SetPuzzleCell(const TPuzzleCell& cell) { Puzzle(cell.Slot).SetCell(cell); }

void Tpreview::ClearPuzzleCell(const TPuzzleCell& cell) {
    TPuzzleCell cleared = cell;
    cleared.Colour = 0;
    Puzzle(cell.Slot).SetCell(cleared);
}

// The games view ------------------------------------------------------------------------

void Tpreview::ShowStrip() {
    m_open = true;
    for (int slot = 1; slot <= kSlots; ++slot) {
        TSinglepreview& preview = ActivePreview(slot);
        if (preview.Started() && !preview.Drawn()) preview.Show();
    }
}

void Tpreview::HideStrip() {
    m_open = false;
    for (auto& previews : m_slots)
        for (auto& preview : previews)
            if (preview->Drawn()) preview->Hide();
}

void Tpreview::GameClicked() {
    const int kind = m_tables.ShownKind();
    if (kind < 1 || kind > kKinds || m_tables.SelectedGameCell(kSeat1Alias).empty()) return;
    m_menus[KindIndex(kind)]->Popup(-1, -1);
}

// Choosing and filling ---------------------------------------------------------------------

void Tpreview::ChooseGame(int kind, int slot) {
    if (kind < 1 || kind > kWatchedKinds || slot < 1 || slot > kSlots) return;
    const std::string seat1 = m_tables.SelectedGameCell(kSeat1Alias);
    if (seat1.empty()) return;
    const TSinglepreview& shown = ActivePreview(slot);
    if (shown.Active() && shown.ShownAlias(1) == seat1) return;
    if (Pending(slot)) return;
    Request(slot, kind, seat1, m_tables.SelectedGameCell(kSeat2Alias));
}

void Tpreview::FillFreeSlots() {
    if (!m_open) return;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (ActivePreview(slot).Active() || Pending(slot)) continue;
        const TRows unwatched = UnwatchedRows();
        const int count = static_cast<int>(unwatched[0].size() + unwatched[1].size());
        if (count == 0) return;
        int r = Draw(count), kind = kTumblix;
        for (int k = kTumblix; k <= kWatchedKinds; ++k) {
            r -= static_cast<int>(unwatched[static_cast<size_t>(k - 1)].size());
            if (r < 0) {
                kind = k;
                break;
            }
        }
        const int row = LowestFigure(kind, unwatched[static_cast<size_t>(kind - 1)]);
        if (row < 0) continue;
        const TMultilist& list = *m_tables.GamesList(kind - 1);
        Request(slot, kind, list.Cell(kSeat1Alias, row), list.Cell(kSeat2Alias, row));
    }
}

bool Tpreview::Pending(int slot) const {
    for (const auto& preview : m_slots[SlotIndex(slot)])
        if (preview->Requested()) return true;
    return false;
}

// Shown in an active preview, or asked for.
bool Tpreview::Watched(const std::string& seat1) const {
    for (const auto& previews : m_slots)
        for (const auto& preview : previews)
            if ((preview->Active() && preview->ShownAlias(1) == seat1) ||
                (preview->Requested() && preview->RequestedAlias(1) == seat1))
                return true;
    return false;
}

// The rows of the running games of kinds 1 and 2 that nobody watches.
Tpreview::TRows Tpreview::UnwatchedRows() const {
    TRows rows;
    for (int kind = kTumblix; kind <= kWatchedKinds; ++kind) {
        const TMultilist* list = m_tables.GamesList(kind - 1);
        if (!list) continue;
        for (int row = 0; row < list->RowCount(); ++row) {
            const std::string seat1 = list->Cell(kSeat1Alias, row);
            if (!seat1.empty() && !Watched(seat1)) rows[static_cast<size_t>(kind - 1)].push_back(row);
        }
    }
    return rows;
}

int Tpreview::Draw(int count) {
    if (Random) return std::clamp(Random(count), 0, count - 1);
    static std::mt19937 engine{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, count - 1)(engine);
}

// The row whose seat 1 figure, or else seat 2 figure, is the lowest so far.
int Tpreview::LowestFigure(int kind, const std::vector<int>& rows) const {
    const TMultilist* list = m_tables.GamesList(kind - 1);
    int best = kNoFigure, chosen = -1;
    for (int row : rows) {
        const int seat1 = Figure(list->Cell(kSeat1Figure, row)), seat2 = Figure(list->Cell(kSeat2Figure, row));
        if (seat1 < best) {
            best = seat1, chosen = row;
        } else if (seat2 < best) {
            best = seat2, chosen = row;
        }
    }
    return chosen;
}

void Tpreview::Request(int slot, int kind, const std::string& seat1, const std::string& seat2) {
    Send(protocol::Build(protocol::TWatch{kind, seat1, slot}));
    Preview(slot, kind).Request(seat1, seat2);
}

void Tpreview::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}
