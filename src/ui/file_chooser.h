// The in-game file chooser for level files: a modal dialog that runs its own
// frames until the player picks a file or cancels, so callers simply get a
// path back (or nothing) and it works the same in a window or fullscreen.
#pragma once

enum { LEVEL_PATH_SIZE = 260 };  // a chosen path has at most 259 characters

// Lets the player pick an existing level file. Starts in the player's own
// levels folder (created on demand), with shortcuts to the shipped levels and
// the home folder. Returns true with the path in `destination`, or false
// (destination untouched) when cancelled.
bool ChooseLevelFile(char destination[LEVEL_PATH_SIZE]);

// The same for saving: the player also types a name (".vexl" is added when
// missing); new names are accepted, and whether to replace an existing file
// is for the caller to ask.
bool ChooseSaveLevelFile(char destination[LEVEL_PATH_SIZE]);

// For tests of the screens that open the chooser: the next call answers at
// once, without a dialog, with `path` (true) or as cancelled (false) when
// `cancel` is set or `path` is null. A path longer than 259 characters is
// refused like a typed one: the call returns false.
void FileChooser_SetAutomationAnswer(const char* path, bool cancel);
// Takes back an answer no chooser has used, so the next call opens the dialog.
void FileChooser_ForgetAutomationAnswer(void);
