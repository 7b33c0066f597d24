// The sprite and sound caches load each slot once and fall back to the error
// image when a picture is missing.
#include <gtest/gtest.h>

#include <string>

#include "app/assets.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

class AssetCacheTest : public HeadlessTest {};

TEST_F(AssetCacheTest, SpriteLoadsOnceAndStaysShared) {
    TS_Image first = GetSpriteImage(SPRITE_PLAYER);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetSpriteImage(SPRITE_PLAYER), first);
    FreeSpriteImage(SPRITE_PLAYER);
    EXPECT_EQ(spriteCache[SPRITE_PLAYER], nullptr);
    EXPECT_NE(GetSpriteImage(SPRITE_PLAYER), nullptr);
}

TEST_F(AssetCacheTest, FlameStripKeepsOnlyItsTexture) {
    TS_Image strip = Assets_FlameStrip(1);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(TS_Image_KeptPixelBytes(strip), 0u);
    EXPECT_EQ(TS_Image_GetWidth(strip), 4000);
    FreeFlameStrip(1);
}

TEST_F(AssetCacheTest, MissingSpriteBecomesTheErrorImage) {
    // A copy of the pictures without the ship's, so that other tests running
    // at the same time still find the real one.
    const std::string root = TempDir() + "/Assets/";
    const std::string errorImage = std::string(defaultAssetRoot) + errorImageFile;
    ASSERT_EQ(mkdir(root.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((root + "Sprites").c_str(), 0700), 0);
    WriteText(root + errorImageFile, ReadText(errorImage));
    FreeSpriteImage(SPRITE_PLAYER);
    Assets_SetRootForTests(root.c_str());
    TS_Image image = GetSpriteImage(SPRITE_PLAYER);
    // The slot keeps the error image until it is freed.
    EXPECT_EQ(GetSpriteImage(SPRITE_PLAYER), image);
    const int width = image ? TS_Image_GetWidth(image) : 0;
    const int height = image ? TS_Image_GetHeight(image) : 0;
    FreeSpriteImage(SPRITE_PLAYER);
    Assets_SetRootForTests(nullptr);

    ASSERT_NE(image, nullptr);
    TS_Image error = TS_Image_Load(errorImage.c_str());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(width, TS_Image_GetWidth(error));
    EXPECT_EQ(height, TS_Image_GetHeight(error));
    TS_Image_Free(&error);
}

TEST_F(AssetCacheTest, SoundsLoadOnceAndMissingOnesStayEmpty) {
    TS_Sound thruster = GetSound(SOUND_THRUSTER);
    ASSERT_NE(thruster, nullptr);
    EXPECT_EQ(GetSound(SOUND_THRUSTER), thruster);
    EXPECT_EQ(TS_Sound_Load("./Assets/Sounds/SFX/no-such-sound.wav"), nullptr);
    TS_Sound_PlayAdvanced(nullptr, 1.0f, 1.0f, false, 4);  // a quiet no-op
}

// The caches belong to one renderer and one audio device: a restart of the
// framework empties them, and the sprites load afresh and draw without a
// single failed call.
TEST_F(AssetCacheTest, CachesEmptyWhenTheFrameworkShutsDown) {
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(GetSpriteImage(SPRITE_PLAYER), 0, 0, 65, 65, 255);
    ASSERT_NE(GetSound(SOUND_THRUSTER), nullptr);
    Automation_Stop();
    EXPECT_EQ(spriteCache[SPRITE_PLAYER], nullptr);
    EXPECT_EQ(soundCache[SOUND_THRUSTER], nullptr);

    Automation_Start();
    TS_Settings_ImageMode(TS_MODE_CORNER);
    TS_Image_Draw(GetSpriteImage(SPRITE_PLAYER), 0, 0, 65, 65, 255);
    TS_Image_DrawAdvanced(GetSpriteImage(SPRITE_ASTEROID), 100, 100, 80, 80, 255, 45.0f);
    EXPECT_EQ(Automation_FailedDrawCount(), 0) << Automation_FirstDrawFailure();
    EXPECT_NE(GetSound(SOUND_THRUSTER), nullptr);
}

}  // namespace
