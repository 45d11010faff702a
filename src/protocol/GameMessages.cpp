#include "protocol/GameMessages.h"

#include <algorithm>
#include <optional>
#include <cstdint>

#include "protocol/FieldWriter.h"
#include "protocol/GamePayload.h"

namespace protocol {
namespace {

// The Backgammon seat byte of the player who plays white.
constexpr int kWhiteSeat = 1, kBlackSeat = 2;
constexpr int kMaxListed = 255;

int64_t SeedText(uint32_t seed) { return static_cast<int32_t>(seed); }
uint32_t SeedOf(int number) { return static_cast<uint32_t>(number); }

void WriteSetup(TFieldWriter& w, const rules::TDuelSetup& s) { w.Field(s.Opponent).Number(SeedText(s.Seed)); }

void WriteSetup(TFieldWriter& w, const rules::TGammonSetup& s) {
    w.Field(s.Opponent).Byte(s.OwnWhite ? kWhiteSeat : kBlackSeat).Number(s.MatchPoints);
    w.Field(s.OwnExtra).Field(s.OpponentExtra);
}

void WriteSetup(TFieldWriter& w, const rules::TYatzySetup& s) {
    int count = std::clamp(s.PlayerCount, 0, static_cast<int>(s.Players.size()));
    w.Number(SeedText(s.Seed)).Number(count).Number(s.OwnSeat).Number(s.MatchLength);
    for (int i = 0; i < count; ++i) w.Field(s.Players[static_cast<size_t>(i)]);
}

rules::TDuelSetup ReadDuel(TFieldReader& r) {
    rules::TDuelSetup s;
    s.Opponent = r.Field();
    s.Seed = SeedOf(r.Number(0));
    return s;
}

rules::TGammonSetup ReadGammon(TFieldReader& r) {
    rules::TGammonSetup s;
    s.Opponent = r.Field();
    s.OwnWhite = r.Byte() == kWhiteSeat;
    s.MatchPoints = LeadingNumber(r.Field(), 1);
    s.OwnExtra = r.Field();
    s.OpponentExtra = r.Field();
    return s;
}

rules::TYatzySetup ReadYatzy(TFieldReader& r, int& sentCount) {
    rules::TYatzySetup s;
    s.Seed = SeedOf(r.Number(0));
    sentCount = r.Number(2);
    s.PlayerCount = std::clamp(sentCount, 0, static_cast<int>(s.Players.size()));
    s.OwnSeat = r.Number(2);
    s.MatchLength = LeadingNumber(r.Field(), 1);
    for (int i = 0; i < s.PlayerCount; ++i) s.Players[static_cast<size_t>(i)] = r.Field();
    return s;
}

}  // namespace

std::string Build(const TTableOpened& m) {
    return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Creator).Number(m.Number).Field(m.Text).Take();
}

std::string Build(const TTableClosed& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Creator).Take(); }

std::string Build(const TJoinRequest& m) {
    return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Joiner).Number(m.Number).Take();
}

std::string Build(const TGameStartMessage& m) {
    TFieldWriter w(m.kCode);
    w.Byte(rules::KindNumber(m.Kind));
    std::visit([&w](const auto& setup) { WriteSetup(w, setup); }, m.Setup);
    return w.Take();
}

std::string Build(const TGameData& m) {
    if (m.Payload.size() > kMaxPayload) return {};
    return TFieldWriter(m.kCode).Byte(static_cast<int>(m.Payload.size())).Raw(m.Payload).Take();
}

std::string Build(const TRunningGame& m) {
    if (m.Players.size() > kMaxListed) return {};
    TFieldWriter w(m.kCode);
    w.Byte(m.Kind).Byte(static_cast<int>(m.Players.size()));
    for (const auto& [name, figure] : m.Players) w.Field(name).Field(figure);
    return w.Take();
}

std::string Build(const TGameEnded& m) { return TFieldWriter(m.kCode).Field(m.Player).Take(); }

std::string Build(const TGameResult& m) {
    TFieldWriter w(m.kCode);
    w.Byte(m.Result).Field(m.Points);
    if (m.Result == TGameResult::kResultWon) w.Field(m.X).Field(m.Y).Field(m.Z);
    return w.Take();
}

std::string Build(const TRatingChange& m) { return TFieldWriter(m.kCode).Byte(m.Game).Field(m.A).Field(m.B).Take(); }

std::string Build(const TTournament& m) {
    TFieldWriter w(m.kCode);
    w.Byte(m.Sub);
    if (m.Sub == TTournament::kSubGame) w.Field(m.Number).Field(m.A).Field(m.B);
    return w.Take();
}

bool Read(TFieldReader& r, TTableOpened& m) {
    m.Kind = r.Byte();
    m.Creator = r.Field();
    m.Number = r.Number(0);
    m.Text = r.Field();
    return true;
}

bool Read(TFieldReader& r, TTableClosed& m) {
    m.Kind = r.Byte();
    m.Creator = r.Field();
    return true;
}

bool Read(TFieldReader& r, TJoinRequest& m) {
    m.Kind = r.Byte();
    m.Joiner = r.Field();
    m.Number = r.Number(0);
    return true;
}

bool Read(TFieldReader& r, TGameStartMessage& m) {
    std::optional<rules::TGameKind> kind = rules::GameKindOf(r.Byte());
    if (!kind) return false;
    m.Kind = *kind;
    m.SentPlayerCount = 2;
    switch (*kind) {
        case rules::TGameKind::Gammon: m.Setup = ReadGammon(r); break;
        case rules::TGameKind::Yatzy: m.Setup = ReadYatzy(r, m.SentPlayerCount); break;
        default: m.Setup = ReadDuel(r); break;
    }
    return true;
}

bool Read(TFieldReader& r, TGameData& m) {
    int length = r.Byte();
    m.Payload = r.Bytes(length);
    return true;
}

bool Read(TFieldReader& r, TRunningGame& m) {
    m.Kind = r.Byte();
    int count = r.Byte();
    m.Players.clear();
    // Pairs past the end of the message would all be empty.
    for (int i = 0; i < count && !r.AtEnd(); ++i) {
        std::string name = r.Field();
        m.Players.emplace_back(name, r.Field());
    }
    return true;
}

bool Read(TFieldReader& r, TGameEnded& m) {
    m.Player = r.Field();
    return true;
}

bool Read(TFieldReader& r, TGameResult& m) {
    m.Result = r.Byte();
    m.Points = r.Field();
    if (m.Result == TGameResult::kResultWon) {
        m.X = r.Field();
        m.Y = r.Field();
        m.Z = r.Field();
    }
    return true;
}

bool Read(TFieldReader& r, TRatingChange& m) {
    m.Game = r.Byte();
    m.A = r.Field();
    m.B = r.Field();
    return true;
}

bool Read(TFieldReader& r, TTournament& m) {
    m.Sub = r.Byte();
    if (m.Sub == TTournament::kSubGame) {
        m.Number = r.Field();
        m.A = r.Field();
        m.B = r.Field();
    }
    return true;
}

}  // namespace protocol
