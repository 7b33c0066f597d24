// Test play that reports: the goal reached shows the run's time, fuel left and
// score, "Set Par from This Run" sets an undoable par, stranding says so, the
// intro can be left out, and saving a level that cannot be finished warns.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/config.h"
#include "app/controls.h"
#include "app/text_file.h"
#include "editor_fixture.h"
#include "play/custom_level.h"
#include "ui/file_chooser.h"
#include "world/world.h"

namespace {

class PlayReportTest : public EditorTest {
protected:
    // Holds thrust until a test-play popup opens (or `frames` pass).
    static void ThrustUntilReported(int frames = 900) {
        Automation_KeyDown(SchemeKey(ACTION_THRUST));
        for (int i = 0; i < frames && !editor.runPopup->open && !editor.strandedPopup->open; ++i) {
            Automation_RunFrames(1);
        }
        Automation_KeyUp(SchemeKey(ACTION_THRUST));
        Automation_RunFrames(1);
    }

    void CtrlKey(int key) {
        Automation_KeyDown(TS_KEY_LEFT_CONTROL);
        TapKey(key);
        Automation_KeyUp(TS_KEY_LEFT_CONTROL);
        Automation_RunFrames(1);
    }

    static std::string FileBytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
};

TEST_F(PlayReportTest, TheGoalReportsTheRunAndItsTimeSetsAnUndoablePar) {
    Put(0, KIND_GOAL, 0, 400, 100, 100);
    Edited().startFuel = 80.0f;
    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    TapKey(TS_KEY_X);  // past the fly-over
    ThrustUntilReported();
    ASSERT_TRUE(editor.runPopup->open);
    EXPECT_FALSE(editor.strandedPopup->open);
    const float time = world.levelTime;
    EXPECT_GT(time, 0.5f);
    EXPECT_FLOAT_EQ(editor.reportedTime, time);
    // Without a par the score is the goal's 250 and ten a unit of fuel left.
    const int score = 250 + static_cast<int>(world.ship.fuel->fuel * 10.0f);
    char expected[96];
    std::snprintf(expected, sizeof expected, "Time: %.2f s     Fuel left: %.1f\nScore: %d",
                  static_cast<double>(time), static_cast<double>(world.ship.fuel->fuel), score);
    EXPECT_EQ(std::string(editor.runPopup->message).rfind(expected, 0), 0u)
        << editor.runPopup->message;
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_test_play_result.png").c_str()));

    // The par is the run's time and a quarter, rounded up to a whole second.
    EXPECT_FALSE(editor.dirty);
    Answer(editor.runPopup, 0);
    EXPECT_FALSE(editor.playMode);
    const float par = std::ceil(time * 1.25f);
    EXPECT_FLOAT_EQ(Edited().parTime, par);
    EXPECT_TRUE(editor.dirty);
    CtrlKey(TS_KEY_Z);
    EXPECT_FLOAT_EQ(Edited().parTime, 0.0f);
    EXPECT_FALSE(editor.dirty);
    CtrlKey(TS_KEY_Y);
    EXPECT_FLOAT_EQ(Edited().parTime, par);

    // Flown again under that par, the same run earns a par bonus.
    TapKey(TS_KEY_F5);
    TapKey(TS_KEY_X);
    ThrustUntilReported();
    ASSERT_TRUE(editor.runPopup->open);
    EXPECT_GT(World_LevelScore(), score);
    Answer(editor.runPopup, 2);  // Back to Editing
    EXPECT_FALSE(editor.playMode);
    EXPECT_FLOAT_EQ(Edited().parTime, par);
}

TEST_F(PlayReportTest, ParsFromRunsAreWholeSecondsWithinTheLevelPopupsRange) {
    EXPECT_FLOAT_EQ(Editor_ParFromRun(8.0f), 10.0f);
    EXPECT_FLOAT_EQ(Editor_ParFromRun(8.01f), 11.0f);
    EXPECT_FLOAT_EQ(Editor_ParFromRun(0.3f), 1.0f);
    EXPECT_FLOAT_EQ(Editor_ParFromRun(1000.0f), 600.0f);
    EXPECT_FLOAT_EQ(Editor_ParFromRun(0.0f), 0.0f);
}

TEST_F(PlayReportTest, StrandingSaysSoAndRFliesAgain) {
    Put(0, KIND_GOAL, 0, 3000);
    Put(1, KIND_ASTEROID, 0, 200, 120, 120);
    Edited().startFuel = 1.0f;
    editor.testIntroOff = true;
    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    ThrustUntilReported();
    ASSERT_TRUE(editor.strandedPopup->open);
    EXPECT_STREQ(editor.strandedPopup->title, "Stranded \u2014 out of fuel");
    EXPECT_FALSE(editor.runPopup->open);

    TapKey(kRestartKey);
    EXPECT_TRUE(editor.playMode);
    EXPECT_FALSE(editor.strandedPopup->open);
    EXPECT_FALSE(world.stranded);
    ThrustUntilReported();
    ASSERT_TRUE(editor.strandedPopup->open);
    Answer(editor.strandedPopup, 1);  // Back to Editing
    EXPECT_FALSE(editor.playMode);
    EXPECT_FALSE(editor.strandedPopup->open);
}

TEST_F(PlayReportTest, TheIntroCanBeLeftOutAndStaysSoWhileTheEditorIsOpen) {
    Put(0, KIND_GOAL, 0, 3000);
    TapKey(TS_KEY_I);
    EXPECT_TRUE(editor.testIntroOff);
    for (int flight = 0; flight < 2; ++flight) {
        TapKey(TS_KEY_F5);
        ASSERT_TRUE(editor.playMode);
        EXPECT_EQ(world.phase, PHASE_FLYING) << flight;
        // The recording shows the skip, so it replays as it flew.
        ASSERT_NE(Editor_TestPlayRecording(), nullptr);
        EXPECT_GT(Editor_TestPlayRecording()->count, 0u);
        TapKey(TS_KEY_F5);
    }
    TapKey(TS_KEY_I);
    TapKey(TS_KEY_F5);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    TapKey(TS_KEY_F5);
}

TEST_F(PlayReportTest, SavingALevelThatCannotBeFinishedAsksFirst) {
    const std::string path = TempDir() + "/warned.vexl";
    // No goal: the question, and Cancel saves nothing.
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    CtrlKey(TS_KEY_S);
    ASSERT_TRUE(editor.saveWarningPopup->open);
    EXPECT_NE(std::string(editor.saveWarningPopup->message).find("no goal"), std::string::npos);
    Answer(editor.saveWarningPopup, 1);
    EXPECT_FALSE(File_Exists(path.c_str()) == 0);
    // Insisting saves.
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    CtrlKey(TS_KEY_S);
    ASSERT_TRUE(editor.saveWarningPopup->open);
    Answer(editor.saveWarningPopup, 0);
    EXPECT_EQ(File_Exists(path.c_str()), 0);
    EXPECT_TRUE(editor.resultPopup->open);
    Answer(editor.resultPopup, 0);
    const std::string goalless = FileBytes(path);

    // A goal, but an asteroid over the ship's start: asked again, on Ctrl+S
    // to the same file.
    Put(0, KIND_GOAL, 0, 500);
    LevelObject* rock = Put(1, KIND_ASTEROID, 60, 0, 80, 80);
    Editor_MarkChanged();
    CtrlKey(TS_KEY_S);
    ASSERT_TRUE(editor.saveWarningPopup->open);
    EXPECT_NE(std::string(editor.saveWarningPopup->message).find("asteroid"), std::string::npos);
    Answer(editor.saveWarningPopup, 0);
    EXPECT_FALSE(editor.dirty);
    EXPECT_GT(FileBytes(path).size(), goalless.size());
    // Moved clear of the start, it saves without a word.
    rock->object->position.x = 90.0f;
    Editor_MarkChanged();
    CtrlKey(TS_KEY_S);
    EXPECT_FALSE(editor.saveWarningPopup->open);
    EXPECT_FALSE(editor.dirty);
}

}  // namespace

namespace {

void Idle() {}

// From an empty editor to a level on disk with a typed text, a par earned by
// flying it and rules from the Level popup, then played as a player plays it:
// picked in the level select and flown to its results. All through the mouse
// and keyboard.
TEST_F(PlayReportTest, ALevelBuiltTypedFlownAndSavedIsPlayedFromTheLevelSelect) {
    DropItemAt(PALETTE_GOAL, 0, 250);
    ASSERT_NE(Edited().goal, nullptr);
    DropItemAt(PALETTE_TEXT, -300, 0);
    ASSERT_NE(Edited().texts[0], nullptr);
    ClickWorld(-300, 0);
    ClickButton(editor.editTextButton);
    for (int i = 0; i < 12; ++i) TapKey(TS_KEY_BACKSPACE);
    TypeText("Up, pilot: caf\xC3\xA9!");
    ClickButton(editor.editTextButton);
    ClickWorld(500, -300);  // nothing there: the text is let go

    TapKey(TS_KEY_I);  // straight to flying
    ClickButton(editor.playButton);
    ASSERT_TRUE(editor.playMode);
    ThrustUntilReported();
    ASSERT_TRUE(editor.runPopup->open)
        << world.phase << " " << world.ship.body->position.y << " " << editor.strandedPopup->open
        << " goal " << Edited().goal->object->position.x << "," << Edited().goal->object->position.y
        << " " << Edited().goal->object->size.x;
    const float par = Editor_ParFromRun(editor.reportedTime);
    Answer(editor.runPopup, 0);
    ASSERT_FLOAT_EQ(Edited().parTime, par);

    // The Level popup by keys: a typed start fuel and "No turning" switched on.
    TapKey(TS_KEY_L);
    TapKey(TS_KEY_DOWN);
    Type("64");
    TapKey(TS_KEY_ENTER);
    for (int i = 0; i < 3; ++i) TapKey(TS_KEY_DOWN);
    TapKey(TS_KEY_SPACE);
    TapKey(TS_KEY_ESCAPE);
    ASSERT_FALSE(LevelPanel_Popup()->open);
    ASSERT_FLOAT_EQ(Edited().startFuel, 64.0f);
    ASSERT_EQ(Edited().flags, uint32_t{LEVEL_NO_TURNING});
    ASSERT_FLOAT_EQ(Edited().parTime, par);

    const std::string path = TempDir() + "/flown.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    CtrlKey(TS_KEY_S);
    ASSERT_TRUE(editor.resultPopup->open);
    Answer(editor.resultPopup, 0);
    EXPECT_FALSE(editor.dirty);

    // A fresh editor opens it with the par and the text as typed.
    TapKey(TS_KEY_ESCAPE);
    ASSERT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    Screen_Switch(EditorScreen);
    Automation_RunFrames(1);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.openButton);
    EXPECT_FLOAT_EQ(Edited().parTime, par);
    ASSERT_NE(Edited().texts[0], nullptr);
    EXPECT_STREQ(Edited().texts[0]->text, "Up, pilot: caf\xC3\xA9!");
    EXPECT_FLOAT_EQ(Edited().startFuel, 64.0f);
    EXPECT_EQ(Edited().flags, uint32_t{LEVEL_NO_TURNING});

    // Out of the editor to the main menu's "Level Select", and the file picked
    // with "Select a Custom Level from a File".
    TapKey(TS_KEY_ESCAPE);
    ASSERT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    Click(306.0f, 558.0f);
    ASSERT_EQ(Screen_CurrentName(), std::string("LevelSelect"));
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Click(640.0f, 612.0f);
    ASSERT_EQ(Screen_CurrentName(), std::string("CustomLevel"));
    EXPECT_STREQ(customPath, path.c_str());

    // Flown to the goal on thrust alone, under the popup's rules.
    ASSERT_EQ(world.phase, PHASE_INTRO);
    TapKey(TS_KEY_X);
    ASSERT_EQ(world.phase, PHASE_FLYING);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 64.0f);
    EXPECT_EQ(world.ship.canTurn, 0);
    Automation_KeyDown(SchemeKey(ACTION_THRUST));
    for (int i = 0; i < 900 && world.phase == PHASE_FLYING; ++i) Automation_RunFrames(1);
    Automation_KeyUp(SchemeKey(ACTION_THRUST));
    ASSERT_EQ(world.phase, PHASE_CAPTURE) << world.ship.body->position.y;
    EXPECT_LT(world.ship.fuel->fuel, 64.0f);
    TapKey(TS_KEY_X);  // past the goal capture
    for (int i = 0; i < 10 && !customWinPopup->open; ++i) Automation_RunFrames(1);
    ASSERT_TRUE(customWinPopup->open);
    char timeToBeat[48];
    std::snprintf(timeToBeat, sizeof timeToBeat, "Time to Beat: %.2fs", static_cast<double>(par));
    EXPECT_NE(std::strstr(customWinPopup->message, timeToBeat), nullptr) << customWinPopup->message;

    // "Exit" back to the menus; the screen left frees what it built.
    Answer(customWinPopup, 1);
    EXPECT_NE(Screen_CurrentName(), std::string("CustomLevel"));
    for (int i = 0; i < 5 && TS_Engine_CurrentUpdate() != Idle; ++i) {
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Automation_RunFrames(1);
    }
}

}  // namespace
