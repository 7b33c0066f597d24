// Keys and buttons reach the game under its own key codes, with per-frame edges.
#include <gtest/gtest.h>

#include "support/headless.h"

namespace {

class InputTest : public HeadlessTest {};

TEST_F(InputTest, KeyEdgesLastOneFrame) {
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Input_KeyTriggered(TS_KEY_SPACE));
    EXPECT_TRUE(TS_Input_KeyDown(TS_KEY_SPACE));
    EXPECT_TRUE(TS_Input_KeyTriggered(TS_KEY_ANY));
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Input_KeyTriggered(TS_KEY_SPACE));
    EXPECT_TRUE(TS_Input_KeyDown(TS_KEY_SPACE));
    Automation_KeyUp(TS_KEY_SPACE);
    Automation_RunFrames(1);
    EXPECT_TRUE(TS_Input_KeyReleased(TS_KEY_SPACE));
    EXPECT_FALSE(TS_Input_KeyDown(TS_KEY_SPACE));
    EXPECT_FALSE(TS_Input_KeyDown(TS_KEY_ANY));
}

TEST_F(InputTest, EveryContractKeyCodeRoundTrips) {
    const int codes[] = {32,  45,  48,  57,  65,  77,  88,  90,  256, 257, 259, 261, 262, 263,
                         264, 265, 290, 292, 294, 301, 320, 327, 329, 340, 342, 344, 346};
    for (int code : codes) {
        Automation_KeyDown(code);
        Automation_RunFrames(1);
        EXPECT_TRUE(TS_Input_KeyTriggered(code)) << "key " << code;
        Automation_KeyUp(code);
        Automation_RunFrames(1);
        EXPECT_TRUE(TS_Input_KeyReleased(code)) << "key " << code;
    }
}

TEST_F(InputTest, MousePositionButtonsAndDelta) {
    Automation_MouseMove(100, 200);
    Automation_RunFrames(1);
    Automation_MouseMove(130, 190);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(TS_Input_GetMouseX(), 130);
    EXPECT_FLOAT_EQ(TS_Input_GetMouseY(), 190);
    EXPECT_FLOAT_EQ(TS_Input_GetMousePreviousX(), 100);
    EXPECT_FLOAT_EQ(TS_Input_GetMouseDeltaY(), -10);
    EXPECT_TRUE(TS_Input_MouseTriggered(TS_MOUSE_LEFT));
    EXPECT_TRUE(TS_Input_MouseDown(TS_MOUSE_LEFT));
    EXPECT_FALSE(TS_Input_MouseTriggered(TS_MOUSE_RIGHT));
    Automation_RunFrames(1);
    EXPECT_FALSE(TS_Input_MouseTriggered(TS_MOUSE_LEFT));
    EXPECT_TRUE(TS_Input_MouseDown(TS_MOUSE_LEFT));
    EXPECT_FLOAT_EQ(TS_Input_GetMouseDeltaX(), 0);
}

TEST_F(InputTest, OutOfRangeCodesAreSafe) {
    EXPECT_FALSE(TS_Input_KeyDown(-3));
    EXPECT_FALSE(TS_Input_KeyTriggered(100000));
    EXPECT_FALSE(TS_Input_MouseDown(7));
}

}  // namespace
