#include "graphics/LooseFile.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "resources/StrFuncs.h"

namespace {

bool PlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name != "." && name != "..";
}

}  // namespace

// The folder listing goes through the standard library's non-throwing
// overloads; an unreadable folder finds nothing.
std::string FindLooseFile(const std::string& folder, const std::string& fileName) {
    if (!PlainName(fileName)) return {};
    if (platform::FileExists(folder + fileName)) return folder + fileName;
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (SameTextAscii(name, fileName) && platform::FileExists(folder + name)) return folder + name;
    }
    return {};
}

std::string FindFileIgnoringCase(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return FindLooseFile({}, path);
    return FindLooseFile(path.substr(0, slash + 1), path.substr(slash + 1));
}
