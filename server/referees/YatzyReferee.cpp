#include "referees/YatzyReferee.h"

namespace server {

void YatzyReferee::OnPayload(int seat, std::string_view payload) {
    // Extension point: every payload takes the shared road (relay, ">")
    // until the game's own rules are followed here.
    Referee::OnPayload(seat, payload);
}

}  // namespace server
