// Shrinking a label that would spill out of its key cap or its slot, and
// shortening a title or a path with an ellipsis, measured with the font.
#include "ui/text_fit.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/tessera.h"

namespace {

const char kEllipsis[] = "\xE2\x80\xA6";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offsets at which the characters of `text` start, and its length
// as the last entry; returns the number of characters.
size_t CharacterStarts(const char* text, size_t length, uint16_t* starts) {
    size_t count = 0;
    for (size_t at = 0; at < length; ++at) {
        if (!IsContinuation(text[at])) starts[count++] = static_cast<uint16_t>(at);
    }
    starts[count] = static_cast<uint16_t>(length);
    return count;
}

// The text keeping `head` bytes of the start and everything from byte `tail`,
// with the ellipsis between them.
void Compose(const char* text, size_t head, size_t tail, char* out, size_t size) {
    std::snprintf(out, size, "%.*s%s%s", static_cast<int>(head), text, kEllipsis, text + tail);
}

// For a middle cut keeping `kept` of `count` characters: a third from the
// start and the rest from the end, pulled back to a '/' where one lies in the
// outer half of either part.
void MiddleCut(const char* text, const uint16_t* starts, size_t count, size_t kept, size_t* head,
               size_t* tail) {
    const size_t headChars = kept / 3;
    *head = starts[headChars];
    *tail = starts[count - (kept - headChars)];
    for (size_t at = *head; at > 0 && at * 2 > *head; --at) {
        if (text[at - 1] == '/') {
            *head = at;
            break;
        }
    }
    const size_t end = starts[count];
    for (size_t at = *tail; at < end && (at - *tail) * 2 < end - *tail; ++at) {
        if (text[at] == '/') {
            *tail = at;
            break;
        }
    }
}

}  // namespace

float FitTextSize(const char* text, float size, float maxWidth) {
    TS_Settings_TextSize(size);
    const float width = TS_Font_TextWidth(text);
    if (width <= maxWidth || width <= 0.0f || maxWidth <= 0.0f) return size;
    // Glyph widths grow about linearly with the size; whole pixels keep the
    // rendered text crisp.
    float fitted = static_cast<float>(static_cast<int>(size * maxWidth / width));
    if (fitted < 1.0f) fitted = 1.0f;
    TS_Settings_TextSize(fitted);
    return fitted;
}

bool TextFit_Shorten(const char* text, float room, TextCut cut, char* out, size_t size) {
    if (!out || size == 0) return false;
    out[0] = '\0';
    if (!text) return false;
    const size_t whole = std::strlen(text);
    if (whole < TEXT_FIT_MAX_TEXT && TS_Font_TextWidth(text) <= room) {
        std::snprintf(out, size, "%s", text);
        return false;
    }
    // A text too long to shorten whole keeps its start and, cut in the
    // middle, its end: a shortened text never holds that much anyway.
    char source[TEXT_FIT_MAX_TEXT];
    size_t length = whole;
    if (whole < TEXT_FIT_MAX_TEXT) {
        std::memcpy(source, text, whole + 1);
    } else {
        size_t head = cut == TEXT_CUT_END ? TEXT_FIT_MAX_TEXT - 1 : TEXT_FIT_MAX_TEXT / 2;
        while (head > 0 && IsContinuation(text[head])) --head;
        size_t tail = whole;
        if (cut == TEXT_CUT_MIDDLE) {
            tail = whole - (TEXT_FIT_MAX_TEXT / 2 - 1);
            while (tail < whole && IsContinuation(text[tail])) ++tail;
        }
        std::memcpy(source, text, head);
        std::memcpy(source + head, text + tail, whole - tail);
        length = head + (whole - tail);
        source[length] = '\0';
    }
    text = source;
    uint16_t starts[TEXT_FIT_MAX_TEXT + 1];
    const size_t count = CharacterStarts(text, length, starts);
    // The most characters that still fit beside the ellipsis, found by
    // halving: the width grows with every character kept.
    size_t low = 0;  // keeping none: the ellipsis alone, checked below
    size_t high = count;
    char trial[TEXT_FIT_MAX_TEXT + sizeof kEllipsis];
    size_t head = 0, tail = length;
    while (low < high) {
        const size_t kept = (low + high + 1) / 2;
        if (cut == TEXT_CUT_END) {
            head = starts[kept];
            tail = length;
        } else {
            MiddleCut(text, starts, count, kept, &head, &tail);
        }
        Compose(text, head, tail, trial, sizeof trial);
        if (TS_Font_TextWidth(trial) <= room) low = kept;
        else high = kept - 1;
    }
    if (low == 0) {
        if (TS_Font_TextWidth(kEllipsis) <= room) std::snprintf(out, size, "%s", kEllipsis);
        return true;
    }
    if (cut == TEXT_CUT_END) {
        head = starts[low];
        tail = length;
        // A label cut after a word drops the space before the ellipsis.
        while (head > 0 && text[head - 1] == ' ') --head;
    } else {
        MiddleCut(text, starts, count, low, &head, &tail);
    }
    Compose(text, head, tail, out, size);
    return true;
}
