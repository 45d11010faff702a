// The program directory (where the executable and its skin lie) and the
// installation root (its parent, where received files and a second pack go).
// Both end with a "/". Start-up sets them once; tests point them elsewhere.
#pragma once

#include <string>

// Sets the program directory and derives the installation root from it: the
// parent directory when the program directory's text is longer than 3
// characters, otherwise the program directory itself. An empty directory
// means the current one ("./"); the parent of a relative directory of one
// component is "./".
void SetProgramDirectory(const std::string& directory);
const std::string& ProgramDirectory();
const std::string& InstallationRoot();
