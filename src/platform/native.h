// Services the framework does not offer but the game needs from the desktop:
// the window icon, focus and resize notifications, and the per-user save folder.
#pragma once

#include <cstddef>

enum NativeWindowEvent { NATIVE_FOCUS_GAINED = 1, NATIVE_FOCUS_LOST = 2, NATIVE_RESIZED = 3 };

// Sees window events before the framework; returning true swallows the event.
typedef bool (*NativeWindowHook)(int event);

// Loads an icon file (BMP-style .ico) and sets it on the game window.
// Returns false and leaves the default icon when the file cannot be loaded.
bool Native_SetWindowIcon(const char* path);

// Installs the one window-event hook (null removes it).
void Native_InstallWindowHook(NativeWindowHook hook);

// Writes the per-user save folder ("<data>/Orrinth/Vexal/", created on demand)
// followed by `fileName` into `out`. Fails, leaving `out` empty, when the folder
// cannot be found or the whole path does not fit into `outSize` bytes.
bool Native_BuildSavePath(const char* fileName, char* out, size_t outSize);

// When started from elsewhere, moves to the folder of the executable so that
// the relative "./Assets/..." paths resolve. Does nothing where ./Assets exists.
void Native_ChangeToGameFolder(void);
