// What the editor draws: collider outlines on F3, the handles around a
// selection at any zoom, the bars, and pictures of it all for review.
#include "editor_fixture.h"
#include "world/world.h"

namespace {

class EditorDrawTest : public EditorTest {
protected:
    // The draw calls of one more frame.
    const std::vector<AutomationDrawCall>& Frame() {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        return Automation_DrawCalls();
    }
    static bool Is(TS_Color c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; }
    static int Count(const std::vector<AutomationDrawCall>& calls, AutomationDrawKind kind, int r,
                     int g, int b) {
        int count = 0;
        for (const AutomationDrawCall& call : calls) {
            if (call.kind == kind && call.stroked && Is(call.stroke, r, g, b)) ++count;
        }
        return count;
    }
    static const AutomationDrawCall* Find(const std::vector<AutomationDrawCall>& calls,
                                          AutomationDrawKind kind, int r, int g, int b) {
        for (const AutomationDrawCall& call : calls) {
            if (call.kind == kind && call.stroked && Is(call.stroke, r, g, b)) return &call;
        }
        return nullptr;
    }
};

TEST_F(EditorDrawTest, F3OutlinesEveryObjectsColliderButNotTheGoals) {
    Put(0, KIND_ASTEROID, 100, 0, 80, 40);
    Put(1, KIND_FUEL_CELL, -100, 0);
    Put(0, KIND_GOAL, 0, 200);
    EXPECT_EQ(Count(Frame(), DRAW_ELLIPSE, 0, 255, 0), 0);
    TapKey(TS_KEY_F3);
    const auto& calls = Frame();
    EXPECT_EQ(Count(calls, DRAW_ELLIPSE, 0, 255, 0), 2);
    const AutomationDrawCall* outline = Find(calls, DRAW_ELLIPSE, 0, 255, 0);
    ASSERT_NE(outline, nullptr);
    EXPECT_FLOAT_EQ(outline->x, 740);
    EXPECT_FLOAT_EQ(outline->y, 360);
    EXPECT_FLOAT_EQ(outline->w, 80);
    EXPECT_FLOAT_EQ(outline->h, 40);
    EXPECT_FALSE(outline->filled);
    TapKey(TS_KEY_F3);
    EXPECT_EQ(Count(Frame(), DRAW_ELLIPSE, 0, 255, 0), 0);
}

TEST_F(EditorDrawTest, HandlesStayUprightAndOnlyTheMoveBoxGrowsWithTheZoom) {
    EXPECT_EQ(Count(Frame(), DRAW_RECT, 0, 0, 255), 0);  // nothing selected
    Put(0, KIND_WALL, 100, 50, 120, 30, 45);
    ClickWorld(100, 50);
    ZoomTo(2.0f);
    const auto& calls = Frame();
    const AutomationDrawCall* box = Find(calls, DRAW_RECT, 0, 0, 255);
    const AutomationDrawCall* turn = Find(calls, DRAW_RECT, 255, 102, 0);
    const AutomationDrawCall* grow = Find(calls, DRAW_RECT, 0, 255, 0);
    ASSERT_TRUE(box && turn && grow);
    const float z = editor.editorCamera.zoom;
    EXPECT_FLOAT_EQ(box->w, 120 * z);
    EXPECT_FLOAT_EQ(box->h, 30 * z);
    EXPECT_FLOAT_EQ(box->rotation, 0);
    EXPECT_FLOAT_EQ(turn->w, 15);
    EXPECT_FLOAT_EQ(grow->h, 15);
    EXPECT_FALSE(box->filled);
    // The object itself is drawn turned, at the zoomed size.
    bool wallDrawn = false;
    for (const AutomationDrawCall& call : calls) {
        if (call.kind == DRAW_IMAGE && call.rotation == 45 && call.w == 120 * z) wallDrawn = true;
    }
    EXPECT_TRUE(wallDrawn);
    // No "Edit Text" for an object.
    for (const AutomationDrawCall& call : calls) EXPECT_NE(call.text, "Edit Text");
}

TEST_F(EditorDrawTest, TheTopBarShowsTheNameAndTheUnsavedBadge) {
    auto hasText = [](const std::vector<AutomationDrawCall>& calls, const char* text) {
        for (const AutomationDrawCall& call : calls) {
            if (call.kind == DRAW_TEXT && call.text == text) return true;
        }
        return false;
    };
    EXPECT_TRUE(hasText(Frame(), "Unsaved Vexal Level.vexl"));
    EXPECT_FALSE(hasText(Frame(), "Unsaved"));
    DropItemAt(PALETTE_TEXT, 0, 100);
    const auto& calls = Frame();
    EXPECT_TRUE(hasText(calls, "Unsaved"));
    EXPECT_TRUE(hasText(calls, "Text"));
    for (const char* label : {"Save", "Open", "Help", "Exit", "Play"}) {
        EXPECT_TRUE(hasText(calls, label)) << label;
    }
}

TEST_F(EditorDrawTest, Screenshots) {
    Automation_RecordDraws(false);
    DropItemAt(PALETTE_ASTEROID, -300, 120);
    DropItemAt(PALETTE_ASTEROID, 250, -160);
    DropItemAt(PALETTE_FUEL_CELL, 150, 150);
    DropItemAt(PALETTE_GOAL, 450, 60);
    DropItemAt(PALETTE_TEXT, -150, -150);
    Put(10, KIND_WALL, -100, 250, 300, 30, 15);
    // Select the first asteroid, turn it a little and make it bigger.
    ClickWorld(-300, 120);
    TS_Vec2 handle = editor.gizmo->rotateHandle->position;
    Drag(handle, TS_Vec2{handle.x + 40, handle.y});
    handle = editor.gizmo->scaleHandle->position;
    Drag(handle, TS_Vec2{handle.x + 20, handle.y + 20});
    Automation_MouseMove(700, 600);
    Automation_RunFrames(2);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_selection.png").c_str()));

    // A selected text with its button, and the collider outlines.
    ClickWorld(-150, -150);
    TapKey(TS_KEY_F3);
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_colliders.png").c_str()));
    TapKey(TS_KEY_F3);

    TapKey(TS_KEY_F5);
    Automation_RunFrames(150);  // past the fly-over
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_play_mode.png").c_str()));
    TapKey(TS_KEY_F5);

    TapKey(TS_KEY_F1);
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_help.png").c_str()));
}

}  // namespace
