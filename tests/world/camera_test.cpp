// The camera: its matrices, the intro fly-over, the map view and the kick.
#include "world_fixture.h"

namespace {

class CameraTest : public WorldTest {};

// A level 2000 wide and 500 high around the start, goal at the top right.
const char* kWideLevel = "E,900,150,0,50,50\nA,-975,-225,0,50,50\nA,975,225,0,50,50\n";

TEST_F(CameraTest, MatricesMapWorldToWindowWithYUpAndRoundTrip) {
    Camera camera = {};
    camera.position = TS_Vec2{100, 50};
    camera.zoom = 2.0f;
    Camera_UpdateMatrices(&camera);
    const TS_Vec2 p = TS_Vector_MatrixMultiply(camera.worldToScreen, TS_Vec2{110, 70});
    EXPECT_FLOAT_EQ(p.x, 640.0f + 20.0f);
    EXPECT_FLOAT_EQ(p.y, 360.0f - 40.0f);
    const TS_Vec2 back = TS_Vector_MatrixMultiply(camera.screenToWorld, p);
    EXPECT_NEAR(back.x, 110.0f, 1e-3f);
    EXPECT_NEAR(back.y, 70.0f, 1e-3f);
    const TS_Vec2 corner = TS_Vector_MatrixMultiply(camera.screenToWorld, TS_Vec2{0, 0});
    EXPECT_NEAR(corner.x, 100.0f - 320.0f, 1e-3f);
    EXPECT_NEAR(corner.y, 50.0f + 180.0f, 1e-3f);
}

TEST_F(CameraTest, MapZoomFitsTheLongerSideAndNeverZoomsIn) {
    Load(kWideLevel);
    EXPECT_NEAR(world.mapZoom, 1280.0f / 2000.0f - 0.1f, 1e-6f);
    EXPECT_FLOAT_EQ(world.levelCentre.x, 0.0f);
    TeardownWorld();
    worldUp_ = false;
    FreeLevel(&level_);
    Load("E,10,10,0,20,20\n");
    EXPECT_EQ(world.mapZoom, 1.0f);
}

TEST_F(CameraTest, ALevelTooWideForTheMarginStillZoomsOutToShowItAll) {
    // 20,050 wide: 1280 / 20050 - 0.1 is below zero, which once meant no zoom.
    LoadFlying("E,0,400,0,50,50\nA,-10000,0,0,50,50\nA,10000,0,0,50,50\n");
    EXPECT_GT(world.mapZoom, 0.0f);
    // At the map zoom, over the level's centre, both ends are in the window.
    const float halfWidth = 10025.0f * world.mapZoom;
    EXPECT_LT(halfWidth, 640.0f);
    EXPECT_GT(halfWidth, 0.8f * 640.0f);  // and not a speck in the middle

    Press(kMap);
    Run(30);
    ASSERT_EQ(world.mapState, MAP_OPEN);
    EXPECT_LT(world.camera.zoom, 0.15f);  // it zooms out, not stays at 1
    Release(kMap);
}

TEST_F(CameraTest, IntroFliesFromTheGoalToTheShipZoomingOutHalfway) {
    Load(kWideLevel);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(world.camera.position.x, 900.0f);
    Run(60);
    EXPECT_NEAR(world.camera.position.x, 450.0f, 0.5f);
    EXPECT_NEAR(world.camera.zoom, world.mapZoom, 1e-3f);
    EXPECT_EQ(world.levelTime, 0.0f);
    for (int i = 0; i < 70 && world.phase == PHASE_INTRO; ++i) Run(1);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_EQ(world.camera.position.x, 0.0f);
    EXPECT_EQ(world.camera.zoom, 1.0f);
}

TEST_F(CameraTest, XSkipsTheIntroAtOnceAndEscapeDoesNot) {
    Load(kWideLevel);
    Run(10);
    Press(TS_KEY_ESCAPE);
    Run(1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    Press(kSkip);
    Run(1);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_EQ(world.camera.position.x, 0.0f);
    EXPECT_EQ(world.camera.position.y, 0.0f);
    EXPECT_EQ(world.camera.zoom, 1.0f);
}

TEST_F(CameraTest, LevelWithoutAGoalFliesFromTheFirstFrameWithTheCameraOnTheShip) {
    Load("/0\n");
    EXPECT_EQ(world.phase, PHASE_FLYING);
    world.ship.velocity = TS_Vec2{3, 4};
    Run(1);
    EXPECT_EQ(world.camera.position.x, 3.0f);
    EXPECT_EQ(world.camera.position.y, 4.0f);
}

TEST_F(CameraTest, MapViewShowsTheLevelWithTheWorldFrozenAndReturns) {
    LoadFlying(kWideLevel);
    Press(kThrust);
    Run(10);
    const TS_Vec2 ship = Ship()->position;
    const float fuel = Gauge()->fuel;
    const float time = world.levelTime;
    Press(kMap);
    Run(30);
    EXPECT_EQ(world.mapState, MAP_OPEN);
    // The last interpolated pose, within a frame of the full map.
    EXPECT_NEAR(world.camera.zoom, world.mapZoom, 0.035f);
    EXPECT_NEAR(world.camera.position.x, world.levelCentre.x, 3.0f);
    EXPECT_EQ(Ship()->position.y, ship.y);
    EXPECT_EQ(Gauge()->fuel, fuel);
    EXPECT_EQ(world.levelTime, time);

    Release(kMap);
    Run(10);
    EXPECT_EQ(world.mapState, MAP_CLOSING);
    EXPECT_EQ(world.levelTime, time);
    Run(10);
    EXPECT_EQ(world.mapState, MAP_OFF);
    EXPECT_GT(world.levelTime, time);
    EXPECT_EQ(world.camera.zoom, 1.0f);
    EXPECT_EQ(world.camera.position.y, Ship()->position.y);
}

TEST_F(CameraTest, PressingMWhileClosingOpensOnTheClosingTimer) {
    LoadFlying(kWideLevel);
    Press(kMap);
    Run(20);
    Release(kMap);
    Run(5);
    ASSERT_EQ(world.mapState, MAP_CLOSING);
    const float timer = world.mapTimer;
    Press(kMap);
    Run(1);
    EXPECT_EQ(world.mapState, MAP_CLOSING);
    const float t = (timer + 1.0f / 60.0f) * 4.0f;
    EXPECT_NEAR(world.camera.zoom, 1.0f + (world.mapZoom - 1.0f) * t, 1e-4f);
    // Released again, the closing carries on from that timer.
    Release(kMap);
    Run(1);
    EXPECT_EQ(world.mapState, MAP_CLOSING);
    for (int i = 0; i < 20 && world.mapState != MAP_OFF; ++i) Run(1);
    EXPECT_EQ(world.mapState, MAP_OFF);
}

TEST_F(CameraTest, HardHitKicksTheCameraOnThenEasesItBackOntoTheShip) {
    LoadFlying("A,0,100,0,50,50\n");
    world.ship.velocity = TS_Vec2{0, 6};
    Ship()->position = TS_Vec2{0, 44};
    CameraFollow_Update();
    Run(1);
    ASSERT_EQ(world.kickState, 1);
    const float shipY = Ship()->position.y;
    Run(6);
    // Carried on up along the old flight line while the ship went back down.
    EXPECT_GT(world.camera.position.y, shipY + 20.0f);
    Run(20);
    EXPECT_EQ(world.kickState, 0);
    EXPECT_EQ(world.camera.position.y, Ship()->position.y);
}

}  // namespace
