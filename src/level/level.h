// A level as the game plays and the editor edits it, the level file reader and
// writer, and the key names that level texts can mention.
#pragma once

#include <cstdint>

#include "level/objects.h"

enum LevelFlag : uint32_t {
    LEVEL_UNLIMITED_FUEL = 1,  // no fuel cost, no gauge, no fuel bonus
    LEVEL_NO_TURNING = 2,      // the ship cannot turn
    LEVEL_NO_STRANDING = 4,    // an emptied tank does not strand the ship
    LEVEL_HALF_SPEED = 8       // the ship's top speed is halved
};

enum { LEVEL_OBJECT_SLOTS = 100, LEVEL_TEXT_SLOTS = 20 };

// The largest level file the game reads. A full level (a hundred objects and
// twenty texts of 299 characters) takes about 15 KiB; a megabyte leaves room
// for any amount of comments, while a file of gigabytes is refused at once
// instead of being read to the end.
enum { LEVEL_FILE_MAX_BYTES = 1 << 20 };

// The Level owns its tables, every entry in them and the goal entry; it never
// owns the kind Shapes its objects point at.
struct Level {
    uint32_t flags;
    Bounds bounds;          // encloses the ship's start box and everything placed
    LevelObject** objects;  // objectCapacity slots, null holes
    LevelObject* goal;      // the single end point, or null
    uint64_t objectCapacity;
    TextObject** texts;  // textCapacity slots, null holes
    uint64_t textCapacity;
    float parTime;  // seconds; no time bonus unless above 0
    float startFuel;
    float startRotation;  // degrees
};

// Flags 0, bounds 0, no tables, no goal, par time 0, fuel 100, rotation 0.
void InitLevel(Level* level);

// Reads a level file into `level` (which it initialises first). Returns 0 on
// success, -1 (FILE_ERROR_NO_MEMORY) when the tables or an object cannot be
// allocated, otherwise the error number from opening or reading the file
// (errno, or a FileError of app/text_file.h: FILE_ERROR_TOO_LARGE past
// LEVEL_FILE_MAX_BYTES, FILE_ERROR_UTF16, FILE_ERROR_NOT_A_FILE for a FIFO or
// a device). After an error the Level is empty, never half read, and is still
// valid: release it with FreeLevel. Lines end in "\n", "\r\n" or a lone "\r",
// and a UTF-8 byte-order mark is skipped. A line longer than
// LEVEL_LINE_BUFFER - 1 bytes is read from its first LEVEL_LINE_BUFFER - 1
// bytes and the rest of it is skipped (a text keeps 299 characters anyway; an
// object line that long is read as far as it was kept). With substituteKeys
// the "$THRUST_KEY$" placeholders of texts become the player's key names
// (play); the editor keeps them.
int ReadLevelFile(const char* path, Level* level, bool substituteKeys);

// Writes the level to `path`: everything goes to a temporary file beside it,
// which replaces the old file only when complete. Returns 0, or the error
// number of what failed; the old file is then untouched.
int WriteLevelFile(const char* path, const Level* level);

// Releases every object, text and the goal, and the tables (never the Shapes).
void FreeLevel(Level* level);

// Makes `copy` (never the source itself) a deep copy of `source`: its own
// tables of the same capacities with holes where the source has them, its own
// objects, colliders, goal and texts (texts as written, widths as they stand),
// and the same settings and bounds; kind Shapes stay shared. Returns 0, or
// FILE_ERROR_NO_MEMORY when anything cannot be allocated: `copy` is then an
// empty Level, valid for FreeLevel and for play.
int Level_Copy(const Level* source, Level* copy);

// The ship's 65 x 65 start box around the origin, stretched to hold every
// object, the goal and every text (its width by its text size) of the level;
// rotation is not considered. ReadLevelFile starts from this box and stretches
// it by each line as the file gives it (a text with the width written there,
// every goal line), so a file with a single goal whose texts carry their own
// widths reads to the bounds this gives.
Bounds Level_ComputeBounds(const Level* level);

// Expands "$THRUST_KEY$", "$TLEFT_KEY$" and "$TRIGHT_KEY$" in place into the
// key names of the current control scheme (or "A", "Left" and "Right" when
// the player last used a game pad); any other "$TOKEN$" vanishes. The
// result is never longer than the text (and at most 299 characters).
void SubstituteKeyNames(char* text);

// The action (ACTION_THRUST, ACTION_TURN_LEFT, ACTION_TURN_RIGHT) that a
// placeholder token names, or -1. The token is the text between the '$' signs.
int KeyPlaceholderAction(const char* token, uint64_t length);

// Names of keys for texts ("Left Arrow") and for key caps ("<-"); "" for a
// key without a name.
const char* KeyName(int key);
const char* KeyShortName(int key);

// A fingerprint of what a level is to fly: its flags, start fuel and start
// rotation, and every object's kind, place, turn and size in table order,
// the goal's too (FNV-1a over the exact values). Par time and texts are left
// out: they change no flight. A replay names the hash of the level it flew,
// so it is never played against a changed level; custom levels' records are
// kept under it.
uint64_t Level_FlightHash(const Level* level);
