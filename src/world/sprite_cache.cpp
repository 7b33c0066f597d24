// The prepared-sprite cache of a level: making, finding and freeing the
// rotated, scaled copies of its objects, within a fixed memory budget.
#include "world/sprite_cache.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "world/draw.h"

namespace {

SpriteCacheEntry* EntryAt(const SpriteCache* cache, uint64_t slot, int step) {
    if (!cache || !cache->entries || slot >= cache->slots || step < 0 ||
        step >= SPRITE_STEP_COUNT) {
        return nullptr;
    }
    return &cache->entries[slot * SPRITE_STEP_COUNT + static_cast<uint64_t>(step)];
}

void ReleaseEntry(SpriteCache* cache, SpriteCacheEntry* entry) {
    cache->bytes -= TS_PreparedImage_Bytes(entry->prepared);
    TS_PreparedImage_Free(&entry->prepared);
    *entry = SpriteCacheEntry{};
}

// The most a box turned by `rotation` can take once prepared, so that a copy
// past the budget is never made only to be thrown away.
size_t BytesAtMost(float width, float height, float rotation) {
    const double radians = static_cast<double>(rotation) * TS_PI / 180.0;
    const double c = std::fabs(std::cos(radians)), s = std::fabs(std::sin(radians));
    const double w = width * c + height * s + 3.0;
    const double h = width * s + height * c + 3.0;
    return static_cast<size_t>(std::ceil(w) * std::ceil(h) * 4.0);
}

const GameObject* ObjectInSlot(const Level* level, uint64_t slot) {
    if (slot < level->objectCapacity) {
        const LevelObject* entry = level->objects ? level->objects[slot] : nullptr;
        return entry ? entry->object : nullptr;
    }
    return level->goal ? level->goal->object : nullptr;
}

}  // namespace

bool SpriteCache_Init(SpriteCache* cache, uint64_t objectSlots, size_t budget) {
    SpriteCache_Free(cache);
    cache->budget = budget;
    cache->entries = static_cast<SpriteCacheEntry*>(std::calloc(
        static_cast<size_t>(objectSlots + 1) * SPRITE_STEP_COUNT, sizeof(SpriteCacheEntry)));
    if (!cache->entries) return false;
    cache->slots = objectSlots + 1;
    return true;
}

void SpriteCache_Free(SpriteCache* cache) {
    if (cache->entries) {
        for (uint64_t i = 0; i < cache->slots * SPRITE_STEP_COUNT; ++i) {
            TS_PreparedImage_Free(&cache->entries[i].prepared);
        }
        std::free(cache->entries);
    }
    cache->entries = nullptr;
    cache->slots = 0;
    cache->bytes = 0;
}

uint64_t SpriteCache_GoalSlot(const SpriteCache* cache) {
    return cache->slots > 0 ? cache->slots - 1 : 0;
}

void SpriteCache_Prepare(SpriteCache* cache, uint64_t slot, int step, const GameObject* object,
                         float zoom) {
    SpriteCacheEntry* entry = EntryAt(cache, slot, step);
    if (!entry) return;
    const Shape* shape = object ? object->shape : nullptr;
    if (!shape || shape->type != SHAPE_IMAGE || !shape->image) {
        ReleaseEntry(cache, entry);
        return;
    }
    const TS_Vec2 box = DrawShape_ImageBox(shape, TS_Vector_Scale(object->size, zoom));
    if (entry->image == shape->image && entry->width == box.x && entry->height == box.y &&
        entry->rotation == object->rotation) {
        return;  // up to date, or known not to be preparable
    }
    ReleaseEntry(cache, entry);
    entry->image = shape->image;
    entry->width = box.x;
    entry->height = box.y;
    entry->rotation = object->rotation;
    if (cache->bytes + BytesAtMost(box.x, box.y, object->rotation) > cache->budget) return;
    entry->prepared = TS_PreparedImage_Create(shape->image, box.x, box.y, object->rotation);
    cache->bytes += TS_PreparedImage_Bytes(entry->prepared);
}

void SpriteCache_PrepareLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                              TS_Vec2 near) {
    // Nearest first: when the budget runs out, what is seen first is ready.
    struct Candidate {
        float distanceSq;
        uint64_t slot;
    };
    Candidate* order = static_cast<Candidate*>(std::malloc(cache->slots * sizeof(Candidate)));
    uint64_t count = 0;
    for (uint64_t slot = 0; slot < cache->slots; ++slot) {
        const GameObject* object = ObjectInSlot(level, slot);
        if (!object) continue;
        if (!order) {
            SpriteCache_Prepare(cache, slot, step, object, zoom);  // slot order will do
            continue;
        }
        const TS_Vec2 d = TS_Vector_Subtract(object->position, near);
        order[count++] = Candidate{TS_Vector_DotProduct(d, d), slot};
    }
    if (!order) return;
    std::stable_sort(order, order + count, [](const Candidate& a, const Candidate& b) {
        return a.distanceSq < b.distanceSq;
    });
    for (uint64_t i = 0; i < count; ++i) {
        SpriteCache_Prepare(cache, order[i].slot, step, ObjectInSlot(level, order[i].slot), zoom);
    }
    std::free(order);
}

void SpriteCache_PrepareNear(SpriteCache* cache, const Level* level, int step, float zoom,
                             TS_Vec2 near, float radius) {
    for (uint64_t slot = 0; slot < cache->slots; ++slot) {
        const GameObject* object = ObjectInSlot(level, slot);
        if (!object) continue;
        const float reach = radius + std::fabs(object->size.x) + std::fabs(object->size.y);
        const TS_Vec2 d = TS_Vector_Subtract(object->position, near);
        if (TS_Vector_DotProduct(d, d) <= reach * reach) {
            SpriteCache_Prepare(cache, slot, step, object, zoom);
        }
    }
}

void SpriteCache_ClearStep(SpriteCache* cache, int step) {
    for (uint64_t slot = 0; slot < cache->slots; ++slot) {
        SpriteCacheEntry* entry = EntryAt(cache, slot, step);
        if (entry) ReleaseEntry(cache, entry);
    }
}

TS_PreparedImage SpriteCache_Find(const SpriteCache* cache, uint64_t slot, TS_Image image,
                                  float width, float height, float rotation) {
    for (int step = 0; step < SPRITE_STEP_COUNT; ++step) {
        const SpriteCacheEntry* entry = EntryAt(cache, slot, step);
        if (!entry) return nullptr;
        if (entry->prepared && entry->image == image && entry->width == width &&
            entry->height == height && entry->rotation == rotation) {
            return entry->prepared;
        }
    }
    return nullptr;
}

int SpriteCache_Count(const SpriteCache* cache) {
    int count = 0;
    for (uint64_t i = 0; cache->entries && i < cache->slots * SPRITE_STEP_COUNT; ++i) {
        if (cache->entries[i].prepared) ++count;
    }
    return count;
}
