// Drawing only what can be seen: level objects and texts wholly outside the
// window submit nothing, anything partly inside is drawn, and a level's size
// no longer sets the cost of a frame.
#include <cmath>
#include <cstdlib>

#include "world_fixture.h"

namespace {

class CullingTest : public WorldTest {
protected:
    // Image draws of one kind's sprite in the last recorded frame.
    static int SpriteDraws(int kindSlot) {
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE && call.image == kindShapes[kindSlot]->image) ++count;
        }
        return count;
    }
    // Whether every asteroid in view is copied from a prepared sprite.
    bool AllInViewPrepared() {
        for (uint64_t i = 0; i < level_.objectCapacity; ++i) {
            const GameObject* rock = level_.objects[i]->object;
            DrawTransform at;
            at.position = TS_Vector_MatrixMultiply(world.camera.worldToScreen, rock->position);
            at.rotation = rock->rotation;
            at.size = TS_Vector_Scale(rock->size, world.camera.zoom);
            if (!DrawShape_OnScreen(rock->shape, at)) continue;
            if (!SpriteCache_Find(&world.spriteCache, i, rock->shape->image, at.size.x, at.size.y,
                                  rock->rotation)) {
                return false;
            }
        }
        return true;
    }
    static void RecordOneFrame() {
        Automation_RecordDraws(true);
        Run(1);
    }

    // A level built in memory: `count` asteroids on a square grid 250 units
    // apart around the ship's start, without a goal.
    void BuildGrid(int count) {
        level_.objects = static_cast<LevelObject**>(std::calloc(count, sizeof(LevelObject*)));
        ASSERT_NE(level_.objects, nullptr);
        level_.objectCapacity = static_cast<uint64_t>(count);
        int side = 1;
        while (side * side < count) ++side;
        for (int i = 0; i < count; ++i) {
            const TS_Vec2 at = {static_cast<float>(i % side - side / 2) * 250.0f,
                                static_cast<float>(i / side - side / 2) * 250.0f + 125.0f};
            level_.objects[i] = CreateLevelObject(
                KIND_ASTEROID, at, static_cast<float>(i * 37 % 360), TS_Vec2{160.0f, 160.0f});
        }
        level_.bounds = Level_ComputeBounds(&level_);
        SetupWorld(&level_);
        worldUp_ = true;
        TS_Engine_SetNextGameState(nullptr, Frame, nullptr);
        Run(1);
        // Sprites are made a frame's budget at a time, those around the ship
        // first: the view is ready after a few frames.
        for (int i = 0; i < 600 && !AllInViewPrepared(); ++i) Run(1);
        ASSERT_EQ(world.phase, PHASE_FLYING);
    }
};

TEST_F(CullingTest, ObjectsOutsideTheWindowSubmitNothing) {
    // The window shows x in [-640, 640] and y in [-360, 360] around the ship.
    LoadFlying(
        "/0\nA,0,250,0,100,100\nA,5000,0,0,100,100\nW,-900,0,45,100,100\n"
        "F,0,-2000,0,50,50\n");
    RecordOneFrame();
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_ASTEROID), 1);
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_WALL), 0);
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_FUEL_CELL), 0);
}

TEST_F(CullingTest, AnythingReachingIntoTheWindowIsDrawn) {
    // A 100 x 100 box turned 45 degrees reaches 70.7 units from its centre.
    // Each wall pokes 2 units into the window past one edge, only with its
    // turned corner; the asteroid stays 10 units clear of the right edge.
    LoadFlying(
        "/0\nW,-708.7,0,45,100,100\nW,708.7,100,45,100,100\nW,0,428.7,45,100,100\n"
        "W,200,-428.7,45,100,100\nA,720.7,-200,45,100,100\n");
    RecordOneFrame();
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_WALL), 4);
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_ASTEROID), 0);
}

TEST_F(CullingTest, TextsAreDrawnWhileAnyOfThemCanShow) {
    // A centred sign whose anchor is off the left edge still shows its right
    // half; one far off shows nothing.
    LoadFlying(
        "/0\nT,-700,0,0,200,20,A long sign that reaches into view\n"
        "T,-3000,0,0,200,20,Far away\n");
    RecordOneFrame();
    EXPECT_NE(TextCall("A long sign that reaches into view"), nullptr);
    EXPECT_EQ(TextCall("Far away"), nullptr);
}

TEST_F(CullingTest, AHundredTimesTheObjectsCostsTheSameDrawing) {
    BuildGrid(100);
    RecordOneFrame();
    const int small = SpriteDraws(KIND_SHAPE_ASTEROID);
    const size_t smallCalls = Automation_DrawCalls().size();
    EXPECT_GT(small, 0);
    EXPECT_LT(small, 40);  // about 5 x 3 of the 10 x 10 show
    EXPECT_TRUE(AllInViewPrepared());

    TeardownWorld();
    worldUp_ = false;
    FreeLevel(&level_);
    InitLevel(&level_);
    BuildGrid(10000);
    RecordOneFrame();
    EXPECT_EQ(SpriteDraws(KIND_SHAPE_ASTEROID), small);
    EXPECT_LE(Automation_DrawCalls().size(), 2 * smallCalls);
    // Far more than the budget holds: those around the start come first.
    EXPECT_LE(world.spriteCache.bytes, kSpriteCacheBudgetBytes);
    EXPECT_LT(SpriteCache_Count(&world.spriteCache), 10000);
    EXPECT_TRUE(AllInViewPrepared());
}

}  // namespace
