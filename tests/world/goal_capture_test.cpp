// The finish after touching the goal: pulled in, straightened, spun up and
// launched off the screen; X skips it; the music ducks and comes back.
#include "app/sound_groups.h"
#include "world_fixture.h"

namespace {

class GoalCaptureTest : public WorldTest {
protected:
    // A level whose goal sits right beside the start, so the first flying
    // frame touches it.
    void LoadTouchingGoal(const char* extra = "") {
        LoadFlying(std::string("E,0,50,0,50,50\n") + extra);
        Run(1);
        ASSERT_EQ(world.phase, PHASE_CAPTURE);
    }

    // Runs capture frames until the phase changes or the limit passes.
    static int RunCapture(int limit) {
        int frames = 0;
        while (world.phase == PHASE_CAPTURE && frames < limit) {
            Run(1);
            ++frames;
        }
        return frames;
    }
};

TEST_F(GoalCaptureTest, FullCaptureSpinsOnceDucksTheMusicAndLaunchesTheShipOffScreen) {
    userConfig.musicVolume = 80;
    LoadTouchingGoal();
    const float touchTime = world.levelTime;
    Automation_ClearSoundLog();

    // Pulled in to the goal and held there while the spin builds.
    Run(60);
    EXPECT_EQ(Ship()->position.x, 0.0f);
    EXPECT_NEAR(Ship()->position.y, 50.0f, 0.1f);  // nudged by the launch thrust, pulled back
    EXPECT_EQ(world.winSpinStarted, 1);
    EXPECT_NEAR(Automation_GroupVolume(1), 0.4f, 1e-6f);
    EXPECT_LT(Goal()->rotation, 0.0f);
    EXPECT_EQ(world.levelTime, touchTime);

    const int frames = RunCapture(600);
    EXPECT_EQ(world.phase, PHASE_DONE);
    EXPECT_LT(frames, 400);
    EXPECT_EQ(Plays(5), 1);
    EXPECT_EQ(Plays(6), 2);  // the whoosh of each launch push
    EXPECT_EQ(Stops(5), 0);  // a natural end lets the sounds finish
    EXPECT_NEAR(Automation_GroupVolume(1), 0.8f, 1e-6f);
    EXPECT_EQ(Goal()->rotation, 0.0f);
    EXPECT_EQ(world.levelTime, touchTime);
    EXPECT_FLOAT_EQ(world.camera.zoom, 1.5f);
    EXPECT_EQ(world.levelComplete, 1);

    // Done: the World stands still.
    const TS_Vec2 position = Ship()->position;
    Run(10);
    EXPECT_EQ(Ship()->position.y, position.y);
}

TEST_F(GoalCaptureTest, XOnTheFirstFrameEndsAtOnceAndRestoresTheMusic) {
    LoadTouchingGoal();
    Automation_ClearSoundLog();
    Press(kSkip);
    Run(1);
    EXPECT_EQ(world.phase, PHASE_DONE);
    EXPECT_EQ(Goal()->rotation, 0.0f);
    EXPECT_EQ(Automation_GroupVolume(1), MusicGroupVolume());
    EXPECT_EQ(Stops(5), 1);
    EXPECT_EQ(Stops(6), 1);
    EXPECT_EQ(world.winSpinSpeed, 0.0f);
}

TEST_F(GoalCaptureTest, ShipStraightensTheLongWayRoundBySign) {
    LoadFlying("^350\nE,0,50,0,50,50\n");
    Run(1);
    ASSERT_EQ(world.phase, PHASE_CAPTURE);
    float last = Ship()->rotation;
    int frames = 0;
    while (Ship()->rotation != 0.0f && frames < 200) {
        Run(1);
        ++frames;
        ASSERT_TRUE(Ship()->rotation < last || Ship()->rotation == 0.0f)
            << "turned forward at frame " << frames;
        last = Ship()->rotation;
    }
    EXPECT_EQ(Ship()->rotation, 0.0f);
    // 347 degrees at 235 per second.
    EXPECT_NEAR(frames / 60.0f, 1.48f, 0.03f);
    EXPECT_EQ(world.winSpinStarted, 1);
}

TEST_F(GoalCaptureTest, ShipMovingAwayIsCarriedAwayAndNeverSpins) {
    LoadFlying("E,0,50,0,50,50\n");
    world.ship.velocity = TS_Vec2{0, -3};
    Ship()->position = TS_Vec2{0, 3};  // the move of the frame brings it to 0
    Run(1);
    ASSERT_EQ(world.phase, PHASE_CAPTURE);
    Run(60);
    EXPECT_NEAR(world.ship.velocity.y, -1.0f + 5.0f / 60.0f, 1e-4f);
    EXPECT_LT(Ship()->position.y, 0.0f);
    EXPECT_EQ(world.winSpinStarted, 0);
    Press(kSkip);
    Run(1);
    EXPECT_EQ(world.phase, PHASE_DONE);
}

TEST_F(GoalCaptureTest, ShipWithNoMotionTowardTheGoalHeadsStraightForIt) {
    LoadFlying("E,30,0.5,0,50,50\n");
    // After this frame's move the ship is at (0, 0.5), flying square to the
    // line to the goal.
    world.ship.velocity = TS_Vec2{0, 0.5f};
    Run(1);
    ASSERT_EQ(world.phase, PHASE_CAPTURE);
    Run(1);
    // One unit toward the goal, and the same velocity again in the launch step.
    EXPECT_NEAR(Ship()->position.x, 2.0f, 1e-4f);
    EXPECT_NEAR(Ship()->position.y, 0.5f + 5.0f / 60.0f, 1e-4f);
    RunCapture(120);
    EXPECT_EQ(world.winSpinStarted, 1);
}

}  // namespace
