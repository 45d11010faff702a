// A signed release: files in one folder, each with its detached signature
// (Signing.h), and the manifest "update.lst" that names them, one a line in
// the order of installation, with a signature of its own. The server
// announces the manifest, the files and all signatures; the launcher trusts
// nothing it fetched until the manifest's and every file's signature check
// out against the public key the client shipped with.
//
// A release's identity is a hash of all its signatures, so it changes with
// every byte of every file. The launcher records it in the installation
// root's version.ini ([Version] update=...) once the release is installed;
// the server asks the client for that value (version query "update") and
// offers the release only to a client that does not have it.
#pragma once

#include <string>
#include <vector>

namespace release {

constexpr char kManifest[] = "update.lst";
// The folder below the installation root that the client fetches a release
// into. The client itself reads nothing there (its only file in the root
// is the optional second pack "data.pac"), so a fetched file is used only
// once the launcher has checked it and moved it into the program directory.
constexpr char kStagingFolder[] = "update/";
// The launcher in the installation root: it checks releases, so a release
// never replaces it.
constexpr char kLauncherName[] = "start.exe";
// The public key file in the program directory.
constexpr char kPublicKeyName[] = "update.pub";
// The version.ini key (section "Version") holding the installed identity,
// also the name of the server's version query.
constexpr char kVersionKey[] = "update";
constexpr char kVersionSection[] = "Version";
constexpr char kVersionFile[] = "version.ini";
// Releases hold a client and its skin: a few dozen files at most.
constexpr size_t kMaxReleaseFiles = 1000;

// A plain file name a release may carry: no folder part, no control bytes,
// not ".", "..", the manifest, a signature, the launcher or version.ini
// (the launcher's record of what is installed).
bool ReleasableName(const std::string& name);

// Signs every file (they must lie in one folder) and writes and signs the
// manifest in that folder. folder gets that folder, with a trailing "/".
bool SignRelease(const std::string& keyPath, const std::vector<std::string>& files, std::string& folder,
                 std::string& error);
// The names of the manifest in folder (ending with "/").
bool ReadManifest(const std::string& folder, std::vector<std::string>& names, std::string& error);
// What a client fetches, in order: the manifest and its signature, then
// every file followed by its signature.
std::vector<std::string> ReleaseFiles(const std::vector<std::string>& names);
// 32 hex digits; empty when a signature cannot be read.
std::string ReleaseIdentity(const std::string& folder, const std::vector<std::string>& names);

// Sets [Version] update=identity in the ini text, keeping everything else.
std::string WithInstalledIdentity(const std::string& iniText, const std::string& identity);

}  // namespace release
