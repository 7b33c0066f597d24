// The main menu: its seven buttons, where each leads, and the quit question.
#include <gtest/gtest.h>

#include <string>

#include "app/assets.h"
#include "app/window.h"
#include "play/campaign_start.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/help_page.h"

namespace {

const char* const kLabels[] = {"Play",         "Level Select", "Options", "Help",
                               "Level Editor", "Credits",      "Quit"};

class MainMenuTest : public ScreenTest {};

TEST_F(MainMenuTest, SevenButtonsInARowAndTheLogo) {
    Open(MainMenuScreen);
    const float xs[] = {139, 306, 473, 640, 807, 974, 1141};
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(DrewTextAt(kLabels[i], xs[i], 558)) << kLabels[i];
    TS_Image logo = GetSpriteImage(SPRITE_LOGO);
    bool logoDrawn = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_IMAGE && call.image == logo) {
            logoDrawn = Near(call.x, 640) && Near(call.y, 306) &&
                        Near(call.w, TS_Image_GetWidth(logo) * 0.75f);
        }
    }
    EXPECT_TRUE(logoDrawn);
}

TEST_F(MainMenuTest, AltEnterLaysTheRowOutForTheFullWindow) {
    Open(MainMenuScreen);
    AltEnter();
    ASSERT_TRUE(Window_IsFullscreen());
    // Full screen on the 1920 x 1080 display is 1280 x 720 layout units:
    // left = (128 + 150) / 2, step = (1152 - 1050) / 6 + 150, y = 720 x 0.775
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), 1920);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(DrewTextAt(kLabels[i], 139.0f + 167.0f * i, 558)) << kLabels[i];
    }
    AltEnter();
    EXPECT_TRUE(DrewTextAt("Quit", 1141, 558));
}

struct Destination {
    int button;
    const char* screen;
};

class MainMenuDestinationTest : public MainMenuTest,
                                public ::testing::WithParamInterface<Destination> {};

TEST_P(MainMenuDestinationTest, EachButtonLeadsToItsScreen) {
    const float xs[] = {139, 306, 473, 640, 807, 974, 1141};
    campaignStartIndex = 7;
    Help_UseAsOverlay();
    Open(MainMenuScreen);
    Click(xs[GetParam().button], 558);
    EXPECT_EQ(Current(), GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MainMenuDestinationTest,
                         ::testing::Values(Destination{1, "LevelSelect"}, Destination{2, "Options"},
                                           Destination{3, "Help"}, Destination{4, "Editor"},
                                           Destination{5, "Credits"}),
                         [](const ::testing::TestParamInfo<Destination>& info) {
                             return std::string(info.param.screen);
                         });

TEST_F(MainMenuTest, PlayStopsTheMenuMusicAndStartsAtTheFirstTutorial) {
    campaignStartIndex = 7;
    Open(MainMenuScreen);
    Automation_ClearSoundLog();
    Automation_MouseMove(139, 558);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_EQ(campaignStartIndex, 0);
    bool stopped = false;
    for (const AutomationSoundEvent& event : Automation_SoundLog()) {
        if (event.kind == SOUND_STOP_GROUP && event.group == 0) stopped = true;
    }
    EXPECT_TRUE(stopped);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_EQ(Current(), "Campaign");
}

TEST_F(MainMenuTest, HelpFromTheMenuIsTheStandalonePage) {
    Help_UseAsOverlay();
    Open(MainMenuScreen);
    Click(640, 558);
    EXPECT_FALSE(Help_IsOverlay());
    EXPECT_EQ(Current(), "Help");
}

TEST_F(MainMenuTest, QuitAsksFirstAndNoReturnsToTheMenu) {
    Open(MainMenuScreen);
    Click(1141, 558);
    EXPECT_EQ(Texts("Are you sure you want to quit?").size(), 1u);
    EXPECT_EQ(Texts("Quit Game").size(), 1u);
    // The menu behind does not react, by mouse or keyboard.
    Click(473, 558);
    EXPECT_EQ(Current(), "MainMenu");
    Automation_MouseMove(1, 1);
    TapKey(TS_KEY_RIGHT);  // "Yes"
    TapKey(TS_KEY_RIGHT);  // "No"
    TapKey(TS_KEY_ENTER);
    EXPECT_TRUE(Texts("Are you sure you want to quit?").empty());
    EXPECT_EQ(Current(), "MainMenu");
    Click(473, 558);
    EXPECT_EQ(Current(), "Options");
}

TEST_F(MainMenuTest, YesFreesTheMenuMusicAndEndsTheGame) {
    GetMusic(SOUND_MENU_MUSIC);
    Open(MainMenuScreen);
    Click(1141, 558);
    // The answer reaches a running frame loop, which then ends.
    Automation_MouseMove(545, 410);
    Automation_MouseDown(TS_MOUSE_LEFT);
    TS_Engine_Run();
    EXPECT_FALSE(TS_Engine_IsRunning());
    EXPECT_EQ(soundCache[SOUND_MENU_MUSIC], nullptr);
    EXPECT_EQ(LayoutHook, nullptr);  // the menu's exit ran
}

}  // namespace
