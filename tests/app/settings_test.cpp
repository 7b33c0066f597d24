// user.cfg: defaults on a fresh start, reading what players and old files hold,
// files that cannot be read left alone, and safe writing.
#include <gtest/gtest.h>

#include <cerrno>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"
#include "support/headless.h"
#include "support/unprivileged.h"
#include "support/portable.h"

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

TEST_F(SettingsTest, NumbersPastTheIntRangeClampLikeAnyOther) {
    ReadFresh("1 99999999999999999999 -99999999999999999999 99999999999999999999");
    EXPECT_TRUE(userConfig.fullscreen);
    EXPECT_EQ(userConfig.sfxVolume, 100);
    EXPECT_EQ(userConfig.musicVolume, 0);
    EXPECT_EQ(userConfig.controlScheme, 3);
    ReadFresh("-99999999999999999999 -2147483649 2147483648 -2147483648");
    EXPECT_TRUE(userConfig.fullscreen);  // huge but not zero
    EXPECT_EQ(userConfig.sfxVolume, 0);
    EXPECT_EQ(userConfig.musicVolume, 100);
    EXPECT_EQ(userConfig.controlScheme, 0);
    // Leading zeros are not a huge number.
    ReadFresh("0 000000000000000000000000000042 +7 -0");
    EXPECT_EQ(userConfig.sfxVolume, 42);
    EXPECT_EQ(userConfig.musicVolume, 7);
    EXPECT_EQ(userConfig.controlScheme, 0);
}

TEST_F(SettingsTest, ANulByteEndsTheFile) {
    ReadFresh(std::string("0 50\0 30 1", 11));
    EXPECT_EQ(userConfig.sfxVolume, 50);
    EXPECT_EQ(userConfig.musicVolume, 100);
    EXPECT_EQ(Settings_ReadError(), 0);
    // A byte-order mark from a text editor is not part of the first number.
    ReadFresh(
        "\xEF\xBB\xBF"
        "0 20 30 1");
    EXPECT_EQ(userConfig.sfxVolume, 20);
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

TEST_F(SettingsTest, FailedSaveIsReportedAndTheOldFileStays) {
    Settings_Read();
    userConfig.sfxVolume = 10;
    SafeFile_FailNextCommitForTests(ENOSPC);
    EXPECT_EQ(Settings_Write(), ENOSPC);
    EXPECT_EQ(ReadText(ConfigPath()), "1 100 100 2 ");
    EXPECT_EQ(Settings_Write(), 0);
    EXPECT_EQ(ReadText(ConfigPath()), "1 10 100 2 ");
}

// A user.cfg that is there but cannot be read: the game runs on the defaults,
// remembers why, and never writes over it.
class UnreadableSettingsTest : public SettingsTest {
protected:
    void MakeSaveFolder() {
        SavePath probe = {{0}, false};
        ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));
        Settings_ResetForTests();
    }
    // So that a child without root's rights can reach user.cfg.
    void OpenSaveFolderToEveryone() const {
        for (const char* below : {"", "/data", "/data/Orrinth", "/data/Orrinth/Vexal"}) {
            OpenToEveryone(TempDir() + below);
        }
    }
    static bool AtDefaults() {
        return userConfig.fullscreen && userConfig.sfxVolume == 100 &&
               userConfig.musicVolume == 100 && userConfig.controlScheme == 2;
    }
    // Reads, then tries to save changed settings; the save must refuse.
    static void ReadAndTryToSave(int expectedError) {
        testing::internal::CaptureStderr();
        Settings_Read();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(AtDefaults());
        EXPECT_EQ(Settings_ReadError(), expectedError);
        // One line naming the file and the reason.
        EXPECT_NE(said.find("user.cfg"), std::string::npos) << said;
        EXPECT_NE(said.find(FileError_Text(expectedError)), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        userConfig.sfxVolume = 30;
        EXPECT_EQ(Settings_Write(), expectedError);
    }
};

TEST_F(UnreadableSettingsTest, FileWithoutReadPermission) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    MakeSaveFolder();
    WriteText(ConfigPath(), "0 50 50 0 and my notes");
    chmod(ConfigPath().c_str(), 0);
    OpenSaveFolderToEveryone();
    // The child reports by bits: 1 not at defaults, 2 wrong read error, 4 it wrote.
    const int result = RunUnprivileged([] {
        Settings_ResetForTests();
        Settings_Read();
        int bits = AtDefaults() ? 0 : 1;
        if (Settings_ReadError() != EACCES) bits |= 2;
        userConfig.sfxVolume = 30;
        if (Settings_Write() != EACCES) bits |= 4;
        return bits;
    });
    EXPECT_EQ(result, 0);
    chmod(ConfigPath().c_str(), 0600);
    EXPECT_EQ(ReadText(ConfigPath()), "0 50 50 0 and my notes");
}

TEST_F(UnreadableSettingsTest, FolderNamedUserCfg) {
    MakeSaveFolder();
    ASSERT_EQ(mkdir(ConfigPath().c_str(), 0755), 0);
    ReadAndTryToSave(EISDIR);
    struct stat info;
    ASSERT_EQ(stat(ConfigPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(UnreadableSettingsTest, FifoNeitherBlocksNorIsReplaced) {
    SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    MakeSaveFolder();
    ASSERT_EQ(mkfifo(ConfigPath().c_str(), 0644), 0);
    ReadAndTryToSave(FILE_ERROR_NOT_A_FILE);  // hangs here if the reader waits for a writer
    struct stat info;
    ASSERT_EQ(stat(ConfigPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(UnreadableSettingsTest, UnwritableFolderOnFirstStartStillRuns) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    MakeSaveFolder();
    OpenSaveFolderToEveryone();
    chmod(SaveFolder().c_str(), 0555);  // others may look, not create
    // Nothing to read, so nothing is refused: the defaults apply and a later
    // save says why it failed.
    const int result = RunUnprivileged([] {
        Settings_ResetForTests();
        Settings_Read();
        int bits = AtDefaults() ? 0 : 1;
        if (Settings_ReadError() != 0) bits |= 2;
        if (Settings_Write() != EACCES) bits |= 4;
        return bits;
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(FileExists(ConfigPath()));
    chmod(SaveFolder().c_str(), 0755);
}

TEST_F(SettingsTest, SchemeKeysFollowTheTable) {
    userConfig.controlScheme = 0;
    EXPECT_EQ(SchemeKey(ACTION_THRUST), TS_KEY_W);
    EXPECT_EQ(SchemeKey(ACTION_TURN_LEFT), TS_KEY_A);
    EXPECT_EQ(SchemeKey(ACTION_TURN_RIGHT), TS_KEY_D);
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
