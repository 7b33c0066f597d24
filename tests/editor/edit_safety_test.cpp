// Edits that used to go wrong: a text emptied and left without "Done" before
// a command, Delete in the middle of a handle's drag, and an "Edit Text"
// button that could sit under the top bar.
#include <cmath>
#include <functional>
#include <vector>

#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "world/world.h"

namespace {

class EditSafetyTest : public EditorTest {
public:
    using EditorTest::TapKey;

protected:
    // A text "ab" as the saved state, selected, emptied by typing, not "Done".
    void EmptyATextWithoutDone() {
        if (Edited().texts[0] == nullptr) PutText(0, "ab", 0, 100);
        Editor_ResetHistory();
        ClickWorld(0, 100);
        ClickButton(editor.editTextButton);
        ASSERT_TRUE(editor.textEditing);
        TapKey(TS_KEY_BACKSPACE);
        TapKey(TS_KEY_BACKSPACE);
        ASSERT_STREQ(Edited().texts[0]->text, "");
    }
    void Undo() {
        Automation_KeyDown(TS_KEY_LEFT_CONTROL);
        TapKey(TS_KEY_Z);
        Automation_KeyUp(TS_KEY_LEFT_CONTROL);
        Automation_RunFrames(1);
    }
};

TEST_F(EditSafetyTest, AnEmptiedTextIsRemovedBeforeAnyCommandAndTheRemovalUndoes) {
    const std::string path = TempDir() + "/texts.vexl";
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"Save",
         [&] {
             FileChooser_SetAutomationAnswer(path.c_str(), false);
             ClickButton(editor.saveButton);
             SaveAnyway();
             if (editor.overwritePopup->open) Answer(editor.overwritePopup, 0);
             Answer(editor.resultPopup, 0);
             EXPECT_EQ(ReadText(path), "/0\n.0.000000\n%100.000000\n^0.000000\n");
         }},
        {"Play",
         [] {
             ClickButton(editor.playButton);
             ASSERT_TRUE(editor.playMode);
             for (uint64_t i = 0; i < world.level.textCapacity; ++i) {
                 EXPECT_EQ(world.level.texts[i], nullptr);
             }
             ClickButton(editor.playButton);
         }},
        {"Open",
         [] {
             ClickButton(editor.openButton);
             Answer(editor.unsavedPopup, 1);  // "Let Me Save"
         }},
        {"Exit",
         [] {
             ClickButton(editor.exitButton);
             Answer(editor.unsavedPopup, 1);
         }},
        {"Escape",
         [this] {
             TapKey(TS_KEY_ESCAPE);
             Answer(editor.unsavedPopup, 1);
         }},
        {"Level", [] { ClickButton(editor.levelButton); }},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.first);
        EmptyATextWithoutDone();
        command.second();
        EXPECT_FALSE(editor.textEditing);
        EXPECT_EQ(Edited().texts[0], nullptr);
        if (LevelPanel_Popup()->open) TapKey(TS_KEY_ESCAPE);
        ASSERT_EQ(Screen_CurrentName(), std::string("Editor"));
        // The removal is a change like any other: undo brings the text back.
        Undo();
        ASSERT_NE(Edited().texts[0], nullptr);
        EXPECT_STREQ(Edited().texts[0]->text, "ab");
    }
}

TEST_F(EditSafetyTest, DeleteDuringAHandleDragEndsTheDrag) {
    Put(0, KIND_ASTEROID, -200, 0);
    LevelObject* other = Put(1, KIND_ASTEROID, 200, 0);
    ClickWorld(-200, 0);
    const TS_Vec2 handle = editor.gizmo->rotateHandle->position;
    Automation_MouseMove(handle.x, handle.y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseMove(handle.x + 20, handle.y);
    Automation_RunFrames(1);
    TapKey(TS_KEY_DELETE);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    ASSERT_EQ(Edited().objects[0], nullptr);

    // The next object pressed is grabbed and moved, not turned.
    const TS_Vec2 at = ToScreen(200, 0);
    Drag(at, TS_Vec2{at.x + 40, at.y});
    EXPECT_FLOAT_EQ(other->object->rotation, 0);
    EXPECT_FLOAT_EQ(other->object->position.x, 240);
}

TEST_F(EditSafetyTest, TheEditTextButtonIsAlwaysInTheWindowClearOfTheBars) {
    const Button* button = editor.editTextButton;
    struct Place {
        float x, y;
    };
    // Under the top bar, at the right edge, by the side bar, at the bottom.
    for (Place p : {Place{0, 345}, Place{630, 0}, Place{-615, -100}, Place{0, -355}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        TextObject* text = PutText(1, "Hi", p.x, p.y);
        ClickWorld(p.x, p.y);
        ASSERT_EQ(editor.selection, text);
        EXPECT_GE(button->position.y - button->size.y * 0.5f, 50);
        EXPECT_LE(button->position.y + button->size.y * 0.5f, 720);
        EXPECT_GE(button->position.x - button->size.x * 0.5f, 50);
        EXPECT_LE(button->position.x + button->size.x * 0.5f, 1280);
        // It covers neither handle, and a click on it works.
        for (const DragHandle* h : {editor.gizmo->rotateHandle, editor.gizmo->scaleHandle}) {
            const bool apart =
                std::fabs(h->position.x - button->position.x) >= (h->size.x + button->size.x) / 2 ||
                std::fabs(h->position.y - button->position.y) >= (h->size.y + button->size.y) / 2;
            EXPECT_TRUE(apart);
        }
        ClickButton(button);
        EXPECT_TRUE(editor.textEditing);
        ClickButton(button);
        EXPECT_FALSE(editor.textEditing);
        TapKey(TS_KEY_DELETE);
    }

    // Its label is drawn in the standard size.
    PutText(1, "Hi", 0, 0);
    ClickWorld(0, 0);
    Automation_RecordDraws(true);
    Automation_RunFrames(1);
    float size = 0;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == "Edit Text") size = call.textSize;
    }
    Automation_RecordDraws(false);
    EXPECT_FLOAT_EQ(size, 25);
}

}  // namespace
