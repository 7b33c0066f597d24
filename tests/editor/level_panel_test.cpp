// The Level popup: par time, start fuel, start rotation and the rules edited
// by mouse and keys within their ranges, saved, opened again, undone, and
// flown by test play.
#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "world/world.h"

namespace {

class LevelPanelTest : public EditorTest {
protected:
    static bool PanelOpen() { return LevelPanel_Popup()->open; }

    // The stepper or toggle drawn at a row, found by where the panel puts it:
    // the buttons of a row share its height.
    static TS_Vec2 RowControl(int row, float dx) {
        const TS_Vec2 p = LevelPanel_Popup()->position;
        return TS_Vec2{p.x + dx, p.y - 165.0f + 50.0f * static_cast<float>(row)};
    }
    void ClickAt(TS_Vec2 at) { Click(at.x, at.y); }
    void Minus(int row) { ClickAt(RowControl(row, 115)); }
    void Plus(int row) { ClickAt(RowControl(row, 245)); }
    void Toggle(int flagRow) { ClickAt(RowControl(3 + flagRow, 180)); }
    void Chord(int key) {
        Automation_KeyDown(TS_KEY_LEFT_CONTROL);
        TapKey(key);
        Automation_KeyUp(TS_KEY_LEFT_CONTROL);
        Automation_RunFrames(1);
    }
};

TEST_F(LevelPanelTest, TheMouseStepsNumbersWithinRangeAndSwitchesRules) {
    TapKey(TS_KEY_L);
    ASSERT_TRUE(PanelOpen());
    Level& level = Edited();
    ASSERT_FLOAT_EQ(level.startFuel, 100);
    Plus(1);  // already full
    EXPECT_FLOAT_EQ(level.startFuel, 100);
    EXPECT_FALSE(editor.dirty);
    Minus(1);
    Minus(1);
    EXPECT_FLOAT_EQ(level.startFuel, 98);
    Automation_KeyDown(TS_KEY_LEFT_SHIFT);
    Minus(1);
    Automation_KeyUp(TS_KEY_LEFT_SHIFT);
    EXPECT_FLOAT_EQ(level.startFuel, 88);
    // A press that began beside a stepper does not step when it slides onto it.
    const TS_Vec2 value = RowControl(1, 180);
    Automation_MouseMove(value.x, value.y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseMove(value.x + 65, value.y);
    Automation_RunFrames(60);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(level.startFuel, 88);

    Minus(0);  // par time stops at 0, "no par"
    EXPECT_FLOAT_EQ(level.parTime, 0);
    Plus(0);
    EXPECT_FLOAT_EQ(level.parTime, 1);

    // Held, a stepper repeats: rotation runs down to -180 and stops there.
    const TS_Vec2 minus = RowControl(2, 115);
    Automation_MouseMove(minus.x, minus.y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(180);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(level.startRotation, -180);

    Toggle(0);
    Toggle(3);
    EXPECT_EQ(level.flags, uint32_t{LEVEL_UNLIMITED_FUEL | LEVEL_HALF_SPEED});
    Toggle(0);
    EXPECT_EQ(level.flags, uint32_t{LEVEL_HALF_SPEED});
    EXPECT_TRUE(editor.dirty);
    // Nothing behind the popup was touched.
    EXPECT_EQ(CountObjects(), 0);
    EXPECT_EQ(editor.selection, nullptr);

    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(PanelOpen());
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));  // the Escape closed only the popup

    // Each click is a step of its own, and so is the held stepper.
    Chord(TS_KEY_Z);
    EXPECT_EQ(level.flags, uint32_t{LEVEL_UNLIMITED_FUEL | LEVEL_HALF_SPEED});
    Chord(TS_KEY_Z);
    Chord(TS_KEY_Z);
    EXPECT_EQ(level.flags, 0u);
    EXPECT_FLOAT_EQ(level.startRotation, -180);
    Chord(TS_KEY_Z);
    EXPECT_FLOAT_EQ(level.startRotation, 0);
    EXPECT_FLOAT_EQ(level.parTime, 1);
}

TEST_F(LevelPanelTest, TheKeysChooseARowStepItAndClose) {
    ClickButton(editor.levelButton);
    ASSERT_TRUE(PanelOpen());
    Level& level = Edited();
    TapKey(TS_KEY_RIGHT);  // par time, the first row
    EXPECT_FLOAT_EQ(level.parTime, 1);
    TapKey(TS_KEY_DOWN);
    HoldKey(TS_KEY_LEFT, 60);  // a second: one step, a pause, then a run
    EXPECT_LT(level.startFuel, 90);
    EXPECT_GT(level.startFuel, 60);
    TapKey(TS_KEY_UP);
    TapKey(TS_KEY_UP);  // round to the last rule
    TapKey(TS_KEY_SPACE);
    EXPECT_EQ(level.flags, uint32_t{LEVEL_HALF_SPEED});
    TapKey(TS_KEY_UP);
    TapKey(TS_KEY_RIGHT);
    EXPECT_EQ(level.flags, uint32_t{LEVEL_HALF_SPEED | LEVEL_NO_STRANDING});
    // The arrows worked the popup, not the camera or a selection.
    EXPECT_FLOAT_EQ(editor.editorCamera.position.x, 0);
    TapKey(TS_KEY_ENTER);
    EXPECT_FALSE(PanelOpen());
    TapKey(TS_KEY_L);
    EXPECT_TRUE(PanelOpen());
    TapKey(TS_KEY_L);
    EXPECT_FALSE(PanelOpen());
}

TEST_F(LevelPanelTest, NumbersCanBeTypedWithinTheirRanges) {
    TapKey(TS_KEY_L);
    Level& level = Edited();
    Type("45");
    EXPECT_FLOAT_EQ(level.parTime, 0);  // not taken until Enter
    TapKey(TS_KEY_ENTER);
    EXPECT_FLOAT_EQ(level.parTime, 45);
    EXPECT_TRUE(PanelOpen());  // Enter took the number; it did not close

    TapKey(TS_KEY_DOWN);
    Type("250");
    TapKey(TS_KEY_ENTER);
    EXPECT_FLOAT_EQ(level.startFuel, 100);  // kept within 1 to 100
    Type("0");
    TapKey(TS_KEY_DOWN);  // moving on takes it too
    EXPECT_FLOAT_EQ(level.startFuel, 1);

    TapKey(TS_KEY_MINUS);
    Type("905");  // four characters at most
    TapKey(TS_KEY_BACKSPACE);
    TapKey(TS_KEY_BACKSPACE);
    Type("0");
    TapKey(TS_KEY_ESCAPE);  // drops the typing, keeps the popup
    EXPECT_FLOAT_EQ(level.startRotation, 0);
    EXPECT_TRUE(PanelOpen());
    TapKey(TS_KEY_MINUS);
    Type("90");
    ClickAt(RowControl(2, -100));               // on the row's name
    EXPECT_FLOAT_EQ(level.startRotation, -90);  // a click takes it
    // Clicking a number chooses its row for typing.
    ClickAt(RowControl(0, 180));
    Type("7");
    TapKey(TS_KEY_L);  // closing takes it
    EXPECT_FALSE(PanelOpen());
    EXPECT_FLOAT_EQ(level.parTime, 7);
}

TEST_F(LevelPanelTest, TheValuesAreSavedOpenedAgainAndFlownByTestPlay) {
    TapKey(TS_KEY_L);
    for (int i = 0; i < 45; ++i) Plus(0);
    Minus(1);
    for (int i = 0; i < 7; ++i) Plus(2);
    Toggle(1);
    Toggle(2);
    TapKey(TS_KEY_ESCAPE);
    const std::string path = TempDir() + "/rules.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    SaveAnyway();
    Answer(editor.resultPopup, 0);
    EXPECT_EQ(ReadText(path), "/6\n.45.000000\n%99.000000\n^35.000000\n");

    // A fresh editor opens it with the same values.
    TapKey(TS_KEY_ESCAPE);
    ASSERT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    Screen_Switch(EditorScreen);
    Automation_RunFrames(1);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.openButton);
    EXPECT_EQ(Edited().flags, uint32_t{LEVEL_NO_TURNING | LEVEL_NO_STRANDING});
    EXPECT_FLOAT_EQ(Edited().parTime, 45);
    EXPECT_FLOAT_EQ(Edited().startFuel, 99);
    EXPECT_FLOAT_EQ(Edited().startRotation, 35);

    // Test play flies them.
    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 99);
    EXPECT_FLOAT_EQ(world.ship.body->rotation, 35);
    EXPECT_EQ(world.ship.canTurn, 0);
    EXPECT_EQ(world.level.flags, uint32_t{LEVEL_NO_TURNING | LEVEL_NO_STRANDING});
    EXPECT_FLOAT_EQ(world.level.parTime, 45);
    TapKey(TS_KEY_F5);
}

TEST_F(LevelPanelTest, Screenshot) {
    DropItemAt(PALETTE_ASTEROID, -300, 120);
    DropItemAt(PALETTE_GOAL, 250, -100);
    TapKey(TS_KEY_L);
    Plus(0);
    Toggle(0);
    Toggle(3);
    ClickAt(RowControl(1, 180));
    Type("75");
    Automation_MouseMove(1200, 700);
    Automation_RunFrames(2);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_level_panel.png").c_str()));
}

}  // namespace
