// Drawing the editor: the level as it is being built, the ship's start, the
// selection's handles, collider outlines (F3), the top bar and the side bar.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "editor/editor.h"
#include "ui/text_fit.h"
#include "world/draw.h"

namespace {

const TS_Color kWhite = {255, 255, 255, 255};
const TS_Color kBarGrey = {128, 128, 128, 255};
const TS_Color kNone = {0, 0, 0, 0};

void DrawEditedObject(const GameObject* object, uint64_t slot) {
    DrawLevelObject(object, editor.editorCamera, &editor.spriteCache, slot);
}

void DrawHandle(int which, TS_Vec2 position, TS_Vec2 size) {
    DrawTransform transform;
    transform.position = position;
    transform.rotation = 0.0f;  // the handles stay upright whatever the target's turn
    transform.size = size;
    DrawShape(handleShapes[which], transform);
}

// While one handle is dragged only that one shows.
void DrawGizmo(const Gizmo* gizmo) {
    if (!gizmo || !gizmo->target) return;
    const float zoom = editor.editorCamera.zoom;
    const TS_Vec2 handle = TS_Vector_Set(15.0f, 15.0f);
    if (!gizmo->rotateActive && !gizmo->scaleActive) {
        DrawHandle(GIZMO_MOVE_SHAPE, gizmo->moveHandle->position,
                   TS_Vector_Set(*gizmo->fields.width * zoom, *gizmo->fields.height * zoom));
    }
    if (!gizmo->moveActive && !gizmo->scaleActive) {
        DrawHandle(GIZMO_ROTATE_SHAPE, gizmo->rotateHandle->position, handle);
    }
    if (!gizmo->moveActive && !gizmo->rotateActive) {
        DrawHandle(GIZMO_SCALE_SHAPE, gizmo->scaleHandle->position, handle);
    }
}

}  // namespace

void Editor_SyncSprites(void) {
    SpriteCache* cache = &editor.spriteCache;
    const Level& level = editor.editedLevel;
    if (cache->slots != level.objectCapacity + 1 &&
        !SpriteCache_Init(cache, level.objectCapacity, kSpriteCacheBudgetBytes)) {
        return;
    }
    const float zoom = editor.editorCamera.zoom;
    const bool zoomHeld = zoom == editor.spriteZoom;
    editor.spriteZoom = zoom;
    if (!zoomHeld) return;
    const Gizmo* gizmo = editor.gizmo;
    const void* shaping =
        gizmo && (gizmo->rotateActive || gizmo->scaleActive) ? gizmo->target : nullptr;
    // A level just opened, or a zoom that just came to rest, has every sprite
    // to make: a frame makes them for its budget only, those in the window
    // first, and the rest are drawn directly until their turn.
    const SpriteBudget budget = SpriteBudget_Start();
    const Camera& camera = editor.editorCamera;
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    for (int pass = 0; pass < 2; ++pass) {
        for (uint64_t slot = 0; slot < cache->slots; ++slot) {
            const GameObject* object = nullptr;
            if (slot < level.objectCapacity) {
                const LevelObject* entry = level.objects ? level.objects[slot] : nullptr;
                object = entry ? entry->object : nullptr;
            } else {
                object = level.goal ? level.goal->object : nullptr;
            }
            if (object && object == shaping) continue;
            if (SpriteCache_IsCurrent(cache, slot, SPRITE_STEP_PLAY, object, zoom)) continue;
            if (object) {
                const TS_Vec2 at = TS_Vector_MatrixMultiply(camera.worldToScreen, object->position);
                const float reach = (std::fabs(object->size.x) + std::fabs(object->size.y)) * zoom;
                const bool inView =
                    at.x > -reach && at.x < w + reach && at.y > -reach && at.y < h + reach;
                if (inView != (pass == 0)) continue;
            } else if (pass == 0) {
                continue;  // an entry to let go of costs nothing: the second pass does it
            }
            SpriteCache_Prepare(cache, slot, SPRITE_STEP_PLAY, object, zoom);
            if (SpriteBudget_Spent(&budget)) return;
        }
    }
}

namespace {

// Lines closer than this on screen blur into a wash: they are left out.
const float kFinestGridPixels = 6.0f;
const TS_Color kGridFaint = {255, 255, 255, 22};
const TS_Color kGridStrong = {255, 255, 255, 55};
const TS_Color kGridAxis = {120, 200, 255, 90};

TS_Color GridColour(float world) {
    if (world == 0.0f) return kGridAxis;
    return std::fmod(world, kGridMajorStep) == 0.0f ? kGridStrong : kGridFaint;
}

}  // namespace

void Editor_DrawGrid(void) {
    const Camera& camera = editor.editorCamera;
    const float zoom = camera.zoom;
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    float step = kGridStep;
    if (step * zoom < kFinestGridPixels) step = kGridMajorStep;
    if (step * zoom < kFinestGridPixels) return;
    // The window's corners in the world (its y axis points up).
    const TS_Vec2 topLeft = TS_Vector_MatrixMultiply(camera.screenToWorld, TS_Vector_Set(0, 0));
    const TS_Vec2 bottomRight = TS_Vector_MatrixMultiply(camera.screenToWorld, TS_Vector_Set(w, h));
    const TS_Vec2 origin = TS_Vector_MatrixMultiply(camera.worldToScreen, TS_Vector_Zero());
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    for (float x = std::ceil(topLeft.x / step) * step; x <= bottomRight.x; x += step) {
        const float at = std::floor(origin.x + x * zoom);
        if (at < 0.0f || at >= w) continue;
        TS_Settings_Fill(GridColour(x));
        TS_Graphics_DrawRect(at, 0.0f, 1.0f, h);
    }
    for (float y = std::ceil(bottomRight.y / step) * step; y <= topLeft.y; y += step) {
        const float at = std::floor(origin.y - y * zoom);
        if (at < 0.0f || at >= h) continue;
        TS_Settings_Fill(GridColour(y));
        TS_Graphics_DrawRect(0.0f, at, w, 1.0f);
    }
}

namespace {

const float kTitleMargin = 10.0f;  // between the title and the nearest button

// The title as drawn: the level's path, shortened in the middle with an
// ellipsis when it is wider than `room`, so the start of the path and the
// file's name both show. Worked out again only when the path or room change.
const char* ShownTitle(float room) {
    static char madeFrom[EDITOR_PATH_SIZE] = "";
    static float madeFor = -1.0f;
    static char shown[EDITOR_PATH_SIZE + 4] = "";
    if (madeFor == room && std::strcmp(madeFrom, editor.titleText) == 0) return shown;
    std::snprintf(madeFrom, sizeof madeFrom, "%s", editor.titleText);
    madeFor = room;
    TextFit_Shorten(madeFrom, room, TEXT_CUT_MIDDLE, shown, sizeof shown);
    return shown;
}

// The room the title has on one side of the bar's middle: up to the nearest
// edge of any top bar button on that side, less a margin.
float TitleHalfRoom(float middle) {
    const Button* buttons[8] = {editor.saveButton, editor.openButton, editor.helpButton,
                                editor.exitButton, editor.playButton, editor.undoButton,
                                editor.redoButton, editor.levelButton};
    float half = middle;
    for (const Button* button : buttons) {
        if (!button) continue;
        const float left = button->position.x - button->size.x * 0.5f;
        const float right = button->position.x + button->size.x * 0.5f;
        if (right <= middle) half = std::fmin(half, middle - right);
        else if (left >= middle) half = std::fmin(half, left - middle);
        else half = 0.0f;  // a button over the middle leaves no room
    }
    return std::fmax(half - kTitleMargin, 0.0f);
}

// A thin bar where typing goes in the text being edited, as tall as the text.
void DrawCaret(const TextObject* text, const Camera& camera) {
    if (!text->text) return;
    char before[EDITOR_TEXT_BUFFER];
    const size_t caret = editor.textCaret < sizeof before - 1 ? editor.textCaret : 0;
    std::memcpy(before, text->text, caret);
    before[caret] = '\0';
    const float size = text->textSize * camera.zoom;
    TS_Settings_TextSize(size);
    const float whole = TS_Font_TextWidth(text->text);
    const TS_Vec2 at = TS_Vector_MatrixMultiply(camera.worldToScreen, text->position);
    float left = at.x;
    if (text->alignH == TS_ALIGN_CENTER) left -= whole * 0.5f;
    if (text->alignH == TS_ALIGN_RIGHT) left -= whole;
    float top = at.y;
    if (text->alignV == TS_ALIGN_MIDDLE) top -= size * 0.5f;
    if (text->alignV == TS_ALIGN_BOTTOM) top -= size;
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(text->colour);
    TS_Graphics_DrawRect(left + TS_Font_TextWidth(before), top, 2.0f, size);
}

}  // namespace

void Editor_DrawScene(void) {
    const Level& level = editor.editedLevel;
    const Camera& camera = editor.editorCamera;
    if (editor.showGrid) Editor_DrawGrid();
    if (level.objects) {
        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            const LevelObject* entry = level.objects[i];
            if (!entry || !entry->object) continue;
            DrawEditedObject(entry->object, i);
            if (editor.showColliders) Editor_DrawColliderOutline(entry->object);
        }
    }
    if (level.goal) {
        DrawEditedObject(level.goal->object, SpriteCache_GoalSlot(&editor.spriteCache));
    }
    if (level.texts) Editor_DrawTexts(level.texts, level.textCapacity, &camera);

    const ShipMarker& marker = editor.shipMarker;
    DrawTransform ship;
    ship.position = TS_Vector_MatrixMultiply(camera.worldToScreen, marker.position);
    ship.rotation = marker.rotation;
    ship.size = TS_Vector_Scale(marker.size, camera.zoom);
    DrawShape(editor.shipMarkerShape, ship);

    if (!editor.selection) return;
    DrawGizmo(editor.gizmo);
    if (editor.selectionIsText && editor.textEditing) {
        DrawCaret(static_cast<const TextObject*>(editor.selection), camera);
    }
    if (editor.selectionIsText && editor.editTextButton) {
        Button_Draw(editor.editTextButton, editor.editTextButton->state);
    }
}

void Editor_DrawTexts(TextObject* const* texts, uint64_t count, const Camera* camera) {
    // Texts are drawn upright, and also when they are not marked visible.
    for (uint64_t i = 0; i < count; ++i) {
        const TextObject* text = texts[i];
        if (!text || !text->text) continue;
        const TS_Vec2 at = TS_Vector_MatrixMultiply(camera->worldToScreen, text->position);
        if (!DrawText_OnScreen(text->text, at, text->textSize * camera->zoom)) continue;
        TS_Settings_TextSize(text->textSize * camera->zoom);
        TS_Settings_TextAlignment(text->alignH, text->alignV);
        TS_Settings_Fill(text->colour);
        TS_Font_DrawText(text->text, at.x, at.y);
    }
}

void Editor_DrawColliderOutline(const GameObject* object) {
    const Collider* collider = object->collider;
    if (!collider) return;
    const Camera& camera = editor.editorCamera;
    const TS_Vec2 centre = TS_Vector_MatrixMultiply(camera.worldToScreen, object->position);
    const float width = collider->scale.x * object->size.x * camera.zoom;
    const float height = collider->scale.y * object->size.y * camera.zoom;
    TS_Settings_NoFill();
    TS_Settings_Stroke(TS_Color{0, 255, 0, 255});
    if (collider->type == COLLIDER_CIRCLE)
        TS_Graphics_DrawEllipse(centre.x, centre.y, width, height);
}

void Editor_DrawTopBar(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(kBarGrey);
    TS_Settings_NoStroke();
    TS_Graphics_DrawRect(0.0f, 0.0f, w, 50.0f);
    const Button* buttons[8] = {editor.saveButton, editor.openButton, editor.helpButton,
                                editor.exitButton, editor.playButton, editor.undoButton,
                                editor.redoButton, editor.levelButton};
    for (const Button* button : buttons) {
        if (button) Button_Draw(button, button->state);
    }
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(kWhite);
    TS_Settings_TextSize(20.0f);
    // Centred between the buttons, so as wide as twice the nearer side's room.
    TS_Font_DrawText(ShownTitle(2.0f * TitleHalfRoom(w * 0.5f)), w * 0.5f, 25.0f);
    if (!editor.dirty || !editor.playButton) return;
    // The red "Unsaved" badge sits at the top of the bar, over the title.
    const float y = editor.playButton->position.y - editor.playButton->size.y * 0.5f + 8.0f;
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Fill(TS_Color{255, 0, 0, 255});
    TS_Graphics_DrawRect(w * 0.5f, y, 100.0f, 16.0f);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(kWhite);
    TS_Settings_TextSize(15.0f);
    TS_Font_DrawText("Unsaved", w * 0.5f, y);
}

void Editor_PreparePaletteIcons(void) {
    editor.paletteIconCopySize = TS_Vector_Zero();
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        TS_PreparedImage_Free(&editor.paletteIconCopies[i]);
        const Shape* icon = editor.paletteIcons[i];
        const DragHandle* item = editor.paletteHandles[i];
        if (!icon || !item || icon->type != SHAPE_IMAGE) continue;
        const TS_Vec2 box = DrawShape_ImageBox(icon, item->size);
        editor.paletteIconCopies[i] = TS_PreparedImage_Create(icon->image, box.x, box.y, 0.0f);
        editor.paletteIconCopySize = item->size;
    }
}

void Editor_DrawSideBar(void) {
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(kBarGrey);
    TS_Settings_NoStroke();
    TS_Graphics_DrawRect(0.0f, 50.0f, 50.0f, static_cast<float>(TS_System_GetWindowHeight()));
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        const DragHandle* item = editor.paletteHandles[i];
        if (!item) continue;
        const float x = item->position.x;
        const float y = item->position.y;
        const float hw = item->size.x * 0.5f;
        const float hh = item->size.y * 0.5f;
        TS_Settings_Fill(kNone);
        TS_Settings_NoFill();
        TS_Settings_Stroke(item->dragging ? TS_Color{255, 0, 0, 255} : TS_Color{0, 255, 255, 255});
        TS_Settings_RectMode(TS_MODE_CENTER);
        TS_Graphics_DrawQuad(x - hw, y - hh, x - hw, y + hh, x + hw, y + hh, x + hw, y - hh);
        // The icon stays at home; while dragging a second one follows the pointer.
        DrawTransform icon;
        icon.rotation = 0.0f;
        icon.size = item->size;
        const bool prepared = icon.size.x == editor.paletteIconCopySize.x &&
                              icon.size.y == editor.paletteIconCopySize.y;
        TS_PreparedImage copy = prepared ? editor.paletteIconCopies[i] : nullptr;
        icon.position = editor.paletteHome[i];
        DrawShape_Copying(editor.paletteIcons[i], icon, copy);
        icon.position = item->position;
        DrawShape_Copying(editor.paletteIcons[i], icon, copy);
    }
}
