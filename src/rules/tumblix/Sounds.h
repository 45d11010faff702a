// The sound files of Tumblix as the rules name them. Pending sounds are
// played at the end of the game tick, so of several in one tick only the
// last is heard; the others play at once.
#pragma once

namespace rules::tumblix {

// Pending.
inline constexpr char kBlockSound[] = "block.wav";
inline constexpr char kDohSound[] = "Doh.Wav";
inline constexpr char kLineSound[] = "Line.Wav";
inline constexpr char kLinesSound[] = "Lines.Wav";
inline constexpr char kFastSound[] = "fast.wav";
inline constexpr char kLevelSound[] = "level.wav";
// At once.
inline constexpr char kNewGameSound[] = "New.wav";
inline constexpr char kWeightSound[] = "Weight.wav";
inline constexpr char kExplodeSound[] = "Explode.wav";

}  // namespace rules::tumblix
