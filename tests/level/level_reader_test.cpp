// Reading level files: the worked example, carried values, limits, and the
// lines the reader skips or repairs.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <string>

#include "level/level.h"
#include "level_files.h"

namespace {

const int kHybridScheme = 3;

std::string ObjectLines(const char* line, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += line;
    return lines;
}

using LevelReaderTest = LevelFileTest;

TEST_F(LevelReaderTest, WorkedExampleReadForPlay) {
    userConfig.controlScheme = kHybridScheme;
    ASSERT_EQ(Read(WorkedExampleLevel(), true), 0);

    EXPECT_EQ(level.flags, 0u);
    EXPECT_FLOAT_EQ(level.parTime, 30.0f);
    EXPECT_FLOAT_EQ(level.startFuel, 150.0f);
    EXPECT_FLOAT_EQ(level.startRotation, 90.0f);
    ASSERT_EQ(level.objectCapacity, 100u);
    ASSERT_EQ(level.textCapacity, 20u);

    // Slots follow the object lines; the goal's line leaves its slot empty.
    ASSERT_NE(level.objects[0], nullptr);
    ASSERT_NE(level.objects[1], nullptr);
    ASSERT_NE(level.objects[2], nullptr);
    EXPECT_EQ(level.objects[3], nullptr);
    EXPECT_EQ(ObjectCount(), 3);
    EXPECT_EQ(level.objects[0]->kind, KIND_ASTEROID);
    EXPECT_EQ(level.objects[1]->kind, KIND_FUEL_CELL);
    EXPECT_EQ(level.objects[2]->kind, KIND_WALL);
    const GameObject* wall = level.objects[2]->object;
    EXPECT_FLOAT_EQ(wall->position.y, 300.0f);
    EXPECT_FLOAT_EQ(wall->rotation, 45.0f);
    EXPECT_FLOAT_EQ(wall->size.x, 400.0f);
    EXPECT_FLOAT_EQ(wall->size.y, 40.0f);
    ASSERT_NE(wall->collider, nullptr);

    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->kind, KIND_GOAL);
    EXPECT_FLOAT_EQ(level.goal->object->position.x, 600.0f);
    EXPECT_FLOAT_EQ(level.goal->object->position.y, -40.0f);

    ASSERT_EQ(TextCount(), 1);
    const TextObject* text = level.texts[0];
    EXPECT_STREQ(text->text, "Fly to the D side");
    EXPECT_FLOAT_EQ(text->width, 170.0f);
    EXPECT_FLOAT_EQ(text->textSize, 20.0f);
    EXPECT_FLOAT_EQ(text->position.y, -120.0f);

    // The text's box counts with the width as written (280), not 170.
    EXPECT_FLOAT_EQ(level.bounds.minX, -200.0f);
    EXPECT_FLOAT_EQ(level.bounds.minY, -130.0f);
    EXPECT_FLOAT_EQ(level.bounds.maxX, 625.0f);
    EXPECT_FLOAT_EQ(level.bounds.maxY, 320.0f);
}

TEST_F(LevelReaderTest, EditorReadKeepsPlaceholders) {
    ASSERT_EQ(Read(WorkedExampleLevel(), false), 0);
    ASSERT_EQ(TextCount(), 1);
    EXPECT_STREQ(level.texts[0]->text, "Fly to the $TRIGHT_KEY$ side");
    EXPECT_FLOAT_EQ(level.texts[0]->width, 280.0f);
}

TEST_F(LevelReaderTest, FlagsAloneLeaveTheRestAtDefaults) {
    ASSERT_EQ(Read("/1\n"), 0);
    EXPECT_EQ(level.flags, 1u);
    EXPECT_EQ(level.parTime, 0.0f);
    EXPECT_EQ(level.startFuel, 100.0f);
    EXPECT_EQ(level.startRotation, 0.0f);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(level.goal, nullptr);
    EXPECT_EQ(level.bounds.minX, -32.5f);
    EXPECT_EQ(level.bounds.minY, -32.5f);
    EXPECT_EQ(level.bounds.maxX, 32.5f);
    EXPECT_EQ(level.bounds.maxY, 32.5f);
}

TEST_F(LevelReaderTest, MissingNumbersAreCarriedFromThePreviousLine) {
    ASSERT_EQ(Read("A,5,6\n"
                   "W,1,2,30,40,50\n"
                   "A,7,8\n"
                   "Ax\n"
                   "T,10,20\n"),
              0);
    // The first line has nothing to carry over: zeros.
    const GameObject* first = level.objects[0]->object;
    EXPECT_EQ(first->position.x, 5.0f);
    EXPECT_EQ(first->position.y, 6.0f);
    EXPECT_EQ(first->rotation, 0.0f);
    EXPECT_EQ(first->size.x, 0.0f);

    const GameObject* carried = level.objects[2]->object;
    EXPECT_EQ(carried->position.x, 7.0f);
    EXPECT_EQ(carried->position.y, 8.0f);
    EXPECT_EQ(carried->rotation, 30.0f);
    EXPECT_EQ(carried->size.x, 40.0f);
    EXPECT_EQ(carried->size.y, 50.0f);

    // "Ax" is still an asteroid, with all five numbers of the line before.
    ASSERT_NE(level.objects[3], nullptr);
    EXPECT_EQ(level.objects[3]->kind, KIND_ASTEROID);
    EXPECT_EQ(level.objects[3]->object->position.x, 7.0f);
    EXPECT_EQ(level.objects[3]->object->size.y, 50.0f);

    // A text with too few numbers starts right after the 'T'.
    ASSERT_EQ(TextCount(), 1);
    const TextObject* text = level.texts[0];
    EXPECT_STREQ(text->text, ",10,20");
    EXPECT_EQ(text->position.x, 10.0f);
    EXPECT_EQ(text->position.y, 20.0f);
    EXPECT_EQ(text->rotation, 30.0f);
    EXPECT_EQ(text->textSize, 50.0f);
    EXPECT_EQ(text->width, 6 * 50.0f * 0.5f);
}

TEST_F(LevelReaderTest, TextKeepsCommasAfterTheFifthNumber) {
    ASSERT_EQ(Read("T,0.000000,0.000000,0.000000,120.000000,20.000000,Hello, world\n"), 0);
    ASSERT_EQ(TextCount(), 1);
    EXPECT_STREQ(level.texts[0]->text, "Hello, world");
    EXPECT_FLOAT_EQ(level.texts[0]->width, 120.0f);
}

TEST_F(LevelReaderTest, TextsEndingTheFileOrTheLineEarly) {
    // No newline after the last text, and texts with nothing after the numbers.
    ASSERT_EQ(Read("T,1,2,3,4,5\n"
                   "T,1,2,3,4,5,Windows line\r\n"
                   "T,1,2,3,4,5"),
              0);
    ASSERT_EQ(TextCount(), 3);
    EXPECT_STREQ(level.texts[0]->text, "");
    EXPECT_STREQ(level.texts[1]->text, "Windows line");
    EXPECT_STREQ(level.texts[2]->text, "");
}

TEST_F(LevelReaderTest, TypeCharactersAreCaseSensitiveAndOthersIgnored) {
    ASSERT_EQ(Read("a,1,2,3,4,5\n"
                   "e,1,2,3,4,5\n"
                   "t,1,2,3,4,5,lower\n"
                   "\n"
                   "0,1,2,3,4,5\n"
                   "# a comment\n"
                   "F,1,2,3,4,5\n"),
              0);
    EXPECT_EQ(ObjectCount(), 1);
    EXPECT_EQ(TextCount(), 0);
    EXPECT_EQ(level.goal, nullptr);
    // Ignored lines do not count as object lines.
    ASSERT_NE(level.objects[0], nullptr);
    EXPECT_EQ(level.objects[0]->kind, KIND_FUEL_CELL);
}

TEST_F(LevelReaderTest, OnlyTheFirstGoalCountsButEveryGoalLineDoes) {
    ASSERT_EQ(Read("E,10,0,0,10,10\n"
                   "E,-500,0,0,10,10\n"
                   "E,0,900,0,10,10\n"
                   "M,1,1,0,2,2\n"),
              0);
    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->object->position.x, 10.0f);
    EXPECT_EQ(level.objects[0], nullptr);
    EXPECT_EQ(level.objects[1], nullptr);
    EXPECT_EQ(level.objects[2], nullptr);
    ASSERT_NE(level.objects[3], nullptr);
    EXPECT_EQ(level.objects[3]->kind, KIND_MISSILE_TRAP);
    EXPECT_EQ(level.bounds.minX, -505.0f);
    EXPECT_EQ(level.bounds.maxY, 905.0f);
}

TEST_F(LevelReaderTest, ObjectsPastAHundredLinesAreIgnoredButTheRestIsRead) {
    // Ignored goals count toward the hundred as well.
    std::string file = "E,0,0,0,1,1\nE,1,1,0,1,1\n" + ObjectLines("L,1,1,0,2,2\n", 98);
    file += "/7\nA,5000,5000,0,1,1\nE,-9000,0,0,1,1\nT,1,1,0,1,1,late\n";
    ASSERT_EQ(Read(file), 0);
    EXPECT_EQ(ObjectCount(), 98);
    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->object->position.x, 0.0f);
    EXPECT_EQ(level.flags, 7u);
    EXPECT_EQ(TextCount(), 1);
    // Neither the ignored asteroid nor the ignored goal stretch the bounds.
    EXPECT_EQ(level.bounds.maxX, 32.5f);
    EXPECT_EQ(level.bounds.minX, -32.5f);
}

TEST_F(LevelReaderTest, AFullObjectTableStillGetsItsGoal) {
    std::string file = ObjectLines("A,1,1,0,2,2\n", 100);
    file += "W,1,1,0,2,2\nE,700,0,0,50,50\nT,0,0,0,1,1,after\n";
    ASSERT_EQ(Read(file), 0);
    EXPECT_EQ(ObjectCount(), 100);
    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->object->position.x, 700.0f);
    EXPECT_EQ(level.bounds.maxX, 725.0f);
    EXPECT_EQ(TextCount(), 1);
}

TEST_F(LevelReaderTest, TextsAndSettingsDoNotCountTowardTheLimit) {
    std::string file = ObjectLines("T,0,0,0,1,1,t\n", 5) + ObjectLines("/1\n", 5);
    file += ObjectLines("A,1,1,0,2,2\n", 100);
    ASSERT_EQ(Read(file), 0);
    EXPECT_EQ(ObjectCount(), 100);
    EXPECT_EQ(TextCount(), 5);
}

TEST_F(LevelReaderTest, TheTwentyFirstTextIsSkippedWithoutStretchingTheBounds) {
    std::string file = ObjectLines("T,0,0,0,10,10,text\n", 20);
    file += "T,9000,9000,0,10,10,one too many\n";
    ASSERT_EQ(Read(file), 0);
    EXPECT_EQ(TextCount(), 20);
    EXPECT_EQ(level.bounds.maxX, 32.5f);
}

TEST_F(LevelReaderTest, UnreadableNumbersKeepEarlierValues) {
    ASSERT_EQ(Read(".12.5\n.nan\n.\n%1e39\n%inf\n^-45\n^abc\n"
                   "/4294967295\n/99999999999\n/\n"),
              0);
    EXPECT_EQ(level.parTime, 12.5f);
    EXPECT_EQ(level.startFuel, 100.0f);
    EXPECT_EQ(level.startRotation, -45.0f);
    EXPECT_EQ(level.flags, 4294967295u);
}

TEST_F(LevelReaderTest, NonFiniteNumbersNeverReachObjects) {
    ASSERT_EQ(Read("A,1,2,3,4,5\n"
                   "A,10,nan,30,40,50\n"
                   "A,11,12,INF,1e39,60\n"),
              0);
    // The parse stops at the unreadable number; that one and the later ones
    // are carried over.
    const GameObject* second = level.objects[1]->object;
    EXPECT_EQ(second->position.x, 10.0f);
    EXPECT_EQ(second->position.y, 2.0f);
    EXPECT_EQ(second->rotation, 3.0f);
    EXPECT_EQ(second->size.y, 5.0f);
    const GameObject* third = level.objects[2]->object;
    EXPECT_EQ(third->position.y, 12.0f);
    EXPECT_EQ(third->rotation, 3.0f);
    EXPECT_TRUE(std::isfinite(level.bounds.maxX) && std::isfinite(level.bounds.maxY));
}

TEST_F(LevelReaderTest, NegativeFlagsWrapAsUnsigned) {
    ASSERT_EQ(Read("/-1\n"), 0);
    EXPECT_EQ(level.flags, 0xFFFFFFFFu);
}

TEST_F(LevelReaderTest, OverlongLineIsOneRecordWithItsTextCut) {
    // From character 300 on, the line looks like an asteroid line; it must
    // not become one.
    const std::string head = "T,0,0,0,10,10,";
    const std::string text = std::string(299 - head.size(), 'y') + "A,1,2,3,4,5 is not an object";
    ASSERT_EQ(
        Read(head + text + "\n" + "T,0,0,0,10,10,short\n" + "/" + std::string(400, '0') + "3\n"),
        0);
    EXPECT_EQ(ObjectCount(), 0);
    ASSERT_EQ(TextCount(), 2);
    EXPECT_EQ(std::string(level.texts[0]->text), text.substr(0, 299));
    EXPECT_STREQ(level.texts[1]->text, "short");
    EXPECT_EQ(level.flags, 3u);
}

TEST_F(LevelReaderTest, UnopenableFileGivesItsErrorAndAnEmptyLevel) {
    const std::string missing = folder.File("missing.vexl");
    ASSERT_EQ(ReadLevelFile(missing.c_str(), &level, true), ENOENT);
    EXPECT_NE(level.objects, nullptr);
    EXPECT_NE(level.texts, nullptr);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(level.bounds.maxX, 32.5f);

    FreeLevel(&level);
    EXPECT_EQ(ReadLevelFile(folder.Path().c_str(), &level, false), EISDIR);
}

TEST_F(LevelReaderTest, FreeLevelEmptiesTheTablesAndIsSafeTwice) {
    ASSERT_EQ(Read(WorkedExampleLevel()), 0);
    FreeLevel(&level);
    EXPECT_EQ(level.objects, nullptr);
    EXPECT_EQ(level.texts, nullptr);
    EXPECT_EQ(level.goal, nullptr);
    FreeLevel(&level);

    Level fresh;
    InitLevel(&fresh);
    FreeLevel(&fresh);
    EXPECT_EQ(fresh.startFuel, 100.0f);
}

}  // namespace
