#include "referees/PuzzleReferee.h"

#include <algorithm>

#include "rules/puzzle/PuzzleLayout.h"
#include "rules/puzzle/PuzzlePayload.h"

namespace server {
namespace {

using rules::TPuzzleCode;
using rules::TPuzzleParseStatus;

// Cells a landing took off the field: burst, bombed or fallen.
int ClearedCells(const rules::TPuzzleCellChanges& changes) {
    return static_cast<int>(std::count_if(changes.begin(), changes.end(), [](const auto& c) { return c.Clears(); }));
}

}  // namespace

PuzzleReferee::PuzzleReferee(RefereeHost& host, const RefereeSetup& setup)
    : Referee(host, setup),
      m_sides{TSide(rules::PuzzleLayoutGeometry()), TSide(rules::PuzzleLayoutGeometry())},
      m_seedChain(setup.seed) {}

void PuzzleReferee::OnPayload(int seat, std::string_view payload) {
    // Only two seats are ever started for Puzzle; a third would have no field.
    if (seat > 1) return;
    const auto code = static_cast<uint8_t>(payload[0]);
    if (payload.size() == 1 && payload[0] == kReady) {
        Referee::OnPayload(seat, payload);
        return;
    }
    if (!m_playing) return;
    switch (code) {
        case uint8_t(TPuzzleCode::Shot): Shot(seat, payload); break;
        case uint8_t(TPuzzleCode::Fallen): Fallen(seat, payload); break;
        case uint8_t(TPuzzleCode::Placed): Placed(seat, payload); break;
        case uint8_t(TPuzzleCode::Pause): Pause(seat, payload); break;
        case uint8_t(TPuzzleCode::Lost):
            if (payload.size() == 1) Lost(seat);
            break;
        // Emptied cells only feed the previews; the opponent's window
        // would not know them.
        case uint8_t(TPuzzleCode::Emptied): break;
        default: break;
    }
}

void PuzzleReferee::OnAllReady() {
    for (TSide& side : m_sides) {
        side.replica.Reset();
        side.fallen.clear();
        side.cleared = 0;
    }
    m_playing = true;
    m_level = 1;
    m_nextLevelAt = -1;
    m_pausedMs = 0;
    Preview().Restarted();
    Referee::OnAllReady();
}

void PuzzleReferee::OnTick(int64_t nowMs) {
    if (!m_playing) return;
    if (m_nextLevelAt < 0) m_nextLevelAt = nowMs + kLevelStepMs;
    m_nextLevelAt += m_pausedMs;
    m_pausedMs = 0;
    if (m_level >= kTopLevel || nowMs < m_nextLevelAt) return;
    ++m_level;
    m_nextLevelAt = nowMs + kLevelStepMs;
    SendAll(rules::BuildPuzzleLevel(m_level));
    Preview().LevelChanged();
}

void PuzzleReferee::Shot(int seat, std::string_view payload) {
    rules::TPuzzlePayload shot = rules::ParsePuzzlePayload(payload);
    TSide& side = Side(seat);
    if (shot.Status != TPuzzleParseStatus::Ok ||
        side.replica.CheckShot(shot.Colour, shot.Entry, shot.Cell) != rules::TPuzzleVerdict::Ok)
        return;
    rules::TPuzzleLanding landing = side.replica.ApplyShot(shot.Colour, shot.Cell);
    for (const rules::TPuzzleCellChange& change : landing.Changes)
        if (change.Kind == rules::TPuzzleChangeKind::Fell) ++side.fallen[change.Colour];
    side.cleared += ClearedCells(landing.Changes);
    Preview().Shot(seat, shot.Colour, shot.Entry, shot.Cell);
    Preview().CellsChanged(seat, landing.Changes);
    SendTo(Other(seat), payload);
}

void PuzzleReferee::Fallen(int seat, std::string_view payload) {
    rules::TPuzzlePayload fallen = rules::ParsePuzzlePayload(payload);
    if (fallen.Status != TPuzzleParseStatus::Ok) return;
    std::map<int, int>& owed = Side(seat).fallen;
    auto it = owed.find(fallen.Colour);
    if (it == owed.end()) return;
    if (--it->second == 0) owed.erase(it);
    Side(Other(seat)).replica.ExpectTrash(fallen.Colour);
    SendTo(Other(seat), payload);
}

void PuzzleReferee::Placed(int seat, std::string_view payload) {
    rules::TPuzzlePayload placed = rules::ParsePuzzlePayload(payload);
    rules::TPuzzleReplica& replica = Side(seat).replica;
    if (placed.Status != TPuzzleParseStatus::Ok ||
        replica.CheckTrash(placed.Colour, placed.Cell) != rules::TPuzzleVerdict::Ok)
        return;
    replica.ApplyTrash(placed.Colour, placed.Cell);
    Preview().CellsChanged(seat, {{placed.Cell, rules::TPuzzleChangeKind::Trash, placed.Colour}});
    SendTo(Other(seat), payload);
}

void PuzzleReferee::Pause(int seat, std::string_view payload) {
    TSide& side = Side(seat);
    if (payload.size() != 1 || side.pausesLeft <= 0) return;
    --side.pausesLeft;
    m_pausedMs += kPauseMs;
    SendTo(Other(seat), payload);
}

void PuzzleReferee::Lost(int loser) {
    const int winner = Other(loser);
    TSide& w = Side(winner);
    TSide& l = Side(loser);
    ++w.won;
    m_playing = false;
    Preview().Restarted();
    const uint32_t seed = NextSeed();
    auto byte = [](int n) { return std::clamp(n, 0, 255); };
    SendTo(winner, rules::BuildPuzzleResult(true, byte(w.won + 1), byte(l.won + 1), byte(w.cleared), seed));
    SendTo(loser, rules::BuildPuzzleResult(false, byte(l.won + 1), byte(w.won + 1), byte(l.cleared), seed));
    if (w.won < std::max(Setup().matchLength, 1)) return;
    // No next game comes: both windows close after their result.
    for (int s : {0, 1}) SendTo(s, std::string(1, kCloseWindow));
    MatchOutcome outcome;
    outcome.winners.push_back(winner);
    outcome.losers.push_back(loser);
    EndMatch(outcome);
}

uint32_t PuzzleReferee::NextSeed() {
    if (Setup().seeds) return Setup().seeds();
    // Without a source the chain of the first seed goes on: two draws make
    // a full 32-bit number.
    const uint32_t high = m_seedChain.Draw(0x10000u), low = m_seedChain.Draw(0x10000u);
    return (high << 16) | low;
}

}  // namespace server
