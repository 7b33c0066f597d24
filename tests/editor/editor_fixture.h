// A headless editor to drive with the mouse and keys: the Editor screen at
// 1280 x 720 with helpers for dragging, palette drops and world/window points.
#pragma once

#include <cmath>
#include <cstring>
#include <string>

#include "app/screens.h"
#include "editor/editor.h"
#include "screens/menu_screens.h"
#include "support/headless.h"

class EditorTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Automation_MouseMove(1200, 700);  // away from everything
        Screen_Switch(EditorScreen);
        Automation_RunFrames(1);
    }

    void TearDown() override {
        // Automation does not run the current screen's exit; do it here so
        // that every test starts from a freshly built editor.
        const std::string current = Screen_CurrentName();
        if (current == "Editor") EditorScreen.exit();
        if (current == "MainMenu") MainMenuScreen.exit();
        HeadlessTest::TearDown();
    }

    static Level& Edited() { return editor.editedLevel; }

    // World point to window pixel and back through the editor's camera.
    static TS_Vec2 ToScreen(float x, float y) {
        return TS_Vector_MatrixMultiply(editor.editorCamera.worldToScreen, TS_Vec2{x, y});
    }

    // Press at `from`, move to `to` in `steps` frames, release.
    static void Drag(TS_Vec2 from, TS_Vec2 to, int steps = 10) {
        Automation_MouseMove(from.x, from.y);
        Automation_MouseDown(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
        for (int i = 1; i <= steps; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(steps);
            Automation_MouseMove(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
            Automation_RunFrames(1);
        }
        Automation_MouseUp(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
    }

    // Drags side-bar item `item` out and drops it on the window point `to`.
    static void DropItem(int item, TS_Vec2 to) {
        Drag(TS_Vec2{25.0f, 75.0f + 50.0f * static_cast<float>(item)}, to);
    }
    static void DropItemAt(int item, float worldX, float worldY) {
        DropItem(item, ToScreen(worldX, worldY));
    }

    void ClickWorld(float x, float y) {
        const TS_Vec2 p = ToScreen(x, y);
        Click(p.x, p.y);
    }

    // Holds a key for a number of frames, then lets it go.
    static void HoldKey(int key, int frames) {
        Automation_KeyDown(key);
        Automation_RunFrames(frames);
        Automation_KeyUp(key);
        Automation_RunFrames(1);
    }

    // Sets the zoom with the keys: R, then E or Q, which double or halve it
    // each second (a 60th of that a frame).
    void ZoomTo(float zoom) {
        TapKey(TS_KEY_R);
        const float frames = std::log2(zoom) * 60.0f;
        const int count = static_cast<int>(frames + (frames >= 0.0f ? 0.5f : -0.5f));
        if (count != 0) HoldKey(count > 0 ? TS_KEY_E : TS_KEY_Q, count > 0 ? count : -count);
    }

    // Types text as a keyboard does, a character every two frames.
    static void Type(const char* text) { TypeText(text); }

    static void ClickButton(const Button* button) {
        Automation_MouseMove(button->position.x, button->position.y);
        Automation_MouseDown(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
        Automation_MouseUp(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
    }

    // Answers a popup with the mouse.
    static void Answer(const Popup* popup, int index) { ClickButton(popup->buttons[index]); }

    // A level without a goal is saved only when the author insists: answers
    // the warning with "Save Anyway" when it asks.
    static void SaveAnyway() {
        if (editor.saveWarningPopup->open) Answer(editor.saveWarningPopup, 0);
    }

    static bool AnyPopupOpen() {
        return editor.resultPopup->open || editor.overwritePopup->open ||
               editor.unsavedPopup->open || editor.helpPopup->open;
    }

    static LevelObject* SelectedObject() {
        return editor.selectionIsText ? nullptr : static_cast<LevelObject*>(editor.selection);
    }
    static TextObject* SelectedText() {
        return editor.selectionIsText ? static_cast<TextObject*>(editor.selection) : nullptr;
    }

    static int CountObjects() {
        int count = 0;
        for (uint64_t i = 0; i < Edited().objectCapacity; ++i)
            count += Edited().objects[i] != nullptr;
        return count;
    }
    static int CountTexts() {
        int count = 0;
        for (uint64_t i = 0; i < Edited().textCapacity; ++i) count += Edited().texts[i] != nullptr;
        return count;
    }

    // Puts an object straight into the edited level (for set-ups, not for
    // what the test checks).
    static LevelObject* Put(int slot, ObjectKind kind, float x, float y, float w = 50.0f,
                            float h = 50.0f, float rotation = 0.0f) {
        LevelObject* entry = CreateLevelObject(kind, TS_Vec2{x, y}, rotation, TS_Vec2{w, h});
        if (kind == KIND_GOAL) Edited().goal = entry;
        else Edited().objects[slot] = entry;
        return entry;
    }
    static TextObject* PutText(int slot, const char* text, float x, float y) {
        TextObject* object = CreateTextObject(text, std::strlen(text) + 1);
        object->position = TS_Vec2{x, y};
        Edited().texts[slot] = object;
        return object;
    }
};
