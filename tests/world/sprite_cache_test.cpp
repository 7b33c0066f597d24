// The prepared sprites of a level: made at level start and when the map holds
// still, copied in place of turning the sprite again with the very same
// pixels, and bounded in memory.
#include <fstream>
#include <sstream>

#include "world_fixture.h"

namespace {

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

    static int ImageDraws() {
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls())
            count += call.kind == DRAW_IMAGE;
        return count;
    }
};

TEST_F(SpriteCacheTest, LevelStartPreparesEveryObjectAndCopiesLookTheSame) {
    LoadShipped("level_8");
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

}  // namespace
