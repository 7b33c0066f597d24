// The top-ten table: the default file, reading damaged files, ranking and saving.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/config.h"
#include "app/safe_file.h"
#include "play/score_table.h"
#include "support/headless.h"

namespace {

class ScoreTableTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ScoreTable_ResetForTests();
        SavePath folder = {{0}, false};
        ASSERT_TRUE(SavePath_Ensure(&folder, "score.vex"));
        path_ = folder.path;
    }
    void TearDown() override {
        ScoreTable_ResetForTests();
        HeadlessTest::TearDown();
    }
    static ScoreEntry Entry(const char* name, int score) {
        ScoreEntry entry = {};
        std::strncpy(entry.name, name, sizeof entry.name - 1);
        entry.score = score;
        return entry;
    }
    std::string path_;
};

TEST_F(ScoreTableTest, MissingFileIsCreatedWithTheDefaultTable) {
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File opened!\n");
    std::string expected = "Tansy      27095\n";
    for (int i = 0; i < 9; ++i) expected += "0              0\n";
    EXPECT_EQ(ReadText(path_), expected);
    EXPECT_STREQ(scoreTable[0].name, "Tansy");
    EXPECT_EQ(scoreTable[0].score, 27095);
    EXPECT_EQ(scoreTable[9].score, 0);
}

TEST_F(ScoreTableTest, DamagedFilesNeverOverrunAndKeepWhatTheyCan) {
    WriteText(path_,
              "Bob 100\n"
              "garbage line without a number\n"
              "AVeryLongPlayerNameIndeed 500\n" +
                  std::string(5000, 'x') + " 7\n" +
                  "Eve 99999999999999999999\n"
                  "\n"
                  "Ann 300\n");
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    EXPECT_STREQ(scoreTable[0].name, "AVeryLongP");  // cut to ten characters
    EXPECT_EQ(scoreTable[0].score, 500);
    EXPECT_STREQ(scoreTable[1].name, "Ann");
    EXPECT_STREQ(scoreTable[2].name, "Bob");
    EXPECT_EQ(std::strlen(scoreTable[3].name), 10u);  // the very long line's name
    EXPECT_EQ(scoreTable[3].score, 7);
    for (int i = 4; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_EQ(scoreTable[i].score, 0);
        EXPECT_STREQ(scoreTable[i].name, "");
    }
}

TEST_F(ScoreTableTest, MoreThanTenEntriesContributeTheFirstTenSorted) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "P" + std::to_string(i) + " " + std::to_string(i * 10) + "\n";
    WriteText(path_, text);
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(scoreTable[0].score, 100);
    EXPECT_EQ(scoreTable[9].score, 10);
}

TEST_F(ScoreTableTest, EqualToTheTenthQualifies) {
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ScoreTable_Qualifies(0));
    WriteText(path_, "A 50\nB 40\nC 40\nD 40\nE 40\nF 40\nG 40\nH 40\nI 40\nJ 30\n");
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ScoreTable_Qualifies(30));
    EXPECT_FALSE(ScoreTable_Qualifies(29));
}

TEST_F(ScoreTableTest, RecordingRanksWritesAndShowsTheTable) {
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    ScoreEntry entry = Entry("Zed", 30000);
    ScoreTable_Record(&entry);
    EXPECT_STREQ(scoreTable[0].name, "Zed");
    EXPECT_STREQ(scoreTable[1].name, "Tansy");
    const std::string file = ReadText(path_);
    EXPECT_EQ(file.substr(0, 34), "Zed        30000\nTansy      27095\n");
    EXPECT_EQ(std::string(scoreText), file);
}

TEST_F(ScoreTableTest, EmptyNameIsSavedAsPlayerAndBlanksCannotSplitTheFile) {
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    ScoreEntry nameless = Entry("", 100);
    ScoreTable_Record(&nameless);
    EXPECT_STREQ(scoreTable[1].name, "Player");
    ScoreEntry spaced = Entry("Jo Ann", 200);
    ScoreTable_Record(&spaced);
    EXPECT_STREQ(scoreTable[1].name, "Jo_Ann");
    // The file reads back as the same table.
    ScoreEntry before[SCORE_TABLE_SIZE];
    std::memcpy(before, scoreTable, sizeof before);
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_STREQ(scoreTable[i].name, before[i].name);
        EXPECT_EQ(scoreTable[i].score, before[i].score);
    }
}

TEST_F(ScoreTableTest, FailedWriteLeavesTheOldFileIntact) {
    testing::internal::CaptureStdout();
    ScoreTable_Load();
    testing::internal::GetCapturedStdout();
    const std::string before = ReadText(path_);
    SafeFile_FailNextCommitForTests(ENOSPC);
    ScoreEntry entry = Entry("Max", 40000);
    ScoreTable_Record(&entry);
    EXPECT_EQ(ReadText(path_), before);
    EXPECT_STREQ(scoreTable[0].name, "Max");  // the popup still shows the new table
}

}  // namespace
