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

// One object waiting to be prepared at one step.
struct SpritePlanItem {
    uint64_t slot;
    int step;
    float zoom;
    float distanceSq;  // from the point it was planned around: the nearest go first
};

struct SpriteCache {
    SpriteCacheEntry* entries;  // slots x SPRITE_STEP_COUNT, slot by slot
    uint64_t slots;             // the level's object slots, then one for the goal
    size_t bytes;               // pixels held
    size_t budget;
    // What is still to be prepared, a little every frame: items [planNext,
    // planCount) of a table with room for every slot at every step (24 bytes
    // an item: 72 bytes an object, 720 KB for 10,000).
    SpritePlanItem* plan;
    uint64_t planCount;
    uint64_t planNext;
};

// The time a frame may spend preparing sprites, in its update before anything
// is drawn. Making one sprite takes a fraction of a millisecond to a few, so a
// level's hundred objects (about 60 ms of work) are ready after a score of
// frames of its intro instead of holding up the frame that enters it.
struct SpriteBudget {
    int64_t startNs;  // monotonic clock
};
const double kSpriteFrameBudgetSeconds = 0.003;
// Starts the frame's budget.
SpriteBudget SpriteBudget_Start(void);
// Whether the frame has used its time; at least one sprite is always made
// before this is asked, so that preparation moves on however slow a frame is.
bool SpriteBudget_Spent(const SpriteBudget* budget);
// The seconds a frame may spend (kSpriteFrameBudgetSeconds unless a test set
// another; 0 makes one sprite a frame).
double SpriteBudget_Seconds(void);
void SpriteBudget_SetSeconds(double seconds);

// Empties the cache (its plan too) and makes room for a level with `objectSlots` object
// slots (and its goal). Returns false, with an empty cache that draws
// everything directly, when memory runs out.
bool SpriteCache_Init(SpriteCache* cache, uint64_t objectSlots, size_t budget);
// Frees every prepared image, the table and the plan.
void SpriteCache_Free(SpriteCache* cache);
// The cache slot of the goal.
uint64_t SpriteCache_GoalSlot(const SpriteCache* cache);

// Makes the object's entry of a step for drawing at `zoom`, replacing one made
// for another look, unless it is already up to date. Only image objects are
// prepared. Switches the render target: call it before a frame draws.
void SpriteCache_Prepare(SpriteCache* cache, uint64_t slot, int step, const GameObject* object,
                         float zoom);
// Whether the object's entry of a step is up to date for drawing at `zoom`
// (made, or known not to be preparable): preparing it would do nothing.
bool SpriteCache_IsCurrent(const SpriteCache* cache, uint64_t slot, int step,
                           const GameObject* object, float zoom);

// Plans every object of the level (and the goal) at one step, nearest to
// `near` (world units) first, so that what is seen first is ready first and
// a level too big for the memory budget has the objects around that point.
// What was planned last is needed soonest: these go ahead of what is already
// waiting, which keeps its order, and replace what waited at the same step.
void SpriteCache_PlanLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                           TS_Vec2 near);
// Plans, the same way, those objects within `radius` of `near` (their size
// added).
void SpriteCache_PlanNear(SpriteCache* cache, const Level* level, int step, float zoom,
                          TS_Vec2 near, float radius);
// Prepares what is planned, in order, until the frame's budget is spent (at
// least one item). Returns the items still waiting. Switches the render
// target: call it before a frame draws.
uint64_t SpriteCache_PrepareWithin(SpriteCache* cache, const Level* level,
                                   const SpriteBudget* budget);
// Items planned and not yet prepared.
uint64_t SpriteCache_Pending(const SpriteCache* cache);
// Plans every object of the level at one step and prepares all that waits at
// once.
void SpriteCache_PrepareLevel(SpriteCache* cache, const Level* level, int step, float zoom,
                              TS_Vec2 near);
// Drops every entry of one step.
void SpriteCache_ClearStep(SpriteCache* cache, int step);

// The prepared image of a slot drawn as `image` in a width x height box turned
// by `rotation`, or null.
TS_PreparedImage SpriteCache_Find(const SpriteCache* cache, uint64_t slot, TS_Image image,
                                  float width, float height, float rotation);
// Entries holding a prepared image.
int SpriteCache_Count(const SpriteCache* cache);
