#include "graphics/GraphicsState.h"

#include "graphics/GreatBitmap.h"
#include "graphics/Myfont.h"
#include "platform/InstalledState.h"
#include "platform/Platform.h"

TGraphicsState::TGraphicsState() = default;

TGraphicsState::~TGraphicsState() {
    // Surfaces that outlive their context get no more activation events.
    if (!Surfaces.empty() && platform::Installed() && platform::Current().video)
        platform::Video().SetApplicationEvents(nullptr, nullptr);
    Surfaces.clear();
    Fonts.reset();
    Bitmaps.reset();
}

TGraphicsState& GraphicsState() { return TInstalledState<TGraphicsState>::Get(); }

TGraphicsState* CurrentGraphicsState() { return TInstalledState<TGraphicsState>::Current(); }
