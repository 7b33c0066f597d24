// Records from real play: a run flown through the game's own input at uneven
// frame times becomes the level's record, which the level tool flies to the
// very same end; the results and the HUD show the best, and it outlives the
// game.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/safe_file.h"
#include "play/play_fixture.h"
#include "play/records.h"
#include "play/run_recorder.h"
#include "screens/menu_screens.h"
#include "ui/file_chooser.h"
#include "world/replay.h"

namespace {

// Asteroids to either side and a wide goal straight ahead: held thrust with
// a few short turns still gets there.
const char* const kRunway =
    "/0\n.40.0\n%100.0\n"
    "A,-420,300,0,90,90\nA,420,500,0,90,90\nF,-300,-150,0,50,50\nE,0,900,0,300,300\n";

// A number the level tool wrote after `"name": `.
float ToolNumber(const std::string& output, const std::string& name, int index = 0) {
    size_t at = output.find("\"" + name + "\": ");
    if (at == std::string::npos) return -1.0f;
    at += name.size() + 4;
    if (output[at] == '[') ++at;
    const char* cursor = output.c_str() + at;
    char* end = nullptr;
    float value = std::strtof(cursor, &end);
    for (int i = 0; i < index; ++i) value = std::strtof(end + 1, &end);
    return value;
}

std::string RunTool(const std::string& arguments) {
    const std::string command =
        std::string(VEXAL_BINARY_DIR) + "/vexal-level " + arguments + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    return output;
}

class RecordsFlightTest : public PlayTest {
protected:
    // Campaign slot 8 is level_3: its records go by that name.
    std::string FlyCampaignLevel3(uint32_t seed) {
        const std::string path = WriteLevel("runway.vexl", kRunway);
        UseCampaignFiles(std::vector<std::string>(CAMPAIGN_LEVEL_COUNT, path));
        StartCampaign(8);
        FlyToTheResults(seed);
        return path;
    }

    // A seeded player on a machine whose frames last 5 to 50 ms: skips the
    // intro, holds thrust, taps the turns now and then, skips the capture.
    void FlyToTheResults(uint32_t seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> millis(5, 50);
        std::uniform_int_distribution<int> roll(0, 99);
        const int left = SchemeKey(ACTION_TURN_LEFT), right = SchemeKey(ACTION_TURN_RIGHT);
        Automation_KeyDown(SchemeKey(ACTION_THRUST));
        for (int frame = 0; frame < 3000 && !AnyResultsOpen(); ++frame) {
            Automation_SetFrameTime(static_cast<float>(millis(random)) / 1000.0f);
            Automation_KeyUp(left);
            Automation_KeyUp(right);
            Automation_KeyUp(kSkip);
            const int r = roll(random);
            if (world.phase != PHASE_FLYING && r < 30) Automation_KeyDown(kSkip);
            if (world.phase == PHASE_FLYING && r < 4) Automation_KeyDown(r < 2 ? left : right);
            Automation_RunFrames(1);
        }
        for (int key : {SchemeKey(ACTION_THRUST), left, right, int{kSkip}}) Automation_KeyUp(key);
        Automation_SetFrameTime(kWorldStepSeconds);
        ASSERT_TRUE(Open(levelWinPopup));
    }

    std::string RecordFile(const char* key) const {
        return SaveFolder() + "records/" + key + ".replay";
    }
};

TEST_F(RecordsFlightTest, ARecordedRunFliesToTheSameEndInTheLevelTool) {
    const std::string level = FlyCampaignLevel3(20261207u);
    const float time = world.levelTime;
    const TS_Vec2 end = world.ship.body->position;
    const int32_t score = world.levelScore;
    ASSERT_GT(RunRecorder_Recording()->count, 4u);

    Replay record;
    ASSERT_EQ(ReadReplayFile(RecordFile("level_3").c_str(), &record), 0);
    EXPECT_EQ(record.badLines, 0u) << record.firstBadReason;
    EXPECT_EQ(record.bestTime, time);
    EXPECT_EQ(record.bestScore, score);
    EXPECT_STREQ(record.levelName, "level_3");
    FreeReplay(&record);

    const std::string output = RunTool("run " + level + " --replay " + RecordFile("level_3"));
    EXPECT_EQ(output.find("ignored"), std::string::npos) << output;
    EXPECT_NE(output.find("\"phase\": 3, \"levelComplete\": true"), std::string::npos) << output;
    EXPECT_EQ(ToolNumber(output, "levelTime"), time) << output;
    EXPECT_EQ(ToolNumber(output, "position", 0), end.x) << output;
    EXPECT_EQ(ToolNumber(output, "position", 1), end.y) << output;
    EXPECT_EQ(ToolNumber(output, "levelScore"), static_cast<float>(score)) << output;
}

TEST_F(RecordsFlightTest, TheBestOutlivesTheGameAndShowsInTheResultsAndUnderTheClock) {
    FlyCampaignLevel3(7u);
    const float first = world.levelTime;
    char line[64];
    std::snprintf(line, sizeof line, "New best! %.2f s", static_cast<double>(first));
    EXPECT_NE(std::string(levelWinPopup->message).find(line), std::string::npos)
        << levelWinPopup->message;
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("results_new_best.png").c_str()));
    // The game closes; a new one reads the record back.
    LeaveScreen();
    LevelRecord record;
    ASSERT_EQ(Records_Load("level_3", &record), 0);
    EXPECT_EQ(record.bestTime, first);
    FreeLevelRecord(&record);

    // Played again, the best stands under the flight clock from the start.
    StartCampaign(8);
    SkipIntro();
    std::snprintf(line, sizeof line, "Best %.2f s", static_cast<double>(first));
    Automation_RecordDraws(true);
    Automation_RunFrames(1);
    EXPECT_NE(TextCall(line), nullptr) << line;
    Automation_RecordDraws(false);
}

TEST_F(RecordsFlightTest, AnUnsavedRecordIsSaidSoAndTheOldOneStays) {
    // A slow old record, which any finish beats; then the disk fails just as
    // the new one is written.
    Replay slow;
    InitReplay(&slow);
    Replay_AddEvent(&slow, 0, SchemeKey(ACTION_THRUST), true);
    RecordOutcome outcome;
    Records_Offer("level_3", &slow, 999.0f, 1, 40.0f, 0.0f, &outcome);
    FreeReplay(&slow);
    const std::string before = ReadText(RecordFile("level_3"));
    SafeFile_FailNextCommitForTests(ENOSPC);
    FlyCampaignLevel3(7u);
    const std::string message = levelWinPopup->message;
    EXPECT_NE(message.find("New best!"), std::string::npos) << message;
    EXPECT_NE(message.find("Record not saved: No space left on device."), std::string::npos)
        << message;
    EXPECT_EQ(ReadText(RecordFile("level_3")), before);
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("results_record_not_saved.png").c_str()));
}

TEST_F(RecordsFlightTest, ACustomLevelKeepsItsRecordsUnderItsFlightHash) {
    const std::string path = WriteLevel("mine.vexl", ".20\nE,0,50,0,50,50\n");
    Screen_Switch(LevelSelectScreen);
    Automation_RunFrames(1);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Click(640.0f, 612.0f);  // "Select a Custom Level from a File"
    ASSERT_STREQ(Screen_CurrentName(), "CustomLevel");
    FinishHopLevel();
    ASSERT_TRUE(Open(customWinPopup));
    // No author's time on a level of the player's own: a fast finish is gold.
    EXPECT_NE(std::string(customWinPopup->message).find("New best! "), std::string::npos);
    EXPECT_NE(std::string(customWinPopup->message).find("Gold"), std::string::npos);

    Level level;
    ASSERT_EQ(ReadLevelFile(path.c_str(), &level, true), 0);
    char key[RECORD_KEY_SIZE];
    Records_Key(nullptr, Level_FlightHash(&level), key, sizeof key);
    FreeLevel(&level);
    Replay record;
    ASSERT_EQ(ReadReplayFile(RecordFile(key).c_str(), &record), 0) << key;
    EXPECT_STREQ(record.levelName, "mine.vexl");
    EXPECT_EQ(record.bestTime, world.levelTime);
    EXPECT_EQ(record.parTime, 20.0f);
    FreeReplay(&record);
}

}  // namespace
