// Drawing: the record of calls, real pixels, alpha clamping, opaque pictures and
// the text cache.
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

// Small opaque boxes are copied from tiles of their colour: a box bigger than a
// tile, one cut by the window's edge and more colours in a frame than tiles
// kept all cover exactly their own pixels.
TEST_F(DrawingTest, OpaqueBoxesOfAnySizeAndColourCoverExactlyTheirPixels) {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(10, 200, 30, 255));
    TS_Graphics_DrawRect(300, 500, 300, 100);
    TS_Settings_Fill(TS_Color_Create(200, 100, 0, 255));
    TS_Graphics_DrawRect(1000, 680, 300, 60);
    for (int i = 0; i < 12; ++i) {
        TS_Settings_Fill(TS_Color_Create(20 * i, 255 - 20 * i, 7 * i, 255));
        TS_Graphics_DrawRect(20.0f + 40.0f * static_cast<float>(i), 20, 30, 30);
    }
    const unsigned big = 0x0AC81EFFu;
    EXPECT_EQ(Automation_ReadPixel(300, 500), big);
    EXPECT_EQ(Automation_ReadPixel(599, 599), big);
    EXPECT_EQ(Automation_ReadPixel(450, 570), big);
    EXPECT_EQ(Automation_ReadPixel(299, 500), 0x000000FFu);
    EXPECT_EQ(Automation_ReadPixel(300, 499), 0x000000FFu);
    EXPECT_EQ(Automation_ReadPixel(599, 600), 0x000000FFu);
    EXPECT_EQ(Automation_ReadPixel(600, 550), 0x000000FFu);
    EXPECT_EQ(Automation_ReadPixel(1000, 680), 0xC86400FFu);
    EXPECT_EQ(Automation_ReadPixel(1279, 719), 0xC86400FFu);
    for (int i = 0; i < 12; ++i) {
        const unsigned colour = (static_cast<unsigned>(20 * i) << 24) |
                                (static_cast<unsigned>(255 - 20 * i) << 16) |
                                (static_cast<unsigned>(7 * i) << 8) | 0xFFu;
        EXPECT_EQ(Automation_ReadPixel(20 + 40 * i, 20), colour) << i;
        EXPECT_EQ(Automation_ReadPixel(49 + 40 * i, 49), colour) << i;
        EXPECT_EQ(Automation_ReadPixel(50 + 40 * i, 49), 0x000000FFu) << i;
    }
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

// Outlines are a band two pixels wide centred on the edge, over the fill.
TEST_F(DrawingTest, OutlineIsATwoPixelBandOnTheEdge) {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(TS_Color_Create(255, 0, 0, 255));
    TS_Settings_Stroke(TS_Color_Create(0, 255, 0, 255));
    TS_Graphics_DrawRect(100, 100, 50, 20);
    const unsigned black = 0x000000FFu, red = 0xFF0000FFu, green = 0x00FF00FFu;
    EXPECT_EQ(Automation_ReadPixel(98, 110), black);
    EXPECT_EQ(Automation_ReadPixel(99, 110), green);
    EXPECT_EQ(Automation_ReadPixel(100, 110), green);
    EXPECT_EQ(Automation_ReadPixel(101, 110), red);
    EXPECT_EQ(Automation_ReadPixel(148, 110), red);
    EXPECT_EQ(Automation_ReadPixel(150, 110), green);
    EXPECT_EQ(Automation_ReadPixel(151, 110), black);
    EXPECT_EQ(Automation_ReadPixel(99, 99), green);
    EXPECT_EQ(Automation_ReadPixel(150, 120), green);
    EXPECT_EQ(Automation_ReadPixel(98, 98), black);
    EXPECT_EQ(Automation_ReadPixel(125, 121), black);
}

// A see-through outline darkens its corners no more than its sides, and a
// see-through fill lets the frame show through.
TEST_F(DrawingTest, SeeThroughRectanglesBlendOnce) {
    TS_Settings_Background(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoFill();
    TS_Settings_Stroke(TS_Color_Create(0, 0, 0, 150));
    TS_Graphics_DrawRect(100, 100, 50, 20);
    const unsigned side = Automation_ReadPixel(99, 110);
    EXPECT_NE(side, 0xFFFFFFFFu);
    EXPECT_NE(side, 0x000000FFu);
    EXPECT_EQ(Automation_ReadPixel(99, 99), side);
    EXPECT_EQ(Automation_ReadPixel(150, 120), side);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(0, 0, 0, 150));
    TS_Graphics_DrawRect(300, 300, 20, 20);
    EXPECT_EQ(Automation_ReadPixel(310, 310), side);
}

// Opaque pictures are copied without blending, but a faded one still lets
// the frame through, and a picture with see-through pixels keeps them.
TEST_F(DrawingTest, OpaquePicturesStillFadeAndCutOutsStayCut) {
    TS_Image opaque = TS_Image_Load("./Assets/Sprites/error.png");
    TS_Image cutOut = TS_Image_Load("./Assets/Sprites/placeholder.png");
    ASSERT_NE(opaque, nullptr);
    ASSERT_NE(cutOut, nullptr);
    TS_Settings_ImageMode(TS_MODE_CORNER);
    unsigned faded[2], whole[2], corner[2];
    const int backgrounds[2] = {0, 255};
    for (int i = 0; i < 2; ++i) {
        const int b = backgrounds[i];
        TS_Settings_Background(TS_Color_Create(b, b, b, 255));
        TS_Image_Draw(opaque, 0, 0, 64, 64, 255);
        whole[i] = Automation_ReadPixel(10, 10);
        TS_Image_Draw(opaque, 100, 0, 64, 64, 100);
        faded[i] = Automation_ReadPixel(110, 10);
        TS_Image_Draw(cutOut, 200, 0, 64, 64, 255);
        corner[i] = Automation_ReadPixel(200, 0);
    }
    EXPECT_EQ(whole[0], whole[1]);
    EXPECT_NE(faded[0], faded[1]);
    EXPECT_NE(corner[0], corner[1]);
    TS_Image_Free(&opaque);
    TS_Image_Free(&cutOut);
}

// A text that changes every frame takes over the texture of an older text of
// the same size; what is drawn is still the new text's own letters.
TEST_F(DrawingTest, ReusedTextTextureShowsTheNewText) {
    TS_Settings_TextSize(20);
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_BOTTOM);
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    auto shoot = [](const char* text, unsigned* sum) {
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
        TS_Font_DrawText(text, 100, 100);
        *sum = 0;
        for (int y = 70; y < 100; ++y) {
            for (int x = 100; x < 160; ++x) *sum = *sum * 31u + Automation_ReadPixel(x, y);
        }
        Automation_RunFrames(3);  // the text is no longer in use
    };
    const long before = Automation_TextRasterCount();
    unsigned ones = 0, eights = 0, onesAgain = 0;
    shoot("1.11", &ones);
    shoot("8.88", &eights);     // over the texture of "1.11"
    shoot("1.11", &onesAgain);  // over the texture of "8.88"
    EXPECT_EQ(Automation_TextRasterCount(), before + 3);
    EXPECT_NE(ones, eights);
    EXPECT_EQ(ones, onesAgain);
}

// A dimmed picture is the picture under a black layer of that alpha: kept as
// a darkened copy for a large opaque picture, blended on the frame otherwise.
TEST_F(DrawingTest, DimmedPictureIsThePictureUnderTheDim) {
    TS_Settings_ImageMode(TS_MODE_CORNER);
    for (const char* path : {"./Assets/Sprites/mainMenu.png", "./Assets/Sprites/error.png"}) {
        TS_Image image = TS_Image_Load(path);
        ASSERT_NE(image, nullptr) << path;
        const int xs[3] = {5, 31, 60}, ys[3] = {7, 33, 62};
        unsigned plain[3], dimmed[3], lighter[3];
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
        TS_Image_Draw(image, 0, 0, 640, 640, 255);
        for (int i = 0; i < 3; ++i) plain[i] = Automation_ReadPixel(xs[i], ys[i]);
        TS_Image_DrawDimmed(image, 0, 0, 640, 640, 150);
        for (int i = 0; i < 3; ++i) dimmed[i] = Automation_ReadPixel(xs[i], ys[i]);
        TS_Image_DrawDimmed(image, 0, 0, 640, 640, 50);
        for (int i = 0; i < 3; ++i) lighter[i] = Automation_ReadPixel(xs[i], ys[i]);
        for (int i = 0; i < 3; ++i) {
            for (int shift = 8; shift < 32; shift += 8) {
                const int p = static_cast<int>((plain[i] >> shift) & 0xFF);
                const int d = static_cast<int>((dimmed[i] >> shift) & 0xFF);
                const int l = static_cast<int>((lighter[i] >> shift) & 0xFF);
                EXPECT_NEAR(d, p * 105 / 255, 1) << path << " pixel " << i;
                EXPECT_NEAR(l, p * 205 / 255, 1) << path << " pixel " << i;
            }
        }
        TS_Image_Free(&image);
    }
}

// An opaque rectangle leaves nothing behind: an ellipse drawn after it still
// gets its soft, blended rim.
TEST_F(DrawingTest, EllipseRimsStaySoftAfterAnOpaqueRectangle) {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Graphics_DrawRect(0, 0, 10, 10);
    TS_Settings_NoFill();
    TS_Settings_Stroke(TS_Color_Create(0, 255, 0, 255));
    TS_Graphics_DrawEllipse(400, 300, 200, 100);
    // The outline's band ends at x = 299; the pixel left of it is rim.
    EXPECT_EQ(Automation_ReadPixel(300, 300), 0x00FF00FFu);
    const unsigned rim = Automation_ReadPixel(298, 300);
    EXPECT_NE(rim, 0x00FF00FFu);
    EXPECT_NE(rim, 0x000000FFu);
}

}  // namespace
