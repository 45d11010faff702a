// Game payloads of every kind into a referee, and into the rules' payload
// readers of both directions.
//
// Input: byte 0 the kind (1..4) and, for Yatzy, the player count; byte 1
// the match length; bytes 2..5 the seed; then records, each a control byte
// and for a payload its length and bytes. Control byte: bits 0-1 the seat,
// bit 6 set leaves the seat, bit 7 set moves the clock on and ticks.
//
// Checked: the referee only ever addresses seats of the table, ends the
// match at most once with disjoint winners, losers and drop-outs of the
// table, and sends nothing once it is over; a Backgammon position stays a
// position of 15 checkers a side; a Yatzy table driven with the parsed
// client payloads keeps faces, seats, dice owed and scores in range. Each
// payload that a reader accepts is written again by its builder, and that
// must read back to the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "referees/GammonReferee.h"
#include "referees/RefereeFactory.h"
#include "rules/gammon/Payload.h"
#include "rules/gammon/Position.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/tumblix/Payload.h"
#include "rules/yatzy/Payload.h"
#include "rules/yatzy/TableState.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

class TInput {
public:
    TInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_at >= m_size; }
    uint8_t Byte() { return AtEnd() ? 0 : m_data[m_at++]; }
    std::string_view Bytes(size_t n) {
        n = std::min(n, m_size - std::min(m_at, m_size));
        std::string_view out(reinterpret_cast<const char*>(m_data + m_at), n);
        m_at += n;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// The running game's side: every call is checked against the table.
class TCheckingHost : public server::RefereeHost {
public:
    explicit TCheckingHost(int seats) : m_seats(seats) {}
    void SendTo(int seat, std::string_view payload) override {
        Check(!m_ended && IsSeat(seat) && !payload.empty());
        Check(m_left.count(seat) == 0);
        ++sent;
    }
    void EndMatch(const server::MatchOutcome& outcome) override {
        Check(!m_ended);
        m_ended = true;
        std::set<int> seen;
        for (const auto* list : {&outcome.winners, &outcome.losers, &outcome.dropped})
            for (int seat : *list) Check(IsSeat(seat) && seen.insert(seat).second);
    }
    std::string AliasOf(int seat) const override {
        Check(IsSeat(seat));
        return "player" + std::to_string(seat);
    }
    void SeatLeft(int seat) override {
        Check(!m_ended && IsSeat(seat) && m_left.insert(seat).second);
    }
    bool Ended() const { return m_ended; }
    int sent = 0;

private:
    bool IsSeat(int seat) const { return seat >= 0 && seat < m_seats; }
    int m_seats;
    bool m_ended = false;
    std::set<int> m_left;
};

// --- the rules' readers against their builders ------------------------------

void CheckYatzy(std::string_view bytes) {
    namespace yz = rules::yatzy;
    if (auto up = yz::ParseClientPayload(bytes)) {
        std::string built = yz::BuildPayload(*up.Value);
        auto again = yz::ParseClientPayload(built);
        Check(again && yz::BuildPayload(*again.Value) == built);
    } else {
        Check(up.Fault != yz::TParseFault::None);
    }
    if (auto down = yz::ParseServerPayload(bytes)) {
        std::string built = yz::BuildPayload(*down.Value);
        auto again = yz::ParseServerPayload(built);
        Check(again && yz::BuildPayload(*again.Value) == built);
    }
}

void CheckTumblix(std::string_view bytes) {
    namespace tx = rules::tumblix;
    std::optional<tx::TPayload> parsed = tx::ParsePayload(bytes);
    if (!parsed) return;
    std::string built = tx::BuildPayload(*parsed);
    std::optional<tx::TPayload> again = tx::ParsePayload(built);
    Check(again && tx::BuildPayload(*again) == built);
    Check(tx::PayloadCode(built) == tx::PayloadCode(bytes));
}

void CheckPuzzle(std::string_view bytes) {
    rules::TPuzzlePayload p = rules::ParsePuzzlePayload(bytes);
    if (p.Status != rules::TPuzzleParseStatus::Ok) return;
    std::string built;
    switch (p.Code) {
        case rules::TPuzzleCode::Lost:
        case rules::TPuzzleCode::Closing:
        case rules::TPuzzleCode::Pause:
        case rules::TPuzzleCode::Ready: built = rules::BuildPuzzleSignal(p.Code); break;
        case rules::TPuzzleCode::Shot: built = rules::BuildPuzzleShot(p.Colour, p.Entry, p.Cell); break;
        case rules::TPuzzleCode::Fallen: built = rules::BuildPuzzleFallen(p.Colour); break;
        case rules::TPuzzleCode::Placed: built = rules::BuildPuzzlePlaced(p.Colour, p.Cell); break;
        case rules::TPuzzleCode::Emptied: built = rules::BuildPuzzleEmptied(p.Cell); break;
        case rules::TPuzzleCode::Level: built = rules::BuildPuzzleLevel(p.Level); break;
        case rules::TPuzzleCode::Won:
        case rules::TPuzzleCode::Beaten:
            if (!p.Seed) return;
            built = rules::BuildPuzzleResult(p.Code == rules::TPuzzleCode::Won, p.OwnByte, p.OpponentByte,
                                             p.PointsByte, *p.Seed);
            break;
    }
    Check(!built.empty());
    rules::TPuzzlePayload again = rules::ParsePuzzlePayload(built);
    Check(again.Status == rules::TPuzzleParseStatus::Ok && again.Code == p.Code && again.Colour == p.Colour &&
          again.Entry == p.Entry && again.Level == p.Level);
}

void CheckGammon(std::string_view bytes) {
    namespace gp = rules::gammon::payload;
    std::optional<uint8_t> code = gp::CodeOf(bytes);
    if (!code) return;
    if (auto move = gp::ParseMove(bytes)) Check(gp::ParseMove(gp::BuildMove(*code, *move)) == move);
    if (auto undo = gp::ParseUndo(bytes)) {
        std::string built = gp::BuildUndo(*code, *undo);
        auto again = gp::ParseUndo(built);
        Check(again && gp::BuildUndo(*code, *again) == built);
    }
    if (auto c = gp::ParseClass(bytes)) Check(gp::ParseClass(gp::BuildClass(*code, *c)) == c);
    if (auto die = gp::ParseOpeningDie(bytes)) Check(gp::ParseOpeningDie(gp::BuildOpeningDie(*die)) == die);
    if (auto roll = gp::ParseRoll(bytes)) Check(gp::ParseRoll(gp::BuildRoll(*roll)) == roll);
    if (auto text = gp::ParseChat(bytes)) Check(gp::ParseChat(gp::BuildChat(*text)) == text);
    if (auto line = gp::ParseChatLine(bytes)) Check(gp::ParseChatLine(gp::BuildChatLine(*line)) == line);
    if (auto advert = gp::ParseAdvert(bytes)) Check(gp::ParseAdvert(gp::BuildAdvert(*advert)) == advert);
}

// --- rules states -----------------------------------------------------------

// An empty board stands before the first game.
void CheckPosition(const rules::gammon::TPosition& position) {
    using rules::gammon::TColour;
    if (position == rules::gammon::TPosition()) return;
    auto same = rules::gammon::TPosition::FromValues(position.Values(), position.Off(TColour::White),
                                                     position.Off(TColour::Black));
    Check(same && *same == position);
}

void CheckTable(const rules::yatzy::TTableState& table) {
    namespace yz = rules::yatzy;
    Check(table.CurrentSeat() == 0 || table.IsSeat(table.CurrentSeat()));
    for (int face : table.Dice().Faces()) Check(face >= 0 && face <= 6);
    Check(table.Dice().Rolls() >= 0 && table.Dice().Rolls() <= yz::kMaxRolls);
    int previous = 0;
    for (int die : table.DiceToRoll()) {
        Check(yz::TDiceCup::IsDie(die) && die > previous);
        previous = die;
    }
    for (int seat = 1; seat <= table.PlayerCount(); ++seat) {
        Check(table.RoundsWon(seat) >= 0 && table.RoundsWon(seat) <= table.MatchLength());
        Check(table.Sheet(seat).Total() >= 0 && table.Sheet(seat).Total() < 10000);
    }
}

// A Yatzy table of its own, driven by the client payloads that parse.
void ApplyToTable(std::optional<rules::yatzy::TTableState>& table, int seat, std::string_view bytes) {
    if (!table) return;
    auto parsed = rules::yatzy::ParseClientPayload(bytes);
    if (!parsed) return;
    const rules::yatzy::TOutcome outcome = table->Apply(seat + 1, *parsed.Value);
    Check(outcome.NextTurn == 0 || table->IsSeat(outcome.NextTurn));
    Check(outcome.RoundWinner == 0 || table->IsSeat(outcome.RoundWinner));
    CheckTable(*table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TInput in(data, size);
    const uint8_t first = in.Byte();
    const int kind = 1 + first % 4;
    const int seats = kind == 4 ? 2 + (first / 4) % 3 : 2;
    server::RefereeSetup setup;
    setup.kind = static_cast<rules::TGameKind>(kind);
    setup.seats = seats;
    setup.matchLength = 1 + in.Byte() % 99;
    for (int i = 0; i < 4; ++i) setup.seed = setup.seed << 8 | in.Byte();
    uint32_t nextSeed = setup.seed;
    setup.seeds = [&nextSeed] { return nextSeed = nextSeed * 134775813u + 1; };
    for (int seat = 0; seat < seats; ++seat) setup.names.push_back("player" + std::to_string(seat));

    TCheckingHost host(seats);
    std::unique_ptr<server::Referee> referee = server::MakeReferee(host, setup);
    Check(referee != nullptr);
    auto* gammon = dynamic_cast<server::GammonReferee*>(referee.get());
    std::optional<rules::yatzy::TTableState> table;
    if (kind == 4) table = rules::yatzy::TTableState::Create(setup.seed, seats, setup.matchLength);

    int64_t now = 1000000;
    while (!in.AtEnd()) {
        const uint8_t control = in.Byte();
        const int seat = control & 3;
        const int sentBefore = host.sent;
        const bool overBefore = referee->Over();
        if (control & 0x80) {
            now += (control & 0x3F) * 250;
            referee->Tick(now);
        } else if (control & 0x40) {
            referee->Leave(seat);
            if (table) table->Leave(seat + 1);
        } else {
            std::string_view payload = in.Bytes(1 + in.Byte());
            CheckYatzy(payload);
            CheckTumblix(payload);
            CheckPuzzle(payload);
            CheckGammon(payload);
            referee->Receive(seat, payload);
            ApplyToTable(table, seat, payload);
        }
        Check(referee->Over() == host.Ended());
        if (overBefore) Check(host.sent == sentBefore);
        if (gammon) CheckPosition(gammon->Position());
    }
    return 0;
}
