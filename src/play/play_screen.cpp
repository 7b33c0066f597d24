// The gameplay frame both the campaign and a custom level run, and the
// pieces of it: the popups, the drawing, the music and the restart.
#include "play/play_screen.h"

#include <cstdio>

#include "app/assets.h"
#include "app/config.h"
#include "app/controls.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "app/text_file.h"
#include "app/window.h"
#include "level/kind_shapes.h"
#include "play/ghost_run.h"
#include "play/pause.h"
#include "play/results.h"
#include "play/run_recorder.h"
#include "ui/file_chooser.h"
#include "ui/help_page.h"
#include "ui/text_lines.h"
#include "world/draw.h"
#include "world/world.h"

namespace {

// The gameplay screen running (null between screens) and whether it set up
// the World.
const PlayScreen* running = nullptr;
bool worldSetUp = false;

const float kLoadFailedWidth = 800.0f;
const float kLoadFailedHeight = 300.0f;  // room for six message lines
const float kMessageTextSize = 17.0f;    // the size popups draw their messages in
const float kMessageMargin = 30.0f;      // between the message and the panel's sides
const int kPathLines = 4;                // a path of 259 characters fits in four

// "Try Again" restarts, which reads the file again and reopens the popup if
// it still cannot be read.
const PopupChoice kLoadFailedChoices[] = {{"Try Again", Play_Restart, false},
                                          {"Exit", Play_Leave, false}};

void GatherPopups(Popup* slots[PLAY_POPUP_SLOTS]) {
    for (size_t i = 0; i < running->popupCount; ++i) slots[i] = *running->popups[i];
}

void PlayScreen_Layout(void) {
    if (!running) return;
    Popup* slots[PLAY_POPUP_SLOTS];
    GatherPopups(slots);
    Play_CentrePopups(slots, running->popupCount);
}

// The popups' step; returns whether they held the World still this frame.
bool UpdatePopups(Popup* slots[PLAY_POPUP_SLOTS], size_t count) {
    Popup* const entry = running->nameEntryPopup ? *running->nameEntryPopup : nullptr;
    const bool entryOpen = entry && entry->open;
    // A key that types into the name must not also press the entry's buttons.
    bool typing = false;
    if (entryOpen && Results_TypingName()) {
        for (size_t i = 0; i < count; ++i) {
            if (slots[i] == entry) slots[i] = nullptr;
        }
        typing = true;
    }
    // A question's No (Escape too) brings the pause menu back: that same
    // Escape must not then resume.
    const bool pauseWasOpen = pausePopup && pausePopup->open;
    if (!Popups_Update(slots, count) && !typing) return false;
    if (entry && entry->open) {
        Results_UpdateNameEntry();
    } else if (pauseWasOpen && pausePopup->open &&
               (Controls_Pressed(CONTROL_PAUSE) || Controls_Pressed(CONTROL_MENU_BACK))) {
        // Escape (Start, B) only ever closes the pause menu, never the results.
        Pause_Resume();
    }
    return true;
}

// The restart key, flying or stranded: the level starts again at once, as the
// pause menu's "Restart" or "Game Over"'s "Try Again" would, with no question.
// The World then runs the frame, in which the key still held skips the intro.
void RestartAtOnce(Popup* const* slots, size_t count) {
    if (!worldSetUp || !(world.phase == PHASE_FLYING || world.stranded)) return;
    if (!Controls_Pressed(CONTROL_RESTART)) return;
    Popup* const gameOver = running->gameOverPopup ? *running->gameOverPopup : nullptr;
    for (size_t i = 0; i < count; ++i) {
        Popup* popup = slots[i];
        if (popup && popup->open && !(popup == gameOver && world.stranded)) return;
    }
    if (gameOver) gameOver->open = false;
    Play_Restart();
}

// The end of the level, once the World has run its frame.
void DecideLevelEnd(void) {
    if (world.stranded) {
        Popup* const gameOver = running->gameOverPopup ? *running->gameOverPopup : nullptr;
        if (gameOver) gameOver->open = true;
    } else if (world.levelComplete && world.phase == PHASE_DONE) {
        if (running->finishLevel) running->finishLevel();
    }
}

}  // namespace

void PlayScreen_Init(const PlayScreen* screen, const Level* level) {
    running = screen;
    Pause_CreatePopups();
    worldSetUp = level != nullptr;
    if (worldSetUp) {
        SetupWorld(level);
        RunRecorder_Start();
        GhostRun_Start();
        world.reloadLevel = screen->reloadLevel;
        Play_StartMusic();
    }
    LayoutHook = PlayScreen_Layout;
    FocusLostHook = Pause_OnFocusLost;
    FocusGainedHook = Pause_OnFocusGained;
    Help_UseAsOverlay();
    Help_Init();
}

void PlayScreen_Update(void) {
    if (!running) return;
    Popup* slots[PLAY_POPUP_SLOTS];
    const size_t count = running->popupCount;
    GatherPopups(slots);
    if (!Help_OverlayOpen()) RestartAtOnce(slots, count);
    if (Help_OverlayOpen()) {
        Help_Update();
    } else if (!UpdatePopups(slots, count)) {
        World_Update();
        DecideLevelEnd();
        // Pausing only while flying: not during the intro or the capture. A
        // pad unplugged mid-flight pauses too, as the player has lost control.
        GatherPopups(slots);
        if (world.phase == PHASE_FLYING &&
            (Controls_Pressed(CONTROL_PAUSE) || Controls_PadLost()) &&
            !Popups_AnyOpen(slots, count)) {
            if (running->pauseDucksMusic) {
                Pause_Open();
            } else {
                Pause_OpenKeepingMusic();
            }
        }
    }
    GatherPopups(slots);
    Play_Draw(slots, count);
}

void PlayScreen_Exit(void) {
    Help_Exit();
    RunRecorder_Stop();
    GhostRun_Stop();
    if (worldSetUp) TeardownWorld();
    worldSetUp = false;
    FreeKindShapes();
    FreeSounds();
    FreeSpriteImages();
    Pause_FreePopups();
    LayoutHook = nullptr;
    FocusGainedHook = nullptr;
    FocusLostHook = nullptr;
    running = nullptr;
}

void Play_CentrePopups(Popup* const* popups, size_t count) {
    const TS_Vec2 centre = TS_Vector_Set(static_cast<float>(TS_System_GetWindowWidth() / 2),
                                         static_cast<float>(TS_System_GetWindowHeight() / 2));
    for (size_t i = 0; i < count; ++i) {
        if (popups[i]) Popup_Move(popups[i], centre);
    }
}

void Play_Draw(Popup* const* popups, size_t count) {
    Window_CheckFullscreenToggle();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
    Popups_Draw(popups, count);
    if (Help_OverlayOpen()) Help_Draw();
}

void Play_StartMusic(void) {
    SoundGroup_Play(SoundGroup::GameMusic, GetMusic(SOUND_GAME_MUSIC), MusicGroupVolume(), true);
}

void Play_Leave(void) { Screen_Finish(ScreenResult::Back); }

void Play_Restart(void) {
    World_Reset();
    if (world.reloadLevel) world.reloadLevel();
}

Popup* Play_CreatePopup(const char* title, const char* message, const PopupChoice* choices,
                        size_t count, float width, float height) {
    Popup* popup = Popup_CreateChoices(title, message, choices, count);
    if (!popup) return nullptr;
    Popup_Resize(popup, TS_Vector_Set(width, height));
    popup->draggable = false;
    return popup;
}

Popup* Play_CreateLoadFailedPopup(void) {
    return Play_CreatePopup("Failed to load level", "", kLoadFailedChoices, 2, kLoadFailedWidth,
                            kLoadFailedHeight);
}

void Play_ShowLoadFailure(Popup* popup, const char* path, int error, const char* advice) {
    if (!popup) return;
    char lines[4 * LEVEL_PATH_SIZE];
    TS_Settings_TextSize(kMessageTextSize);
    TextLines_Wrap(path, popup->size.x - 2.0f * kMessageMargin, kPathLines, lines, sizeof lines);
    char message[sizeof lines + 256];
    std::snprintf(message, sizeof message, "%s\n%s%s%s", lines, FileError_Text(error),
                  advice ? "\n" : "", advice ? advice : "");
    Popup_SetMessage(popup, message);
    popup->open = true;
}
