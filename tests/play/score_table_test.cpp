// The top-ten table: the default file, reading damaged and unreadable files,
// ranking, ties and saving.
#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"
#include "play/score_table.h"
#include "support/headless.h"
#include "support/unprivileged.h"
#include "support/portable.h"

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
    // Loads quietly; returns what went to standard error.
    static std::string Load() {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        ScoreTable_Load();
        testing::internal::GetCapturedStdout();
        return testing::internal::GetCapturedStderr();
    }
    static bool IsDefaultTable() {
        if (std::strcmp(scoreTable[0].name, "Tansy") != 0 || scoreTable[0].score != 27095) {
            return false;
        }
        for (int i = 1; i < SCORE_TABLE_SIZE; ++i) {
            if (std::strcmp(scoreTable[i].name, "0") != 0 || scoreTable[i].score != 0) return false;
        }
        return true;
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
    EXPECT_TRUE(IsDefaultTable());
    EXPECT_EQ(ScoreTable_ReadError(), 0);
}

TEST_F(ScoreTableTest, LinesAreEntriesOnlyWhenTheyHoldANameAndAnInt) {
    ScoreEntry e = {};
    EXPECT_TRUE(ScoreTable_ParseLine("  \tBob   -42xyz", &e));
    EXPECT_STREQ(e.name, "Bob");
    EXPECT_EQ(e.score, -42);
    EXPECT_TRUE(ScoreTable_ParseLine("AVeryLongPlayerName +7", &e));
    EXPECT_STREQ(e.name, "AVeryLongP");
    EXPECT_EQ(e.score, 7);
    EXPECT_TRUE(ScoreTable_ParseLine("Max 2147483647", &e));
    EXPECT_EQ(e.score, INT_MAX);
    EXPECT_TRUE(ScoreTable_ParseLine("Min -2147483648", &e));
    EXPECT_EQ(e.score, INT_MIN);

    const char* const notEntries[] = {
        "",
        "   ",
        "Bob",
        "Bob x12",
        "Bob -",
        "Bob 2147483648",
        "Bob -2147483649",
        "Eve 99999999999999999999",
        "\xEF\xBB\xBF"
        "Bob 5",  // would read back as "Bob" at the top of the file
        "\xFF\xFE"
        "x 5",  // would make the whole file look like UTF-16
    };
    for (const char* line : notEntries) {
        ScoreEntry untouched = Entry("keep", 1);
        EXPECT_FALSE(ScoreTable_ParseLine(line, &untouched)) << line;
        EXPECT_STREQ(untouched.name, "keep");
    }
}

TEST_F(ScoreTableTest, DamagedFilesKeepWhatTheyCan) {
    WriteText(path_,
              "\xEF\xBB\xBF"
              "Bob 100\r"
              "garbage line without a number\r\n"
              "AVeryLongPlayerNameIndeed 500\n" +
                  std::string(253, 'y') + " 8\n" +  // 255 bytes: an entry
                  std::string(254, 'w') + " 6\n" +  // 256 bytes: cut, no entry
                  std::string(5000, 'z') + " 9\n" + std::string("Nul 1\0 2\n", 9) +
                  "\n"
                  "Ann 300");
    Load();
    EXPECT_EQ(ScoreTable_ReadError(), 0);
    EXPECT_STREQ(scoreTable[0].name, "AVeryLongP");
    EXPECT_EQ(scoreTable[0].score, 500);
    EXPECT_STREQ(scoreTable[1].name, "Ann");
    EXPECT_STREQ(scoreTable[2].name, "Bob");  // the byte-order mark is not part of it
    EXPECT_STREQ(scoreTable[3].name, "yyyyyyyyyy");
    EXPECT_EQ(scoreTable[3].score, 8);
    EXPECT_STREQ(scoreTable[4].name, "Nul");  // the line ends at its NUL
    EXPECT_EQ(scoreTable[4].score, 1);
    for (int i = 5; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_EQ(scoreTable[i].score, 0);
        EXPECT_STREQ(scoreTable[i].name, "");
    }
}

TEST_F(ScoreTableTest, MoreThanTenEntriesContributeTheFirstTenSorted) {
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "P" + std::to_string(i) + " " + std::to_string(i * 10) + "\n";
    WriteText(path_, text);
    Load();
    EXPECT_EQ(scoreTable[0].score, 100);
    EXPECT_EQ(scoreTable[9].score, 10);
}

TEST_F(ScoreTableTest, EqualToTheTenthQualifies) {
    Load();
    EXPECT_TRUE(ScoreTable_Qualifies(0));
    WriteText(path_, "A 50\nB 40\nC 40\nD 40\nE 40\nF 40\nG 40\nH 40\nI 40\nJ 30\n");
    Load();
    EXPECT_TRUE(ScoreTable_Qualifies(30));
    EXPECT_FALSE(ScoreTable_Qualifies(29));
}

TEST_F(ScoreTableTest, RecordingRanksWritesAndShowsTheTable) {
    Load();
    ScoreEntry entry = Entry("Zed", 30000);
    EXPECT_EQ(ScoreTable_Record(&entry), 0);
    EXPECT_STREQ(scoreTable[0].name, "Zed");
    EXPECT_STREQ(scoreTable[1].name, "Tansy");
    const std::string file = ReadText(path_);
    EXPECT_EQ(file.substr(0, 34), "Zed        30000\nTansy      27095\n");
    EXPECT_EQ(std::string(scoreText), file);
}

TEST_F(ScoreTableTest, ANewScoreGoesAheadOfEqualScores) {
    WriteText(path_, "A 50\nB 40\nC 40\nD 40\nE 40\nF 40\nG 40\nH 40\nI 40\nJ 30\n");
    Load();
    ScoreEntry tie = Entry("New", 40);
    EXPECT_EQ(ScoreTable_Record(&tie), 0);
    EXPECT_STREQ(scoreTable[1].name, "New");
    EXPECT_STREQ(scoreTable[9].name, "I");  // J dropped out
    // Tying the tenth place still earns it.
    ScoreEntry tenth = Entry("Last", 40);
    EXPECT_EQ(ScoreTable_Record(&tenth), 0);
    EXPECT_STREQ(scoreTable[1].name, "Last");
    EXPECT_NE(ReadText(path_).find("Last          40\n"), std::string::npos);
    EXPECT_EQ(ReadText(path_).find("I  "), std::string::npos);
}

TEST_F(ScoreTableTest, NamesAreCleanedSoTheFileReadsBackTheSame) {
    Load();
    ScoreEntry nameless = Entry("", 100);
    ScoreTable_Record(&nameless);
    EXPECT_STREQ(scoreTable[1].name, "Player");
    ScoreEntry spaced = Entry("Jo Ann", 200);
    ScoreTable_Record(&spaced);
    EXPECT_STREQ(scoreTable[1].name, "Jo_Ann");
    ScoreEntry marked = Entry("\xFF\xFEtop", 30000);  // first in the file
    ScoreTable_Record(&marked);
    EXPECT_STREQ(scoreTable[0].name, "_\xFEtop");
    ScoreEntry before[SCORE_TABLE_SIZE];
    std::memcpy(before, scoreTable, sizeof before);
    Load();
    EXPECT_EQ(ScoreTable_ReadError(), 0);
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        EXPECT_STREQ(scoreTable[i].name, before[i].name);
        EXPECT_EQ(scoreTable[i].score, before[i].score);
    }
}

TEST_F(ScoreTableTest, FailedSaveReturnsTheErrorAndKeepsTheTableOnDisk) {
    SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    Load();
    const std::string before = ReadText(path_);
    SafeFile_FailNextCommitForTests(ENOSPC);
    ScoreEntry entry = Entry("Max", 40000);
    EXPECT_EQ(ScoreTable_Record(&entry), ENOSPC);
    EXPECT_EQ(ReadText(path_), before);
    EXPECT_TRUE(IsDefaultTable());
    EXPECT_EQ(std::string(scoreText), before);
    // The next try succeeds.
    EXPECT_EQ(ScoreTable_Record(&entry), 0);
    EXPECT_STREQ(scoreTable[0].name, "Max");
}

// What an unreadable score.vex can be. Each must be refused in bounded time
// and memory, and left exactly as it was.
enum Unreadable { FOLDER, FIFO, DEVICE_LINK, SPARSE_4GIB, OVER_64KIB, UTF16 };

struct UnreadableCase {
    const char* name;
    Unreadable kind;
};

class UnreadableScoreFileTest : public ScoreTableTest,
                                public testing::WithParamInterface<UnreadableCase> {
protected:
    void SetUp() override {
        ScoreTableTest::SetUp();
        if (GetParam().kind == FIFO || GetParam().kind == DEVICE_LINK) {
            SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
        }
    }
    void Make() {
        switch (GetParam().kind) {
            case FOLDER: ASSERT_EQ(mkdir(path_.c_str(), 0755), 0); break;
            case FIFO: ASSERT_EQ(mkfifo(path_.c_str(), 0644), 0); break;
            case DEVICE_LINK: ASSERT_EQ(symlink("/dev/zero", path_.c_str()), 0); break;
            case SPARSE_4GIB: {
                const int fd = open(path_.c_str(), O_CREAT | O_WRONLY, 0644);
                ASSERT_GE(fd, 0);
                ASSERT_EQ(ftruncate(fd, 4LL << 30), 0);
                close(fd);
                break;
            }
            case OVER_64KIB: {
                std::string text;
                while (text.size() <= SCORE_FILE_MAX) text += "Someone      100\n";
                WriteText(path_, text);
                break;
            }
            case UTF16:
                WriteText(path_, std::string("\xFF\xFEZ\0e\0d\0 \0"
                                             "5\0",
                                             12));
                break;
        }
        lstat(path_.c_str(), &before_);
        if (S_ISREG(before_.st_mode) && before_.st_size < (1 << 20)) content_ = ReadText(path_);
    }
    void ExpectUntouched() {
        struct stat after = {};
        ASSERT_EQ(lstat(path_.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before_.st_ino);
        EXPECT_EQ(after.st_mode, before_.st_mode);
        EXPECT_EQ(after.st_size, before_.st_size);
        if (!content_.empty()) {
            EXPECT_EQ(ReadText(path_), content_);
        }
    }
    struct stat before_ = {};
    std::string content_;
};

long PeakKilobytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

TEST_P(UnreadableScoreFileTest, IsLeftAloneAndTheDefaultTableIsUsed) {
    Make();
    const long peakBefore = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    const std::string said = Load();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LT(PeakKilobytes() - peakBefore, 16 * 1024);

    EXPECT_NE(ScoreTable_ReadError(), 0);
    EXPECT_TRUE(IsDefaultTable());
    // One line naming the file and the reason, and only once.
    EXPECT_NE(said.find(path_), std::string::npos) << said;
    EXPECT_NE(said.find(FileError_Text(ScoreTable_ReadError())), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_EQ(Load(), "");

    ScoreEntry entry = Entry("Max", 40000);
    EXPECT_EQ(ScoreTable_Record(&entry), ScoreTable_ReadError());
    EXPECT_TRUE(IsDefaultTable());
    ExpectUntouched();
}

const UnreadableCase kUnreadable[] = {
    {"Folder", FOLDER},
    {"Fifo", FIFO},
    {"LinkToDevZero", DEVICE_LINK},
    {"Sparse4GiB", SPARSE_4GIB},
    {"Over64KiB", OVER_64KIB},
    {"Utf16", UTF16},
};
INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableScoreFileTest, testing::ValuesIn(kUnreadable),
                         [](const testing::TestParamInfo<UnreadableCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ScoreTableTest, AFileThePlayerMayNotReadIsNeverReplaced) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    WriteText(path_, "Mine       12345\n");
    chmod(path_.c_str(), 0);
    // Everyone may write the folder, so only the game's care keeps the file.
    const std::string folder = path_.substr(0, path_.rfind('/'));
    for (std::string dir = folder; dir.size() > TempDir().size();
         dir = dir.substr(0, dir.rfind('/'))) {
        OpenToEveryone(dir);
    }
    OpenToEveryone(TempDir());
    chmod(folder.c_str(), 0777);
    const int result = RunUnprivileged([] {
        testing::internal::CaptureStdout();
        ScoreTable_Load();
        testing::internal::GetCapturedStdout();
        if (ScoreTable_ReadError() != EACCES || !IsDefaultTable()) return 1;
        ScoreEntry entry = Entry("Max", 40000);
        return ScoreTable_Record(&entry) == EACCES ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    chmod(path_.c_str(), 0644);
    EXPECT_EQ(ReadText(path_), "Mine       12345\n");
}

}  // namespace
