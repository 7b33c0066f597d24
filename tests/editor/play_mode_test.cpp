// Test play inside the editor: a copy of the level is flown and thrown away,
// the music changes over, and Escape stops playing before it leaves.
#include "app/assets.h"
#include "app/config.h"
#include "app/controls.h"
#include "app/sound_groups.h"
#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "world/world.h"

namespace {

class PlayModeTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // The editor is entered from the main menu with its music playing.
        SoundGroup_Play(SoundGroup::MenuMusic, GetMusic(SOUND_MENU_MUSIC), MusicGroupVolume(),
                        true);
    }
};

TEST_F(PlayModeTest, FlyingUsesACopyThatIsGoneWhenPlayStops) {
    // A fuel cell right on the ship's start is collected at once.
    LevelObject* fuel = Put(0, KIND_FUEL_CELL, 0, 0);
    LevelObject* rock = Put(5, KIND_ASTEROID, 400, 300, 80, 60, 30);
    TextObject* hint = PutText(2, "Hold $THRUST_KEY$", -200, -100);

    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    EXPECT_EQ(world.phase, PHASE_FLYING);  // no goal: no fly-over
    Automation_RunFrames(5);
    ASSERT_NE(world.level.objects, Edited().objects);
    ASSERT_NE(world.level.objects[0], nullptr);
    EXPECT_EQ(world.level.objects[0]->object->active, 0);
    EXPECT_EQ(world.level.objects[0]->object->shape, fuel->object->shape);  // shared look
    EXPECT_NE(world.level.objects[0]->object->collider, fuel->object->collider);
    EXPECT_EQ(fuel->object->active, 1);
    EXPECT_FLOAT_EQ(world.level.objects[5]->object->rotation, 30);
    // Texts fly exactly as written.
    ASSERT_NE(world.level.texts[2], nullptr);
    EXPECT_STREQ(world.level.texts[2]->text, "Hold $THRUST_KEY$");
    EXPECT_NE(world.level.texts[2], hint);
    // The bounds hold the ship's box and everything placed.
    EXPECT_FLOAT_EQ(world.level.bounds.maxX, 440);
    EXPECT_FLOAT_EQ(world.level.bounds.maxY, 330);
    EXPECT_FLOAT_EQ(world.level.bounds.minX, -200 - hint->width * 0.5f);
    EXPECT_FLOAT_EQ(world.level.bounds.minY, -110);

    // Fly a little, then stop.
    HoldKey(SchemeKey(ACTION_THRUST), 20);
    TapKey(TS_KEY_F5);
    EXPECT_FALSE(editor.playMode);
    EXPECT_EQ(editor.playLevel.objects, nullptr);
    EXPECT_EQ(Edited().objects[0], fuel);
    EXPECT_EQ(fuel->object->active, 1);
    EXPECT_FLOAT_EQ(rock->object->position.x, 400);
    EXPECT_FLOAT_EQ(rock->object->position.y, 300);
    EXPECT_STREQ(hint->text, "Hold $THRUST_KEY$");
    EXPECT_FALSE(editor.dirty);
    // Playing again starts from the edited level: the cell is there to collect.
    TapKey(TS_KEY_F5);
    EXPECT_EQ(world.level.objects[0]->object->active, 0);
    EXPECT_GT(world.ship.fuel->fuel, 99.0f);
    TapKey(TS_KEY_F5);
}

TEST_F(PlayModeTest, RRestartsOnAFreshCopyOfTheEditedLevelAndHeldSkipsTheFlyOver) {
    LevelObject* fuel = Put(0, KIND_FUEL_CELL, 0, 0);
    Put(0, KIND_GOAL, 0, 3000);
    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    TapKey(TS_KEY_X);  // past the fly-over
    HoldKey(SchemeKey(ACTION_THRUST), 20);
    ASSERT_GT(world.levelTime, 0.0f);
    ASSERT_GT(world.ship.body->position.y, 10.0f);
    [[maybe_unused]] GameObject* const flownCell = world.level.objects[0]->object;

    TapKey(kRestartKey);
    EXPECT_TRUE(editor.playMode);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_LT(world.levelTime, 0.1f);
    EXPECT_LT(world.ship.body->position.y, 10.0f);
    // A new copy, its cell collected again at the start; the edited level's
    // own cell never touched.
    ASSERT_NE(world.level.objects[0], nullptr);
#ifndef _WIN32  // Windows' allocator may hand the freed copy's block straight back
    EXPECT_NE(world.level.objects[0]->object, flownCell);
#endif
    EXPECT_EQ(world.level.objects[0]->object->active, 0);
    EXPECT_EQ(fuel->object->active, 1);
    EXPECT_FALSE(editor.dirty);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(editor.playMode);
}

TEST_F(PlayModeTest, ALevelWithAGoalStartsWithTheFlyOver) {
    Put(0, KIND_GOAL, 500, 0);
    ClickButton(editor.playButton);
    ASSERT_TRUE(editor.playMode);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_STREQ(editor.playButton->label, "Stop");
    ClickButton(editor.playButton);
    EXPECT_FALSE(editor.playMode);
    EXPECT_STREQ(editor.playButton->label, "Play");
}

TEST_F(PlayModeTest, TheMusicChangesOverAndBack) {
    ASSERT_EQ(Automation_GroupPlayingCount(0), 1);
    TapKey(TS_KEY_F5);
    EXPECT_EQ(Automation_GroupPlayingCount(0), 0);
    EXPECT_NE(Automation_GroupPlayingPath(1).find("SUBMERGED SILENCE"), std::string::npos);
    TapKey(TS_KEY_F5);
    EXPECT_EQ(Automation_GroupPlayingCount(1), 0);
    EXPECT_NE(Automation_GroupPlayingPath(0).find("ANCIENT RUINS"), std::string::npos);
    // The ship marker got its image back after the World let go of it.
    EXPECT_EQ(editor.shipMarkerShape->image, spriteCache[SPRITE_PLAYER]);
    EXPECT_NE(editor.shipMarkerShape->image, nullptr);
}

TEST_F(PlayModeTest, FileButtonsAreOffWhilePlaying) {
    TapKey(TS_KEY_F5);
    for (const Button* button :
         {editor.saveButton, editor.openButton, editor.helpButton, editor.exitButton}) {
        EXPECT_FALSE(button->enabled);
    }
    const std::string path = TempDir() + "/never.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    ClickButton(editor.helpButton);
    ClickButton(editor.exitButton);
    TapKey(TS_KEY_F1);
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(AnyPopupOpen());
    EXPECT_TRUE(editor.playMode);
    EXPECT_EQ(editor.saveButton->state, BUTTON_DISABLED);
    FileChooser_ForgetAutomationAnswer();  // leave nothing pending for the next test
    TapKey(TS_KEY_F5);
    EXPECT_TRUE(editor.saveButton->enabled);
    EXPECT_TRUE(editor.exitButton->enabled);
}

TEST_F(PlayModeTest, EscapeStopsPlayingAndOnlyASecondOneAsksToLeave) {
    DropItemAt(PALETTE_ASTEROID, 300, 0);
    ClickWorld(300, 0);
    LevelObject* selected = SelectedObject();
    ASSERT_NE(selected, nullptr);
    TapKey(TS_KEY_F5);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(editor.playMode);
    EXPECT_FALSE(AnyPopupOpen());
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
    // Editing resumes where it was.
    EXPECT_EQ(editor.selection, selected);
    EXPECT_TRUE(editor.dirty);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_TRUE(editor.unsavedPopup->open);
}

TEST_F(PlayModeTest, LeavingTheGameMidFlightReleasesTheWorld) {
    Put(0, KIND_ASTEROID, 300, 0);
    TapKey(TS_KEY_F5);
    ASSERT_TRUE(editor.playMode);
    Screen_Switch(MainMenuScreen);
    Automation_RunFrames(1);
    EXPECT_EQ(world.ship.body, nullptr);
    EXPECT_EQ(editor.playLevel.objects, nullptr);
}

}  // namespace

namespace {

TEST_F(PlayModeTest, EveryTestFlightIsRecordedNamingTheLevelItFlew) {
    Put(0, KIND_FUEL_CELL, 0, 0);  // switched off in the copy as the flight starts
    const uint64_t hash = Level_FlightHash(&Edited());
    EXPECT_EQ(Editor_TestPlayRecording(), nullptr);
    TapKey(TS_KEY_F5);
    HoldKey(SchemeKey(ACTION_THRUST), 20);
    TapKey(TS_KEY_F5);
    const Replay* recording = Editor_TestPlayRecording();
    ASSERT_NE(recording, nullptr);
    EXPECT_STREQ(recording->levelName, "untitled");
    EXPECT_TRUE(Replay_FitsLevel(recording, hash));
    ASSERT_EQ(recording->count, 2u);  // the thrust pressed and let go
    EXPECT_EQ(recording->events[0].key, SchemeKey(ACTION_THRUST));
    EXPECT_EQ(recording->events[1].frame - recording->events[0].frame, 20);

    // The next flight records afresh in the same room.
    const ReplayEvent* room = recording->events;
    TapKey(TS_KEY_F5);
    EXPECT_EQ(Editor_TestPlayRecording()->count, 0u);
    EXPECT_EQ(Editor_TestPlayRecording()->events, room);
    TapKey(TS_KEY_F5);
}

}  // namespace
