// Picking, the move, rotate and scale handles, nudging, Delete, typing into
// texts and the editor camera's keys.
#include "editor_fixture.h"

namespace {

using ObjectsTest = EditorTest;

TEST_F(ObjectsTest, ClicksPickTheGoalFirstThenObjectsThenTextsByTheirUnturnedBoxes) {
    PutText(0, "abc", 100, 0);
    Put(7, KIND_ASTEROID, 100, 0);
    Put(3, KIND_FUEL_CELL, 100, 0);
    Put(0, KIND_GOAL, 100, 0);

    const void* expected[] = {Edited().goal, Edited().objects[3], Edited().objects[7],
                              Edited().texts[0]};
    for (const void* item : expected) {
        ClickWorld(100, 0);
        EXPECT_EQ(editor.selection, item);
        TapKey(TS_KEY_DELETE);
    }
    EXPECT_EQ(Edited().goal, nullptr);
    EXPECT_EQ(CountObjects(), 0);
    EXPECT_EQ(CountTexts(), 0);

    // A long wall stood upright is still picked by its lying box.
    LevelObject* wall = Put(0, KIND_WALL, -200, 0, 200, 20, 90);
    ClickWorld(-200 + 90, 0);
    EXPECT_EQ(editor.selection, wall);
    EXPECT_FALSE(editor.selectionIsText);
    ClickWorld(-200, 40);
    EXPECT_EQ(editor.selection, nullptr);
    EXPECT_EQ(editor.gizmo->target, nullptr);
}

TEST_F(ObjectsTest, TheMoveBoxCarriesTheObjectWithThePointerAtAnyZoom) {
    LevelObject* rock = Put(0, KIND_ASTEROID, 100, 50);
    for (float zoom : {1.0f, 2.0f, 0.5f}) {
        ZoomTo(zoom);
        const float z = editor.editorCamera.zoom;
        const TS_Vec2 before = rock->object->position;
        const TS_Vec2 at = ToScreen(before.x, before.y);
        // Pressing on an unselected object picks it and grabs it at once.
        Drag(at, TS_Vec2{at.x + 60, at.y - 30});
        EXPECT_EQ(editor.selection, rock);
        EXPECT_NEAR(rock->object->position.x, before.x + 60 / z, 0.5f / z) << zoom;
        EXPECT_NEAR(rock->object->position.y, before.y + 30 / z, 0.5f / z) << zoom;
        EXPECT_FLOAT_EQ(rock->object->size.x, 50);
        EXPECT_FLOAT_EQ(rock->object->rotation, 0);
    }
    EXPECT_TRUE(editor.dirty);
}

TEST_F(ObjectsTest, SelectingWithoutMovingLeavesTheLevelUnchanged) {
    LevelObject* rock = Put(0, KIND_ASTEROID, 100, 50);
    ClickWorld(100, 50);
    ClickWorld(100, 50);
    EXPECT_EQ(editor.selection, rock);
    EXPECT_FALSE(editor.dirty);
}

TEST_F(ObjectsTest, TheRotateHandleTurnsWithSidewaysMovementOnly) {
    LevelObject* rock = Put(0, KIND_ASTEROID, 100, 50);
    for (float zoom : {1.0f, 3.0f}) {
        ZoomTo(zoom);
        ClickWorld(100, 50);
        ASSERT_EQ(editor.selection, rock);
        const float start = rock->object->rotation;
        const TS_Vec2 handle = editor.gizmo->rotateHandle->position;
        Drag(handle, TS_Vec2{handle.x, handle.y - 40});  // straight up: no turn
        EXPECT_FLOAT_EQ(rock->object->rotation, start);
        Drag(handle, TS_Vec2{handle.x + 40, handle.y + 20});
        EXPECT_FLOAT_EQ(rock->object->rotation, start + 20);  // half a degree per pixel
        EXPECT_FLOAT_EQ(rock->object->position.x, 100);
    }
    // The handles stay upright above the unturned box.
    const TS_Vec2 centre = ToScreen(100, 50);
    EXPECT_FLOAT_EQ(editor.gizmo->rotateHandle->position.x, centre.x);
    EXPECT_NEAR(editor.gizmo->rotateHandle->position.y,
                centre.y - 25 * editor.editorCamera.zoom - 7.5f, 0.01f);
}

TEST_F(ObjectsTest, TheScaleHandleFollowsThePointerAtAnyZoomAndStopsAt25) {
    LevelObject* rock = Put(0, KIND_ASTEROID, 50, -20);
    for (float zoom : {0.5f, 1.0f, 3.0f}) {
        ZoomTo(zoom);
        rock->object->size = TS_Vec2{50, 50};
        ClickWorld(50, -20);
        ASSERT_EQ(editor.selection, rock);
        const float z = editor.editorCamera.zoom;
        const TS_Vec2 handle = editor.gizmo->scaleHandle->position;
        Drag(handle, TS_Vec2{handle.x + 30, handle.y + 30}, 15);
        // The corner went 30 px outward: each side grew by 60 px on screen.
        EXPECT_NEAR(rock->object->size.x, 50 + 60 / z, 12 / z) << zoom;
        EXPECT_FLOAT_EQ(rock->object->size.x, rock->object->size.y);
        EXPECT_FLOAT_EQ(rock->object->position.x, 50);
    }
    ZoomTo(1.0f);
    const TS_Vec2 handle = editor.gizmo->scaleHandle->position;
    Drag(handle, TS_Vec2{handle.x - 150, handle.y - 150}, 15);
    EXPECT_FLOAT_EQ(rock->object->size.x, 25);
    EXPECT_FLOAT_EQ(rock->object->size.y, 25);

    // A new text is 20 high: its first scale step lifts it to 25.
    TextObject* text = PutText(0, "Text", -200, 0);
    ClickWorld(-200, 0);
    ASSERT_EQ(editor.selection, text);
    const TS_Vec2 corner = editor.gizmo->scaleHandle->position;
    Drag(corner, TS_Vec2{corner.x - 1, corner.y - 1}, 1);
    EXPECT_FLOAT_EQ(text->textSize, 25);
}

TEST_F(ObjectsTest, ArrowKeysNudgeTheSelectionOneAxisAtATime) {
    LevelObject* rock = Put(0, KIND_ASTEROID, 100, 50);
    HoldKey(TS_KEY_UP, 30);  // nothing selected: nothing moves
    EXPECT_FLOAT_EQ(rock->object->position.y, 50);
    EXPECT_FALSE(editor.dirty);

    ClickWorld(100, 50);
    HoldKey(TS_KEY_UP, 60);  // 100 units per second
    EXPECT_NEAR(rock->object->position.y, 150, 0.01f);
    Automation_KeyDown(TS_KEY_LEFT);
    Automation_KeyDown(TS_KEY_DOWN);  // Down comes before Left
    Automation_RunFrames(30);
    Automation_KeyUp(TS_KEY_LEFT);
    Automation_KeyUp(TS_KEY_DOWN);
    Automation_RunFrames(1);
    EXPECT_NEAR(rock->object->position.y, 100, 0.01f);
    EXPECT_FLOAT_EQ(rock->object->position.x, 100);
    HoldKey(TS_KEY_RIGHT, 6);
    EXPECT_NEAR(rock->object->position.x, 110, 0.01f);
    EXPECT_TRUE(editor.dirty);
    // The handles went along.
    EXPECT_NEAR(editor.gizmo->moveHandle->position.x, ToScreen(110, 100).x, 0.01f);
}

TEST_F(ObjectsTest, DeleteRemovesTheSelectionAndAlwaysCountsAsAnEdit) {
    Put(4, KIND_ASTEROID, 100, 50);
    TapKey(TS_KEY_DELETE);
    EXPECT_NE(Edited().objects[4], nullptr);
    EXPECT_TRUE(editor.dirty);  // even with nothing selected

    ClickWorld(100, 50);
    TapKey(TS_KEY_DELETE);
    EXPECT_EQ(Edited().objects[4], nullptr);
    EXPECT_EQ(editor.selection, nullptr);
    EXPECT_EQ(editor.gizmo->target, nullptr);
}

TEST_F(ObjectsTest, TextsAreTypedIntoBetweenEditTextAndDone) {
    DropItemAt(PALETTE_TEXT, 0, 100);
    TextObject* text = Edited().texts[0];
    ASSERT_NE(text, nullptr);
    ClickWorld(0, 100);
    ASSERT_EQ(editor.selection, text);
    EXPECT_STREQ(editor.editTextButton->label, "Edit Text");
    // The button sits just above the text, clear of the rotate handle.
    EXPECT_FLOAT_EQ(editor.editTextButton->position.x, 640);
    EXPECT_LT(editor.editTextButton->position.y + 12.5f,
              editor.gizmo->rotateHandle->position.y - 7.5f + 0.01f);

    editor.dirty = false;
    ClickButton(editor.editTextButton);
    EXPECT_TRUE(editor.textEditing);
    EXPECT_STREQ(editor.editTextButton->label, "Done");
    EXPECT_EQ(text->textCapacity, static_cast<uint64_t>(EDITOR_TEXT_BUFFER));
    EXPECT_EQ(editor.selection, text);  // the button's click is not a pick
    EXPECT_FALSE(editor.dirty);

    for (int i = 0; i < 5; ++i) TapKey(TS_KEY_BACKSPACE);  // one more than there is
    EXPECT_STREQ(text->text, "");
    Type("go west 42");
    Automation_KeyDown(TS_KEY_LEFT_SHIFT);
    Type("A_");
    Automation_KeyUp(TS_KEY_LEFT_SHIFT);
    EXPECT_STREQ(text->text, "go west 42A_");
    EXPECT_FLOAT_EQ(text->width, 12 * 20 * 0.5f);
    EXPECT_FLOAT_EQ(editor.editorCamera.position.y, 0);  // W was typed, not panned
    EXPECT_TRUE(editor.dirty);

    // 299 characters fit, as many as a level file keeps; more are ignored.
    Automation_TypeText(std::string(300, 'x').c_str());
    Automation_RunFrames(1);
    EXPECT_EQ(std::strlen(text->text), 299u);

    ClickButton(editor.editTextButton);
    EXPECT_FALSE(editor.textEditing);
    EXPECT_STREQ(editor.editTextButton->label, "Edit Text");
    EXPECT_EQ(Edited().texts[0], text);
}

TEST_F(ObjectsTest, ATextLeftEmptyIsRemovedWhenEditingEnds) {
    for (bool byDone : {true, false}) {
        TextObject* text = PutText(0, "ab", 0, 100);
        ClickWorld(0, 100);
        ClickButton(editor.editTextButton);
        ASSERT_TRUE(editor.textEditing);
        TapKey(TS_KEY_BACKSPACE);
        TapKey(TS_KEY_BACKSPACE);
        EXPECT_STREQ(text->text, "");
        if (byDone) ClickButton(editor.editTextButton);
        else ClickWorld(300, -200);  // empty space: an empty text has no box to find again
        EXPECT_EQ(Edited().texts[0], nullptr) << byDone;
        EXPECT_EQ(editor.selection, nullptr);
        EXPECT_FALSE(editor.textEditing);
    }
}

TEST_F(ObjectsTest, CameraKeysPanZoomAndReset) {
    HoldKey(TS_KEY_W, 30);
    EXPECT_NEAR(editor.editorCamera.position.y, 400, 0.01f);
    HoldKey(TS_KEY_D, 15);
    EXPECT_NEAR(editor.editorCamera.position.x, 200, 0.01f);

    // F resets the position only while neither A nor D is held.
    Automation_KeyDown(TS_KEY_A);
    Automation_RunFrames(1);
    Automation_KeyDown(TS_KEY_F);
    Automation_RunFrames(1);
    Automation_KeyUp(TS_KEY_F);
    Automation_KeyUp(TS_KEY_A);
    Automation_RunFrames(1);
    EXPECT_NE(editor.editorCamera.position.y, 0);
    TapKey(TS_KEY_F);
    EXPECT_FLOAT_EQ(editor.editorCamera.position.x, 0);
    EXPECT_FLOAT_EQ(editor.editorCamera.position.y, 0);

    // Q and E halve and double the zoom each second.
    HoldKey(TS_KEY_Q, 240);
    EXPECT_FLOAT_EQ(editor.editorCamera.zoom, 0.1f);
    TapKey(TS_KEY_R);
    EXPECT_FLOAT_EQ(editor.editorCamera.zoom, 1.0f);
    HoldKey(TS_KEY_E, 120);
    EXPECT_NEAR(editor.editorCamera.zoom, 4.0f, 0.01f);
    // The matrices follow: the world origin stays in the window centre.
    EXPECT_NEAR(ToScreen(10, 0).x, 640 + 40, 0.1f);
}

}  // namespace
