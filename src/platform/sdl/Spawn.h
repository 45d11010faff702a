// Starting another program, detached from this process.
//
// The program is started through a double fork, so it is never left a zombie
// of ours and does not end with us; arguments go straight to exec, never
// through a shell. Only async-signal-safe calls run between fork and exec,
// since other threads of this process may hold locks at the fork.
#pragma once

#include <string>
#include <vector>

namespace platform::sdl {

// The full path of an executable named like a command, searched along PATH;
// a name with a "/" is returned as it is. Empty when none is found.
std::string FindExecutable(const std::string& name);

// Starts args[0] (a path) with args as its argument vector. True when the
// program was executed; false when it could not be (no such file, not
// executable, out of processes).
bool SpawnDetached(const std::vector<std::string>& args);

}  // namespace platform::sdl
