// Popups: the button row, dragging by the title bar within the window, the
// modal step, message lines and resizing.
#include <gtest/gtest.h>

#include <string>

#include "support/headless.h"
#include "ui/popup.h"

namespace {

Popup* popup = nullptr;
Button* lastPressed = nullptr;
int callbackCalls = 0;

void RecordChoice(Popup* which, Button* pressed) {
    lastPressed = pressed;
    ++callbackCalls;
    which->open = false;
}

void PopupFrame() {
    Popup_Update(popup);
    Popup_Draw(popup);
}

class PopupTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        lastPressed = nullptr;
        callbackCalls = 0;
    }
    void TearDown() override {
        Popup_Free(popup);
        popup = nullptr;
        HeadlessTest::TearDown();
    }
    void Open(const char* message, size_t buttons) {
        popup = Popup_Create("Title", message, buttons, RecordChoice);
        ASSERT_NE(popup, nullptr);
        Automation_MouseMove(5, 5);
        TS_Engine_SetNextGameState(nullptr, PopupFrame, nullptr);
        Automation_RunFrames(1);
    }
    static float TextY(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) return call.y;
        }
        return -1.0f;
    }
};

TEST_F(PopupTest, DefaultButtonsSitCentredBelowTheMiddle) {
    Open("Hello", 2);
    EXPECT_FLOAT_EQ(popup->position.x, 640.0f);
    EXPECT_FLOAT_EQ(popup->position.y, 360.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.x, 545.0f);
    EXPECT_FLOAT_EQ(popup->buttons[1]->position.x, 735.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.y, 410.0f);
    Popup_Free(popup);
    popup = Popup_Create("Title", "One", 1, RecordChoice);
    ASSERT_NE(popup, nullptr);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.x, 640.0f);
}

TEST_F(PopupTest, PlaceButtonKeepsButtonsInsideThePanel) {
    Open("Hello", 2);
    Popup_PlaceButton(popup, 0, TS_Vector_Set(-1000.0f, 1000.0f));
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.x, 640.0f - 250.0f + 75.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.y, 360.0f + 100.0f - 25.0f);
    Popup_PlaceButton(popup, 7, TS_Vector_Zero());  // no such button: nothing happens
}

TEST_F(PopupTest, DraggingStopsAtTheWindowEdgeAndButtonsFollow) {
    Open("Hello", 2);
    Automation_MouseMove(640, 280);  // the title bar
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_TRUE(popup->dragHandle->dragging);
    Automation_MouseMove(60, 200);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(popup->position.x, 250.0f);  // half its width from the edge
    EXPECT_FLOAT_EQ(popup->position.y, 280.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.x, 155.0f);
    EXPECT_FLOAT_EQ(popup->buttons[1]->position.x, 345.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.y, 330.0f);
    EXPECT_FLOAT_EQ(popup->dragHandle->position.y, 200.0f);
    // Keys are ignored while dragging.
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_ENTER);
    EXPECT_EQ(callbackCalls, 0);
    Automation_MouseMove(60, 1000);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(popup->position.y, 280.0f - 0.0f);  // outside the window: the drag ends
    EXPECT_FALSE(popup->dragHandle->dragging);
}

TEST_F(PopupTest, PressOnThePanelBelowTheTitleBarDoesNotDrag) {
    Open("Hello", 2);
    Automation_MouseMove(640, 330);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseMove(300, 330);
    Automation_RunFrames(1);
    EXPECT_FALSE(popup->dragHandle->dragging);
    EXPECT_FLOAT_EQ(popup->position.x, 640.0f);
}

TEST_F(PopupTest, KeyboardAndMouseRunTheCallbackWithThePressedButton) {
    Open("Hello", 2);
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_RIGHT);
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(1);
    EXPECT_EQ(lastPressed, popup->buttons[1]);
    EXPECT_FALSE(popup->open);
    Automation_KeyUp(TS_KEY_SPACE);
    popup->open = true;
    Click(545, 410);
    EXPECT_EQ(lastPressed, popup->buttons[0]);
    EXPECT_EQ(callbackCalls, 2);
}

TEST_F(PopupTest, MessageLinesAreCentredSeventeenPixelsApart) {
    Automation_RecordDraws(true);
    Open("first line\nsecond line", 2);
    Automation_RunFrames(1);
    const float first = TextY("first line");
    const float second = TextY("second line");
    EXPECT_FLOAT_EQ(second - first, 17.0f);
    // The pair is centred between the title bar (ends at 300) and the buttons (start at 385).
    EXPECT_FLOAT_EQ((first + second) * 0.5f, (300.0f + 385.0f) * 0.5f);
    EXPECT_FLOAT_EQ(TextY("Title"), 280.0f);
}

TEST_F(PopupTest, ResizeIsClampedToTheDisplayAndRelaysTheButtons) {
    TS_System_Fullscreen();
    Open("Hello", 2);
    Popup_Resize(popup, TS_Vector_Set(5000.0f, 300.0f));
    // The 1920 x 1080 display in layout units.
    const float scale = TS_System_GetLayoutScale();
    EXPECT_FLOAT_EQ(popup->size.x, static_cast<float>(TS_System_GetDisplayWidth()) / scale);
    EXPECT_FLOAT_EQ(popup->size.x, 1280.0f);
    EXPECT_FLOAT_EQ(popup->size.y, 300.0f);
    EXPECT_FLOAT_EQ(popup->position.x, 640.0f);
    EXPECT_FLOAT_EQ(popup->buttons[0]->position.y, 360.0f + 75.0f);
    EXPECT_FLOAT_EQ(popup->dragHandle->size.x, 1280.0f);
    Popup_Resize(popup, TS_Vector_Set(400.0f, 5000.0f));
    EXPECT_FLOAT_EQ(popup->size.y, static_cast<float>(TS_System_GetDisplayHeight()) / scale);
}

TEST_F(PopupTest, ClosedPopupNeitherReactsNorDraws) {
    Automation_RecordDraws(true);
    Open("Hidden", 1);
    popup->open = false;
    Click(640, 410);
    EXPECT_EQ(callbackCalls, 0);
    EXPECT_LT(TextY("Hidden"), 0.0f);
}

TEST_F(PopupTest, DimOverlayCoversTheWindow) {
    Automation_RecordDraws(true);
    TS_Engine_SetNextGameState(nullptr, DrawDimOverlay, nullptr);
    Automation_RunFrames(1);
    ASSERT_FALSE(Automation_DrawCalls().empty());
    const AutomationDrawCall& call = Automation_DrawCalls().back();
    EXPECT_EQ(call.kind, DRAW_RECT);
    EXPECT_EQ(call.mode, TS_MODE_CORNER);
    EXPECT_FLOAT_EQ(call.w, 1280.0f);
    EXPECT_FLOAT_EQ(call.h, 720.0f);
    EXPECT_EQ(call.fill.a, 150);
    EXPECT_FALSE(call.stroked);
}

}  // namespace
