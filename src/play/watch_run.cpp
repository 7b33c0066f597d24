// Watching a level's best run: the World set up as for play, its steps' keys
// read from the best run by a replay cursor, in real time; the end shows the
// run's time in a popup that leads back to the level select.
#include "play/watch_run.h"

#include <cstdio>

#include "app/assets.h"
#include "app/sound_groups.h"
#include "app/window.h"
#include "level/kind_shapes.h"
#include "play/campaign.h"
#include "play/records.h"
#include "ui/popup.h"
#include "world/draw.h"
#include "world/replay_cursor.h"
#include "world/world.h"

namespace {

// Enough steps for any run to finish its capture once skipped to the end.
const int32_t kMostSkippedSteps = REPLAY_DEFAULT_FRAMES * 4;
const int32_t kTutorialCount = 6;  // the campaign's first levels
const float kCaptionSize = 22.0f;
const float kHintSize = 16.0f;
const TS_Color kCaptionColour = {235, 235, 235, 255};

int32_t chosenIndex = 0;

Level level = {};
LevelRecord record = {};
ReplayCursor cursor = {};
bool worldUp = false;
bool ended = false;  // the run is over and its time shown
Popup* endPopup = nullptr;
char caption[96] = "";
char endMessage[96] = "";

// Reads a shipped level and its records; true when the best run fits it.
bool ReadLevelAndRun(int32_t index, Level* read, LevelRecord* best) {
    InitLevel(read);
    InitLevelRecord(best);
    if (index < 0 || index >= CAMPAIGN_LEVEL_COUNT) return false;
    char name[RECORD_KEY_SIZE];
    Campaign_ShippedName(index, name, sizeof name);
    if (ReadLevelFile(campaignLevelPaths[index], read, true) != 0) return false;
    if (Records_Load(name, best) != 0) return false;
    return best->bestRun.count > 0 && Replay_FitsLevel(&best->bestRun, Level_FlightHash(read));
}

void Leave(void) { Screen_Finish(ScreenResult::Back); }

// From the start again, on the level read afresh: the run's fuel cells were
// switched off in the level as read.
void WatchAgain(void) {
    Level read;
    if (ReadLevelFile(campaignLevelPaths[chosenIndex], &read, true) != 0 ||
        !Replay_FitsLevel(&record.bestRun, Level_FlightHash(&read))) {
        FreeLevel(&read);
        Leave();
        return;
    }
    World_Reset();
    FreeLevel(&level);
    level = read;
    StartLevel(&level);
    ReplayCursor_Start(&cursor, &record.bestRun);
    SoundGroup_SetVolume(SoundGroup::GameMusic, MusicGroupVolume());
    ended = false;
}

const PopupChoice kEndChoices[] = {{"Watch Again", WatchAgain, false}, {"Back", Leave, false}};

void ShowEnd(void) {
    ended = true;
    if (!endPopup) {
        Leave();  // no memory for the popup: back at once
        return;
    }
    if (world.levelComplete) {
        std::snprintf(endMessage, sizeof endMessage, "Reached the goal in %.2f s",
                      static_cast<double>(world.levelTime));
    } else {
        std::snprintf(endMessage, sizeof endMessage, "The run ended after %.2f s",
                      static_cast<double>(world.levelTime));
    }
    Popup_SetMessage(endPopup, endMessage);
    Popup_Move(endPopup, TS_Vector_Set(static_cast<float>(TS_System_GetWindowWidth() / 2),
                                       static_cast<float>(TS_System_GetWindowHeight() / 2)));
    endPopup->open = true;
}

bool RunOver(void) { return world.phase >= PHASE_DONE || world.stranded; }

// The rest of the run at once, its capture included; the hits it would
// have sounded are not all played together.
void SkipToTheEnd(void) {
    for (int32_t i = 0; i < kMostSkippedSteps && !RunOver(); ++i) World_StepFromSource();
    SoundGroup_Stop(SoundGroup::Effects);
    SoundGroup_Stop(SoundGroup::ThrusterLoop);
    SoundGroup_Stop(SoundGroup::TurningLoop);
    SoundGroup_Stop(SoundGroup::CaptureSpin);
    SoundGroup_SetVolume(SoundGroup::GameMusic, MusicGroupVolume());
    world.thrustSoundOn = 0;
    world.turnSoundOn = 0;
}

void DrawCaption(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(kCaptionColour);
    TS_Settings_TextSize(kCaptionSize);
    TS_Font_DrawText(caption, w * 0.5f, 28.0f);
    if (ended) return;
    TS_Settings_TextSize(kHintSize);
    TS_Font_DrawText("X: skip to the end      Esc: back", w * 0.5f, 56.0f);
}

void WatchRun_Init(void) {
    BuildKindShapes();
    ended = false;
    endPopup = Popup_CreateChoices("Best Run", "", kEndChoices, 2);
    const bool ready = ReadLevelAndRun(chosenIndex, &level, &record);
    // Named as the level select names it.
    const bool tutorial = chosenIndex < kTutorialCount;
    std::snprintf(caption, sizeof caption, "Best run of %s %d: %.2f s",
                  tutorial ? "Tutorial" : "Level",
                  tutorial ? chosenIndex + 1 : chosenIndex - kTutorialCount + 1,
                  static_cast<double>(record.bestTime));
    worldUp = ready;
    if (!ready) return;  // nothing to watch: the first frame goes back
    SetupWorld(&level);
    ReplayCursor_Start(&cursor, &record.bestRun);
    World_TakeKeysFrom(&cursor);
    SoundGroup_Play(SoundGroup::GameMusic, GetMusic(SOUND_GAME_MUSIC), MusicGroupVolume(), true);
}

void WatchRun_Update(void) {
    if (!worldUp) {
        Leave();
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
        return;
    }
    if (!Popups_Update(&endPopup, 1)) {
        if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) {
            Leave();
        } else if (!ended) {
            if (TS_Input_KeyTriggered(TS_KEY_X)) SkipToTheEnd();
            else World_Update();
            if (RunOver()) ShowEnd();
        }
    } else if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) {
        Leave();
    }
    Window_CheckFullscreenToggle();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
    DrawCaption();
    Popups_Draw(&endPopup, 1);
}

void WatchRun_Exit(void) {
    if (worldUp) {
        World_TakeKeysFrom(nullptr);
        TeardownWorld();
    }
    worldUp = false;
    FreeLevel(&level);
    FreeLevelRecord(&record);
    Popup_Free(endPopup);
    endPopup = nullptr;
    FreeKindShapes();
    FreeSounds();
    FreeSpriteImages();
    // Back in the menus, their music again.
    SoundGroup_Stop(SoundGroup::GameMusic);
    SoundGroup_Play(SoundGroup::MenuMusic, GetMusic(SOUND_MENU_MUSIC), MusicGroupVolume(), true);
}

}  // namespace

void WatchRun_Choose(int32_t campaignIndex) { chosenIndex = campaignIndex; }

bool WatchRun_HasBestRun(int32_t campaignIndex) {
    Level read;
    LevelRecord best;
    const bool has = ReadLevelAndRun(campaignIndex, &read, &best);
    FreeLevel(&read);
    FreeLevelRecord(&best);
    return has;
}

const GameState WatchRunScreen = {WatchRun_Init, WatchRun_Update, WatchRun_Exit, "WatchRun"};
