// The credits page: 28 lines in their rows and columns, the logo on top, and
// "Back".
#include <gtest/gtest.h>

#include "app/assets.h"
#include "app/config.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"

namespace {

class CreditsTest : public ScreenTest {};

TEST_F(CreditsTest, LinesSitInTheirRowsAndColumns) {
    Open(CreditsScreen);
    std::vector<AutomationDrawCall> lines;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text != "Back") lines.push_back(call);
    }
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines.front().text, "President");
    EXPECT_FLOAT_EQ(lines.front().y, 129.6f);
    EXPECT_FLOAT_EQ(lines.back().y, 691.2f);
    EXPECT_TRUE(DrewTextAt("***  Special Thanks to the TAs  ***", 640, 583.2f));
    for (const AutomationDrawCall& line : lines) {
        EXPECT_FLOAT_EQ(line.textSize, 20.0f);
        EXPECT_EQ(line.fill.r, 255);
        if (line.alignH == TS_ALIGN_RIGHT) {
            EXPECT_FLOAT_EQ(line.x, 614.4f) << line.text;
        } else if (line.alignH == TS_ALIGN_LEFT) {
            EXPECT_FLOAT_EQ(line.x, 640.0f) << line.text;
        } else {
            EXPECT_FLOAT_EQ(line.x, 640.0f) << line.text;
        }
    }
    const std::vector<AutomationDrawCall> headings = Texts("Programmers");
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_EQ(headings[0].alignH, TS_ALIGN_RIGHT);
    EXPECT_FLOAT_EQ(headings[0].y, 108.0f + 21.6f * 10.0f);
    // The logo is drawn last, over everything.
    const AutomationDrawCall& logo = Automation_DrawCalls().back();
    EXPECT_EQ(logo.kind, DRAW_IMAGE);
    EXPECT_EQ(logo.image, GetSpriteImage(SPRITE_STUDIO_WHITE));
    EXPECT_FLOAT_EQ(logo.x, 640.0f);
    EXPECT_FLOAT_EQ(logo.y, 57.6f);
    EXPECT_EQ(logo.alpha, 235);
}

TEST_F(CreditsTest, SchemeKeysSelectAndPressBack) {
    userConfig.controlScheme = 0;  // WAD
    Open(CreditsScreen);
    TapKey(TS_KEY_D);
    TapKey(TS_KEY_W);
    EXPECT_EQ(Current(), "MainMenu");
}

TEST_F(CreditsTest, BackByMouse) {
    Open(CreditsScreen);
    Click(1088, 612);
    EXPECT_EQ(Current(), "MainMenu");
}

}  // namespace
