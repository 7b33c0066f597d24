// Popups fit their texts: a message that fits is drawn as written in a panel
// of the size asked for; a longer one wraps, and a panel too short for its
// lines grows within the window and shrinks back for a shorter message.
#include <string>

#include "support/headless.h"
#include "support/text_fit_check.h"
#include "ui/popup.h"

namespace {

class PopupFitTest : public HeadlessTest {
protected:
    Popup* popup = nullptr;

    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        popup =
            Popup_CreateQuestion("Question", "", {"Yes", nullptr, false}, {"No", nullptr, false});
        ASSERT_NE(popup, nullptr);
        Popup_Open(popup);
    }
    void TearDown() override {
        Popup_Free(popup);
        HeadlessTest::TearDown();
    }
    // Draws the popup alone in a frame and checks it.
    std::string Check() {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        Automation_ClearDrawCalls();
        Popup_Draw(popup);
        return TextFitCheck_Report(TextFitCheck_Frame("popup"));
    }
    static std::string Words(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += (i ? " " : "") + std::string("asteroid");
        return text;
    }
};

TEST_F(PopupFitTest, AMessageThatFitsIsDrawnAsWrittenInThePanelAskedFor) {
    ASSERT_TRUE(Popup_SetMessage(popup, "Do you want to overwrite it?\nThe old file goes."));
    EXPECT_STREQ(popup->shownMessage, popup->message);
    EXPECT_EQ(popup->size.y, 200.0f);
    EXPECT_EQ(Check(), "");
}

TEST_F(PopupFitTest, APanelTooShortGrowsWithinTheWindowAndShrinksBack) {
    const float buttonFromBottom =
        popup->position.y + popup->size.y * 0.5f - popup->buttons[0]->position.y;
    ASSERT_TRUE(Popup_SetMessage(popup, Words(60).c_str()));
    EXPECT_GT(popup->size.y, 200.0f);
    EXPECT_FLOAT_EQ(popup->position.y + popup->size.y * 0.5f - popup->buttons[0]->position.y,
                    buttonFromBottom);
    EXPECT_EQ(Check(), "");

    // Far more than the window holds: the panel stops at the window's height.
    ASSERT_TRUE(Popup_SetMessage(popup, Words(600).c_str()));
    EXPECT_LE(popup->size.y, 720.0f);
    EXPECT_GE(popup->position.y - popup->size.y * 0.5f, 0.0f);

    ASSERT_TRUE(Popup_SetMessage(popup, "Sure?"));
    EXPECT_EQ(popup->size.y, 200.0f);
    EXPECT_FLOAT_EQ(popup->position.y + popup->size.y * 0.5f - popup->buttons[0]->position.y,
                    buttonFromBottom);
}

TEST_F(PopupFitTest, ATitleTooLongLosesItsMiddle) {
    const std::string title = "/home/ann/" + Words(20) + "/my_level.vexl";
    ASSERT_TRUE(Popup_SetTitle(popup, title.c_str()));
    const std::string shown = popup->shownTitle;
    EXPECT_NE(shown.find("\xE2\x80\xA6"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 13), "my_level.vexl") << shown;
    EXPECT_EQ(Check(), "");
}

}  // namespace
