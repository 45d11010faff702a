// The lobby's chat input line on a window of its own: it needs none of the
// rest of the lobby (no rooms, no connection) to take, hand on and recall
// lines.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/Charselect.h"
#include "controls/Form.h"
#include "controls/Myedit.h"
#include "controls/SkinFixture.h"
#include "lobby/LobbyInput.h"
#include "lobby/LobbySkin.h"

namespace {

using lobbytest::TLobbySkin;

class LobbyInputTest : public skintest::SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        TLobbySkin skin;
        WritePack(skin.pack);
        for (const auto& [name, giz] : skin.loose) WriteLoose(name, giz);
        WriteIni(TLobbySkin::kSettings, TLobbySkin::kTexts);
        m_window = std::make_unique<TForm>("Chat");
        input = std::make_unique<TLobbyInput>(*m_window, "Chat");
        input->OnSubmit = [this](const std::string& plain, const std::string& line) {
            submitted.emplace_back(plain, line);
        };
        m_window->Show();
        Loop().ProcessMessages();
    }
    void TearDown() override {
        input.reset();
        m_window.reset();
        SkinTest::TearDown();
    }
    void Type(const std::string& text) {
        for (char c : text) Window(*m_window->Paint()).Char(static_cast<uint8_t>(c));
    }
    void Pick(uint8_t code) { input->Picker()->OnPick(input->Picker(), code); }

    std::unique_ptr<TLobbyInput> input;
    std::vector<std::pair<std::string, std::string>> submitted;

private:
    std::unique_ptr<TForm> m_window;
};

TEST_F(LobbyInputTest, HandsOnTypedLinesAndRecallsThemInEitherLine) {
    input->Submit();
    EXPECT_TRUE(submitted.empty());

    Type("hi");
    Pick('A');
    input->Submit();
    ASSERT_EQ(submitted.size(), 1u);
    const auto& [plain, line] = submitted[0];
    EXPECT_EQ(plain, "hiA");
    EXPECT_NE(line, plain);  // the symbol keeps its colour code
    EXPECT_EQ(input->History().Line(0), line);
    EXPECT_EQ(input->Edit()->Text(), "");

    // A draft moves to the big line, and the history fills the visible one.
    Type("draft");
    input->SetBig(true);
    EXPECT_EQ(input->Edit(), input->BigEdit());
    EXPECT_EQ(input->BigEdit()->Text(), "draft");
    EXPECT_EQ(input->SmallEdit()->Text(), "");
    input->HistoryBack();
    EXPECT_EQ(input->BigEdit()->TextWithCodes(), line);
    input->SetBig(false);
    EXPECT_EQ(input->SmallEdit()->TextWithCodes(), line);
    input->Submit();
    EXPECT_EQ(submitted.size(), 2u);
    EXPECT_EQ(input->History().Count(), 1);  // the same line is kept once
}

}  // namespace
