// Whole-level operations: the deep copy test play flies, and the bounds of
// what a level holds, which agree with the reader's on the campaign's files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/text_file.h"
#include "level/level.h"
#include "level_files.h"
#include "levels/shipped_level_names.h"

#if defined(__SANITIZE_ADDRESS__)
#define VEXAL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXAL_ASAN 1
#endif
#endif

namespace {

// An asteroid, the goal between it and a wall (a hole in slot 1), two texts.
const char* const kHoleyLevel =
    "/5\n.42\n%80\n^30\n"
    "A,100,50,10,40,30\n"
    "E,-300,0,0,60,60\n"
    "W,0,400,45,200,20\n"
    "T,0,-100,0,1,20,Hold $THRUST_KEY$\n"
    "T,50,50,0,1,10,hi\n";

class LevelOpsTest : public LevelFileTest {
protected:
    LevelOpsTest() { InitLevel(&copy); }
    ~LevelOpsTest() override { FreeLevel(&copy); }

    Level copy;
};

void ExpectSameBounds(const Bounds& a, const Bounds& b, const std::string& what) {
    EXPECT_EQ(a.minX, b.minX) << what;
    EXPECT_EQ(a.minY, b.minY) << what;
    EXPECT_EQ(a.maxX, b.maxX) << what;
    EXPECT_EQ(a.maxY, b.maxY) << what;
}

TEST_F(LevelOpsTest, CopyOwnsEverythingAndKeepsTheSlots) {
    ASSERT_EQ(Read(kHoleyLevel), 0);
    level.texts[1]->width = 300.0f;  // a box stretched in the editor
    ASSERT_EQ(Level_Copy(&level, &copy), 0);

    EXPECT_EQ(copy.flags, 5u);
    EXPECT_EQ(copy.parTime, 42.0f);
    EXPECT_EQ(copy.startFuel, 80.0f);
    EXPECT_EQ(copy.startRotation, 30.0f);
    ExpectSameBounds(copy.bounds, level.bounds, "settings");
    ASSERT_EQ(copy.objectCapacity, level.objectCapacity);
    ASSERT_EQ(copy.textCapacity, level.textCapacity);
    ASSERT_NE(copy.objects, level.objects);
    ASSERT_NE(copy.texts, level.texts);

    for (uint64_t i = 0; i < level.objectCapacity; ++i) {
        const LevelObject* mine = level.objects[i];
        const LevelObject* theirs = copy.objects[i];
        ASSERT_EQ(mine == nullptr, theirs == nullptr) << "slot " << i;
        if (!mine) continue;
        EXPECT_NE(theirs, mine);
        EXPECT_NE(theirs->object, mine->object);
        EXPECT_NE(theirs->object->collider, mine->object->collider);
        ASSERT_NE(theirs->object->collider, nullptr);
        EXPECT_EQ(theirs->kind, mine->kind);
        EXPECT_EQ(theirs->object->shape, mine->object->shape);  // the kind's, shared
        EXPECT_EQ(theirs->object->rotation, mine->object->rotation);
        EXPECT_EQ(theirs->object->size.x, mine->object->size.x);
    }
    EXPECT_EQ(copy.objects[1], nullptr);
    ASSERT_NE(copy.goal, nullptr);
    EXPECT_NE(copy.goal, level.goal);
    EXPECT_EQ(copy.goal->object->position.x, -300.0f);

    ASSERT_NE(copy.texts[0], nullptr);
    EXPECT_NE(copy.texts[0]->text, level.texts[0]->text);
    EXPECT_STREQ(copy.texts[0]->text, "Hold $THRUST_KEY$");
    EXPECT_EQ(copy.texts[1]->width, 300.0f);
    EXPECT_EQ(copy.texts[1]->textSize, 10.0f);
    EXPECT_EQ(copy.texts[2], nullptr);

    // What happens to the copy stays there, and freeing it leaves the original whole.
    copy.objects[0]->object->position.x = 9000.0f;
    copy.texts[0]->text[0] = 'F';
    FreeLevel(&copy);
    EXPECT_EQ(level.objects[0]->object->position.x, 100.0f);
    EXPECT_STREQ(level.texts[0]->text, "Hold $THRUST_KEY$");
    EXPECT_EQ(level.goal->object->size.x, 60.0f);
}

TEST_F(LevelOpsTest, ALevelWithoutTablesCopiesAsOne) {
    level.parTime = 12.0f;
    ASSERT_EQ(Level_Copy(&level, &copy), 0);
    EXPECT_EQ(copy.objects, nullptr);
    EXPECT_EQ(copy.texts, nullptr);
    EXPECT_EQ(copy.goal, nullptr);
    EXPECT_EQ(copy.objectCapacity, 0u);
    EXPECT_EQ(copy.parTime, 12.0f);
}

TEST_F(LevelOpsTest, ACopyThatRunsOutOfMemoryIsAnEmptyLevel) {
#ifdef VEXAL_ASAN
    GTEST_SKIP() << "AddressSanitizer stops at an impossible allocation instead of failing it";
#endif
    ASSERT_EQ(Read(kHoleyLevel), 0);
    // A text table no allocator can give: the objects are copied first and
    // must all be released again.
    const uint64_t textCapacity = level.textCapacity;
    level.textCapacity = UINT64_MAX / 4;
    const int error = Level_Copy(&level, &copy);
    level.textCapacity = textCapacity;
    EXPECT_EQ(error, FILE_ERROR_NO_MEMORY);
    EXPECT_EQ(copy.objects, nullptr);
    EXPECT_EQ(copy.texts, nullptr);
    EXPECT_EQ(copy.goal, nullptr);
    EXPECT_EQ(copy.objectCapacity, 0u);
    EXPECT_EQ(copy.textCapacity, 0u);
    EXPECT_EQ(copy.parTime, 0.0f);
    EXPECT_EQ(copy.startFuel, 100.0f);
    ExpectSameBounds(copy.bounds, Bounds{-32.5f, -32.5f, 32.5f, 32.5f}, "ship box");
}

TEST_F(LevelOpsTest, BoundsHoldTheShipObjectsGoalAndTexts) {
    ExpectSameBounds(Level_ComputeBounds(&level), Bounds{-32.5f, -32.5f, 32.5f, 32.5f},
                     "no tables");
    ASSERT_EQ(Read(kHoleyLevel), 0);
    level.texts[1]->width = 1000.0f;
    const Bounds bounds = Level_ComputeBounds(&level);
    EXPECT_EQ(bounds.minX, -450.0f);  // the stretched text
    EXPECT_EQ(bounds.maxX, 550.0f);
    EXPECT_EQ(bounds.minY, -110.0f);  // the first text, 20 high
    EXPECT_EQ(bounds.maxY, 410.0f);   // the wall, 20 high, rotation not counted
}

TEST_F(LevelOpsTest, BoundsAgreeWithTheReaderOnTheCampaign) {
    for (const char* name : kLevelNames) {
        const std::string path = std::string("./Assets/levels/") + name + ".vexl";
        FreeLevel(&level);
        ASSERT_EQ(ReadLevelFile(path.c_str(), &level, false), 0) << path;
        ExpectSameBounds(Level_ComputeBounds(&level), level.bounds, name);
    }
}

TEST_F(LevelOpsTest, TheFlightHashFollowsWhatFliesAndNothingElse) {
    ASSERT_EQ(Read(kHoleyLevel), 0);
    const uint64_t original = Level_FlightHash(&level);
    ASSERT_EQ(Level_Copy(&level, &copy), 0);
    EXPECT_EQ(Level_FlightHash(&copy), original);

    // Par time and texts change no flight.
    copy.parTime = 99.0f;
    copy.texts[0]->text[0] = 'F';
    EXPECT_EQ(Level_FlightHash(&copy), original);

    // Anything the ship meets does, down to the last bit of a number.
    const auto changed = [&](auto change) {
        FreeLevel(&copy);
        EXPECT_EQ(Level_Copy(&level, &copy), 0);
        change(&copy);
        return Level_FlightHash(&copy) != original;
    };
    EXPECT_TRUE(changed([](Level* l) { l->flags ^= LEVEL_HALF_SPEED; }));
    EXPECT_TRUE(changed([](Level* l) { l->startFuel = 80.00001f; }));
    EXPECT_TRUE(changed([](Level* l) { l->startRotation = -30.0f; }));
    EXPECT_TRUE(changed([](Level* l) { l->objects[0]->object->rotation = 10.5f; }));
    EXPECT_TRUE(changed([](Level* l) { l->objects[2]->object->size.y = 21.0f; }));
    EXPECT_TRUE(changed([](Level* l) { l->goal->object->position.y = 1.0f; }));
    EXPECT_TRUE(changed([](Level* l) { l->objects[0]->kind = l->objects[2]->kind; }));

    // The shipped levels are told apart.
    uint64_t seen[sizeof kLevelNames / sizeof kLevelNames[0]] = {};
    size_t count = 0;
    for (const char* name : kLevelNames) {
        const std::string path = std::string("./Assets/levels/") + name + ".vexl";
        FreeLevel(&level);
        ASSERT_EQ(ReadLevelFile(path.c_str(), &level, true), 0) << path;
        const uint64_t hash = Level_FlightHash(&level);
        for (size_t i = 0; i < count; ++i) EXPECT_NE(seen[i], hash) << name;
        seen[count++] = hash;
    }
}

}  // namespace
