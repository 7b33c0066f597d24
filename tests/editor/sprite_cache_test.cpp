// The editor's prepared sprites follow its objects: placed, turned and
// resized objects are prepared anew once the handle lets go, moving keeps
// what was made, and the picture is the one drawn without a cache.
#include "editor_fixture.h"
#include "level/kind_shapes.h"
#include "world/draw.h"

namespace {

class EditorSpriteTest : public EditorTest {
protected:
    static TS_PreparedImage Entry(uint64_t slot, const GameObject* object) {
        const float zoom = editor.editorCamera.zoom;
        const TS_Vec2 box = DrawShape_ImageBox(object->shape, TS_Vector_Scale(object->size, zoom));
        return SpriteCache_Find(&editor.spriteCache, slot, object->shape->image, box.x, box.y,
                                object->rotation);
    }
    // The scene as the editor draws it now, saved; the PNG's bytes.
    static std::string Picture(const std::string& name) {
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
        Editor_DrawScene();
        const std::string path = ScreenshotPath(name);
        EXPECT_TRUE(Automation_SaveFrame(path.c_str()));
        return ReadText(path);
    }
    static std::string PictureWithoutCache(const std::string& name) {
        SpriteCache saved = editor.spriteCache;
        editor.spriteCache = SpriteCache{};
        const std::string picture = Picture(name);
        editor.spriteCache = saved;
        return picture;
    }
};

TEST_F(EditorSpriteTest, TurningAndResizingRemakeTheSpriteMovingKeepsIt) {
    LevelObject* wall = Put(0, KIND_WALL, 100, 50, 120, 30, 10);
    Automation_RunFrames(1);
    const TS_PreparedImage placed = Entry(0, wall->object);
    ASSERT_NE(placed, nullptr);

    ClickWorld(100, 50);
    ASSERT_EQ(editor.selection, wall);
    Drag(ToScreen(100, 50), ToScreen(160, 10));
    EXPECT_NEAR(wall->object->position.x, 160, 0.01f);
    EXPECT_EQ(Entry(0, wall->object), placed);

    TS_Vec2 handle = editor.gizmo->rotateHandle->position;
    Drag(handle, TS_Vec2{handle.x + 40, handle.y});
    EXPECT_FLOAT_EQ(wall->object->rotation, 30);
    Automation_RunFrames(1);
    ASSERT_NE(Entry(0, wall->object), nullptr);
    EXPECT_TRUE(Picture("editor_sprite_turned.png") ==
                PictureWithoutCache("editor_sprite_turned_direct.png"));

    handle = editor.gizmo->scaleHandle->position;
    Drag(handle, TS_Vec2{handle.x + 20, handle.y + 20});
    Automation_RunFrames(1);
    EXPECT_GT(wall->object->size.x, 120);
    ASSERT_NE(Entry(0, wall->object), nullptr);
    EXPECT_TRUE(Picture("editor_sprite_resized.png") ==
                PictureWithoutCache("editor_sprite_resized_direct.png"));
    EXPECT_LE(editor.spriteCache.bytes, kSpriteCacheBudgetBytes);
}

TEST_F(EditorSpriteTest, ZoomingDrawsDirectlyUntilTheZoomHolds) {
    LevelObject* rock = Put(0, KIND_ASTEROID, -150, 80, 90, 90, 45);
    Automation_KeyDown(TS_KEY_E);
    Automation_RunFrames(5);
    EXPECT_EQ(Entry(0, rock->object), nullptr);  // still zooming
    Automation_KeyUp(TS_KEY_E);
    Automation_RunFrames(2);
    ASSERT_NE(Entry(0, rock->object), nullptr);
    EXPECT_TRUE(Picture("editor_sprite_zoomed.png") ==
                PictureWithoutCache("editor_sprite_zoomed_direct.png"));
}

// A level opened with many objects is not made in one frame: each frame makes
// its budget's worth (at least one), those in the window before those out of
// it, and drawing meanwhile looks the same.
TEST_F(EditorSpriteTest, OpeningALevelMakesItsSpritesAFewAFrameInViewFirst) {
    const double saved = SpriteBudget_Seconds();
    SpriteBudget_SetSeconds(0.0);  // one a frame
    // Placed into the level directly, as opening a file does: none made yet.
    LevelObject* far = Put(0, KIND_ASTEROID, 5000, 5000, 90, 90, 30);
    LevelObject* near = Put(1, KIND_ASTEROID, 60, -40, 90, 90, 15);
    ASSERT_EQ(Entry(1, near->object), nullptr);
    Automation_RunFrames(1);
    EXPECT_NE(Entry(1, near->object), nullptr);
    EXPECT_EQ(Entry(0, far->object), nullptr);
    EXPECT_EQ(SpriteCache_Count(&editor.spriteCache), 1);
    EXPECT_TRUE(Picture("editor_sprite_partly.png") ==
                PictureWithoutCache("editor_sprite_partly_direct.png"));
    Automation_RunFrames(1);
    EXPECT_NE(Entry(0, far->object), nullptr);
    EXPECT_EQ(SpriteCache_Count(&editor.spriteCache), 2);
    SpriteBudget_SetSeconds(saved);
}

}  // namespace
