// Dragging asteroids, fuel cells, the goal and texts out of the side bar.
#include "editor_fixture.h"

namespace {

using PaletteTest = EditorTest;

TEST_F(PaletteTest, EachItemDraggedIntoTheSceneAppearsWhereItIsDropped) {
    DropItemAt(PALETTE_ASTEROID, 200, 100);
    DropItemAt(PALETTE_FUEL_CELL, -150, -50);
    DropItemAt(PALETTE_GOAL, 300, -200);
    DropItemAt(PALETTE_TEXT, -100, 150);

    const LevelObject* asteroid = Edited().objects[0];
    ASSERT_NE(asteroid, nullptr);
    EXPECT_EQ(asteroid->kind, KIND_ASTEROID);
    EXPECT_FLOAT_EQ(asteroid->object->position.x, 200);
    EXPECT_FLOAT_EQ(asteroid->object->position.y, 100);
    EXPECT_FLOAT_EQ(asteroid->object->size.x, 50);
    EXPECT_FLOAT_EQ(asteroid->object->rotation, 0);
    ASSERT_NE(asteroid->object->collider, nullptr);
    EXPECT_NE(asteroid->object->shape, nullptr);

    const LevelObject* fuel = Edited().objects[1];
    ASSERT_NE(fuel, nullptr);
    EXPECT_EQ(fuel->kind, KIND_FUEL_CELL);
    EXPECT_FLOAT_EQ(fuel->object->position.x, -150);
    EXPECT_FLOAT_EQ(fuel->object->position.y, -50);

    ASSERT_NE(Edited().goal, nullptr);
    EXPECT_EQ(Edited().goal->kind, KIND_GOAL);
    EXPECT_FLOAT_EQ(Edited().goal->object->position.x, 300);
    EXPECT_FLOAT_EQ(Edited().goal->object->position.y, -200);
    EXPECT_EQ(CountObjects(), 2);  // the goal lives outside the table

    const TextObject* text = Edited().texts[0];
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text, "Text");
    EXPECT_FLOAT_EQ(text->position.x, -100);
    EXPECT_FLOAT_EQ(text->position.y, 150);
    EXPECT_FLOAT_EQ(text->textSize, 20);
    EXPECT_FLOAT_EQ(text->width, 40);

    EXPECT_TRUE(editor.dirty);
    EXPECT_EQ(editor.selection, nullptr);  // new objects are not selected
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        EXPECT_FLOAT_EQ(editor.paletteHandles[i]->position.x, 25);
        EXPECT_FLOAT_EQ(editor.paletteHandles[i]->position.y, 75 + 50 * i);
        EXPECT_FALSE(editor.paletteHandles[i]->dragging);
    }
}

TEST_F(PaletteTest, DropsFollowTheCameraAndLandEvenOnTheBars) {
    HoldKey(TS_KEY_E, 60);  // zoom in to 2
    HoldKey(TS_KEY_D, 15);  // pan right by 200
    ASSERT_NEAR(editor.editorCamera.zoom, 2.0f, 0.05f);
    DropItem(PALETTE_ASTEROID, TS_Vec2{740, 260});
    const TS_Vec2 expected =
        TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld, TS_Vec2{740, 260});
    ASSERT_NE(Edited().objects[0], nullptr);
    EXPECT_NEAR(Edited().objects[0]->object->position.x, expected.x, 0.01f);
    EXPECT_NEAR(Edited().objects[0]->object->position.y, expected.y, 0.01f);
    EXPECT_NEAR(expected.x, 200 + 50, 1.0f);

    // Dropped over the top bar: still placed at the world point under it.
    DropItem(PALETTE_FUEL_CELL, TS_Vec2{640, 20});
    ASSERT_NE(Edited().objects[1], nullptr);
    EXPECT_EQ(Edited().objects[1]->kind, KIND_FUEL_CELL);
}

TEST_F(PaletteTest, AShortClickCreatesNothingAndChangesNothing) {
    for (int item = 0; item < PALETTE_ITEM_COUNT; ++item) {
        Click(25, 75 + 50 * item);
        // Even a quick flick that moves the box is only a click.
        Drag(TS_Vec2{25.0f, 75.0f + 50.0f * item}, TS_Vec2{400, 400}, 2);
    }
    EXPECT_EQ(CountObjects(), 0);
    EXPECT_EQ(CountTexts(), 0);
    EXPECT_EQ(Edited().goal, nullptr);
    EXPECT_FALSE(editor.dirty);
    EXPECT_FLOAT_EQ(editor.paletteHandles[3]->position.x, 25);
    EXPECT_FLOAT_EQ(editor.paletteHandles[3]->position.y, 225);
}

TEST_F(PaletteTest, FullTablesAndASecondGoalAreRefusedButStillCountAsAnEdit) {
    for (int i = 0; i < LEVEL_OBJECT_SLOTS; ++i) Put(i, KIND_WALL, static_cast<float>(i), -250);
    for (int i = 0; i < LEVEL_TEXT_SLOTS; ++i) PutText(i, "t", 1000.0f, 100.0f + i);
    Put(0, KIND_GOAL, 900, 0);

    DropItemAt(PALETTE_ASTEROID, 100, 100);
    EXPECT_TRUE(editor.dirty);
    editor.dirty = false;
    DropItemAt(PALETTE_TEXT, 100, 100);
    EXPECT_TRUE(editor.dirty);
    editor.dirty = false;
    DropItemAt(PALETTE_GOAL, 100, 100);
    EXPECT_TRUE(editor.dirty);

    for (int i = 0; i < LEVEL_OBJECT_SLOTS; ++i) EXPECT_EQ(Edited().objects[i]->kind, KIND_WALL);
    for (int i = 0; i < LEVEL_TEXT_SLOTS; ++i) EXPECT_STREQ(Edited().texts[i]->text, "t");
    EXPECT_FLOAT_EQ(Edited().goal->object->position.x, 900);

    // A freed slot is used again by the next drop.
    ClickWorld(50, -250);  // walls 26 to 74 lie under it; the lowest entry is picked
    ASSERT_EQ(editor.selection, Edited().objects[26]);
    TapKey(TS_KEY_DELETE);
    DropItemAt(PALETTE_FUEL_CELL, 100, 100);
    EXPECT_EQ(Edited().objects[26]->kind, KIND_FUEL_CELL);
}

}  // namespace
