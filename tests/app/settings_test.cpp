// user.cfg: defaults on a fresh start, reading what players and old files hold,
// and safe writing.
#include <gtest/gtest.h>

#include "app/config.h"
#include "support/headless.h"

namespace {

class SettingsTest : public HeadlessTest {
protected:
    std::string ConfigPath() const { return SaveFolder() + "user.cfg"; }

    // Reads the file as a fresh program run would.
    void ReadFresh(const std::string& contents) {
        Settings_ResetForTests();
        SavePath probe = {{0}, false};
        ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));  // creates the folder
        WriteText(ConfigPath(), contents);
        Settings_ResetForTests();
        Settings_Read();
    }
};

TEST_F(SettingsTest, FreshStartWritesTheDefaults) {
    Settings_Read();
    EXPECT_EQ(ReadText(ConfigPath()), "1 100 100 2 ");
    EXPECT_TRUE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 100);
    EXPECT_EQ(userConfig.musicVolume, 100);
    EXPECT_EQ(userConfig.controlScheme, 2);
}

TEST_F(SettingsTest, ReadsAPlayersChoices) {
    ReadFresh("0 50 30 1");
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 50);
    EXPECT_EQ(userConfig.musicVolume, 30);
    EXPECT_EQ(userConfig.controlScheme, 1);
    EXPECT_STREQ(controlSchemeNames[userConfig.controlScheme], "Arrow");
}

TEST_F(SettingsTest, ValuesOnSeparateLinesReadTheSame) {
    ReadFresh("0\n50\n30\n1\n");
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 50);
    EXPECT_EQ(userConfig.musicVolume, 30);
    EXPECT_EQ(userConfig.controlScheme, 1);
}

TEST_F(SettingsTest, ShortFileKeepsTheRestAtDefaults) {
    ReadFresh("0 40");
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 40);
    EXPECT_EQ(userConfig.musicVolume, 100);
    EXPECT_EQ(userConfig.controlScheme, 2);
}

TEST_F(SettingsTest, GarbageLeavesTheDefaults) {
    ReadFresh("loud and proud\n");
    EXPECT_TRUE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 100);
    EXPECT_EQ(userConfig.musicVolume, 100);
    EXPECT_EQ(userConfig.controlScheme, 2);
    // A long garbage line is just as harmless.
    ReadFresh(std::string(100000, '9') + "x");
    EXPECT_EQ(userConfig.controlScheme, 2);
}

TEST_F(SettingsTest, OutOfRangeValuesAreClamped) {
    ReadFresh("7 250 -40 9");
    EXPECT_TRUE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 100);
    EXPECT_EQ(userConfig.musicVolume, 0);
    EXPECT_EQ(userConfig.controlScheme, 3);
    ReadFresh("0 50 50 -1");
    EXPECT_EQ(userConfig.controlScheme, 0);
}

TEST_F(SettingsTest, WritingReplacesTheFileWhole) {
    Settings_Read();
    userConfig = UserConfig{false, 30, 70, 0};
    Settings_Write();
    EXPECT_EQ(ReadText(ConfigPath()), "0 30 70 0 ");
    Settings_ResetForTests();
    Settings_Read();
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.musicVolume, 70);
}

TEST_F(SettingsTest, SchemeKeysFollowTheTable) {
    userConfig.controlScheme = 0;
    EXPECT_EQ(SchemeKey(ACTION_THRUST), 'W');
    EXPECT_EQ(SchemeKey(ACTION_TURN_LEFT), 'A');
    EXPECT_EQ(SchemeKey(ACTION_TURN_RIGHT), 'D');
    userConfig.controlScheme = 2;
    EXPECT_EQ(SchemeKey(ACTION_THRUST), TS_KEY_SPACE);
    EXPECT_EQ(SchemeKey(ACTION_TURN_LEFT), TS_KEY_LEFT);
    EXPECT_EQ(SchemeKey(ACTION_TURN_RIGHT), TS_KEY_RIGHT);
}

TEST_F(SettingsTest, SavePathThatDoesNotFitIsRefusedNotCut) {
    SavePath path = {{0}, false};
    EXPECT_FALSE(SavePath_Ensure(&path, std::string(300, 'n').c_str()));
    EXPECT_FALSE(path.built);
    EXPECT_STREQ(path.path, "");
}

}  // namespace
