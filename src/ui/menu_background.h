// The slowly panning space picture behind the main menu and its sub-screens.
#pragma once

// Advances the pan and draws the picture at window height, over black where
// it leaves the window uncovered. It is the first thing a menu frame draws.
void MenuBackground_Draw(void);
// The same under the menu screens' dim; what is not picture is black,
// so the dim over the picture is the dim over the whole window.
void MenuBackground_DrawDimmed(void);
// Sets the anchor (a quarter of the window width) when not yet initialised.
void MenuBackground_Init(void);
// Marks the pan as not initialised: it restarts from its anchor next time.
void MenuBackground_Reset(void);
