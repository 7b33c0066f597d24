// The level score: 250 for the goal, 10 per unit of fuel left, and a bonus for
// finishing under the par time.
#include "play/score.h"
#include "world/world.h"

#include <gtest/gtest.h>

namespace {

class ScoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        world = World{};
        InitLevel(&world.level);
        gauge_ = FuelGauge{};
        world.ship.fuel = &gauge_;
        world.levelComplete = 1;
    }
    void TearDown() override { world = World{}; }

    FuelGauge gauge_;
};

TEST_F(ScoreTest, GoalAndFuelWithoutAParTime) {
    gauge_.fuel = 63.75f;
    world.levelTime = 12.0f;
    world.totalScore = 1000;
    Score_Level();
    EXPECT_EQ(world.levelScore, 250 + 637);
    EXPECT_EQ(world.totalScore, 1000 + 887);
}

TEST_F(ScoreTest, NothingWithoutTheGoalOrWhenStranded) {
    gauge_.fuel = 100.0f;
    world.totalScore = 500;
    world.levelComplete = 0;
    world.levelScore = 77;
    Score_Level();
    EXPECT_EQ(world.levelScore, 0);
    EXPECT_EQ(world.totalScore, 500);
    world.levelComplete = 1;
    world.stranded = 1;
    Score_Level();
    EXPECT_EQ(world.levelScore, 0);
    EXPECT_EQ(world.totalScore, 500);
}

TEST_F(ScoreTest, UnlimitedFuelEarnsNoFuelBonus) {
    world.level.flags = LEVEL_UNLIMITED_FUEL;
    gauge_.fuel = 100.0f;
    Score_Level();
    EXPECT_EQ(world.levelScore, 250);
}

TEST_F(ScoreTest, ParBonusRewardsSpeedOnlyUnderParAndWorkedInSinglePrecision) {
    gauge_.fuel = 0.0f;
    world.level.parTime = 30.0f;
    // (par - time) / par x 1000, truncated: the faster, the more; 29.9 s
    // gives 3 in floats, and par itself nothing.
    struct Case {
        float time;
        int32_t bonus;
    } cases[] = {{0.0f, 1000}, {1.0f, 966}, {7.5f, 750}, {15.0f, 500},
                 {29.9f, 3},   {30.0f, 0},  {45.0f, 0}};
    for (const Case& c : cases) {
        world.levelTime = c.time;
        EXPECT_EQ(Score_LevelValue(), 250 + c.bonus) << "time " << c.time;
    }
}

TEST_F(ScoreTest, OddLevelNumbersNeverOverflowTheScore) {
    gauge_.fuel = 3.0e38f;
    world.level.parTime = 1.0e30f;
    world.levelTime = -5.0f;
    world.totalScore = 2147483000;
    Score_Level();
    EXPECT_EQ(world.levelScore, 2147483647);
    EXPECT_EQ(world.totalScore, 2147483647);
    gauge_.fuel = -20.0f;  // a level file may start below empty
    world.level.parTime = 0.0f;
    EXPECT_EQ(Score_LevelValue(), 250);
}

}  // namespace
