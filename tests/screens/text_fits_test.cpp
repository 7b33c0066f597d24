// Every text of the menu screens inside its button, its popup and the window,
// at the window's usual size and at full HD, and the checker catching a text
// that does not fit on a real screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/config.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "support/text_fit_check.h"
#include "ui/help_page.h"

namespace {

struct WindowSize {
    int width, height;
};

class TextFitsTest : public ScreenTest, public ::testing::WithParamInterface<WindowSize> {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        TS_System_SetWindowSize(GetParam().width, GetParam().height);
        Help_UseAsScreen();
    }
    // Shows the screen for a moment (its demos and fades under way) and
    // checks the last frame.
    static std::vector<std::string> Check(const GameState& screen, const char* stop) {
        Screen_Switch(screen);
        Automation_RunFrames(30);
        const std::string shot =
            std::string(stop) + " " + std::to_string(TS_System_GetWindowWidth());
        TextFitCheck_SaveFrame(shot.c_str());
        return TextFitCheck_Frame(stop);
    }
};

TEST_P(TextFitsTest, MenuScreens) {
    EXPECT_EQ(TextFitCheck_Report(Check(MainMenuScreen, "main menu")), "");
    EXPECT_EQ(TextFitCheck_Report(Check(LevelSelectScreen, "level select")), "");
    EXPECT_EQ(TextFitCheck_Report(Check(HelpScreen, "help")), "");
    EXPECT_EQ(TextFitCheck_Report(Check(CreditsScreen, "credits")), "");
    EXPECT_EQ(TextFitCheck_Report(Check(ControlsScreen, "controls")), "");
}

TEST_P(TextFitsTest, OptionsInEveryControlScheme) {
    for (int scheme = 0; scheme < CONTROL_SCHEME_COUNT; ++scheme) {
        userConfig.controlScheme = scheme;
        const std::string stop = "options (scheme " + std::to_string(scheme) + ")";
        EXPECT_EQ(TextFitCheck_Report(Check(OptionsScreen, stop.c_str())), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TextFitsTest,
                         ::testing::Values(WindowSize{1280, 720}, WindowSize{1920, 1080}),
                         [](const ::testing::TestParamInfo<WindowSize>& size) {
                             return std::to_string(size.param.width) + "x" +
                                    std::to_string(size.param.height);
                         });

}  // namespace
