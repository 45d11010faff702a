// The launcher's install step: the client fetched a release into the
// staging folder "update/" of the installation root (the manifest, the
// files and their signatures, see release/Release.h) and started the
// launcher. Nothing is moved into place
// before the manifest's and every file's signature check out against the
// public key in the program directory; then each file replaces its
// counterpart in the program directory (pack files and images in "gfx/",
// sounds in "sound/", everything else beside the client), keeping the
// replaced file's permission bits (a new client program is made
// executable), the release is recorded in the root's version.ini and the
// fetched files are removed. A missing or wrong signature, or a missing
// key, discards every fetched file of the release and installs nothing.
#pragma once

#include <string>
#include <vector>

namespace launcher {

// The client program in the program directory, and that directory's name
// below the installation root.
constexpr char kClientProgram[] = "quorvalendix";
constexpr char kProgramFolder[] = "bin/";

enum class TOutcome {
    Nothing,    // no release waits in the root
    Installed,  // every file is in place
    Refused,    // a signature or the key is missing or wrong: all discarded
    Failed,     // checked, but a file could not be put in place
};

struct TResult {
    TOutcome Outcome = TOutcome::Nothing;
    // What the user is told; empty for Nothing.
    std::string Message;
    // The paths written, in order.
    std::vector<std::string> Installed;
};

// root and programDir end with "/".
TResult InstallRelease(const std::string& root, const std::string& programDir);
// Where a file of the release goes.
std::string Destination(const std::string& programDir, const std::string& name);

}  // namespace launcher
