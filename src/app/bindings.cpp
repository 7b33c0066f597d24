// controls.cfg: the keys and pad buttons the player chose for each game
// action, read with a size limit and written through a temporary file like
// user.cfg, and the names the game shows for them.
#include "app/bindings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"
#include "platform/tessera.h"

Bindings bindings = {
    2,
    {TS_KEY_SPACE, TS_KEY_LEFT, TS_KEY_RIGHT, TS_KEY_M, TS_KEY_X, TS_KEY_ESCAPE, kRestartKey},
    {TS_PAD_A, TS_PAD_LEFT, TS_PAD_RIGHT, TS_PAD_LEFT_SHOULDER, TS_PAD_X, TS_PAD_START,
     TS_PAD_BACK}};

namespace {

const char* const kFileName = "controls.cfg";
// The words of the file for each action, in GameAction order.
const char* const kActionWords[BINDABLE_ACTION_COUNT] = {"thrust", "left",  "right",  "map",
                                                         "skip",   "pause", "restart"};

SavePath bindingsPath = {{0}, false};
int readError = 0;       // why this run's file could not be read; it is then left alone
bool changed = false;    // the bindings differ from what the file holds
bool suspended = false;  // a replay is flying: the scheme's keys only

struct KeyNames {
    int key;
    const char* name;       // at most 11 characters: see SubstituteKeyNames
    const char* shortName;  // fits a key cap
};

// Letters and digits are named by themselves (see KeyOwnName); these are the
// other keys a player can bind.
const KeyNames kKeyNames[] = {
    {TS_KEY_SPACE, "Spacebar", "Spacebar"},
    {TS_KEY_RIGHT, "Right Arrow", "->"},
    {TS_KEY_LEFT, "Left Arrow", "<-"},
    {TS_KEY_UP, "Up Arrow", "Up"},
    {TS_KEY_DOWN, "Down Arrow", "Down"},
    {TS_KEY_ESCAPE, "Escape", "Esc"},
    {TS_KEY_ENTER, "Enter", "Enter"},
    {TS_KEY_TAB, "Tab", "Tab"},
    {TS_KEY_BACKSPACE, "Backspace", "Bksp"},
    {260, "Insert", "Ins"},
    {TS_KEY_DELETE, "Delete", "Del"},
    {266, "Page Up", "PgUp"},
    {267, "Page Down", "PgDn"},
    {268, "Home", "Home"},
    {269, "End", "End"},
    {TS_KEY_LEFT_SHIFT, "Left Shift", "Shift"},
    {TS_KEY_RIGHT_SHIFT, "Right Shift", "Shift"},
    {TS_KEY_LEFT_CONTROL, "Left Ctrl", "Ctrl"},
    {TS_KEY_RIGHT_CONTROL, "Right Ctrl", "Ctrl"},
    {TS_KEY_LEFT_ALT, "Left Alt", "Alt"},
    {TS_KEY_RIGHT_ALT, "Right Alt", "Alt"},
    {'\'', "'", "'"},
    {',', ",", ","},
    {TS_KEY_MINUS, "-", "-"},
    {'.', ".", "."},
    {'/', "/", "/"},
    {';', ";", ";"},
    {'=', "=", "="},
    {'[', "[", "["},
    {'\\', "\\", "\\"},
    {']', "]", "]"},
    {'`', "`", "`"},
};

const char* const kKeypadNames[10] = {"Keypad 0", "Keypad 1", "Keypad 2", "Keypad 3", "Keypad 4",
                                      "Keypad 5", "Keypad 6", "Keypad 7", "Keypad 8", "Keypad 9"};
const char* const kKeypadShortNames[10] = {"KP0", "KP1", "KP2", "KP3", "KP4",
                                           "KP5", "KP6", "KP7", "KP8", "KP9"};

// A letter or digit key's name is its own character.
const char* KeyOwnName(int key) {
    static const char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static char names[36][2];
    const char* found = nullptr;
    if (key >= '0' && key <= '9') found = kCharacters + (key - '0');
    if (key >= 'A' && key <= 'Z') found = kCharacters + 10 + (key - 'A');
    if (!found) return nullptr;
    char* name = names[found - kCharacters];
    name[0] = *found;
    name[1] = '\0';
    return name;
}

const KeyNames* FindKey(int key) {
    for (const KeyNames& names : kKeyNames) {
        if (names.key == key) return &names;
    }
    return nullptr;
}

const char* const kPadNames[TS_PAD_BUTTON_COUNT] = {
    "A",    "B",    "X",     "Y",        "Back",       "Start",      "LB",          "RB", "Up",
    "Down", "Left", "Right", "Stick Up", "Stick Down", "Stick Left", "Stick Right", "LT", "RT",
};

bool Bindable(int action) { return action >= 0 && action < BINDABLE_ACTION_COUNT; }

bool KeyCanBeBound(int key) { return key != TS_KEY_ESCAPE && Bindings_KeyName(key)[0] != '\0'; }
bool PadCanBeBound(int button) {
    return button >= 0 && button < TS_PAD_BUTTON_COUNT && button != TS_PAD_B;
}

// No key and no pad button does two actions (Escape may only pause).
bool Consistent(const Bindings& set) {
    for (int a = 0; a < BINDABLE_ACTION_COUNT; ++a) {
        const bool keyOk =
            set.keys[a] == TS_KEY_ESCAPE ? a == CONTROL_PAUSE : KeyCanBeBound(set.keys[a]);
        if (!keyOk || !PadCanBeBound(set.pads[a])) return false;
        for (int b = a + 1; b < BINDABLE_ACTION_COUNT; ++b) {
            if (set.keys[a] == set.keys[b] || set.pads[a] == set.pads[b]) return false;
        }
    }
    return true;
}

int Scheme(void) { return TS_Math_ClampInt(userConfig.controlScheme, 0, CONTROL_SCHEME_COUNT - 1); }

// Bindings chosen under another scheme than user.cfg's are not the player's
// keys any more (an older version of the game changed the scheme, or a
// replay is flying under its own): that scheme's keys apply, with the
// player's pad buttons.
const Bindings& Current(void) {
    static Bindings effective;
    if (!suspended && bindings.scheme == Scheme()) return bindings;
    effective = Bindings_Defaults(Scheme());
    if (!suspended) std::memcpy(effective.pads, bindings.pads, sizeof effective.pads);
    return effective;
}

// The bindings to change: those of the current scheme.
Bindings& Mutable(void) {
    if (bindings.scheme != Scheme()) {
        const Bindings defaults = Bindings_Defaults(Scheme());
        std::memcpy(bindings.keys, defaults.keys, sizeof bindings.keys);
        bindings.scheme = defaults.scheme;
    }
    return bindings;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// A whole number of at most six digits at `*cursor`, after white space.
bool ReadNumber(const char** cursor, int* value) {
    const char* c = *cursor;
    while (IsSpace(*c)) ++c;
    const char* digits = c;
    while (*c >= '0' && *c <= '9' && c - digits < 7) ++c;
    if (c == digits || c - digits > 6) return false;
    *value = static_cast<int>(std::strtol(digits, nullptr, 10));
    *cursor = c;
    return true;
}

// One line into `set`; *schemeSeen is set by a "scheme" line.
void ParseLine(const char* line, Bindings* set, int* schemeSeen) {
    while (IsSpace(*line)) ++line;
    const char* word = line;
    while (*line && !IsSpace(*line)) ++line;
    const size_t wordLength = static_cast<size_t>(line - word);
    int first = 0;
    int second = 0;
    if (!ReadNumber(&line, &first)) return;
    if (wordLength == 6 && std::strncmp(word, "scheme", 6) == 0) {
        while (IsSpace(*line)) ++line;
        if (*line == '\0') *schemeSeen = first;
        return;
    }
    if (!ReadNumber(&line, &second)) return;
    while (IsSpace(*line)) ++line;
    if (*line != '\0') return;
    for (int a = 0; a < BINDABLE_ACTION_COUNT; ++a) {
        if (std::strlen(kActionWords[a]) == wordLength &&
            std::strncmp(kActionWords[a], word, wordLength) == 0) {
            set->keys[a] = first;
            set->pads[a] = second;
        }
    }
}

// The whole file, parsed only when every byte could be read. `*usable` says
// whether it made a set of bindings for the current scheme.
int ReadBindingsFile(const char* path, Bindings* out, bool* usable) {
    TextFile file;
    int error = TextFile_Open(&file, path, BINDINGS_FILE_LIMIT);
    if (error) return error;
    char text[BINDINGS_FILE_LIMIT + 2];
    char line[BINDINGS_FILE_LIMIT + 2];
    size_t used = 0;
    size_t length = 0;
    bool cut = false;
    while (TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        if (std::strlen(line) != length) continue;  // a NUL inside: not a line of ours
        if (used + length + 1 >= sizeof text) break;
        if (used > 0) text[used++] = '\n';
        std::memcpy(text + used, line, length);
        used += length;
    }
    text[used] = '\0';
    error = TextFile_Close(&file);
    if (error) return error;
    *usable = Bindings_Parse(text, Scheme(), out);
    return 0;
}

}  // namespace

Bindings Bindings_Defaults(int scheme) {
    scheme = TS_Math_ClampInt(scheme, 0, CONTROL_SCHEME_COUNT - 1);
    const int* keys = controlSchemeKeys + 3 * scheme;
    return Bindings{scheme,
                    {keys[ACTION_THRUST], keys[ACTION_TURN_LEFT], keys[ACTION_TURN_RIGHT], TS_KEY_M,
                     TS_KEY_X, TS_KEY_ESCAPE, kRestartKey},
                    {TS_PAD_A, TS_PAD_LEFT, TS_PAD_RIGHT, TS_PAD_LEFT_SHOULDER, TS_PAD_X,
                     TS_PAD_START, TS_PAD_BACK}};
}

int Bindings_Key(int action) { return Bindable(action) ? Current().keys[action] : 0; }

int Bindings_Pad(int action) { return Bindable(action) ? Current().pads[action] : -1; }

bool Bindings_SetKey(int action, int key) {
    if (!Bindable(action) || !KeyCanBeBound(key)) return false;
    Bindings& set = Mutable();
    int holder = -1;
    for (int other = 0; other < BINDABLE_ACTION_COUNT; ++other) {
        if (other != action && set.keys[other] == key) holder = other;
    }
    if (holder >= 0) {
        // The two actions swap keys; but Escape only ever pauses, so an action
        // that would get it from the pause takes its own default key instead,
        // when that is free.
        int given = set.keys[action];
        if (given == TS_KEY_ESCAPE) {
            given = Bindings_Defaults(set.scheme).keys[holder];
            for (int other = 0; other < BINDABLE_ACTION_COUNT; ++other) {
                if (other != holder && set.keys[other] == given) return false;
            }
            if (given == key) return false;
        }
        set.keys[holder] = given;
    }
    set.keys[action] = key;
    changed = true;
    return true;
}

bool Bindings_SetPad(int action, int button) {
    if (!Bindable(action) || !PadCanBeBound(button)) return false;
    Bindings& set = Mutable();
    for (int other = 0; other < BINDABLE_ACTION_COUNT; ++other) {
        if (other != action && set.pads[other] == button) set.pads[other] = set.pads[action];
    }
    set.pads[action] = button;
    changed = true;
    return true;
}

void Bindings_ResetToScheme(void) {
    bindings = Bindings_Defaults(Scheme());
    changed = true;
}

void Bindings_ChooseScheme(int scheme) {
    const Bindings defaults = Bindings_Defaults(scheme);
    std::memcpy(bindings.keys, defaults.keys, sizeof bindings.keys);
    bindings.scheme = defaults.scheme;
    changed = true;
}

const char* Bindings_KeyName(int key) {
    if (const char* own = KeyOwnName(key)) return own;
    if (key >= TS_KEY_KP_0 && key <= TS_KEY_KP_9) return kKeypadNames[key - TS_KEY_KP_0];
    const KeyNames* names = FindKey(key);
    return names ? names->name : "";
}

const char* Bindings_KeyShortName(int key) {
    if (const char* own = KeyOwnName(key)) return own;
    if (key >= TS_KEY_KP_0 && key <= TS_KEY_KP_9) return kKeypadShortNames[key - TS_KEY_KP_0];
    const KeyNames* names = FindKey(key);
    return names ? names->shortName : "";
}

const char* Bindings_PadName(int button) {
    return button >= 0 && button < TS_PAD_BUTTON_COUNT ? kPadNames[button] : "";
}

bool Bindings_Parse(const char* text, int scheme, Bindings* out) {
    Bindings read = Bindings_Defaults(scheme);
    int schemeSeen = -1;
    char line[256];
    while (*text) {
        const size_t length = std::strcspn(text, "\n");
        // A line too long to be ours is passed over whole.
        if (length < sizeof line) {
            std::memcpy(line, text, length);
            line[length] = '\0';
            ParseLine(line, &read, &schemeSeen);
        }
        text += length;
        if (*text == '\n') ++text;
    }
    if (schemeSeen != read.scheme || !Consistent(read)) return false;
    *out = read;
    return true;
}

int Bindings_ReadError(void) { return readError; }

void Bindings_Read(void) {
    readError = 0;
    changed = false;
    bindings = Bindings_Defaults(Scheme());
    if (!SavePath_Ensure(&bindingsPath, kFileName)) return;
    int error = File_Exists(bindingsPath.path);
    if (error == ENOENT) return;
    bool usable = false;
    Bindings read = bindings;
    if (error == 0) error = ReadBindingsFile(bindingsPath.path, &read, &usable);
    if (error) {
        readError = error;
        std::fprintf(stderr,
                     "Vexal: could not read %s (%s); flying on the control scheme's keys and "
                     "leaving the file as it is\n",
                     bindingsPath.path, FileError_Text(error));
        return;
    }
    if (usable) bindings = read;
}

int Bindings_Save(void) {
    // Writing over a file we could not read would throw away the player's keys.
    if (readError) return readError;
    if (!changed) return 0;
    if (!SavePath_Ensure(&bindingsPath, kFileName)) return ENOENT;
    const Bindings& set = Mutable();
    char text[512];
    int used = std::snprintf(text, sizeof text, "scheme %d\n", set.scheme);
    for (int a = 0; a < BINDABLE_ACTION_COUNT; ++a) {
        used += std::snprintf(text + used, sizeof text - static_cast<size_t>(used), "%s %d %d\n",
                              kActionWords[a], set.keys[a], set.pads[a]);
    }
    const int error = WriteFileSafely(bindingsPath.path, text, std::strlen(text));
    if (error == 0) changed = false;
    return error;
}

bool Bindings_Suspend(bool suspend) {
    const bool was = suspended;
    suspended = suspend;
    return was;
}

void Bindings_ResetForTests(void) {
    suspended = false;
    bindings = Bindings_Defaults(Scheme());
    bindingsPath = SavePath{{0}, false};
    readError = 0;
    changed = false;
}
