// Saving never leaves a half-written file behind, never writes through a file
// planted by someone else, and keeps the player's links and file modes.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/safe_file.h"
#include "game/game.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

class SafeFileTest : public HeadlessTest {
protected:
    std::string MakeFolder(const std::string& name) {
        const std::string folder = TempDir() + "/" + name;
        mkdir(folder.c_str(), 0755);
        return folder;
    }
#ifndef _WIN32  // links, modes and fork are POSIX's
    static std::string LinkText(const std::string& path) {
        char text[512];
        const ssize_t length = readlink(path.c_str(), text, sizeof text - 1);
        return length < 0 ? std::string() : std::string(text, static_cast<size_t>(length));
    }
    static bool IsLink(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
    static unsigned ModeOf(const std::string& path) {
        struct stat info;
        return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u;
    }
#endif
};

// Names in `folder` that look like a temporary file of a save.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* list = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(list)) {
            const std::string name = entry->d_name;
            if (name.find(".tmp") != std::string::npos) names.push_back(name);
        }
        closedir(list);
    }
    return names;
}

#ifndef _WIN32
std::string TempName(const std::string& target, long pid, const std::string& hex) {
    return "." + target + "." + std::to_string(pid) + "-" + hex + ".vexal-tmp";
}

// The pid of a game that has ended.
pid_t DeadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// A game still running (its save not finished) for as long as this lives.
struct LiveGame {
    pid_t pid = fork();
    LiveGame() {
        if (pid == 0) {
            alarm(20);
            for (;;) pause();
        }
    }
    ~LiveGame() {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
};
#endif

TEST_F(SafeFileTest, FailedCommitKeepsTheOldFile) {
    const std::string path = TempDir() + "/scores.txt";
    WriteText(path, "old contents");
    SafeFile_FailNextCommitForTests(ENOSPC);
    EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), ENOSPC);
    EXPECT_EQ(ReadText(path), "old contents");
    EXPECT_TRUE(Leftovers(TempDir()).empty());
    EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), 0);
    EXPECT_EQ(ReadText(path), "new");
}

TEST_F(SafeFileTest, UnwritableFolderReportsTheError) {
    const std::string path = TempDir() + "/missing-folder/file.txt";
    EXPECT_EQ(WriteFileSafely(path.c_str(), "x", 1), ENOENT);
    EXPECT_FALSE(FileExists(path));
}

// Another user of a shared level folder plants links (soft and hard) where a
// save might put its temporary file; none of them may be written through.
TEST_F(SafeFileTest, PlantedLinksAreNeverWrittenThrough) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_DEVICE_FILES;
#else
    const std::string shared = MakeFolder("shared");
    const std::string victim = MakeFolder("home") + "/precious.vexl";
    const std::string created = TempDir() + "/home/planted-new-file";
    WriteText(victim, "precious");
    const std::string target = shared + "/level.vexl";
    WriteText(target, "old");
    const long pid = static_cast<long>(getpid());
    ASSERT_EQ(symlink(victim.c_str(), (target + ".tmp" + std::to_string(pid)).c_str()), 0);

    struct Plant {
        const char* what;
        int (*make)(const char* victim, const char* at);
        std::string victim;
    };
    const Plant plants[] = {{"symlink", symlink, victim},
                            {"hard link", link, victim},
                            {"dangling symlink", symlink, created}};
    for (const Plant& plant : plants) {
        SCOPED_TRACE(plant.what);
        const std::string planted = shared + "/" + TempName("level.vexl", pid, "00c0ffee");
        unlink(planted.c_str());
        ASSERT_EQ(plant.make(plant.victim.c_str(), planted.c_str()), 0);
        SafeFile_SetTempNameForTests("00c0ffee");
        const int result = WriteFileSafely(target.c_str(), "new", 3);
        EXPECT_EQ(ReadText(victim), "precious");
        EXPECT_FALSE(FileExists(created));
        EXPECT_TRUE(result == 0 ? ReadText(target) == "new" : ReadText(target) == "old");
        EXPECT_FALSE(IsLink(target));
        WriteText(target, "old");
    }
#endif
}

TEST_F(SafeFileTest, SavingKeepsTheModeAndNewFilesFollowTheUmask) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_PERMISSION_BITS;
#else
    const std::string path = TempDir() + "/score.vex";
    WriteText(path, "old");
    chmod(path.c_str(), 0600);
    EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), 0);
    EXPECT_EQ(ModeOf(path), 0600u);

    chmod(path.c_str(), 0640);
    SafeFile file;
    ASSERT_EQ(SafeFile_Open(&file, path.c_str()), 0);
    std::fputs("line\n", file.stream);
    EXPECT_EQ(SafeFile_Commit(&file), 0);
    EXPECT_EQ(ModeOf(path), 0640u);

    const mode_t previous = umask(027);
    EXPECT_EQ(WriteFileSafely((TempDir() + "/new.vexl").c_str(), "x", 1), 0);
    umask(previous);
    EXPECT_EQ(ModeOf(TempDir() + "/new.vexl"), 0640u);
#endif
}

// A save folder linked into a synced folder must stay linked.
TEST_F(SafeFileTest, SavingThroughALinkWritesItsTarget) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_DEVICE_FILES;
#else
    const std::string saves = MakeFolder("saves");
    const std::string synced = MakeFolder("synced");
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string> > links;  // link, text
        std::string real;
        bool exists;
    };
    const Case cases[] = {
        {"absolute", {{saves + "/score.vex", synced + "/score.vex"}}, synced + "/score.vex", true},
        {"relative", {{saves + "/user.cfg", "../synced/user.cfg"}}, synced + "/user.cfg", true},
        {"chain of two",
         {{saves + "/a.vexl", "b.vexl"}, {saves + "/b.vexl", "../synced/c.vexl"}},
         synced + "/c.vexl",
         true},
        {"dangling", {{saves + "/d.vexl", "../synced/d.vexl"}}, synced + "/d.vexl", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.exists) {
            WriteText(c.real, "old");
            chmod(c.real.c_str(), 0600);
        }
        for (const auto& l : c.links) ASSERT_EQ(symlink(l.second.c_str(), l.first.c_str()), 0);
        const std::string& path = c.links.front().first;
        EXPECT_EQ(WriteFileSafely(path.c_str(), "new", 3), 0);
        for (const auto& l : c.links) EXPECT_EQ(LinkText(l.first), l.second);
        EXPECT_EQ(ReadText(c.real), "new");
        if (c.exists) {
            EXPECT_EQ(ModeOf(c.real), 0600u);
        }
    }
    EXPECT_TRUE(Leftovers(saves).empty());
    EXPECT_TRUE(Leftovers(synced).empty());
#endif
}

TEST_F(SafeFileTest, CleanupRemovesOnlyLeftoversOfEndedGames) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_FORK;
#else
    const std::string folder = MakeFolder("saves");
    const std::string victim = TempDir() + "/victim";
    WriteText(victim, "precious");
    const long dead = DeadPid();
    LiveGame live;
    ASSERT_GT(live.pid, 0);

    const std::vector<std::string> removed = {TempName("score.vex", dead, "ab12"),
                                              TempName("level 1.vexl", dead, "ff"),
                                              TempName("user.cfg", dead, "01"),       // a link
                                              TempName("old.vexl", live.pid, "cd")};  // old
    const std::vector<std::string> kept = {
        TempName("score.vex", live.pid, "cd"),   // a save in progress
        TempName("theirs.vexl", dead, "ee"),     // another user's
        "score.vex.tmp" + std::to_string(dead),  // not our pattern...
        "." + std::string("score.vex.") + std::to_string(dead) + "-xyz.vexal-tmp",
        TempName("score.vex", dead, "ab") + "x",
        "score.vex." + std::to_string(dead) + "-ab.vexal-tmp",
        ".score.vex.-ab.vexal-tmp",
        "level.vexl"};
    for (const std::string& name : removed) WriteText(folder + "/" + name, "x");
    for (const std::string& name : kept) WriteText(folder + "/" + name, "x");
    const std::string link = folder + "/" + removed[2];
    unlink(link.c_str());
    ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
    const std::string old = folder + "/" + removed[3];
    const struct timespec twoHoursAgo[2] = {{time(nullptr) - 7200, 0}, {time(nullptr) - 7200, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, old.c_str(), twoHoursAgo, 0), 0);
    ASSERT_EQ(chown((folder + "/" + kept[1]).c_str(), 65534, 65534), 0);

    EXPECT_EQ(SafeFile_CleanLeftovers(folder.c_str()), 4);
    for (const std::string& name : removed) EXPECT_FALSE(FileExists(folder + "/" + name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(FileExists(folder + "/" + name)) << name;
    EXPECT_EQ(ReadText(victim), "precious");
#endif
}

TEST_F(SafeFileTest, NextSaveRemovesTheLeftoverOfTheSameFileOnly) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_FORK;
#else
    const std::string folder = MakeFolder("saves");
    const long dead = DeadPid();
    LiveGame live;
    const std::string mine = folder + "/" + TempName("score.vex", dead, "aa");
    const std::string running = folder + "/" + TempName("score.vex", live.pid, "bb");
    const std::string other = folder + "/" + TempName("user.cfg", dead, "cc");
    for (const std::string* path : {&mine, &running, &other}) WriteText(*path, "x");

    EXPECT_EQ(WriteFileSafely((folder + "/score.vex").c_str(), "new", 3), 0);
    EXPECT_FALSE(FileExists(mine));
    EXPECT_TRUE(FileExists(running));
    EXPECT_TRUE(FileExists(other));
#endif
}

TEST_F(SafeFileTest, StartupClearsTheSaveFoldersLeftovers) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_FORK;
#else
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, ""));
    const std::string leftover = SaveFolder() + TempName("score.vex", DeadPid(), "12");
    WriteText(leftover, "half a score table");
    WriteText(SaveFolder() + "notes.txt", "mine");
    Game_Start();
    Automation_RunFrames(1);
    EXPECT_FALSE(FileExists(leftover));
    EXPECT_TRUE(FileExists(SaveFolder() + "notes.txt"));
#endif
}

}  // namespace
