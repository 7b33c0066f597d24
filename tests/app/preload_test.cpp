// Reading ahead behind the splash: the main menu and a level open without
// reading a picture, what was read ahead outlives the screens that use it,
// and a missing picture read ahead is still the error image.
#include <gtest/gtest.h>

#include <string>

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "game/game.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

class PreloadTest : public HeadlessTest {
protected:
    // Runs frames until the screen is current; false after `limit` frames.
    static bool RunUntil(const char* screen, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (std::string(Screen_CurrentName()) == screen) return true;
            Automation_RunFrames(1);
        }
        return std::string(Screen_CurrentName()) == screen;
    }

    // Pictures read from disk while `frames` frames run.
    static long LoadsDuring(int frames) {
        const long before = Automation_ImageLoadCount();
        Automation_RunFrames(frames);
        return Automation_ImageLoadCount() - before;
    }

    static void Idle() {}
    static void LeaveTheScreen() {
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Automation_RunFrames(1);
    }
};

TEST_F(PreloadTest, MenuAndLevelOpenWithoutReadingAPicture) {
    StartGameWindowed();
    ASSERT_TRUE(RunUntil("MainMenu", 400));
    EXPECT_EQ(LoadsDuring(3), 0);
    // Leaving for the options and coming back frees nothing that was read ahead.
    Screen_Switch(Screen::Options);
    Automation_RunFrames(3);
    Screen_Switch(Screen::MainMenu);
    EXPECT_EQ(LoadsDuring(3), 0);
    // The campaign's first level: background, ship, objects, compass, flames.
    Screen_Switch(Screen::Campaign);
    EXPECT_EQ(LoadsDuring(5), 0);
    EXPECT_STREQ(Screen_CurrentName(), "Campaign");
    LeaveTheScreen();
    Screen_Switch(Screen::Campaign);
    EXPECT_EQ(LoadsDuring(5), 0);
    LeaveTheScreen();
}

TEST_F(PreloadTest, SkippedSplashStillOpensTheMenuReady) {
    StartGameWindowed();
    Automation_RunFrames(3);
    Automation_KeyDown(TS_KEY_ENTER);
    Automation_RunFrames(2);  // the skip, then the menu music's frame
    Automation_KeyUp(TS_KEY_ENTER);
    ASSERT_STREQ(Screen_CurrentName(), "MainMenu");
    EXPECT_EQ(LoadsDuring(2), 0);
    // The levels' pictures were not waited for: a level reads them itself.
    EXPECT_EQ(spriteCache[SPRITE_GAMEPLAY_BACKGROUND], nullptr);
    Screen_Switch(Screen::Campaign);
    Automation_RunFrames(3);
    EXPECT_NE(spriteCache[SPRITE_GAMEPLAY_BACKGROUND], nullptr);
    LeaveTheScreen();
}

TEST_F(PreloadTest, ReadAheadOutlivesTheScreensUntilFreedAll) {
    Assets_PreloadAll();
    TS_Image background = spriteCache[SPRITE_MENU_BACKGROUND];
    TS_Image flame = Assets_FlameStrip(0);
    ASSERT_NE(background, nullptr);
    ASSERT_NE(flame, nullptr);
    ASSERT_NE(soundCache[SOUND_GAME_MUSIC], nullptr);
    // A strip is drawn a frame at a time: no full-size copy of its pixels
    // stays beside its texture, while the background keeps one for its
    // scaled copies.
    EXPECT_EQ(TS_Image_KeptPixelBytes(flame), 0u);
    EXPECT_GT(TS_Image_KeptPixelBytes(background), 0u);
    FreeSpriteImages();
    FreeSounds();
    FreeFlameStrip(0);
    EXPECT_EQ(spriteCache[SPRITE_MENU_BACKGROUND], background);
    EXPECT_EQ(Assets_FlameStrip(0), flame);
    EXPECT_NE(soundCache[SOUND_GAME_MUSIC], nullptr);
    // Pictures nobody read ahead still go back as before.
    EXPECT_NE(GetSpriteImage(SPRITE_MAP_DEMO), nullptr);
    FreeSpriteImages();
    EXPECT_EQ(spriteCache[SPRITE_MAP_DEMO], nullptr);

    Assets_FreeAll();
    EXPECT_EQ(spriteCache[SPRITE_MENU_BACKGROUND], nullptr);
    EXPECT_EQ(soundCache[SOUND_GAME_MUSIC], nullptr);
    // A new reading ahead starts from the first piece again.
    const long before = Automation_ImageLoadCount();
    Assets_PreloadAll();
    EXPECT_GT(Automation_ImageLoadCount(), before);
    EXPECT_NE(spriteCache[SPRITE_MENU_BACKGROUND], nullptr);
}

TEST_F(PreloadTest, MissingPictureReadAheadIsTheErrorImage) {
    // A copy of the pictures with nothing but the error image.
    const std::string root = TempDir() + "/Assets/";
    const std::string errorImage = std::string(defaultAssetRoot) + errorImageFile;
    ASSERT_EQ(mkdir(root.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((root + "Sprites").c_str(), 0700), 0);
    WriteText(root + errorImageFile, ReadText(errorImage));
    Assets_SetRootForTests(root.c_str());
    Assets_PreloadAll();
    Assets_SetRootForTests(nullptr);
    TS_Image error = TS_Image_Load(errorImage.c_str());
    ASSERT_NE(error, nullptr);
    for (int slot : {SPRITE_MENU_BACKGROUND, SPRITE_GAMEPLAY_BACKGROUND, SPRITE_PLAYER}) {
        ASSERT_NE(spriteCache[slot], nullptr) << slot;
        EXPECT_EQ(TS_Image_GetWidth(spriteCache[slot]), TS_Image_GetWidth(error)) << slot;
        EXPECT_EQ(TS_Image_GetHeight(spriteCache[slot]), TS_Image_GetHeight(error)) << slot;
    }
    TS_Image_Free(&error);
}

}  // namespace
