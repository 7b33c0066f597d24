// Asteroid bounces, fuel pick-ups, scenery the ship flies through, and the goal.
#include "world_fixture.h"

namespace {

class CollisionTest : public WorldTest {
protected:
    // The ship placed at a point with a velocity, as the frame's move left it.
    static void Place(TS_Vec2 position, TS_Vec2 velocity) {
        Ship()->position = position;
        world.ship.velocity = velocity;
    }
};

TEST_F(CollisionTest, HeadOnBounceHalvesAndReversesAndLeavesTheShipOneStepOutside) {
    LoadFlying("A,0,100,0,50,50\n");
    Automation_ClearSoundLog();
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 10});
    World_Collide();
    EXPECT_EQ(world.ship.velocity.x, 0.0f);
    EXPECT_EQ(world.ship.velocity.y, -5.0f);
    // Pushed out to touching (100 - 57.5), then one step along the new velocity.
    EXPECT_NEAR(Ship()->position.y, 42.5f - 5.0f, 0.02f);
    EXPECT_FALSE(Collides(Ship(), Object(0)));
    EXPECT_EQ(Gauge()->fuel, 95.0f);
    EXPECT_EQ(Plays(4), 1);
    EXPECT_EQ(world.kickState, 1);
}

TEST_F(CollisionTest, GlancingBounceTurnsOnlyTheComponentAlongTheLineOfCentres) {
    LoadFlying("A,100,0,0,50,50\n");
    // Asteroid straight to the right, ship flying right and up.
    Place(TS_Vec2{50, 0}, TS_Vec2{4, 6});
    World_Collide();
    EXPECT_NEAR(world.ship.velocity.x, -2.0f, 1e-5f);
    EXPECT_NEAR(world.ship.velocity.y, 3.0f, 1e-5f);
}

TEST_F(CollisionTest, HitAtRestPushesOutCostsFuelAndPlaysTheSoundWithoutAKick) {
    LoadFlying("A,30,40,0,50,50\n");
    Automation_ClearSoundLog();
    Place(TS_Vec2{0, 0}, TS_Vec2{0, 0});
    World_Collide();
    EXPECT_EQ(Speed(), 0.0f);
    // Out along the line of centres (3, 4) to a distance of 57.5.
    EXPECT_NEAR(Ship()->position.x, 30.0f - 0.6f * 57.5f, 0.02f);
    EXPECT_NEAR(Ship()->position.y, 40.0f - 0.8f * 57.5f, 0.02f);
    EXPECT_EQ(Gauge()->fuel, 95.0f);
    EXPECT_EQ(Plays(4), 1);
    EXPECT_EQ(world.kickState, 0);
    // Left clear of the rock: resting beside it costs nothing more.
    Run(60);
    EXPECT_EQ(Gauge()->fuel, 95.0f);
    EXPECT_EQ(world.stranded, 0);
}

TEST_F(CollisionTest, ShipOnTheAsteroidsCentreGoesBackTheWayItCame) {
    LoadFlying("A,0,100,0,50,50\n");
    Place(TS_Vec2{0, 100}, TS_Vec2{0, 8});
    World_Collide();
    EXPECT_NEAR(Ship()->position.y, 100.0f - 57.5f - 4.0f, 0.02f);
    EXPECT_EQ(world.ship.velocity.y, -4.0f);
}

TEST_F(CollisionTest, TwoAsteroidsInOneFrameBounceTwiceInTableOrder) {
    LoadFlying("A,0,50,0,50,50\nA,0,-50,0,50,50\n");
    Place(TS_Vec2{0, 0}, TS_Vec2{0, 8});
    World_Collide();
    // Off the upper one (to -4), then off the lower one (to +2).
    EXPECT_NEAR(world.ship.velocity.y, 2.0f, 1e-5f);
    EXPECT_EQ(Gauge()->fuel, 90.0f);
}

TEST_F(CollisionTest, ExactlyThreeUnitsPerFrameKicksTheCameraAndJustBelowDoesNot) {
    LoadFlying("A,0,100,0,50,50\n");
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 2.999f});
    World_Collide();
    EXPECT_EQ(world.kickState, 0);
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 3.0f});
    World_Collide();
    EXPECT_EQ(world.kickState, 1);
    EXPECT_EQ(world.kickVelocity.y, 3.0f);
}

TEST_F(CollisionTest, HitThatEmptiesTheTankStrandsTheShip) {
    LoadFlying("%5\nA,0,100,0,50,50\n");
    Automation_ClearSoundLog();
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 1});
    World_Collide();
    EXPECT_EQ(Gauge()->fuel, 0.0f);
    EXPECT_EQ(world.stranded, 1);
    EXPECT_EQ(Stops(2), 1);
    EXPECT_EQ(Stops(3), 1);
}

TEST_F(CollisionTest, HitLeavingFiveAndAHalfDoesNotStrand) {
    LoadFlying("%10.5\nA,0,100,0,50,50\n");
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 1});
    World_Collide();
    EXPECT_EQ(Gauge()->fuel, 5.5f);
    EXPECT_EQ(world.stranded, 0);
}

TEST_F(CollisionTest, NoStrandingLevelSurvivesAnEmptyTank) {
    LoadFlying("/4\n%3\nA,0,100,0,50,50\n");
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 1});
    World_Collide();
    EXPECT_EQ(Gauge()->fuel, 0.0f);
    EXPECT_EQ(world.stranded, 0);
}

TEST_F(CollisionTest, UnlimitedFuelStrandsOnlyALevelThatStartsEmpty) {
    LoadFlying("/1\nA,0,100,0,50,50\n");
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 1});
    World_Collide();
    EXPECT_EQ(world.stranded, 0);
    EXPECT_EQ(Gauge()->fuel, 100.0f);

    level_.startFuel = 0.0f;
    StartLevel(&level_);
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 1});
    World_Collide();
    EXPECT_EQ(world.stranded, 1);
}

TEST_F(CollisionTest, FuelCellFillsUpToAFullTankOnceAndDisappears) {
    LoadFlying("%80\nF,0,40,0,50,50\n");
    Automation_ClearSoundLog();
    Automation_RecordDraws(true);
    Run(1);
    EXPECT_EQ(Gauge()->fuel, 100.0f);
    EXPECT_FALSE(Object(0)->active);
    EXPECT_EQ(Plays(4), 1);
    Gauge()->fuel = 20.0f;
    Run(1);
    EXPECT_EQ(Gauge()->fuel, 20.0f);
    EXPECT_EQ(Plays(4), 1);
    // Only the ship (65) is drawn at that size; the picked-up cell (50) is not.
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        EXPECT_FALSE(call.kind == DRAW_IMAGE && call.w == 50.0f) << "the cell is still drawn";
    }
}

TEST_F(CollisionTest, FuelCellNeverEmptiesAnOverfullTank) {
    LoadFlying("%150\nF,0,40,0,50,50\n");
    Run(1);
    EXPECT_FALSE(Object(0)->active);
    EXPECT_EQ(Gauge()->fuel, 150.0f);
}

TEST_F(CollisionTest, WallsAndTrapsLetTheShipPassThrough) {
    LoadFlying("W,0,150,0,400,40\nL,0,300,0,50,50\nM,0,450,0,50,50\n");
    Automation_ClearSoundLog();
    world.ship.velocity = TS_Vec2{0, 10};
    Run(60);
    EXPECT_NEAR(Ship()->position.y, 600.0f, 1e-2f);
    EXPECT_EQ(world.ship.velocity.y, 10.0f);
    EXPECT_EQ(Gauge()->fuel, 100.0f);
    EXPECT_EQ(Plays(4), 0);
}

TEST_F(CollisionTest, AsteroidAndGoalInTheSameFrameBounceAndComplete) {
    LoadFlying("A,0,100,0,50,50\nE,40,60,0,50,50\n");
    Automation_ClearSoundLog();
    Place(TS_Vec2{0, 50}, TS_Vec2{0, 2});
    World_Collide();
    EXPECT_EQ(world.ship.velocity.y, -1.0f);
    EXPECT_EQ(Gauge()->fuel, 95.0f);
    EXPECT_EQ(world.levelComplete, 1);
    EXPECT_EQ(world.phase, PHASE_CAPTURE);
    EXPECT_EQ(Stops(2), 1);
    EXPECT_EQ(Stops(3), 1);
}

TEST_F(CollisionTest, CirclesThatJustTouchCollideAndInactiveOnesNever) {
    LoadFlying("A,57.5,0,0,50,50\n");
    EXPECT_TRUE(Collides(Ship(), Object(0)));
    Ship()->position.x = -0.01f;
    EXPECT_FALSE(Collides(Ship(), Object(0)));
    Ship()->position.x = 0.0f;
    Object(0)->active = 0;
    EXPECT_FALSE(Collides(Ship(), Object(0)));
    EXPECT_FALSE(Collides(Ship(), Ship()));
}

}  // namespace
