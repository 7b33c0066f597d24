// Key names, and the "$THRUST_KEY$" placeholders that level texts use to
// name the player's keys whatever control scheme they chose (or the pad's
// buttons, when the player last used a pad).
#include <cstring>

#include "app/config.h"
#include "app/controls.h"
#include "level/level.h"
#include "level/level_line.h"

namespace {

struct KeyNames {
    int key;
    const char* name;
    const char* shortName;
};

const KeyNames keyNames[] = {
    {TS_KEY_SPACE, "Spacebar", "Spacebar"},
    {TS_KEY_A, "A", "A"},
    {TS_KEY_D, "D", "D"},
    {TS_KEY_W, "W", "W"},
    {TS_KEY_RIGHT, "Right Arrow", "->"},
    {TS_KEY_LEFT, "Left Arrow", "<-"},
    {TS_KEY_UP, "Up Arrow", "Up"},
};

const KeyNames* FindKey(int key) {
    for (const KeyNames& names : keyNames) {
        if (names.key == key) return &names;
    }
    return nullptr;
}

const char* const placeholders[] = {"THRUST_KEY", "TLEFT_KEY", "TRIGHT_KEY"};

// What the placeholders say to a player flying with a pad: its thrust button,
// and the D-pad's (or the stick's) two sides.
const char* const padNames[] = {"A", "Left", "Right"};

// The name for an action's placeholder, for the device the player last used.
const char* ActionName(int action) {
    if (Controls_PadInUse()) return padNames[action];
    return KeyName(SchemeKey(action));
}

}  // namespace

const char* KeyName(int key) {
    const KeyNames* names = FindKey(key);
    return names ? names->name : "";
}

const char* KeyShortName(int key) {
    const KeyNames* names = FindKey(key);
    return names ? names->shortName : "";
}

int KeyPlaceholderAction(const char* token, uint64_t length) {
    for (int action = 0; action < 3; ++action) {
        if (std::strlen(placeholders[action]) == length &&
            std::memcmp(placeholders[action], token, length) == 0) {
            return action;
        }
    }
    return -1;
}

void SubstituteKeyNames(char* text) {
    // Built in place: the writing position never passes the reading one,
    // because every key name is shorter than the placeholder it replaces.
    size_t read = 0;
    size_t write = 0;
    while (text[read]) {
        if (text[read] != '$') {
            text[write++] = text[read++];
            continue;
        }
        // A token runs to the next '$' (consumed with it) or to the end of the
        // text. Unknown tokens, whatever their length, vanish.
        const char* token = text + read + 1;
        const char* close = std::strchr(token, '$');
        const size_t tokenLength = close ? static_cast<size_t>(close - token) : std::strlen(token);
        const int action = KeyPlaceholderAction(token, tokenLength);
        read += 1 + tokenLength + (close ? 1 : 0);
        if (action < 0) continue;
        const char* name = ActionName(action);
        size_t nameLength = std::strlen(name);
        if (nameLength > read - write) nameLength = read - write;
        std::memmove(text + write, name, nameLength);
        write += nameLength;
    }
    // A level text holds at most this many characters.
    if (write > LEVEL_TEXT_MAX) write = LEVEL_TEXT_MAX;
    text[write] = '\0';
}
