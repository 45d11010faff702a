#include <gtest/gtest.h>

#include <vector>

#include "EditFixture.h"
#include "controls/Keyhandler.h"

namespace edittest {
namespace {

constexpr int kLeft = 37, kRight = 39;

// A window that records the keys its own handling receives, with the time.
class TRecordingForm : public TForm {
public:
    TRecordingForm() : TForm("bg") {}
    struct TCall {
        int key;
        unsigned shift;
        int64_t ms;
    };
    std::vector<TCall> downs;
    std::vector<int> ups;
    TKeyhandler* resetOnKey = nullptr;
    bool handles = true;  // false: key-downs go on to the active control

protected:
    bool FormKeyDown(int key, unsigned shift) override {
        downs.push_back({key, shift, platform::headless::Loop().Counter() / 1000});
        if (resetOnKey) resetOnKey->Reset();
        return handles;
    }
    bool FormKeyUp(int key, unsigned) override {
        ups.push_back(key);
        return true;
    }
};

// A focused control that counts the key-downs it receives.
class TRecordingFocus : public TFocusable {
public:
    std::vector<int> downs;
    void FocusKeyDown(int key, unsigned) override { downs.push_back(key); }
    void FocusKeyPress(uint8_t) override {}
    void FocusGained() override {}
    void FocusLost() override {}
    bool CanFocus() const override { return true; }
};

class KeyhandlerTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        m_window = std::make_unique<TRecordingForm>();
        m_window->Show();
        m_window->Focus();
        m_handler = std::make_unique<TKeyhandler>(*m_window, 20);
        m_handler->SetFirstRepeatDelay(5);
    }
    void TearDown() override {
        m_handler.reset();
        m_window.reset();
        EditTest::TearDown();
    }
    platform::headless::TWindow& Keys() { return Window(*m_window->Paint()); }
    int64_t Now() const { return Loop().Counter() / 1000; }

    std::unique_ptr<TRecordingForm> m_window;
    std::unique_ptr<TKeyhandler> m_handler;
};

TEST_F(KeyhandlerTest, HeldKeyFiresOnPressAfterTheDelayThenEveryTick) {
    Loop().RunFor(50);
    const int64_t pressed = Now();
    Keys().KeyDown(kLeft, platform::ShiftKey);
    ASSERT_EQ(m_window->downs.size(), 1u);
    EXPECT_EQ(m_window->downs[0].shift, platform::ShiftKey);
    Loop().RunFor(90);
    EXPECT_EQ(m_window->downs.size(), 1u);
    // The repeat ticks start with the press: the fifth one, 100 ms later.
    Loop().RunFor(10);
    ASSERT_EQ(m_window->downs.size(), 2u);
    EXPECT_EQ(m_window->downs[1].ms - pressed, 100);
    // The platform's own repeat is swallowed.
    for (int i = 0; i < 5; ++i) Keys().KeyDown(kLeft);
    Loop().RunFor(100);
    ASSERT_EQ(m_window->downs.size(), 7u);
    for (size_t i = 2; i < 7; ++i) {
        EXPECT_EQ(m_window->downs[i].ms - m_window->downs[i - 1].ms, 20);
        EXPECT_EQ(m_window->downs[i].key, kLeft);
        EXPECT_EQ(m_window->downs[i].shift, 0u);  // repeats carry no shift
    }
    Keys().KeyUp(kLeft);
    EXPECT_EQ(m_window->ups, std::vector<int>{kLeft});
    Loop().RunFor(200);
    EXPECT_EQ(m_window->downs.size(), 7u);
}

// The handler alone repeats a held key: the platform's repeated key-downs
// reach neither the window nor the entry that has the focus; the repeat
// timer runs only while a key is held, so an idle window never wakes.
TEST_F(KeyhandlerTest, PlatformRepeatReachesNeitherTheWindowNorItsEntry) {
    TRecordingFocus entry;
    m_window->SetActiveControl(&entry);
    m_window->handles = false;
    EXPECT_FALSE(m_handler->Timer().Enabled());
    Keys().KeyDown(kLeft);
    EXPECT_TRUE(m_handler->Timer().Enabled());
    EXPECT_EQ(m_window->downs.size(), 1u);
    EXPECT_EQ(entry.downs, std::vector<int>{kLeft});
    for (int i = 0; i < 3; ++i) Keys().KeyDown(kLeft);
    EXPECT_EQ(m_window->downs.size(), 1u);
    EXPECT_EQ(entry.downs.size(), 1u);
    Keys().KeyUp(kLeft);
    EXPECT_FALSE(m_handler->Timer().Enabled());
    Keys().KeyDown(kLeft);  // pressed anew
    EXPECT_EQ(entry.downs.size(), 2u);
    m_window->SetActiveControl(nullptr);
}

TEST_F(KeyhandlerTest, KeysRepeatIndependentlyAndDeactivationForgetsThem) {
    Loop().RunFor(50);
    Keys().KeyDown(kLeft);
    Loop().RunFor(45);
    // The timer ticks at 70, 90, 110, ... ms from the first press on; each
    // key counts the ticks from its own press on.
    Keys().KeyDown(kRight);
    Loop().RunFor(110);
    int lefts = 0, rights = 0;
    for (const auto& call : m_window->downs) (call.key == kLeft ? lefts : rights)++;
    EXPECT_EQ(lefts, 1 + 3);   // its ticks 5 to 7: 150, 170, 190
    EXPECT_EQ(rights, 1 + 1);  // its tick 5: 190
    platform::headless::Video().FocusWindow(nullptr);
    EXPECT_TRUE(m_handler->HeldKeys().empty());
    const size_t calls = m_window->downs.size();
    Loop().RunFor(100);
    EXPECT_EQ(m_window->downs.size(), calls);
}

TEST_F(KeyhandlerTest, HandlingMayResetDuringATick) {
    Loop().RunFor(50);
    Keys().KeyDown(kLeft);
    Keys().KeyDown(kRight);
    m_window->resetOnKey = m_handler.get();
    Loop().RunFor(115);
    EXPECT_EQ(m_window->downs.size(), 3u);  // the first due key reset both
    EXPECT_TRUE(m_handler->HeldKeys().empty());
}

TEST_F(KeyhandlerTest, FreeingTheHandlerGivesTheKeysBack) {
    m_handler.reset();
    Keys().KeyDown(kLeft);
    Keys().KeyDown(kLeft);
    EXPECT_EQ(m_window->downs.size(), 2u);
    EXPECT_EQ(m_window->KeyFilter(), nullptr);
}

}  // namespace
}  // namespace edittest
