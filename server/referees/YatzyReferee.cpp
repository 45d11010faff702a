#include "referees/YatzyReferee.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "ChatText.h"

namespace server {

namespace yz = rules::yatzy;

namespace {

// The table's seats count from 1, the referee's from 0.
int TableSeat(int seat) { return seat + 1; }
int RefereeSeat(int tableSeat) { return tableSeat - 1; }

// The server's message for a payload it relays as it is.
std::optional<yz::TServerMessage> Relayed(const yz::TClientMessage& message) {
    if (auto* hold = std::get_if<yz::THold>(&message)) return yz::TDieHeld{hold->Die, hold->Held};
    if (std::holds_alternative<yz::TRoll>(message)) return yz::TRolled{};
    if (auto* die = std::get_if<yz::TRollDie>(&message)) return yz::TDieRolled{die->Die};
    return std::nullopt;
}

}  // namespace

YatzyReferee::YatzyReferee(RefereeHost& host, const RefereeSetup& setup)
    : Referee(host, setup), m_table(yz::TTableState::Create(setup.seed, setup.seats, setup.matchLength)) {}

bool YatzyReferee::Present(int seat) const {
    return std::find(m_left.begin(), m_left.end(), seat) == m_left.end();
}

void YatzyReferee::SendPresent(const yz::TServerMessage& message, int except) {
    const std::string bytes = yz::BuildPayload(message);
    for (int seat = 0; seat < Seats(); ++seat)
        if (seat != except && Present(seat)) SendTo(seat, bytes);
}

void YatzyReferee::OnPayload(int seat, std::string_view payload) {
    if (!m_table) {
        Referee::OnPayload(seat, payload);
        return;
    }
    auto parsed = yz::ParseClientPayload(payload);
    if (!parsed) return;
    const yz::TClientMessage& message = *parsed.Value;
    yz::TOutcome outcome = m_table->Apply(TableSeat(seat), message);
    if (outcome.Verdict == yz::TVerdict::Ignore) return;
    if (outcome.Verdict == yz::TVerdict::Refuse) {
        OnForfeit(seat);
        return;
    }
    if (auto* chat = std::get_if<yz::TChatLine>(&message)) {
        Chat(seat, chat->Text);
        return;
    }
    Announce(seat, message, outcome);
}

void YatzyReferee::Chat(int seat, const std::string& text) {
    std::string clean = CleanChatText(text, kChatBytes);
    if (clean.empty()) return;
    yz::TTableChat line;
    line.Display = {static_cast<uint8_t>(kNameColour), static_cast<uint8_t>(kTextColour)};
    line.Text = Host().AliasOf(seat) + "~>" + clean;
    SendPresent(line);
}

void YatzyReferee::Announce(int from, const yz::TClientMessage& message, const yz::TOutcome& outcome) {
    BeginIfDue(outcome);
    if (auto relayed = Relayed(message)) SendPresent(*relayed, from);
    for (const yz::TRowWrite& write : outcome.Writes) SendPresent(yz::TRowWritten{write.Row, write.Points}, from);
    if (outcome.RoundWinner != 0) SendPresent(yz::TRoundWon{outcome.RoundWinner});
    if (outcome.MatchOver) {
        // The windows close after the last round's notice, as at the end of
        // every other game's match; they would wait for a round that never comes.
        SendPresent(yz::TClose{});
        Finish(outcome);
        return;
    }
    AnnounceTurn(outcome);
}

void YatzyReferee::BeginIfDue(const yz::TOutcome& outcome) {
    if (m_begun || outcome.NextTurn == 0) return;
    m_begun = true;
    SendPresent(yz::TBegin{});
    for (const std::string& advert :
         Adverts([](int panel, const std::string& url) { return yz::BuildPayload(yz::TAdvert{panel, url}); }))
        for (int seat = 0; seat < Seats(); ++seat)
            if (Present(seat)) SendTo(seat, advert);
}

void YatzyReferee::AnnounceTurn(const yz::TOutcome& outcome) {
    if (outcome.NextTurn != 0) SendPresent(yz::TTurn{outcome.NextTurn});
}

void YatzyReferee::OnForfeit(int seat) {
    // A seat that dropped out has nothing left to forfeit; the shared
    // forfeit would end the match for the others.
    if (m_table && !Present(seat)) return;
    if (!m_table || Seats() <= yz::kMinPlayers) {
        Referee::OnForfeit(seat);
        return;
    }
    yz::TOutcome outcome = m_table->Leave(TableSeat(seat));
    // A refused payload's sender still has the window open.
    SendTo(seat, std::string_view(&kCloseWindow, 1));
    m_left.push_back(seat);
    Host().SeatLeft(seat);
    SendPresent(yz::TDroppedOut{TableSeat(seat)});
    if (outcome.MatchOver) {
        // One player is left: they win, and their window closes as at
        // every forfeit.
        for (int other = 0; other < Seats(); ++other)
            if (Present(other)) SendTo(other, std::string_view(&kCloseWindow, 1));
        Finish(outcome);
        return;
    }
    // The leaver may have been the last one not ready.
    BeginIfDue(outcome);
    AnnounceTurn(outcome);
}

void YatzyReferee::Finish(const yz::TOutcome& outcome) {
    MatchOutcome result;
    for (int seat = 0; seat < Seats(); ++seat) {
        if (!Present(seat)) result.dropped.push_back(seat);
        else if (seat == RefereeSeat(outcome.MatchWinner)) result.winners.push_back(seat);
        else result.losers.push_back(seat);
    }
    EndMatch(result);
}

}  // namespace server
