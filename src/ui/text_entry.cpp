// Typed text going into name and text fields, at a caret, a whole character
// at a time.
#include "ui/text_entry.h"

#include <cstring>

#include "app/controls.h"
#include "platform/tessera.h"

namespace {

// What the pad turns through: letters, digits and a few signs.
const char kPadLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -_";
const int kPadLetterCount = static_cast<int>(sizeof kPadLetters - 1);

// The next character `step` places on in kPadLetters (one outside it: "A").
char TurnLetter(char letter, int step) {
    const char* at = letter ? std::strchr(kPadLetters, letter) : nullptr;
    if (!at) return kPadLetters[0];
    const int index = static_cast<int>(at - kPadLetters);
    return kPadLetters[(index + step + kPadLetterCount) % kPadLetterCount];
}

// The second and later bytes of a UTF-8 character.
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Puts the frame's typed text in at the caret, each character whole or not
// at all. Returns whether any went in.
bool InsertTyped(char* text, size_t capacity, size_t* caret, size_t* length, const char* refused) {
    bool changed = false;
    for (const char* typed = TS_Input_TypedText(); *typed;) {
        size_t size = 1;
        while (IsContinuation(typed[size])) ++size;
        const bool refusedOne = size == 1 && refused && *refused && std::strchr(refused, *typed);
        if (!refusedOne && *length + size <= capacity - 1) {
            std::memmove(text + *caret + size, text + *caret, *length - *caret + 1);
            std::memcpy(text + *caret, typed, size);
            *caret += size;
            *length += size;
            changed = true;
        }
        typed += size;
    }
    return changed;
}

}  // namespace

size_t TextEntry_PreviousCharacter(const char* text, size_t at) {
    if (at == 0) return 0;
    --at;
    while (at > 0 && IsContinuation(text[at])) --at;
    return at;
}

size_t TextEntry_NextCharacter(const char* text, size_t at) {
    if (text[at] == '\0') return at;
    ++at;
    while (text[at] != '\0' && IsContinuation(text[at])) ++at;
    return at;
}

void TextEntry_CutAt(char* text, size_t bytes) {
    if (std::strlen(text) <= bytes) return;
    while (bytes > 0 && IsContinuation(text[bytes])) --bytes;
    text[bytes] = '\0';
}

bool TextEntry_Typing(void) { return TS_Input_TypedText()[0] != '\0'; }

bool TextEntry_EditAt(char* text, size_t capacity, size_t* caret, const char* refused) {
    if (!text || capacity == 0 || !caret) return false;
    size_t length = std::strlen(text);
    if (*caret > length) *caret = length;
    // Typed characters first, in the order they came.
    bool changed = InsertTyped(text, capacity, caret, &length, refused);
    if (TS_Input_KeyRepeated(TS_KEY_BACKSPACE) && *caret > 0) {
        const size_t from = TextEntry_PreviousCharacter(text, *caret);
        std::memmove(text + from, text + *caret, length - *caret + 1);
        length -= *caret - from;
        *caret = from;
        changed = true;
    }
    if (TS_Input_KeyRepeated(TS_KEY_DELETE) && *caret < length) {
        const size_t to = TextEntry_NextCharacter(text, *caret);
        std::memmove(text + *caret, text + to, length - to + 1);
        changed = true;
    }
    if (TS_Input_KeyRepeated(TS_KEY_LEFT)) *caret = TextEntry_PreviousCharacter(text, *caret);
    if (TS_Input_KeyRepeated(TS_KEY_RIGHT)) *caret = TextEntry_NextCharacter(text, *caret);
    if (TS_Input_KeyTriggered(TS_KEY_HOME)) *caret = 0;
    if (TS_Input_KeyTriggered(TS_KEY_END)) *caret = std::strlen(text);
    return changed;
}

bool TextEntry_EditBuffer(char* text, size_t capacity, const char* refused) {
    if (!text || capacity == 0) return false;
    size_t caret = std::strlen(text);
    const char* typed = TS_Input_TypedText();
    // Only typing and Backspace belong to the field; the screen keeps the
    // arrows, Home, End and Delete for its own use.
    if (!*typed && !TS_Input_KeyRepeated(TS_KEY_BACKSPACE)) return false;
    size_t length = caret;
    bool changed = InsertTyped(text, capacity, &caret, &length, refused);
    if (TS_Input_KeyRepeated(TS_KEY_BACKSPACE) && caret > 0) {
        text[TextEntry_PreviousCharacter(text, caret)] = '\0';
        changed = true;
    }
    return changed;
}

bool TextEntry_EditWithPad(char* text, size_t capacity) {
    if (!text || capacity < 2) return false;
    size_t length = std::strlen(text);
    const int step = Controls_Pressed(CONTROL_NAME_LETTER_DOWN) ? 1
                     : Controls_Pressed(CONTROL_NAME_LETTER_UP) ? -1
                                                                : 0;
    if (Controls_Pressed(CONTROL_NAME_REMOVE)) {
        if (length == 0) return false;
        text[TextEntry_PreviousCharacter(text, length)] = '\0';
        return true;
    }
    if (Controls_Pressed(CONTROL_NAME_ADD) || (step != 0 && length == 0)) {
        if (length >= capacity - 1) return false;
        text[length] = kPadLetters[0];
        text[length + 1] = '\0';
        return true;
    }
    if (step == 0) return false;
    // A typed letter the pad cannot spell (an accent, a sign) turns from "A"
    // as a single byte.
    const size_t last = TextEntry_PreviousCharacter(text, length);
    text[last] = TurnLetter(length - last == 1 ? text[last] : 0, step);
    text[last + 1] = '\0';
    return true;
}

bool TextEntry_PadSpelling(void) {
    return Controls_Pressed(CONTROL_NAME_LETTER_UP) || Controls_Pressed(CONTROL_NAME_LETTER_DOWN) ||
           Controls_Pressed(CONTROL_NAME_ADD) || Controls_Pressed(CONTROL_NAME_REMOVE);
}
