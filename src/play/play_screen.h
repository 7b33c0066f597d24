// What the two gameplay screens (the campaign and a custom level) share: one
// play-screen frame each of them configures, the modal popup step, the
// frame's drawing, the gameplay music and the restart.
#pragma once

#include <cstddef>

#include "level/level.h"
#include "ui/popup.h"

enum { PLAY_POPUP_SLOTS = 10 };

// What one gameplay screen plays with; the rest of the frame is common.
struct PlayScreen {
    // The screen's popup variables in slot order, which is also their update
    // and drawing order; read each frame, as the screen creates them in its
    // Init.
    Popup** popups[PLAY_POPUP_SLOTS];
    size_t popupCount;
    // A popup that takes a typed name while open (or null): a key that types
    // into the name does not also press its buttons.
    Popup** nameEntryPopup;
    // Opened when the ship is stranded.
    Popup** gameOverPopup;
    // A level whose goal capture is over: scored and its results shown.
    void (*finishLevel)(void);
    // Reads the level again and starts it (the World's reload on a restart).
    void (*reloadLevel)(void);
    // Whether Escape's pause menu ducks the music.
    bool pauseDucksMusic;
};

// Starts the common part of a gameplay screen once its own popups exist:
// the pause popups, the World on `level` (null: no World, none torn down on
// exit) with the screen's reload and the music, the help overlay and the
// window hooks. `screen` must outlive the screen.
void PlayScreen_Init(const PlayScreen* screen, const Level* level);
// One frame: the help overlay, or the popups, or the World and the level's
// end; Escape pauses while flying and resumes the pause menu; then drawing.
void PlayScreen_Update(void);
// Releases what PlayScreen_Init made and the gameplay assets; the screen then
// frees its own popups and level.
void PlayScreen_Exit(void);

// Puts every popup back in the middle of the window (after a window change).
void Play_CentrePopups(Popup* const* popups, size_t count);
// The frame's drawing: the fullscreen toggle check, the World and its HUD,
// the popups in slot order and, while it is open, the help overlay.
void Play_Draw(Popup* const* popups, size_t count);

// Starts the gameplay music (its own sound group) at the music volume.
void Play_StartMusic(void);
// Starts the level again from its intro: the World's reset, then the owning
// screen's reload of the level file, which brings back every fuel cell.
void Play_Restart(void);
// Leaves the game for the menus; the progress and score go with the screen.
void Play_Leave(void);

// A closed choice popup of the given size that stays in the window's middle;
// null when memory runs out.
Popup* Play_CreatePopup(const char* title, const char* message, const PopupChoice* choices,
                        size_t count, float width, float height);

// The popup for a level file that cannot be read, closed: "Try Again" runs
// the restart (which reads the file again), "Exit" leaves for the menus.
// Null when memory runs out.
Popup* Play_CreateLoadFailedPopup(void);
// Names the file and the reason, with `advice` (or nothing) under them, and
// opens the popup. While it is open the screen's World stands still.
void Play_ShowLoadFailure(Popup* popup, const char* path, int error, const char* advice);
