// The kind Shape table: one shared image Shape per object kind.
#include "level/kind_shapes.h"

#include "app/assets.h"

Shape* kindShapes[KIND_SHAPE_COUNT] = {};

void BuildKindShapes(void) {
    for (int i = 0; i < KIND_SHAPE_COUNT; ++i) {
        kindShapes[i] = CreateImageShape(GetSpriteImage(SPRITE_ASTEROID + i));
    }
}

void FreeKindShapes(void) {
    for (int i = 0; i < KIND_SHAPE_COUNT; ++i) {
        if (!kindShapes[i]) continue;
        FreeOwnedShape(kindShapes[i]);
        kindShapes[i] = nullptr;
    }
}

Shape* KindShape(ObjectKind kind) {
    switch (kind) {
        case KIND_ASTEROID: return kindShapes[KIND_SHAPE_ASTEROID];
        case KIND_WALL: return kindShapes[KIND_SHAPE_WALL];
        case KIND_LASER_TRAP: return kindShapes[KIND_SHAPE_LASER_TRAP];
        case KIND_MISSILE_TRAP: return kindShapes[KIND_SHAPE_MISSILE_TRAP];
        case KIND_FUEL_CELL: return kindShapes[KIND_SHAPE_FUEL_CELL];
        case KIND_GOAL: return kindShapes[KIND_SHAPE_GOAL];
        default: return nullptr;
    }
}
