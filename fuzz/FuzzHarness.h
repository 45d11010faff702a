// What every fuzz target shares: the headless backend, a scratch folder for
// readers that only take paths, and a way back from the documented ends of
// the process.
//
// Some readers end the process on input they reject (a damaged pack, a font
// that does not decode). That is their documented behaviour, not a fault, so
// the harness installs a shell whose Halt throws TFuzzHalt; Guarded catches
// it and the input counts as handled. Everything else (a crash, a sanitizer
// report, an uncaught exception) still stops the fuzzer or the replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "graphics/GraphicsState.h"
#include "net/transport/SocketHandler.h"
#include "platform/InstalledState.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace fuzz {

// Thrown by the harness's Halt in place of ending the process.
struct TFuzzHalt {
    int exitCode;
};

// Installs the headless backend (with the throwing Halt) and the scratch
// folder once per process; later calls only clear the recorded message boxes.
void Prepare();

// Fresh states of the client's libraries for one input (a new timer
// dispatcher, no texts, empty registries, no sockets); a target that needs
// the ones above names its own.
using TInputStates = TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TTransportState>;

// The scratch folder of this process, ending in "/"; it is removed at exit.
const std::string& ScratchDirectory();

// Writes the bytes to ScratchDirectory() + name and returns the full path.
std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size);

// Runs the step; a Halt inside it returns false instead of ending the process
// (and says so on stderr when QV_FUZZ_VERBOSE is set).
bool Guarded(const std::function<void()>& step);

}  // namespace fuzz
