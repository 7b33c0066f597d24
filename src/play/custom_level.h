// A custom level: one level file the player picked in the level select,
// played on its own with a replay or the way back to the main menu.
#pragma once

#include "app/screens.h"
#include "level/level.h"
#include "ui/file_chooser.h"
#include "ui/popup.h"

// Filled by the level select before it switches to the CustomLevel screen,
// and kept between visits.
extern Level customLevel;
extern char customPath[LEVEL_PATH_SIZE];
// Set when the file chooser opens; the screen's first frame then does
// nothing, so the input that closed the chooser never reaches the game.
extern bool skipFirstFrame;

// The two results popups: "Game Over" and "You Win!" (null while the screen
// is not running). The pause popups are the shared ones.
extern Popup* customGameOverPopup;
extern Popup* customWinPopup;
// Shown when the file cannot be read again for a replay: "Try Again" or
// "Exit" (null while the screen is not running).
extern Popup* customLoadFailedPopup;

// The CustomLevel screen and its callbacks.
extern const GameState CustomLevelScreen;
void Custom_Init(void);
void Custom_Update(void);
void Custom_Exit(void);

// Reads the file again from disk and starts it: edits saved meanwhile count.
void Custom_ReloadLevel(void);
