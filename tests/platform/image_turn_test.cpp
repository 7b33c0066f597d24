// Turned images: the framework's own turn lands on exactly the pixels SDL's
// renderer would, for the sprites the game turns every frame.
#include <gtest/gtest.h>

#include <vector>

#include "support/headless.h"

namespace {

class ImageTurnTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ship_ = TS_Image_Load("./Assets/Sprites/player3.png");
        arrow_ = TS_Image_Load("./Assets/Sprites/proto_compassArrow.png");
        flame_ = TS_Image_Load("./Assets/Sprites/ani_btmLoop.png");
        ASSERT_TRUE(ship_ && arrow_ && flame_);
        TS_Settings_ImageMode(TS_MODE_CENTER);
    }
    void TearDown() override {
        Automation_TurnImagesThroughSdl(false);
        TS_Image_Free(&ship_);
        TS_Image_Free(&arrow_);
        TS_Image_Free(&flame_);
        HeadlessTest::TearDown();
    }

    // The pixels of a square around (x, y) after `draw` on a grey frame,
    // turned by the framework or by SDL.
    template <typename Draw>
    static std::vector<unsigned> Drawn(bool throughSdl, float x, float y, Draw draw) {
        Automation_TurnImagesThroughSdl(throughSdl);
        TS_Settings_Background(TS_Color_Create(40, 60, 80, 255));
        draw();
        std::vector<unsigned> pixels;
        const int reach = 60;
        for (int py = static_cast<int>(y) - reach; py <= static_cast<int>(y) + reach; ++py) {
            for (int px = static_cast<int>(x) - reach; px <= static_cast<int>(x) + reach; ++px) {
                pixels.push_back(Automation_ReadPixel(px, py));
            }
        }
        return pixels;
    }
    template <typename Draw>
    static void ExpectSameAsSdl(float x, float y, Draw draw) {
        const std::vector<unsigned> sdl = Drawn(true, x, y, draw);
        const std::vector<unsigned> own = Drawn(false, x, y, draw);
        int differing = 0, drawn = 0;
        for (size_t i = 0; i < sdl.size(); ++i) {
            differing += sdl[i] != own[i];
            drawn += sdl[i] != sdl[0];
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 0) << "nothing was drawn to compare";
    }

    TS_Image ship_ = nullptr;
    TS_Image arrow_ = nullptr;
    TS_Image flame_ = nullptr;
};

// A ship turned for a long while carries an unwrapped angle with float noise;
// every one of them, and faded or cut by the window's edge, turns as SDL's.
TEST_F(ImageTurnTest, ShipAndArrowTurnAsSdlDoesAtAnyAngle) {
    struct At {
        float x, y, rotation;
        int alpha;
    };
    const At placements[] = {
        {640.0f, 360.0f, 3.9166667f, 255},  {640.4f, 360.7f, 363.91666f, 255},
        {300.25f, 200.5f, -1234.567f, 200}, {901.9f, 95.1f, 47.0f / 12.0f * 500.0f, 255},
        {10.3f, 20.6f, 135.0f, 255},        {1275.9f, 715.2f, 271.3f, 128},
        {500.0f, 500.0f, 0.0001f, 255},     {200.7f, 600.3f, 89.99f, 255},
        {700.5f, 300.5f, 7212.3334f, 64},   {-20.0f, 300.0f, 33.0f, 255},
    };
    for (const At& at : placements) {
        SCOPED_TRACE(testing::Message() << at.x << "," << at.y << " r" << at.rotation);
        ExpectSameAsSdl(at.x, at.y, [&] {
            TS_Image_DrawAdvanced(ship_, at.x, at.y, 65.0f, 65.0f, at.alpha, at.rotation);
        });
        ExpectSameAsSdl(at.x, at.y, [&] {
            TS_Image_DrawAdvanced(arrow_, at.x, at.y, 20.0f, 20.0f, at.alpha, -at.rotation);
        });
        // The capture's close-up draws the ship at a zoom of 1.5.
        ExpectSameAsSdl(at.x, at.y, [&] {
            TS_Image_DrawAdvanced(ship_, at.x, at.y, 97.5f, 97.5f, at.alpha, at.rotation);
        });
    }
}

// A flame is a frame of its strip drawn through the ship's matrix.
TEST_F(ImageTurnTest, FlameFramesThroughTheShipsMatrixTurnAsSdlDoes) {
    const float rotations[] = {3.9166667f, 181.25f, -77.7f, 1440.5f};
    for (float rotation : rotations) {
        for (int frame = 0; frame < 4; ++frame) {
            SCOPED_TRACE(testing::Message() << "r" << rotation << " frame " << frame);
            ExpectSameAsSdl(640.0f, 360.0f, [&] {
                TS_Settings_ApplyMatrix(TS_Matrix_Multiply(
                    TS_Matrix_Translate(TS_Vec2{640.3f, 360.6f}), TS_Matrix_Rotate(rotation)));
                const float u0 = 1000.0f * static_cast<float>(frame);
                TS_Image_DrawSubImage(flame_, 0.0f, 0.0f, 65.0f, 65.0f, u0, 0.0f, u0 + 1000.0f,
                                      1000.0f, 255);
                TS_Settings_ResetMatrix();
            });
        }
    }
}

// Quarter turns and flips are left to SDL; they still land where SDL puts them.
TEST_F(ImageTurnTest, QuarterTurnsAndFlipsStayAsSdlDrawsThem) {
    ExpectSameAsSdl(640.0f, 360.0f, [&] {
        TS_Image_DrawAdvanced(ship_, 640.0f, 360.0f, 65.0f, 65.0f, 255, 90.0f);
    });
    ExpectSameAsSdl(640.0f, 360.0f, [&] {
        TS_Image_DrawAdvanced(ship_, 640.0f, 360.0f, -65.0f, 65.0f, 255, 30.0f);
    });
}

}  // namespace
