// Texts that change every frame (the level clock, the goal's distance) put
// together from cached characters: the same pixels as the whole text, and
// nothing new rasterised once the characters are known.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "support/headless.h"
#include "support/portable.h"

namespace {

class ChangingTextTest : public HeadlessTest {
protected:
    // The pixels of the box (x0, y0)-(x1, y1) after one text draw on a grey frame.
    static std::vector<unsigned> Drawn(void (*draw)(const char*, float, float), const char* text,
                                       float x, float y) {
        TS_Settings_Background(TS_Color_Create(40, 60, 80, 255));
        draw(text, x, y);
        std::vector<unsigned> pixels;
        for (int py = static_cast<int>(y) - 60; py <= static_cast<int>(y) + 60; ++py) {
            for (int px = static_cast<int>(x) - 300; px <= static_cast<int>(x) + 300; ++px) {
                pixels.push_back(Automation_ReadPixel(px, py));
            }
        }
        return pixels;
    }
};

struct Placing {
    float size;
    int alignH;
    int alignV;
    float x, y;
    TS_Color colour;
    const char* format;
};

TEST_F(ChangingTextTest, LandsOnTheWholeTextsPixels) {
    SKIP_ON_WINDOWS("its SDL2_ttf is built without HarfBuzz and lays whole texts out otherwise");
    const Placing placings[] = {
        // The level clock in the window's corner.
        {20.0f,
         TS_ALIGN_RIGHT,
         TS_ALIGN_BOTTOM,
         900.0f,
         500.0f,
         {255, 255, 255, 255},
         "Time: %4.2fs"},
        // The goal's distance beside the compass, between pixels.
        {20.0f, TS_ALIGN_CENTER, TS_ALIGN_MIDDLE, 640.4f, 360.6f, {255, 255, 255, 255}, "%.0fM"},
        {25.0f,
         TS_ALIGN_LEFT,
         TS_ALIGN_MIDDLE,
         300.7f,
         200.2f,
         {250, 235, 215, 180},
         "Time: %4.2fs"},
        {15.0f, TS_ALIGN_CENTER, TS_ALIGN_BOTTOM, 500.5f, 400.5f, {0, 0, 0, 255}, "-%.1f x"},
    };
    for (const Placing& at : placings) {
        TS_Settings_TextSize(at.size);
        TS_Settings_TextAlignment(at.alignH, at.alignV);
        TS_Settings_Fill(at.colour);
        for (double value : {0.0, 1.17, 9.99, 10.0, 47.31, 123.45, 1234.5, 11111.1}) {
            char text[40];
            std::snprintf(text, sizeof text, at.format, value);
            SCOPED_TRACE(testing::Message() << text << " at " << at.size << "px");
            const std::vector<unsigned> whole = Drawn(TS_Font_DrawText, text, at.x, at.y);
            const std::vector<unsigned> pieced = Drawn(TS_Font_DrawChangingText, text, at.x, at.y);
            int differing = 0;
            for (size_t i = 0; i < whole.size(); ++i) differing += whole[i] != pieced[i];
            EXPECT_EQ(differing, 0);
        }
    }
}

// In a full HD window the characters are rasterised at 1.5 times the size and
// still add up to the whole text, pixel for pixel.
TEST_F(ChangingTextTest, LandsOnTheWholeTextsPixelsInAScaledWindow) {
    SKIP_ON_WINDOWS("its SDL2_ttf is built without HarfBuzz and lays whole texts out otherwise");
    TS_System_SetWindowSize(1920, 1080);
    TS_Settings_TextSize(20.0f);
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    for (int alignH : {TS_ALIGN_RIGHT, TS_ALIGN_CENTER}) {
        TS_Settings_TextAlignment(alignH, TS_ALIGN_BOTTOM);
        for (double value : {0.0, 9.99, 47.31, 1234.5}) {
            char text[40];
            std::snprintf(text, sizeof text, "Time: %4.2fs", value);
            SCOPED_TRACE(testing::Message() << text);
            std::vector<unsigned> frames[2];
            int i = 0;
            for (auto draw : {TS_Font_DrawText, TS_Font_DrawChangingText}) {
                TS_Settings_Background(TS_Color_Create(40, 60, 80, 255));
                draw(text, 900.3f, 500.6f);
                for (int py = 700; py <= 760; ++py) {
                    for (int px = 1000; px <= 1500; ++px) {
                        frames[i].push_back(Automation_ReadPixel(px, py));
                    }
                }
                ++i;
            }
            int differing = 0, lit = 0;
            for (size_t k = 0; k < frames[0].size(); ++k) {
                differing += frames[0][k] != frames[1][k];
                lit += frames[0][k] != frames[0][0];
            }
            EXPECT_EQ(differing, 0);
            EXPECT_GT(lit, 100);  // the text is inside the box compared
        }
    }
}

TEST_F(ChangingTextTest, RasterisesEachCharacterOnce) {
    TS_Settings_TextSize(20.0f);
    TS_Settings_TextAlignment(TS_ALIGN_RIGHT, TS_ALIGN_BOTTOM);
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    const long before = Automation_TextRasterCount();
    // A frame apart, as the clock runs: a digit that is not shown for a few
    // frames keeps its place when a new one comes in ("9" only after 0.09 s).
    char text[40];
    for (int hundredths = 0; hundredths < 3000; hundredths += 3) {
        std::snprintf(text, sizeof text, "Time: %4.2fs", hundredths / 100.0);
        TS_Font_DrawChangingText(text, 900.0f, 500.0f);
        Automation_RunFrames(1);
    }
    const long characters = 17;  // "Time:", the ten digits, "." and "s"
    EXPECT_LE(Automation_TextRasterCount() - before, characters);
    // A character outside plain ASCII is drawn as a whole text.
    const long known = Automation_TextRasterCount();
    TS_Font_DrawChangingText("Zeit: 1,5 \xc2\xb5s", 900.0f, 500.0f);
    EXPECT_EQ(Automation_TextRasterCount(), known + 1);
}

}  // namespace
