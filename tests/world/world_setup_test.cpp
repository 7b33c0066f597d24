// Setting the World up for a level, restarting it, and releasing it.
#include "world_fixture.h"

namespace {

class WorldSetupTest : public WorldTest {};

TEST_F(WorldSetupTest, LevelStartAppliesFlagsFuelAndRotationAgainOnEveryRestart) {
    Load("/11\n%70\n^45\nE,0,500,0,50,50\n");
    EXPECT_EQ(world.ship.unlimitedFuel, 1);
    EXPECT_EQ(world.ship.canTurn, 0);
    EXPECT_EQ(world.ship.halfSpeed, 1);
    EXPECT_EQ(Gauge()->fuel, 70.0f);
    EXPECT_EQ(Ship()->rotation, 45.0f);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(world.camera.position.y, 500.0f);

    // Fly, touch the goal, finish: then a restart puts everything back.
    Press(kSkip);
    Run(1);
    Release(kSkip);
    world.ship.velocity = TS_Vec2{0, 5};
    for (int i = 0; i < 900 && world.phase != PHASE_DONE; ++i) Run(1);
    ASSERT_EQ(world.phase, PHASE_DONE);
    world.levelScore = 900;

    World_Reset();
    StartLevel(&level_);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(world.levelComplete, 0);
    EXPECT_EQ(world.levelScore, 0);
    EXPECT_EQ(world.levelTime, 0.0f);
    EXPECT_EQ(world.ship.thrust.y, 5.0f);
    EXPECT_EQ(world.ship.velocity.y, 0.0f);
    EXPECT_EQ(Ship()->position.y, 0.0f);
    EXPECT_EQ(Ship()->rotation, 45.0f);
    EXPECT_EQ(world.ship.halfSpeed, 1);
    EXPECT_EQ(Gauge()->fuel, 70.0f);
    EXPECT_EQ(Gauge()->shown, 0.0f);
    EXPECT_EQ(world.camera.position.y, 500.0f);
}

TEST_F(WorldSetupTest, ResetCallsNothingItselfAndTheScreensReloadRestartsTheLevel) {
    Load("E,0,500,0,50,50\nF,0,40,0,50,50\n");
    static Level* reloadTarget = nullptr;
    static int reloads = 0;
    reloadTarget = &level_;
    reloads = 0;
    world.reloadLevel = [] {
        ++reloads;
        StartLevel(reloadTarget);
    };
    Press(kSkip);
    Run(2);
    ASSERT_FALSE(Object(1)->active);  // slot 0 is the goal line's, left empty
    World_Reset();
    EXPECT_EQ(reloads, 0);
    world.reloadLevel();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
}

TEST_F(WorldSetupTest, MissingAssetsStillGiveAPlayableWorld) {
    // The test build may run before the art exists: nothing may depend on it.
    Load("E,0,200,0,50,50\nA,100,100,0,50,50\n");
    ASSERT_NE(Ship(), nullptr);
    ASSERT_NE(world.compass.arrow, nullptr);
    for (GameObject* flame : world.flames) ASSERT_NE(flame, nullptr);
    Press(kThrust);
    Run(200);
    EXPECT_NE(world.phase, PHASE_INTRO);
}

TEST_F(WorldSetupTest, TeardownReleasesTheWorldAndASecondSetupStartsClean) {
    Load("E,0,500,0,50,50\n");
    Press(kSkip);
    Run(1);
    Press(kMap);
    Run(3);
    ASSERT_EQ(world.mapState, MAP_OPEN);
    TeardownWorld();
    EXPECT_EQ(Ship(), nullptr);
    EXPECT_EQ(world.compass.arrow, nullptr);
    EXPECT_EQ(world.reloadLevel, nullptr);
    SetupWorld(&level_);
    EXPECT_EQ(world.mapState, MAP_OFF);
    EXPECT_EQ(world.totalScore, 0);
}

}  // namespace
