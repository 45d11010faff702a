#include "games/PuzzleFrames.h"

#include "graphics/Mybitmap.h"
#include "graphics/Mybitmaplist.h"
#include "graphics/Myimagelist.h"

namespace {

// Growth frame n (1..8) of a bubble: the colour's picture scaled into a
// square that grows by W / 14 per frame, centred in an empty frame.
TMybitmap* GrowthFrame(const TMybitmap& bubble, int n) {
    const int w = bubble.Width(), h = bubble.Height();
    TMybitmap* frame = TMybitmap::CreateBlank(w, h);
    frame->Clear();
    const int s = w / 14;
    const int d = w - (5 + n) * s;
    const int m = d / 2;
    const platform::Rect target{m, m, w - d, h - d};
    if (!target.Empty()) bubble.DrawScaled(bubble.Bounds(), *frame, target, true);
    return frame;
}

TBobbleStrip AddStrip(TMyimagelist& list, const char* prefix) {
    TMybitmaplist::TSequence sequence = list.AddFrames(prefix);
    return {sequence.first, sequence.last};
}

}  // namespace

TBobbleFrames BuildBobbleFrames(TMygfx* parent) {
    TBobbleFrames frames;
    frames.Prototype = std::make_unique<TMyimagelist>(parent, 0, 0);
    TMyimagelist& list = *frames.Prototype;
    for (int n = 1; n <= 8; ++n) list.Add("3_bobble" + std::to_string(n));
    frames.Width = list.Width();
    frames.Height = list.Height();
    for (int colour = 1; colour <= 6; ++colour) {
        const TMybitmap* bubble = list.Frames()->Get(colour - 1);
        for (int n = 1; n <= TBobbleFrames::kGrowthFrames; ++n) {
            TMybitmap* frame = GrowthFrame(*bubble, n);
            list.AddBitmap(frame);
            frame->Release();
        }
    }
    frames.Out = AddStrip(list, "3_out");
    frames.Bomb = AddStrip(list, "3_bomb");
    frames.In = AddStrip(list, "3_in");
    return frames;
}
