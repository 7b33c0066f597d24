// Working on what is placed: picking with the mouse, the handles, nudging with
// the arrow keys, Delete, typing into texts, and the editor camera's keys.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "editor/editor.h"
#include "level/objects.h"
#include "ui/text_entry.h"

namespace {

const float kPanSpeed = 800.0f;              // world units per second at any zoom
const float kZoomDoublingsPerSecond = 1.0f;  // Q and E: twice as close each second
const float kWheelZoomStep = 1.15f;          // each notch of the wheel
const float kSmallestZoom = 0.1f;
const float kNudgeSpeed = 100.0f;  // world units per second
const float kTopBarHeight = 50.0f;
const float kSideBarWidth = 50.0f;
const float kHandleRoom = 15.0f;  // a handle's size, beyond the box
const float kGap = 4.0f;

TextObject* SelectedText(void) {
    return editor.selectionIsText ? static_cast<TextObject*>(editor.selection) : nullptr;
}

bool InsideBox(TS_Vec2 p, TS_Vec2 centre, float width, float height) {
    return p.x > centre.x - width * 0.5f && p.x < centre.x + width * 0.5f &&
           p.y > centre.y - height * 0.5f && p.y < centre.y + height * 0.5f;
}

bool HitsObject(TS_Vec2 p, const LevelObject* entry) {
    return entry && entry->object &&
           InsideBox(p, entry->object->position, entry->object->size.x, entry->object->size.y);
}

void SelectObject(LevelObject* entry) { Editor_Select(entry, false); }
void SelectText(TextObject* text) { Editor_Select(text, true); }

// A text left empty when editing ends is removed: with no characters it has
// no box, so it could never be picked (or deleted) again.
void DeleteIfEmpty(TextObject* text) {
    if (text->text && text->text[0] != '\0') return;
    Editor_DeleteObject(text);
    Editor_MarkChanged();
    editor.selection = nullptr;
    editor.selectionIsText = false;
    Gizmo_ClearTarget(editor.gizmo);
}

// Editing also ends when something else is picked (or empty space is).
void EndTextEditing(void) {
    TextObject* text = SelectedText();
    if (editor.textEditing && text) DeleteIfEmpty(text);
    editor.textEditing = false;
}

// On the grid each press of an arrow moves one grid step, onto the grid.
bool NudgeOnGrid(TS_Vec2* position) {
    float* axis = nullptr;
    float direction = 1.0f;
    if (TS_Input_KeyTriggered(TS_KEY_UP)) axis = &position->y;
    else if (TS_Input_KeyTriggered(TS_KEY_DOWN)) axis = &position->y, direction = -1.0f;
    else if (TS_Input_KeyTriggered(TS_KEY_LEFT)) axis = &position->x, direction = -1.0f;
    else if (TS_Input_KeyTriggered(TS_KEY_RIGHT)) axis = &position->x;
    if (!axis) return false;
    *axis = Gizmo_Snap(*axis + direction * kGridStep, kGridStep);
    return true;
}

void Nudge(void) {
    TS_Vec2* position = editor.gizmo->fields.position;
    if (Editor_Snapping()) {
        if (NudgeOnGrid(position)) Editor_MarkChanged();
        return;
    }
    const float step = kNudgeSpeed * TS_System_GetDt();
    if (TS_Input_KeyDown(TS_KEY_UP)) position->y += step;
    else if (TS_Input_KeyDown(TS_KEY_DOWN)) position->y -= step;
    else if (TS_Input_KeyDown(TS_KEY_LEFT)) position->x -= step;
    else if (TS_Input_KeyDown(TS_KEY_RIGHT)) position->x += step;
    else return;
    Editor_MarkChanged();
}

// The wheel zooms about the pointer: the point of the level under it stays
// under it.
void ZoomAboutPointer(Camera* camera, float factor) {
    const TS_Vec2 pointer = TS_Vector_Set(TS_Input_GetMouseX(), TS_Input_GetMouseY());
    const TS_Vec2 before = TS_Vector_MatrixMultiply(camera->screenToWorld, pointer);
    camera->zoom =
        TS_Math_ClampFloat(camera->zoom * factor, kSmallestZoom, std::numeric_limits<float>::max());
    Camera_UpdateMatrices(camera);
    const TS_Vec2 after = TS_Vector_MatrixMultiply(camera->screenToWorld, pointer);
    camera->position = TS_Vector_Add(camera->position, TS_Vector_Subtract(before, after));
    Camera_UpdateMatrices(camera);
}

// Typing needs room: a text being edited gets a buffer of EDITOR_TEXT_BUFFER
// bytes, as much as a level file's text line keeps, with the caret at its end.
void MakeRoomForTyping(TextObject* text) {
    editor.textCaret = text->text ? std::strlen(text->text) : 0;
    if (text->textCapacity == EDITOR_TEXT_BUFFER && text->text) return;
    char* buffer = static_cast<char*>(std::realloc(text->text, EDITOR_TEXT_BUFFER));
    if (!buffer) return;
    if (!text->text) buffer[0] = '\0';
    if (!text->text) editor.textCaret = 0;
    text->text = buffer;
    TextEntry_CutAt(text->text, EDITOR_TEXT_BUFFER - 1);
    if (editor.textCaret > std::strlen(text->text)) editor.textCaret = std::strlen(text->text);
    text->textCapacity = EDITOR_TEXT_BUFFER;
}

// Just above the text's box as drawn, and above the rotate handle too, so that
// a click on the button never also grabs a handle. Where the top bar would
// cover it, it goes below the box (and below the scale handle) instead, and it
// is always kept inside the window, clear of the bars, to be seen and clicked.
TS_Vec2 EditTextButtonPlace(const TextObject* text, TS_Vec2 size) {
    const TS_Vec2 onScreen =
        TS_Vector_MatrixMultiply(editor.editorCamera.worldToScreen, text->position);
    const float halfBox = text->textSize * editor.editorCamera.zoom * 0.5f;
    const float clearance = kHandleRoom + size.y * 0.5f;
    float y = onScreen.y - halfBox - clearance;
    if (y - size.y * 0.5f < kTopBarHeight + kGap) y = onScreen.y + halfBox + clearance;
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float x = TS_Math_ClampFloat(onScreen.x, kSideBarWidth + kGap + size.x * 0.5f,
                                       w - kGap - size.x * 0.5f);
    y = TS_Math_ClampFloat(y, kTopBarHeight + kGap + size.y * 0.5f, h - kGap - size.y * 0.5f);
    return TS_Vector_Set(x, y);
}

// The "Edit Text" / "Done" button by a selected text and the typing itself.
// Returns whether the button took this frame's click.
bool UpdateTextEditing(TextObject* text, bool handleDragged) {
    // Typing keeps the box as wide as the text; a handle being dragged sizes it.
    if (!handleDragged) TextObject_UpdateWidth(text);
    Button* button = editor.editTextButton;
    if (!button) return false;
    button->position = EditTextButtonPlace(text, button->size);
    Button_HitTest(button);
    bool tookClick = false;
    if (Button_IsPressed(button)) {
        editor.textEditing = !editor.textEditing;
        if (editor.textEditing) {
            MakeRoomForTyping(text);
        } else {
            DeleteIfEmpty(text);
        }
        Editor_RefreshEditTextLabel();
        tookClick = true;
    }
    // Ctrl with a letter is a command (undo, copy), never typed.
    if (editor.textEditing && editor.selection == text && text->text && !Editor_CtrlHeld() &&
        TextEntry_EditAt(text->text, static_cast<size_t>(text->textCapacity), &editor.textCaret)) {
        Editor_MarkChanged();
    }
    return tookClick;
}

bool RunGizmo(void) {
    if (editor.gizmo) {
        editor.gizmo->snapStep = Editor_Snapping() ? kGridStep : 0.0f;
        editor.gizmo->snapDegrees = Editor_Snapping() ? kSnapDegrees : 0.0f;
    }
    const bool active = Gizmo_Update(editor.gizmo);
    if (editor.gizmo && editor.gizmo->changed) Editor_MarkChanged();
    return active;
}

}  // namespace

void Editor_RefreshEditTextLabel(void) {
    if (editor.editTextButton) {
        Button_SetLabel(editor.editTextButton, editor.textEditing ? "Done" : "Edit Text");
    }
}

void Editor_ClearSelection(void) {
    editor.selection = nullptr;
    editor.selectionIsText = false;
    if (editor.gizmo) Gizmo_ClearTarget(editor.gizmo);
    editor.textEditing = false;
    Editor_RefreshEditTextLabel();
}

void Editor_Select(void* item, bool isText) {
    if (!item || !editor.gizmo) return;
    editor.selection = item;
    editor.selectionIsText = isText;
    if (isText) Gizmo_TargetText(editor.gizmo, static_cast<TextObject*>(item));
    else Gizmo_TargetObject(editor.gizmo, static_cast<LevelObject*>(item)->object);
    Gizmo_Place(editor.gizmo);
}

void Editor_FinishTextEditing(void) {
    if (!editor.textEditing) return;
    EndTextEditing();
    Editor_RefreshEditTextLabel();
}

void Editor_DeleteObject(void* item) {
    if (!item) return;
    Level& level = editor.editedLevel;
    if (item == level.goal) {
        FreeLevelObject(level.goal);
        level.goal = nullptr;
        return;
    }
    if (level.objects) {
        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            if (level.objects[i] != item) continue;
            FreeLevelObject(level.objects[i]);
            level.objects[i] = nullptr;
            return;
        }
    }
    if (level.texts) {
        for (uint64_t i = 0; i < level.textCapacity; ++i) {
            if (level.texts[i] != item) continue;
            FreeTextObjects(&level.texts[i], 1);
            return;
        }
    }
}

void Editor_Pick(void) {
    if (!TS_Input_MouseTriggered(TS_MOUSE_LEFT)) return;
    const TS_Vec2 p =
        TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld,
                                 TS_Vector_Set(TS_Input_GetMouseX(), TS_Input_GetMouseY()));
    EndTextEditing();
    Editor_ClearSelection();
    // The goal first, then objects, then texts, whatever is drawn on top.
    Level& level = editor.editedLevel;
    if (HitsObject(p, level.goal)) {
        SelectObject(level.goal);
    }
    for (uint64_t i = 0; !editor.selection && level.objects && i < level.objectCapacity; ++i) {
        if (HitsObject(p, level.objects[i])) SelectObject(level.objects[i]);
    }
    for (uint64_t i = 0; !editor.selection && level.texts && i < level.textCapacity; ++i) {
        TextObject* text = level.texts[i];
        if (text && InsideBox(p, text->position, text->width, text->textSize)) SelectText(text);
    }
    if (editor.gizmo) Gizmo_Place(editor.gizmo);
}

void Editor_UpdateObjects(void) {
    // While a text is typed into, Delete and the arrows belong to its caret.
    if (TS_Input_KeyTriggered(TS_KEY_DELETE) && !editor.textEditing) {
        Editor_DeleteObject(editor.selection);
        Editor_ClearSelection();
        Editor_MarkChanged();
    }
    const bool active = RunGizmo();
    bool buttonTookClick = false;
    if (editor.selection && editor.gizmo && editor.gizmo->target) {
        if (!editor.textEditing) Nudge();
        if (TextObject* text = SelectedText()) buttonTookClick = UpdateTextEditing(text, active);
    }
    if (active) return;
    if (!buttonTookClick) Editor_Pick();
    RunGizmo();
}

void Editor_UpdateCameraKeys(void) {
    Camera& camera = editor.editorCamera;
    const float wheel = TS_Input_GetMouseWheel();
    if (wheel != 0.0f) ZoomAboutPointer(&camera, std::pow(kWheelZoomStep, wheel));
    if (Editor_CtrlHeld()) return;  // Ctrl+S saves, Ctrl+D duplicates: no panning
    const float dt = TS_System_GetDt();
    if (TS_Input_KeyDown(TS_KEY_W)) camera.position.y += kPanSpeed * dt;
    else if (TS_Input_KeyDown(TS_KEY_S)) camera.position.y -= kPanSpeed * dt;
    if (TS_Input_KeyDown(TS_KEY_A)) camera.position.x -= kPanSpeed * dt;
    else if (TS_Input_KeyDown(TS_KEY_D)) camera.position.x += kPanSpeed * dt;
    else if (TS_Input_KeyTriggered(TS_KEY_F)) camera.position = TS_Vector_Zero();
    if (TS_Input_KeyTriggered(TS_KEY_R)) camera.zoom = 1.0f;
    // The zoom changes by the same factor each second at any frame rate, so
    // it feels the same close in and far out.
    else if (TS_Input_KeyDown(TS_KEY_E)) camera.zoom *= std::exp2(kZoomDoublingsPerSecond * dt);
    else if (TS_Input_KeyDown(TS_KEY_Q)) camera.zoom /= std::exp2(kZoomDoublingsPerSecond * dt);
    camera.zoom = TS_Math_ClampFloat(camera.zoom, kSmallestZoom, std::numeric_limits<float>::max());
    Camera_UpdateMatrices(&camera);
}
