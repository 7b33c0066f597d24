// Operations on a whole Level: a deep copy, the bounds of what it holds and
// the fingerprint of what it is to fly.
#include <cstdlib>
#include <cstring>

#include "app/text_file.h"
#include "level/level.h"

namespace {

// The ship's 65 x 65 box around the origin, where it starts: every level's
// bounds hold it.
const Bounds kShipStartBounds = Bounds{-32.5f, -32.5f, 32.5f, 32.5f};

// A copy with its own GameObject and collider; the kind Shape stays shared.
// Returns false when memory runs out, with *copy left null.
bool CopyLevelObject(const LevelObject* entry, LevelObject** copy) {
    *copy = nullptr;
    if (!entry) return true;
    LevelObject* made = static_cast<LevelObject*>(std::calloc(1, sizeof(LevelObject)));
    if (!made) return false;
    made->kind = entry->kind;
    if (entry->object) {
        made->object = static_cast<GameObject*>(std::malloc(sizeof(GameObject)));
        if (!made->object) {
            FreeLevelObject(made);
            return false;
        }
        *made->object = *entry->object;
        made->object->collider = nullptr;
        if (entry->object->collider) {
            made->object->collider = static_cast<Collider*>(std::malloc(sizeof(Collider)));
            if (!made->object->collider) {
                FreeLevelObject(made);
                return false;
            }
            *made->object->collider = *entry->object->collider;
        }
    }
    *copy = made;
    return true;
}

// The text exactly as written (placeholders stay), with its width as it
// stands: the editor lets a text's box be stretched.
bool CopyText(const TextObject* source, TextObject** copy) {
    *copy = nullptr;
    if (!source) return true;
    const char* text = source->text ? source->text : "";
    TextObject* made = CreateTextObject(text, std::strlen(text) + 1);
    if (!made) return false;
    if (!made->text) {
        FreeTextObjects(&made, 1);
        return false;
    }
    made->position = source->position;
    made->rotation = source->rotation;
    made->width = source->width;
    made->textSize = source->textSize;
    made->visible = source->visible;
    made->colour = source->colour;
    made->alignH = source->alignH;
    made->alignV = source->alignV;
    *copy = made;
    return true;
}

// Fills the copy's tables slot by slot, holes where the source has them.
bool CopyTables(const Level* source, Level* copy) {
    if (source->objects && source->objectCapacity != 0) {
        copy->objects = static_cast<LevelObject**>(
            std::calloc(static_cast<size_t>(source->objectCapacity), sizeof(LevelObject*)));
        if (!copy->objects) return false;
        copy->objectCapacity = source->objectCapacity;
        for (uint64_t i = 0; i < source->objectCapacity; ++i) {
            if (!CopyLevelObject(source->objects[i], &copy->objects[i])) return false;
        }
    }
    if (source->texts && source->textCapacity != 0) {
        copy->texts = static_cast<TextObject**>(
            std::calloc(static_cast<size_t>(source->textCapacity), sizeof(TextObject*)));
        if (!copy->texts) return false;
        copy->textCapacity = source->textCapacity;
        for (uint64_t i = 0; i < source->textCapacity; ++i) {
            if (!CopyText(source->texts[i], &copy->texts[i])) return false;
        }
    }
    return CopyLevelObject(source->goal, &copy->goal);
}

}  // namespace

int Level_Copy(const Level* source, Level* copy) {
    InitLevel(copy);
    copy->flags = source->flags;
    copy->bounds = source->bounds;
    copy->parTime = source->parTime;
    copy->startFuel = source->startFuel;
    copy->startRotation = source->startRotation;
    if (CopyTables(source, copy)) return 0;
    FreeLevel(copy);
    InitLevel(copy);
    copy->bounds = Level_ComputeBounds(copy);
    return FILE_ERROR_NO_MEMORY;
}

Bounds Level_ComputeBounds(const Level* level) {
    Bounds bounds = kShipStartBounds;
    for (uint64_t i = 0; level->objects && i < level->objectCapacity; ++i) {
        const LevelObject* entry = level->objects[i];
        if (entry && entry->object) {
            Bounds_Include(&bounds, entry->object->position, entry->object->size);
        }
    }
    if (level->goal && level->goal->object) {
        Bounds_Include(&bounds, level->goal->object->position, level->goal->object->size);
    }
    for (uint64_t i = 0; level->texts && i < level->textCapacity; ++i) {
        const TextObject* text = level->texts[i];
        if (text) Bounds_Include(&bounds, text->position, TS_Vec2{text->width, text->textSize});
    }
    return bounds;
}

namespace {

const uint64_t kFnvOffset = 1469598103934665603ull;
const uint64_t kFnvPrime = 1099511628211ull;

void HashBytes(uint64_t* hash, const void* data, size_t size) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        *hash ^= bytes[i];
        *hash *= kFnvPrime;
    }
}

void HashFloat(uint64_t* hash, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    HashBytes(hash, &bits, sizeof bits);
}

// An object as it flies: its kind and its place, turn and size.
void HashObject(uint64_t* hash, const LevelObject* entry) {
    const uint32_t kind = static_cast<uint32_t>(entry->kind);
    HashBytes(hash, &kind, sizeof kind);
    const GameObject* object = entry->object;
    if (!object) return;
    HashFloat(hash, object->position.x);
    HashFloat(hash, object->position.y);
    HashFloat(hash, object->rotation);
    HashFloat(hash, object->size.x);
    HashFloat(hash, object->size.y);
}

}  // namespace

uint64_t Level_FlightHash(const Level* level) {
    uint64_t hash = kFnvOffset;
    HashBytes(&hash, &level->flags, sizeof level->flags);
    HashFloat(&hash, level->startFuel);
    HashFloat(&hash, level->startRotation);
    if (level->objects) {
        for (uint64_t i = 0; i < level->objectCapacity; ++i) {
            if (level->objects[i]) HashObject(&hash, level->objects[i]);
        }
    }
    // The goal is marked off from the objects, so moving an object into the
    // goal's place in the order still changes the hash.
    const char goalMark = 'E';
    HashBytes(&hash, &goalMark, 1);
    if (level->goal) HashObject(&hash, level->goal);
    return hash;
}
