// The editor's grid: G shows it under the scene, culled to the view and drawn
// without allocating; while it shows, moves, placements and nudges land on it
// and turns go in steps of 15 degrees, unless Shift is held.
#include <functional>
#include <vector>

#include "editor_fixture.h"
#include "support/malloc_counter.h"

namespace {

class GridTest : public EditorTest {
protected:
    // The grid's lines of the last frame: 1-pixel rects across the window.
    int CountGridLines(bool vertical) const {
        int count = 0;
        for (const AutomationDrawCall& call : calls) {
            if (call.kind != DRAW_RECT) continue;
            if (vertical && call.w == 1.0f && call.h == 720.0f) {
                EXPECT_GE(call.x, 0.0f);
                EXPECT_LT(call.x, 1280.0f);
                ++count;
            } else if (!vertical && call.h == 1.0f && call.w == 1280.0f) {
                EXPECT_GE(call.y, 0.0f);
                EXPECT_LT(call.y, 720.0f);
                ++count;
            }
        }
        return count;
    }
    void FrameWithDraws() {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        calls = Automation_DrawCalls();
        Automation_RecordDraws(false);
    }
    static long AllocationsOf30Frames() {
        Automation_RunFrames(5);
        MallocCounter_Start();
        Automation_RunFrames(30);
        return MallocCounter_Stop();
    }
    std::vector<AutomationDrawCall> calls;
    void WithShift(const std::function<void()>& act) {
        Automation_KeyDown(TS_KEY_LEFT_SHIFT);
        act();
        Automation_KeyUp(TS_KEY_LEFT_SHIFT);
        Automation_RunFrames(1);
    }
};

TEST_F(GridTest, GShowsLinesEvery25UnitsInViewOnlyAndThinsThemWhenZoomedOut) {
    FrameWithDraws();
    EXPECT_EQ(CountGridLines(true), 0);
    TapKey(TS_KEY_G);
    ASSERT_TRUE(editor.showGrid);
    FrameWithDraws();

    // 1280 x 720 pixels at zoom 1: x from -640 to 640 has the lines from
    // -625 to 625, y from -360 to 360 those from -350 to 350.
    EXPECT_EQ(CountGridLines(true), 51);
    EXPECT_EQ(CountGridLines(false), 29);

    HoldKey(TS_KEY_Q, 220);  // zoom 0.1: 25 units would be 2.5 pixels
    ASSERT_FLOAT_EQ(editor.editorCamera.zoom, 0.1f);
    FrameWithDraws();
    EXPECT_NEAR(CountGridLines(true), 12800 / 100, 1);  // only the lines every 100

    ZoomTo(2.0f);
    HoldKey(TS_KEY_D, 20);  // pan, then count again: still only what is in view
    FrameWithDraws();
    EXPECT_NEAR(CountGridLines(true), 640 / 25, 1);

    // The grid costs a frame no allocation at all.
    if (MallocCounter_Available()) {
        const long withGrid = AllocationsOf30Frames();
        TapKey(TS_KEY_G);
        EXPECT_EQ(AllocationsOf30Frames(), withGrid);
    } else {
        TapKey(TS_KEY_G);
    }
    EXPECT_FALSE(editor.showGrid);

    // How it looks with a few things placed on it.
    ZoomTo(1.0f);
    TapKey(TS_KEY_F);
    TapKey(TS_KEY_G);
    DropItemAt(PALETTE_ASTEROID, -200, 100);
    DropItemAt(PALETTE_FUEL_CELL, 100, 50);
    DropItemAt(PALETTE_GOAL, 300, -100);
    Put(3, KIND_WALL, -100, -150, 200, 25, 0);
    ClickWorld(-200, 100);
    Automation_MouseMove(1200, 700);
    Automation_RunFrames(2);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_grid.png").c_str()));
}

TEST_F(GridTest, MovesTurnsPlacementsAndNudgesSnapUnlessShiftIsHeld) {
    TapKey(TS_KEY_G);
    DropItemAt(PALETTE_ASTEROID, 37, 61);
    ASSERT_NE(Edited().objects[0], nullptr);
    GameObject* rock = Edited().objects[0]->object;
    EXPECT_FLOAT_EQ(rock->position.x, 25);
    EXPECT_FLOAT_EQ(rock->position.y, 50);
    WithShift([] { DropItemAt(PALETTE_FUEL_CELL, -237, -161); });
    ASSERT_NE(Edited().objects[1], nullptr);
    EXPECT_FLOAT_EQ(Edited().objects[1]->object->position.x, -237);
    EXPECT_FLOAT_EQ(Edited().objects[1]->object->position.y, -161);

    // A move follows the pointer in whole grid steps.
    TS_Vec2 at = ToScreen(25, 50);
    Drag(at, TS_Vec2{at.x + 37, at.y - 11});
    EXPECT_FLOAT_EQ(rock->position.x, 50);  // 62 is nearest 50
    EXPECT_FLOAT_EQ(rock->position.y, 50);  // 61 too
    at = ToScreen(50, 50);
    WithShift([&] { Drag(at, TS_Vec2{at.x + 37, at.y - 11}); });
    EXPECT_FLOAT_EQ(rock->position.x, 87);
    EXPECT_FLOAT_EQ(rock->position.y, 61);

    // Turns in steps of 15 degrees: 33 pixels would be 16.5.
    TS_Vec2 handle = editor.gizmo->rotateHandle->position;
    Drag(handle, TS_Vec2{handle.x + 33, handle.y});
    EXPECT_FLOAT_EQ(rock->rotation, 15);
    handle = editor.gizmo->rotateHandle->position;
    WithShift([&] { Drag(handle, TS_Vec2{handle.x + 33, handle.y}); });
    EXPECT_FLOAT_EQ(rock->rotation, 31.5f);

    // Each arrow press is one grid step, onto the grid.
    TapKey(TS_KEY_RIGHT);
    EXPECT_FLOAT_EQ(rock->position.x, 100);  // 87 + 25 = 112 lands on 100
    TapKey(TS_KEY_UP);
    TapKey(TS_KEY_UP);
    EXPECT_FLOAT_EQ(rock->position.y, 100);
    WithShift([] { HoldKey(TS_KEY_LEFT, 6); });
    EXPECT_NEAR(rock->position.x, 90, 0.01f);  // free: 100 units a second

    // Without the grid everything is free again.
    TapKey(TS_KEY_G);
    at = ToScreen(rock->position.x, rock->position.y);
    const TS_Vec2 before = rock->position;
    Drag(at, TS_Vec2{at.x + 7, at.y});
    EXPECT_NEAR(rock->position.x, before.x + 7, 0.01f);
}

}  // namespace
