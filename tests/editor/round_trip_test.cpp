// A level built in the editor by mouse and keyboard, saved, opened again in a
// fresh editor, and flown from the level select's custom level.
#include <vector>

#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "world/world.h"

namespace {

struct Placed {
    ObjectKind kind;
    float x, y, rotation, w, h;
};

std::vector<Placed> Snapshot(const Level& level) {
    std::vector<Placed> placed;
    for (uint64_t i = 0; level.objects && i < level.objectCapacity; ++i) {
        const LevelObject* entry = level.objects[i];
        if (!entry) continue;
        const GameObject* o = entry->object;
        placed.push_back(
            {entry->kind, o->position.x, o->position.y, o->rotation, o->size.x, o->size.y});
    }
    if (level.goal) {
        const GameObject* o = level.goal->object;
        placed.push_back(
            {KIND_GOAL, o->position.x, o->position.y, o->rotation, o->size.x, o->size.y});
    }
    return placed;
}

void ExpectSame(const std::vector<Placed>& a, const std::vector<Placed>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].kind, b[i].kind) << i;
        EXPECT_NEAR(a[i].x, b[i].x, 1e-3f) << i;
        EXPECT_NEAR(a[i].y, b[i].y, 1e-3f) << i;
        EXPECT_NEAR(a[i].rotation, b[i].rotation, 1e-3f) << i;
        EXPECT_NEAR(a[i].w, b[i].w, 1e-3f) << i;
        EXPECT_NEAR(a[i].h, b[i].h, 1e-3f) << i;
    }
}

class RoundTripTest : public EditorTest {
protected:
    // Clicks the button whose label is drawn with this text.
    void ClickLabel(const char* label) {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        float x = -1, y = -1;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == label) {
                x = call.x;
                y = call.y;
            }
        }
        Automation_RecordDraws(false);
        ASSERT_GE(x, 0) << label;
        Click(x, y);
    }
};

TEST_F(RoundTripTest, ALevelBuiltByMouseSurvivesSavingOpeningAndPlaying) {
    DropItemAt(PALETTE_ASTEROID, 200, 100);
    DropItemAt(PALETTE_ASTEROID, -250, 180);
    DropItemAt(PALETTE_FUEL_CELL, -150, 50);
    DropItemAt(PALETTE_GOAL, 420, -100);
    DropItemAt(PALETTE_TEXT, 0, -150);
    // Move the first asteroid, turn the second and make it larger.
    const TS_Vec2 first = ToScreen(200, 100);
    Drag(first, TS_Vec2{first.x + 50, first.y});
    ClickWorld(-250, 180);
    TS_Vec2 handle = editor.gizmo->rotateHandle->position;
    Drag(handle, TS_Vec2{handle.x + 30, handle.y});
    handle = editor.gizmo->scaleHandle->position;
    Drag(handle, TS_Vec2{handle.x + 20, handle.y + 20});
    // Write the hint.
    ClickWorld(0, -150);
    ClickButton(editor.editTextButton);
    for (int i = 0; i < 4; ++i) TapKey(TS_KEY_BACKSPACE);
    Type("fly up");
    ClickButton(editor.editTextButton);
    const std::vector<Placed> built = Snapshot(Edited());
    ASSERT_EQ(built.size(), 4u);
    EXPECT_FLOAT_EQ(built[0].x, 250);
    EXPECT_FLOAT_EQ(built[1].rotation, 15);
    EXPECT_GT(built[1].w, 60);

    const std::string path = TempDir() + "/built by hand.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    Answer(editor.resultPopup, 0);
    ASSERT_FALSE(editor.dirty);

    // A fresh editor opens it again.
    TapKey(TS_KEY_ESCAPE);
    ASSERT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    Screen_Switch(EditorScreen);
    Automation_RunFrames(1);
    ASSERT_EQ(CountObjects(), 0);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.openButton);
    ExpectSame(Snapshot(Edited()), built);
    ASSERT_NE(Edited().texts[0], nullptr);
    EXPECT_STREQ(Edited().texts[0]->text, "fly up");
    EXPECT_EQ(std::string(editor.titleText), path);

    // And it plays as a custom level from the level select.
    TapKey(TS_KEY_ESCAPE);
    ASSERT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    ClickLabel("Level Select");
    ASSERT_EQ(Screen_CurrentName(), std::string("LevelSelect"));
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickLabel("Select a Custom Level from a File");
    Automation_RunFrames(2);
    ASSERT_EQ(Screen_CurrentName(), std::string("CustomLevel"));
    ExpectSame(Snapshot(world.level), built);
    EXPECT_EQ(world.phase, PHASE_INTRO);  // the fly-over from the goal
    Screen_Switch(MainMenuScreen);
    Automation_RunFrames(1);
}

}  // namespace
