// Sound effects: the switch, dropping a sound while one plays, names matched
// without regard to case, and names that cannot leave the sound folder.
#include "GraphicsFixture.h"
#include "graphics/Sound.h"

namespace gfxtest {
namespace {

class SoundTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteFile(Dir() + "sound/lines.wav", {'R', 'I', 'F', 'F'});
        WriteFile(Dir() + "sound/Rollover.wav", {'R', 'I', 'F', 'F'});
        WriteFile(Dir() + "secret.wav", {'R', 'I', 'F', 'F'});
        SetSoundOn(true);
    }
    const std::vector<std::string>& Played() { return platform::headless::Audio().Played(); }
};

TEST_F(SoundTest, NamesMatchWithoutRegardToCase) {
    PlaySound("Lines.Wav");
    ASSERT_EQ(Played().size(), 1u);
    EXPECT_EQ(Played()[0], Dir() + "sound/lines.wav");
    PlaySound("Rollover.wav");
    PlaySound("ROLLOVER.WAV");
    ASSERT_EQ(Played().size(), 3u);
    EXPECT_EQ(Played()[2], Dir() + "sound/Rollover.wav");
}

TEST_F(SoundTest, NewSoundIsDroppedWhileOneStillPlays) {
    PlaySound("lines.wav");
    platform::headless::Audio().SetPlaying(true);
    PlaySound("Rollover.wav");
    EXPECT_EQ(Played().size(), 1u);
    platform::headless::Audio().SetPlaying(false);
    PlaySound("Rollover.wav");
    EXPECT_EQ(Played().size(), 2u);
}

TEST_F(SoundTest, SwitchedOffPlaysNothingButStopStillStops) {
    SetSoundOn(false);
    EXPECT_FALSE(SoundOn());
    platform::headless::Audio().SetPlaying(true);
    PlaySound("lines.wav");
    EXPECT_TRUE(Played().empty());
    StopSounds();
    EXPECT_EQ(platform::headless::Audio().StopCount(), 1);
    EXPECT_FALSE(platform::headless::Audio().Playing());
}

TEST_F(SoundTest, MissingAndOutsideNamesAreSilent) {
    PlaySound("Doh.Wav");
    PlaySound("../secret.wav");
    PlaySound("..");
    PlaySound("");
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(FindSoundFile("../secret.wav"), "");
    EXPECT_EQ(FindSoundFile("LINES.WAV"), Dir() + "sound/lines.wav");
}

TEST_F(SoundTest, MissingSoundFolderIsSilent) {
    std::filesystem::remove_all(Dir() + "sound");
    PlaySound("lines.wav");
    EXPECT_TRUE(Played().empty());
}

}  // namespace
}  // namespace gfxtest
