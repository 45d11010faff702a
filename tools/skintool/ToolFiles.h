// Whole-file reading and writing and directory listing for the skin tools.
// Every function reports failure by its result and a message, never by an
// exception.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// Reads the whole file; false with a message when it cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
// Creates or replaces the file (atomically); false with a message on failure.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileText(const std::string& path, const std::string& text, std::string& error);
// Creates the directory and its parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path, std::string& error);
// Names of the regular files directly inside a directory, sorted bytewise.
bool ListFiles(const std::string& directory, std::vector<std::string>& names, std::string& error);
// Joins a directory and a name with one "/".
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace skin
