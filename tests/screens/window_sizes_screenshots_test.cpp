// Pictures of the game at the window sizes players have (1280 x 720, full HD,
// a 21:9 monitor, 4K, a 4:3 monitor), saved for review in
// build/screenshots/sizes/: the menus, a question, the editor, flight with the
// HUD and the map view. Every shot is also checked for a frame that drew.
#include <gtest/gtest.h>

#include <string>

#include "editor/editor.h"
#include "play/play_fixture.h"
#include "screens/menu_screens.h"

namespace {

struct WindowSize {
    int width;
    int height;
};

const WindowSize kSizes[] = {{1280, 720}, {1920, 1080}, {2560, 1080}, {3840, 2160}, {1024, 768}};

class WindowSizesScreenshotTest : public PlayTest,
                                  public ::testing::WithParamInterface<WindowSize> {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        TS_System_SetWindowSize(GetParam().width, GetParam().height);
        userConfig.fullscreen = false;
        Automation_MouseMove(1, 1);
        Automation_RecordDraws(true);
    }
    void Shoot(const std::string& name) {
        const std::string size =
            std::to_string(GetParam().width) + "x" + std::to_string(GetParam().height);
        const std::string path = ScreenshotPath("sizes_" + name + "_" + size + ".png");
        EXPECT_TRUE(Automation_SaveFrame(path.c_str())) << path;
        EXPECT_EQ(Automation_FailedDrawCount(), 0) << name << ": " << Automation_FirstDrawFailure();
    }
    void ShowAndShoot(const GameState& screen, const std::string& name) {
        Screen_Switch(screen);
        Automation_RunFrames(50);
        Shoot(name);
    }
};

TEST_P(WindowSizesScreenshotTest, MenusQuestionEditorAndFlight) {
    ShowAndShoot(MainMenuScreen, "main_menu");
    // The quit question over the menu, asked by a click on "Quit".
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == "Quit") Click(call.x, call.y);
    }
    Automation_RunFrames(20);
    Shoot("quit_question");
    TapKey(TS_KEY_ESCAPE);
    ShowAndShoot(LevelSelectScreen, "level_select");
    ShowAndShoot(OptionsScreen, "options");
    ShowAndShoot(EditorScreen, "editor");
    Screen_Switch(MainMenuScreen);
    Automation_RunFrames(2);

    StartCampaign(13);  // level_8
    SkipIntro();
    Automation_RunFrames(40);
    Shoot("flight");
    Automation_KeyDown(TS_KEY_M);  // the map shows while M is held
    Automation_RunFrames(60);
    Shoot("map_view");
    Automation_KeyUp(TS_KEY_M);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowSizesScreenshotTest, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<WindowSize>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

}  // namespace
