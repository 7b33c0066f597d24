// Turning key presses into typed characters for name and text fields.
#include "ui/text_entry.h"

#include <cstring>

#include "platform/tessera.h"

char TextEntry_ReadCharacter(void) {
    const bool shift = TS_Input_KeyDown(TS_KEY_LEFT_SHIFT) || TS_Input_KeyDown(TS_KEY_RIGHT_SHIFT);
    for (int key = TS_KEY_A; key <= TS_KEY_Z; ++key) {
        if (TS_Input_KeyTriggered(key)) {
            return static_cast<char>(shift ? key : key + 32);
        }
    }
    for (int key = TS_KEY_0; key <= TS_KEY_9; ++key) {
        if (TS_Input_KeyTriggered(key)) return static_cast<char>(key);
    }
    for (int key = TS_KEY_KP_0; key <= TS_KEY_KP_9; ++key) {
        if (TS_Input_KeyTriggered(key)) return static_cast<char>(key - 272);
    }
    if (TS_Input_KeyTriggered(TS_KEY_SPACE)) return ' ';
    if (TS_Input_KeyTriggered(TS_KEY_MINUS)) return shift ? '_' : '-';
    return 0;
}

bool TextEntry_EditBuffer(char* text, size_t capacity) {
    if (!text || capacity == 0) return false;
    if (!TS_Input_KeyTriggered(TS_KEY_ANY)) return false;
    const size_t length = std::strlen(text);
    const char typed = TextEntry_ReadCharacter();
    if (typed) {
        if (length >= capacity - 1) return false;
        text[length] = typed;
        text[length + 1] = '\0';
        return true;
    }
    if (TS_Input_KeyTriggered(TS_KEY_BACKSPACE) && length > 0) {
        text[length - 1] = '\0';
        return true;
    }
    return false;
}
