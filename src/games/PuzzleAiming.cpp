// The own side of TPuzzleform: keys, aiming and firing, the shot clock,
// the settle step with the trash, the level and losing.
#include "controls/Column.h"
#include "controls/Keyhandler.h"
#include "controls/Text.h"
#include "games/Puzzle.h"
#include "games/PuzzleScreen.h"
#include "graphics/Myimagelist.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39;

}  // namespace

bool TPuzzleform::FormKeyDown(int key, unsigned shift) {
    if (LobbyRoomKey(key, shift)) return true;
    if ((shift & platform::AltKey) != 0) return false;
    switch (key) {
        case kKeySpace:
        case kKeyUp: Aim(); return true;
        case kKeyLeft: Turn(-1); return true;
        case kKeyRight: Turn(1); return true;
        default: return false;
    }
}

void TPuzzleform::Turn(int by) {
    m_canon->SetFrame(rules::ClampCanonFrame(m_canon->Frame() + by));
}

// Fires the next colour when the game runs, the field is idle and the last
// shot is at least 250 ms old. A shot that would rest at or below the line
// loses instead, unless it is a bomb.
void TPuzzleform::Aim() {
    const int64_t now = NowMs() % rules::kMsPerDay;
    if (!m_running || !m_own->Idle() || !rules::ShotSpacingPassed(now, m_lastShot % rules::kMsPerDay)) return;
    m_lastShot = now;
    StopShotClock();
    rules::TPuzzleFire fire = m_player->Fire(m_canon->Frame());
    if (fire.Lost) {
        Die();
        return;
    }
    m_own->Launch(fire.Start, fire.Aim.Entry, fire.Aim.Target, fire.Colour, fire.Aim.Steps,
                  std::move(fire.Landing.Changes));
    Send(rules::BuildPuzzleShot(fire.Colour, fire.Aim.Entry, fire.Aim.Target));
    ShowNext();
}

void TPuzzleform::ShowNext() { m_preview->SetFrame(m_player->NextColour()); }

// The own field is idle: queued trash goes into the field, then the shot
// clock starts afresh.
void TPuzzleform::Settle() {
    if (!m_own->Idle()) return;
    if (m_inGame && m_player->QueuedTrash() > 0) {
        for (const rules::TPuzzleCellChange& placed : m_player->PlaceTrash()) {
            m_own->PlaceTrash(placed.Cell, placed.Colour);
            Send(rules::BuildPuzzlePlaced(placed.Colour, placed.Cell));
        }
    }
    if (m_own->Busy() != 0) return;
    m_shotClock.Refill();
    m_column->SetPosition(m_shotClock.Position());
    if (m_running) StartShotClock();
}

void TPuzzleform::StartShotClock() { m_clockTimer->SetEnabled(true); }
void TPuzzleform::StopShotClock() { m_clockTimer->SetEnabled(false); }

// At 0 the own field finishes what it is doing and the canon fires by
// itself; a shot that cannot go yet is tried again at the next tick.
void TPuzzleform::Progontimer(int64_t ticks) {
    const bool empty = m_shotClock.Tick(static_cast<int>(std::min<int64_t>(ticks, rules::TPuzzleShotClock::kFull)));
    m_column->SetPosition(m_shotClock.Position());
    if (!empty || !m_running) return;
    m_own->FinishAll();
    m_lastShot = (NowMs() - rules::kShotSpacingMs) % rules::kMsPerDay;
    Aim();
}

void TPuzzleform::SetLevel(int level) {
    m_level = level;
    m_levelValue->SetText(std::to_string(level));
    const rules::TPuzzleLevelTimings timings = rules::LevelTimings(level);
    const bool running = m_clockTimer->Enabled();
    m_clockTimer->SetInterval(timings.ShotClockTick);
    if (running) m_clockTimer->SetEnabled(true);
    m_own->SetTimings(timings);
    m_opponent->SetTimings(timings);
}

void TPuzzleform::Die() {
    m_own->Die();
    m_running = false;
    m_inGame = false;
    StopShotClock();
    Send(rules::BuildPuzzleSignal(rules::TPuzzleCode::Lost));
}

// Held keys forgotten, both fields finished and emptied, no credits, no
// trash, level 1.
void TPuzzleform::Reset() {
    m_keys->Reset();
    m_own->Clear();
    m_opponent->Clear();
    m_player->NewGame();
    m_replica->Reset();
    SetLevel(1);
    m_lastShot = NowMs();
}
