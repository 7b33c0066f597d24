// The help page: key caps for each scheme, the demos, leaving it, and the
// in-game overlay that only closes itself.
#include <gtest/gtest.h>

#include <string>

#include "app/assets.h"
#include "app/config.h"
#include "app/window.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/help_page.h"

namespace {

class HelpTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        Help_UseAsScreen();
    }
    // Where the demo ship of column x was drawn last frame (-1 when not).
    static float ShipY(float x) {
        TS_Image ship = GetSpriteImage(SPRITE_PLAYER);
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE && call.image == ship && Near(call.x, x)) return call.y;
        }
        return -1.0f;
    }
    static int ArrowsDrawn() {
        TS_Image arrow = GetSpriteImage(SPRITE_ARROW);
        int count = 0;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE && call.image == arrow) ++count;
        }
        return count;
    }
};

struct Caps {
    int scheme;
    const char* thrust;
    const char* left;
    const char* right;
    float thrustWidth;
};

class HelpCapsTest : public HelpTest, public ::testing::WithParamInterface<Caps> {};

TEST_P(HelpCapsTest, KeyCapsShowTheSchemesKeys) {
    const Caps caps = GetParam();
    userConfig.controlScheme = caps.scheme;
    Open(HelpScreen);
    EXPECT_TRUE(DrewTextAt(caps.thrust, 192, 432));
    EXPECT_TRUE(DrewTextAt(caps.left, 601.6f, 432));
    EXPECT_TRUE(DrewTextAt(caps.right, 678.4f, 432));
    EXPECT_TRUE(DrewTextAt("M", 1088, 432));
    EXPECT_TRUE(DrewTextAt("Esc", 576, 540));
    bool thrustCap = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_RECT && Near(call.x, 192) && Near(call.y, 432)) {
            thrustCap = Near(call.w, caps.thrustWidth) && Near(call.h, 33);
        }
    }
    EXPECT_TRUE(thrustCap);
}

INSTANTIATE_TEST_SUITE_P(Schemes, HelpCapsTest,
                         ::testing::Values(Caps{0, "W", "A", "D", 33},
                                           Caps{1, "Up", "<-", "->", 33},
                                           Caps{2, "Spacebar", "<-", "->", 100},
                                           Caps{3, "Spacebar", "A", "D", 100}),
                         [](const ::testing::TestParamInfo<Caps>& info) {
                             return std::string(controlSchemeNames[info.param.scheme]);
                         });

TEST_F(HelpTest, ForwardDemoFadesTheArrowThenFliesAndStartsAgain) {
    Open(HelpScreen);
    EXPECT_FLOAT_EQ(ShipY(192), 324.0f);
    Automation_RunFrames(90);  // 1.5 s: the arrow is fading out
    EXPECT_GE(ArrowsDrawn(), 1);
    EXPECT_FLOAT_EQ(ShipY(192), 324.0f);
    Automation_RunFrames(60);  // 2.5 s: the arrow is gone and the ship rises
    const float rising = ShipY(192);
    EXPECT_LT(rising, 324.0f);
    EXPECT_GT(rising, 124.0f);
    Automation_RunFrames(40);  // past 200 pixels: back at the start
    EXPECT_FLOAT_EQ(ShipY(192), 324.0f);
}

TEST_F(HelpTest, TurnDemoTurnsRightThenLeftAndBack) {
    Open(HelpScreen);
    float mostRight = 0.0f;
    float mostLeft = 0.0f;
    for (int frame = 0; frame < 60 * 7; ++frame) {
        Automation_RunFrames(1);
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE && call.image == GetSpriteImage(SPRITE_PLAYER) &&
                Near(call.x, 640)) {
                if (call.rotation > mostRight) mostRight = call.rotation;
                if (call.rotation < mostLeft) mostLeft = call.rotation;
            }
        }
    }
    EXPECT_NEAR(mostRight, 120.0f, 3.0f);
    EXPECT_NEAR(mostLeft, -120.0f, 3.0f);
}

TEST_F(HelpTest, BackByKeyboardReturnsToTheMainMenu) {
    Open(HelpScreen);
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_ENTER);
    EXPECT_EQ(Current(), "MainMenu");
}

TEST_F(HelpTest, AltEnterMovesThePageWithTheWindow) {
    Open(HelpScreen);
    AltEnter();
    ASSERT_TRUE(Window_IsFullscreen());
    // Full screen on the 1920 x 1080 display is the 1280 x 720 layout
    // stretched by 1.5: the page keeps its place in layout units.
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), 1920);
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    EXPECT_TRUE(DrewTextAt("Help", 640, 108));
    EXPECT_TRUE(DrewTextAt("to Rotate the spaceship", 640, 468));
    EXPECT_FLOAT_EQ(ShipY(640), 324.0f);
    TS_Image map = GetSpriteImage(SPRITE_MAP_DEMO);
    bool mapPlaced = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        // The picture's height follows the window's width.
        if (call.kind == DRAW_IMAGE && call.image == map) mapPlaced = Near(call.y, 256);
    }
    EXPECT_TRUE(mapPlaced);
}

void KeepLayout() {}

void OverlayFrame() {
    if (!Help_OverlayOpen()) return;
    Help_Update();
    Help_Draw();
}

TEST_F(HelpTest, InGameBackClosesOnlyTheOverlay) {
    Help_UseAsOverlay();
    LayoutHook = KeepLayout;  // the gameplay screen's
    Help_Init();
    EXPECT_EQ(LayoutHook, KeepLayout);
    Help_OpenOverlay();
    TS_Engine_SetNextGameState(nullptr, OverlayFrame, nullptr);
    Automation_RunFrames(1);
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    Click(1088, 612);
    EXPECT_FALSE(Help_OverlayOpen());
    EXPECT_EQ(Current(), "");
    Help_Exit();
    EXPECT_EQ(LayoutHook, KeepLayout);
    LayoutHook = nullptr;
}

}  // namespace
