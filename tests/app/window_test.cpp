// Focus changes silence and restore the music; Alt+Enter toggles fullscreen.
#include <gtest/gtest.h>

#include "app/config.h"
#include "app/window.h"
#include "support/headless.h"

namespace {

int layoutCalls = 0;
int focusLostCalls = 0;
int focusGainedCalls = 0;
void CountLayout() { ++layoutCalls; }
void CountFocusLost() { ++focusLostCalls; }
void CountFocusGained() { ++focusGainedCalls; }

class WindowTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        layoutCalls = focusLostCalls = focusGainedCalls = 0;
        Window_InstallHook();
        TS_Sound_SetGroupVolume(0, 0.6f);
        TS_Sound_SetGroupVolume(1, 0.6f);
        TS_Sound_SetGroupVolume(4, 0.9f);
    }
};

TEST_F(WindowTest, FocusLossSilencesOnlyTheMusicAndComesBack) {
    userConfig.musicVolume = 60;
    FocusLostHook = CountFocusLost;
    FocusGainedHook = CountFocusGained;
    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.0f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.0f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(4), 0.9f);
    EXPECT_EQ(focusLostCalls, 1);
    Automation_FocusGained();
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.6f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.6f);
    EXPECT_EQ(focusGainedCalls, 1);
}

TEST_F(WindowTest, WithMusicOffFocusLeavesTheGroupsAlone) {
    userConfig.musicVolume = 0;
    FocusLostHook = CountFocusLost;
    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.6f);
    EXPECT_EQ(focusLostCalls, 1);  // the screen still hears about it
    Automation_FocusGained();
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.6f);
}

void ToggleEveryFrame() { Window_CheckFullscreenToggle(); }

TEST_F(WindowTest, AltEnterTogglesAndLaysOutAgain) {
    TS_Engine_SetNextGameState(nullptr, ToggleEveryFrame, nullptr);
    TS_System_SetWindowSize(1280, 720);
    LayoutHook = CountLayout;
    userConfig.fullscreen = false;
    Automation_KeyDown(TS_KEY_LEFT_ALT);
    Automation_KeyDown(TS_KEY_ENTER);
    Automation_RunFrames(1);
    EXPECT_TRUE(Window_IsFullscreen());
    EXPECT_TRUE(userConfig.fullscreen);
    EXPECT_EQ(layoutCalls, 1);
    Automation_RunFrames(1);  // Enter still held: no second toggle
    EXPECT_EQ(layoutCalls, 1);
    Automation_KeyUp(TS_KEY_ENTER);
    Automation_RunFrames(1);
    Automation_KeyDown(TS_KEY_ENTER);
    Automation_RunFrames(1);
    EXPECT_EQ(TS_System_GetWindowWidth(), 1280);
    EXPECT_EQ(TS_System_GetWindowHeight(), 720);
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_EQ(layoutCalls, 2);
    // Enter alone does nothing.
    Automation_KeyUp(TS_KEY_LEFT_ALT);
    Automation_KeyUp(TS_KEY_ENTER);
    Automation_RunFrames(1);
    Automation_KeyDown(TS_KEY_ENTER);
    Automation_RunFrames(1);
    EXPECT_EQ(layoutCalls, 2);
}

TEST_F(WindowTest, SystemResizesAreSwallowed) {
    TS_System_SetWindowSize(1280, 720);
    Automation_WindowResized(800, 600);
    Automation_RunFrames(1);
    EXPECT_EQ(TS_System_GetWindowWidth(), 1280);
    EXPECT_EQ(TS_System_GetWindowHeight(), 720);
}

}  // namespace
