// The two global ini files, the language and the text lookup with its
// placeholders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/headless/Headless.h"
#include "IniFolderFixture.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace fs = std::filesystem;

namespace {

class TextsTest : public TIniFolderTest {
protected:
    void SetUp() override {
        TIniFolderTest::SetUp();
        Write("text.ini",
              "[en-Message]\rhello=Hello {1}\rempty=\r[en-Chat]\rjoin={1} joins\r"
              "[de-Message]\rhello=Hallo {1}\r");
    }
    void Write(const std::string& name, const std::string& bytes) { WriteText(PathOf(name), bytes); }
    std::string Read(const std::string& name) { return FileText(PathOf(name)); }
};

TEST_F(TextsTest, EnglishIsTheDefaultLanguage) {
    LoadTextsAndSettings(m_dir);
    EXPECT_EQ(Language(), "en");
    EXPECT_EQ(GetText("Message", "hello"), "Hello {1}");
    EXPECT_EQ(GetText("", "hello"), "Hello {1}");  // empty section means "Message"
    EXPECT_EQ(GetText("chat", "JOIN"), "{1} joins");
    EXPECT_EQ(GetText("", "missing"), "");
    EXPECT_EQ(GetTextDef("", "missing", "fallback"), "fallback");
    EXPECT_EQ(GetTextDef("", "empty", "fallback"), "");
    EXPECT_EQ(GetTextDef("", "", "fallback"), "");  // an empty key gives nothing
}

TEST_F(TextsTest, LanguageComesFromTheSettings) {
    Write("settings.ini", "[Generel]\rLanguage=de\r");
    LoadTextsAndSettings(m_dir);
    EXPECT_EQ(Language(), "de");
    EXPECT_EQ(GetText("", "hello"), "Hallo {1}");
    EXPECT_EQ(GetText("Chat", "join"), "");  // no fallback to another language
}

TEST_F(TextsTest, ProgramDirectoryIsTheDefaultPlace) {
    std::string saved = ProgramDirectory();
    SetProgramDirectory(m_dir);
    LoadTextsAndSettings();
    EXPECT_EQ(TextFile().Path(), m_dir + "/text.ini");
    EXPECT_EQ(SettingsFile().Path(), m_dir + "/settings.ini");
    SetProgramDirectory(saved);
}

TEST_F(TextsTest, SettingsAreWrittenBackAndReloadingSavesFirst) {
    LoadTextsAndSettings(m_dir);
    SettingsFile().WriteInteger("Splash", "Count", 12);
    platform::headless::Loop().RunFor(1100);
    EXPECT_EQ(Read("settings.ini"), "[splash]\r\nCount=12\r\n");
    SettingsFile().WriteInteger("Splash", "Count", 13);
    LoadTextsAndSettings(m_dir);  // the pending change is saved before reloading
    EXPECT_EQ(SettingsFile().ReadInteger("splash", "count", 0), 13);
    EXPECT_FALSE(TextFile().Dirty());
}

TEST(FillPlaceholdersTest, ItemsFillTheirTokens) {
    EXPECT_EQ(FillPlaceholders("{1} has {2} points, {1}!", "Eva,12"), "Eva has 12 points, Eva!");
    EXPECT_EQ(FillPlaceholders("{10}/{1}", "a,b,c,d,e,f,g,h,i,j"), "j/a");
    EXPECT_EQ(FillPlaceholders("{2} {3}", "x,y"), "y {3}");       // {1} absent: skipped
    EXPECT_EQ(FillPlaceholders("[{1}][{2}]", "a,"), "[a][{2}]");  // trailing empty item dropped
    EXPECT_EQ(FillPlaceholders("[{1}][{2}]", ",b"), "[][b]");
    EXPECT_EQ(FillPlaceholders("none", ""), "none");
    EXPECT_EQ(FillPlaceholders("{1}{2}", "{2},z"), "zz");  // filled in order
}

// Items that hold the next item's token twice double the text at each step:
// 40 of them would need 2^40 copies. Filling stops before the text passes the
// bound, with every item that fitted filled in.
TEST(FillPlaceholdersTest, ItemsCannotBlowTheTextUp) {
    std::string arguments;
    for (int n = 2; n <= 41; ++n)
        arguments += "{" + std::to_string(n) + "}{" + std::to_string(n) + "},";
    const std::string text = FillPlaceholders("{1}{1}", arguments);
    EXPECT_LE(text.size(), kMaxFilledText);
    EXPECT_GT(text.size(), kMaxFilledText / 4);
    EXPECT_EQ(text.find("{1}"), std::string::npos);
}

}  // namespace
