// Menus with a game pad: the D-pad and the stick move along a row of buttons
// (a held direction repeats), A presses the selected one.
#include <gtest/gtest.h>

#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"

namespace {

class PadMenuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        Open(MainMenuScreen);
        ASSERT_TRUE(Automation_AttachVirtualPad());
        Automation_RunFrames(1);
    }

    static void TapPad(int button) {
        Automation_SetPadButton(button, true);
        Automation_RunFrames(1);
        Automation_SetPadButton(button, false);
        Automation_RunFrames(1);
    }
};

TEST_F(PadMenuTest, TheDPadMovesAlongTheMainMenuAndAPressesCredits) {
    TapPad(TS_PAD_DOWN);  // shows the selection on "Play"
    for (int i = 0; i < 5; ++i) TapPad(TS_PAD_DOWN);
    TapPad(TS_PAD_UP);
    TapPad(TS_PAD_RIGHT);
    EXPECT_EQ(Current(), "MainMenu");
    TapPad(TS_PAD_A);  // the sixth button
    EXPECT_EQ(Current(), "Credits");
}

TEST_F(PadMenuTest, AStickHeldToOneSideRepeatsAndAResting) {
    TapPad(TS_PAD_RIGHT);  // "Play"
    // Held for 0.55 s: the press, then repeats at 0.4 and 0.52 s.
    Automation_SetPadStick(1.0f, 0.0f);
    Automation_RunFrames(33);
    // A stick let go to rest, and one barely off centre, move nothing.
    Automation_SetPadStick(0.2f, -0.3f);
    Automation_RunFrames(40);
    TapPad(TS_PAD_A);  // the fourth button
    EXPECT_EQ(Current(), "Help");
}

}  // namespace
