// The referee of a game kind.
#pragma once

#include <memory>

#include "referees/Referee.h"

namespace server {

std::unique_ptr<Referee> MakeReferee(RefereeHost& host, const RefereeSetup& setup);

}  // namespace server
