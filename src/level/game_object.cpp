// Game objects, their circle colliders, and the level objects built on them.
#include <cstdlib>

#include "level/kind_shapes.h"
#include "level/objects.h"

GameObject* CreateGameObject(void) {
    GameObject* object = static_cast<GameObject*>(std::malloc(sizeof(GameObject)));
    if (!object) return nullptr;
    object->position = TS_Vec2{0.0f, 0.0f};
    object->rotation = 0.0f;
    object->size = TS_Vec2{1.0f, 1.0f};
    object->shape = nullptr;
    object->collider = nullptr;
    object->active = 1;
    return object;
}

void FreeGameObject(GameObject* object) {
    if (!object) return;
    std::free(object->collider);
    std::free(object);
}

void AttachCircleCollider(GameObject* object) {
    if (object->collider) return;
    Collider* collider = static_cast<Collider*>(std::malloc(sizeof(Collider)));
    if (!collider) return;
    collider->type = COLLIDER_CIRCLE;
    collider->scale = TS_Vec2{1.0f, 1.0f};
    collider->offset = TS_Vec2{0.0f, 0.0f};
    object->collider = collider;
}

char KindChar(ObjectKind kind) {
    static const char kindChars[] = "0AWLMFE";
    return kind <= KIND_GOAL ? kindChars[kind] : '0';
}

ObjectKind KindFromChar(char c) {
    switch (c) {
        case 'A': return KIND_ASTEROID;
        case 'W': return KIND_WALL;
        case 'L': return KIND_LASER_TRAP;
        case 'M': return KIND_MISSILE_TRAP;
        case 'F': return KIND_FUEL_CELL;
        case 'E': return KIND_GOAL;
        default: return KIND_NONE;
    }
}

LevelObject* CreateLevelObject(ObjectKind kind, TS_Vec2 position, float rotation, TS_Vec2 size) {
    LevelObject* entry = static_cast<LevelObject*>(std::malloc(sizeof(LevelObject)));
    if (!entry) return nullptr;
    GameObject* object = CreateGameObject();
    if (!object) {
        std::free(entry);
        return nullptr;
    }
    object->position = position;
    object->rotation = rotation;
    object->size = size;
    object->shape = KindShape(kind);
    AttachCircleCollider(object);
    entry->object = object;
    entry->kind = kind;
    return entry;
}

void FreeLevelObject(LevelObject* entry) {
    if (!entry) return;
    FreeGameObject(entry->object);
    std::free(entry);
}
