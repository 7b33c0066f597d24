// Which keys and pad buttons make each game action, and the player's own pad
// descriptions read from the save folder.
#include "app/controls.h"

#include <cerrno>

#include "app/bindings.h"
#include "app/config.h"
#include "app/text_file.h"
#include "platform/tessera.h"

namespace {

const int kMapKey = TS_KEY_M;
const int kSkipKey = TS_KEY_X;

// Up to three keys and three pad buttons per action; -1 ends a list early.
struct Binding {
    int keys[3];
    int pads[3];
};

// What a fresh player gets, and what a recorded run is written in. Keys of
// the control scheme are looked up each time: the player may change the
// scheme in the options. -2 stands for the scheme's key of ACTION_*
// (kSchemeKey - action), so the table can be a constant. The player's own
// keys and first pad buttons of the bindable actions come from bindings.h.
const int kSchemeKey = -2;

const Binding kBindings[CONTROL_ACTION_COUNT] = {
    {{kSchemeKey - ACTION_THRUST, -1, -1}, {TS_PAD_A, TS_PAD_RIGHT_TRIGGER, -1}},
    {{kSchemeKey - ACTION_TURN_LEFT, -1, -1}, {TS_PAD_LEFT, TS_PAD_STICK_LEFT, -1}},
    {{kSchemeKey - ACTION_TURN_RIGHT, -1, -1}, {TS_PAD_RIGHT, TS_PAD_STICK_RIGHT, -1}},
    {{kMapKey, -1, -1}, {TS_PAD_LEFT_SHOULDER, TS_PAD_Y, -1}},
    {{kSkipKey, -1, -1}, {TS_PAD_X, -1, -1}},
    {{TS_KEY_ESCAPE, -1, -1}, {TS_PAD_START, -1, -1}},
    {{kRestartKey, -1, -1}, {TS_PAD_BACK, -1, -1}},
    {{TS_KEY_UP, -1, -1}, {TS_PAD_UP, TS_PAD_STICK_UP, -1}},
    {{TS_KEY_DOWN, -1, -1}, {TS_PAD_DOWN, TS_PAD_STICK_DOWN, -1}},
    {{TS_KEY_LEFT, kSchemeKey - ACTION_TURN_LEFT, -1}, {TS_PAD_LEFT, TS_PAD_STICK_LEFT, -1}},
    {{TS_KEY_RIGHT, kSchemeKey - ACTION_TURN_RIGHT, -1}, {TS_PAD_RIGHT, TS_PAD_STICK_RIGHT, -1}},
    {{TS_KEY_SPACE, TS_KEY_ENTER, kSchemeKey - ACTION_THRUST}, {TS_PAD_A, -1, -1}},
    {{TS_KEY_ESCAPE, -1, -1}, {TS_PAD_B, -1, -1}},
    {{-1, -1, -1}, {TS_PAD_X, -1, -1}},
    {{-1, -1, -1}, {TS_PAD_Y, -1, -1}},
    {{-1, -1, -1}, {TS_PAD_UP, TS_PAD_STICK_UP, -1}},
    {{-1, -1, -1}, {TS_PAD_DOWN, TS_PAD_STICK_DOWN, -1}},
};

bool ValidAction(int action) { return action >= 0 && action < CONTROL_ACTION_COUNT; }

int KeyOf(int entry) {
    if (entry <= kSchemeKey) return SchemeKey(kSchemeKey - entry);
    return entry;
}

// The arrows move in menus; a thrust key on one (Up, in the Arrow scheme)
// does not also accept.
bool ArrowAccept(int action, int key) {
    return action == CONTROL_MENU_ACCEPT && (key == TS_KEY_UP || key == TS_KEY_DOWN);
}

bool AltHeld(void) {
    return TS_Input_KeyDown(TS_KEY_LEFT_ALT) || TS_Input_KeyDown(TS_KEY_RIGHT_ALT);
}

// A held menu direction repeats, and so does taking letters away.
bool Repeats(int action) {
    return action == CONTROL_MENU_UP || action == CONTROL_MENU_DOWN ||
           action == CONTROL_MENU_LEFT || action == CONTROL_MENU_RIGHT ||
           action == CONTROL_NAME_REMOVE || action == CONTROL_NAME_LETTER_UP ||
           action == CONTROL_NAME_LETTER_DOWN;
}

// The keys and pad buttons making `action` now: a bindable action's own
// key and button, and the fixed extras beside them. The pad's extras (the
// right trigger, the stick, Y for the map) give way when the player bound
// them to another action; Escape always pauses.
int KeysOf(int action, int keys[3]) {
    const Binding& binding = kBindings[action];
    int count = 0;
    if (action < BINDABLE_ACTION_COUNT) {
        keys[count++] = Bindings_Key(action);
        if (action == CONTROL_PAUSE && keys[0] != TS_KEY_ESCAPE) keys[count++] = TS_KEY_ESCAPE;
        return count;
    }
    for (int entry : binding.keys) {
        if (entry == -1) continue;
        // The menus move with the player's own turn keys and press with their
        // thrust key.
        if (entry <= kSchemeKey) {
            keys[count++] = Bindings_Key(kSchemeKey - entry);
        } else {
            keys[count++] = entry;
        }
    }
    return count;
}

bool BoundToAnotherAction(int button, int action) {
    for (int other = 0; other < BINDABLE_ACTION_COUNT; ++other) {
        if (other != action && Bindings_Pad(other) == button) return true;
    }
    return false;
}

int PadsOf(int action, int pads[3]) {
    const Binding& binding = kBindings[action];
    int count = 0;
    if (action < BINDABLE_ACTION_COUNT) {
        pads[count++] = Bindings_Pad(action);
        for (int i = 1; i < 3; ++i) {
            const int extra = binding.pads[i];
            if (extra >= 0 && !BoundToAnotherAction(extra, action)) pads[count++] = extra;
        }
        return count;
    }
    for (int pad : binding.pads) {
        if (pad >= 0) pads[count++] = pad;
    }
    return count;
}

}  // namespace

bool Controls_Down(int action) {
    if (!ValidAction(action)) return false;
    int keys[3];
    const int keyCount = KeysOf(action, keys);
    for (int i = 0; i < keyCount; ++i) {
        if (ArrowAccept(action, keys[i])) continue;
        if (TS_Input_KeyDown(keys[i])) return true;
    }
    int pads[3];
    const int padCount = PadsOf(action, pads);
    for (int i = 0; i < padCount; ++i) {
        if (TS_Pad_ButtonDown(pads[i])) return true;
    }
    return false;
}

bool Controls_Pressed(int action) {
    if (!ValidAction(action)) return false;
    int keys[3];
    const int keyCount = KeysOf(action, keys);
    for (int i = 0; i < keyCount; ++i) {
        if (ArrowAccept(action, keys[i])) continue;
        // Alt+Enter is the fullscreen switch, never a button press.
        if (keys[i] == TS_KEY_ENTER && action == CONTROL_MENU_ACCEPT && AltHeld()) continue;
        if (TS_Input_KeyTriggered(keys[i])) return true;
    }
    const bool repeats = Repeats(action);
    int pads[3];
    const int padCount = PadsOf(action, pads);
    for (int i = 0; i < padCount; ++i) {
        if (repeats ? TS_Pad_ButtonRepeated(pads[i]) : TS_Pad_ButtonTriggered(pads[i])) {
            return true;
        }
    }
    return false;
}

// Recorded runs stay the control scheme's: the defaults table, never the
// player's own keys, so a replay flies the same whoever watches it.
int Controls_Key(int action) {
    if (action > CONTROL_SKIP || !ValidAction(action)) return 0;
    return KeyOf(kBindings[action].keys[0]);
}

bool Controls_PadLost(void) { return TS_Pad_Lost(); }

bool Controls_PadInUse(void) { return TS_Pad_LastUsed(); }

int Controls_LoadPadMappings(void) {
    SavePath path = {{0}, false};
    if (!SavePath_Ensure(&path, "gamecontrollerdb.txt")) return 0;
    if (File_Exists(path.path) == ENOENT) return 0;
    TextFile file;
    if (TextFile_Open(&file, path.path, PAD_MAPPINGS_FILE_LIMIT) != 0) return -1;
    // A mapping line is a few hundred bytes; a longer one is cut and refused.
    char line[1024];
    size_t length = 0;
    bool cut = false;
    int refused = 0;
    while (TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        if (cut || !TS_Pad_AddMapping(line)) ++refused;
    }
    if (TextFile_Close(&file) != 0) return -1;
    return refused;
}
