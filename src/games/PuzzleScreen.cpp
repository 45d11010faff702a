#include "games/PuzzleScreen.h"

#include "graphics/Sound.h"

namespace {

constexpr int kLineFrameMs = 50;

}  // namespace

TScreen::TScreen(TMygfx* parent, const TBobbleFrames& frames, const rules::TPuzzleGeometry& geometry, int bottom,
                 bool own)
    : m_frames(frames), m_geometry(geometry), m_bottom(bottom), m_own(own) {
    // Cells of odd rows beyond their 7 columns never show anything; they
    // exist so every cell has the same index arithmetic.
    m_cells.resize(static_cast<size_t>(rules::kPuzzleColumns * rules::kPuzzleRows));
    for (int row = 0; row < rules::kPuzzleRows; ++row) {
        for (int column = 0; column < rules::kPuzzleColumns; ++column) {
            const rules::TPuzzleCell cell{column, row};
            const rules::TPuzzlePoint at = geometry.CellPosition(cell);
            auto bobble = std::make_unique<TBobble>(parent, *frames.Prototype, at.X, at.Y);
            bobble->OnPlayed = [this](TBobble* b) { Played(b); };
            bobble->OnFallen = [this](TBobble* b, int colour) { Fallen(b, colour); };
            bobble->SetLayer(2);
            if (rules::TPuzzleField::IsCell(cell)) bobble->Show();
            m_cells[Index(cell)] = std::move(bobble);
        }
    }
    m_flying = std::make_unique<TNewbobble>(parent, *frames.Prototype);
    m_flying->Running = [this] { return !Running || Running(); };
    m_flying->OnLanded = [this](rules::TPuzzleCell target, int colour) { Landed(target, colour); };
    m_line = std::make_unique<TMyimagelist>(parent, geometry.FieldX, geometry.FieldY + geometry.LineOffset);
    m_line->AddFrames("3_line");
    m_line->SetTransparent(true);
    m_line->SetLayer(1);
    m_line->SetFrameInterval(kLineFrameMs);
    m_line->Show();
}

void TScreen::SetLineRunning(bool running) {
    if (!running) {
        m_line->StopAnimation();
    } else if (!m_line->Animating()) {
        m_line->Animate(0, 0, 0);
    }
}

TScreen::~TScreen() = default;

void TScreen::Sound(const char* name) {
    if (!m_own) return;
    StopSounds();
    PlaySound(name);
}

void TScreen::Launch(rules::TPuzzlePoint start, int entry, rules::TPuzzleCell target, int colour, int steps,
                     rules::TPuzzleCellChanges changes) {
    m_pending = std::move(changes);
    if (m_own) PlaySound("in.wav");
    m_flying->Launch(m_geometry, start, entry, target, colour, steps);
}

// The landing as the rules reported it: the cell shows the colour, then
// the bursts or the bomb, then the falls; then the settle step.
void TScreen::Landed(rules::TPuzzleCell target, int colour) {
    rules::TPuzzleCellChanges changes;
    changes.swap(m_pending);
    const bool finishing = m_finishing;
    m_finishing = true;
    if (rules::TPuzzleField::IsCell(target)) {
        TBobble& cell = Cell(target);
        cell.FinishPlay();
        cell.FinishFall();
        cell.Rest(colour);
    }
    Sound(colour == rules::kPuzzleBomb ? "explode2.wav" : "stop.wav");
    bool burst = false, fell = false;
    for (const rules::TPuzzleCellChange& change : changes) {
        if (change.Kind == rules::TPuzzleChangeKind::Burst && !burst) {
            burst = true;
            Sound("out.wav");
        }
        if (change.Kind == rules::TPuzzleChangeKind::Fell && !fell) {
            fell = true;
            Sound("fall.wav");
        }
        PlayChange(change);
    }
    m_finishing = finishing;
    Settle();
}

void TScreen::PlayChange(const rules::TPuzzleCellChange& change) {
    if (!rules::TPuzzleField::IsCell(change.Cell)) return;
    TBobble& cell = Cell(change.Cell);
    if (change.Clears() && OnRemoved) OnRemoved(change.Cell);
    switch (change.Kind) {
        case rules::TPuzzleChangeKind::Landed: cell.Rest(change.Colour); break;
        case rules::TPuzzleChangeKind::Burst: Start(cell, m_frames.Out, TBobble::kRestTranslucency, 0); break;
        case rules::TPuzzleChangeKind::Bombed: Start(cell, m_frames.Bomb, 0, 0); break;
        case rules::TPuzzleChangeKind::Trash: Start(cell, m_frames.In, 0, change.Colour); break;
        case rules::TPuzzleChangeKind::Fell:
            ++m_busy;
            cell.Fall(m_bottom);
            break;
    }
}

void TScreen::Start(TBobble& cell, TBobbleStrip strip, int translucency, int colour) {
    // A cell still playing an earlier strip counts once.
    if (!cell.Playing()) ++m_busy;
    cell.Play(strip, translucency, colour);
}

void TScreen::PlaceTrash(rules::TPuzzleCell cell, int colour) {
    if (!rules::TPuzzleField::IsCell(cell)) return;
    Sound("trash.wav");
    Start(Cell(cell), m_frames.In, 0, colour);
}

void TScreen::Played(TBobble*) {
    --m_busy;
    Settle();
}

void TScreen::Fallen(TBobble*, int colour) {
    --m_busy;
    if (OnFellOut) OnFellOut(colour);
    Settle();
}

void TScreen::Settle() {
    if (m_finishing || m_busy > 0 || m_flying->Flying()) return;
    if (OnSettle) OnSettle();
}

// A fall finished at once still reports its bubble (the own field's falls
// are the opponent's trash, and the referee waits for each of them).
void TScreen::FinishAll() {
    m_finishing = true;
    m_flying->LandNow();
    for (auto& cell : m_cells) {
        if (cell->Playing()) cell->FinishPlay();
        if (cell->Falling()) cell->FinishFall();
    }
    m_busy = 0;
    m_finishing = false;
    Settle();
}

// Nothing is reported: the field is emptied, not played.
void TScreen::Clear() {
    m_finishing = true;
    m_flying->Abort();
    m_pending.clear();
    for (auto& cell : m_cells) cell->Rest(0);
    m_busy = 0;
    m_finishing = false;
}

void TScreen::Die() {
    for (auto& cell : m_cells) {
        if (cell->Colour() < 1 || cell->Playing() || cell->Falling()) continue;
        Start(*cell, {1, rules::kPuzzleColours}, 0, 0);
    }
}

void TScreen::SetTimings(const rules::TPuzzleLevelTimings& timings) {
    for (auto& cell : m_cells) {
        cell->SetFrameInterval(timings.CellFrameDelay);
        cell->SetFallInterval(timings.MoveInterval);
    }
    m_flying->SetMoveInterval(timings.MoveInterval);
}
