// The referee of a Puzzle match (two players, bubble shooters). For now it
// keeps only the shared behaviour of Referee: relay, the joint start on
// ">", the forfeit on leaving.
#pragma once

#include "referees/Referee.h"

namespace server {

class PuzzleReferee : public Referee {
public:
    using Referee::Referee;

protected:
    // EXTENSION POINT, for the Puzzle game: byte 21 from a player is their
    // own loss and must not be relayed as it stands (21 closes the other's
    // window): it becomes 22 / 168 with three bytes and the next seed; won
    // games are counted against the match length before EndMatch; the level
    // ("8") and the pause ("=" -> 61) are originated here; shots (140),
    // trash (141, 142) and emptied cells (143) are relayed and checked.
    void OnPayload(int seat, std::string_view payload) override;
};

}  // namespace server
