// Tests of the media player: the MCI commands it sends, and that every
// failure stays silent.
#include <gtest/gtest.h>

#include "MPlayer.h"
#include "Unattended.h"
#include "ui_testkit.h"

using namespace vtrl;

namespace {

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMciCommands();
        SetMciSender(nullptr);
    }
    void TearDown() override {
        SetMciSender(nullptr);
        ClearMciCommands();
    }
    // A sender that answers each command with the error that Fail gives
    // (0: success) and remembers what it was asked.
    void FakeMci(std::function<unsigned(const std::string&)> Fail) {
        SetMciSender([this, Fail](const std::string& c) {
            Seen.push_back(c);
            return Fail(c);
        });
    }
    std::vector<std::string> Seen;
};

}  // namespace

// Rule: Open sends "open" with the quoted file name and the player's own
// alias; Play, Stop and Close name the same alias.
TEST_F(MediaPlayerTest, CommandsNameTheFileAndTheAlias) {
    FakeMci([](const std::string&) { return 0u; });
    TMediaPlayer mp(nullptr);
    mp.SetFileName("C:\\Setup Files\\HALVORNMISC.RMI");
    EXPECT_TRUE(mp.Open());
    EXPECT_TRUE(mp.IsOpen());
    EXPECT_TRUE(mp.Play());
    EXPECT_TRUE(mp.Stop());
    mp.Close();
    EXPECT_FALSE(mp.IsOpen());
    const std::string a = mp.Alias();
    const std::vector<std::string> expected{"open \"C:\\Setup Files\\HALVORNMISC.RMI\" alias " + a, "play " + a,
                                            "stop " + a, "close " + a};
    EXPECT_EQ(MciCommands(), expected);
    EXPECT_EQ(Seen, expected);
}

// Rule: two players never share a device name.
TEST_F(MediaPlayerTest, EachPlayerHasItsOwnAlias) {
    TMediaPlayer a(nullptr), b(nullptr);
    EXPECT_NE(a.Alias(), b.Alias());
    EXPECT_FALSE(a.Alias().empty());
}

// Rule: opening again closes the open device first; a player that is not
// open sends no "close".
TEST_F(MediaPlayerTest, OpenAgainClosesFirst) {
    FakeMci([](const std::string&) { return 0u; });
    TMediaPlayer mp(nullptr);
    mp.Close();
    EXPECT_TRUE(MciCommands().empty());
    mp.SetFileName("a.rmi");
    (void)mp.Open();
    mp.SetFileName("b.rmi");
    (void)mp.Open();
    const std::string a = mp.Alias();
    EXPECT_EQ(MciCommands(), (std::vector<std::string>{"open \"a.rmi\" alias " + a, "close " + a,
                                                      "open \"b.rmi\" alias " + a}));
}

// Rule: a failed open leaves the player closed, reports false and raises
// nothing; Play still asks (and fails quietly); destroying it sends no
// close for a device it never had.
TEST_F(MediaPlayerTest, FailedOpenIsSilent) {
    FakeMci([](const std::string& c) { return c.rfind("open", 0) == 0 ? 275u : 263u; });
    {
        TMediaPlayer mp(nullptr);
        mp.SetFileName("C:\\nowhere\\TESSALY.RMI");
        EXPECT_NO_THROW(EXPECT_FALSE(mp.Open()));
        EXPECT_FALSE(mp.IsOpen());
        EXPECT_EQ(mp.LastError(), 275u);
        EXPECT_NO_THROW(EXPECT_FALSE(mp.Play()));
        EXPECT_EQ(mp.LastError(), 263u);
    }
    ASSERT_EQ(MciCommands().size(), 2u);
    EXPECT_EQ(MciCommands()[1].substr(0, 5), "play ");
}

// Rule: a sender that raises is a failure like any other.
TEST_F(MediaPlayerTest, ASenderThatRaisesIsSilent) {
    SetMciSender([](const std::string&) -> unsigned { throw Exception("no device"); });
    TMediaPlayer mp(nullptr);
    mp.SetFileName("x.rmi");
    EXPECT_NO_THROW(EXPECT_FALSE(mp.Open()));
    EXPECT_NE(mp.LastError(), 0u);
}

// Rule: with the real MCI a file that does not exist fails without raising
// or asking anything (this machine has no sound device either).
TEST_F(MediaPlayerTest, RealMciFailsQuietly) {
    SetSilent(true);
    TMediaPlayer mp(nullptr);
    mp.SetFileName(testkit::ScratchName("missing.rmi"));
    EXPECT_NO_THROW(EXPECT_FALSE(mp.Open()));
    EXPECT_NE(mp.LastError(), 0u);
    EXPECT_NO_THROW((void)mp.Play());
    EXPECT_NO_THROW((void)mp.Stop());
    EXPECT_NO_THROW(mp.Close());
    EXPECT_EQ(MciCommands().size(), 3u);  // open, play, stop: no close without a device
    SetSilent(false);
}

// Rule: a player is hidden and shows only the play button unless told.
TEST_F(MediaPlayerTest, HiddenWithThePlayButton) {
    TMediaPlayer mp(nullptr);
    EXPECT_FALSE(mp.Visible());
    EXPECT_TRUE(mp.VisibleButtons() == TButtonSet{btPlay});
}
