// Finding the skin's loose files (images, fonts and sounds beside the packs)
// by a name matched without regard to letter case, as every name of the skin
// is: "Logon" finds "gfx/logon.giz", "gfx/Logon.GIZ" and so on, also on a
// file system that tells letter cases apart.
//
// The exact path is tried first; only when it is not there is the folder
// listed. Only regular files (or links to them) are found. The folder part of
// a path is taken as it stands; only the file's own name is matched loosely.
#pragma once

#include <string>

// The path of the file in the folder (ending in "/", or empty for the working
// folder) whose name equals fileName without regard to ASCII letter case;
// empty when there is none, or when fileName is empty, ".", ".." or holds a
// separator (so a name from outside cannot leave the folder).
std::string FindLooseFile(const std::string& folder, const std::string& fileName);

// The same for a whole path: its folder as it stands, its last part loosely.
std::string FindFileIgnoringCase(const std::string& path);
