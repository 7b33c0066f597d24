// preferences.cfg: its lines read as the game means them, the ghost choice
// kept for the next start from the Options screen while user.cfg keeps its
// four numbers, and a file that cannot be read is harmless and left alone.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "app/config.h"
#include "app/preferences.h"
#include "game/game.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "support/portable.h"

namespace {

// The Options screen's ghost toggle at 1280 x 720: first in the column of
// buttons, under the scheme's "<".
const float kGhostX = 805.0f;
const float kGhostY = 575.0f;

class PreferencesTest : public ScreenTest {
protected:
    std::string PreferencesPath() const { return SaveFolder() + "preferences.cfg"; }
    // Makes the save folder and returns the preferences' path in it.
    std::string EnsureFolder() const {
        SavePath probe = {{0}, false};
        EXPECT_TRUE(SavePath_Ensure(&probe, "preferences.cfg"));
        return PreferencesPath();
    }
    static int ReadQuietly() {
        testing::internal::CaptureStderr();
        Preferences_Read();
        testing::internal::GetCapturedStderr();
        return Preferences_ReadError();
    }
};

TEST_F(PreferencesTest, LinesAreReadByNameAndTheRestIsPassedOver) {
    struct Case {
        const char* text;
        bool ghost;
    } const cases[] = {
        {"ghost 0\n", false},
        {"ghost 1\n", true},
        {"  ghost\t0\r\n", false},
        {"ghost 7", true},
        {"ghost 0\nghost 1\n", true},  // the last line wins
        {"ghost\n", true},             // no number: the default stays
        {"ghost off\n", true},
        {"ghostly 0\nghost0\n", true},
        {"# a note\nnoise 3\nghost 0\n", false},
        {"ghost 000000000000000000000000\n", false},
        {"ghost -99999999999999999999\n", true},  // any number but zero is on
        {"", true},
    };
    for (const Case& c : cases) {
        Preferences prefs = {true};
        Preferences_Parse(c.text, &prefs);
        EXPECT_EQ(prefs.ghost, c.ghost) << '"' << c.text << '"';
    }
}

TEST_F(PreferencesTest, TheGhostChoiceIsKeptForTheNextStartAndUserCfgKeepsFourNumbers) {
    EXPECT_TRUE(preferences.ghost) << "on by default";
    Open(OptionsScreen);
    EXPECT_TRUE(DrewTextAt("Ghost of Best Run", 190, 575));
    EXPECT_TRUE(DrewTextAt("On", kGhostX, kGhostY));
    Click(kGhostX, kGhostY);
    EXPECT_FALSE(preferences.ghost);
    EXPECT_TRUE(DrewTextAt("Off", kGhostX, kGhostY));
    Click(1088, 612);  // Back
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_EQ(ReadText(PreferencesPath()), "ghost 0\n");
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), "0 100 100 2 ");

    // A new run of the program: defaults in memory, then start-up reads the file.
    Preferences_ResetForTests();
    EXPECT_TRUE(preferences.ghost);
    Game_Start();
    Automation_RunFrames(1);
    EXPECT_FALSE(preferences.ghost);
}

TEST_F(PreferencesTest, AMissingFileIsTheDefaultsAndIsNotCreatedByReading) {
    EnsureFolder();
    EXPECT_EQ(ReadQuietly(), 0);
    EXPECT_TRUE(preferences.ghost);
    EXPECT_FALSE(FileExists(PreferencesPath()));
}

TEST_F(PreferencesTest, AFileThatCannotBeReadGivesTheDefaultsAndIsNeverWrittenOver) {
    const std::string path = EnsureFolder();
    // Too large to be ours, though it says "ghost 0" first.
    const std::string huge = "ghost 0\n" + std::string(PREFERENCES_FILE_LIMIT, '#');
    WriteText(path, huge);
    EXPECT_NE(ReadQuietly(), 0);
    EXPECT_TRUE(preferences.ghost);
    preferences.ghost = false;
    EXPECT_NE(Preferences_Write(), 0);
    EXPECT_EQ(ReadText(path), huge);

    // A folder in its place: the Options screen still leaves, and saves user.cfg.
    Preferences_ResetForTests();
    std::remove(path.c_str());
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(ReadQuietly(), EISDIR);
    Open(OptionsScreen);
    Click(kGhostX, kGhostY);
    Click(1088, 612);  // Back
    EXPECT_EQ(Current(), "MainMenu");
    struct stat info;
    EXPECT_TRUE(stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), "0 100 100 2 ");
}

}  // namespace
