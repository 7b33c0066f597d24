// The ship's step on its own: it depends on nothing but what it is given, says
// what happened, and flies exactly as the game's flying frame does.
#include <cstring>

#include "world_fixture.h"

namespace {

const FlightInput kNoKeys = {0, 0, 0};
const FlightInput kThrustOnly = {1, 0, 0};
const float kDt = 1.0f / 60.0f;

class ShipStepTest : public WorldTest {
protected:
    // The ship of a freshly loaded level, as a flight state.
    ShipState StartState(const std::string& levelText) {
        LoadFlying(levelText);
        return Ship_GetState(&world.ship);
    }
};

bool SameFlight(const ShipState& a, const ShipState& b) {
    return std::memcmp(&a.position, &b.position, sizeof a.position) == 0 &&
           std::memcmp(&a.velocity, &b.velocity, sizeof a.velocity) == 0 &&
           std::memcmp(&a.rotation, &b.rotation, sizeof a.rotation) == 0 &&
           std::memcmp(&a.fuel.fuel, &b.fuel.fuel, sizeof a.fuel.fuel) == 0;
}

TEST_F(ShipStepTest, TheSameStateAndKeysGiveTheSameStepWhateverKeysTheFrameworkHolds) {
    const ShipState start = StartState("%50\nA,0,300,0,50,50\n");
    ShipState first = start;
    ShipState second = start;
    FlightEvents events;
    const FlightInput input = {1, 0, 1};
    for (int i = 0; i < 90; ++i) Ship_Step(&first, input, kDt, &level_, &events);
    // The real keys say something else entirely: the step must not listen.
    Press(kLeft);
    Press(kMap);
    for (int i = 0; i < 90; ++i) Ship_Step(&second, input, kDt, &level_, &events);
    Release(kLeft);
    Release(kMap);
    EXPECT_TRUE(SameFlight(first, second));
    EXPECT_GT(first.rotation, 0.0f);

    ShipState idle = start;
    Press(kThrust);
    Ship_Step(&idle, kNoKeys, kDt, &level_, &events);
    Release(kThrust);
    EXPECT_EQ(idle.velocity.y, 0.0f);
    EXPECT_EQ(idle.fuel.fuel, 50.0f);
}

TEST_F(ShipStepTest, ABounceAndAPickUpInOneStepAreBothReported) {
    // An asteroid ahead and a fuel cell the ship already overlaps.
    ShipState ship = StartState("%40\nA,0,60,0,50,50\nF,-40,0,0,50,50\n");
    ship.velocity = TS_Vec2{0.0f, 4.0f};
    FlightEvents events;
    Ship_Step(&ship, kNoKeys, kDt, &level_, &events);
    EXPECT_EQ(events.bounces, 1);
    EXPECT_EQ(events.fuelCells, 1);
    EXPECT_TRUE(events.hardHit);
    EXPECT_EQ(events.hardHitVelocity.y, 4.0f);
    EXPECT_EQ(events.movedTo.y, 4.0f);  // before the push-out
    EXPECT_EQ(ship.velocity.y, -2.0f);
    EXPECT_EQ(ship.fuel.fuel, 85.0f);  // 40 - 5 + 50
    EXPECT_FALSE(events.stranded);
    EXPECT_FALSE(events.goalTouched);
    EXPECT_FALSE(Object(1)->active);
    // The World hears of none of it until it applies the events.
    EXPECT_EQ(world.ship.velocity.y, 0.0f);
    EXPECT_EQ(world.kickState, 0);

    Ship_Step(&ship, kNoKeys, kDt, &level_, &events);
    EXPECT_EQ(events.bounces, 0);
    EXPECT_EQ(events.fuelCells, 0);
}

TEST_F(ShipStepTest, StrandingAndTheGoalAreReportedNotActedOn) {
    ShipState ship = StartState("%3\nA,0,58,0,50,50\nE,40,30,0,50,50\n");
    ship.velocity = TS_Vec2{0.0f, 1.0f};
    FlightEvents events;
    Ship_Step(&ship, kThrustOnly, kDt, &level_, &events);
    EXPECT_TRUE(events.engineLit);
    EXPECT_TRUE(events.stranded);
    EXPECT_TRUE(events.goalTouched);
    EXPECT_FALSE(events.hardHit);
    EXPECT_EQ(ship.fuel.fuel, 0.0f);
    EXPECT_EQ(world.stranded, 0);
    EXPECT_EQ(world.phase, PHASE_FLYING);

    // A dry tank: the key is held but the engine stays dark.
    Ship_Step(&ship, kThrustOnly, kDt, &level_, &events);
    EXPECT_FALSE(events.engineLit);
}

TEST_F(ShipStepTest, TheGameFliesExactlyAsTheStepDoes) {
    // No fuel cell: the game would take it before the step could.
    const char* level = "%60\nA,0,260,0,80,80\nA,-150,40,0,60,60\nE,0,3000,0,50,50\n";
    ShipState ship = StartState(level);
    // Thrust, turn while thrusting, coast into the rocks and on.
    struct Leg {
        int frames;
        FlightInput input;
    } legs[] = {
        {40, {1, 0, 0}}, {25, {1, 1, 0}}, {20, {0, 0, 1}}, {120, {0, 0, 0}}, {30, {1, 1, 1}},
    };
    FlightEvents events;
    int hits = 0;
    for (const Leg& leg : legs) {
        if (leg.input.thrust) Press(kThrust);
        if (leg.input.turnLeft) Press(kLeft);
        if (leg.input.turnRight) Press(kRight);
        for (int i = 0; i < leg.frames; ++i) {
            Run(1);
            Ship_Step(&ship, leg.input, kDt, &level_, &events);
            hits += events.bounces;
            const ShipState game = Ship_GetState(&world.ship);
            ASSERT_TRUE(SameFlight(game, ship)) << "apart after a step of leg " << (&leg - legs);
        }
        Release(kThrust);
        Release(kLeft);
        Release(kRight);
    }
    EXPECT_GT(hits, 0);
}

}  // namespace
