// The main menu's panning picture covers the whole window for a minute of
// panning after Alt+Enter both ways, and full screen chosen with Alt+Enter is
// kept in user.cfg for the next start (but an unreadable user.cfg is left alone).
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "app/config.h"
#include "app/window.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/menu_background.h"
#include "support/portable.h"

namespace {

class MenuBackgroundTest : public ScreenTest {
protected:
    std::string ConfigPath() const { return SaveFolder() + "user.cfg"; }

    // Sampled rows of column x that are not the black the window is cleared
    // to: where the picture does not reach, every one is black.
    static int LitRows(int x) {
        int lit = 0;
        for (int y = 0; y < TS_System_GetWindowHeight(); y += 8) {
            if (Automation_ReadPixel(x, y) != 0x000000FFu) ++lit;
        }
        return lit;
    }

    // The widest picture drawn last frame spans the window from edge to edge.
    static bool PictureSpansTheWindow(float* left, float* right) {
        const AutomationDrawCall* widest = nullptr;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_IMAGE && (!widest || call.w > widest->w)) widest = &call;
        }
        if (!widest) return false;
        *left = widest->x - widest->w * 0.5f;
        *right = widest->x + widest->w * 0.5f;
        return *left <= 0.0f && *right >= static_cast<float>(TS_System_GetWindowWidth());
    }

    // A minute of panning in tenth-of-a-second frames, both edge columns
    // looked at every half second.
    static void PanAMinuteCoveringTheEdges(const char* after) {
        const int width = TS_System_GetWindowWidth();
        for (int step = 0; step < 120; ++step) {
            Automation_RunFrames(5);
            float left = 0.0f, right = 0.0f;
            ASSERT_TRUE(PictureSpansTheWindow(&left, &right))
                << after << ", " << step * 0.5f << " s: picture from " << left << " to " << right
                << " in a window " << width << " wide";
            ASSERT_GT(LitRows(0), 0) << after << ", " << step * 0.5f << " s: left column black";
            ASSERT_GT(LitRows(width - 1), 0)
                << after << ", " << step * 0.5f << " s: right column black";
        }
    }
};

TEST_F(MenuBackgroundTest, ThePictureCoversTheWindowForAMinuteAfterAltEnterBothWays) {
    // A fresh start in full screen lays the pan out for the display's width.
    TS_System_Fullscreen();
    MenuBackground_Reset();
    Open(MainMenuScreen);
    Automation_SetFrameTime(0.1f);
    Automation_RunFrames(1);
    ASSERT_GT(LitRows(0), 0) << "the picture's own edge is black: the check means nothing";

    AltEnter();
    ASSERT_FALSE(Window_IsFullscreen());
    ASSERT_EQ(TS_System_GetWindowWidth(), 1280);
    PanAMinuteCoveringTheEdges("in a window");
    AltEnter();
    ASSERT_TRUE(Window_IsFullscreen());
    PanAMinuteCoveringTheEdges("back in full screen");
    Automation_SetFrameTime(1.0f / 60.0f);
}

TEST_F(MenuBackgroundTest, AltEnterSavesTheWindowChoiceInTheFourNumbers) {
    Open(MainMenuScreen);
    userConfig.sfxVolume = 70;
    AltEnter();
    EXPECT_EQ(ReadText(ConfigPath()), "1 70 100 2 ");
    AltEnter();
    EXPECT_EQ(ReadText(ConfigPath()), "0 70 100 2 ");
    // The next start reads it back.
    userConfig.fullscreen = true;
    Settings_Read();
    EXPECT_FALSE(userConfig.fullscreen);
}

TEST_F(MenuBackgroundTest, AltEnterLeavesAnUnreadableSettingsFileAlone) {
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));
    ASSERT_EQ(mkdir(ConfigPath().c_str(), 0755), 0);
    testing::internal::CaptureStderr();
    Settings_Read();
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(Settings_ReadError(), EISDIR);
    Open(MainMenuScreen);
    AltEnter();
    EXPECT_TRUE(Window_IsFullscreen());
    struct stat info;
    ASSERT_EQ(stat(ConfigPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

}  // namespace
