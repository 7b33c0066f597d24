// Buttons and button lists: the strict hit test, the hover look, and menu
// navigation with each control scheme.
#include <gtest/gtest.h>

#include <string>

#include "app/config.h"
#include "support/headless.h"
#include "ui/button.h"

namespace {

Button* buttons[3] = {};
ButtonList* list = nullptr;
Button* activated = nullptr;
int activations = 0;

void ListFrame() {
    Button* pressed = ButtonList_Update(list);
    if (pressed) {
        activated = pressed;
        ++activations;
    }
    ButtonList_Draw(list);
}

class ButtonTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = Button_Create(TS_Vector_Set(200.0f + 200.0f * i, 300.0f));
        }
        list = ButtonList_Create(buttons, 3);
        activated = nullptr;
        activations = 0;
        Automation_MouseMove(5.0f, 5.0f);
        TS_Engine_SetNextGameState(nullptr, ListFrame, nullptr);
        Automation_RunFrames(1);
    }
    void TearDown() override {
        ButtonList_Free(list);
        for (Button*& button : buttons) {
            Button_Free(button);
            button = nullptr;
        }
        HeadlessTest::TearDown();
    }

    // The rectangle drawn last frame around (x, y), if any.
    static const AutomationDrawCall* RectAt(float x, float y) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_RECT && call.x == x && call.y == y) return &call;
        }
        return nullptr;
    }
};

TEST_F(ButtonTest, NewButtonHasTheStandardLookAndLabel) {
    Button* button = buttons[0];
    EXPECT_STREQ(button->label, "Button");
    EXPECT_FLOAT_EQ(button->size.x, 150.0f);
    EXPECT_FLOAT_EQ(button->size.y, 50.0f);
    EXPECT_FLOAT_EQ(button->textSize, 25.0f);
    EXPECT_EQ(button->styles[1].stroke.r, 250);
    EXPECT_FLOAT_EQ(button->styles[1].scale.x, 1.1f);
    ASSERT_TRUE(Button_SetLabel(button, "Play"));
    EXPECT_STREQ(button->label, "Play");
}

TEST_F(ButtonTest, HitTestIsStrictOnTheBorder) {
    // Button 0 spans x 125..275 and y 275..325.
    const float outside[][2] = {{275, 300}, {125, 300}, {200, 275}, {200, 325}};
    for (const auto& point : outside) {
        Automation_MouseMove(point[0], point[1]);
        Automation_MouseDown(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
        Automation_MouseUp(TS_MOUSE_LEFT);
        EXPECT_EQ(buttons[0]->state, BUTTON_IDLE) << point[0] << ", " << point[1];
        Automation_RunFrames(1);
    }
    EXPECT_EQ(activations, 0);
    Automation_MouseMove(274, 324);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    EXPECT_EQ(activated, buttons[0]);
    EXPECT_EQ(buttons[0]->state, BUTTON_PRESSED);
}

TEST_F(ButtonTest, HoverGrowsTheDrawnButtonButNotItsHitArea) {
    Automation_RecordDraws(true);
    Automation_MouseMove(200, 300);
    Automation_RunFrames(1);
    EXPECT_EQ(buttons[0]->state, BUTTON_HOVER);
    const AutomationDrawCall* rect = RectAt(200, 300);
    ASSERT_NE(rect, nullptr);
    EXPECT_FLOAT_EQ(rect->w, 165.0f);
    EXPECT_FLOAT_EQ(rect->h, 55.0f);
    EXPECT_EQ(rect->stroke.g, 220);
    // Inside the grown drawing but outside the 150 x 50 area: not hovered.
    Automation_MouseMove(278, 300);
    Automation_RunFrames(1);
    EXPECT_EQ(buttons[0]->state, BUTTON_IDLE);
    rect = RectAt(200, 300);
    ASSERT_NE(rect, nullptr);
    EXPECT_FLOAT_EQ(rect->w, 150.0f);
}

struct SchemeKeys {
    const char* name;  // the case's name in test listings
    int scheme;
    int previous;
    int next;
    int activate;
    int notActivate;  // a key that must do nothing in a menu
};

class ButtonSchemeTest : public ButtonTest, public ::testing::WithParamInterface<SchemeKeys> {};

TEST_P(ButtonSchemeTest, SchemeKeysMoveWrapAndActivate) {
    const SchemeKeys keys = GetParam();
    userConfig.controlScheme = keys.scheme;
    TapKey(keys.activate);  // nothing selected yet: no activation
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(list->selected, -1);
    TapKey(keys.next);  // the first key only selects button 0
    EXPECT_EQ(list->selected, 0);
    TapKey(keys.previous);  // wraps to the last
    EXPECT_EQ(list->selected, 2);
    TapKey(keys.next);  // and back to the first
    EXPECT_EQ(list->selected, 0);
    TapKey(keys.next);
    EXPECT_EQ(list->selected, 1);
    TapKey(keys.notActivate);
    EXPECT_EQ(activations, 0);
    Automation_KeyDown(keys.activate);
    Automation_RunFrames(1);
    EXPECT_EQ(activated, buttons[1]);
    EXPECT_EQ(buttons[1]->state, BUTTON_PRESSED);
    EXPECT_EQ(list->selected, 1);
}

const int kW = TS_KEY_W;
const int kD = TS_KEY_D;

INSTANTIATE_TEST_SUITE_P(
    AllSchemes, ButtonSchemeTest,
    ::testing::Values(SchemeKeys{"WAD", 0, TS_KEY_A, kD, kW, TS_KEY_X},
                      // Up, the Arrow scheme's thrust, moves in a menu: Enter accepts.
                      SchemeKeys{"Arrow", 1, TS_KEY_LEFT, TS_KEY_RIGHT, TS_KEY_ENTER, kW},
                      SchemeKeys{"ArrowSpace", 2, TS_KEY_LEFT, TS_KEY_RIGHT, TS_KEY_SPACE, kW},
                      SchemeKeys{"Hybrid", 3, TS_KEY_A, kD, TS_KEY_SPACE, kW},
                      // Arrows, Space and Enter work whatever the scheme.
                      SchemeKeys{"WADWithArrowsAndEnter", 0, TS_KEY_LEFT, TS_KEY_RIGHT,
                                 TS_KEY_ENTER, TS_KEY_X},
                      SchemeKeys{"ArrowWithSpace", 1, TS_KEY_LEFT, TS_KEY_RIGHT, TS_KEY_SPACE, kD}),
    [](const ::testing::TestParamInfo<SchemeKeys>& info) { return std::string(info.param.name); });

TEST_F(ButtonTest, OnlyTheFirstKeyOfAFrameCounts) {
    TapKey(TS_KEY_RIGHT);
    ASSERT_EQ(list->selected, 0);
    Automation_KeyDown(TS_KEY_RIGHT);
    Automation_KeyDown(TS_KEY_LEFT);
    Automation_KeyDown(TS_KEY_ENTER);
    Automation_RunFrames(1);
    EXPECT_EQ(list->selected, 2);  // previous wins; no activation
    EXPECT_EQ(activations, 0);
}

TEST_F(ButtonTest, HoveringClearsTheKeyboardSelection) {
    Automation_RecordDraws(true);
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_RIGHT);
    ASSERT_EQ(list->selected, 1);
    // The selected button is drawn in the hover look.
    const AutomationDrawCall* rect = RectAt(400, 300);
    ASSERT_NE(rect, nullptr);
    EXPECT_FLOAT_EQ(rect->w, 165.0f);
    Automation_MouseMove(600, 300);
    Automation_RunFrames(1);
    EXPECT_EQ(list->selected, -1);
    // Keys are not read while the mouse is over a button.
    TapKey(TS_KEY_ENTER);
    EXPECT_EQ(activations, 0);
    Automation_MouseMove(5, 5);
    Automation_RunFrames(1);
    TapKey(TS_KEY_RIGHT);
    EXPECT_EQ(list->selected, 0);
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicksButNotTheKeyboard) {
    Automation_RecordDraws(true);
    buttons[0]->enabled = false;
    Click(200, 300);
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(buttons[0]->state, BUTTON_DISABLED);
    const AutomationDrawCall* rect = RectAt(200, 300);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->fill.r, 54);
    EXPECT_EQ(rect->stroke.r, 128);
    Automation_MouseMove(5, 5);
    TapKey(TS_KEY_RIGHT);
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(1);
    EXPECT_EQ(activated, buttons[0]);
    EXPECT_EQ(buttons[0]->state, BUTTON_PRESSED);
}

TEST_F(ButtonTest, AltEnterIsNotAButtonPress) {
    TapKey(TS_KEY_RIGHT);
    Automation_KeyDown(TS_KEY_LEFT_ALT);
    TapKey(TS_KEY_ENTER);
    EXPECT_EQ(activations, 0);
    Automation_KeyUp(TS_KEY_LEFT_ALT);
    TapKey(TS_KEY_ENTER);
    EXPECT_EQ(activations, 1);
}

}  // namespace
