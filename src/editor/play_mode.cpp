// Test play in the editor: the level is copied, flown in an ordinary World and
// thrown away again, so nothing the ship does reaches the level being edited.
// Every test flight is recorded as a replay, like any other attempt. Reaching
// the goal reports the run (time, fuel left, score) and can set the par.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/assets.h"
#include "app/controls.h"
#include "app/sound_groups.h"
#include "editor/editor.h"
#include "ui/popup.h"
#include "world/replay.h"
#include "world/world.h"

namespace {

// The test flight's recording; kept after it stops, until the next one
// starts or the editor closes. As much room as the gameplay screens make.
const uint32_t kRecordingEvents = 8192;
Replay recording = {};
bool recordingMade = false;

// Records the flight of the copy just made, naming the level by the file it
// was last saved as (or "untitled") and its flight hash as it starts.
void StartRecording(uint64_t flightHash) {
    if (!recordingMade) {
        InitReplay(&recording);
        recordingMade = true;
    }
    Replay_Reserve(&recording, kRecordingEvents);
    const char* slash = std::strrchr(editor.savePath, '/');
    const char* name = slash ? slash + 1 : editor.savePath;
    Replay_SetLevel(&recording, *name ? name : "untitled", flightHash);
    World_RecordInto(&recording);
}

// The flying copy: its own tables and objects, the texts exactly as written
// (placeholders stay as they are), and bounds around everything placed.
// Returns false, with nothing to fly, when memory runs out.
bool CopyEditedLevel(void) {
    if (Level_Copy(&editor.editedLevel, &editor.playLevel) != 0) return false;
    editor.playLevel.bounds = Level_ComputeBounds(&editor.playLevel);
    return true;
}

void SetFileButtonsEnabled(bool enabled) {
    Button* buttons[4] = {editor.saveButton, editor.openButton, editor.helpButton,
                          editor.exitButton};
    for (Button* button : buttons) {
        if (button) button->enabled = enabled;
    }
    if (editor.playButton) Button_SetLabel(editor.playButton, enabled ? "Play" : "Stop");
}

void PlayMusic(int slot, SoundGroup group) {
    TS_Sound music = GetMusic(slot);
    if (music) SoundGroup_Play(group, music, MusicGroupVolume(), true);
}

// Everything of play mode except the music.
void StopFlying(void) {
    editor.playMode = false;
    World_RecordInto(nullptr);
    // Releasing the World also drops the ship's image from the sprite cache,
    // which the ship marker shows too: it takes the image anew.
    TeardownWorld();
    if (editor.shipMarkerShape) editor.shipMarkerShape->image = GetSpriteImage(SPRITE_PLAYER);
    FreeLevel(&editor.playLevel);
    InitLevel(&editor.playLevel);
    SetFileButtonsEnabled(true);
}

// With the intro turned off the flight starts as if X skipped it at once, so
// the recording replays the same as it flew.
void SkipIntroIfOff(void) {
    if (editor.testIntroOff) world.pressed.skip = 1;
}

// A fresh copy of the edited level (every fuel cell back) flown again. A copy
// that cannot be made ends the test play.
void Restart(void) {
    editor.playReported = false;
    FreeLevel(&editor.playLevel);
    InitLevel(&editor.playLevel);
    if (!CopyEditedLevel()) {
        Editor_SetPlayMode(false);
        return;
    }
    World_Reset();
    StartLevel(&editor.playLevel);
    SkipIntroIfOff();
}

// The restart key, flying or stranded, flies from the intro, which the key
// still held skips.
void RestartAtOnce(void) {
    if (!(world.phase == PHASE_FLYING || world.stranded)) return;
    if (Controls_Pressed(CONTROL_RESTART)) Restart();
}

// The goal touched or the ship stranded: the popup says how the run went.
void ReportRun(void) {
    if (editor.playReported) return;
    if (world.stranded) {
        editor.playReported = true;
        Popup_Open(editor.strandedPopup);
        return;
    }
    if (!world.levelComplete) return;
    editor.playReported = true;
    editor.reportedTime = world.levelTime;
    char fuel[32];
    if (world.level.flags & LEVEL_UNLIMITED_FUEL) {
        std::snprintf(fuel, sizeof fuel, "unlimited");
    } else {
        const float left = world.ship.fuel ? world.ship.fuel->fuel : 0.0f;
        std::snprintf(fuel, sizeof fuel, "%.1f", static_cast<double>(left));
    }
    char par[48];
    if (world.level.parTime > 0.0f) {
        std::snprintf(par, sizeof par, "Par %.0f s", static_cast<double>(world.level.parTime));
    } else {
        std::snprintf(par, sizeof par, "No par yet");
    }
    char message[200];
    std::snprintf(message, sizeof message,
                  "Time: %.2f s     Fuel left: %s\nScore: %d     (%s; from this run: %.0f s)",
                  static_cast<double>(world.levelTime), fuel, World_LevelScore(), par,
                  static_cast<double>(Editor_ParFromRun(world.levelTime)));
    Popup_SetMessage(editor.runPopup, message);
    Popup_Open(editor.runPopup);
}

}  // namespace

float Editor_ParFromRun(float seconds) {
    if (!(seconds > 0.0f)) return 0.0f;
    const float par = std::ceil(seconds * kParMargin);
    return par > 600.0f ? 600.0f : par;
}

void Editor_SetParFromRun(void) {
    const float par = Editor_ParFromRun(editor.reportedTime);
    Editor_SetPlayMode(false);
    if (editor.editedLevel.parTime == par) return;
    // One step of the history of its own, undone like any other change.
    Editor_CommitChanges();
    editor.editedLevel.parTime = par;
    Editor_MarkChanged();
    Editor_CommitChanges();
    char notice[64];
    std::snprintf(notice, sizeof notice, "Par set to %.0f s", static_cast<double>(par));
    Editor_ShowNotice(notice);
}

void Editor_FlyAgain(void) {
    if (editor.playMode) Restart();
}

void Editor_BackToEditing(void) { Editor_SetPlayMode(false); }

bool Editor_UpdatePlayReportKeys(void) {
    if (!editor.playMode) return false;
    const bool reportOpen = (editor.runPopup && editor.runPopup->open) ||
                            (editor.strandedPopup && editor.strandedPopup->open);
    if (!reportOpen || !Controls_Pressed(CONTROL_RESTART)) return false;
    if (editor.runPopup) editor.runPopup->open = false;
    if (editor.strandedPopup) editor.strandedPopup->open = false;
    Restart();
    return true;
}

void Editor_ToggleTestIntro(void) {
    editor.testIntroOff = !editor.testIntroOff;
    Editor_ShowNotice(editor.testIntroOff ? "Test play: no intro" : "Test play: with the intro");
}

void Editor_SetPlayMode(bool on) {
    if (editor.playMode == on) return;
    editor.playReported = false;
    // A report left open by the flight's end is closed with it.
    if (editor.runPopup) editor.runPopup->open = false;
    if (editor.strandedPopup) editor.strandedPopup->open = false;
    if (!on) {
        StopFlying();
        SoundGroup_Stop(SoundGroup::GameMusic);
        PlayMusic(SOUND_MENU_MUSIC, SoundGroup::MenuMusic);  // from the beginning again
        return;
    }
    // A level that cannot be copied is not flown: the editor stays as it was.
    if (!CopyEditedLevel()) return;
    editor.playMode = true;
    // The hash is taken before the flight switches any fuel cell off.
    const uint64_t hash = Level_FlightHash(&editor.playLevel);
    SetupWorld(&editor.playLevel);
    StartRecording(hash);
    SkipIntroIfOff();
    SetFileButtonsEnabled(false);
    SoundGroup_Stop(SoundGroup::MenuMusic);
    PlayMusic(SOUND_GAME_MUSIC, SoundGroup::GameMusic);
}

void Editor_UpdatePlayMode(void) {
    RestartAtOnce();
    World_Update();
    ReportRun();
    // Escape, or a pad's Start or B, goes back to editing.
    if (Controls_Pressed(CONTROL_PAUSE) || Controls_Pressed(CONTROL_MENU_BACK)) {
        Editor_SetPlayMode(false);
    }
}

void Editor_AbandonPlayMode(void) {
    if (!editor.playMode) return;
    StopFlying();
}

const Replay* Editor_TestPlayRecording(void) { return recordingMade ? &recording : nullptr; }

void Editor_FreeTestPlayRecording(void) {
    if (recordingMade) FreeReplay(&recording);
    recordingMade = false;
}
