// After the campaign's last level: "Victory!", or the name entry when the
// total reaches the top ten, then the saved table in "Top Scores" - or
// "Score Not Saved" and the table on disk when saving failed, and a note
// instead of the name entry when score.vex cannot be read.
#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "app/safe_file.h"
#include "play_fixture.h"
#include "support/unprivileged.h"
#include "support/portable.h"

namespace {

class VictoryTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        // The last level scores exactly 250.
        UseCampaignLevels(FlatScoreLevel());
    }

    std::string ScoreFile() const { return SaveFolder() + "score.vex"; }

    // A table whose tenth score is `tenth` (the others well above it).
    void WriteTable(int tenth) {
        SavePath probe = {{0}, false};
        ASSERT_TRUE(SavePath_Ensure(&probe, "score.vex"));
        std::string text;
        for (int i = 0; i < 9; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "%-10s %5d\n", ("Ace" + std::to_string(i)).c_str(),
                          9000 - i);
            text += line;
        }
        char last[32];
        std::snprintf(last, sizeof last, "%-10s %5d\n", "Tenth", tenth);
        WriteText(ScoreFile(), text + last);
    }

    void FinishLastLevel() {
        StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
        FinishHopLevel();
    }

    // Types a key as a keyboard does, with its text; letters come out lower
    // case unless Shift is held.
    void Type(int key) {
        const bool lower =
            key >= TS_KEY_A && key <= TS_KEY_Z && !TS_Input_KeyDown(TS_KEY_LEFT_SHIFT);
        const char text[2] = {static_cast<char>(lower ? key + 32 : key), '\0'};
        Automation_KeyDown(key);
        Automation_TypeText(text);
        Automation_RunFrames(1);
        Automation_KeyUp(key);
        Automation_RunFrames(1);
    }
    void Erase(int times) {
        for (int i = 0; i < times; ++i) TapKey(TS_KEY_BACKSPACE);
    }
    // Types `name` (lower case letters) in place of "Player" and saves it;
    // the save happens on the next frame.
    void SaveName(const char* name) {
        ASSERT_TRUE(Open(victoryEntryPopup));
        Erase(6);
        for (const char* c = name; *c; ++c) Type(TS_KEY_A + (*c - 'a'));
        Press(victoryEntryPopup, 0);
        Automation_RunFrames(1);
    }
    static bool Says(const Popup* popup, const char* words) {
        return popup && std::strstr(popup->message, words) != nullptr;
    }
    static bool MessageEndsWithName(const char* name) {
        const std::string message = victoryEntryPopup->message;
        const std::string tail = std::string("\n\n") + name + "\n";
        return message.size() >= tail.size() &&
               message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
    }
};

TEST_F(VictoryTest, BelowTheTenthScoreShowsVictoryAndItsButtons) {
    WriteTable(251);
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryPopup));
    EXPECT_FALSE(Open(victoryEntryPopup));
    EXPECT_FALSE(Open(levelWinPopup));
    EXPECT_NE(std::strstr(victoryPopup->message, "Level Score : 250\nTotal score : 250"), nullptr);
    EXPECT_STREQ(victoryPopup->buttons[0]->label, "Exit");

    Press(victoryPopup, 1);  // "Play Again": the last level once more, scored afresh
    EXPECT_EQ(Campaign_List()->current, CAMPAIGN_LEVEL_COUNT - 1);
    EXPECT_EQ(world.totalScore, 0);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryPopup));
    EXPECT_EQ(world.totalScore, 250);
    PressAndRunOneFrame(victoryPopup, 0);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
    EXPECT_EQ(ReadText(ScoreFile()).find("Player"), std::string::npos);
}

TEST_F(VictoryTest, APadSpellsTheNameArcadeStyleAndSavesItWithA) {
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    ASSERT_TRUE(Automation_AttachVirtualPad());
    Automation_RunFrames(1);
    const auto tapPad = [](int button) {
        Automation_SetPadButton(button, true);
        Automation_RunFrames(1);
        Automation_SetPadButton(button, false);
        Automation_RunFrames(1);
    };
    tapPad(TS_PAD_Y);  // "Playe"
    tapPad(TS_PAD_X);  // "PlayeA"
    tapPad(TS_PAD_DOWN);
    tapPad(TS_PAD_DOWN);
    EXPECT_STREQ(Results_EnteredName(), "PlayeC");
    for (int i = 0; i < 3; ++i) tapPad(TS_PAD_UP);  // past "A" round to the end
    EXPECT_STREQ(Results_EnteredName(), "Playe_");
    EXPECT_TRUE(MessageEndsWithName("Playe_"));
    EXPECT_NE(std::strstr(victoryEntryPopup->message, "Up/Down letter, X add, Y remove"), nullptr);
    for (int i = 0; i < 5; ++i) tapPad(TS_PAD_X);
    EXPECT_STREQ(Results_EnteredName(), "Playe_AAAA");  // ten at most
    EXPECT_TRUE(Open(victoryEntryPopup));

    tapPad(TS_PAD_RIGHT);  // shows the selection on "Save Score"
    tapPad(TS_PAD_A);
    ASSERT_TRUE(RunUntil([] { return Open(topScoresPopup); }, 5));
    EXPECT_NE(ReadText(ScoreFile()).find("Playe_AAAA"), std::string::npos);
}

TEST_F(VictoryTest, ATotalEqualToTheTenthScoreIsOfferedTheNameEntry) {
    WriteTable(250);
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    EXPECT_FALSE(Open(victoryPopup));
    EXPECT_STREQ(victoryEntryPopup->buttons[0]->label, "Save Score");
    EXPECT_STREQ(Results_EnteredName(), "Player");
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Total Time Taken : %.2fs\nTime to Beat: 0.00s\n\nLevel Score : 250\n"
                  "Total score : 250\nYou are in the top 10 scores!\n"
                  "Enter your name (up to 10 characters):\n\nPlayer\n",
                  static_cast<double>(world.levelTime));
    EXPECT_STREQ(victoryEntryPopup->message, expected);
}

TEST_F(VictoryTest, NameEntryKeepsTenCharactersAndBackspaceStopsAtEmpty) {
    FinishLastLevel();  // no score file: the default one has nine zero lines
    ASSERT_TRUE(Open(victoryEntryPopup));
    EXPECT_TRUE(FileExists(ScoreFile()));

    Type(TS_KEY_C);  // "c" is appended to the name
    EXPECT_STREQ(Results_EnteredName(), "Playerc");
    EXPECT_TRUE(MessageEndsWithName("Playerc"));
    Erase(9);  // more than there is
    EXPECT_STREQ(Results_EnteredName(), "");
    EXPECT_TRUE(Open(victoryEntryPopup));

    for (int i = 0; i < 11; ++i) Type(TS_KEY_A + i);
    EXPECT_STREQ(Results_EnteredName(), "abcdefghij");
    EXPECT_TRUE(MessageEndsWithName("abcdefghij"));
    Erase(1);
    Automation_KeyDown(TS_KEY_LEFT_SHIFT);
    Automation_RunFrames(1);
    Type(TS_KEY_Z);
    Automation_KeyUp(TS_KEY_LEFT_SHIFT);
    EXPECT_STREQ(Results_EnteredName(), "abcdefghiZ");
}

TEST_F(VictoryTest, KeysThatTypeNeverPressTheEntryButtons) {
    // With the arrows the keyboard selection reaches "Play Again"; a blank
    // typed then (Space also presses buttons) must only go into the name.
    userConfig.controlScheme = 0;  // W thrusts, A and D turn
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    Erase(6);
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_RIGHT);  // "Play Again" selected
    ASSERT_EQ(victoryEntryPopup->buttonList->selected, 1);
    Type(TS_KEY_D);
    Type(TS_KEY_SPACE);
    Type(TS_KEY_W);
    Type(TS_KEY_A);
    EXPECT_TRUE(Open(victoryEntryPopup));
    EXPECT_STREQ(Results_EnteredName(), "d wa");
    EXPECT_EQ(world.totalScore, 250);

    TapKey(TS_KEY_LEFT);  // back to "Save Score"; Enter presses it
    TapKey(TS_KEY_ENTER);
    ASSERT_TRUE(Open(topScoresPopup));
    // Second in the table, one word in the file: the blank became "_".
    EXPECT_EQ(std::string(scoreText).substr(17, 17), "d_wa         250\n");
}

TEST_F(VictoryTest, SaveScoreWritesTheTableAndTopScoresShowsIt) {
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    Erase(6);
    Type(TS_KEY_K);
    Type(TS_KEY_I);
    Type(TS_KEY_M);
    Press(victoryEntryPopup, 0);  // "Save Score"; recorded on the next frame
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    EXPECT_FALSE(Open(victoryEntryPopup));
    EXPECT_EQ(world.totalScore, 250);  // the level is not scored a second time

    const std::string table =
        "Tansy      27095\n"
        "kim          250\n"
        "0              0\n"
        "0              0\n"
        "0              0\n"
        "0              0\n"
        "0              0\n"
        "0              0\n"
        "0              0\n"
        "0              0\n";
    EXPECT_EQ(ReadText(ScoreFile()), table);
    EXPECT_STREQ(topScoresPopup->message, table.c_str());
    EXPECT_STREQ(topScoresPopup->title, "Top Scores");
    EXPECT_EQ(topScoresPopup->buttons[0]->size.x, 300.0f);

    PressAndRunOneFrame(topScoresPopup, 0);  // "Return to Main Menu"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
}

TEST_F(VictoryTest, ANewCampaignAsksForTheNameAgain) {
    FinishLastLevel();
    SaveName("kim");
    ASSERT_TRUE(Open(topScoresPopup));
    PressAndRunOneFrame(topScoresPopup, 0);  // "Return to Main Menu"
    LeaveScreen();

    // 250 still makes the top ten: the name is asked for, not saved unasked.
    const std::string table = ReadText(ScoreFile());
    FinishLastLevel();
    EXPECT_TRUE(Open(victoryEntryPopup));
    EXPECT_FALSE(Open(topScoresPopup));
    EXPECT_EQ(ReadText(ScoreFile()), table);
}

TEST_F(VictoryTest, AnEmptyNameIsSavedAsPlayer) {
    WriteTable(100);
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    Erase(6);
    Press(victoryEntryPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    EXPECT_STREQ(scoreTable[9].name, "Player");
    EXPECT_EQ(scoreTable[9].score, 250);
    EXPECT_NE(ReadText(ScoreFile()).find("Player       250\n"), std::string::npos);
    EXPECT_EQ(ReadText(ScoreFile()).find("Tenth"), std::string::npos);  // dropped out
}

TEST_F(VictoryTest, PlayAgainFromTheNameEntryReplaysTheLastLevelWithoutSaving) {
    FinishLastLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    const std::string before = ReadText(ScoreFile());
    Press(victoryEntryPopup, 1);
    EXPECT_FALSE(Open(victoryEntryPopup));
    EXPECT_EQ(world.totalScore, 0);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(ReadText(ScoreFile()), before);
    FinishHopLevel();
    EXPECT_TRUE(Open(victoryEntryPopup));
    EXPECT_EQ(world.totalScore, 250);
}

TEST_F(VictoryTest, TyingTheTenthScoreIsSavedAndShown) {
    WriteTable(250);
    FinishLastLevel();
    SaveName("tie");
    ASSERT_TRUE(Open(topScoresPopup));
    const std::string file = ReadText(ScoreFile());
    EXPECT_EQ(file.substr(file.size() - 17), "tie          250\n");
    EXPECT_EQ(file.find("Tenth"), std::string::npos);
    EXPECT_STREQ(topScoresPopup->message, file.c_str());
}

TEST_F(VictoryTest, AFullDiskIsToldAndTryAgainSaves) {
    FinishLastLevel();
    const std::string before = ReadText(ScoreFile());
    SafeFile_FailNextCommitForTests(ENOSPC);
    SaveName("kim");
    ASSERT_TRUE(Open(scoreNotSavedPopup));
    EXPECT_FALSE(Open(topScoresPopup));
    EXPECT_STREQ(scoreNotSavedPopup->title, "Score Not Saved");
    EXPECT_TRUE(Says(scoreNotSavedPopup, "No space left on device"));
    EXPECT_STREQ(scoreNotSavedPopup->buttons[0]->label, "Try Again");
    EXPECT_STREQ(scoreNotSavedPopup->buttons[1]->label, "Return to Main Menu");
    // Nothing was written, and what is shown is the table on disk.
    EXPECT_EQ(ReadText(ScoreFile()), before);
    EXPECT_EQ(std::string(scoreText), before);
    EXPECT_TRUE(Says(scoreNotSavedPopup, before.c_str()));
    EXPECT_FALSE(Says(scoreNotSavedPopup, "kim"));
    EXPECT_STREQ(scoreTable[1].name, "0");

    Press(scoreNotSavedPopup, 0);  // "Try Again": read and recorded on the next frame
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    EXPECT_FALSE(Open(scoreNotSavedPopup));
    EXPECT_EQ(world.totalScore, 250);
    EXPECT_NE(ReadText(ScoreFile()).find("Tansy      27095\nkim          250\n"),
              std::string::npos);
    EXPECT_STREQ(topScoresPopup->message, ReadText(ScoreFile()).c_str());
}

TEST_F(VictoryTest, AFailedSaveCanBeLeftForTheMainMenu) {
    FinishLastLevel();
    SafeFile_FailNextCommitForTests(ENOSPC);
    SaveName("kim");
    PressAndRunOneFrame(scoreNotSavedPopup, 1);
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
    EXPECT_EQ(ReadText(ScoreFile()).find("kim"), std::string::npos);
}

TEST_F(VictoryTest, AScoreFileThatTurnsUnreadableBeforeTheSaveCanBeMendedAndTriedAgain) {
    FinishLastLevel();
    ASSERT_EQ(unlink(ScoreFile().c_str()), 0);
    ASSERT_EQ(mkdir(ScoreFile().c_str(), 0755), 0);
    SaveName("kim");
    ASSERT_TRUE(Open(scoreNotSavedPopup));
    EXPECT_TRUE(Says(scoreNotSavedPopup, "Is a directory"));
    EXPECT_TRUE(Says(scoreNotSavedPopup, "cannot be saved"));

    ASSERT_EQ(rmdir(ScoreFile().c_str()), 0);  // the player puts it right
    Press(scoreNotSavedPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    EXPECT_NE(ReadText(ScoreFile()).find("kim          250\n"), std::string::npos);
}

// A score.vex that exists but cannot be read: "Victory!" says so, no name is
// asked for, and the file is left exactly as it was.
enum Unreadable { FOLDER, FIFO, DEVICE_LINK, SPARSE_4GIB };

struct UnreadableCase {
    const char* name;
    Unreadable kind;
    const char* reason;
};

void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.name; }

class UnreadableScoresVictoryTest : public VictoryTest,
                                    public testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableScoresVictoryTest, VictorySaysSoAndTheFileIsLeftAlone) {
    if (GetParam().kind == FIFO || GetParam().kind == DEVICE_LINK) {
        SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    }
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "score.vex"));
    const std::string path = ScoreFile();
    switch (GetParam().kind) {
        case FOLDER: ASSERT_EQ(mkdir(path.c_str(), 0755), 0); break;
        case FIFO: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
        case DEVICE_LINK: ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); break;
        case SPARSE_4GIB: {
            const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(ftruncate(fd, 4LL << 30), 0);
            close(fd);
            break;
        }
    }
    struct stat before = {};
    ASSERT_EQ(lstat(path.c_str(), &before), 0);

    testing::internal::CaptureStderr();
    FinishLastLevel();
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(Open(victoryPopup));
    EXPECT_FALSE(Open(victoryEntryPopup));
    EXPECT_TRUE(Says(victoryPopup, "Total score : 250"));
    EXPECT_TRUE(Says(victoryPopup, "Your score file could not be read"));
    EXPECT_TRUE(Says(victoryPopup, GetParam().reason)) << victoryPopup->message;
    EXPECT_TRUE(Says(victoryPopup, "This score cannot be saved."));

    PressAndRunOneFrame(victoryPopup, 0);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
    struct stat after = {};
    ASSERT_EQ(lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
}

const UnreadableCase kUnreadable[] = {
    {"Folder", FOLDER, "Is a directory"},
    {"Fifo", FIFO, "Not a regular file"},
    {"LinkToDevZero", DEVICE_LINK, "Not a regular file"},
    {"Sparse4GiB", SPARSE_4GIB, "too large"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableScoresVictoryTest, testing::ValuesIn(kUnreadable),
                         [](const testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(VictoryTest, AScoreFileThePlayerMayNotReadIsToldAndKept) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    WriteTable(100);
    const std::string before = ReadText(ScoreFile());
    chmod(ScoreFile().c_str(), 0);
    // Everyone may write the save folder: only the game's care keeps the file.
    for (std::string dir = SaveFolder().substr(0, SaveFolder().size() - 1);
         dir.size() >= TempDir().size(); dir = dir.substr(0, dir.rfind('/'))) {
        OpenToEveryone(dir);
    }
    chmod(SaveFolder().c_str(), 0777);
    // The player, not root, finishes the campaign.
    const int result = RunUnprivileged([this] {
        FinishLastLevel();
        if (!Open(victoryPopup) || Open(victoryEntryPopup)) return 1;
        return Says(victoryPopup, "could not be read:\nPermission denied.") ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    chmod(ScoreFile().c_str(), 0644);
    EXPECT_EQ(ReadText(ScoreFile()), before);
}

}  // namespace
