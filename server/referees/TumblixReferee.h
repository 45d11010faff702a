// The referee of a Tumblix match (two players, falling blocks). For now it
// keeps only the shared behaviour of Referee: relay, the joint start on
// ">", the forfeit on leaving.
#pragma once

#include "referees/Referee.h"

namespace server {

class TumblixReferee : public Referee {
public:
    using Referee::Referee;

protected:
    // EXTENSION POINT, for the Tumblix game: byte 21 from a player is their
    // own loss and must not be relayed as it stands (21 closes the other's
    // window): it becomes 22 for the winner and 168 for the loser (three
    // bytes and the next seed), the won games are counted against the match
    // length and EndMatch ends the match; junk rows ("6") and level ups
    // ("8") are originated here, the pause ("=", 64) is refereed here.
    void OnPayload(int seat, std::string_view payload) override;
};

}  // namespace server
