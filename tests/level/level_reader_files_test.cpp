// Reading level files that are not plain, well-behaved text: other line ends,
// a byte-order mark, UTF-16, huge or endless files, FIFOs, unreadable files.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "app/text_file.h"
#include "level/level.h"
#include "level/level_line.h"
#include "level_files.h"
#include "support/unprivileged.h"
#include "support/portable.h"

namespace {

const char kThreeRecords[] = "/5\nA,1,2,0,10,10\nE,300,0,0,50,50\n";

class LevelOddFilesTest : public LevelFileTest {
protected:
    // Reads `path` and expects the level left empty, as after an unopenable file.
    int ReadPath(const std::string& path) {
        FreeLevel(&level);
        return ReadLevelFile(path.c_str(), &level, false);
    }
    void ExpectEmptyLevel() {
        EXPECT_EQ(level.flags, 0u);
        EXPECT_EQ(ObjectCount(), 0);
        EXPECT_EQ(TextCount(), 0);
        EXPECT_EQ(level.goal, nullptr);
        EXPECT_EQ(level.bounds.maxX, 32.5f);
    }
    void ExpectThreeRecords() {
        EXPECT_EQ(level.flags, 5u);
        EXPECT_EQ(ObjectCount(), 1);
        ASSERT_NE(level.goal, nullptr);
        EXPECT_EQ(level.goal->object->position.x, 300.0f);
    }
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(LevelOddFilesTest, AByteOrderMarkKeepsTheFlagsLine) {
    ASSERT_EQ(Read(std::string("\xEF\xBB\xBF") + kThreeRecords), 0);
    ExpectThreeRecords();
}

TEST_F(LevelOddFilesTest, EveryKindOfLineEndReadsTheSame) {
    ASSERT_EQ(Read("/5\rA,1,2,0,10,10\rE,300,0,0,50,50\r"), 0);
    ExpectThreeRecords();
    ASSERT_EQ(Read("/5\r\nA,1,2,0,10,10\r\nE,300,0,0,50,50\r\n"), 0);
    ExpectThreeRecords();
    // Mixed, and a text that ends with a lone '\r' keeps nothing of it.
    ASSERT_EQ(Read("/5\r\nA,1,2,0,10,10\rE,300,0,0,50,50\nT,0,0,0,1,1,hi\r\r\n"), 0);
    ExpectThreeRecords();
    ASSERT_EQ(TextCount(), 1);
    EXPECT_STREQ(level.texts[0]->text, "hi");
}

TEST_F(LevelOddFilesTest, Utf16FilesAreRefusedNotReadAsEmpty) {
    // "/5\n" in UTF-16, little- and big-endian, with and without the mark.
    const std::string files[] = {
        std::string("\xFF\xFE/\0"
                    "5\0\n\0",
                    8),
        std::string("\xFE\xFF\0/\0"
                    "5\0\n",
                    8),
        std::string("/\0"
                    "5\0\n\0",
                    6),
        std::string("\0/\0"
                    "5\0\n",
                    6),
    };
    for (const std::string& file : files) {
        EXPECT_EQ(Read(file), FILE_ERROR_UTF16);
        ExpectEmptyLevel();
    }
}

TEST_F(LevelOddFilesTest, AnOverlongLineIsCutAndItsTailNeverBecomesARecord) {
    // An object line of 10000 bytes whose tail, past the line buffer, looks
    // like an asteroid, then an ordinary text line.
    std::string line = "W,1,2,3,4,5";
    line += std::string(LEVEL_LINE_BUFFER + 100 - line.size(), ' ');
    line += "A,9,9,9,9,9" + std::string(5000, 'x');
    ASSERT_EQ(Read(line + "\nT,0,0,0,10,10,after\n"), 0);
    ASSERT_EQ(ObjectCount(), 1);
    EXPECT_EQ(level.objects[0]->kind, KIND_WALL);
    EXPECT_EQ(level.objects[0]->object->size.y, 5.0f);
    ASSERT_EQ(TextCount(), 1);
    EXPECT_STREQ(level.texts[0]->text, "after");
}

TEST_F(LevelOddFilesTest, AFileLargerThanAnyLevelIsRefusedAndAFullOneIsRead) {
    // Comments fill the file up to the limit exactly: still a level.
    std::string file = kThreeRecords;
    const std::string comment = "# " + std::string(97, '-') + "\n";
    while (file.size() + comment.size() <= LEVEL_FILE_MAX_BYTES) file += comment;
    file += std::string(LEVEL_FILE_MAX_BYTES - file.size() - 1, '#') + "\n";
    ASSERT_EQ(file.size(), static_cast<size_t>(LEVEL_FILE_MAX_BYTES));
    ASSERT_EQ(Read(file), 0);
    ExpectThreeRecords();

    EXPECT_EQ(Read(file + "\n"), FILE_ERROR_TOO_LARGE);
    ExpectEmptyLevel();
}

TEST_F(LevelOddFilesTest, SparseGigabyteFilesAndDevZeroAreRefusedAtOnce) {
    SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    const std::string sparse = folder.File("huge.vexl");
    WriteWholeFile(sparse, kThreeRecords);
    ASSERT_EQ(truncate(sparse.c_str(), 4LL << 30), 0);
    const std::string zero = folder.File("zero.vexl");
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadPath(sparse), FILE_ERROR_TOO_LARGE);
    ExpectEmptyLevel();
    EXPECT_EQ(ReadPath(zero), FILE_ERROR_NOT_A_FILE);
    ExpectEmptyLevel();
    EXPECT_LT(SecondsSince(start), 1.0);
}

TEST_F(LevelOddFilesTest, AFifoIsRefusedWithoutWaitingForAWriter) {
    SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    const std::string fifo = folder.File("pipe.vexl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadPath(fifo), FILE_ERROR_NOT_A_FILE);
    EXPECT_LT(SecondsSince(start), 1.0);
    ExpectEmptyLevel();
}

TEST_F(LevelOddFilesTest, AFileThePlayerMayNotReadGivesEACCES) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    OpenToEveryone(folder.Path());
    const std::string locked = folder.File("locked.vexl");
    WriteWholeFile(locked, kThreeRecords);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    const int result = RunUnprivileged([&locked] {
        Level read;
        const int error = ReadLevelFile(locked.c_str(), &read, false);
        const bool empty = read.goal == nullptr && read.flags == 0;
        FreeLevel(&read);
        return error == EACCES && empty ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
}

}  // namespace
