// TTempFolder: a fresh folder under the system's temporary directory for one
// test, removed with everything in it when the object ends, with helpers to
// write and read whole files in it.
//
// A fixture declares it before its fresh states (FreshStates.h), so files
// the states still save when they end (a dirty settings file) land in the
// folder before it goes.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TTempFolder {
public:
    explicit TTempFolder(const std::string& prefix = "qvtest") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
        if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
        EXPECT_FALSE(m_path.empty()) << "no temporary folder";
    }
    ~TTempFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, without a trailing "/".
    const std::string& Path() const { return m_path; }
    // The folder with a trailing "/".
    std::string Dir() const { return m_path + "/"; }
    std::string PathOf(const std::string& name) const { return m_path + "/" + name; }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteText(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

private:
    std::string m_path;
};
