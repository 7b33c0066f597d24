// See-through rectangles (the dim under a popup, translucent bars): the
// picture is the one SDL's own blended fill gives, to the last level.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/platform_internal.h"
#include "support/headless.h"

namespace {

class SeeThroughFillTest : public HeadlessTest {
protected:
    void TearDown() override {
        fillBlendThroughSdl = false;
        HeadlessTest::TearDown();
    }
};

// A scene with every level of every channel under it: a picture, opaque
// stripes of several colours and a soft-rimmed ellipse.
void DrawVariedScene(TS_Image picture) {
    TS_Settings_Background(TS_Color_Create(20, 30, 40, 255));
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(picture, 0, 0, 1280, 720, 255);
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    for (int i = 0; i < 32; ++i) {
        TS_Settings_Fill(TS_Color_Create(i * 8, 255 - i * 8, (i * 53) % 256, 255));
        TS_Graphics_DrawRect(static_cast<float>(i * 40), 0, 13, 720);
    }
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Graphics_DrawEllipse(640, 360, 300, 200);
}

std::vector<Uint32> ReadFrame() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(Platform().renderer, &w, &h);
    std::vector<Uint32> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(Platform().renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             w * 4) != 0) {
        pixels.clear();
    }
    return pixels;
}

// The frame after the scene and one see-through rectangle, blended by SDL
// (`reference`) or by the game's own path.
std::vector<Uint32> SceneUnder(TS_Image picture, TS_Color colour, float x, float y, float w,
                               float h, bool reference) {
    fillBlendThroughSdl = reference;
    DrawVariedScene(picture);
    TS_Settings_Fill(colour);
    TS_Graphics_DrawRect(x, y, w, h);
    fillBlendThroughSdl = false;
    return ReadFrame();
}

long DifferingPixels(const std::vector<Uint32>& a, const std::vector<Uint32>& b) {
    if (a.size() != b.size() || a.empty()) return -1;
    long differing = 0;
    for (size_t i = 0; i < a.size(); ++i) differing += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    return differing;
}

// Dims of several darknesses and tinted layers, over the whole window, odd
// widths (the last pixels of a row done one by one) and boxes reaching past
// the window's edges.
TEST_F(SeeThroughFillTest, SameLevelsAsSdlsBlendedFill) {
    TS_Image picture = TS_Image_Load("./Assets/Sprites/mainMenu.png");
    ASSERT_NE(picture, nullptr);
    const TS_Color colours[] = {
        TS_Color_Create(0, 0, 0, 140),     TS_Color_Create(0, 0, 0, 1),
        TS_Color_Create(0, 0, 0, 254),     TS_Color_Create(255, 255, 255, 100),
        TS_Color_Create(10, 200, 90, 128), TS_Color_Create(255, 0, 0, 3),
        TS_Color_Create(37, 99, 201, 250), TS_Color_Create(255, 255, 255, 255 - 1),
    };
    const float boxes[][4] = {{0, 0, 1280, 720}, {101, 37, 7, 301}, {-50, 600, 213, 400}};
    for (const TS_Color& colour : colours) {
        for (const auto& box : boxes) {
            const std::vector<Uint32> expected =
                SceneUnder(picture, colour, box[0], box[1], box[2], box[3], true);
            const std::vector<Uint32> drawn =
                SceneUnder(picture, colour, box[0], box[1], box[2], box[3], false);
            EXPECT_EQ(DifferingPixels(expected, drawn), 0)
                << "colour " << colour.r << "," << colour.g << "," << colour.b << " alpha "
                << colour.a << " box at " << box[0] << "," << box[1];
        }
    }
    TS_Image_Free(&picture);
}

// After the window changes size the dim still covers all of it, as SDL's
// fill would, and the frame again matches to the last level.
TEST_F(SeeThroughFillTest, DimCoversAResizedWindow) {
    TS_Image picture = TS_Image_Load("./Assets/Sprites/mainMenu.png");
    ASSERT_NE(picture, nullptr);
    TS_System_SetWindowSize(1920, 1080);
    Automation_RunFrames(1);
    const TS_Color dim = TS_Color_Create(0, 0, 0, 150);
    const std::vector<Uint32> expected = SceneUnder(picture, dim, -10, -10, 3000, 3000, true);
    const std::vector<Uint32> drawn = SceneUnder(picture, dim, -10, -10, 3000, 3000, false);
    EXPECT_EQ(expected.size(), 1920u * 1080u);
    EXPECT_EQ(DifferingPixels(expected, drawn), 0);
    TS_Image_Free(&picture);
}

}  // namespace
