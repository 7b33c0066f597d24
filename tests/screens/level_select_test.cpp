// The level select: the two grids and their headings at 1280 x 720, starting
// the campaign at any level, and the error popup for a file that won't load.
#include <cstdio>
#include <string>

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "level/kind_shapes.h"
#include "play/campaign.h"
#include "play/campaign_start.h"
#include "play/custom_level.h"
#include "play/records.h"
#include "screens/menu_screens.h"
#include "support/headless.h"
#include "ui/file_chooser.h"

namespace {

class LevelSelectTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        std::string files[CAMPAIGN_LEVEL_COUNT];
        const char* paths[CAMPAIGN_LEVEL_COUNT];
        for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) {
            files[i] = TempDir() + "/level_" + std::to_string(i) + ".vexl";
            WriteText(files[i], "E,0,400,0,50,50\n");
            paths[i] = files[i].c_str();
        }
        Campaign_SetLevelPathsForTests(paths);
        campaignStartIndex = -1;
        Screen_Switch(LevelSelectScreen);
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
    }

    void TearDown() override {
        Automation_RecordDraws(false);
        // Whatever screen a test ended on is left, so its exit frees it.
        for (int i = 0; i < 5 && TS_Engine_CurrentUpdate() != Idle; ++i) {
            TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
            Automation_RunFrames(1);
        }
        Campaign_SetLevelPathsForTests(nullptr);
        HeadlessTest::TearDown();
    }
    static void Idle() {}

    static const AutomationDrawCall* Text(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) return &call;
        }
        return nullptr;
    }
    static void ExpectTextAt(const std::string& text, float x, float y) {
        const AutomationDrawCall* call = Text(text);
        ASSERT_NE(call, nullptr) << text;
        EXPECT_FLOAT_EQ(call->x, x) << text;
        EXPECT_FLOAT_EQ(call->y, y) << text;
    }
    static bool ErrorShown() {
        return Text(
                   "Failed to load level. Check that the file can be opened in the level "
                   "editor.") != nullptr;
    }
};

TEST_F(LevelSelectTest, LaysOutBothGridsHeadingsAndButtonsAt1280x720) {
    ExpectTextAt("Level Select", 640.0f, 108.0f);
    EXPECT_FLOAT_EQ(Text("Level Select")->textSize, 65.0f);
    const char* const tutorials[] = {"T1: Movement", "T2: Fuel", "T3: Bouncing",
                                     "T4: Steering", "T5: Map",  "T6: Fuel Cells"};
    for (int k = 0; k < 6; ++k) ExpectTextAt(tutorials[k], 190.0f + 180.0f * k, 216.0f);
    for (int n = 1; n <= 13; ++n) {
        char label[20];
        std::snprintf(label, sizeof label, "Level %d", n);
        const int k = n - 1;
        ExpectTextAt(label, 190.0f + 180.0f * static_cast<float>(k % 6), 366.0f + 80.0f * (k / 6));
    }
    ExpectTextAt("Select a Custom Level from a File", 640.0f, 612.0f);
    ExpectTextAt("Back", 1088.0f, 612.0f);

    // Headings: left and bottom aligned, 12.5 above the first button's corner.
    ExpectTextAt("Tutorial Levels", 115.0f, 178.5f);
    ExpectTextAt("Normal Levels", 115.0f, 328.5f);
    EXPECT_EQ(Text("Normal Levels")->alignH, TS_ALIGN_LEFT);
    EXPECT_EQ(Text("Normal Levels")->alignV, TS_ALIGN_BOTTOM);
    EXPECT_FLOAT_EQ(Text("Normal Levels")->textSize, 30.0f);

    // The wide custom level button is 500 across.
    bool wide = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_RECT && call.x == 640.0f && call.y == 612.0f && call.w == 500.0f) {
            wide = true;
        }
    }
    EXPECT_TRUE(wide);
}

TEST_F(LevelSelectTest, TheFirstTutorialStartsTheCampaignAtIndexZero) {
    Automation_ClearSoundLog();
    Click(190.0f, 216.0f);
    EXPECT_EQ(campaignStartIndex, 0);
    ASSERT_STREQ(Screen_CurrentName(), "Campaign");
    ASSERT_NE(Campaign_List(), nullptr);
    EXPECT_EQ(Campaign_List()->current, 0);
    bool menuMusicStopped = false;
    for (const AutomationSoundEvent& e : Automation_SoundLog()) {
        if (e.kind == SOUND_STOP_GROUP && e.group == 0) menuMusicStopped = true;
    }
    EXPECT_TRUE(menuMusicStopped);
}

TEST_F(LevelSelectTest, LevelThirteenStartsTheCampaignAtItsLastLevel) {
    Click(190.0f, 526.0f);
    ASSERT_STREQ(Screen_CurrentName(), "Campaign");
    EXPECT_EQ(Campaign_List()->current, 18);
}

TEST_F(LevelSelectTest, UpAndDownMoveByRowsSoLevelThirteenIsFourPressesAway) {
    userConfig.controlScheme = 1;  // the Arrow scheme: Up must move, not press
    TapKey(TS_KEY_DOWN);           // shows the selection on "T1: Movement"
    TapKey(TS_KEY_UP);             // the top row: it stays
    TapKey(TS_KEY_RIGHT);          // "T2: Fuel"
    TapKey(TS_KEY_DOWN);           // "Level 2", below it
    TapKey(TS_KEY_LEFT);
    TapKey(TS_KEY_DOWN);
    TapKey(TS_KEY_DOWN);  // "Level 13", alone in the last row
    TapKey(TS_KEY_UP);
    TapKey(TS_KEY_DOWN);
    EXPECT_STREQ(Screen_CurrentName(), "LevelSelect");
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_select_keys.png").c_str()));
    TapKey(TS_KEY_ENTER);
    ASSERT_STREQ(Screen_CurrentName(), "Campaign");
    EXPECT_EQ(Campaign_List()->current, 18);
}

TEST_F(LevelSelectTest, EscapeClosesTheErrorAndThenLeaves) {
    FileChooser_SetAutomationAnswer(nullptr, true);
    Click(640.0f, 612.0f);
    ASSERT_TRUE(ErrorShown());
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(ErrorShown());
    EXPECT_STREQ(Screen_CurrentName(), "LevelSelect");
    TapKey(TS_KEY_ESCAPE);
    Automation_RunFrames(1);
    EXPECT_STREQ(Screen_CurrentName(), "MainMenu");
}

TEST_F(LevelSelectTest, ACancelledChooserShowsTheErrorAndOkClosesIt) {
    FileChooser_SetAutomationAnswer(nullptr, true);
    Click(640.0f, 612.0f);
    EXPECT_STREQ(Screen_CurrentName(), "LevelSelect");
    ASSERT_TRUE(ErrorShown());
    EXPECT_NE(Text("Custom Level Load"), nullptr);

    // The level buttons behind it do not react.
    Click(190.0f, 216.0f);
    EXPECT_STREQ(Screen_CurrentName(), "LevelSelect");
    EXPECT_TRUE(ErrorShown());

    TapKey(TS_KEY_RIGHT);  // the keyboard reaches "Ok"
    TapKey(TS_KEY_ENTER);
    EXPECT_FALSE(ErrorShown());
    EXPECT_NE(Text("T1: Movement"), nullptr);
}

TEST_F(LevelSelectTest, AFileThatCannotBeReadShowsTheErrorWithTheReasonAndStaysHere) {
    const std::string path = TempDir() + "/gone.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Click(640.0f, 612.0f);
    EXPECT_STREQ(Screen_CurrentName(), "LevelSelect");
    EXPECT_TRUE(ErrorShown());
    EXPECT_NE(Text(path), nullptr);
    EXPECT_NE(Text("No such file or directory"), nullptr);
    EXPECT_EQ(kindShapes[KIND_SHAPE_ASTEROID], nullptr);  // nothing left built

    // A chooser closed without a file afterwards has no file to name.
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_ENTER);
    FileChooser_SetAutomationAnswer(nullptr, true);
    Click(640.0f, 612.0f);
    EXPECT_TRUE(ErrorShown());
    EXPECT_EQ(Text(path), nullptr);
    EXPECT_EQ(Text("No such file or directory"), nullptr);
}

TEST_F(LevelSelectTest, AReadableFileStartsTheCustomLevel) {
    const std::string path = TempDir() + "/mine.vexl";
    WriteText(path, "%77\nE,0,400,0,50,50\n");
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Click(640.0f, 612.0f);
    ASSERT_STREQ(Screen_CurrentName(), "CustomLevel");
    EXPECT_STREQ(customPath, path.c_str());
    EXPECT_FLOAT_EQ(customLevel.startFuel, 77.0f);
}

TEST_F(LevelSelectTest, BackReturnsToTheMainMenu) {
    Click(1088.0f, 612.0f);
    EXPECT_STREQ(Screen_CurrentName(), "MainMenu");
}

TEST_F(LevelSelectTest, ScreenshotOfTheLevelSelect) {
    Automation_MouseMove(370.0f, 366.0f);  // hovering "Level 2"
    Automation_RunFrames(2);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_select.png").c_str()));
    FileChooser_SetAutomationAnswer((TempDir() + "/gone.vexl").c_str(), false);
    Click(640.0f, 612.0f);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_select_error.png").c_str()));
}

// Records of a shipped level, as if flown in `time` seconds on it.
void PlantRecord(const char* name, float time) {
    Level level;
    const std::string path = std::string("./Assets/levels/") + name + ".vexl";
    ASSERT_EQ(ReadLevelFile(path.c_str(), &level, true), 0) << path;
    Replay run;
    InitReplay(&run);
    Replay_SetLevel(&run, name, Level_FlightHash(&level));
    Replay_AddEvent(&run, 0, 32, true);
    RecordOutcome outcome;
    Records_Offer(name, &run, time, 1000, level.parTime, 0.0f, &outcome);
    EXPECT_EQ(outcome.saveError, 0) << name;
    FreeReplay(&run);
    FreeLevel(&level);
}

TEST_F(LevelSelectTest, EachLevelShowsItsBestTimeAndMedalUnderItsButton) {
    PlantRecord("tutorial_0", Records_AuthorTime("tutorial_0"));  // author
    PlantRecord("tutorial_1", 5.6f);                              // gold: 0.8 of par 7
    PlantRecord("tutorial_2", 8.1f);                              // silver: 0.9 of par 9
    PlantRecord("level_1", 7.4f);                                 // bronze: under par 7.5
    PlantRecord("level_2", 9.0f);                                 // none: over par 7
    PlantRecord("level_8", 30.58f);                               // gold: a frame off author
    WriteText(SaveFolder() + "records/level_5.replay", "best-time 3\n\x01garbage\n");
    // Records are read as the screen opens.
    Screen_Switch(MainMenuScreen);
    Automation_RunFrames(1);
    Screen_Switch(LevelSelectScreen);
    Automation_RunFrames(2);
    ASSERT_STREQ(Screen_CurrentName(), "LevelSelect");

    // The time sits in the strip under its button, beside the medal.
    const AutomationDrawCall* author = Text("2.83 s");

    ASSERT_NE(author, nullptr);
    EXPECT_GT(author->y, 216.0f + 25.0f);
    EXPECT_LT(author->y, 216.0f + 25.0f + 30.0f);
    EXPECT_LT(author->x, 190.0f);
    for (const char* time : {"5.60 s", "8.10 s", "7.40 s", "9.00 s", "30.58 s"}) {
        EXPECT_NE(Text(time), nullptr) << time;
    }
    EXPECT_EQ(Text("3.00 s"), nullptr);  // the damaged record shows as none
    int discs = 0;
    for (const AutomationDrawCall& call : Automation_DrawCalls())
        discs += call.kind == DRAW_ELLIPSE;
    EXPECT_EQ(discs, 5 * 3);  // rim, face and glint of every medal but level_2's none
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_select_records.png").c_str()));
}

}  // namespace
