// The help page: animated hints for thrust and turning, the player's key
// caps and the map picture. The Help screen of the main menu shows it on its
// own; during a game the pause menu opens it as an overlay.
#pragma once

// True while the page is the in-game overlay: its "Back" then only closes
// it. The gameplay screens set it before Help_Init; the main menu clears it.
extern bool helpInGame;
// The overlay is shown; set by the pause menu, cleared by "Back".
extern bool helpOpen;

// The Help screen's callbacks; a gameplay screen calls the same three to set
// up, run (while helpOpen) and release the overlay.
void Help_Init(void);
// Help_Init for a gameplay screen: the page becomes its overlay, closed.
void Help_InitOverlay(void);
// The main menu's Help button: the page is a screen of its own whose "Back"
// returns to the main menu.
void Help_UseAsScreen(void);
// The pause menu's "Help": shows the overlay over the paused game.
void Help_OpenOverlay(void);
// Whether the overlay is shown.
bool Help_OverlayOpen(void);
void Help_Update(void);
void Help_Exit(void);
// Draws the whole page. Help_Update draws it itself only on the Help screen;
// a gameplay screen calls it last in its frame while helpOpen.
void Help_Draw(void);
// Places the button and the demo ships for the window size.
void Help_Layout(void);
