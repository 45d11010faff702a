#include "referees/RefereeFactory.h"

#include "referees/GammonReferee.h"
#include "referees/PuzzleReferee.h"
#include "referees/TumblixReferee.h"
#include "referees/YatzyReferee.h"

namespace server {

std::unique_ptr<Referee> MakeReferee(RefereeHost& host, const RefereeSetup& setup) {
    switch (setup.kind) {
        case rules::TGameKind::Tumblix: return std::make_unique<TumblixReferee>(host, setup);
        case rules::TGameKind::Gammon: return std::make_unique<GammonReferee>(host, setup);
        case rules::TGameKind::Puzzle: return std::make_unique<PuzzleReferee>(host, setup);
        case rules::TGameKind::Yatzy: return std::make_unique<YatzyReferee>(host, setup);
    }
    return nullptr;
}

}  // namespace server
