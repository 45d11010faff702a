#include "lobby/Previewpuzzle.h"

#include <algorithm>

#include "controls/Text.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "lobby/PreviewGrid.h"
#include "lobby/PreviewLayout.h"
#include "rules/puzzle/PuzzleCanon.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kMilli = 1000;

std::vector<std::string> BubbleNames() {
    std::vector<std::string> names;
    for (int colour = 1; colour <= TPreviewpuzzle::kColours; ++colour) names.push_back("puzzle" + std::to_string(colour));
    return names;
}

}  // namespace

TPreviewpuzzle::TPreviewpuzzle(TPaint* surface, const TPreviewPlace& place)
    : TSinglepreview(surface, "Puzzle", "Peek_puz", place) {
    const std::vector<std::string> names = BubbleNames();
    for (size_t seat = 0; seat < m_grids.size(); ++seat) {
        m_grids[seat] = std::make_unique<TPreviewGrid>(surface, kColumns, kRows, true, names);
        m_grids[seat]->SetLayer(kCellLayer);
        m_bubbles[seat] = std::make_unique<TMyimagelist>(surface, 0, 0);
        for (const std::string& name : names) m_bubbles[seat]->Add(name);
        m_bubbles[seat]->SetTransparent(true);
        m_bubbles[seat]->SetLayer(kFlyingLayer);
    }
    const int bubble = m_grids[0]->ImageWidth();
    TPreviewLayout layout(kSection, "PreviewPuzzle");
    const int x1 = layout.Next(0), y1 = layout.Next(0), x2 = layout.Next(52), y2 = layout.Next(0);
    const int pitch = layout.Next(m_grids[0]->ImageHeight());
    const int numberX = layout.Next(104), numberY = layout.Next(0);
    m_grids[0]->Place(place.X + x1, place.Y + y1, bubble, pitch);
    m_grids[1]->Place(place.X + x2, place.Y + y2, bubble, pitch);
    m_numberLabel = MakeLabel("Previewtumblixfont2", numberX, numberY);
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kStepMs);
    m_timer->OnTimer = [this](TMyTimer*) { Tick(); };
}

TPreviewpuzzle::~TPreviewpuzzle() = default;

TPreviewGrid* TPreviewpuzzle::SeatGrid(int seat) const {
    return seat == 1 || seat == 2 ? m_grids[static_cast<size_t>(seat - 1)].get() : nullptr;
}

TPreviewGrid* TPreviewpuzzle::Grid(int seat) const { return SeatGrid(seat); }

TMyimagelist* TPreviewpuzzle::Bubble(int seat) const {
    return seat == 1 || seat == 2 ? m_bubbles[static_cast<size_t>(seat - 1)].get() : nullptr;
}

int TPreviewpuzzle::Cell(int seat, int column, int row) const {
    const TPreviewGrid* grid = SeatGrid(seat);
    return grid ? grid->Cell(column, row) : 0;
}

bool TPreviewpuzzle::Flying(int seat) const {
    return (seat == 1 || seat == 2) && m_flights[static_cast<size_t>(seat - 1)].Active;
}

void TPreviewpuzzle::Load(const TPuzzleSnapshot& snapshot) {
    const size_t cells = kColumns * kRows;
    for (size_t seat = 0; seat < m_grids.size(); ++seat) {
        Finish(static_cast<int>(seat) + 1);
        const auto first = snapshot.Grids.begin() + static_cast<long>(seat * cells);
        std::vector<uint8_t> colours(first, first + static_cast<long>(cells));
        for (uint8_t& colour : colours)
            if (colour > kColours) colour = 0;
        m_grids[seat]->SetAll(colours);
    }
    SetScore("Previewpuzzlescore", std::to_string(snapshot.Numbers[0]) + "," + std::to_string(snapshot.Numbers[1]) +
                                       "," + std::to_string(snapshot.Numbers[2]));
    SetNumber(snapshot.Numbers[3]);
}

void TPreviewpuzzle::SetNumber(int number) {
    m_number = number;
    m_numberLabel->SetText(std::to_string(number));
}

void TPreviewpuzzle::SetCell(const TPuzzleCell& cell) {
    TPreviewGrid* grid = SeatGrid(cell.Seat);
    if (!grid || cell.Colour < 0 || cell.Colour > kColours) return;
    Finish(cell.Seat);
    grid->SetCell(cell.Column, cell.Row, cell.Colour);
}

void TPreviewpuzzle::Shot(const TPuzzleShot& shot) {
    TPreviewGrid* grid = SeatGrid(shot.Seat);
    if (!grid || shot.Colour < 1 || shot.Colour > kColours || !rules::IsDirectionEntry(shot.Direction) ||
        !grid->IsCell(shot.Column, shot.Row))
        return;
    Finish(shot.Seat);
    if (!Drawn()) {
        grid->SetCell(shot.Column, shot.Row, shot.Colour);
        return;
    }
    Launch(shot.Seat, shot);
}

// Flights ------------------------------------------------------------------------------

void TPreviewpuzzle::Launch(int seat, const TPuzzleShot& shot) {
    const TPreviewGrid& grid = *SeatGrid(seat);
    TFlight& flight = m_flights[static_cast<size_t>(seat - 1)];
    const rules::TPuzzleDirection direction = rules::Direction(shot.Direction);
    flight = TFlight{true, shot.Colour, shot.Column, shot.Row,
                     (grid.CellX(0, 0) + kCanonColumns * grid.CellWidth()) * kMilli,
                     (grid.CellY(0) + kCanonDrop) * kMilli, direction.Dx, direction.Dy, 0};
    TMyimagelist& bubble = *m_bubbles[static_cast<size_t>(seat - 1)];
    bubble.SetFrame(shot.Colour);
    bubble.MoveTo(flight.X / kMilli, flight.Y / kMilli);
    bubble.Show();
    if (!m_timer->Enabled()) m_timer->SetEnabled(true);
}

// One step; true when the bubble has risen to its target's row.
bool TPreviewpuzzle::Step(int seat) {
    const TPreviewGrid& grid = *SeatGrid(seat);
    TFlight& flight = m_flights[static_cast<size_t>(seat - 1)];
    const int left = grid.CellX(0, 0) * kMilli;
    const int right = (grid.CellX(0, 0) + (kColumns - 1) * grid.CellWidth()) * kMilli;
    flight.X += flight.Dx * kStepPixels;
    flight.Y += flight.Dy * kStepPixels;
    if (flight.X < left) flight.X = 2 * left - flight.X, flight.Dx = -flight.Dx;
    if (flight.X > right) flight.X = 2 * right - flight.X, flight.Dx = -flight.Dx;
    flight.X = std::clamp(flight.X, left, right);
    ++flight.Steps;
    m_bubbles[static_cast<size_t>(seat - 1)]->MoveTo(flight.X / kMilli, flight.Y / kMilli);
    return flight.Y <= grid.CellY(flight.Row) * kMilli || flight.Steps >= kMaxSteps;
}

void TPreviewpuzzle::Tick() {
    bool flying = false;
    for (int seat = 1; seat <= 2; ++seat) {
        if (!Flying(seat)) continue;
        if (Step(seat))
            Finish(seat);
        else
            flying = true;
    }
    if (!flying) m_timer->SetEnabled(false);
}

// The bubble settles in its cell at once.
void TPreviewpuzzle::Finish(int seat) {
    TFlight& flight = m_flights[static_cast<size_t>(seat - 1)];
    if (!flight.Active) return;
    flight.Active = false;
    m_bubbles[static_cast<size_t>(seat - 1)]->Hide();
    SeatGrid(seat)->SetCell(flight.Column, flight.Row, flight.Colour);
}

// The life cycle ---------------------------------------------------------------------

void TPreviewpuzzle::Reset() {
    for (int seat = 1; seat <= 2; ++seat) Finish(seat);
    m_timer->SetEnabled(false);
    for (auto& grid : m_grids) grid->Clear();
    SetNumber(0);
    SetScore("Previewpuzzlescore", "");
}

void TPreviewpuzzle::ShowContent() {
    for (auto& grid : m_grids) grid->Show();
    m_numberLabel->Show();
}

void TPreviewpuzzle::HideContent() {
    for (int seat = 1; seat <= 2; ++seat) Finish(seat);
    m_timer->SetEnabled(false);
    m_numberLabel->Hide();
    for (auto& grid : m_grids) grid->Hide();
}
