#include "GalleryDir.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What a program directory's skin is made of; the pack is what matters most,
// so its absence is the error people see first.
constexpr const char* kSkinFiles[] = {"gfx/data.pac", "settings.ini", "text.ini"};
constexpr const char* kSkinFolders[] = {"gfx", "sound"};

std::string MakeTempFolder() {
    std::error_code code;
    fs::path base = fs::temp_directory_path(code);
    if (code) base = "/tmp";
    std::string pattern = (base / "controlgallery-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    return made ? std::string(made) : std::string();
}

}  // namespace

TGalleryDir::~TGalleryDir() {
    if (m_root.empty()) return;
    std::error_code code;
    fs::remove_all(m_root, code);
}

bool TGalleryDir::Prepare(const std::string& skinDir, std::string& error) {
    const fs::path from(skinDir);
    for (const char* file : kSkinFiles) {
        if (!fs::is_regular_file(from / file)) {
            error = "no skin in " + skinDir + ": " + file + " is missing (build the target skin)";
            return false;
        }
    }
    m_root = MakeTempFolder();
    if (m_root.empty()) {
        error = "cannot make a temporary folder";
        return false;
    }
    const fs::path to = fs::path(m_root) / "bin";
    std::error_code code;
    fs::create_directories(to, code);
    for (const char* file : {"settings.ini", "text.ini"}) {
        if (!code) fs::copy_file(from / file, to / file, code);
    }
    for (const char* folder : kSkinFolders) {
        if (!code && fs::is_directory(from / folder))
            fs::copy(from / folder, to / folder, fs::copy_options::recursive, code);
    }
    if (code) {
        error = "cannot copy the skin to " + to.string() + ": " + code.message();
        return false;
    }
    m_programDir = to.string() + "/";
    return true;
}
