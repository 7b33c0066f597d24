// The side bar: dragging an asteroid, a fuel cell, the goal or a text out of
// it and dropping it into the level.
#include "editor/editor.h"

namespace {

// A press shorter than this is a click, not a drag, and creates nothing.
const float kShortestDrag = 0.1f;

const TS_Vec2 kNewObjectSize = {50.0f, 50.0f};

void PlaceText(TS_Vec2 at) {
    Level& level = editor.editedLevel;
    if (!level.texts) return;
    for (uint64_t i = 0; i < level.textCapacity; ++i) {
        if (level.texts[i]) continue;
        TextObject* text = CreateTextObject("Text", 5);
        if (text) text->position = at;
        level.texts[i] = text;
        return;
    }
    Editor_ShowNotice("A level holds 20 texts at most");
}

void PlaceGoal(TS_Vec2 at) {
    Level& level = editor.editedLevel;
    if (level.goal) {
        Editor_ShowNotice("A level has one goal");
        return;
    }
    level.goal = CreateLevelObject(KIND_GOAL, at, 0.0f, kNewObjectSize);
}

void PlaceObject(ObjectKind kind, TS_Vec2 at) {
    Level& level = editor.editedLevel;
    if (!level.objects) return;
    for (uint64_t i = 0; i < level.objectCapacity; ++i) {
        if (level.objects[i]) continue;
        level.objects[i] = CreateLevelObject(kind, at, 0.0f, kNewObjectSize);
        return;
    }
    Editor_ShowNotice("A level holds 100 objects at most");
}

// The drag of `item` has just ended where its box now is.
void Drop(int item) {
    DragHandle* handle = editor.paletteHandles[item];
    if (handle->heldTime > kShortestDrag) {
        const TS_Vec2 at = Editor_SnapPoint(
            TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld, handle->position));
        switch (item) {
            case PALETTE_TEXT: PlaceText(at); break;
            case PALETTE_GOAL: PlaceGoal(at); break;
            case PALETTE_ASTEROID: PlaceObject(KIND_ASTEROID, at); break;
            default: PlaceObject(KIND_FUEL_CELL, at); break;
        }
        // A full table still counts as an edit: the designer did drop something.
        Editor_MarkChanged();
    }
    handle->position = editor.paletteHome[item];
}

}  // namespace

void Editor_UpdatePalette(void) {
    int found = -1;
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        DragHandle* handle = editor.paletteHandles[i];
        if (!handle) continue;
        if (found == -1) {
            DragHandle_Update(handle);
            if (handle->dragging) found = i;
        } else {
            handle->dragging = false;  // one item at a time; the lowest wins
        }
    }
    const int previous = editor.draggedPaletteItem;
    if (previous == -1 || found == previous) {
        editor.draggedPaletteItem = found;
        return;
    }
    Drop(previous);
    editor.draggedPaletteItem = found;
}
