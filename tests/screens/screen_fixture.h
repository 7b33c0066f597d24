// A headless test fixture for the menu screens: opens a screen in a
// 1280 x 720 window and reads back what the last frame drew.
#pragma once

#include <string>
#include <vector>

#include "app/config.h"
#include "app/screens.h"
#include "support/headless.h"

class ScreenTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        userConfig.fullscreen = false;
        Automation_RecordDraws(true);
        Automation_MouseMove(1, 1);
    }
    void TearDown() override {
        // Leave the screen so that its exit frees what its init made.
        TS_Engine_SetNextGameState(nullptr, Nothing, nullptr);
        Automation_RunFrames(1);
        HeadlessTest::TearDown();
    }

    static void Open(const GameState& screen) {
        Screen_Switch(screen);
        Automation_RunFrames(1);
    }
    static std::string Current() { return Screen_CurrentName(); }

    // Every text drawn last frame with exactly this content.
    static std::vector<AutomationDrawCall> Texts(const std::string& text) {
        std::vector<AutomationDrawCall> found;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) found.push_back(call);
        }
        return found;
    }
    static bool DrewTextAt(const std::string& text, float x, float y) {
        for (const AutomationDrawCall& call : Texts(text)) {
            if (Near(call.x, x) && Near(call.y, y)) return true;
        }
        return false;
    }
    static bool Near(float a, float b) { return a - b < 0.01f && b - a < 0.01f; }
    static void AltEnter() {
        Automation_KeyDown(TS_KEY_LEFT_ALT);
        Automation_KeyDown(TS_KEY_ENTER);
        Automation_RunFrames(1);
        Automation_KeyUp(TS_KEY_ENTER);
        Automation_KeyUp(TS_KEY_LEFT_ALT);
        Automation_RunFrames(1);
    }

private:
    static void Nothing() {}
};
