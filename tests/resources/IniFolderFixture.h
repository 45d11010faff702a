// The fixture of the ini tests: a fresh headless platform and timer list, and
// a temporary folder, removed afterwards, with helpers to write, read and load
// files in it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/headless/Headless.h"
#include "resources/Inifile.h"
#include "shell/MyTimer.h"

class TIniFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::InstallFresh();
        TMaintimer::Reset();
        char pattern[] = "/tmp/initestXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
        TMaintimer::Reset();
    }

    std::string PathOf(const std::string& name) const { return m_dir + "/" + name; }

    static std::string FileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteText(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // An ini object on the file "t.ini" holding exactly these bytes.
    std::unique_ptr<TInifile> Load(const std::string& bytes) {
        WriteText(PathOf("t.ini"), bytes);
        return std::make_unique<TInifile>(PathOf("t.ini"));
    }
    static void RunFor(int64_t ms) { platform::headless::Loop().RunFor(ms); }

    std::string m_dir;
};
