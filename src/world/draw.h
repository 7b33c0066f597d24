// Drawing the World: the background, the level's objects and texts, the goal,
// the ship and the HUD; and the Shape drawing step every screen shares.
#pragma once

#include "level/objects.h"
#include "world/world.h"

// Where and how big one object is drawn this frame, in window pixels.
struct DrawTransform {
    TS_Vec2 position;
    float rotation;  // degrees, clockwise on screen
    TS_Vec2 size;
};

// Draws one Shape at a transform; nothing for a null Shape.
void DrawShape(Shape* shape, const DrawTransform& transform);
// Draws an active object through the World's camera; inactive ones are skipped.
void DrawWorldObject(GameObject* object);
// The same through any camera (the editor draws with its own).
void DrawObjectThroughCamera(const GameObject* object, const Camera& camera);
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
