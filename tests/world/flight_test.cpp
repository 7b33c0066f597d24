// How the ship flies: thrust, top speed, fuel burn, turning, the level flags,
// engine sounds and the fuel gauge's animation.
#include "world_fixture.h"

namespace {

const char* kOpenSpace = "/0\n";  // no goal: flying from the first frame

class FlightTest : public WorldTest {};

TEST_F(FlightTest, ThrustFromRestReachesTopSpeedAfterOneSecondAndNeverExceedsIt) {
    LoadFlying(kOpenSpace);
    Press(kThrust);
    Run(30);
    EXPECT_NEAR(Speed(), 5.0f, 1e-3f);
    Run(30);
    EXPECT_NEAR(Speed(), 10.0f, 1e-3f);
    for (int i = 0; i < 120; ++i) {
        Run(1);
        ASSERT_LE(Speed(), 10.0f + 1e-4f) << "frame " << i;
    }
}

TEST_F(FlightTest, HalfSpeedLevelCapsTheShipAtFive) {
    LoadFlying("/8\n");
    Press(kThrust);
    Run(30);
    EXPECT_NEAR(Speed(), 5.0f, 1e-3f);
    for (int i = 0; i < 120; ++i) {
        Run(1);
        ASSERT_LE(Speed(), 5.0f + 1e-4f) << "frame " << i;
    }
}

TEST_F(FlightTest, FullTankLastsFiveSecondsOfThrustThenTheShipDrifts) {
    LoadFlying(kOpenSpace);
    Press(kThrust);
    Run(297);
    EXPECT_GT(Gauge()->fuel, 0.0f);
    Run(5);
    EXPECT_EQ(Gauge()->fuel, 0.0f);
    // Dry: the key does nothing more, the engine falls silent, the flame goes out.
    const TS_Vec2 before = world.ship.velocity;
    Automation_ClearSoundLog();
    Run(30);
    EXPECT_EQ(world.ship.velocity.x, before.x);
    EXPECT_EQ(world.ship.velocity.y, before.y);
    EXPECT_EQ(world.thrustHeld, 0);
    EXPECT_EQ(world.thrustSoundOn, 0);
    EXPECT_EQ(Plays(2), 0);
}

TEST_F(FlightTest, NoDragTheShipKeepsItsVelocity) {
    LoadFlying(kOpenSpace);
    Press(kThrust);
    Run(20);
    Release(kThrust);
    Run(1);
    const TS_Vec2 velocity = world.ship.velocity;
    const TS_Vec2 start = Ship()->position;
    // Turning does not turn the velocity either.
    Press(kRight);
    Run(120);
    EXPECT_EQ(world.ship.velocity.x, velocity.x);
    EXPECT_EQ(world.ship.velocity.y, velocity.y);
    EXPECT_NEAR(Ship()->position.y, start.y + 120 * velocity.y, 1e-2f);
}

TEST_F(FlightTest, RotationZeroThrustsUpTheScreenAndTurningRightIsClockwise) {
    LoadFlying(kOpenSpace);
    Press(kThrust);
    Run(10);
    Release(kThrust);
    // Up the screen: window y shrinks as the ship moves.
    const TS_Matrix toScreen = world.camera.worldToScreen;
    TS_Vec2 a = TS_Vector_MatrixMultiply(toScreen, TS_Vec2{0, 0});
    TS_Vec2 b = TS_Vector_MatrixMultiply(toScreen, world.ship.velocity);
    EXPECT_NEAR(b.x - a.x, 0.0f, 1e-4f);
    EXPECT_LT(b.y - a.y, 0.0f);

    // A quarter turn to the right (clockwise on screen) points the nose to
    // the right of the screen.
    world.ship.velocity = TS_Vec2{0, 0};
    Press(kRight);
    Run(23);  // 23 x 235 / 60 = 90.08 degrees
    Release(kRight);
    EXPECT_NEAR(Ship()->rotation, 90.0f, 0.2f);
    Press(kThrust);
    Run(10);
    Release(kThrust);
    a = TS_Vector_MatrixMultiply(world.camera.worldToScreen, TS_Vec2{0, 0});
    b = TS_Vector_MatrixMultiply(world.camera.worldToScreen, world.ship.velocity);
    EXPECT_GT(b.x - a.x, 0.0f);
    EXPECT_NEAR(b.y - a.y, 0.0f, 0.01f);

    // The drawn ship turns the same way: the framework rotates images
    // clockwise on screen by the rotation.
    Automation_RecordDraws(true);
    Run(1);
    bool drawn = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_IMAGE && call.w == 65.0f && call.rotation == Ship()->rotation)
            drawn = true;
    }
    EXPECT_TRUE(drawn);
}

TEST_F(FlightTest, TurnLeftIsCounterClockwiseAndBothKeysTurnRight) {
    LoadFlying(kOpenSpace);
    Press(kLeft);
    Run(60);
    EXPECT_NEAR(Ship()->rotation, -235.0f, 0.1f);
    Press(kRight);
    Run(60);
    EXPECT_NEAR(Ship()->rotation, 0.0f, 0.1f);
    Run(120);  // the rotation is not wrapped
    EXPECT_NEAR(Ship()->rotation, 470.0f, 0.2f);
}

TEST_F(FlightTest, NoTurningLevelIgnoresTurnKeysAndKeepsNoEmptyTankClock) {
    LoadFlying("/2\n%0\n^30\n");
    EXPECT_EQ(Ship()->rotation, 30.0f);
    Automation_ClearSoundLog();
    Press(kRight);
    Press(kLeft);
    Run(240);
    EXPECT_EQ(Ship()->rotation, 30.0f);
    EXPECT_EQ(Plays(3), 0);
    EXPECT_EQ(world.turnLeftHeld, 0);
    EXPECT_EQ(world.turnRightHeld, 0);
    EXPECT_EQ(world.emptyTankTime, 0.0f);
}

TEST_F(FlightTest, UnlimitedFuelNeverChangesTheGauge) {
    LoadFlying("/1\n%60\nA,0,200,0,50,50\nF,0,-200,0,50,50\n");
    Press(kThrust);
    Run(30);
    EXPECT_EQ(Gauge()->fuel, 60.0f);
    // Into the asteroid above, then back down through the fuel cell.
    Release(kThrust);
    for (int i = 0; i < 200 && world.ship.velocity.y > 0; ++i) Run(1);
    ASSERT_LT(world.ship.velocity.y, 0.0f) << "the asteroid should have bounced the ship";
    for (int i = 0; i < 300 && Object(1)->active; ++i) Run(1);
    EXPECT_FALSE(Object(1)->active);
    EXPECT_EQ(Gauge()->fuel, 60.0f);
    EXPECT_FALSE(world.stranded);
}

TEST_F(FlightTest, EmptyTankThrustDoesNothingAndTheLastDropIsFlooredAtZero) {
    LoadFlying("%0\n");
    Press(kThrust);
    Run(10);
    EXPECT_EQ(Speed(), 0.0f);
    EXPECT_EQ(Gauge()->fuel, 0.0f);
    EXPECT_EQ(world.thrustHeld, 0);

    World_Reset();
    StartLevel(&level_);
    Gauge()->fuel = 0.1f;
    world.phase = PHASE_FLYING;
    Run(1);
    EXPECT_GT(Speed(), 0.0f);
    EXPECT_EQ(Gauge()->fuel, 0.0f);
    const float speed = Speed();
    Run(5);
    EXPECT_EQ(Speed(), speed);
}

TEST_F(FlightTest, EngineAndTurningLoopsFollowTheSchemeKeys) {
    userConfig.controlScheme = 0;  // W thrusts, A and D turn
    LoadFlying(kOpenSpace);
    Automation_ClearSoundLog();
    Press(TS_KEY_W);
    Run(10);
    EXPECT_EQ(Plays(2), 1);
    EXPECT_EQ(world.thrustSoundOn, 1);
    Release(TS_KEY_W);
    Run(1);
    EXPECT_EQ(Stops(2), 1);
    EXPECT_EQ(world.thrustSoundOn, 0);

    Press(TS_KEY_D);
    Run(5);
    Press(TS_KEY_A);
    Run(5);
    EXPECT_EQ(Plays(3), 1);
    const AutomationSoundEvent* turn = nullptr;
    for (const AutomationSoundEvent& e : Automation_SoundLog()) {
        if (e.kind == SOUND_PLAY && e.group == 3) turn = &e;
    }
    ASSERT_NE(turn, nullptr);
    EXPECT_TRUE(turn->looping);
    EXPECT_NEAR(turn->volume, 0.05f, 1e-6f);
    // The arrows of other schemes do nothing here.
    Release(TS_KEY_A);
    Release(TS_KEY_D);
    Press(TS_KEY_SPACE);
    Press(TS_KEY_RIGHT);
    const float rotation = Ship()->rotation;
    Run(10);
    EXPECT_EQ(Ship()->rotation, rotation);
    EXPECT_EQ(world.thrustSoundOn, 0);
}

TEST_F(FlightTest, GaugeFillsUpAtLevelStartWhileTheLabelShowsTheFuel) {
    LoadFlying("%80\n");
    Run(1);
    EXPECT_STREQ(Gauge()->label, "80%");
    EXPECT_NEAR(Gauge()->shown, 200.0f / 60.0f, 1e-3f);
    Run(30);
    EXPECT_EQ(Gauge()->shown, 80.0f);
}

TEST_F(FlightTest, TrailHoldsHalfASecondAfterAHitThenDrains) {
    LoadFlying("A,0,50,0,50,50\n");
    Run(1);
    EXPECT_EQ(Gauge()->fuel, 95.0f);
    EXPECT_EQ(Gauge()->trail, 100.0f);
    Run(29);
    EXPECT_EQ(Gauge()->trail, 100.0f);
    Run(7);
    EXPECT_LT(Gauge()->trail, 100.0f);
    Run(60);
    EXPECT_EQ(Gauge()->trail, 95.0f);
}

TEST_F(FlightTest, ClockRunsOnlyWhileFlyingAndEmptyTankClockOnlyWhenDry) {
    Load("E,0,3000,0,50,50\n%0\n");
    Run(60);  // half the intro
    EXPECT_EQ(world.levelTime, 0.0f);
    for (int i = 0; i < 70 && world.phase == PHASE_INTRO; ++i) Run(1);
    ASSERT_EQ(world.phase, PHASE_FLYING);
    EXPECT_EQ(world.levelTime, 0.0f);
    Run(60);
    EXPECT_NEAR(world.levelTime, 1.0f, 1e-4f);
    EXPECT_NEAR(world.emptyTankTime, 1.0f, 1e-4f);
}

TEST_F(FlightTest, AFlameReleasedDuringTheMapViewDoesNotKeepBurning) {
    LoadFlying("E,0,3000,0,50,50\n");
    Press(kThrust);
    Press(kRight);
    Run(5);
    EXPECT_EQ(world.thrustHeld, 1);
    EXPECT_EQ(world.turnRightHeld, 1);
    Press(kMap);
    Run(5);
    Release(kThrust);
    Release(kRight);
    Run(5);
    Release(kMap);
    Run(20);
    ASSERT_EQ(world.mapState, MAP_OFF);
    EXPECT_EQ(world.thrustHeld, 0);
    EXPECT_EQ(world.turnRightHeld, 0);
}

TEST_F(FlightTest, CompassPointsAtTheGoalAndTellsTheDistance) {
    LoadFlying("E,300,400,0,50,50\n");
    Run(1);
    EXPECT_STREQ(world.compass.distanceText, "500M");
    const GameObject* arrow = world.compass.arrow;
    // 0 is up the screen and angles grow clockwise: the goal is up and right.
    EXPECT_NEAR(arrow->rotation, 90.0f - 53.1301f, 1e-3f);
    EXPECT_EQ(arrow->position.x, 45.0f);
    EXPECT_EQ(arrow->position.y, -20.0f);
}

}  // namespace
