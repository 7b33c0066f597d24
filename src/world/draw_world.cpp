// One frame of the World: background, level objects and texts, goal, ship,
// then the HUD on top.
#include <cmath>
#include <cstring>

#include "app/assets.h"
#include "world/draw.h"
#include "world/ghost.h"

namespace {

DrawTransform ThroughCamera(const GameObject* object, const Camera& camera) {
    DrawTransform transform;
    transform.position = TS_Vector_MatrixMultiply(camera.worldToScreen, object->position);
    transform.rotation = object->rotation;
    transform.size = TS_Vector_Scale(object->size, camera.zoom);
    return transform;
}

}  // namespace

void DrawWorldObject(GameObject* object) { DrawObjectThroughCamera(object, world.camera); }

void DrawObjectThroughCamera(const GameObject* object, const Camera& camera) {
    if (!object || !object->active) return;
    DrawShape(object->shape, ThroughCamera(object, camera));
}

void DrawLevelObject(const GameObject* object, const Camera& camera, const SpriteCache* cache,
                     uint64_t slot) {
    if (!object || !object->active || !object->shape) return;
    Shape* shape = object->shape;
    const DrawTransform transform = ThroughCamera(object, camera);
    TS_PreparedImage prepared = nullptr;
    if (cache && shape->type == SHAPE_IMAGE) {
        const TS_Vec2 box = DrawShape_ImageBox(shape, transform.size);
        prepared = SpriteCache_Find(cache, slot, shape->image, box.x, box.y, transform.rotation);
    }
    DrawShape_Copying(shape, transform, prepared);
}

bool DrawText_OnScreen(const char* text, TS_Vec2 at, float pixels) {
    const float reach = static_cast<float>(std::strlen(text)) * std::fabs(pixels) * 1.5f + 4.0f;
    const float rise = std::fabs(pixels) * 2.0f + 4.0f;
    const float width = static_cast<float>(TS_System_GetWindowWidth());
    const float height = static_cast<float>(TS_System_GetWindowHeight());
    return !(at.x + reach < 0.0f || at.x - reach > width || at.y + rise < 0.0f ||
             at.y - rise > height);
}

void DrawBackground(TS_Image image) {
    const float height = static_cast<float>(TS_System_GetWindowHeight());
    const int imageHeight = TS_Image_GetHeight(image);
    if (imageHeight <= 0) return;
    const float width =
        static_cast<float>(TS_Image_GetWidth(image)) / static_cast<float>(imageHeight) * height;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_Image_Draw(image, static_cast<float>(TS_System_GetWindowWidth() / 2),
                  static_cast<float>(TS_System_GetWindowHeight() / 2), width, height, 255);
}

namespace {

void DrawLevelTexts(void) {
    const Level& level = world.level;
    if (!level.texts) return;
    const Camera& camera = world.camera;
    for (uint64_t i = 0; i < level.textCapacity; ++i) {
        const TextObject* text = level.texts[i];
        if (!text || !text->text) continue;
        const TS_Vec2 p = TS_Vector_MatrixMultiply(camera.worldToScreen, text->position);
        if (!DrawText_OnScreen(text->text, p, text->textSize * camera.zoom)) continue;
        TS_Settings_TextSize(text->textSize * camera.zoom);
        TS_Settings_TextAlignment(text->alignH, text->alignV);
        TS_Settings_Fill(text->colour);
        TS_Font_DrawText(text->text, p.x, p.y);
    }
}

}  // namespace

void DrawWorld(void) {
    if (!world.ship.body || !world.ship.fuel) return;
    DrawBackground(GetSpriteImage(SPRITE_GAMEPLAY_BACKGROUND));
    // Images are placed by their centre for the rest of the frame (the
    // animation strips rely on it).
    TS_Settings_ImageMode(TS_MODE_CENTER);

    const Level& level = world.level;
    const SpriteCache* cache = &world.spriteCache;
    if (level.objects) {
        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            if (level.objects[i]) DrawLevelObject(level.objects[i]->object, world.camera, cache, i);
        }
    }
    DrawLevelTexts();
    if (level.goal) {
        DrawLevelObject(level.goal->object, world.camera, cache, SpriteCache_GoalSlot(cache));
    }
    Ghost_Draw(world.ghost, world.camera);
    DrawWorldObject(world.ship.body);

    if (world.phase == PHASE_FLYING && world.mapState == MAP_OFF) DrawFlyingHud();
    if (world.phase == PHASE_INTRO || world.phase == PHASE_CAPTURE) DrawSkipHint();
    DrawLevelClock();
}
