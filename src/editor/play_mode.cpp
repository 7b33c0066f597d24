// Test play in the editor: the level is copied, flown in an ordinary World and
// thrown away again, so nothing the ship does reaches the level being edited.
// Every test flight is recorded as a replay, like any other attempt.
#include <cstring>

#include "app/assets.h"
#include "app/sound_groups.h"
#include "editor/editor.h"
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

}  // namespace

void Editor_SetPlayMode(bool on) {
    if (editor.playMode == on) return;
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
    SetFileButtonsEnabled(false);
    SoundGroup_Stop(SoundGroup::MenuMusic);
    PlayMusic(SOUND_GAME_MUSIC, SoundGroup::GameMusic);
}

void Editor_UpdatePlayMode(void) {
    World_Update();
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) Editor_SetPlayMode(false);
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
