// The referee of a Yatzy match (two to four players, shared dice). For now
// it keeps only the shared behaviour of Referee: relay, the joint start on
// ">", the forfeit on leaving (which ends the match for everyone).
#pragma once

#include "referees/Referee.h"

namespace server {

class YatzyReferee : public Referee {
public:
    using Referee::Referee;

protected:
    // EXTENSION POINT, for the Yatzy game: the turn order (181), rolls
    // (0xB8 -> 184, 0xB7 -> 183), held dice (0xB6 -> 182), written scores
    // (0xB9 -> 185, checked against the dice), round winners (186) counted
    // against the match length, chat (0x08 -> 9); a player who leaves a table
    // of three or four should drop out (187) while the others play on,
    // which means overriding OnForfeit.
    void OnPayload(int seat, std::string_view payload) override;
};

}  // namespace server
