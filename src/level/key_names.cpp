// Key names, and the "$THRUST_KEY$" placeholders that level texts use to
// name the player's keys whatever control scheme they chose or keys they
// bound (or the pad's buttons, when the player last used a pad).
#include <cstring>

#include "app/bindings.h"
#include "app/controls.h"
#include "level/level.h"
#include "level/level_line.h"

namespace {

const char* const placeholders[] = {"THRUST_KEY", "TLEFT_KEY", "TRIGHT_KEY"};

// The name for an action's placeholder: the player's own key, or their pad
// button when they last used a pad.
const char* ActionName(int action) {
    if (Controls_PadInUse()) return Bindings_PadName(Bindings_Pad(action));
    return KeyName(Bindings_Key(action));
}

}  // namespace

const char* KeyName(int key) { return Bindings_KeyName(key); }

const char* KeyShortName(int key) { return Bindings_KeyShortName(key); }

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
