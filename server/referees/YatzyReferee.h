// The referee of a Yatzy match (two to four players, shared dice). It
// replays every payload through the rules' table state, which knows every
// face the shared generator gives, and sends only what that state accepts:
//   ">"  ready; when every present player is, ">" to all and 181 (turn)
//   0xB8 roll -> 184 to the others; 0xB7 die -> 183 to the others
//   0xB6 hold -> 182 to the others; 0xB9 row -> 185 to the others, the
//        bonus row relayed only together with the row that settles it
//   0x08 chat -> 9 to everyone, "alias~>text"
// then 181 for the next turn, or 186 for a round's winner (and the next
// round's first 181) until someone has won the match length.
//
// A payload no honest client sends (a fourth roll, a die out of order, a
// row written twice or with points its dice did not earn) forfeits the
// sender's seat exactly as leaving does; one that merely comes late (a hold
// after the turn ended) is dropped. Bytes that cannot be read at all are
// dropped too: relayed, they would only puzzle the other windows.
//
// Leaving: at a table of two the other player wins and their window closes
// (the shared forfeit). At a table of three or four the leaver drops out:
// the others receive 187 with the leaver's seat counted from 0 and play on;
// when only one is left, they win and their window closes. Every leaver is
// counted as dropped when the match ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "referees/Referee.h"
#include "rules/yatzy/TableState.h"

namespace server {

class YatzyReferee : public Referee {
public:
    YatzyReferee(RefereeHost& host, const RefereeSetup& setup);

    // Colours of the table chat's name and text (fonts "font" + n).
    static constexpr int kNameColour = 3;
    static constexpr int kTextColour = 1;
    static constexpr size_t kChatBytes = 200;

protected:
    void OnPayload(int seat, std::string_view payload) override;
    void OnForfeit(int seat) override;

private:
    void Chat(int seat, const std::string& text);
    // Sends what the state decided beyond the relayed payload itself.
    void Announce(int from, const rules::yatzy::TClientMessage& message,
                  const rules::yatzy::TOutcome& outcome);
    // The first turn of the match is preceded by ">" to everyone.
    void BeginIfDue(const rules::yatzy::TOutcome& outcome);
    void AnnounceTurn(const rules::yatzy::TOutcome& outcome);
    void Finish(const rules::yatzy::TOutcome& outcome);
    void SendPresent(const rules::yatzy::TServerMessage& message, int except = -1);
    bool Present(int seat) const;

    // None when the set-up was out of range: then only the shared
    // behaviour applies.
    std::optional<rules::yatzy::TTableState> m_table;
    std::vector<int> m_left;
    bool m_begun = false;
};

}  // namespace server
