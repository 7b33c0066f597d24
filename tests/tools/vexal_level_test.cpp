// The vexal-level tool run as authors run it: JSON from info, files from
// roundtrip, reports from lint, and their exit statuses.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <chrono>
#include <cstdio>
#include <string>

#include "level/level.h"
#include "level/level_files.h"
#include "support/unprivileged.h"
#include "support/portable.h"

namespace {

struct ToolRun {
    int status;       // exit status, -1 when the tool did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

class VexalLevelToolTest : public ::testing::Test {
protected:
    ToolRun Run(const std::string& arguments) {
        const std::string errPath = folder.File("stderr.txt");
        const std::string command =
            std::string(VEXAL_BINARY_DIR "/vexal-level ") + arguments + " 2>" + errPath;
        ToolRun run = {-1, "", ""};
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = ReadWholeFile(errPath);
        std::remove(errPath.c_str());
        return run;
    }

    std::string Level(const std::string& name, const std::string& contents) {
        const std::string path = folder.File(name);
        WriteWholeFile(path, contents);
        return path;
    }

    ScratchFolder folder;
};

TEST_F(VexalLevelToolTest, InfoPrintsTheWorkedExample) {
    const std::string path = Level("example.vexl", WorkedExampleLevel());
    const ToolRun run = Run("info --scheme 3 " + path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "{\"result\": 0, \"flags\": 0, \"parTime\": 30, \"startFuel\": 150, "
              "\"startRotation\": 90, \"bounds\": [-200, -130, 625, 320], \"objects\": ["
              "{\"slot\": 0, \"kind\": \"A\", \"x\": 200, \"y\": 150, \"rotation\": 0, \"w\": 50, "
              "\"h\": 50}, "
              "{\"slot\": 1, \"kind\": \"F\", \"x\": -120, \"y\": 80, \"rotation\": 0, \"w\": 50, "
              "\"h\": 50}, "
              "{\"slot\": 2, \"kind\": \"W\", \"x\": 0, \"y\": 300, \"rotation\": 45, \"w\": 400, "
              "\"h\": 40}], "
              "\"goal\": {\"x\": 600, \"y\": -40, \"rotation\": 0, \"w\": 50, \"h\": 50}, "
              "\"texts\": [{\"slot\": 0, \"x\": 0, \"y\": -120, \"rotation\": 0, \"width\": 170, "
              "\"textSize\": 20, \"text\": \"Fly to the D side\"}]}\n");
}

TEST_F(VexalLevelToolTest, InfoWithoutSchemeKeepsPlaceholdersAndEscapesTexts) {
    const std::string path =
        Level("texts.vexl",
              "/6\nT,0,0,0,1,1,$TLEFT_KEY$ \"quoted\" back\\slash\t\x01 caf\xc3\xa9 \xff\n");
    const ToolRun run = Run("info " + path);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"flags\": 6"), std::string::npos);
    EXPECT_NE(run.out.find("\"goal\": null"), std::string::npos);
    EXPECT_NE(run.out.find("\"text\": \"$TLEFT_KEY$ \\\"quoted\\\" back\\\\slash\\t\\u0001 "
                           "caf\xc3\xa9 \\ufffd\"}]}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"width\": 20.5"), std::string::npos) << run.out;
}

TEST_F(VexalLevelToolTest, InfoOnAMissingFileFails) {
    const ToolRun run = Run("info " + folder.File("missing.vexl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("{\"result\": 2, ", 0), 0u) << run.out;
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
}

TEST_F(VexalLevelToolTest, InfoAndLintRefuseAHugeSparseFileAtOnce) {
    const std::string path = Level("huge.vexl", WorkedExampleLevel());
    ASSERT_EQ(truncate(path.c_str(), 4LL << 30), 0);
    const std::string message = "vexal-level: cannot read " + path + ": The file is far too large";
    for (const char* command : {"info ", "lint "}) {
        const auto start = std::chrono::steady_clock::now();
        const ToolRun run = Run(command + path);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err.rfind(message, 0), 0u) << run.err;
        EXPECT_LT(seconds, 2.0) << command;
    }
}

TEST_F(VexalLevelToolTest, InfoOnAFileThePlayerMayNotReadFails) {
    SKIP_ON_WINDOWS(WINDOWS_NO_PERMISSION_BITS);
    OpenToEveryone(folder.Path());
    const std::string path = Level("locked.vexl", WorkedExampleLevel());
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    const std::string command =
        std::string(VEXAL_BINARY_DIR "/vexal-level info ") + path + " 2>&1 >/dev/null";
    // The tool runs as an ordinary user; the child answers 0 when the tool
    // failed as it should, 1 when it exited otherwise, 2 for a wrong message.
    const int result = RunUnprivileged([&command, &path] {
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return 3;
        std::string err;
        char buffer[512];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) err.append(buffer, got);
        const int status = pclose(pipe);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 1) return 1;
        return err == "vexal-level: cannot read " + path + ": Permission denied\n" ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(VexalLevelToolTest, LintReadsLinesAsTheGameDoes) {
    // Mac line ends, a byte-order mark, an over-long line and a NUL byte.
    std::string file = "\xEF\xBB\xBF/0\rE,0,0,0,1,1\rA,1,1,0,1,1" + std::string(5000, ' ') + "\r";
    file += std::string("A,1,1,0,1,1\0junk\r", 17);
    const ToolRun run = Run("lint " + Level("odd.vexl", file));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "line 3: line longer than 4095 bytes; the rest of it is ignored\n"
              "line 3: characters after the fifth number are ignored\n"
              "line 4: a NUL byte ends the line early; the rest is ignored\n")
        << run.out;

    const ToolRun utf16 = Run("lint " + Level("wide.vexl", std::string("/\0"
                                                                       "0\0\n\0",
                                                                       6)));
    EXPECT_EQ(utf16.status, 1);
    EXPECT_NE(utf16.err.find("UTF-16"), std::string::npos) << utf16.err;
}

TEST_F(VexalLevelToolTest, UsageMistakesExitWithTwo) {
    EXPECT_EQ(Run("").status, 2);
    EXPECT_EQ(Run("frobnicate x").status, 2);
    EXPECT_EQ(Run("info --scheme 4 x.vexl").status, 2);
    EXPECT_EQ(Run("info --scheme").status, 2);
    EXPECT_EQ(Run("roundtrip only-one").status, 2);
    EXPECT_EQ(Run("lint").status, 2);
}

TEST_F(VexalLevelToolTest, RoundtripWritesTheCanonicalFile) {
    const std::string in = Level("in.vexl",
                                 "/3\n.30\n%150\n^90\n"
                                 "A,200,150,0,50,50\nF,-120,80,0,50,50\nW,0,300,45,400,40\n"
                                 "junk line\nE,600,-40,0,50,50\n"
                                 "T,0,-120,0,1,20,Fly to the $TRIGHT_KEY$ side\n");
    const std::string out = folder.File("out.vexl");
    const ToolRun run = Run("roundtrip " + in + " " + out);
    EXPECT_EQ(run.status, 0);
    std::string expected = WorkedExampleLevel();
    expected.replace(0, 2, "/3");
    EXPECT_EQ(ReadWholeFile(out), expected);
}

TEST_F(VexalLevelToolTest, RoundtripReportsReadAndWriteFailures) {
    ToolRun run = Run("roundtrip " + folder.File("missing.vexl") + " " + folder.File("out.vexl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;

    const std::string in = Level("in.vexl", WorkedExampleLevel());
    run = Run("roundtrip " + in + " " + folder.File("no-folder/out.vexl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

TEST_F(VexalLevelToolTest, LintIsQuietOnACleanLevel) {
    const ToolRun run = Run("lint " + Level("clean.vexl", WorkedExampleLevel()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(VexalLevelToolTest, LintReportsWhatTheReaderTolerates) {
    std::string file =
        "/1\n"
        "a,1,2,3,4,5\n"                                      // 2: lower-case letter
        "A,5,6\n"                                            // 3: too few numbers
        "E,0,0,0,10,10\n"                                    // 4: the goal
        "E,9,9,0,10,10\n"                                    // 5: extra goal
        ".fast\n"                                            // 6: no number
        "T,0,0,0,1,1,Press $THRUST_KEY$ or $JUMP_KEY$\n";    // 7: unknown token
    for (int i = 0; i < 20; ++i) file += "T,0,0,0,1,1,t\n";  // 8..27: the 20th text is line 26
    for (int i = 0; i < 97; ++i) file += "W,0,0,0,1,1\n";    // 28..124: 100 object lines reached
    file += "A,1,1,1,1,1\nF,1,1,1,1,1\n";                    // 125, 126: past the limit
    const ToolRun run = Run("lint " + Level("rough.vexl", file));
    EXPECT_EQ(run.status, 1);
    const char* const expected[] = {
        "line 2: line ignored: 'a' does not start a level record\n",
        "line 3: only 2 of 5 numbers readable",
        "line 5: extra goal ignored; the level's goal is on line 4\n",
        "line 6: no readable number after '.'",
        "line 7: unknown placeholder $JUMP_KEY$ vanishes from the text\n",
        "line 27: text ignored: a level holds at most 20 texts\n",
        "line 125: object ignored: the level already has 100 object lines\n",
        "line 126: object ignored: the level already has 100 object lines\n",
    };
    for (const char* line : expected) EXPECT_NE(run.out.find(line), std::string::npos) << line;
    EXPECT_EQ(run.out.find("line 8:"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("no goal"), std::string::npos);
}

TEST_F(VexalLevelToolTest, LintNotesAMissingGoalAndUnreadableFiles) {
    ToolRun run = Run("lint " + Level("nogoal.vexl", "/0\nA,1,1,0,1,1\n"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no goal"), std::string::npos) << run.out;

    run = Run("lint " + folder.File("missing.vexl"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos);
}

TEST_F(VexalLevelToolTest, RunFliesASavedRecordAndRefusesAReplayOfAChangedLevel) {
    const std::string level = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/test_straight.vexl";
    const std::string proof =
        ReadWholeFile(std::string(VEXAL_SOURCE_DIR) + "/tests/replays/test_straight.replay");
    ::Level read;
    ASSERT_EQ(ReadLevelFile(level.c_str(), &read, false), 0);
    const uint64_t hash = Level_FlightHash(&read);
    FreeLevel(&read);
    char line[64];

    // The hash of the level as it is, in a records file as the game keeps it
    // (the level's bests beside the run): flown as ever, no line ignored.
    std::snprintf(line, sizeof line, "hash %016llx\n", static_cast<unsigned long long>(hash));
    const std::string fits =
        Level("fits.replay", proof + "level test_straight\n" + line +
                                 "best-time 0.716666758\nbest-score 412\npar-time 10\n");
    ToolRun run = Run("run " + level + " --replay " + fits);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\"levelComplete\": true"), std::string::npos) << run.out;

    // Any other hash: refused, saying why, and nothing flown.
    std::snprintf(line, sizeof line, "hash %016llx\n",
                  static_cast<unsigned long long>(hash ^ 0x10u));
    const std::string changed = Level("changed.replay", proof + line);
    run = Run("run " + level + " --replay " + changed);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("changed.replay was flown on another level"), std::string::npos)
        << run.err;
}

}  // namespace
