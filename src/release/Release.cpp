#include "release/Release.h"

#include <sodium.h>

#include <algorithm>
#include <cctype>

#include "platform/Files.h"
#include "release/Signing.h"

namespace release {
namespace {

constexpr size_t kIdentityBytes = 16;
constexpr int64_t kMaxManifestBytes = 64 * 1024;
constexpr int64_t kMaxSignatureText = 1024;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SignAll(const TSecretKey& key, const std::string& folder, const std::vector<std::string>& names,
             std::string& error) {
    for (const std::string& name : names)
        if (!SignFile(key, folder + name, error)) return false;
    std::string manifest;
    for (const std::string& name : names) manifest += name + "\n";
    if (!platform::WriteFileAtomic(folder + kManifest, manifest.data(), static_cast<int64_t>(manifest.size()))) {
        error = "cannot write " + folder + kManifest;
        return false;
    }
    return SignFile(key, folder + kManifest, error);
}

// The names of the files, all in one folder, each once and releasable.
bool CollectNames(const std::vector<std::string>& files, std::string& folder, std::vector<std::string>& names,
                  std::string& error) {
    for (const std::string& path : files) {
        std::string here, name;
        SplitPath(path, here, name);
        if (names.empty()) folder = here;
        if (here != folder) {
            error = "the files of a release must lie in one folder: " + path;
            return false;
        }
        if (!ReleasableName(name) || std::find(names.begin(), names.end(), name) != names.end()) {
            error = "a release cannot carry the name " + name;
            return false;
        }
        if (!platform::FileExists(path)) {
            error = "no such file: " + path;
            return false;
        }
        names.push_back(name);
    }
    if (!names.empty() && names.size() <= kMaxReleaseFiles) return true;
    error = "a release holds 1 to " + std::to_string(kMaxReleaseFiles) + " files";
    return false;
}

}  // namespace

bool ReleasableName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 200) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':') return false;
    std::string lower = Lower(name);
    return lower != kManifest && lower != kLauncherName && lower != kVersionFile && !EndsWith(lower, kSignatureSuffix);
}

bool SignRelease(const std::string& keyPath, const std::vector<std::string>& files, std::string& folder,
                 std::string& error) {
    TSecretKey key;
    std::vector<std::string> names;
    if (!Initialise()) {
        error = "libsodium cannot be initialised";
        return false;
    }
    if (!CollectNames(files, folder, names, error) || !LoadSecretKey(keyPath, key, error)) return false;
    bool ok = SignAll(key, folder, names, error);
    sodium_memzero(key.data(), key.size());
    return ok;
}

bool ReadManifest(const std::string& folder, std::vector<std::string>& names, std::string& error) {
    std::string text;
    names.clear();
    if (!platform::ReadWholeFile(folder + kManifest, text, kMaxManifestBytes)) {
        error = "cannot read " + folder + kManifest;
        return false;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string name = text.substr(start, end - start);
        if (!name.empty() && name.back() == '\r') name.pop_back();
        start = end + 1;
        if (name.empty()) continue;
        if (!ReleasableName(name) || std::find(names.begin(), names.end(), name) != names.end() ||
            names.size() >= kMaxReleaseFiles) {
            error = folder + kManifest + " names a file a release cannot carry: " + name;
            return false;
        }
        names.push_back(name);
    }
    if (!names.empty()) return true;
    error = folder + kManifest + " names no file";
    return false;
}

std::vector<std::string> ReleaseFiles(const std::vector<std::string>& names) {
    std::vector<std::string> files = {kManifest, std::string(kManifest) + kSignatureSuffix};
    for (const std::string& name : names) {
        files.push_back(name);
        files.push_back(name + kSignatureSuffix);
    }
    return files;
}

std::string ReleaseIdentity(const std::string& folder, const std::vector<std::string>& names) {
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, kIdentityBytes);
    std::vector<std::string> signed_ = {kManifest};
    signed_.insert(signed_.end(), names.begin(), names.end());
    for (const std::string& name : signed_) {
        TSignature signature;
        std::string text;
        if (!platform::ReadWholeFile(folder + name + kSignatureSuffix, text, kMaxSignatureText) ||
            !FromHex(text, signature.data(), signature.size()))
            return {};
        crypto_generichash_update(&state, signature.data(), signature.size());
    }
    uint8_t hash[kIdentityBytes];
    crypto_generichash_final(&state, hash, kIdentityBytes);
    return ToHex(hash, kIdentityBytes);
}

std::string WithInstalledIdentity(const std::string& iniText, const std::string& identity) {
    const std::string header = std::string("[") + kVersionSection + "]";
    const std::string entry = std::string(kVersionKey) + "=" + identity + "\r\n";
    std::string lower = Lower(iniText);
    size_t section = lower.find(Lower(header));
    if (section == std::string::npos) {
        std::string text = iniText;
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        return text + header + "\r\n" + entry;
    }
    size_t body = lower.find('\n', section);
    body = body == std::string::npos ? lower.size() : body + 1;
    size_t next = lower.find("\n[", body);
    size_t end = next == std::string::npos ? lower.size() : next + 1;
    // Drop the old entry of the key inside the section, then add the new one.
    std::string kept;
    for (size_t line = body; line < end;) {
        size_t stop = lower.find('\n', line);
        stop = stop == std::string::npos ? end : std::min(stop + 1, end);
        std::string key = lower.substr(line, lower.find('=', line) - line);
        key.erase(std::remove_if(key.begin(), key.end(), [](unsigned char c) { return std::isspace(c); }), key.end());
        if (lower.find('=', line) >= stop || key != kVersionKey) kept += iniText.substr(line, stop - line);
        line = stop;
    }
    if (!kept.empty() && kept.back() != '\n') kept += "\r\n";
    std::string headerPart = iniText.substr(0, body);
    if (!headerPart.empty() && headerPart.back() != '\n') headerPart += "\r\n";
    return headerPart + entry + kept + iniText.substr(end);
}

}  // namespace release
