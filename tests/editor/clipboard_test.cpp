// Copy, paste and duplicate in the editor, within the level's limits, and
// Ctrl+S, which saves as the first time and straight to the file after.
#include <cerrno>

#include "app/safe_file.h"
#include "editor_fixture.h"
#include "ui/file_chooser.h"

namespace {

class ClipboardTest : public EditorTest {
protected:
    void Chord(int key) {
        Automation_KeyDown(TS_KEY_LEFT_CONTROL);
        TapKey(key);
        Automation_KeyUp(TS_KEY_LEFT_CONTROL);
        Automation_RunFrames(1);
    }
    void PointAtWorld(float x, float y) {
        const TS_Vec2 p = ToScreen(x, y);
        Automation_MouseMove(p.x, p.y);
        Automation_RunFrames(1);
    }
    static std::string Notice() { return editor.noticeTime > 0.0f ? editor.notice : ""; }
};

TEST_F(ClipboardTest, PasteCopiesTheSelectionUnderThePointerAndIsOneUndoStep) {
    Put(0, KIND_WALL, -100, 50, 200, 20, 30);
    PutText(0, "Fly west", 100, -150);
    Editor_ResetHistory();

    ClickWorld(-100, 50);
    Chord(TS_KEY_C);
    EXPECT_EQ(Notice(), "Object copied");
    EXPECT_FALSE(editor.dirty);  // copying changes nothing
    PointAtWorld(310, 140);
    Chord(TS_KEY_V);
    ASSERT_EQ(CountObjects(), 2);
    const LevelObject* pasted = Edited().objects[1];
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->kind, KIND_WALL);
    EXPECT_FLOAT_EQ(pasted->object->position.x, 310);
    EXPECT_FLOAT_EQ(pasted->object->position.y, 140);
    EXPECT_FLOAT_EQ(pasted->object->rotation, 30);
    EXPECT_FLOAT_EQ(pasted->object->size.x, 200);
    EXPECT_EQ(editor.selection, pasted);  // ready to be moved

    // The copy outlives the original; on the grid it lands on the grid.
    ClickWorld(-100, 50);
    TapKey(TS_KEY_DELETE);
    TapKey(TS_KEY_G);
    PointAtWorld(-310, -140);
    Chord(TS_KEY_V);
    ASSERT_NE(Edited().objects[0], nullptr);
    EXPECT_FLOAT_EQ(Edited().objects[0]->object->position.x, -300);
    EXPECT_FLOAT_EQ(Edited().objects[0]->object->position.y, -150);

    // Texts too, with their words and size.
    ClickWorld(100, -150);
    Chord(TS_KEY_C);
    EXPECT_EQ(Notice(), "Text copied");
    PointAtWorld(0, 200);
    Chord(TS_KEY_V);
    ASSERT_NE(Edited().texts[1], nullptr);
    EXPECT_STREQ(Edited().texts[1]->text, "Fly west");
    EXPECT_FLOAT_EQ(Edited().texts[1]->position.y, 200);
    EXPECT_EQ(editor.selection, Edited().texts[1]);

    Chord(TS_KEY_Z);
    EXPECT_EQ(Edited().texts[1], nullptr);
    Chord(TS_KEY_Z);
    EXPECT_EQ(Edited().objects[0], nullptr);
}

TEST_F(ClipboardTest, DuplicateLaysCopiesEdgeToEdgeInARow) {
    Put(0, KIND_WALL, 0, 0, 200, 20, 0);
    ClickWorld(0, 0);
    Chord(TS_KEY_D);
    Chord(TS_KEY_D);
    ASSERT_EQ(CountObjects(), 3);
    EXPECT_FLOAT_EQ(Edited().objects[1]->object->position.x, 200);
    EXPECT_FLOAT_EQ(Edited().objects[2]->object->position.x, 400);
    EXPECT_FLOAT_EQ(Edited().objects[2]->object->position.y, 0);
    EXPECT_EQ(editor.selection, Edited().objects[2]);
    // Ctrl+D duplicates; it does not pan the camera as D does.
    EXPECT_FLOAT_EQ(editor.editorCamera.position.x, 0);

    TextObject* text = PutText(0, "abcd", 0, -200);  // 40 wide
    ClickWorld(0, -200);
    Chord(TS_KEY_D);
    ASSERT_NE(Edited().texts[1], nullptr);
    EXPECT_STREQ(Edited().texts[1]->text, "abcd");
    EXPECT_FLOAT_EQ(Edited().texts[1]->position.x, text->width);
}

TEST_F(ClipboardTest, TheLimitsAreKeptAndSaidWhenReached) {
    for (int i = 0; i < LEVEL_OBJECT_SLOTS - 1; ++i) {
        Put(i, KIND_ASTEROID, -500.0f + 10.0f * static_cast<float>(i), 300);
    }
    for (int i = 0; i < LEVEL_TEXT_SLOTS - 1; ++i) PutText(i, "t", 500, -300.0f + 20.0f * i);
    Put(0, KIND_GOAL, 0, 0);

    ClickWorld(-500, 300);
    Chord(TS_KEY_D);
    EXPECT_EQ(CountObjects(), LEVEL_OBJECT_SLOTS);
    Chord(TS_KEY_C);
    PointAtWorld(0, -250);
    Chord(TS_KEY_V);
    EXPECT_EQ(CountObjects(), LEVEL_OBJECT_SLOTS);
    EXPECT_EQ(Notice(), "A level holds 100 objects at most");
    // The palette says the same.
    editor.noticeTime = 0.0f;
    DropItemAt(PALETTE_FUEL_CELL, 200, 200);
    EXPECT_EQ(Notice(), "A level holds 100 objects at most");

    ClickWorld(500, -300);
    Chord(TS_KEY_D);
    EXPECT_EQ(CountTexts(), LEVEL_TEXT_SLOTS);
    Chord(TS_KEY_D);
    EXPECT_EQ(CountTexts(), LEVEL_TEXT_SLOTS);
    EXPECT_EQ(Notice(), "A level holds 20 texts at most");

    ClickWorld(0, 0);
    ASSERT_EQ(editor.selection, Edited().goal);
    Chord(TS_KEY_D);
    EXPECT_EQ(Notice(), "A level has one goal");
    EXPECT_EQ(editor.selection, Edited().goal);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_notice.png").c_str()));
}

TEST_F(ClipboardTest, CtrlSSavesAsTheFirstTimeAndStraightToTheFileAfter) {
    DropItemAt(PALETTE_ASTEROID, 100, 100);
    const std::string path = TempDir() + "/quick.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Chord(TS_KEY_S);
    SaveAnyway();
    Answer(editor.resultPopup, 0);
    ASSERT_TRUE(FileExists(path));
    EXPECT_FALSE(editor.dirty);
    EXPECT_FLOAT_EQ(editor.editorCamera.position.y, 0);  // S saved, it did not pan

    DropItemAt(PALETTE_FUEL_CELL, -100, 100);
    Chord(TS_KEY_S);  // no chooser, no overwrite question
    SaveAnyway();     // the level has no goal yet
    EXPECT_NE(ReadText(path).find("F,-100.000000,100.000000"), std::string::npos);
    EXPECT_FALSE(editor.dirty);
    EXPECT_EQ(Notice(), "Saved");
    EXPECT_EQ(std::string(editor.titleText), path);

    // A save that fails says so and keeps the level unsaved.
    DropItemAt(PALETTE_GOAL, 300, 0);
    SafeFile_FailNextCommitForTests(ENOSPC);
    Chord(TS_KEY_S);
    EXPECT_TRUE(editor.resultPopup->open);
    EXPECT_STREQ(editor.resultPopup->title, "Save Failed");
    EXPECT_TRUE(editor.dirty);
    EXPECT_EQ(ReadText(path).find("E,"), std::string::npos);
}

}  // namespace
