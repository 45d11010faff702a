// The referee of a Backgammon match (two players, doubling cube, match
// points). For now it keeps only the shared behaviour of Referee: relay,
// the joint start on ">", the forfeit on leaving.
#pragma once

#include "referees/Referee.h"

namespace server {

class GammonReferee : public Referee {
public:
    using Referee::Referee;

protected:
    // EXTENSION POINT, for the Backgammon game: the server rolls every die
    // (0xA0 opening roll -> 160/161/162, 0xA5 -> 165), relays moves and undos
    // (0xA3 -> 163, 0xAB, 0xA4 -> 164), referees the cube (0xA9/0xAA/0xA8)
    // and give-up offers (0xA6/0xA7 -> 166/167), turns chat (0x08) into 9
    // with the sender's alias, checks 0x16 (a won game and its class)
    // against the board, counts points to the match length and then calls
    // EndMatch; OnAllReady should begin with the opening roll.
    void OnPayload(int seat, std::string_view payload) override;
};

}  // namespace server
