// The help page: animated hints for thrust and turning, the player's key
// caps and the map picture. The Help screen of the main menu shows it on its
// own; during a game the pause menu opens it as an overlay.
#pragma once

// What the page is, said before Help_Init. A gameplay screen makes it its
// overlay, closed, whose "Back" only closes it; the main menu's Help button
// makes it a screen of its own whose "Back" returns to the main menu.
void Help_UseAsOverlay(void);
void Help_UseAsScreen(void);
// Whether the page is a gameplay screen's overlay.
bool Help_IsOverlay(void);

// The overlay is opened by the pause menu's "Help" and closed by "Back".
void Help_OpenOverlay(void);
void Help_CloseOverlay(void);
bool Help_OverlayOpen(void);

// The Help screen's callbacks; a gameplay screen calls the same three to set
// up, run (while the overlay is open) and release the overlay.
void Help_Init(void);
void Help_Update(void);
void Help_Exit(void);
// Draws the whole page. Help_Update draws it itself only on the Help screen;
// a gameplay screen calls it last in its frame while the overlay is open.
void Help_Draw(void);
// Places the button and the demo ships for the window size.
void Help_Layout(void);
