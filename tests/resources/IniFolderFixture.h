// The fixture of the ini tests: a fresh headless platform and context (the
// timers and texts), and a temporary folder, removed afterwards, with helpers
// to write, read and load files in it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FreshStates.h"
#include "TempFolder.h"
#include "platform/headless/Headless.h"
#include "resources/Inifile.h"

class TIniFolderTest : public ::testing::Test {
protected:
    TIniFolderTest() { platform::headless::InstallFresh(); }

    std::string PathOf(const std::string& name) const { return m_folder.PathOf(name); }

    static std::string FileText(const std::string& path) { return TTempFolder::ReadText(path); }
    static void WriteText(const std::string& path, const std::string& bytes) {
        TTempFolder::WriteText(path, bytes);
    }
    // An ini object on the file "t.ini" holding exactly these bytes.
    std::unique_ptr<TInifile> Load(const std::string& bytes) {
        WriteText(PathOf("t.ini"), bytes);
        return std::make_unique<TInifile>(PathOf("t.ini"));
    }
    static void RunFor(int64_t ms) { platform::headless::Loop().RunFor(ms); }

    // Before the states, so files they save when they end still find it.
    TTempFolder m_folder{"initest"};
    TFreshResources m_states;
    const std::string m_dir = m_folder.Path();
};
