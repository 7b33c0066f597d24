// Services the framework does not offer but the game needs from the desktop:
// the window icon, focus and resize notifications, the per-user save folder,
// and the few file system calls that differ between Linux and Windows. Every
// path is UTF-8 with '/' between names, on every system.
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

// Writes the per-user save folder ("<data>/Orrinth/Vexal/", created on demand:
// ~/.local/share or $XDG_DATA_HOME on Linux, %APPDATA% on Windows)
// followed by `fileName` into `out`. Fails, leaving `out` empty, when the folder
// cannot be found or the whole path does not fit into `outSize` bytes.
bool Native_BuildSavePath(const char* fileName, char* out, size_t outSize);
// Puts another folder in place of the player's save folder (the screenshot
// tour's scratch folder; "" or null gives the player's back). It must exist
// and end in '/'. Set it before anything builds a save path.
void Native_SetSaveFolder(const char* folder);

// When started from elsewhere, moves to the folder that holds the game's
// Assets (beside the executable, or ../share/games/vexal/ from it once
// installed) so that the relative "./Assets/..." paths resolve. Does nothing
// where ./Assets exists.
void Native_ChangeToGameFolder(void);

// The player's home folder, or null when the system does not say.
const char* Native_HomeFolder(void);

// Makes one folder (its parent must exist): 0 when it is made or already
// there, else an errno value.
int Native_MakeFolder(const char* path);

#ifdef _WIN32
// The UTF-16 form of a path for Windows' wide file calls, '/' turned into
// '\\'. False when the path is not UTF-8 or does not fit into `outSize`.
bool Native_WidePath(const char* path, wchar_t* out, size_t outSize);
#endif
