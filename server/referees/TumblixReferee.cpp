#include "referees/TumblixReferee.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace server {

using namespace rules::tumblix;

namespace {

std::string Code(TCode code) { return std::string(1, static_cast<char>(code)); }

constexpr int kMostPoints = 255;

}  // namespace

TumblixReferee::TumblixReferee(RefereeHost& host, const RefereeSetup& setup)
    : Referee(host, setup), m_seeds(setup.seed ^ 0x9E3779B9u) {}

int TumblixReferee::JunkRowsFor(int lines) {
    if (lines >= 4) return 4;
    return lines >= 2 ? lines - 1 : 0;
}

void TumblixReferee::OnPayload(int seat, std::string_view payload) {
    if (payload.size() == 1 && payload[0] == kReady) {
        MarkReady(seat);
        return;
    }
    std::optional<TPayload> parsed = ParsePayload(payload);
    if (!parsed) return;
    const int code = PayloadCode(payload);
    if (IsWellReplayCode(code)) {
        WellPayload(seat, *parsed, payload, code);
        return;
    }
    switch (code) {
        case static_cast<int>(TCode::Died):
            if (m_playing) Lost(seat);
            return;
        case '=': Relay(seat, payload); return;
        case static_cast<int>(TCode::Ready): ReadyPayload(seat, std::get<TReady>(*parsed), payload); return;
        default: return;  // nothing a window sends: refused
    }
}

// A new game: both wells empty, the counts afresh.
void TumblixReferee::OnAllReady() {
    for (TWellReplay& well : m_wells) {
        well.Reset();
        well.TakeChanges();  // the restart below carries the empty wells
    }
    m_landingLines = {};
    m_roundLines = {};
    m_bothLines = 0;
    m_playing = true;
    Preview().Restarted();
    Referee::OnAllReady();
}

void TumblixReferee::WellPayload(int seat, const TPayload& payload, std::string_view bytes, int code) {
    TWellReplay& well = m_wells[Index(seat)];
    if (!m_playing || well.Check(payload) != TReplayCheck::Fits) return;
    well.Apply(payload);
    Preview().WellChanged(seat, well.TakeChanges());
    Relay(seat, bytes);
    if (code == '5') LineRemoved(seat);
    if (code == '2') SendJunk(seat);
}

void TumblixReferee::LineRemoved(int seat) {
    ++m_landingLines[Index(seat)];
    ++m_roundLines[Index(seat)];
    if (++m_bothLines % kLinesPerLevel != 0) return;
    SendAll(Code(TCode::LevelUp));
    Preview().LevelChanged();
}

// The lines of the landing that just ended go to the opponent as junk.
void TumblixReferee::SendJunk(int seat) {
    const int rows = JunkRowsFor(std::exchange(m_landingLines[Index(seat)], 0));
    for (int i = 0; i < rows; ++i) SendTo(Other(seat), Code(TCode::Junk));
}

void TumblixReferee::Lost(int seat) {
    m_playing = false;
    const int winner = Other(seat);
    ++m_wins[Index(winner)];
    Preview().Restarted();
    const uint32_t seed = NextSeed();
    SendResult(winner, true, seed);
    SendResult(seat, false, seed);
    if (m_wins[Index(winner)] < std::max(Setup().matchLength, 1)) return;
    for (int s : {0, 1}) SendTo(s, std::string(1, kCloseWindow));
    MatchOutcome outcome;
    outcome.winners.push_back(winner);
    outcome.losers.push_back(seat);
    EndMatch(outcome);
}

void TumblixReferee::SendResult(int seat, bool won, uint32_t seed) {
    TResult result;
    result.Won = won;
    result.OwnWins = std::min(m_wins[Index(seat)], kMostPoints - 1);
    result.OpponentWins = std::min(m_wins[Index(Other(seat))], kMostPoints - 1);
    result.Points = std::min(m_roundLines[Index(seat)], kMostPoints);
    result.Seed = seed;
    SendTo(seat, BuildPayload(result));
}

// Ready 1 tells the opponent; Ready 2 ends the pause on both sides.
void TumblixReferee::ReadyPayload(int seat, const TReady& ready, std::string_view bytes) {
    if (ready.State == 1) Relay(seat, bytes);
    else SendAll(bytes);
}

uint32_t TumblixReferee::NextSeed() {
    const uint32_t high = m_seeds.Draw(0x10000u), low = m_seeds.Draw(0x10000u);
    return high << 16 | low;
}

}  // namespace server
