// Replays: reading replay files without trusting them, flying a level under
// one in-process, and the level tool's run command on the test level.

#include <cerrno>
#include <cstdio>
#include <string>

#include "app/config.h"
#include "app/text_file.h"
#include "play/replay_run.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "world/world.h"
#include "support/portable.h"

namespace {

class ReplayTest : public HeadlessTest {
protected:
    std::string Write(const std::string& text) {
        const std::string path = TempDir() + "/test.replay";
        WriteText(path, text);
        return path;
    }
};

const std::string kReplays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";

TEST_F(ReplayTest, ReadsSchemeAndEventsSortedByFrameKeepingFileOrderWithinAFrame) {
    Replay replay;
    ASSERT_EQ(ReadReplayFile(Write("# vexal replay 1\nscheme 1   # arrows\n"
                                   "40 up 265\n3 down 265\n40 down 262\n  3 down 88 # skip\n")
                                 .c_str(),
                             &replay),
              0);
    EXPECT_EQ(replay.scheme, 1);
    ASSERT_EQ(replay.count, 4u);
    EXPECT_EQ(replay.events[0].frame, 3);
    EXPECT_EQ(replay.events[0].key, 265);
    EXPECT_EQ(replay.events[1].key, 88);
    EXPECT_EQ(replay.events[2].frame, 40);
    EXPECT_EQ(replay.events[2].down, 0);
    EXPECT_EQ(replay.events[3].down, 1);
    EXPECT_EQ(replay.badLines, 0u);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, AWrittenReplayReadsBackAndAnIncompleteRecordingIsNeverWritten) {
    Replay replay;
    InitReplay(&replay);
    replay.scheme = 1;
    ASSERT_EQ(Replay_AddEvent(&replay, 0, 88, true), 0);
    ASSERT_EQ(Replay_AddEvent(&replay, 7, 265, false), 0);
    ASSERT_EQ(Replay_AddEvent(&replay, 7, 265, true), 0);
    const std::string path = TempDir() + "/written.replay";
    ASSERT_EQ(WriteReplayFile(path.c_str(), &replay), 0);
    EXPECT_EQ(ReadText(path), "# vexal replay 1\nscheme 1\n0 down 88\n7 up 265\n7 down 265\n");

    // A recording that lost an event would replay another run.
    replay.incomplete = 1;
    const std::string lost = TempDir() + "/lost.replay";
    EXPECT_EQ(WriteReplayFile(lost.c_str(), &replay), ENOMEM);
    EXPECT_NE(access(lost.c_str(), F_OK), 0);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, AReplayNamesItsLevelAndFitsOnlyThatLevel) {
    Replay replay;
    InitReplay(&replay);
    Replay_SetLevel(&replay, "my level #2\tof\x7f", 0x00c0ffee12345678ull);
    EXPECT_STREQ(replay.levelName, "my_level__2_of_");
    ASSERT_EQ(Replay_AddEvent(&replay, 3, 265, true), 0);
    const std::string path = TempDir() + "/named.replay";
    ASSERT_EQ(WriteReplayFile(path.c_str(), &replay), 0);
    EXPECT_EQ(ReadText(path),
              "# vexal replay 1\nscheme 2\nlevel my_level__2_of_\nhash 00c0ffee12345678\n"
              "3 down 265\n");
    FreeReplay(&replay);

    ASSERT_EQ(ReadReplayFile(path.c_str(), &replay), 0);
    EXPECT_EQ(replay.badLines, 0u);
    EXPECT_STREQ(replay.levelName, "my_level__2_of_");
    EXPECT_TRUE(Replay_FitsLevel(&replay, 0x00c0ffee12345678ull));
    EXPECT_FALSE(Replay_FitsLevel(&replay, 0x00c0ffee12345679ull));
    FreeReplay(&replay);

    // A name cut to fit, and a replay naming no hash fits any level.
    InitReplay(&replay);
    Replay_SetLevel(&replay, std::string(200, 'n').c_str(), 1);
    EXPECT_EQ(std::string(replay.levelName), std::string(63, 'n'));
    InitReplay(&replay);
    EXPECT_TRUE(Replay_FitsLevel(&replay, 42));

    // Lines naming a level wrongly are skipped like any bad line.
    ASSERT_EQ(ReadReplayFile(Write("level\nlevel a b\nlevel " + std::string(64, 'x') +
                                   "\nhash 123\nhash 00c0ffee1234567g\nhash 1 2\n"
                                   "hash 00C0FFEE12345678\n")
                                 .c_str(),
                             &replay),
              0);
    EXPECT_EQ(replay.badLines, 6u);
    EXPECT_EQ(replay.levelName[0], '\0');
    EXPECT_TRUE(replay.hasLevelHash);
    EXPECT_EQ(replay.levelHash, 0x00c0ffee12345678ull);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, BadLinesAreSkippedAndCountedNeverTrusted) {
    const std::string longLine(5000, '7');
    Replay replay;
    ASSERT_EQ(ReadReplayFile(Write("scheme 9\n"
                                   "-1 down 32\n"
                                   "5 press 32\n"
                                   "5 down 0\n"
                                   "5 down 350\n"
                                   "5 down 32 extra\n"
                                   "99999999999999999999 down 32\n"
                                   "5 down 3x2\n" +
                                   longLine +
                                   " down 32\n"
                                   "7 down 32\n")
                                 .c_str(),
                             &replay),
              0);
    EXPECT_EQ(replay.scheme, REPLAY_DEFAULT_SCHEME);
    EXPECT_EQ(replay.badLines, 9u);
    EXPECT_EQ(replay.firstBadLine, 1u);
    ASSERT_EQ(replay.count, 1u);  // only the last line, read after the long one
    EXPECT_EQ(replay.events[0].frame, 7);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, ANulByteCannotHideAnOverlongLine) {
    // The line starts like an event, holds a NUL byte, and past the reader's
    // 512-byte buffer goes on to look like another event: it is one bad line,
    // and neither event is read from it.
    std::string line = std::string("1 down 32") + '\0';
    line += std::string(511 - line.size(), 'x') + "9 down 33";
    Replay replay;
    ASSERT_EQ(ReadReplayFile(Write(line + "\n2 down 32\n").c_str(), &replay), 0);
    EXPECT_EQ(replay.badLines, 1u);
    EXPECT_EQ(replay.firstBadLine, 1u);
    EXPECT_STREQ(replay.firstBadReason, "line too long");
    ASSERT_EQ(replay.count, 1u);
    EXPECT_EQ(replay.events[0].frame, 2);
    FreeReplay(&replay);

    // A short line with a NUL byte is not trusted either.
    const char nulLine[] = "3 down 32\0 9 up 32\n4 up 32\n";
    ASSERT_EQ(ReadReplayFile(Write(std::string(nulLine, sizeof nulLine - 1)).c_str(), &replay), 0);
    EXPECT_EQ(replay.badLines, 1u);
    EXPECT_STREQ(replay.firstBadReason, "NUL byte in the line");
    ASSERT_EQ(replay.count, 1u);
    EXPECT_EQ(replay.events[0].frame, 4);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, LinesEndingInACarriageReturnAloneAreStillLines) {
    Replay replay;
    ASSERT_EQ(ReadReplayFile(Write("# vexal replay 1\rscheme 1\r3 down 32\r\n5 up 32\r").c_str(),
                             &replay),
              0);
    EXPECT_EQ(replay.badLines, 0u);
    EXPECT_EQ(replay.scheme, 1);
    EXPECT_EQ(replay.count, 2u);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, FilesThatAreNoReplayAreAnErrorNotAShortReplay) {
    SKIP_ON_WINDOWS(WINDOWS_NO_DEVICE_FILES);
    const std::string huge = Write("3 down 32\n");
    ASSERT_EQ(truncate(huge.c_str(), 4LL << 30), 0);
    const std::string zero = TempDir() + "/zero.replay";
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    Replay replay;
    EXPECT_EQ(ReadReplayFile(huge.c_str(), &replay), FILE_ERROR_TOO_LARGE);
    EXPECT_EQ(replay.count, 0u);
    FreeReplay(&replay);
    EXPECT_EQ(ReadReplayFile(zero.c_str(), &replay), FILE_ERROR_NOT_A_FILE);
    FreeReplay(&replay);
    EXPECT_EQ(ReadReplayFile(Write(std::string("3\0 \0d\0o\0w\0n\0", 12)).c_str(), &replay),
              FILE_ERROR_UTF16);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, MissingFileReportsItsError) {
    Replay replay;
    EXPECT_NE(ReadReplayFile((TempDir() + "/none.replay").c_str(), &replay), 0);
    EXPECT_EQ(replay.count, 0u);
    FreeReplay(&replay);
}

TEST_F(ReplayTest, TheTestLevelIsBeatenInProcessUnderItsSchemeAndTheSchemeIsRestored) {
    Replay replay;
    ASSERT_EQ(ReadReplayFile((kReplays + "test_straight.replay").c_str(), &replay), 0);
    userConfig.controlScheme = 0;
    int frames = 0;
    ReplayState end;
    ASSERT_EQ(Replay_Run((kReplays + "test_straight.vexl").c_str(), &replay, 36000,
                         [](const ReplayState*, void* context) { ++*static_cast<int*>(context); },
                         &frames, &end),
              0);
    EXPECT_EQ(end.phase, PHASE_DONE);
    EXPECT_TRUE(end.levelComplete);
    EXPECT_FALSE(end.stranded);
    EXPECT_EQ(end.frames, frames);
    EXPECT_GT(end.levelScore, 250);
    EXPECT_NEAR(end.fuel, 90.0f, 0.01f);  // half a second of thrust
    EXPECT_EQ(userConfig.controlScheme, 0);
    FreeReplay(&replay);

    // Without the replay nobody presses anything: the ship never leaves the start.
    ASSERT_EQ(
        Replay_Run((kReplays + "test_straight.vexl").c_str(), nullptr, 300, nullptr, nullptr, &end),
        0);
    EXPECT_EQ(end.frames, 300);
    EXPECT_EQ(end.phase, PHASE_FLYING);
    EXPECT_EQ(end.position.y, 0.0f);
}

TEST_F(ReplayTest, AKeyStillDownWhenTheRunStopsIsLetGoForWhateverRunsNext) {
    Replay replay;
    ASSERT_EQ(ReadReplayFile(Write("# vexal replay 1\n0 down 32\n2 down 263\n").c_str(), &replay),
              0);
    ReplayState end;
    ASSERT_EQ(
        Replay_Run((kReplays + "test_straight.vexl").c_str(), &replay, 5, nullptr, nullptr, &end),
        0);
    EXPECT_EQ(end.frames, 5);
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Input_KeyDown(TS_KEY_SPACE));
    EXPECT_FALSE(TS_Input_KeyDown(263));
    FreeReplay(&replay);
}

TEST_F(ReplayTest, UnreadableLevelIsAnErrorNotAnEmptyFlight) {
    ReplayState end;
    EXPECT_NE(
        Replay_Run((TempDir() + "/missing.vexl").c_str(), nullptr, 10, nullptr, nullptr, &end), 0);
}

std::string RunTool(const std::string& arguments, int* status) {
    const std::string command =
        std::string(VEXAL_BINARY_DIR) + "/vexal-level " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    if (!pipe) return output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    *status = pclose(pipe);
    return output;
}

TEST_F(ReplayTest, ToolRunReachesTheGoalOfTheTestLevel) {
    int status = -1;
    const std::string output = RunTool(
        "run " + kReplays + "test_straight.vexl --replay " + kReplays + "test_straight.replay",
        &status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output.rfind("{\"frames\": ", 0), 0u) << output;
    EXPECT_NE(output.find("\"phase\": 3, \"levelComplete\": true, \"stranded\": false"),
              std::string::npos)
        << output;
    // 250 for the goal, 899 for the fuel, 898 for 2.03 s against a 20 s par.
    EXPECT_NE(output.find("\"levelScore\": 2047"), std::string::npos) << output;
}

TEST_F(ReplayTest, ToolTraceWritesALinePerFrameThenTheSummary) {
    int status = -1;
    const std::string output =
        RunTool("run " + kReplays + "test_straight.vexl --frames 3 --trace", &status);
    EXPECT_EQ(status, 0);
    int lines = 0;
    for (char c : output) lines += c == '\n';
    EXPECT_EQ(lines, 4) << output;
    EXPECT_NE(output.find("{\"frames\": 3, \"phase\": 0"), std::string::npos) << output;

    EXPECT_NE(RunTool("run " + kReplays + "test_straight.vexl --frames x", &status), "");
    EXPECT_EQ(WEXITSTATUS(status), 2);
    RunTool("run " + TempDir() + "/missing.vexl", &status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
