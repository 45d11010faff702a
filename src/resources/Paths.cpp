#include "resources/Paths.h"

namespace {
std::string& ProgramDir() {
    static std::string dir = "./";
    return dir;
}
std::string& RootDir() {
    static std::string dir = "../";
    return dir;
}

std::string WithSlash(std::string s) {
    if (s.empty()) return "./";
    if (s.back() != '/') s += '/';
    return s;
}

// The parent of a directory given with a trailing "/": "/" for the file
// system root, "./" for a relative directory of one component.
std::string ParentOf(const std::string& dir) {
    std::string trimmed = dir;
    while (!trimmed.empty() && trimmed.back() == '/') trimmed.pop_back();
    if (trimmed.empty()) return "/";
    auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? "./" : trimmed.substr(0, slash + 1);
}
}  // namespace

void SetProgramDirectory(const std::string& directory) {
    std::string dir = WithSlash(directory);
    ProgramDir() = dir;
    RootDir() = dir.size() <= 3 ? dir : ParentOf(dir);
}

const std::string& ProgramDirectory() { return ProgramDir(); }
const std::string& InstallationRoot() { return RootDir(); }
