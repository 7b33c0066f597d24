// The pause menu of the gameplay screens ("Resume", "Restart", "Help",
// "Exit"), its two "are you sure" questions, and pausing on focus loss.
#pragma once

#include "ui/popup.h"

// The three popups of the screen being played; null until created.
extern Popup* pausePopup;
extern Popup* restartPopup;
extern Popup* exitPopup;

// Creates the pause menu and the two questions, all closed. The questions
// are made once: while they exist, asking again keeps them.
void Pause_CreatePopups(void);
// Frees all three and forgets them, so the next gameplay screen makes its own.
void Pause_FreePopups(void);

// Opens the pause menu, closes the questions and ducks the music.
void Pause_Open(void);
// The same without ducking: the music keeps its volume.
void Pause_OpenKeepingMusic(void);
// Closes the pause menu as "Resume" does (Escape), bringing the music back.
void Pause_Resume(void);

// The screen's focus hooks: losing the window pauses and silences the music;
// coming back keeps the game paused with the music ducked.
void Pause_OnFocusLost(void);
void Pause_OnFocusGained(void);

// Music behind a menu plays at this group volume (unless the player turned
// the music off; then the groups are left alone).
extern const float kDuckedMusicVolume;
void Pause_DuckMusic(void);
void Pause_RestoreMusic(void);
