// The shipped levels in map view: every object, the goal and every text of a
// level lies inside the window when the map is fully open (so the map shows
// the whole route), and a screenshot of each map view is saved, with a contact
// sheet of all 19 for review (screenshots/levels/).

#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <vector>

#include "level/kind_shapes.h"
#include "level/level.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "world/draw.h"
#include "world/world.h"
#include "levels/shipped_level_names.h"
#include "support/portable.h"

namespace {

const int kMapKey = TS_KEY_M, kSkipKey = TS_KEY_X;

void UpdateAndDraw() {
    World_Update();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
}

class LevelSheetTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildKindShapes();
    }
    void TearDown() override {
        FreeKindShapes();
        HeadlessTest::TearDown();
    }
};

// Where a world box's corners land in the window, with a little slack for
// rounding at the edges.
void ExpectInWindow(const TS_Vec2& centre, float halfW, float halfH, const std::string& what) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    for (int corner = 0; corner < 4; ++corner) {
        const TS_Vec2 p = {centre.x + ((corner & 1) ? halfW : -halfW),
                           centre.y + ((corner & 2) ? halfH : -halfH)};
        const TS_Vec2 s = TS_Vector_MatrixMultiply(world.camera.worldToScreen, p);
        EXPECT_TRUE(s.x >= -2.0f && s.x <= w + 2.0f && s.y >= -2.0f && s.y <= h + 2.0f)
            << what << " at (" << centre.x << ", " << centre.y << ") lands at (" << s.x << ", "
            << s.y << ") in the map view";
    }
}

TEST_F(LevelSheetTest, TheMapViewShowsTheWholeOfEveryLevel) {
    const std::string folder = ScreenshotPath("levels");
    mkdir(folder.c_str(), 0755);
    std::vector<std::string> shots;
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        Level level;
        const std::string path = std::string("./Assets/levels/") + name + ".vexl";
        ASSERT_EQ(ReadLevelFile(path.c_str(), &level, true), 0) << path;
        SetupWorld(&level);
        TS_Engine_SetNextGameState(nullptr, UpdateAndDraw, nullptr);
        Automation_RunFrames(1);
        Automation_KeyDown(kSkipKey);
        Automation_RunFrames(1);
        Automation_KeyUp(kSkipKey);
        Automation_KeyDown(kMapKey);
        Automation_RunFrames(30);  // the map opens in a quarter of a second
        EXPECT_EQ(world.mapState, 1);

        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            const LevelObject* entry = level.objects[i];
            if (!entry) continue;
            const GameObject* o = entry->object;
            ExpectInWindow(o->position, o->size.x * 0.5f, o->size.y * 0.5f, "object");
        }
        ASSERT_NE(level.goal, nullptr);
        ExpectInWindow(level.goal->object->position, level.goal->object->size.x * 0.5f,
                       level.goal->object->size.y * 0.5f, "goal");
        ExpectInWindow(TS_Vec2{0.0f, 0.0f}, 32.5f, 32.5f, "ship start");

        const std::string shot = folder + "/" + name + ".png";
        EXPECT_TRUE(Automation_SaveFrame(shot.c_str())) << shot;
        shots.push_back(shot);

        Automation_KeyUp(kMapKey);
        TS_Engine_SetNextGameState(nullptr, nullptr, nullptr);
        Automation_RunFrames(1);
        TeardownWorld();
        FreeLevel(&level);
    }

    // The contact sheet: five across, in campaign order, left to right.
    const int columns = 5, thumbW = 384, thumbH = 216, gap = 6;
    const int rows = (static_cast<int>(shots.size()) + columns - 1) / columns;
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(
        0, columns * (thumbW + gap) + gap, rows * (thumbH + gap) + gap, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(sheet, nullptr);
    SDL_FillRect(sheet, nullptr, SDL_MapRGBA(sheet->format, 60, 60, 70, 255));
    for (size_t i = 0; i < shots.size(); ++i) {
        SDL_Surface* image = IMG_Load(shots[i].c_str());
        if (!image) {
            ADD_FAILURE() << "cannot load " << shots[i];
            continue;
        }
        SDL_Rect to = {gap + static_cast<int>(i % columns) * (thumbW + gap),
                       gap + static_cast<int>(i / columns) * (thumbH + gap), thumbW, thumbH};
        SDL_BlitScaled(image, nullptr, sheet, &to);
        SDL_FreeSurface(image);
    }
    const std::string sheetPath = folder + "/contact_sheet.png";
    EXPECT_EQ(IMG_SavePNG(sheet, sheetPath.c_str()), 0) << sheetPath;
    SDL_FreeSurface(sheet);
}

}  // namespace
