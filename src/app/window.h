// Window integration: focus and resize handling in front of the framework,
// the hooks a screen sets to react, and the Alt+Enter fullscreen toggle.
#pragma once

typedef void (*WindowHook)(void);

// Set by the current screen in init and cleared in exit; null when unset.
extern WindowHook LayoutHook;
extern WindowHook FocusGainedHook;
extern WindowHook FocusLostHook;

// Places the window-event hook in front of the framework (done at start-up).
void Window_InstallHook(void);

// Once per frame from an interactive screen's update: Alt+Enter switches
// between fullscreen and a 1280 x 720 window, then the screen lays out again,
// and the choice is saved to user.cfg.
void Window_CheckFullscreenToggle(void);
// Alt+Enter went down this frame.
bool Window_FullscreenKeyPressed(void);
// The switch as Alt+Enter makes it: toggled, then saved in user.cfg.
void Window_ToggleFullscreenAndSave(void);

// The switch itself (the options screen's toggle button uses it directly).
void Window_ToggleFullscreen(void);

// Whether the window covers the display.
bool Window_IsFullscreen(void);
