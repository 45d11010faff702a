#include "ToolFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"

namespace fs = std::filesystem;

namespace skin {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    platform::TReadFile file;
    if (!file.Open(path)) {
        error = "cannot open " + path;
        return false;
    }
    const int64_t size = file.Size();
    if (size < 0) {
        error = "cannot take the length of " + path;
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && file.Read(bytes.data(), size) != size) {
        error = "cannot read " + path;
        bytes.clear();
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    if (!platform::WriteFileAtomic(path, bytes.data(), static_cast<int64_t>(bytes.size()))) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool WriteFileText(const std::string& path, const std::string& text, std::string& error) {
    return WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()), error);
}

bool MakeDirectories(const std::string& path, std::string& error) {
    std::error_code code;
    fs::create_directories(path, code);
    if (fs::is_directory(path, code)) return true;
    error = "cannot create the folder " + path;
    return false;
}

bool ListFiles(const std::string& directory, std::vector<std::string>& names, std::string& error) {
    names.clear();
    std::error_code code;
    if (!fs::is_directory(directory, code)) {
        error = directory + " is not a folder";
        return false;
    }
    fs::directory_iterator it(directory, code), end;
    if (code) {
        error = "cannot list the folder " + directory;
        return false;
    }
    for (; it != end; it.increment(code)) {
        if (code) {
            error = "cannot list the folder " + directory;
            return false;
        }
        if (it->is_regular_file(code)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return true;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

}  // namespace skin
