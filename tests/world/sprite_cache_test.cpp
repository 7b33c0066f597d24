// The prepared sprites of a level: planned at level start and when the map
// holds still and made a frame's budget at a time, copied in place of turning
// the sprite again with the very same pixels, and bounded in memory.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "world_fixture.h"

namespace {

// Puts the frame's preparation budget back as the game has it.
struct BudgetGuard {
    double saved = SpriteBudget_Seconds();
    ~BudgetGuard() { SpriteBudget_SetSeconds(saved); }
};

class SpriteCacheTest : public WorldTest {
protected:
    void LoadShipped(const char* name) {
        std::ifstream file(std::string("./Assets/levels/") + name + ".vexl");
        std::stringstream text;
        text << file.rdbuf();
        LoadFlying(text.str());
    }

    // The World drawn once more as it stands (no update), saved as a picture;
    // the PNG's bytes, so that two pictures compare pixel for pixel.
    static std::string Picture(const std::string& name) {
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
        DrawWorld();
        const std::string path = ScreenshotPath(name);
        EXPECT_TRUE(Automation_SaveFrame(path.c_str()));
        return ReadText(path);
    }

    // Swaps the World's cache for one that holds nothing: everything is drawn
    // directly, as it was before there was a cache.
    void DropCache() {
        ASSERT_TRUE(SpriteCache_Init(&world.spriteCache, level_.objectCapacity, 0));
    }

    // Whether slot i is prepared for how the object looks at a zoom.
    static bool Prepared(uint64_t slot, const GameObject* object, float zoom) {
        const TS_Vec2 box = DrawShape_ImageBox(object->shape, TS_Vector_Scale(object->size, zoom));
        return SpriteCache_Find(&world.spriteCache, slot, object->shape->image, box.x, box.y,
                                object->rotation) != nullptr;
    }

    // Runs frames until everything planned is made.
    static void PrepareAll() {
        for (int i = 0; i < 2000 && SpriteCache_Pending(&world.spriteCache) > 0; ++i) Run(1);
        ASSERT_EQ(SpriteCache_Pending(&world.spriteCache), 0u);
    }

    // Image objects of the loaded level, the goal included.
    int ImageObjects() const {
        int count = level_.goal ? 1 : 0;
        for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
            const LevelObject* entry = level_.objects[i];
            count += entry && entry->object->shape->type == SHAPE_IMAGE;
        }
        return count;
    }

    static int ImageDraws() {
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls())
            count += call.kind == DRAW_IMAGE;
        return count;
    }
};

TEST_F(SpriteCacheTest, LevelStartPreparesEveryObjectAndCopiesLookTheSame) {
    LoadShipped("level_8");
    PrepareAll();
    for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
        if (!level_.objects[i]) continue;
        EXPECT_TRUE(Prepared(i, Object(static_cast<int>(i)), 1.0f)) << i;
    }
    EXPECT_TRUE(Prepared(SpriteCache_GoalSlot(&world.spriteCache), Goal(), 1.0f));
    // The goal's close-up of the capture is ready too.
    EXPECT_TRUE(Prepared(SpriteCache_GoalSlot(&world.spriteCache), Goal(), world.winZoom));
    EXPECT_LE(world.spriteCache.bytes, kSpriteCacheBudgetBytes);

    const std::string copied = Picture("sprite_cache_level_8_copied.png");
    DropCache();
    const std::string direct = Picture("sprite_cache_level_8_direct.png");
    EXPECT_FALSE(copied.empty());
    EXPECT_TRUE(copied == direct);
}

TEST_F(SpriteCacheTest, TheMapHeldOpenIsPreparedAtItsZoomAndLooksTheSame) {
    LoadShipped("level_12");
    const int atStart = SpriteCache_Count(&world.spriteCache);
    Press(kMap);
    Run(30);
    ASSERT_EQ(world.mapState, MAP_OPEN);
    PrepareAll();
    EXPECT_TRUE(Prepared(0, Object(0), world.camera.zoom));
    EXPECT_GT(SpriteCache_Count(&world.spriteCache), atStart);

    // Held still, nothing is made again.
    const int held = SpriteCache_Count(&world.spriteCache);
    const size_t bytes = world.spriteCache.bytes;
    Run(5);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), held);
    EXPECT_EQ(world.spriteCache.bytes, bytes);

    const std::string copied = Picture("sprite_cache_map_copied.png");
    DropCache();
    EXPECT_TRUE(copied == Picture("sprite_cache_map_direct.png"));
    Release(kMap);
}

TEST_F(SpriteCacheTest, AFullCacheDrawsTheRestDirectly) {
    LoadShipped("level_8");
    Automation_RecordDraws(true);
    Run(1);
    const int draws = ImageDraws();
    const std::string full = Picture("sprite_cache_full_budget.png");

    // Room for a few sprites only: the rest are drawn directly, and nothing
    // changes on screen or in what is drawn.
    const size_t budget = 300 * 1024;
    ASSERT_TRUE(SpriteCache_Init(&world.spriteCache, level_.objectCapacity, budget));
    SpriteCache_PrepareLevel(&world.spriteCache, &level_, SPRITE_STEP_PLAY, 1.0f, TS_Vec2{0, 0});
    EXPECT_GT(SpriteCache_Count(&world.spriteCache), 0);
    EXPECT_LT(SpriteCache_Count(&world.spriteCache), 10);
    EXPECT_LE(world.spriteCache.bytes, budget);
    EXPECT_TRUE(Picture("sprite_cache_small_budget.png") == full);
    Run(1);
    EXPECT_EQ(ImageDraws(), draws);
}

// Entering a level makes its sprites over the intro's first frames, a
// frame's budget at a time and nearest the ship first, instead of holding up
// the frame that enters it; a frame always makes at least one.
TEST_F(SpriteCacheTest, EachFrameMakesItsShareUntilEveryObjectIsReady) {
    const BudgetGuard guard;
    SpriteBudget_SetSeconds(0.0);  // one a frame
    std::ifstream file("./Assets/levels/level_8.vexl");
    std::stringstream text;
    text << file.rdbuf();
    Load(text.str());
    ASSERT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), 0);  // entering makes nothing
    const uint64_t planned = SpriteCache_Pending(&world.spriteCache);
    EXPECT_GE(planned, static_cast<uint64_t>(ImageObjects()));

    Run(1);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), 1);
    EXPECT_EQ(SpriteCache_Pending(&world.spriteCache), planned - 1);
    // The nearest object to the ship's start came first.
    uint64_t nearest = 0;
    float best = -1.0f;
    for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
        if (!level_.objects[i]) continue;
        const TS_Vec2 d =
            TS_Vector_Subtract(Object(static_cast<int>(i))->position, Ship()->position);
        const float distanceSq = TS_Vector_DotProduct(d, d);
        if (best < 0.0f || distanceSq < best) best = distanceSq, nearest = i;
    }
    EXPECT_TRUE(Prepared(nearest, Object(static_cast<int>(nearest)), world.defaultZoom));
    Run(4);
    EXPECT_EQ(SpriteCache_Pending(&world.spriteCache), planned - 5);

    // At the game's budget the rest follow within the intro.
    SpriteBudget_SetSeconds(kSpriteFrameBudgetSeconds);
    PrepareAll();
    for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
        if (!level_.objects[i]) continue;
        EXPECT_TRUE(Prepared(i, Object(static_cast<int>(i)), world.defaultZoom)) << i;
    }
    EXPECT_TRUE(Prepared(SpriteCache_GoalSlot(&world.spriteCache), Goal(), world.defaultZoom));
    EXPECT_TRUE(Prepared(SpriteCache_GoalSlot(&world.spriteCache), Goal(), world.winZoom));
}

// Half made, the level looks exactly as when all is made, and as without a
// cache: only the cost of drawing changes.
TEST_F(SpriteCacheTest, APartlyMadeLevelLooksTheSame) {
    const BudgetGuard guard;
    SpriteBudget_SetSeconds(0.0);
    LoadShipped("level_8");
    Run(6);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), 7);  // the intro skipped, and six more
    // The camera on the sixth object from the ship's start: those nearer the
    // start are made, those beyond it are not yet.
    std::vector<std::pair<float, int>> order;
    for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
        if (!level_.objects[i]) continue;
        const TS_Vec2 d =
            TS_Vector_Subtract(Object(static_cast<int>(i))->position, Ship()->position);
        order.push_back({TS_Vector_DotProduct(d, d), static_cast<int>(i)});
    }
    std::sort(order.begin(), order.end());
    ASSERT_GT(order.size(), 6u);
    world.camera.position = Object(order[5].second)->position;
    Camera_UpdateMatrices(&world.camera);
    int madeInView = 0, directInView = 0;
    for (const auto& entry : order) {
        const GameObject* object = Object(entry.second);
        DrawTransform at;
        at.position = TS_Vector_MatrixMultiply(world.camera.worldToScreen, object->position);
        at.rotation = object->rotation;
        at.size = TS_Vector_Scale(object->size, world.camera.zoom);
        if (!DrawShape_OnScreen(object->shape, at)) continue;
        if (Prepared(static_cast<uint64_t>(entry.second), object, world.camera.zoom)) {
            ++madeInView;
        } else {
            ++directInView;
        }
    }
    EXPECT_GT(madeInView, 0);
    EXPECT_GT(directInView, 0);
    const std::string partly = Picture("sprite_cache_partly_made.png");

    SpriteCache_PrepareWithin(&world.spriteCache, &world.level, nullptr);
    EXPECT_GE(SpriteCache_Count(&world.spriteCache), ImageObjects());
    const std::string whole = Picture("sprite_cache_wholly_made.png");
    DropCache();
    const std::string direct = Picture("sprite_cache_partly_direct.png");
    EXPECT_FALSE(partly.empty());
    EXPECT_TRUE(partly == whole);
    EXPECT_TRUE(whole == direct);
}

// A restart or leaving the level halfway through drops what was made and what
// was waiting (the sanitizer build checks nothing leaks), and a restart plans
// the level afresh.
TEST_F(SpriteCacheTest, RestartAndTeardownHalfwayLeaveNothingBehind) {
    const BudgetGuard guard;
    SpriteBudget_SetSeconds(0.0);
    LoadShipped("level_8");
    Run(3);
    const uint64_t pending = SpriteCache_Pending(&world.spriteCache);
    ASSERT_GT(pending, 0u);

    // The map held open mid-way plans its zoom ahead of what waits.
    Press(kMap);
    Run(40);
    ASSERT_EQ(world.mapState, MAP_OPEN);
    EXPECT_GT(SpriteCache_Pending(&world.spriteCache), 0u);
    Release(kMap);

    World_Reset();
    StartLevel(&level_);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), 0);
    EXPECT_EQ(world.spriteCache.bytes, 0u);
    const uint64_t replanned = SpriteCache_Pending(&world.spriteCache);
    EXPECT_GE(replanned, static_cast<uint64_t>(ImageObjects()));
    Run(2);
    EXPECT_EQ(SpriteCache_Count(&world.spriteCache), 2);

    TeardownWorld();
    worldUp_ = false;
    EXPECT_EQ(world.spriteCache.entries, nullptr);
    EXPECT_EQ(world.spriteCache.plan, nullptr);
    EXPECT_EQ(SpriteCache_Pending(&world.spriteCache), 0u);
    EXPECT_EQ(world.spriteCache.bytes, 0u);
}

}  // namespace
