// The bounded line reader under every player file: line ends, byte-order
// marks, long lines, NUL bytes, and files that are not files at all.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/text_file.h"
#include "support/unprivileged.h"
#include "support/portable.h"

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vexal-textfile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { TestFolder_Remove(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Every line of the file, or the error that stopped the reading.
    int Lines(const std::string& path, std::vector<std::string>* lines, size_t bufferSize = 64,
              uint64_t limit = 1 << 20) {
        TextFile file;
        const int error = TextFile_Open(&file, path.c_str(), limit);
        if (error) return error;
        std::vector<char> buffer(bufferSize);
        size_t length = 0;
        bool cut = false;
        while (TextFile_ReadLine(&file, buffer.data(), buffer.size(), &length, &cut)) {
            lines->push_back(std::string(buffer.data(), length) + (cut ? "<cut>" : ""));
        }
        return TextFile_Close(&file);
    }
    std::string dir_;
};

TEST_F(TextFileTest, EveryKindOfLineEndEndsALine) {
    std::vector<std::string> lines;
    ASSERT_EQ(Lines(Write("ends", "unix\nwindows\r\nold mac\rlast"), &lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"unix", "windows", "old mac", "last"}));

    lines.clear();
    ASSERT_EQ(Lines(Write("blank", "a\r\r\nb\n\n"), &lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", ""}));
}

TEST_F(TextFileTest, ByteOrderMarkIsSkippedOnlyAtTheStart) {
    std::vector<std::string> lines;
    ASSERT_EQ(Lines(Write("bom", "\xEF\xBB\xBF/1\n\xEF\xBB\xBFx\n"), &lines), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"/1", "\xEF\xBB\xBFx"}));
}

TEST_F(TextFileTest, LongLinesAreCutAndNulBytesCount) {
    std::vector<std::string> lines;
    const std::string longLine(100, 'x');
    ASSERT_EQ(
        Lines(Write("long", longLine + "\nnext\n" + std::string("ab\0cd", 5) + "\n"), &lines, 16),
        0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(15, 'x') + "<cut>");
    EXPECT_EQ(lines[1], "next");
    EXPECT_EQ(lines[2], std::string("ab\0cd", 5));
}

TEST_F(TextFileTest, RefusesWhatIsNotAPlainTextFile) {
    std::vector<std::string> lines;
    EXPECT_EQ(Lines(dir_, &lines), EISDIR);
    EXPECT_EQ(Lines(dir_ + "/missing", &lines), ENOENT);
#ifndef _WIN32  // Windows has neither devices nor FIFOs among its files
    EXPECT_EQ(Lines("/dev/zero", &lines), FILE_ERROR_NOT_A_FILE);

    // A FIFO with no writer would block an ordinary open for ever.
    const std::string fifo = dir_ + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Lines(fifo, &lines), FILE_ERROR_NOT_A_FILE);
#endif

    EXPECT_EQ(Lines(Write("utf16le", std::string("\xFF\xFE/\0"
                                                 "1\0",
                                                 6)),
                    &lines),
              FILE_ERROR_UTF16);
    EXPECT_EQ(Lines(Write("utf16be", std::string("\0/\0"
                                                 "1",
                                                 4)),
                    &lines),
              FILE_ERROR_UTF16);
    EXPECT_TRUE(lines.empty());
}

TEST_F(TextFileTest, SizeLimitHoldsBeforeAndWhileReading) {
    // A sparse file of 4 GiB is refused from its size alone, at once.
    const std::string sparse = dir_ + "/sparse";
    const int fd = open(sparse.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
#ifdef _WIN32
    ASSERT_EQ(_chsize_s(fd, 4LL << 30), 0);
#else
    ASSERT_EQ(ftruncate(fd, 4LL << 30), 0);
#endif
    close(fd);
    std::vector<std::string> lines;
    EXPECT_EQ(Lines(sparse, &lines), FILE_ERROR_TOO_LARGE);

    EXPECT_EQ(Lines(Write("small", "12345\n6789\n"), &lines, 64, 11), 0);
    EXPECT_EQ(Lines(Write("big", "12345\n6789\n"), &lines, 64, 10), FILE_ERROR_TOO_LARGE);
    // Files that claim no size (as those of /proc do) are held to the limit
    // while they are read.
#ifndef _WIN32  // there is no /proc on Windows
    lines.clear();
    EXPECT_EQ(Lines("/proc/self/maps", &lines, 64, 10), FILE_ERROR_TOO_LARGE);
#endif
}

TEST_F(TextFileTest, ExistenceIsDecidedByTheFileSystem) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    const std::string locked = Write("locked", "1 100 100 2 ");
    chmod(locked.c_str(), 0);
    OpenToEveryone(dir_);
    // A file the player may not read still exists; opening it says why not.
    const int seen = RunUnprivileged([&] {
        TextFile file;
        const bool refused = TextFile_Open(&file, locked.c_str(), 100) == EACCES;
        return File_Exists(locked.c_str()) == 0 && refused ? 0 : 1;
    });
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(File_Exists(dir_.c_str()), 0);
    EXPECT_EQ(File_Exists((dir_ + "/none").c_str()), ENOENT);
    EXPECT_STREQ(FileError_Text(ENOSPC), "No space left on device");
    EXPECT_STRNE(FileError_Text(FILE_ERROR_UTF16), "");
}

}  // namespace
