// Drawing the World: the background, the level's objects and texts, the goal,
// the ship and the HUD; and the Shape drawing step every screen shares.
#pragma once

#include "level/objects.h"
#include "world/sprite_cache.h"
#include "world/world.h"

// Where and how big one object is drawn this frame, in window pixels.
struct DrawTransform {
    TS_Vec2 position;
    float rotation;  // degrees, clockwise on screen
    TS_Vec2 size;
};

// Draws one Shape at a transform; nothing for a null Shape, and nothing but
// the drawing settings for one that would land wholly outside the window.
void DrawShape(Shape* shape, const DrawTransform& transform);
// The same, but an image Shape is copied from `prepared` (made for exactly
// this box and turn) instead of being turned again; null draws as DrawShape.
void DrawShape_Copying(Shape* shape, const DrawTransform& transform, TS_PreparedImage prepared);
// Whether any pixel of the Shape drawn at the transform can land in the window:
// its turned box with the outline and the soft rim around it. Never false for
// something partly visible.
bool DrawShape_OnScreen(const Shape* shape, const DrawTransform& transform);
// The box an image Shape fills for an object box of `size`, its scale applied.
TS_Vec2 DrawShape_ImageBox(const Shape* shape, TS_Vec2 size);
// Draws an active object through the World's camera; inactive ones are skipped.
void DrawWorldObject(GameObject* object);
// The same through any camera (the editor draws with its own).
void DrawObjectThroughCamera(const GameObject* object, const Camera& camera);
// A level object through a camera: its prepared sprite from the cache (slot
// `slot`) when one matches how it looks now, otherwise drawn directly.
void DrawLevelObject(const GameObject* object, const Camera& camera, const SpriteCache* cache,
                     uint64_t slot);
// Whether a level text drawn at a window point with a text size in pixels
// can reach the window (a generous box: no glyph is wider than 1.5 sizes).
bool DrawText_OnScreen(const char* text, TS_Vec2 at, float pixels);
// A full-height, screen-fixed background image, centred.
void DrawBackground(TS_Image image);
// The fuel gauge 50 px left of and 40 px below a window point.
void DrawFuelGauge(const FuelGauge* gauge, TS_Vec2 screenPos);
// One frame of the World and its HUD.
void DrawWorld(void);

// The HUD parts of DrawWorld, drawn after the world itself.
void DrawFlyingHud(void);
void DrawSkipHint(void);
void DrawLevelClock(void);
