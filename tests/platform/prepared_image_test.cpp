// Prepared images: a sprite turned and scaled once and copied later lands on
// exactly the pixels its direct rotated draw does.
#include <gtest/gtest.h>

#include <vector>

#include "support/headless.h"

namespace {

class PreparedImageTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        image_ = TS_Image_Load("./Assets/Sprites/asteroid.png");
        ASSERT_NE(image_, nullptr);
        // The wall fills its whole square: no corner of it may go missing.
        wall_ = TS_Image_Load("./Assets/Sprites/proto_wall.png");
        ASSERT_NE(wall_, nullptr);
        TS_Settings_ImageMode(TS_MODE_CENTER);
    }
    void TearDown() override {
        TS_Image_Free(&image_);
        TS_Image_Free(&wall_);
        HeadlessTest::TearDown();
    }

    // The pixels of a square around (x, y) after one draw on a grey frame.
    static std::vector<unsigned> Around(float x, float y, int reach) {
        std::vector<unsigned> pixels;
        for (int py = static_cast<int>(y) - reach; py <= static_cast<int>(y) + reach; ++py) {
            for (int px = static_cast<int>(x) - reach; px <= static_cast<int>(x) + reach; ++px) {
                pixels.push_back(Automation_ReadPixel(px, py));
            }
        }
        return pixels;
    }

    TS_Image image_ = nullptr;
    TS_Image wall_ = nullptr;
};

struct Placement {
    float x, y, w, h, rotation;
    int alpha;
    bool wall;
};

TEST_F(PreparedImageTest, CopyMatchesTheRotatedDrawPixelForPixel) {
    const Placement placements[] = {
        {300.0f, 200.0f, 160.0f, 160.0f, 135.0f, 255, false},  // a level's asteroid
        {640.4f, 360.7f, 152.0f, 152.0f, 45.0f, 255, false},   // between pixels
        {500.25f, 300.5f, 151.3f, 97.6f, 17.3f, 200, false},   // odd size, faded
        {700.0f, 400.0f, 146.0f, 146.0f, 0.0f, 255, false},    // upright: scaled only
        {20.3f, 30.6f, 160.0f, 160.0f, 270.0f, 255, false},    // cut by the window's corner
        {1270.9f, 700.2f, 178.0f, 178.0f, 90.0f, 128, false},  // cut by the other corner
        {800.0f, 350.0f, 120.0f, 30.0f, 30.0f, 255, true},     // a long, thin wall
        {400.5f, 500.3f, 40.0f, 220.0f, 100.0f, 255, true},    // standing on end
        {900.2f, 200.7f, 200.0f, 200.0f, 45.0f, 255, true},    // corners furthest out
    };
    for (const Placement& at : placements) {
        SCOPED_TRACE(testing::Message() << at.x << "," << at.y << " r" << at.rotation);
        TS_Settings_Background(TS_Color_Create(40, 60, 80, 255));
        TS_Image image = at.wall ? wall_ : image_;
        TS_Image_DrawAdvanced(image, at.x, at.y, at.w, at.h, at.alpha, at.rotation);
        const std::vector<unsigned> direct = Around(at.x, at.y, 150);

        TS_PreparedImage prepared = TS_PreparedImage_Create(image, at.w, at.h, at.rotation);
        ASSERT_NE(prepared, nullptr);
        EXPECT_GT(TS_PreparedImage_Bytes(prepared), 0u);
        TS_Settings_Background(TS_Color_Create(40, 60, 80, 255));
        TS_PreparedImage_Draw(prepared, image, at.x, at.y, at.w, at.h, at.alpha, at.rotation);
        const std::vector<unsigned> copied = Around(at.x, at.y, 150);
        TS_PreparedImage_Free(&prepared);
        EXPECT_EQ(prepared, nullptr);

        int differing = 0;
        for (size_t i = 0; i < direct.size(); ++i) differing += direct[i] != copied[i];
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
