// Screens ask for the next one by name; the game's table says which screen
// each name is.
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

}  // namespace
