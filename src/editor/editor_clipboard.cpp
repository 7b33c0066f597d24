// Copying in the editor: Ctrl+C keeps the selected object or text, Ctrl+V
// puts a copy under the pointer, Ctrl+D a copy of the selection just beside
// it; the level's limits are kept, with a word when they are reached.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/editor.h"

namespace {

// What Ctrl+C kept: plain values, never a pointer into the level, so the
// copy outlives the original being deleted or undone.
struct Clipboard {
    bool holds;
    bool isText;
    ObjectKind kind;
    GameObject object;  // its collider is a copy below, not owned
    bool hasCollider;
    Collider collider;
    TextObject text;  // its text is `words`
    char* words;      // owned
};

Clipboard clipboard = {};

const float kNoticeSeconds = 2.5f;

TS_Vec2 PointerInWorld(void) {
    return TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld,
                                    TS_Vector_Set(TS_Input_GetMouseX(), TS_Input_GetMouseY()));
}

void Copy(void) {
    if (!editor.selection) return;
    if (editor.selectionIsText) {
        const TextObject* text = static_cast<const TextObject*>(editor.selection);
        char* words =
            static_cast<char*>(std::malloc(std::strlen(text->text ? text->text : "") + 1));
        if (!words) return;
        std::strcpy(words, text->text ? text->text : "");
        std::free(clipboard.words);
        clipboard = Clipboard{};
        clipboard.words = words;
        clipboard.text = *text;
        clipboard.text.text = nullptr;
        clipboard.isText = true;
    } else {
        const LevelObject* entry = static_cast<const LevelObject*>(editor.selection);
        if (!entry->object) return;
        std::free(clipboard.words);
        clipboard = Clipboard{};
        clipboard.kind = entry->kind;
        clipboard.object = *entry->object;
        clipboard.object.collider = nullptr;
        clipboard.hasCollider = entry->object->collider != nullptr;
        if (clipboard.hasCollider) clipboard.collider = *entry->object->collider;
    }
    clipboard.holds = true;
    Editor_ShowNotice(clipboard.isText ? "Text copied" : "Object copied");
}

// A new text like `source` at `at`, in the first free slot; null (with the
// reason shown) when there is none.
TextObject* PlaceText(const TextObject* source, const char* words, TS_Vec2 at) {
    Level& level = editor.editedLevel;
    for (uint64_t i = 0; level.texts && i < level.textCapacity; ++i) {
        if (level.texts[i]) continue;
        TextObject* text = CreateTextObject(words, std::strlen(words) + 1);
        if (!text || !text->text) {
            if (text) FreeTextObjects(&text, 1);
            return nullptr;
        }
        char* buffer = text->text;
        const uint64_t capacity = text->textCapacity;
        *text = *source;
        text->text = buffer;
        text->textCapacity = capacity;
        text->position = at;
        level.texts[i] = text;
        return text;
    }
    Editor_ShowNotice("A level holds 20 texts at most");
    return nullptr;
}

LevelObject* PlaceObject(ObjectKind kind, const GameObject* source, const Collider* collider,
                         TS_Vec2 at) {
    Level& level = editor.editedLevel;
    LevelObject** slot = nullptr;
    if (kind == KIND_GOAL) {
        if (level.goal) {
            Editor_ShowNotice("A level has one goal");
            return nullptr;
        }
        slot = &level.goal;
    }
    for (uint64_t i = 0; !slot && level.objects && i < level.objectCapacity; ++i) {
        if (!level.objects[i]) slot = &level.objects[i];
    }
    if (!slot) {
        Editor_ShowNotice("A level holds 100 objects at most");
        return nullptr;
    }
    LevelObject* entry = CreateLevelObject(kind, at, source->rotation, source->size);
    if (!entry) return nullptr;
    if (entry->object) {
        entry->object->active = source->active;
        if (collider && entry->object->collider) *entry->object->collider = *collider;
    }
    *slot = entry;
    return entry;
}

void Paste(void) {
    if (!clipboard.holds) return;
    Editor_FinishTextEditing();
    const TS_Vec2 at = Editor_SnapPoint(PointerInWorld());
    void* made = nullptr;
    if (clipboard.isText) {
        made = PlaceText(&clipboard.text, clipboard.words, at);
    } else {
        made = PlaceObject(clipboard.kind, &clipboard.object,
                           clipboard.hasCollider ? &clipboard.collider : nullptr, at);
    }
    if (!made) return;
    Editor_ClearSelection();
    Editor_Select(made, clipboard.isText);
    Editor_MarkChanged();
}

// The copy sits just right of the original, edge to edge, so that repeating
// it lays a row.
void Duplicate(void) {
    if (!editor.selection) return;
    Editor_FinishTextEditing();
    if (!editor.selection) return;  // an emptied text was removed
    void* made = nullptr;
    if (editor.selectionIsText) {
        const TextObject* text = static_cast<const TextObject*>(editor.selection);
        const TS_Vec2 at = TS_Vector_Add(text->position, TS_Vector_Set(text->width, 0.0f));
        made = PlaceText(text, text->text ? text->text : "", at);
    } else {
        const LevelObject* entry = static_cast<const LevelObject*>(editor.selection);
        const GameObject* o = entry->object;
        if (!o) return;
        const TS_Vec2 at = TS_Vector_Add(o->position, TS_Vector_Set(o->size.x, 0.0f));
        made = PlaceObject(entry->kind, o, o->collider, at);
    }
    if (!made) return;
    const bool isText = editor.selectionIsText;
    Editor_ClearSelection();
    Editor_Select(made, isText);
    Editor_MarkChanged();
}

}  // namespace

void Editor_UpdateClipboardKeys(void) {
    if (!Editor_CtrlHeld()) return;
    if (TS_Input_KeyTriggered(TS_KEY_C)) Copy();
    else if (TS_Input_KeyTriggered(TS_KEY_V)) Paste();
    else if (TS_Input_KeyTriggered(TS_KEY_D)) Duplicate();
}

void Editor_FreeClipboard(void) {
    std::free(clipboard.words);
    clipboard = Clipboard{};
}

void Editor_ShowNotice(const char* text) {
    std::snprintf(editor.notice, sizeof editor.notice, "%s", text);
    editor.noticeTime = kNoticeSeconds;
}

void Editor_DrawNotice(void) {
    if (editor.noticeTime <= 0.0f) return;
    editor.noticeTime -= TS_System_GetDt();
    const float x = static_cast<float>(TS_System_GetWindowWidth()) * 0.5f;
    const float y = static_cast<float>(TS_System_GetWindowHeight()) - 40.0f;
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color{24, 26, 28, 220});
    TS_Graphics_DrawRect(x, y, 520.0f, 40.0f);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(TS_Color{255, 255, 255, 255});
    TS_Settings_TextSize(20.0f);
    TS_Font_DrawText(editor.notice, x, y);
}
