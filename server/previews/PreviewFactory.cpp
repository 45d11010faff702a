#include "previews/PreviewFactory.h"

#include "previews/GammonPreview.h"
#include "previews/PuzzlePreview.h"
#include "previews/TumblixPreview.h"

namespace server {

std::unique_ptr<GamePreview> MakePreview(PreviewOutlet& outlet, const Referee& referee) {
    if (const auto* tumblix = dynamic_cast<const TumblixReferee*>(&referee))
        return std::make_unique<TumblixPreview>(outlet, *tumblix);
    if (const auto* gammon = dynamic_cast<const GammonReferee*>(&referee))
        return std::make_unique<GammonPreview>(outlet, *gammon);
    if (const auto* puzzle = dynamic_cast<const PuzzleReferee*>(&referee))
        return std::make_unique<PuzzlePreview>(outlet, *puzzle);
    return nullptr;
}

}  // namespace server
