// What the player sees over the level, checked through the draw-call record:
// the fuel gauge, compass, hints, skip hint, clock and level texts.
#include "world_fixture.h"

namespace {

class HudTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        Automation_RecordDraws(true);
    }

    // The last frame's filled rectangles drawn with a colour.
    static int RectsOf(TS_Color colour) {
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_RECT && call.filled && call.fill.r == colour.r &&
                call.fill.g == colour.g && call.fill.b == colour.b) {
                ++count;
            }
        }
        return count;
    }
};

const TS_Color kGrey = {105, 105, 105, 255};
const TS_Color kGreen = {4, 152, 29, 255};
const TS_Color kAmber = {196, 145, 2, 255};
const TS_Color kRed = {198, 16, 3, 255};
const TS_Color kTrail = {68, 1, 1, 255};
const char* kLevel = "E,0,800,0,50,50\nT,0,-150,0,100,20,Hello pilot\n";

TEST_F(HudTest, GaugeSitsUnderTheShipWithItsColourBands) {
    LoadFlying("E,0,800,0,50,50\n");
    Run(40);
    const AutomationDrawCall* label = TextCall("100%");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x, 640.0f);
    EXPECT_EQ(label->y, 360.0f + 50.0f);
    EXPECT_EQ(label->fill.r, 0);  // dark on a full tank
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_RECT && call.fill.r == kGrey.r && call.fill.g == kGrey.g) {
            EXPECT_EQ(call.mode, TS_MODE_CORNER);
            EXPECT_EQ(call.x, 590.0f);
            EXPECT_EQ(call.y, 400.0f);
            EXPECT_EQ(call.w, 100.0f);
            EXPECT_EQ(call.h, 20.0f);
        }
    }

    FuelGauge gauge = *Gauge();
    struct Band {
        float shown;
        TS_Color colour;
    } bands[] = {{60.0f, kGreen}, {59.9f, kAmber}, {30.0f, kAmber}, {29.9f, kRed}};
    for (const Band& band : bands) {
        Automation_ClearDrawCalls();
        gauge.shown = band.shown;
        gauge.fuel = band.shown;
        gauge.trail = band.shown;
        DrawFuelGauge(&gauge, TS_Vec2{100, 100});
        EXPECT_EQ(RectsOf(band.colour), 1) << "shown " << band.shown;
    }
    // A recent loss shows as the dark trail; the label turns light at 50 or less.
    Automation_ClearDrawCalls();
    gauge.fuel = 50.0f;
    gauge.trail = 55.0f;
    DrawFuelGauge(&gauge, TS_Vec2{100, 100});
    EXPECT_EQ(RectsOf(kTrail), 1);
    const AutomationDrawCall& last = Automation_DrawCalls().back();
    EXPECT_EQ(last.kind, DRAW_TEXT);
    EXPECT_EQ(last.fill.r, 250);
}

TEST_F(HudTest, NoGaugeWithUnlimitedFuelButTheEmptyTankHintStillShows) {
    LoadFlying("/1\n%0\nE,0,800,0,50,50\n");
    Run(2);
    EXPECT_EQ(RectsOf(kGrey), 0);
    EXPECT_EQ(TextCall("0%"), nullptr);
    EXPECT_EQ(TextCall("Press Esc to Restart"), nullptr);
    Run(180);
    const AutomationDrawCall* hint = TextCall("Press Esc to Restart");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->y, 360.0f - 35.0f);
    EXPECT_EQ(hint->alignV, TS_ALIGN_BOTTOM);
}

TEST_F(HudTest, CompassShowsTheDistanceBesideItsArrow) {
    LoadFlying(kLevel);
    Run(1);
    const AutomationDrawCall* distance = TextCall("800M");
    ASSERT_NE(distance, nullptr);
    // The arrow sits 45 right of and 20 below the ship; the text 40 further right.
    EXPECT_EQ(distance->x, 640.0f + 45.0f + 40.0f);
    EXPECT_EQ(distance->y, 360.0f + 20.0f);
}

TEST_F(HudTest, MapViewHidesTheHudButNotTheClock) {
    LoadFlying(kLevel);
    Press(kThrust);
    Run(5);
    EXPECT_NE(TextCall(world.compass.distanceText), nullptr);
    Press(kMap);
    Run(2);
    EXPECT_EQ(TextCall(world.compass.distanceText), nullptr);
    EXPECT_EQ(RectsOf(kGrey), 0);
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        EXPECT_NE(call.kind, DRAW_SUBIMAGE) << "a flame is drawn in the map view";
    }
    EXPECT_NE(TextCallStarting("Time: "), nullptr);
}

TEST_F(HudTest, ClockShowsInEveryPhaseAndTheSkipHintOnlyInIntroAndCapture) {
    Load("E,0,50,0,50,50\n");
    Run(1);
    ASSERT_EQ(world.phase, PHASE_INTRO);
    const AutomationDrawCall* clock = TextCall("Time: 0.00s");
    ASSERT_NE(clock, nullptr);
    // Off the window's corner by a margin.
    EXPECT_EQ(clock->x, 1270.0f);
    EXPECT_EQ(clock->y, 710.0f);
    EXPECT_EQ(clock->alignH, TS_ALIGN_RIGHT);
    EXPECT_EQ(clock->alignV, TS_ALIGN_BOTTOM);
    const AutomationDrawCall* key = TextCall("X");
    ASSERT_NE(key, nullptr);
    EXPECT_FLOAT_EQ(key->x, 1280.0f * 0.045f);
    EXPECT_FLOAT_EQ(key->y, 720.0f * 0.97f);
    EXPECT_EQ(key->textSize, 15.0f);
    EXPECT_NE(TextCall("Press"), nullptr);
    // "to Skip" starts a space after the key cap's right edge.
    const AutomationDrawCall* words = TextCall("to Skip");
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words->alignH, TS_ALIGN_LEFT);
    EXPECT_GE(words->x, key->x + 7.5f + 4.0f);

    Press(kSkip);
    Run(1);
    Release(kSkip);
    Run(1);  // the first flying frame touches the goal
    ASSERT_EQ(world.phase, PHASE_CAPTURE);
    EXPECT_NE(TextCall("to Skip"), nullptr);
    EXPECT_EQ(RectsOf(kGrey), 0);
    Run(1);
    EXPECT_NE(TextCall("Time: 0.02s"), nullptr);

    Press(kSkip);
    Run(1);
    ASSERT_EQ(world.phase, PHASE_DONE);
    EXPECT_EQ(TextCall("to Skip"), nullptr);
    EXPECT_EQ(RectsOf(kGrey), 0);
    EXPECT_NE(TextCall("Time: 0.02s"), nullptr);
}

TEST_F(HudTest, LevelTextsScaleWithTheZoomAndPickedUpCellsVanish) {
    LoadFlying("T,0,-150,0,100,20,Hello pilot\nF,300,0,0,50,50\n");
    Run(1);
    const AutomationDrawCall* text = TextCall("Hello pilot");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textSize, 20.0f);
    EXPECT_EQ(text->y, 360.0f + 150.0f);
    world.camera.zoom = 0.5f;
    Camera_UpdateMatrices(&world.camera);
    Automation_ClearDrawCalls();
    DrawWorld();
    text = TextCall("Hello pilot");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textSize, 10.0f);
    EXPECT_EQ(text->y, 360.0f + 75.0f);
}

TEST_F(HudTest, FlamesBurnWhileTheirKeysAreHeld) {
    LoadFlying(kLevel);
    auto flames = [] {
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls())
            count += call.kind == DRAW_SUBIMAGE;
        return count;
    };
    Run(1);
    EXPECT_EQ(flames(), 0);
    Press(kThrust);
    Press(kLeft);
    Run(1);
    EXPECT_EQ(flames(), 2);
    EXPECT_TRUE(world.thrustHeld && world.turnLeftHeld && !world.turnRightHeld);
    Release(kThrust);
    Release(kLeft);
    Run(1);
    EXPECT_EQ(flames(), 0);
}

TEST_F(HudTest, ScreenshotsOfALevelInFlightAndOfTheMapView) {
    LoadFlying(
        "%72\n"
        "A,-260,180,20,90,90\nA,240,260,0,60,60\nA,420,-40,0,120,120\nA,-480,-120,0,70,70\n"
        "F,-180,-60,0,50,50\nF,330,130,0,50,50\n"
        "W,-420,220,30,200,40\nL,600,200,0,50,50\nM,-620,40,0,50,50\n"
        "E,60,330,0,65,65\n"
        "T,0,-170,0,300,24,Press $THRUST_KEY$ to thrust\n"
        "T,-380,300,0,300,18,Fuel cells refill your tank\n");
    Press(kThrust);
    Press(kRight);
    Run(12);
    Release(kRight);
    Run(6);
    ASSERT_TRUE(Automation_SaveFrame(ScreenshotPath("world_flight.png").c_str()));
    // A close look at the ship, its flame, gauge and compass.
    world.defaultZoom = 2.5f;
    Run(1);
    ASSERT_TRUE(Automation_SaveFrame(ScreenshotPath("world_flight_closeup.png").c_str()));
    world.defaultZoom = 1.0f;
    Release(kThrust);
    Press(kMap);
    Run(20);
    ASSERT_TRUE(Automation_SaveFrame(ScreenshotPath("world_map.png").c_str()));
}

}  // namespace
