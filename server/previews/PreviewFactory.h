// The live preview for a running game's referee, or none for a kind nobody
// watches (Yatzy). The preview reads the referee, which must outlive it.
#pragma once

#include <memory>

#include "previews/GamePreview.h"
#include "referees/Referee.h"

namespace server {

std::unique_ptr<GamePreview> MakePreview(PreviewOutlet& outlet, const Referee& referee);

}  // namespace server
