// Game objects, level objects and their shared kind Shapes, texts, bounds.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "level/kind_shapes.h"
#include "level/objects.h"

namespace {

TEST(ObjectKindTest, LettersOfTheKinds) {
    const char expected[] = "0AWLMFE";
    for (uint32_t kind = 0; kind <= 6; ++kind) {
        EXPECT_EQ(KindChar(static_cast<ObjectKind>(kind)), expected[kind]);
        if (kind > 0) {
            EXPECT_EQ(KindFromChar(expected[kind]), static_cast<ObjectKind>(kind));
        }
    }
    EXPECT_EQ(KindChar(static_cast<ObjectKind>(7)), '0');
    EXPECT_EQ(KindChar(static_cast<ObjectKind>(0xFFFFFFFFu)), '0');
    EXPECT_EQ(KindFromChar('a'), KIND_NONE);
    EXPECT_EQ(KindFromChar('T'), KIND_NONE);
    EXPECT_EQ(KindFromChar('0'), KIND_NONE);
}

TEST(GameObjectTest, NewObjectsAreActiveUnitBoxes) {
    GameObject* object = CreateGameObject();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->size.x, 1.0f);
    EXPECT_EQ(object->size.y, 1.0f);
    EXPECT_EQ(object->active, 1);
    EXPECT_EQ(object->shape, nullptr);
    EXPECT_EQ(object->collider, nullptr);

    AttachCircleCollider(object);
    Collider* collider = object->collider;
    ASSERT_NE(collider, nullptr);
    EXPECT_EQ(collider->type, COLLIDER_CIRCLE);
    EXPECT_EQ(collider->scale.x, 1.0f);
    EXPECT_EQ(collider->offset.y, 0.0f);
    AttachCircleCollider(object);  // a second call keeps the first collider
    EXPECT_EQ(object->collider, collider);
    FreeGameObject(object);
}

// Stand-in kind Shapes (no images needed), emptied again after each test.
class KindShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (Shape*& shape : kindShapes) shape = CreateRectShape();
    }
    void TearDown() override { FreeKindShapes(); }
};

TEST_F(KindShapeTest, LevelObjectsTakeTheirKindsSharedShape) {
    const ObjectKind kinds[] = {KIND_ASTEROID,     KIND_WALL,      KIND_LASER_TRAP,
                                KIND_MISSILE_TRAP, KIND_FUEL_CELL, KIND_GOAL};
    const int slots[] = {0, 1, 2, 4, 6, 7};
    for (int i = 0; i < 6; ++i) {
        LevelObject* entry =
            CreateLevelObject(kinds[i], TS_Vec2{3.0f, 4.0f}, 30.0f, TS_Vec2{50.0f, 60.0f});
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->kind, kinds[i]);
        EXPECT_EQ(entry->object->shape, kindShapes[slots[i]]) << "kind " << kinds[i];
        EXPECT_EQ(entry->object->position.y, 4.0f);
        EXPECT_EQ(entry->object->rotation, 30.0f);
        EXPECT_EQ(entry->object->size.x, 50.0f);
        EXPECT_EQ(entry->object->active, 1);
        ASSERT_NE(entry->object->collider, nullptr);
        EXPECT_EQ(entry->object->collider->type, COLLIDER_CIRCLE);
        FreeLevelObject(entry);
    }
    LevelObject* none = CreateLevelObject(KIND_NONE, TS_Vec2{0, 0}, 0.0f, TS_Vec2{1, 1});
    EXPECT_EQ(none->object->shape, nullptr);
    FreeLevelObject(none);
}

TEST_F(KindShapeTest, FreeingOneObjectLeavesTheSharedShapeToTheOther) {
    LevelObject* first = CreateLevelObject(KIND_ASTEROID, TS_Vec2{0, 0}, 0.0f, TS_Vec2{50, 50});
    LevelObject* second = CreateLevelObject(KIND_ASTEROID, TS_Vec2{9, 9}, 0.0f, TS_Vec2{50, 50});
    ASSERT_EQ(first->object->shape, second->object->shape);
    FreeLevelObject(first);
    // Still a live Shape (AddressSanitizer would catch a freed one here).
    EXPECT_EQ(second->object->shape->type, SHAPE_RECT);
    EXPECT_EQ(static_cast<ShapeScale*>(second->object->shape->params)->scaleX, 1.0f);
    FreeLevelObject(second);
    EXPECT_EQ(kindShapes[KIND_SHAPE_ASTEROID]->type, SHAPE_RECT);
}

TEST(KindShapeTableTest, EmptyTableGivesObjectsWithoutShapes) {
    FreeKindShapes();
    LevelObject* entry = CreateLevelObject(KIND_FUEL_CELL, TS_Vec2{0, 0}, 0.0f, TS_Vec2{50, 50});
    EXPECT_EQ(entry->object->shape, nullptr);
    FreeLevelObject(entry);
    for (Shape* shape : kindShapes) EXPECT_EQ(shape, nullptr);
}

TEST(ShapeTest, ConstructorsSetTypeDefaultsAndParameters) {
    Shape* rect = CreateRectShape();
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->type, SHAPE_RECT);
    EXPECT_EQ(rect->stroke.a, 255);
    EXPECT_EQ(rect->stroke.r, 0);
    EXPECT_EQ(rect->fill.g, 255);
    EXPECT_EQ(rect->image, nullptr);
    const ShapeScale* scale = static_cast<ShapeScale*>(rect->params);
    EXPECT_EQ(scale->scaleX, 1.0f);
    EXPECT_EQ(scale->scaleY, 1.0f);
    FreeOwnedShape(rect);

    Shape* image = CreateImageShape(nullptr);
    EXPECT_EQ(image->type, SHAPE_IMAGE);
    FreeOwnedShape(image);

    Shape* sheet = CreateSheetShape(nullptr, 0.1f);
    EXPECT_EQ(sheet->type, SHAPE_SHEET_ANIMATION);
    const SheetAnimation* animation = static_cast<SheetAnimation*>(sheet->params);
    EXPECT_EQ(animation->frameWidth, 1000.0f);
    EXPECT_EQ(animation->frameDuration, 0.1f);
    EXPECT_EQ(animation->frameCount, 0.0f);
    EXPECT_EQ(animation->playing, 1.0f);
    EXPECT_EQ(animation->elapsed, 0.0f);
    FreeOwnedShape(sheet);
    FreeOwnedShape(nullptr);
}

TEST(TextObjectTest, CapacityRules) {
    TextObject* fits = CreateTextObject("Text", 5);
    ASSERT_NE(fits, nullptr);
    EXPECT_STREQ(fits->text, "Text");
    EXPECT_EQ(fits->textCapacity, 5u);
    EXPECT_EQ(fits->width, 40.0f);
    EXPECT_EQ(fits->textSize, 20.0f);
    EXPECT_EQ(fits->alignH, TS_ALIGN_CENTER);
    EXPECT_EQ(fits->alignV, TS_ALIGN_MIDDLE);
    EXPECT_EQ(fits->visible, 1);

    TextObject* roomy = CreateTextObject("Hi", 64);
    EXPECT_EQ(roomy->textCapacity, 64u);
    EXPECT_STREQ(roomy->text, "Hi");

    // Too small a buffer becomes exactly length + 1 bytes.
    TextObject* grown = CreateTextObject("A longer text", 3);
    EXPECT_STREQ(grown->text, "A longer text");
    EXPECT_EQ(grown->textCapacity, 14u);

    TextObject* empty = CreateTextObject(nullptr, 8);
    EXPECT_STREQ(empty->text, "");
    EXPECT_EQ(empty->textCapacity, 8u);
    EXPECT_EQ(empty->width, 1.0f);

    TextObject* bare = CreateTextObject(nullptr, 0);
    EXPECT_EQ(bare->text, nullptr);
    EXPECT_EQ(bare->textCapacity, 0u);

    TextObject* table[6] = {fits, nullptr, roomy, grown, empty, bare};
    FreeTextObjects(table, 6);
    for (TextObject* slot : table) EXPECT_EQ(slot, nullptr);
}

TEST(TextObjectTest, SettingTextOrSizeRecomputesTheWidth) {
    TextObject* text = CreateTextObject("abc", 0);
    ASSERT_TRUE(TextObject_SetText(text, "abcdef"));
    EXPECT_STREQ(text->text, "abcdef");
    EXPECT_EQ(text->width, 60.0f);
    TextObject_SetTextSize(text, 30.0f);
    EXPECT_EQ(text->width, 90.0f);
    // An absurd size still gives a finite width.
    TextObject_SetTextSize(text, FLT_MAX);
    EXPECT_EQ(text->width, FLT_MAX);
    TextObject* table[1] = {text};
    FreeTextObjects(table, 1);
}

TEST(BoundsTest, GrowsToHoldTheUnrotatedBox) {
    Bounds bounds = {-32.5f, -32.5f, 32.5f, 32.5f};
    Bounds_Include(&bounds, TS_Vec2{100.0f, 0.0f}, TS_Vec2{50.0f, 20.0f});
    EXPECT_EQ(bounds.maxX, 125.0f);
    EXPECT_EQ(bounds.minX, -32.5f);
    EXPECT_EQ(bounds.minY, -32.5f);
    EXPECT_EQ(bounds.maxY, 32.5f);

    Bounds zero = {0.0f, 0.0f, 0.0f, 0.0f};
    Bounds_Include(&zero, TS_Vec2{100.0f, 0.0f}, TS_Vec2{50.0f, 20.0f});
    EXPECT_EQ(zero.minX, 0.0f);
    EXPECT_EQ(zero.maxX, 125.0f);
    EXPECT_EQ(zero.minY, -10.0f);
    EXPECT_EQ(zero.maxY, 10.0f);

    // A box inside changes nothing; a negative size still counts both corners.
    Bounds_Include(&zero, TS_Vec2{50.0f, 0.0f}, TS_Vec2{2.0f, 2.0f});
    EXPECT_EQ(zero.maxX, 125.0f);
    Bounds_Include(&zero, TS_Vec2{0.0f, 0.0f}, TS_Vec2{-400.0f, 0.0f});
    EXPECT_EQ(zero.minX, -200.0f);
    EXPECT_EQ(zero.maxX, 200.0f);
}

TEST(BoundsTest, StayFiniteAtTheEdgeOfTheFloatRange) {
    Bounds bounds = {0.0f, 0.0f, 0.0f, 0.0f};
    Bounds_Include(&bounds, TS_Vec2{FLT_MAX, -FLT_MAX}, TS_Vec2{FLT_MAX, FLT_MAX});
    EXPECT_EQ(bounds.maxX, FLT_MAX);
    EXPECT_EQ(bounds.minY, -FLT_MAX);
    EXPECT_TRUE(std::isfinite(bounds.minX) && std::isfinite(bounds.maxY));
}

}  // namespace
