// The screens at other window sizes: the 1280 x 720 design stretched evenly,
// clicks landing on the buttons under the pointer, Level Select centred at
// every shape of window, and flight seeing more to the sides of a wide window
// rather than a closer view.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "world/camera.h"

namespace {

class WindowSizesTest : public ScreenTest {
protected:
    static const AutomationDrawCall* TextCall(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) return &call;
        }
        return nullptr;
    }
    static const AutomationDrawCall* BoxAt(float x, float y) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_RECT && Near(call.x, x) && Near(call.y, y)) return &call;
        }
        return nullptr;
    }
};

TEST_F(WindowSizesTest, AMenuButtonCoversTheSameShareOfAFullHdWindow) {
    Open(MainMenuScreen);
    Automation_RunFrames(1);
    const AutomationDrawCall* play = TextCall("Play");
    ASSERT_NE(play, nullptr);
    const AutomationDrawCall* box720 = BoxAt(play->x, play->y);
    ASSERT_NE(box720, nullptr);
    // A spot inside the box's corner, clear of the label, and one outside it.
    const float insideX = box720->x - box720->w * 0.5f + 4.0f;
    const float insideY = box720->y - box720->h * 0.5f + 4.0f;
    const float outsideX = box720->x - box720->w * 0.5f - 6.0f;
    const unsigned face =
        Automation_ReadPixel(static_cast<int>(insideX), static_cast<int>(insideY));

    TS_System_SetWindowSize(1920, 1080);
    Automation_RunFrames(2);
    const AutomationDrawCall* box1080 = BoxAt(play->x, play->y);
    ASSERT_NE(box1080, nullptr) << "the layout moved in units";
    EXPECT_EQ(box1080->w, box720->w);
    EXPECT_EQ(
        Automation_ReadPixel(static_cast<int>(insideX * 1.5f), static_cast<int>(insideY * 1.5f)),
        face);
    EXPECT_NE(
        Automation_ReadPixel(static_cast<int>(outsideX * 1.5f), static_cast<int>(insideY * 1.5f)),
        face);
}

TEST_F(WindowSizesTest, ClicksHitTheButtonUnderThePointerAtEveryWindowSize) {
    for (const auto& size : {std::pair<int, int>{1920, 1080}, {2560, 1080}, {1024, 768}}) {
        TS_System_SetWindowSize(size.first, size.second);
        Open(MainMenuScreen);
        Automation_RunFrames(1);
        const AutomationDrawCall* options = TextCall("Options");
        ASSERT_NE(options, nullptr);
        Click(options->x, options->y);
        Automation_RunFrames(2);
        EXPECT_EQ(Current(), "Options") << size.first << "x" << size.second;
    }
}

TEST_F(WindowSizesTest, LevelSelectIsCentredAtEveryShapeOfWindow) {
    for (const auto& size :
         {std::pair<int, int>{1280, 720}, {1920, 1080}, {2560, 1080}, {1920, 1200}, {1024, 768}}) {
        TS_System_SetWindowSize(size.first, size.second);
        Open(LevelSelectScreen);
        Automation_RunFrames(1);
        float left = 1e9f, right = -1e9f;
        for (int n = 1; n <= 13; ++n) {
            const AutomationDrawCall* label = TextCall("Level " + std::to_string(n));
            ASSERT_NE(label, nullptr) << n;
            left = std::fmin(left, label->x);
            right = std::fmax(right, label->x);
        }
        const float centre = static_cast<float>(TS_System_GetWindowWidth()) * 0.5f;
        EXPECT_NEAR((left + right) * 0.5f, centre, 0.5f) << size.first << "x" << size.second;
        EXPECT_NEAR(TextCall("Level Select")->x, centre, 0.5f);
        Open(MainMenuScreen);
    }
}

// The width and height of the world a camera at zoom 1 shows.
TS_Vec2 WorldInView() {
    Camera camera = {};
    camera.zoom = 1.0f;
    Camera_UpdateMatrices(&camera);
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const TS_Vec2 a = TS_Vector_MatrixMultiply(camera.screenToWorld, TS_Vec2{0.0f, 0.0f});
    const TS_Vec2 b = TS_Vector_MatrixMultiply(camera.screenToWorld, TS_Vec2{w, h});
    return TS_Vec2{b.x - a.x, a.y - b.y};
}

TEST_F(WindowSizesTest, AWideWindowShowsMoreOfTheLevelToTheSidesAtTheSameZoom) {
    const TS_Vec2 design = WorldInView();
    EXPECT_FLOAT_EQ(design.x, 1280.0f);
    EXPECT_FLOAT_EQ(design.y, 720.0f);
    TS_System_SetWindowSize(3840, 2160);
    const TS_Vec2 big = WorldInView();
    EXPECT_FLOAT_EQ(big.x, 1280.0f);  // the same view, only sharper
    EXPECT_FLOAT_EQ(big.y, 720.0f);
    TS_System_SetWindowSize(2560, 1080);
    const TS_Vec2 wide = WorldInView();
    EXPECT_FLOAT_EQ(wide.y, 720.0f);  // as high as before
    EXPECT_GT(wide.x, 1700.0f);       // and wider, not closer
}

}  // namespace
