// Replacing a file the user owns (the settings file) with new contents.
//
// The replacement is atomic (a temporary file renamed over the target, so the
// file holds either its old or its new contents), but it respects the file it
// replaces: a symbolic link is followed and the file it names is replaced (the
// link stays), a target that is not writable (no write permission, or one the
// process cannot open for writing) is a failure and is left alone, and the
// new file keeps the old one's permissions.
#pragma once

#include <cstdint>
#include <string>

// False when the target is not writable, a link cannot be followed, or the
// write fails; the target is then unchanged.
bool SaveOverFile(const std::string& path, const void* data, int64_t n);
