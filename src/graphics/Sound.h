// Sound effects: wave files in ProgramDirectory() + "sound/", played by name
// on the platform's wave playback.
//
// There is no mixing: while a sound still plays a new one is dropped. Names
// are matched without regard to letter case (callers write both ".wav" and
// ".Wav"), by scanning the folder when the exact name is not there. A
// switched-off sound, a missing file and a playback error all do nothing.
//
// The sound switch belongs to the installed context (TGraphicsState), off
// until the lobby window switches it on; StopSounds works regardless of it.
#pragma once

#include <string>

void PlaySound(const std::string& fileName);
void StopSounds();

void SetSoundOn(bool on);
bool SoundOn();

// The path of a file in the sound folder whose name equals fileName without
// regard to case; empty when there is none.
std::string FindSoundFile(const std::string& fileName);
