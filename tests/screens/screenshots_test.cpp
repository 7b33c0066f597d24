// Pictures of the menu screens and the file chooser at 1280 x 720 and at the
// display's full size, saved for review.
#include <gtest/gtest.h>

#include <string>

#include "app/screens.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/file_chooser.h"
#include "ui/help_page.h"

namespace {

class ScreenshotTest : public ScreenTest {
protected:
    // Shows the screen for a moment (so the demos and fades are under way)
    // and saves the frame.
    void Shoot(const GameState& screen, const std::string& name, bool full) {
        if (full) TS_System_Fullscreen();
        else TS_System_SetWindowSize(1280, 720);
        Automation_MouseMove(1, 1);
        Screen_Switch(screen);
        Automation_RunFrames(50);
        const std::string size = full ? "_1920x1080" : "_1280x720";
        EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath(name + size + ".png").c_str()));
        Screen_Switch(MainMenuScreen);
        Automation_RunFrames(1);
    }
};

TEST_F(ScreenshotTest, MenuScreens) {
    Help_UseAsScreen();
    for (bool full : {false, true}) {
        Shoot(MainMenuScreen, "main_menu", full);
        Shoot(OptionsScreen, "options", full);
        Shoot(HelpScreen, "help", full);
        Shoot(CreditsScreen, "credits", full);
    }
}

std::string shotName;

void ShootChooser(int frame) {
    if (frame == 1) Automation_KeyUp(TS_KEY_ESCAPE);  // still held from the last dialog
    if (frame == 4) Automation_KeyDown(TS_KEY_DOWN);
    if (frame == 5) Automation_KeyUp(TS_KEY_DOWN);
    if (frame == 8) {
        for (int key : {TS_KEY_M, TS_KEY_Y}) Automation_KeyDown(key);
    }
    if (frame == 9) {
        for (int key : {TS_KEY_M, TS_KEY_Y}) Automation_KeyUp(key);
    }
    if (frame == 12) Automation_SaveFrame(ScreenshotPath(shotName).c_str());
    if (frame == 13) Automation_KeyDown(TS_KEY_ESCAPE);
}

TEST_F(ScreenshotTest, FileChooser) {
    const std::string levels = SaveFolder() + "levels/";
    Automation_SetModalHook(ShootChooser);
    char path[260];
    EXPECT_FALSE(ChooseLevelFile(path));  // creates the folder
    for (const char* name : {"first flight.vexl", "Asteroid Maze.vexl", "fuel-run.VEXL",
                             "a level with a rather long name that does not fit the row at "
                             "all, really not at all, not even close.vexl"}) {
        WriteText(levels + name, "");
    }
    std::system(("mkdir -p '" + levels + "drafts' '" + levels + "Campaign ideas'").c_str());
    for (bool full : {false, true}) {
        if (full) TS_System_Fullscreen();
        else TS_System_SetWindowSize(1280, 720);
        const std::string size = full ? "_1920x1080" : "_1280x720";
        shotName = "file_chooser_open" + size + ".png";
        Automation_SetModalHook(ShootChooser);
        EXPECT_FALSE(ChooseLevelFile(path));
        shotName = "file_chooser_save" + size + ".png";
        Automation_SetModalHook(ShootChooser);
        EXPECT_FALSE(ChooseSaveLevelFile(path));
    }
    Automation_SetModalHook(nullptr);
}

}  // namespace
