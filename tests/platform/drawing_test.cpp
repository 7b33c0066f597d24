// Drawing: the record of calls, real pixels, alpha clamping and the text cache.
#include <gtest/gtest.h>

#include <string>

#include "support/headless.h"

namespace {

class DrawingTest : public HeadlessTest {};

void DrawHud() {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextSize(20);
    TS_Settings_TextAlignment(TS_ALIGN_RIGHT, TS_ALIGN_BOTTOM);
    TS_Font_DrawText("Time: 1.00s", 1280, 720);
    TS_Font_DrawText("100%", 640, 400);
}

TEST_F(DrawingTest, SameTextAgainRasterisesNothing) {
    DrawHud();
    const long afterFirst = Automation_TextRasterCount();
    for (int i = 0; i < 10; ++i) DrawHud();
    EXPECT_EQ(Automation_TextRasterCount(), afterFirst);
    TS_Settings_TextSize(21);
    TS_Font_DrawText("100%", 0, 0);
    EXPECT_EQ(Automation_TextRasterCount(), afterFirst + 1);
}

TEST_F(DrawingTest, FilledRectLandsWhereAsked) {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(255, 0, 0, 255));
    TS_Graphics_DrawRect(100, 100, 50, 20);
    EXPECT_EQ(Automation_ReadPixel(120, 110), 0xFF0000FFu);
    EXPECT_EQ(Automation_ReadPixel(160, 110), 0x000000FFu);
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Fill(TS_Color_Create(0, 255, 0, 255));
    TS_Graphics_DrawRect(400, 400, 20, 20);
    EXPECT_EQ(Automation_ReadPixel(395, 395), 0x00FF00FFu);
    EXPECT_EQ(Automation_ReadPixel(380, 380), 0x000000FFu);
}

TEST_F(DrawingTest, RecordedCallsCarryTheSettings) {
    Automation_RecordDraws(true);
    TS_Settings_Fill(TS_Color_Create(4, 152, 29, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Graphics_DrawRect(590, 400, 100, 20);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(15);
    TS_Font_DrawText("X", 57.6f, 698.4f);
    const auto& calls = Automation_DrawCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DRAW_RECT);
    EXPECT_EQ(calls[0].fill.g, 152);
    EXPECT_EQ(calls[0].mode, TS_MODE_CORNER);
    EXPECT_FLOAT_EQ(calls[0].w, 100);
    EXPECT_EQ(calls[1].kind, DRAW_TEXT);
    EXPECT_EQ(calls[1].text, "X");
    EXPECT_FLOAT_EQ(calls[1].textSize, 15);
    EXPECT_EQ(calls[1].alignH, TS_ALIGN_CENTER);
}

TEST_F(DrawingTest, AlphaOutsideTheRangeIsClampedNotWrapped) {
    TS_Image image = TS_Image_Load("./Assets/Sprites/error.png");
    ASSERT_NE(image, nullptr);
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Image_Draw(image, 0, 0, 64, 64, -3);  // a frame past the fade-out
    EXPECT_EQ(Automation_ReadPixel(10, 10), 0x000000FFu);
    TS_Image_Draw(image, 0, 0, 64, 64, 258);  // a frame past the fade-in
    EXPECT_NE(Automation_ReadPixel(10, 10), 0x000000FFu);
    TS_Image_Draw(nullptr, 0, 0, 10, 10, 255);  // drawing nothing is fine
    TS_Image_Free(&image);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(TS_Image_Load("./Assets/Sprites/none.png"), nullptr);
}

// A picture whose renderer is gone (the framework restarted under it) must
// never reach SDL: it is counted as a failed draw, leaves the frame alone, and
// can still be freed.
TEST_F(DrawingTest, ImageOfAGoneRendererIsCountedAsFailedNotDrawn) {
    TS_Image image = TS_Image_Load("./Assets/Sprites/asteroid.png");
    ASSERT_NE(image, nullptr);
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(image, 0, 0, 100, 100, 255);
    TS_Font_DrawText("drawn", 200, 200);
    EXPECT_EQ(Automation_FailedDrawCount(), 0);
    EXPECT_STREQ(Automation_FirstDrawFailure(), "");

    Automation_Stop();
    Automation_Start();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(image, 0, 0, 100, 100, 255);
    TS_Image_DrawAdvanced(image, 0, 0, 100, 100, 255, 30.0f);
    EXPECT_EQ(Automation_FailedDrawCount(), 2);
    EXPECT_NE(std::string(Automation_FirstDrawFailure()), "");
    EXPECT_EQ(Automation_ReadPixel(50, 50), 0x000000FFu);
    TS_Image_Free(&image);
    EXPECT_EQ(image, nullptr);
}

int releasedImages = 0;
TS_Image heldImage = nullptr;

void ReleaseHeldImage(void) {
    if (!heldImage) return;
    TS_Image_Free(&heldImage);
    ++releasedImages;
}

// A cache registered for shutdown is emptied once per shutdown, however often
// it registered, while the renderer is still there, and again after a restart.
TEST_F(DrawingTest, ShutdownEmptiesRegisteredCachesOnce) {
    releasedImages = 0;
    heldImage = TS_Image_Load("./Assets/Sprites/asteroid.png");
    ASSERT_NE(heldImage, nullptr);
    TS_System_OnShutdown(ReleaseHeldImage);
    TS_System_OnShutdown(ReleaseHeldImage);
    Automation_Stop();
    EXPECT_EQ(heldImage, nullptr);
    EXPECT_EQ(releasedImages, 1);

    Automation_Start();
    heldImage = TS_Image_Load("./Assets/Sprites/asteroid.png");
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(heldImage, 0, 0, 100, 100, 255);
    EXPECT_EQ(Automation_FailedDrawCount(), 0);
    Automation_Stop();
    EXPECT_EQ(releasedImages, 2);
    EXPECT_EQ(Automation_FailedDrawCount(), 0);  // the restart starts from zero
    Automation_Start();
}

}  // namespace
