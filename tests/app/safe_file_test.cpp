// Saving never leaves a half-written file behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "app/safe_file.h"
#include "support/headless.h"

namespace {

class SafeFileTest : public HeadlessTest {};

TEST_F(SafeFileTest, FailedCommitKeepsTheOldFile) {
    const std::string path = TempDir() + "/scores.txt";
    WriteText(path, "old contents");
    SafeFile_FailNextCommitForTests(ENOSPC);
    EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), ENOSPC);
    EXPECT_EQ(ReadText(path), "old contents");
    EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), 0);
    EXPECT_EQ(ReadText(path), "new");
}

TEST_F(SafeFileTest, UnwritableFolderReportsTheError) {
    const std::string path = TempDir() + "/missing-folder/file.txt";
    EXPECT_EQ(WriteFileSafely(path.c_str(), "x", 1), ENOENT);
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
