// The canon's frames and the directions it shoots along. The canon has 43
// frames, 3 degrees apart: frame b points at 180 - 3 (b + 8) degrees, from
// 153 degrees (frame 1, up and to the left) through 90 (frame 22, straight
// up, where every game starts) to 27 (frame 43). A shot flies along one of
// 127 directions, 153 - k degrees for entry k; frame b shoots along entry
// 3b - 3, and fine-tuning may move a shot a few entries either way.
//
// Degrees become radians with 57.3 degrees per radian, not 180 / pi: the
// tables must match the other clients' to the unit, so this is kept.
#pragma once

namespace rules {

constexpr int kCanonFrames = 43;
constexpr int kCanonStartFrame = 22;
constexpr int kDirectionEntries = 127;

// Direction of a shot in thousandths of a pixel per step; dy is negative
// upwards.
struct TPuzzleDirection {
    int Dx = 0, Dy = 0;
};

constexpr bool IsCanonFrame(int frame) { return frame >= 1 && frame <= kCanonFrames; }
constexpr bool IsDirectionEntry(int entry) { return entry >= 0 && entry < kDirectionEntries; }

constexpr int ClampCanonFrame(int frame) {
    return frame < 1 ? 1 : (frame > kCanonFrames ? kCanonFrames : frame);
}

// The direction entry a canon frame shoots along, and the frame that shows
// a (possibly fine-tuned) entry.
constexpr int EntryOfFrame(int frame) { return 3 * ClampCanonFrame(frame) - 3; }
constexpr int FrameOfEntry(int entry) { return ClampCanonFrame(entry / 3 + 1); }

// The angle in degrees a canon frame points at.
constexpr int CanonAngle(int frame) { return 180 - 3 * (frame + 8); }

double PuzzleRadians(double degrees);

// Entry 0..126 of the direction table; entries outside give straight up.
TPuzzleDirection Direction(int entry);

}  // namespace rules
