// The player's own keys and pad buttons for the seven game actions (thrust,
// the turns, map, skip, pause, restart), kept in controls.cfg in the save
// folder; a fresh player, or one whose file cannot be used, flies on the
// control scheme's keys.
#pragma once

#include "app/controls.h"

// The actions a player can rebind are the first ones of GameAction.
enum { BINDABLE_ACTION_COUNT = CONTROL_RESTART + 1 };

struct Bindings {
    int scheme;                       // the control scheme the keys were chosen under
    int keys[BINDABLE_ACTION_COUNT];  // TS_KEY_* codes
    int pads[BINDABLE_ACTION_COUNT];  // TS_PAD_* buttons
};

extern Bindings bindings;

enum { BINDINGS_FILE_LIMIT = 4096 };  // bytes; a larger file counts as unreadable

// What a fresh player gets under `scheme`: its three flying keys, M for the
// map, X to skip, Escape to pause, R to restart, and the pad's A, D-pad
// left and right, left shoulder, X, Start and Back.
Bindings Bindings_Defaults(int scheme);

// The key and pad button of a bindable action (0 and -1 for others). The
// keys follow the current control scheme until the player binds their own.
int Bindings_Key(int action);
int Bindings_Pad(int action);

// Binds `key` to `action`. When another action had that key, the two swap,
// so no key ever does two actions. False for a key that cannot be bound
// (Escape, which backs out of menus and captures; F keys; unknown codes).
bool Bindings_SetKey(int action, int key);
// The same for a pad button; B (the pad's Escape) cannot be bound.
bool Bindings_SetPad(int action, int button);
// The control scheme's keys and the pad's default buttons again.
void Bindings_ResetToScheme(void);
// The player chose another control scheme: its keys replace the bound ones
// (the pad's buttons stay as they are).
void Bindings_ChooseScheme(int scheme);

// The names shown for a key or pad button ("" for one that cannot be bound).
// A key's long name fits in 11 characters, so a level text's placeholder can
// always be replaced in place; the short one fits on a drawn key cap.
const char* Bindings_KeyName(int key);
const char* Bindings_KeyShortName(int key);
const char* Bindings_PadName(int button);

// Reads controls.cfg. A missing file leaves the scheme's keys. A file that
// exists but cannot be read is never replaced: the game runs on the scheme's
// keys, says why on standard error, and Bindings_Save leaves it alone. Lines
// it does not understand are passed over; keys bound twice, or bindings
// chosen under another control scheme than user.cfg's, give the scheme's keys.
void Bindings_Read(void);
// Writes controls.cfg through a temporary file when the bindings changed since
// they were read or last saved. Returns 0, or why it was not written.
int Bindings_Save(void);
int Bindings_ReadError(void);  // 0, or why controls.cfg could not be read this run
// The file's lines: "scheme N", then "action key pad" for each action, e.g.
// "thrust 87 0". Returns false, leaving `out` alone, when the text does not
// make a whole set of bindings for `scheme`.
bool Bindings_Parse(const char* text, int scheme, Bindings* out);
// While suspended, every action has the control scheme's keys and the pad's
// default buttons: a recorded run, flown through the keyboard, plays the
// scheme's keys it was recorded in whatever keys the player bound. Returns
// whether they were suspended before.
bool Bindings_Suspend(bool suspend);
// Scheme defaults for the current scheme, no read error, the path forgotten.
void Bindings_ResetForTests(void);
