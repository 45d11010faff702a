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
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}
}  // namespace

void SetProgramDirectory(const std::string& directory) {
    std::string dir = WithSlash(directory);
    ProgramDir() = dir;
    if (dir.size() <= 3) {
        RootDir() = dir;
        return;
    }
    std::string trimmed = dir.substr(0, dir.size() - 1);
    auto slash = trimmed.rfind('/');
    RootDir() = slash == std::string::npos ? dir : trimmed.substr(0, slash + 1);
}

const std::string& ProgramDirectory() { return ProgramDir(); }
const std::string& InstallationRoot() { return RootDir(); }
