// Game pads reach the game as digital buttons: plugged in and out while it
// runs, with per-frame edges, the stick and triggers behind a threshold with
// hysteresis, repeats for a held direction, and the pad's own mapping lines.
#include <gtest/gtest.h>

#include "support/headless.h"

namespace {

class PadTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Automation_RunFrames(1);
        ASSERT_TRUE(Automation_AttachVirtualPad("Test Pad"));
        Automation_RunFrames(1);
        ASSERT_TRUE(TS_Pad_Connected());
    }

    // Sets the stick and runs a frame; whether it counts as pushed left.
    static bool StickLeftAt(float x) {
        Automation_SetPadStick(x, 0.0f);
        Automation_RunFrames(1);
        return TS_Pad_ButtonDown(TS_PAD_STICK_LEFT);
    }
};

TEST_F(PadTest, PluggedInWhileRunningButtonsHaveEdgesAndUnpluggingReleasesThem) {
    EXPECT_STREQ(TS_Pad_Name(), "Test Pad");
    EXPECT_FALSE(TS_Pad_LastUsed());  // plugged in, not yet touched

    Automation_SetPadButton(TS_PAD_A, true);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonTriggered(TS_PAD_A));
    EXPECT_TRUE(TS_Pad_ButtonDown(TS_PAD_A));
    EXPECT_TRUE(TS_Pad_LastUsed());
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_ButtonTriggered(TS_PAD_A));
    EXPECT_TRUE(TS_Pad_ButtonDown(TS_PAD_A));

    // A key makes the keyboard the device in use again.
    TapKey(TS_KEY_SPACE);
    EXPECT_FALSE(TS_Pad_LastUsed());
    Automation_SetPadButton(TS_PAD_BACK, true);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_LastUsed());

    // Pulled out with buttons held: nothing stays down, and the loss shows
    // for one frame.
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_Connected());
    EXPECT_TRUE(TS_Pad_Lost());
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_A));
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_BACK));
    EXPECT_FALSE(TS_Pad_LastUsed());
    EXPECT_STREQ(TS_Pad_Name(), "");
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_Lost());

    // And plugged in again, it works without a restart.
    ASSERT_TRUE(Automation_AttachVirtualPad("Second Pad"));
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_START, true);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonTriggered(TS_PAD_START));
    EXPECT_STREQ(TS_Pad_Name(), "Second Pad");
}

TEST_F(PadTest, UnpluggingAPadNeverTouchedIsNoLoss) {
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_Connected());
    EXPECT_FALSE(TS_Pad_Lost());
}

TEST_F(PadTest, TheStickTurnsOnPastHalfAndOffOnlyBelowAThird) {
    // Resting and slightly pushed: never on, and never "used".
    EXPECT_FALSE(StickLeftAt(-0.1f));
    EXPECT_FALSE(TS_Pad_LastUsed());
    for (int i = 0; i < 30; ++i) EXPECT_FALSE(StickLeftAt(i % 2 ? -0.3f : -0.45f));
    EXPECT_TRUE(TS_Pad_LastUsed());  // past the dead zone it is touched
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_STICK_RIGHT));

    EXPECT_TRUE(StickLeftAt(-0.55f));
    EXPECT_TRUE(TS_Pad_ButtonTriggered(TS_PAD_STICK_LEFT));
    EXPECT_TRUE(StickLeftAt(-0.4f));  // hovering above the lower threshold holds
    EXPECT_FALSE(TS_Pad_ButtonTriggered(TS_PAD_STICK_LEFT));
    EXPECT_FALSE(StickLeftAt(-0.3f));
    EXPECT_TRUE(StickLeftAt(-1.0f));
    EXPECT_FALSE(StickLeftAt(0.8f));  // straight over to the other side
    EXPECT_TRUE(TS_Pad_ButtonDown(TS_PAD_STICK_RIGHT));

    Automation_SetPadStick(0.0f, 0.7f);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonDown(TS_PAD_STICK_DOWN));
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_STICK_RIGHT));
}

TEST_F(PadTest, TriggersAreButtonsPastHalfWithTheSameHysteresis) {
    Automation_SetPadTrigger(true, 0.3f);
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_RIGHT_TRIGGER));
    Automation_SetPadTrigger(true, 0.6f);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonTriggered(TS_PAD_RIGHT_TRIGGER));
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_LEFT_TRIGGER));
    Automation_SetPadTrigger(true, 0.4f);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonDown(TS_PAD_RIGHT_TRIGGER));
    Automation_SetPadTrigger(true, 0.0f);
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_RIGHT_TRIGGER));
}

TEST_F(PadTest, AHeldDirectionRepeatsAfterADelayThenSteadily) {
    Automation_SetPadButton(TS_PAD_DOWN, true);
    int repeats = 0;
    int firstRepeat = -1;
    for (int frame = 0; frame < 60; ++frame) {  // one second at 60 frames
        Automation_RunFrames(1);
        if (!TS_Pad_ButtonRepeated(TS_PAD_DOWN)) continue;
        if (frame > 0 && firstRepeat < 0) firstRepeat = frame;
        ++repeats;
    }
    // The press, then after 0.4 s one every 0.12 s: 0.4, 0.52, ... 0.88.
    EXPECT_EQ(repeats, 6);
    EXPECT_GE(firstRepeat, 23);
    EXPECT_LE(firstRepeat, 25);
    // Buttons that are not held never repeat.
    EXPECT_FALSE(TS_Pad_ButtonRepeated(TS_PAD_UP));
}

TEST_F(PadTest, LosingTheWindowLetsGoOfHeldButtons) {
    Automation_SetPadButton(TS_PAD_A, true);
    Automation_RunFrames(1);
    ASSERT_TRUE(TS_Pad_ButtonDown(TS_PAD_A));
    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Pad_ButtonDown(TS_PAD_A));
}

TEST_F(PadTest, MappingLinesForOtherSystemsCommentsAndGarbageAreHarmless) {
    EXPECT_TRUE(TS_Pad_AddMapping("# a comment"));
    EXPECT_TRUE(TS_Pad_AddMapping(""));
    EXPECT_TRUE(TS_Pad_AddMapping(
        "03000000aaaa0000bbbb000000000000,Other Pad,a:b0,b:b1,platform:Windows,"));
    EXPECT_FALSE(TS_Pad_AddMapping("not a mapping at all"));
    TS_Pad_AddMapping(",,,,,,:::::");  // whatever SDL makes of it, nothing breaks
    EXPECT_TRUE(
        TS_Pad_AddMapping("03000000aaaa0000bbbb000000000000,Linux Pad,a:b0,b:b1,platform:Linux,"));
    // The virtual pad is untouched by all of it.
    Automation_SetPadButton(TS_PAD_B, true);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Pad_ButtonTriggered(TS_PAD_B));
}

}  // namespace
