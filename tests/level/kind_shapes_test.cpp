// The kind Shape table built from the sprite cache, and animation strips
// whose frame count follows the image's width.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "app/assets.h"
#include "level/kind_shapes.h"
#include "support/headless.h"

namespace {

using KindShapesTest = HeadlessTest;

TEST_F(KindShapesTest, BuildTakesSpritesFourToElevenAndFreeEmptiesTheTable) {
    BuildKindShapes();
    for (int i = 0; i < KIND_SHAPE_COUNT; ++i) {
        ASSERT_NE(kindShapes[i], nullptr) << i;
        EXPECT_EQ(kindShapes[i]->type, SHAPE_IMAGE);
        EXPECT_EQ(kindShapes[i]->image, GetSpriteImage(SPRITE_ASTEROID + i));
    }
    LevelObject* goal = CreateLevelObject(KIND_GOAL, TS_Vec2{0, 0}, 0.0f, TS_Vec2{50, 50});
    EXPECT_EQ(goal->object->shape->image, GetSpriteImage(SPRITE_GOAL));
    FreeLevelObject(goal);

    const TS_Image asteroid = GetSpriteImage(SPRITE_ASTEROID);
    FreeKindShapes();
    for (Shape* shape : kindShapes) EXPECT_EQ(shape, nullptr);
    // The images stay with the sprite cache.
    EXPECT_EQ(spriteCache[SPRITE_ASTEROID], asteroid);
}

// A strip of 1000-pixel frames, `width` pixels wide, loaded through the framework.
TS_Image LoadStrip(const std::string& path, int width) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, 4, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    const int saved = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return saved == 0 ? TS_Image_Load(path.c_str()) : nullptr;
}

TEST_F(KindShapesTest, SheetFrameCountIsTheWidthInThousands) {
    TS_Image four = LoadStrip(TempDir() + "/four.png", 4000);
    TS_Image partial = LoadStrip(TempDir() + "/partial.png", 2500);
    ASSERT_NE(four, nullptr);
    ASSERT_NE(partial, nullptr);

    Shape* whole = CreateSheetShape(four, 0.1f);
    Shape* half = CreateSheetShape(partial, 0.1f);
    EXPECT_EQ(static_cast<SheetAnimation*>(whole->params)->frameCount, 4.0f);
    EXPECT_EQ(static_cast<SheetAnimation*>(half->params)->frameCount, 2.5f);
    EXPECT_EQ(whole->image, four);

    FreeOwnedShape(whole);
    FreeOwnedShape(half);
    TS_Image_Free(&four);
    TS_Image_Free(&partial);
}

}  // namespace
