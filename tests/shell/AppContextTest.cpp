// The application context: a context built inside another starts with fresh
// state and gives the outer one back when it ends; objects that outlive
// their context leave nothing behind that a later one trips over; the
// program's delayed end belongs to the context.
#include <gtest/gtest.h>

#include <memory>

#include "TempFolder.h"
#include "controls/Form.h"
#include "controls/MsgBoxes.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Sound.h"
#include "lobby/Spam.h"
#include "net/NetState.h"
#include "net/transport/SocketHandler.h"
#include "platform/headless/Headless.h"
#include "resources/Paths.h"
#include "shell/AppContext.h"
#include "shell/MyTimer.h"

namespace {

class AppContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::InstallFresh();
        SetProgramDirectory(m_folder.Dir());
    }
    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }

    TTempFolder m_folder{"qvcontext"};
};

TEST_F(AppContextTest, AnInnerContextStartsFreshAndTheOuterOneComesBack) {
    TAppContext outer;
    Session().Alias = "eva";
    SetSoundOn(true);
    SpamCheck().Check("hello", 0, false);
    TSocketHandler* outerSockets = &TSocketHandler::Instance();
    TForm form(40, 30);
    {
        TAppContext inner;
        EXPECT_EQ(&Session(), &inner.Net().Session);
        EXPECT_EQ(Session().Alias, "");
        EXPECT_FALSE(SoundOn());
        EXPECT_FALSE(SpamCheck().HasLastLine());
        EXPECT_TRUE(TForm::All().empty());
        EXPECT_NE(&TSocketHandler::Instance(), outerSockets);
    }
    EXPECT_EQ(Session().Alias, "eva");
    EXPECT_TRUE(SoundOn());
    EXPECT_TRUE(SpamCheck().HasLastLine());
    EXPECT_EQ(TForm::All().size(), 1u);
    EXPECT_EQ(&TSocketHandler::Instance(), outerSockets);
}

// Under the sanitizer this also shows that nothing reaches the ended
// registries.
TEST_F(AppContextTest, ObjectsOutlivingTheirContextAreForgottenByIt) {
    auto context = std::make_unique<TAppContext>();
    auto timer = std::make_unique<TMyTimer>();
    timer->SetInterval(10);
    timer->SetEnabled(true);
    auto form = std::make_unique<TForm>(40, 30);
    ASSERT_TRUE(TGreatBitmap::Created());
    context.reset();
    EXPECT_FALSE(TGreatBitmap::Created());
    EXPECT_EQ(TMaintimer::Existing(), nullptr);
    TAppContext next;
    form.reset();
    timer.reset();
    EXPECT_TRUE(TForm::All().empty());
    EXPECT_EQ(TMaintimer::Instance().Count(), 0);
    EXPECT_EQ(MsgBoxes(), nullptr);
}

TEST_F(AppContextTest, TheDelayedEndRunsOnceAndEndsWithItsContext) {
    {
        TAppContext context;
        EndProgramSoon();
        Loop().RunFor(60);
        EndProgramSoon();  // already on its way: not restarted
        Loop().RunFor(30);
        EXPECT_FALSE(Loop().Terminated());
        Loop().RunFor(30);
        EXPECT_TRUE(Loop().Terminated());
    }
    platform::headless::InstallFresh();
    TAppContext context;
    EndProgramSoon();
    // The context ends with its end timer still waiting: nothing leaks and
    // nothing fires later.
}

}  // namespace
