#include "Launcher.h"

#include <algorithm>
#include <cctype>

#include "platform/Files.h"
#include "release/Release.h"
#include "release/Signing.h"

namespace launcher {
namespace {

constexpr unsigned kProgramMode = 0755;
constexpr unsigned kDataMode = 0644;

std::string LowerExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// Removes what the client fetched for this release, the manifest included.
void Discard(const std::string& fetched, const std::vector<std::string>& names) {
    for (const std::string& file : release::ReleaseFiles(names)) platform::RemoveFile(fetched + file);
}

TResult Refuse(const std::string& fetched, std::vector<std::string> names, const std::string& why) {
    // The list itself may be what is forged, or not checked at all: its
    // names are taken only when it reads as a list, so a broken one discards
    // just itself.
    std::string error;
    if (names.empty()) release::ReadManifest(fetched, names, error);
    Discard(fetched, names);
    return {TOutcome::Refused,
            "The update was not installed: " + why +
                ". The downloaded files were deleted and the installed program is unchanged.",
            {}};
}

bool MakeFolderOf(const std::string& path) {
    std::string folder = path.substr(0, path.rfind('/') + 1);
    return platform::DirectoryExists(folder) || platform::MakeDirectory(folder);
}

bool PutInPlace(const std::string& from, const std::string& to, bool program) {
    std::string bytes;
    if (!platform::ReadWholeFile(from, bytes, release::kMaxFileBytes) || !MakeFolderOf(to)) return false;
    int mode = platform::FileMode(to);
    unsigned bits = mode >= 0 ? static_cast<unsigned>(mode) : (program ? kProgramMode : kDataMode);
    return platform::WriteFileAtomic(to, bytes.data(), static_cast<int64_t>(bytes.size()), bits);
}

void RecordIdentity(const std::string& root, const std::string& identity) {
    std::string path = root + release::kVersionFile, text;
    if (!platform::ReadWholeFile(path, text, 1 << 20)) text.clear();
    text = release::WithInstalledIdentity(text, identity);
    platform::WriteFileAtomic(path, text.data(), static_cast<int64_t>(text.size()));
}

// Every signature of the release, the manifest's first; the reason of the
// first that fails, or empty.
std::string CheckSignatures(const release::TPublicKey& key, const std::string& fetched,
                            std::vector<std::string>& names) {
    if (!release::VerifyFile(key, fetched + release::kManifest))
        return std::string("the signature of the file list ") + release::kManifest + " is missing or wrong";
    std::string error;
    if (!release::ReadManifest(fetched, names, error)) return error;
    for (const std::string& name : names)
        if (!release::VerifyFile(key, fetched + name)) return "the signature of " + name + " is missing or wrong";
    return {};
}

}  // namespace

std::string Destination(const std::string& programDir, const std::string& name) {
    std::string ext = LowerExtension(name);
    if (ext == ".pac" || ext == ".giz") return programDir + "gfx/" + name;
    if (ext == ".wav") return programDir + "sound/" + name;
    return programDir + name;
}

TResult InstallRelease(const std::string& root, const std::string& programDir) {
    const std::string fetched = root + release::kStagingFolder;
    std::vector<std::string> names;
    if (!platform::FileExists(fetched + release::kManifest)) return {};
    release::TPublicKey key;
    std::string error;
    if (!release::Initialise()) return Refuse(fetched, names, "libsodium cannot be initialised");
    if (!release::LoadPublicKey(programDir + release::kPublicKeyName, key, error))
        return Refuse(fetched, names, "the key to check it with is missing (" + error + ")");
    std::string wrong = CheckSignatures(key, fetched, names);
    if (!wrong.empty()) return Refuse(fetched, names, wrong);
    std::string identity = release::ReleaseIdentity(fetched, names);
    TResult result{TOutcome::Installed, "The update was installed.", {}};
    for (const std::string& name : names) {
        std::string to = Destination(programDir, name);
        if (!PutInPlace(fetched + name, to, name == kClientProgram)) {
            result.Outcome = TOutcome::Failed;
            result.Message = "The update could not be completed: " + to + " cannot be written.";
            break;
        }
        result.Installed.push_back(to);
    }
    if (result.Outcome == TOutcome::Installed) RecordIdentity(root, identity);
    Discard(fetched, names);
    return result;
}

}  // namespace launcher
