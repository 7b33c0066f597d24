// From program start through the splash logos to the main menu.
#include <gtest/gtest.h>

#include <string>

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "game/game.h"
#include "support/headless.h"

namespace {

class StartupFlowTest : public HeadlessTest {
protected:
    // Runs the menu's exit (it owns buttons and a popup) before a restart.
    static void Idle() {}
    static void LeaveTheMenu() {
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Automation_RunFrames(1);
    }

    // The alpha of the splash logo drawn this frame, or -1 when none.
    static int LogoAlpha() {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE) return call.alpha;
        }
        return -1;
    }
};

TEST_F(StartupFlowTest, FreshStartWritesDefaultsAndGoesFullscreen) {
    Game_Start();
    Automation_RunFrames(1);
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), "1 100 100 2 ");
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), TS_System_GetDisplayWidth());
    EXPECT_EQ(TS_System_GetWindowPixelHeight(), TS_System_GetDisplayHeight());
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 1.0f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 1.0f);
}

TEST_F(StartupFlowTest, WindowedSplashFadesBothLogosThenReachesTheMenu) {
    StartGameWindowed();
    Automation_RecordDraws(true);
    Automation_RunFrames(1);  // Startup
    EXPECT_EQ(TS_System_GetWindowWidth(), 1280);
    EXPECT_STREQ(Screen_CurrentName(), "Splash");
    Automation_RunFrames(1);  // the first splash frame already fades in
    EXPECT_EQ(LogoAlpha(), 4);
    TS_Image first = Automation_DrawCalls().back().image;
    // Alpha per frame of the first logo: up for a second, held, then down.
    int frames = 1, peak = 0, heldFrames = 0;
    while (LogoAlpha() >= 0 && frames < 200) {
        const int alpha = LogoAlpha();
        if (alpha > peak) peak = alpha;
        if (alpha == 255) ++heldFrames;
        Automation_RunFrames(1);
        ++frames;
    }
    EXPECT_EQ(peak, 255);
    EXPECT_NEAR(heldFrames, 30, 2);  // half a second
    EXPECT_NEAR(frames, 150, 2);     // 2.5 s in all
    Automation_RunFrames(1);         // the second logo begins
    ASSERT_GE(LogoAlpha(), 0);
    EXPECT_NE(Automation_DrawCalls().back().image, first);
    EXPECT_STREQ(Screen_CurrentName(), "Splash");
    Automation_RunFrames(160);
    EXPECT_STREQ(Screen_CurrentName(), "MainMenu");
    EXPECT_EQ(Automation_GroupPlayingPath(0), soundPaths[SOUND_MENU_MUSIC]);
    // The splash gave its logos back to the cache.
    EXPECT_EQ(spriteCache[SPRITE_STUDIO_RED], nullptr);
    EXPECT_EQ(spriteCache[SPRITE_AUDIO_LOGO], nullptr);
}

TEST_F(StartupFlowTest, EachSkipInputGoesStraightToTheMenu) {
    const int keys[] = {TS_KEY_ENTER, TS_KEY_ESCAPE, TS_KEY_SPACE};
    for (int key : keys) {
        LeaveTheMenu();
        Automation_Stop();
        Automation_Start();
        StartGameWindowed();
        Automation_RunFrames(30);
        Automation_KeyDown(key);
        Automation_RunFrames(2);  // skip frame, then MenuMusic's frame
        EXPECT_STREQ(Screen_CurrentName(), "MainMenu") << "key " << key;
        Automation_KeyUp(key);
        Assets_FreeAll();
    }
    LeaveTheMenu();
    Automation_Stop();
    Automation_Start();
    StartGameWindowed();
    Automation_RunFrames(10);
    Click(640, 360);
    EXPECT_STREQ(Screen_CurrentName(), "MainMenu");
    LeaveTheMenu();
}

TEST_F(StartupFlowTest, FullscreenWaitsInBlackAndCannotBeSkipped) {
    Game_Start();  // fresh settings: fullscreen
    Automation_RecordDraws(true);
    Automation_RunFrames(2);
    EXPECT_EQ(LogoAlpha(), -1);
    Automation_KeyDown(TS_KEY_ESCAPE);
    Automation_RunFrames(1);
    Automation_KeyUp(TS_KEY_ESCAPE);
    Click(640, 360);
    Automation_RunFrames(290);  // just under 5 s in all
    EXPECT_STREQ(Screen_CurrentName(), "Splash");
    EXPECT_EQ(LogoAlpha(), -1);
    Automation_RunFrames(10);
    EXPECT_GT(LogoAlpha(), 0);
}

TEST_F(StartupFlowTest, SplashFrameShowsTheStudioLogo) {
    StartGameWindowed();
    Automation_RunFrames(1 + 75);  // into the hold
    const std::string shot = ScreenshotPath("splash.png");
    ASSERT_TRUE(Automation_SaveFrame(shot.c_str()));
    // Somewhere on the centre line the logo is not black.
    bool sawLogo = false;
    for (int x = 340; x < 940 && !sawLogo; x += 4) {
        for (int y = 300; y < 420 && !sawLogo; y += 4) {
            sawLogo = Automation_ReadPixel(x, y) != 0x000000FFu;
        }
    }
    EXPECT_TRUE(sawLogo);
}

}  // namespace
