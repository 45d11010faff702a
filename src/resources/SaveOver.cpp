#include "resources/SaveOver.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {

// More links in a chain than this are taken for a loop.
constexpr int kMaxLinks = 40;

// The file a chain of symbolic links ends at (the path itself when it is no
// link); false for a loop or an unreadable link.
bool FollowLinks(fs::path path, fs::path& target) {
    std::error_code error;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            target = path;
            return true;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) return false;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return false;
}

bool Writable(const fs::path& target, fs::perms permissions) {
    constexpr fs::perms kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((permissions & kWriteBits) == fs::perms::none) return false;
    // Opening for update changes nothing but tells whether this process may
    // write the file at all.
    std::FILE* file = std::fopen(target.c_str(), "r+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

bool SaveOverFile(const std::string& path, const void* data, int64_t n) {
    fs::path target;
    if (!FollowLinks(path, target)) return false;
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    const bool regular = !error && fs::is_regular_file(status);
    if (regular && !Writable(target, status.permissions())) return false;
    if (!platform::WriteFileAtomic(target.string(), data, n)) return false;
    // The renamed temporary file has default permissions; give it the old ones.
    if (regular) fs::permissions(target, status.permissions(), fs::perm_options::replace, error);
    return true;
}
