// The eight shared image Shapes that give level objects their look, one per
// kind (plus the laser beam and the missile), built from the sprite cache.
#pragma once

#include "level/objects.h"

enum KindShapeSlot {
    KIND_SHAPE_ASTEROID = 0,
    KIND_SHAPE_WALL = 1,
    KIND_SHAPE_LASER_TRAP = 2,
    KIND_SHAPE_LASER = 3,
    KIND_SHAPE_MISSILE_TRAP = 4,
    KIND_SHAPE_MISSILE = 5,
    KIND_SHAPE_FUEL_CELL = 6,
    KIND_SHAPE_GOAL = 7,
    KIND_SHAPE_COUNT = 8
};

// Empty (all null) until BuildKindShapes; level objects created meanwhile
// have no Shape.
extern Shape* kindShapes[KIND_SHAPE_COUNT];

// Fills every slot i with an image Shape of sprite slot 4 + i. Overwrites the
// table: call FreeKindShapes first when it is already built.
void BuildKindShapes(void);
// Frees every built slot and empties it. Objects still pointing at the Shapes
// must not be drawn afterwards.
void FreeKindShapes(void);

// The shared Shape of a level object's kind, or null (no such kind, or the
// table is empty).
Shape* KindShape(ObjectKind kind);
