// The slowly panning space picture behind the main menu and its sub-screens.
#pragma once

// Advances the pan and draws the picture at window height.
void MenuBackground_Draw(void);
// The same under the menu screens' dim; the window is cleared to black first,
// so the dim over the picture is the dim over the whole window.
void MenuBackground_DrawDimmed(void);
// Sets the anchor (a quarter of the window width) when not yet initialised.
void MenuBackground_Init(void);
// Marks the pan as not initialised: it restarts from its anchor next time.
void MenuBackground_Reset(void);
