// Turning key presses into typed characters for name and text fields.
#include "ui/text_entry.h"

#include <cstring>

#include "app/controls.h"
#include "platform/tessera.h"

namespace {

// What the pad turns through: everything TextEntry_ReadCharacter can type.
const char kPadLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -_";
const int kPadLetterCount = static_cast<int>(sizeof kPadLetters - 1);

// The next character `step` places on in kPadLetters (one outside it: "A").
char TurnLetter(char letter, int step) {
    const char* at = letter ? std::strchr(kPadLetters, letter) : nullptr;
    if (!at) return kPadLetters[0];
    const int index = static_cast<int>(at - kPadLetters);
    return kPadLetters[(index + step + kPadLetterCount) % kPadLetterCount];
}

}  // namespace

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

bool TextEntry_EditWithPad(char* text, size_t capacity) {
    if (!text || capacity < 2) return false;
    size_t length = std::strlen(text);
    const int step = Controls_Pressed(CONTROL_NAME_LETTER_DOWN) ? 1
                     : Controls_Pressed(CONTROL_NAME_LETTER_UP) ? -1
                                                                : 0;
    if (Controls_Pressed(CONTROL_NAME_REMOVE)) {
        if (length == 0) return false;
        text[length - 1] = '\0';
        return true;
    }
    if (Controls_Pressed(CONTROL_NAME_ADD) || (step != 0 && length == 0)) {
        if (length >= capacity - 1) return false;
        text[length] = kPadLetters[0];
        text[length + 1] = '\0';
        return true;
    }
    if (step == 0) return false;
    text[length - 1] = TurnLetter(text[length - 1], step);
    return true;
}

bool TextEntry_PadSpelling(void) {
    return Controls_Pressed(CONTROL_NAME_LETTER_UP) || Controls_Pressed(CONTROL_NAME_LETTER_DOWN) ||
           Controls_Pressed(CONTROL_NAME_ADD) || Controls_Pressed(CONTROL_NAME_REMOVE);
}
