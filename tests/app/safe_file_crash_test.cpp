// Saving when the disk fills up or the game is killed mid-save: the file holds
// the old or the new contents in full, and no temporary file stays behind.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#ifndef _WIN32
#include <sys/mount.h>
#include <sys/wait.h>
#endif

#include <cstdio>
#include <random>
#include <string>

#include "app/safe_file.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

int CountLeftovers(const std::string& folder) {
    int count = 0;
    if (DIR* list = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(list)) {
            if (std::string(entry->d_name).find(".vexal-tmp") != std::string::npos) ++count;
        }
        closedir(list);
    }
    return count;
}

class SafeFileFullDiskTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        disk_ = TempDir() + "/small-disk";
        mkdir(disk_.c_str(), 0755);
#ifdef _WIN32
        GTEST_SKIP() << "not on Windows: there is no small tmpfs to fill";
#else
        mounted_ = mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k") == 0;
        if (!mounted_) GTEST_SKIP() << "cannot mount a small tmpfs here";
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        if (mounted_) umount2(disk_.c_str(), MNT_DETACH);
#endif
        HeadlessTest::TearDown();
    }
    std::string disk_;
    bool mounted_ = false;
};

TEST_F(SafeFileFullDiskTest, SaveTooLargeFailsAndKeepsTheOldFile) {
    const std::string path = disk_ + "/level.vexl";
    WriteText(path, "old level");
    const std::string large(200 * 1024, 'x');
    EXPECT_EQ(WriteFileSafely(path.c_str(), large.data(), large.size()), ENOSPC);
    EXPECT_EQ(ReadText(path), "old level");
    EXPECT_EQ(CountLeftovers(disk_), 0);

    // A writer that prints line by line hits the full disk while printing.
    SafeFile file;
    ASSERT_EQ(SafeFile_Open(&file, path.c_str()), 0);
    bool printed = true;
    for (int line = 0; line < 4000 && printed; ++line) {
        printed = std::fputs("B 100 200 300 400 a long enough line of a level\n", file.stream) >= 0;
    }
    EXPECT_NE(SafeFile_Commit(&file), 0);
    EXPECT_EQ(ReadText(path), "old level");
    EXPECT_EQ(CountLeftovers(disk_), 0);
}

class SafeFileCrashTest : public HeadlessTest {};

// A child saves two large versions in turn until it is killed at a random
// moment. After each kill the parent either saves or runs the start-up
// clean-up, and both must clear what the killed save left.
TEST_F(SafeFileCrashTest, KilledSaveLeavesOldOrNewAndNothingAfterTheNextSave) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_FORK;
#else
    const std::string folder = TempDir() + "/saves";
    mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/score.vex";
    const std::string first(384 * 1024, 'a');
    const std::string second(256 * 1024, 'b');
    ASSERT_EQ(WriteFileSafely(path.c_str(), first.data(), first.size()), 0);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMicroseconds(1000, 15000);
    for (int kill = 0; kill < 6; ++kill) {
        SCOPED_TRACE(kill);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(5);
            for (int round = 0;; ++round) {
                const std::string& text = round % 2 ? first : second;
                WriteFileSafely(path.c_str(), text.data(), text.size());
            }
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string found = ReadText(path);
        EXPECT_TRUE(found == first || found == second) << "size " << found.size();
        EXPECT_LE(CountLeftovers(folder), 1);
        if (kill % 2) {
            SafeFile_CleanLeftovers(folder.c_str());
        } else {
            EXPECT_EQ(WriteFileSafely(path.c_str(), first.data(), first.size()), 0);
        }
        EXPECT_EQ(CountLeftovers(folder), 0);
    }
#endif
}

}  // namespace
