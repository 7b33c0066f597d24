// Writing level files: the exact format, round trips, and failed saves that
// must leave the old file alone.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <string>

#include "app/safe_file.h"
#include "level/level.h"
#include "level_files.h"
#include "support/portable.h"

namespace {

// A Level built in memory the way the editor holds one: tables with holes.
class LevelWriterTest : public LevelFileTest {
protected:
    void SetUp() override {
        FreeLevel(&built);
        InitLevel(&built);
        built.objectCapacity = LEVEL_OBJECT_SLOTS;
        built.textCapacity = LEVEL_TEXT_SLOTS;
        built.objects =
            static_cast<LevelObject**>(std::calloc(LEVEL_OBJECT_SLOTS, sizeof(LevelObject*)));
        built.texts = static_cast<TextObject**>(std::calloc(LEVEL_TEXT_SLOTS, sizeof(TextObject*)));
    }
    void TearDown() override { FreeLevel(&built); }

    void Place(int slot, ObjectKind kind, float x, float y, float rotation, float w, float h) {
        built.objects[slot] = CreateLevelObject(kind, TS_Vec2{x, y}, rotation, TS_Vec2{w, h});
    }
    void PlaceText(int slot, const char* text, float x, float y, float textSize) {
        TextObject* object = CreateTextObject(text, 0);
        object->position = TS_Vec2{x, y};
        TextObject_SetTextSize(object, textSize);
        built.texts[slot] = object;
    }

    Level built = {};
};

TEST_F(LevelWriterTest, WritesTheWorkedExampleExactly) {
    ASSERT_EQ(Read(WorkedExampleLevel()), 0);
    const std::string path = folder.File("saved.vexl");
    ASSERT_EQ(WriteLevelFile(path.c_str(), &level), 0);
    EXPECT_EQ(ReadWholeFile(path), WorkedExampleLevel());
}

TEST_F(LevelWriterTest, DefaultsAreWrittenWithSixDecimals) {
    const std::string path = folder.File("empty.vexl");
    ASSERT_EQ(WriteLevelFile(path.c_str(), &built), 0);
    EXPECT_EQ(ReadWholeFile(path), "/0\n.0.000000\n%100.000000\n^0.000000\n");
}

TEST_F(LevelWriterTest, WriteThenReadGivesTheSameLevelCompacted) {
    built.flags = 0x80000005u;  // bits the game does not know survive too
    built.parTime = 42.25f;
    built.startFuel = 75.5f;
    built.startRotation = -90.0f;
    Place(3, KIND_WALL, -10.5f, 20.25f, 45.0f, 300.0f, 20.0f);
    Place(57, KIND_ASTEROID, 1.0f, 2.0f, 0.0f, 50.0f, 50.0f);
    Place(99, KIND_MISSILE_TRAP, 123456.5f, -0.125f, 359.5f, 10.0f, 12.0f);
    built.goal = CreateLevelObject(KIND_GOAL, TS_Vec2{800.0f, 90.0f}, 0.0f, TS_Vec2{50.0f, 50.0f});
    PlaceText(4, "Press $THRUST_KEY$, then steer", 5.0f, 6.0f, 24.0f);
    PlaceText(11, "second", -5.0f, -6.0f, 10.0f);
    built.texts[11]->rotation = 12.5f;

    const std::string path = folder.File("round.vexl");
    ASSERT_EQ(WriteLevelFile(path.c_str(), &built), 0);
    ASSERT_EQ(Read(ReadWholeFile(path)), 0);

    EXPECT_EQ(level.flags, 0x80000005u);
    EXPECT_EQ(level.parTime, 42.25f);
    EXPECT_EQ(level.startFuel, 75.5f);
    EXPECT_EQ(level.startRotation, -90.0f);
    ASSERT_EQ(ObjectCount(), 3);
    const int builtSlots[] = {3, 57, 99};
    for (int i = 0; i < 3; ++i) {
        const LevelObject* read = level.objects[i];
        const LevelObject* original = built.objects[builtSlots[i]];
        ASSERT_NE(read, nullptr) << "slot " << i;
        EXPECT_EQ(read->kind, original->kind);
        EXPECT_EQ(read->object->position.x, original->object->position.x);
        EXPECT_EQ(read->object->position.y, original->object->position.y);
        EXPECT_EQ(read->object->rotation, original->object->rotation);
        EXPECT_EQ(read->object->size.x, original->object->size.x);
        EXPECT_EQ(read->object->size.y, original->object->size.y);
    }
    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->object->position.x, 800.0f);

    ASSERT_EQ(TextCount(), 2);
    EXPECT_STREQ(level.texts[0]->text, "Press $THRUST_KEY$, then steer");
    EXPECT_EQ(level.texts[0]->textSize, 24.0f);
    EXPECT_EQ(level.texts[0]->width, built.texts[4]->width);
    EXPECT_STREQ(level.texts[1]->text, "second");
    EXPECT_EQ(level.texts[1]->rotation, 12.5f);
    EXPECT_EQ(level.texts[1]->position.y, -6.0f);
}

TEST_F(LevelWriterTest, AFullEditorLevelSurvivesSaving) {
    for (int slot = 0; slot < LEVEL_OBJECT_SLOTS; ++slot) {
        Place(slot, slot % 2 ? KIND_ASTEROID : KIND_FUEL_CELL, slot * 10.0f, 0.0f, 0.0f, 50.0f,
              50.0f);
    }
    built.goal = CreateLevelObject(KIND_GOAL, TS_Vec2{-300.0f, 0.0f}, 0.0f, TS_Vec2{50.0f, 50.0f});
    for (int slot = 0; slot < LEVEL_TEXT_SLOTS; ++slot)
        PlaceText(slot, "hint", 0.0f, slot * 30.0f, 20.0f);

    const std::string path = folder.File("full.vexl");
    ASSERT_EQ(WriteLevelFile(path.c_str(), &built), 0);
    ASSERT_EQ(Read(ReadWholeFile(path)), 0);
    EXPECT_EQ(ObjectCount(), LEVEL_OBJECT_SLOTS);
    ASSERT_NE(level.goal, nullptr);
    EXPECT_EQ(level.goal->object->position.x, -300.0f);
    EXPECT_EQ(TextCount(), LEVEL_TEXT_SLOTS);
}

TEST_F(LevelWriterTest, LongTextsSurviveARoundTrip) {
    // With its numbers the line is well over 299 characters; the text still
    // comes back whole and no part of it turns into a record of its own.
    const std::string text(299, 'z');
    PlaceText(0, text.c_str(), -123456.0f, 654321.0f, 1000.0f);
    const std::string path = folder.File("long.vexl");
    ASSERT_EQ(WriteLevelFile(path.c_str(), &built), 0);
    ASSERT_EQ(Read(ReadWholeFile(path)), 0);
    ASSERT_EQ(TextCount(), 1);
    EXPECT_EQ(std::string(level.texts[0]->text), text);
    EXPECT_EQ(ObjectCount(), 0);
}

TEST_F(LevelWriterTest, MissingFolderReportsTheError) {
    const std::string path = folder.File("no-such-folder/level.vexl");
    EXPECT_EQ(WriteLevelFile(path.c_str(), &built), ENOENT);
    const std::string underAFile = folder.File("plain");
    WriteWholeFile(underAFile, "x");
#ifdef _WIN32
    // Windows calls a file standing in for a folder a path not found.
    EXPECT_EQ(WriteLevelFile((underAFile + "/level.vexl").c_str(), &built), ENOENT);
#else
    EXPECT_EQ(WriteLevelFile((underAFile + "/level.vexl").c_str(), &built), ENOTDIR);
#endif
}

TEST_F(LevelWriterTest, FailedSaveLeavesTheOldFileAndNoLitter) {
    const std::string path = folder.File("level.vexl");
    WriteWholeFile(path, WorkedExampleLevel());
    Place(0, KIND_ASTEROID, 1.0f, 1.0f, 0.0f, 5.0f, 5.0f);

    SafeFile_FailNextCommitForTests(ENOSPC);
    EXPECT_EQ(WriteLevelFile(path.c_str(), &built), ENOSPC);
    EXPECT_EQ(ReadWholeFile(path), WorkedExampleLevel());
    EXPECT_EQ(folder.Files().size(), 1u);

    SafeFile_FailNextCommitForTests(EIO);
    EXPECT_EQ(WriteLevelFile(path.c_str(), &built), EIO);
    EXPECT_EQ(ReadWholeFile(path), WorkedExampleLevel());

    // The injected failure is used up: the next save goes through.
    EXPECT_EQ(WriteLevelFile(path.c_str(), &built), 0);
    EXPECT_NE(ReadWholeFile(path), WorkedExampleLevel());
}

TEST_F(LevelWriterTest, FolderThatRefusesNewFilesFailsTheSave) {
#ifdef _WIN32
    GTEST_SKIP() << "not on Windows: " WINDOWS_NO_PERMISSION_BITS;
#else
    const std::string path = folder.File("level.vexl");
    WriteWholeFile(path, WorkedExampleLevel());
    ASSERT_EQ(chmod(folder.Path().c_str(), 0500), 0);
    // The save runs in a child process; a superuser child first becomes an
    // ordinary user, since folder permissions do not bind the superuser.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(255);
        _exit(WriteLevelFile(path.c_str(), &built));
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.Path().c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), EACCES);
    EXPECT_EQ(ReadWholeFile(path), WorkedExampleLevel());
    EXPECT_EQ(folder.Files().size(), 1u);
#endif
}

}  // namespace
