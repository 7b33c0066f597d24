// Prepared sprites of a level's objects: each object that keeps its turn and
// size gets its rotated, scaled image made once per zoom step, and is copied
// plainly from then on instead of being turned again every frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "level/level.h"

// Zoom steps an object can be prepared at: normal play, the map view held
// open, and the close-up of the goal capture. The editor uses the first.
enum { SPRITE_STEP_PLAY = 0, SPRITE_STEP_MAP = 1, SPRITE_STEP_CAPTURE = 2, SPRITE_STEP_COUNT = 3 };

// One cache holds at most this many bytes of pixels. A shipped level (a
// hundred objects under 200 units) needs about 20 MiB at zoom 1, well under a
// megabyte at the map's zoom and a few MiB for the capture's close-up. Objects
// that no longer fit are drawn directly, as they would be without a cache.
const size_t kSpriteCacheBudgetBytes = 32u * 1024u * 1024u;

// What one entry was made from; an object is copied from it only while its
// image, box and turn are exactly these.
struct SpriteCacheEntry {
    TS_PreparedImage prepared;  // null: made without success, drawn directly
    TS_Image image;             // null: nothing made for this step
    float width;                // window pixels
    float height;
    float rotation;  // degrees
};

struct SpriteCache {
    SpriteCacheEntry* entries;  // slots x SPRITE_STEP_COUNT, slot by slot
    uint64_t slots;             // the level's object slots, then one for the goal
    size_t bytes;               // pixels held
    size_t budget;
};

// Empties the cache and makes room for a level with `objectSlots` object
// slots (and its goal). Returns false, with an empty cache that draws
// everything directly, when memory runs out.
bool SpriteCache_Init(SpriteCache* cache, uint64_t objectSlots, size_t budget);
// Frees every prepared image and the table.
void SpriteCache_Free(SpriteCache* cache);
// The cache slot of the goal.
uint64_t SpriteCache_GoalSlot(const SpriteCache* cache);

// Makes the object's entry of a step for drawing at `zoom`, replacing one made
// for another look, unless it is already up to date. Only image objects are
// prepared. Switches the render target: call it before a frame draws.
void SpriteCache_Prepare(SpriteCache* cache, uint64_t slot, int step, const GameObject* object,
                         float zoom);
// Prepares every object of the level (and the goal) at one step, nearest to
// `near` (world units) first, so that a level too big for the budget has the
// objects around that point ready.
void SpriteCache_PrepareLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                              TS_Vec2 near);
// Prepares those objects within `radius` of `near` (their size added).
void SpriteCache_PrepareNear(SpriteCache* cache, const Level* level, int step, float zoom,
                             TS_Vec2 near, float radius);
// Drops every entry of one step.
void SpriteCache_ClearStep(SpriteCache* cache, int step);

// The prepared image of a slot drawn as `image` in a width x height box turned
// by `rotation`, or null.
TS_PreparedImage SpriteCache_Find(const SpriteCache* cache, uint64_t slot, TS_Image image,
                                  float width, float height, float rotation);
// Entries holding a prepared image.
int SpriteCache_Count(const SpriteCache* cache);
