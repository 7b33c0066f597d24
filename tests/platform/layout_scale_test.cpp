// The layout scale: every window shows the 1280 x 720 design stretched evenly,
// composed in layout units, drawn sharp in real pixels, and the mouse read
// back in the same units.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/headless.h"

namespace {

class LayoutScaleTest : public HeadlessTest {
protected:
    static void Window(int width, int height) {
        TS_System_SetWindowSize(width, height);
        TS_Settings_ResetMatrix();
    }
    static bool Red(int x, int y) { return Automation_ReadPixel(x, y) == 0xFF0000FFu; }
    static void Clear() { TS_Settings_Background(TS_Color_Create(0, 0, 0, 255)); }
    static void RedBoxes() {
        TS_Settings_RectMode(TS_MODE_CORNER);
        TS_Settings_NoStroke();
        TS_Settings_Fill(TS_Color_Create(255, 0, 0, 255));
    }
};

struct WindowCase {
    int width, height;
    float scale;
    int layoutWidth, layoutHeight;
};

TEST_F(LayoutScaleTest, TheDesignFillsEveryWindowEvenlyAndCoversItWhole) {
    const WindowCase cases[] = {
        {1280, 720, 1.0f, 1280, 720},
        {1920, 1080, 1.5f, 1280, 720},
        {2560, 1080, 1.5f, 1707, 720},
        {1920, 1200, 1.5f, 1280, 800},
        {3840, 2160, 3.0f, 1280, 720},
        {1024, 768, 0.8f, 1280, 960},
        {640, 360, 0.5f, 1280, 720},
        {2560, 1440, 2.0f, 1280, 720},
        {1366, 768, 768.0f / 720.0f, 1281, 720},
    };
    for (const WindowCase& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height);
        Window(c.width, c.height);
        EXPECT_FLOAT_EQ(TS_System_GetLayoutScale(), c.scale) << name;
        EXPECT_EQ(TS_System_GetWindowWidth(), c.layoutWidth) << name;
        EXPECT_EQ(TS_System_GetWindowHeight(), c.layoutHeight) << name;
        EXPECT_EQ(TS_System_GetWindowPixelWidth(), c.width) << name;
        EXPECT_EQ(TS_System_GetWindowPixelHeight(), c.height) << name;
        // The layout covers the window, and by less than a unit too much.
        const float s = TS_System_GetLayoutScale();
        EXPECT_GE(static_cast<float>(c.layoutWidth) * s, static_cast<float>(c.width) - 1e-3f);
        EXPECT_LT(static_cast<float>(c.layoutWidth - 1) * s, static_cast<float>(c.width));
        EXPECT_GE(static_cast<float>(c.layoutHeight) * s, static_cast<float>(c.height) - 1e-3f);
    }
    // Full screen on the headless 1920 x 1080 display is 1280 x 720 units.
    TS_System_Fullscreen();
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), TS_System_GetDisplayWidth());
    EXPECT_EQ(TS_System_GetWindowWidth(), 1280);
    EXPECT_EQ(TS_System_GetWindowHeight(), 720);
}

TEST_F(LayoutScaleTest, ABoxCoversTheSamePartOfTheWindowAtAnySize) {
    for (const WindowCase& c :
         {WindowCase{1920, 1080, 1.5f, 0, 0}, WindowCase{3840, 2160, 3.0f, 0, 0}}) {
        Window(c.width, c.height);
        Clear();
        RedBoxes();
        TS_Graphics_DrawRect(100, 100, 200, 50);         // units: 100..300 x 100..150
        const int s = static_cast<int>(c.scale * 2.0f);  // twice the scale, whole
        const int left = 100 * s / 2, right = 300 * s / 2, top = 100 * s / 2, bottom = 150 * s / 2;
        EXPECT_TRUE(Red(left, top) && Red(right - 1, bottom - 1)) << c.width;
        EXPECT_FALSE(Red(left - 1, top)) << c.width;
        EXPECT_FALSE(Red(right, top)) << c.width;
        EXPECT_FALSE(Red(left, top - 1)) << c.width;
        EXPECT_FALSE(Red(left, bottom)) << c.width;
    }
}

TEST_F(LayoutScaleTest, OutlinesAndHairlinesKeepTheirWidthAndBoxesMeetWithoutGaps) {
    // An outline is two units wide: three pixels at 1.5.
    Window(1920, 1080);
    Clear();
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoFill();
    TS_Settings_Stroke(TS_Color_Create(255, 0, 0, 255));
    TS_Graphics_DrawRect(100, 100, 100, 100);
    int band = 0;
    for (int x = 140; x < 160; ++x) band += Red(x, 225) ? 1 : 0;
    EXPECT_EQ(band, 3);

    // Boxes edge to edge at third-unit positions leave no column uncovered,
    // and a one-unit rule still shows in a half-size window.
    for (const WindowCase& c :
         {WindowCase{2560, 1080, 1.5f, 0, 0}, WindowCase{640, 360, 0.5f, 0, 0},
          WindowCase{1024, 768, 0.8f, 0, 0}}) {
        Window(c.width, c.height);
        Clear();
        RedBoxes();
        for (int i = 0; i < 30; ++i) {
            TS_Graphics_DrawRect(10.0f + 7.0f / 3.0f * static_cast<float>(i), 50, 7.0f / 3.0f, 20);
        }
        const int y = static_cast<int>(60.0f * c.scale);
        const int from = static_cast<int>(std::ceil(10.0f * c.scale));
        const int to = static_cast<int>(80.0f * c.scale);
        for (int x = from; x < to; ++x) ASSERT_TRUE(Red(x, y)) << c.width << ": column " << x;
        Clear();
        TS_Graphics_DrawRect(300, 20, 1, 200);
        int lit = 0;
        for (int x = static_cast<int>(298 * c.scale); x < static_cast<int>(303 * c.scale); ++x) {
            lit += Red(x, static_cast<int>(100 * c.scale)) ? 1 : 0;
        }
        EXPECT_GE(lit, 1) << c.width;
    }
}

// The number of pixels in a row of the letter's strokes that are neither
// background nor ink: a sharp glyph has one at each edge of a stroke, a small
// glyph stretched has several.
int BlurredPixels(int y, int from, int to) {
    int blurred = 0;
    for (int x = from; x < to; ++x) {
        const unsigned red = Automation_ReadPixel(x, y) >> 24;
        if (red > 24 && red < 231) ++blurred;
    }
    return blurred;
}

TEST_F(LayoutScaleTest, TextIsRasterisedSharpAtTheRealSizeAndMeasuredInUnits) {
    Window(1280, 720);
    TS_Settings_TextSize(40);
    const float width720 = TS_Font_TextWidth("Level Select");
    Window(3840, 2160);
    TS_Settings_TextSize(40);
    // Measured in units, the text takes the same share of the wider window.
    EXPECT_NEAR(TS_Font_TextWidth("Level Select"), width720, 0.05f * width720);

    Clear();
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_BOTTOM);
    const long rasterised = Automation_TextRasterCount();
    TS_Font_DrawText("H", 100, 200);
    EXPECT_EQ(Automation_TextRasterCount(), rasterised + 1);
    // An "H" 120 pixels high: its two stems have four edges along a row
    // through its lower half.
    const int row = static_cast<int>(185 * 3);
    int ink = 0;
    for (int x = 300; x < 420; ++x) ink += (Automation_ReadPixel(x, row) >> 24) >= 231 ? 1 : 0;
    EXPECT_GE(ink, 16);  // two stems of several pixels each
    // Sharp, each edge has one pixel between; a 40 pixel "H" stretched three
    // times would have a ramp of two or three at each.
    EXPECT_LE(BlurredPixels(row, 300, 420), 6) << "ink " << ink;
}

TEST_F(LayoutScaleTest, TheMouseIsReadInLayoutUnits) {
    Window(1920, 1080);
    Automation_MouseMove(100, 50);
    Automation_RunFrames(1);
    EXPECT_NEAR(TS_Input_GetMouseX(), 100.0f, 1.0f);
    EXPECT_NEAR(TS_Input_GetMouseY(), 50.0f, 1.0f);
    Automation_MouseMove(130, 80);
    Automation_RunFrames(1);
    EXPECT_NEAR(TS_Input_GetMouseDeltaX(), 30.0f, 1.0f);
    EXPECT_NEAR(TS_Input_GetMouseDeltaY(), 30.0f, 1.0f);
}

}  // namespace
