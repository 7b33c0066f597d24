// The player's preferences beyond user.cfg's four numbers (which older
// versions read as they are): preferences.cfg in the save folder, one
// "name value" line each, so new ones can be added without breaking it.
#pragma once

struct Preferences {
    bool ghost;  // the ghost of the best run flies beside the ship
};

extern Preferences preferences;

enum { PREFERENCES_FILE_LIMIT = 4096 };  // bytes; a larger file counts as unreadable

// Reads preferences.cfg. A missing file leaves the defaults (it is written
// when a preference changes). A file that exists but cannot be read is never
// replaced: the game runs on the defaults, says why on standard error, and
// Preferences_Write leaves it alone.
void Preferences_Read(void);
// Writes every preference through a temporary file. Returns 0, or why the
// file was not written (an errno value, or the reason it could not be read).
int Preferences_Write(void);
int Preferences_ReadError(void);  // 0, or why preferences.cfg could not be read
// Reads "name value" lines into `prefs`: a known name with a number sets it
// (any non-zero number is on); other lines, unknown names and missing
// numbers are passed over and leave what they would have set alone.
void Preferences_Parse(const char* text, Preferences* prefs);
// The defaults, no read error, and the path forgotten.
void Preferences_ResetForTests(void);
