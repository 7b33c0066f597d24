// The prepared-sprite cache of a level: making, finding and freeing the
// rotated, scaled copies of its objects, within a fixed memory budget.
#include "world/sprite_cache.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

double frameBudgetSeconds = kSpriteFrameBudgetSeconds;

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Plans the objects within `radius` of `near` (every object when radius is
// negative).
void Plan(SpriteCache* cache, const Level* level, int step, float zoom, TS_Vec2 near,
          float radius) {
    if (!cache->entries || step < 0 || step >= SPRITE_STEP_COUNT) return;
    if (!cache->plan) {
        // No room to plan: prepared at once, as they would have been.
        for (uint64_t slot = 0; slot < cache->slots; ++slot) {
            SpriteCache_Prepare(cache, slot, step, ObjectInSlot(level, slot), zoom);
        }
        return;
    }
    // What waits at other steps moves up to the start of the table; what
    // waited at this step is dropped. Each step holds at most one item per
    // slot, so the room past them holds the new items.
    uint64_t kept = 0;
    for (uint64_t i = cache->planNext; i < cache->planCount; ++i) {
        if (cache->plan[i].step != step) cache->plan[kept++] = cache->plan[i];
    }
    cache->planNext = 0;
    SpritePlanItem* items = cache->plan + kept;
    uint64_t count = 0;
    for (uint64_t slot = 0; slot < cache->slots; ++slot) {
        const GameObject* object = ObjectInSlot(level, slot);
        if (!object) continue;
        const TS_Vec2 d = TS_Vector_Subtract(object->position, near);
        const float distanceSq = TS_Vector_DotProduct(d, d);
        if (radius >= 0.0f) {
            const float reach = radius + std::fabs(object->size.x) + std::fabs(object->size.y);
            if (distanceSq > reach * reach) continue;
        }
        items[count++] = SpritePlanItem{slot, step, zoom, distanceSq};
    }
    // Sorted where they are, then moved ahead of what waits.
    std::sort(items, items + count, [](const SpritePlanItem& a, const SpritePlanItem& b) {
        return a.distanceSq != b.distanceSq ? a.distanceSq < b.distanceSq : a.slot < b.slot;
    });
    std::rotate(cache->plan, items, items + count);
    cache->planCount = kept + count;
}

}  // namespace

SpriteBudget SpriteBudget_Start(void) { return SpriteBudget{NowNs()}; }

bool SpriteBudget_Spent(const SpriteBudget* budget) {
    return static_cast<double>(NowNs() - budget->startNs) * 1e-9 >= frameBudgetSeconds;
}

double SpriteBudget_Seconds(void) { return frameBudgetSeconds; }

void SpriteBudget_SetSeconds(double seconds) { frameBudgetSeconds = seconds; }

bool SpriteCache_Init(SpriteCache* cache, uint64_t objectSlots, size_t budget) {
    SpriteCache_Free(cache);
    cache->budget = budget;
    const size_t count = static_cast<size_t>(objectSlots + 1) * SPRITE_STEP_COUNT;
    cache->entries = static_cast<SpriteCacheEntry*>(std::calloc(count, sizeof(SpriteCacheEntry)));
    if (!cache->entries) return false;
    cache->slots = objectSlots + 1;
    // Without room for a plan, planned sprites are made at once instead.
    cache->plan = static_cast<SpritePlanItem*>(std::malloc(count * sizeof(SpritePlanItem)));
    return true;
}

void SpriteCache_Free(SpriteCache* cache) {
    if (cache->entries) {
        for (uint64_t i = 0; i < cache->slots * SPRITE_STEP_COUNT; ++i) {
            TS_PreparedImage_Free(&cache->entries[i].prepared);
        }
        std::free(cache->entries);
    }
    std::free(cache->plan);
    cache->plan = nullptr;
    cache->planCount = 0;
    cache->planNext = 0;
    cache->entries = nullptr;
    cache->slots = 0;
    cache->bytes = 0;
}

uint64_t SpriteCache_GoalSlot(const SpriteCache* cache) {
    return cache->slots > 0 ? cache->slots - 1 : 0;
}

bool SpriteCache_IsCurrent(const SpriteCache* cache, uint64_t slot, int step,
                           const GameObject* object, float zoom) {
    const SpriteCacheEntry* entry = EntryAt(cache, slot, step);
    if (!entry) return true;  // nothing could be made
    const Shape* shape = object ? object->shape : nullptr;
    if (!shape || shape->type != SHAPE_IMAGE || !shape->image) {
        return !entry->image && !entry->prepared;
    }
    const TS_Vec2 box = DrawShape_ImageBox(shape, TS_Vector_Scale(object->size, zoom));
    return entry->image == shape->image && entry->width == box.x && entry->height == box.y &&
           entry->rotation == object->rotation;
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

void SpriteCache_PlanLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                           TS_Vec2 near) {
    Plan(cache, level, step, zoom, near, -1.0f);
}

void SpriteCache_PlanNear(SpriteCache* cache, const Level* level, int step, float zoom,
                          TS_Vec2 near, float radius) {
    Plan(cache, level, step, zoom, near, radius < 0.0f ? 0.0f : radius);
}

uint64_t SpriteCache_PrepareWithin(SpriteCache* cache, const Level* level,
                                   const SpriteBudget* budget) {
    while (cache->planNext < cache->planCount) {
        const SpritePlanItem item = cache->plan[cache->planNext++];
        SpriteCache_Prepare(cache, item.slot, item.step, ObjectInSlot(level, item.slot), item.zoom);
        if (budget && SpriteBudget_Spent(budget)) break;
    }
    if (cache->planNext >= cache->planCount) cache->planNext = cache->planCount = 0;
    return cache->planCount - cache->planNext;
}

uint64_t SpriteCache_Pending(const SpriteCache* cache) {
    return cache->planCount - cache->planNext;
}

void SpriteCache_PrepareLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                              TS_Vec2 near) {
    SpriteCache_PlanLevel(cache, level, step, zoom, near);
    SpriteCache_PrepareWithin(cache, level, nullptr);
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
