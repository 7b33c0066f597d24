// Screens switch by name and report how they ended; the game's tables say
// which screen each name is and where each ending leads.
#include <gtest/gtest.h>

#include <string>

#include "app/screens.h"
#include "game/game.h"
#include "support/headless.h"

namespace {

int stubUpdates = 0;
void StubUpdate(void) { ++stubUpdates; }
void Nothing(void) {}
const GameState StubScreen = {Nothing, StubUpdate, Nothing, "Stub"};

class ScreenSwitchTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        stubUpdates = 0;
    }
    void TearDown() override {
        Game_DefineScreens();  // the stub must not outlive the test
        HeadlessTest::TearDown();
    }
};

TEST_F(ScreenSwitchTest, ANameRunsTheScreenDefinedForIt) {
    Screen_Define(Screen::Credits, &StubScreen);
    Screen_Switch(Screen::Credits);
    Automation_RunFrames(2);
    EXPECT_EQ(Screen_CurrentName(), std::string("Stub"));
    EXPECT_GT(stubUpdates, 0);
}

TEST_F(ScreenSwitchTest, AnUndefinedNameLeavesTheCurrentScreenRunning) {
    Screen_Switch(StubScreen);
    Automation_RunFrames(1);
    Screen_Define(Screen::Credits, nullptr);
    Screen_Switch(Screen::Credits);
    Automation_RunFrames(1);
    EXPECT_EQ(Screen_CurrentName(), std::string("Stub"));
}

TEST_F(ScreenSwitchTest, TheGameDefinesEveryName) {
    for (int i = 0; i < static_cast<int>(Screen::Count); ++i) {
        Screen_Switch(StubScreen);
        Automation_RunFrames(1);
        Screen_Switch(static_cast<Screen>(i));
        Automation_RunFrames(1);
        EXPECT_NE(Screen_CurrentName(), std::string("Stub")) << "screen name " << i;
    }
}

// Screens report how they ended; the game's one map of routes decides the
// next screen.
TEST_F(ScreenSwitchTest, EndingsLeadWhereTheGameRoutesThem) {
    EXPECT_EQ(Screen_RouteOf(Screen::Startup, ScreenResult::Done), Screen::Splash);
    EXPECT_EQ(Screen_RouteOf(Screen::Splash, ScreenResult::Done), Screen::MenuMusic);
    EXPECT_EQ(Screen_RouteOf(Screen::MenuMusic, ScreenResult::Done), Screen::MainMenu);
    EXPECT_EQ(Screen_RouteOf(Screen::MainMenu, ScreenResult::OpenEditor), Screen::Editor);
    EXPECT_EQ(Screen_RouteOf(Screen::LevelSelect, ScreenResult::PlayCustomLevel),
              Screen::CustomLevel);
    // Every screen but the main menu and the start has a way back; a game
    // left starts the menu theme again on the way.
    for (Screen menu :
         {Screen::Options, Screen::Help, Screen::Credits, Screen::LevelSelect, Screen::Editor}) {
        EXPECT_EQ(Screen_RouteOf(menu, ScreenResult::Back), Screen::MainMenu)
            << "screen " << static_cast<int>(menu);
    }
    for (Screen game : {Screen::Campaign, Screen::CustomLevel}) {
        EXPECT_EQ(Screen_RouteOf(game, ScreenResult::Back), Screen::MenuMusic);
    }
    EXPECT_EQ(Screen_RouteOf(Screen::MainMenu, ScreenResult::Back), Screen::Count);
    EXPECT_EQ(Screen_RouteOf(Screen::Count, ScreenResult::Back), Screen::Count);
    EXPECT_EQ(Screen_RouteOf(Screen::Credits, ScreenResult::Count), Screen::Count);
}

int finishes = 0;
void FinishOnce(void) {
    if (finishes++ == 0) Screen_Finish(ScreenResult::Back);
}
void StrangerFinishes(void) { Screen_Finish(ScreenResult::Back); }
const GameState FinishingScreen = {Nothing, FinishOnce, Nothing, "Finishing"};

TEST_F(ScreenSwitchTest, AFinishedScreenGoesWhereItsRouteLeads) {
    finishes = 0;
    Screen_Define(Screen::Credits, &FinishingScreen);
    Screen_Switch(Screen::Credits);
    Automation_RunFrames(3);
    EXPECT_EQ(Screen_CurrentName(), std::string("MainMenu"));

    // A screen the game does not know (or an ending with no route) stays.
    const GameState stranger = {Nothing, StrangerFinishes, Nothing, "Stranger"};
    Screen_Switch(stranger);
    Automation_RunFrames(3);
    EXPECT_EQ(Screen_CurrentName(), std::string("Stranger"));
}

}  // namespace
