// Undo and redo in the editor: every kind of change goes back to the very same
// file, a drag is one step, "Unsaved" follows the history, and the history's
// memory stays within its budget.
#include <functional>
#include <vector>

#include "editor_fixture.h"
#include "ui/file_chooser.h"

namespace {

const char* const kBaseLevel =
    "/0\n.30.000000\n%80.000000\n^0.000000\n"
    "A,100.000000,50.000000,0.000000,50.000000,50.000000\n"
    "W,-200.000000,-100.000000,30.000000,200.000000,20.000000\n"
    "E,400.000000,0.000000,0.000000,50.000000,50.000000\n"
    "T,0.000000,150.000000,0.000000,40.000000,20.000000,Hint\n";

class HistoryTest : public EditorTest {
public:
    // The changes below are written as lambdas given the test.
    using EditorTest::ClickWorld;
    using EditorTest::TapKey;
    using EditorTest::Type;

    void Chord(int key, bool shift = false) {
        Automation_KeyDown(TS_KEY_LEFT_CONTROL);
        if (shift) Automation_KeyDown(TS_KEY_LEFT_SHIFT);
        TapKey(key);
        if (shift) Automation_KeyUp(TS_KEY_LEFT_SHIFT);
        Automation_KeyUp(TS_KEY_LEFT_CONTROL);
        Automation_RunFrames(1);
    }

protected:
    std::string Path(const char* name) const { return TempDir() + "/" + name; }

    void Open(const std::string& path) {
        FileChooser_SetAutomationAnswer(path.c_str(), false);
        ClickButton(editor.openButton);
    }
    void OpenBase() {
        WriteText(Path("base.vexl"), kBaseLevel);
        Open(Path("base.vexl"));
        if (editor.unsavedPopup->open) Answer(editor.unsavedPopup, 0);  // "Lose Changes"
        ASSERT_NE(Edited().objects[0], nullptr);
    }
    // What a save would write now.
    std::string Written() {
        const std::string path = Path("probe.vexl");
        EXPECT_EQ(WriteLevelFile(path.c_str(), &Edited()), 0);
        return ReadText(path);
    }
    void Undo() { Chord(TS_KEY_Z); }
    void Redo() { Chord(TS_KEY_Z, true); }
};

using Change = std::function<void(HistoryTest*)>;

TEST_F(HistoryTest, EveryKindOfChangeUndoesAndRedoesToTheSameFile) {
    const std::vector<std::pair<const char*, Change>> changes = {
        {"place", [](HistoryTest*) { DropItemAt(PALETTE_FUEL_CELL, -100, 200); }},
        {"place text", [](HistoryTest*) { DropItemAt(PALETTE_TEXT, 200, -200); }},
        {"delete",
         [](HistoryTest* t) {
             t->ClickWorld(-200, -100);
             t->TapKey(TS_KEY_DELETE);
         }},
        {"delete goal",
         [](HistoryTest* t) {
             t->ClickWorld(400, 0);
             t->TapKey(TS_KEY_DELETE);
         }},
        {"move",
         [](HistoryTest*) {
             const TS_Vec2 at = ToScreen(100, 50);
             Drag(at, TS_Vec2{at.x + 37, at.y + 11});
         }},
        {"rotate",
         [](HistoryTest* t) {
             t->ClickWorld(100, 50);
             const TS_Vec2 h = editor.gizmo->rotateHandle->position;
             Drag(h, TS_Vec2{h.x + 33, h.y});
         }},
        {"scale",
         [](HistoryTest* t) {
             t->ClickWorld(400, 0);
             const TS_Vec2 h = editor.gizmo->scaleHandle->position;
             Drag(h, TS_Vec2{h.x + 21, h.y + 21});
         }},
        {"nudge",
         [](HistoryTest* t) {
             t->ClickWorld(100, 50);
             HoldKey(TS_KEY_LEFT, 17);
         }},
        {"text",
         [](HistoryTest* t) {
             t->ClickWorld(0, 150);
             ClickButton(editor.editTextButton);
             t->TapKey(TS_KEY_BACKSPACE);
             t->Type(" go");
             ClickButton(editor.editTextButton);
         }},
        {"par time",
         [](HistoryTest* t) {
             t->TapKey(TS_KEY_L);
             t->TapKey(TS_KEY_RIGHT);
             t->TapKey(TS_KEY_ESCAPE);
         }},
        {"rule",
         [](HistoryTest* t) {
             t->TapKey(TS_KEY_L);
             for (int i = 0; i < 4; ++i) t->TapKey(TS_KEY_DOWN);
             t->TapKey(TS_KEY_SPACE);
             t->TapKey(TS_KEY_ESCAPE);
         }},
        {"duplicate",
         [](HistoryTest* t) {
             t->ClickWorld(-200, -100);
             t->Chord(TS_KEY_D);
         }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.first);
        OpenBase();
        const std::string before = Written();
        ASSERT_EQ(before, kBaseLevel);
        EXPECT_FALSE(Editor_CanUndo());
        change.second(this);
        const std::string after = Written();
        ASSERT_NE(after, before);
        EXPECT_TRUE(editor.dirty);
        // The whole gesture, however many frames, is a single step.
        EXPECT_EQ(Editor_HistorySteps(), 2u);

        Undo();
        EXPECT_EQ(Written(), before);
        EXPECT_FALSE(editor.dirty);
        Redo();
        EXPECT_EQ(Written(), after);
        EXPECT_TRUE(editor.dirty);
        Undo();
        Chord(TS_KEY_Y);
        EXPECT_EQ(Written(), after);
    }
}

TEST_F(HistoryTest, UnsavedFollowsTheHistoryAndOpeningStartsAfresh) {
    DropItemAt(PALETTE_ASTEROID, 100, 100);
    const std::string path = Path("saved.vexl");
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    SaveAnyway();
    Answer(editor.resultPopup, 0);
    ASSERT_FALSE(editor.dirty);

    DropItemAt(PALETTE_ASTEROID, -100, 100);
    EXPECT_TRUE(editor.dirty);
    Undo();
    EXPECT_FALSE(editor.dirty);  // back where the file is
    Undo();
    EXPECT_TRUE(editor.dirty);  // before the saved state is a change too
    EXPECT_EQ(CountObjects(), 0);
    Undo();  // nothing further back: nothing happens
    EXPECT_EQ(CountObjects(), 0);
    Redo();
    EXPECT_FALSE(editor.dirty);
    EXPECT_EQ(CountObjects(), 1);

    // A new change drops what could have been redone.
    DropItemAt(PALETTE_FUEL_CELL, 0, -100);
    EXPECT_FALSE(Editor_CanRedo());

    // Selecting, and a drag that comes back to where it began, change nothing:
    // the undo after them takes back the drop.
    ClickWorld(0, -100);
    const TS_Vec2 at = ToScreen(0, -100);
    Automation_MouseMove(at.x, at.y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseMove(at.x + 40, at.y);
    Automation_RunFrames(1);
    Automation_MouseMove(at.x, at.y);
    Automation_RunFrames(1);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_TRUE(editor.dirty);
    Undo();
    EXPECT_EQ(CountObjects(), 1);
    EXPECT_FALSE(editor.dirty);

    // Opening a level clears the history.
    Open(path);
    EXPECT_FALSE(Editor_CanUndo());
    EXPECT_FALSE(Editor_CanRedo());
    EXPECT_FALSE(editor.dirty);
}

TEST_F(HistoryTest, TheTopBarButtonsUndoAndRedoAndAreOffWithNothingToDo) {
    // A rock lies in the level right under the Undo button.
    const TS_Vec2 under =
        TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld, editor.undoButton->position);
    Put(5, KIND_ASTEROID, under.x, under.y);
    Editor_ResetHistory();
    Automation_RunFrames(1);
    EXPECT_EQ(editor.undoButton->state, BUTTON_DISABLED);
    EXPECT_EQ(editor.redoButton->state, BUTTON_DISABLED);
    DropItemAt(PALETTE_GOAL, 150, 150);
    Automation_RunFrames(1);
    EXPECT_NE(editor.undoButton->state, BUTTON_DISABLED);
    ClickButton(editor.undoButton);
    EXPECT_EQ(Edited().goal, nullptr);
    ClickButton(editor.redoButton);
    ASSERT_NE(Edited().goal, nullptr);
    EXPECT_FLOAT_EQ(Edited().goal->object->position.x, 150);
    // The buttons' clicks are not picks in the level behind them.
    EXPECT_EQ(editor.selection, nullptr);
    EXPECT_FLOAT_EQ(Edited().objects[5]->object->position.x, under.x);
}

TEST_F(HistoryTest, UndoWhileTypingEndsTheTypingAndTakesItBackWhole) {
    OpenBase();
    ClickWorld(0, 150);
    ClickButton(editor.editTextButton);
    Type("abc");
    Undo();
    EXPECT_FALSE(editor.textEditing);
    EXPECT_EQ(Written(), kBaseLevel);
    // The selection stays on the text brought back, not on a freed one.
    ASSERT_EQ(editor.selection, Edited().texts[0]);
    EXPECT_EQ(editor.gizmo->target, Edited().texts[0]);

    // Typing Ctrl+Z is a command, never a "z" in the text.
    ClickButton(editor.editTextButton);
    Type("x");
    Undo();
    EXPECT_STREQ(Edited().texts[0]->text, "Hint");
    EXPECT_FLOAT_EQ(editor.editorCamera.position.y, 0);
}

TEST_F(HistoryTest, TheHistoryKeepsTheNewestStepsWithinItsBudget) {
    // A full level with long texts: every step is several KiB.
    for (int i = 0; i < LEVEL_OBJECT_SLOTS; ++i) Put(i, KIND_WALL, static_cast<float>(i), 0);
    std::string text(149, 'x');
    for (int i = 0; i < LEVEL_TEXT_SLOTS; ++i) PutText(i, text.c_str(), 0, 100.0f + i);
    Editor_ResetHistory();
    const size_t steps = 2000;
    for (size_t i = 1; i <= steps; ++i) {
        Edited().objects[0]->object->position.x = static_cast<float>(i);
        Editor_MarkChanged();
        Editor_CommitChanges();
    }
    EXPECT_LE(Editor_HistoryBytes(), size_t{8} << 20);
    EXPECT_LT(Editor_HistorySteps(), steps);
    EXPECT_GT(Editor_HistorySteps(), 500u);
    // Undo reaches back to the oldest step kept, and no further.
    size_t undone = 0;
    while (Editor_Undo()) ++undone;
    EXPECT_EQ(undone, Editor_HistorySteps() - 1);
    EXPECT_FLOAT_EQ(Edited().objects[0]->object->position.x, static_cast<float>(steps - undone));
    EXPECT_EQ(CountObjects(), LEVEL_OBJECT_SLOTS);
    EXPECT_EQ(CountTexts(), LEVEL_TEXT_SLOTS);
}

}  // namespace
