// Wrapping a path across the lines of a popup message, measured with the
// font the popup draws it in.
#include "ui/text_lines.h"

#include <cstring>

#include "platform/tessera.h"

namespace {

const char* const kEllipsis = "\xE2\x80\xA6";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The start of the character after the one at `at`.
size_t NextCharacter(const char* text, size_t at) {
    if (!text[at]) return at;
    ++at;
    while (text[at] && IsContinuation(text[at])) ++at;
    return at;
}

// Whether `lead` and text[from, to) together fit `width`.
bool Fits(const char* lead, const char* text, size_t from, size_t to, float width) {
    char line[TEXT_LINES_MAX_TEXT + 8];
    const size_t leadLength = std::strlen(lead);
    std::memcpy(line, lead, leadLength);
    std::memcpy(line + leadLength, text + from, to - from);
    line[leadLength + to - from] = '\0';
    return TS_Font_TextWidth(line) <= width;
}

// Where the line that starts at `from` ends: as much as fits (at least one
// character, so that every line makes progress), pulled back to just after a
// '/' when one lies in its second half.
size_t LineEnd(const char* lead, const char* text, size_t from, float width) {
    const size_t length = std::strlen(text);
    if (Fits(lead, text, from, length, width)) return length;
    size_t low = NextCharacter(text, from);  // always taken
    size_t high = length;                    // known not to fit
    while (true) {
        size_t middle = low + (high - low) / 2;
        while (middle > low && IsContinuation(text[middle])) --middle;
        if (middle == low) middle = NextCharacter(text, low);
        if (middle >= high) break;
        if (Fits(lead, text, from, middle, width)) low = middle;
        else high = middle;
    }
    for (size_t slash = low; slash > from + (low - from) / 2; --slash) {
        if (text[slash - 1] == '/') return slash;
    }
    return low;
}

// Lays `text` out from its start with `lead` before the first line. Writes
// the lines to `out` when it is given; stops counting past `limit` lines.
int Lay(const char* lead, const char* text, float width, int limit, char* out, size_t size) {
    size_t used = 0;
    if (out && size > 0) out[0] = '\0';
    int lines = 0;
    size_t from = 0;
    const size_t length = std::strlen(text);
    do {
        const char* lineLead = lines == 0 ? lead : "";
        const size_t end = LineEnd(lineLead, text, from, width);
        ++lines;
        if (out && size > 0) {
            const size_t leadLength = std::strlen(lineLead);
            const size_t need = (lines > 1 ? 1 : 0) + leadLength + (end - from);
            if (used + need < size) {
                if (lines > 1) out[used++] = '\n';
                std::memcpy(out + used, lineLead, leadLength);
                used += leadLength;
                std::memcpy(out + used, text + from, end - from);
                used += end - from;
                out[used] = '\0';
            }
        }
        from = end;
    } while (from < length && lines <= limit);
    return lines;
}

// Copies text[from, to) into `line` (TEXT_LINES_MAX_TEXT bytes).
void CopyPart(const char* text, size_t from, size_t to, char* line) {
    const size_t length = to - from < TEXT_LINES_MAX_TEXT ? to - from : TEXT_LINES_MAX_TEXT - 1;
    std::memcpy(line, text + from, length);
    line[length] = '\0';
}

// Where the line of the paragraph text[from, end) that starts at `from`
// ends: after its last word that fits, or inside a word too long for any line.
size_t WordLineEnd(const char* text, size_t from, size_t end, float width) {
    char line[TEXT_LINES_MAX_TEXT];
    CopyPart(text, from, end, line);
    if (TS_Font_TextWidth(line) <= width) return end;
    size_t fitting = from;   // the end of the last word known to fit
    size_t sentence = from;  // the end of the last sentence known to fit
    size_t at = from;
    while (at < end) {
        while (at < end && text[at] != ' ') ++at;
        CopyPart(text, from, at, line);
        if (TS_Font_TextWidth(line) > width) break;
        fitting = at;
        const char last = text[at - 1];
        if (last == '.' || last == '?' || last == '!' || last == ':') sentence = at;
        while (at < end && text[at] == ' ') ++at;
    }
    // A line that can end with a sentence does, when that keeps it at least
    // half full: the next sentence then starts a line of its own.
    if (sentence > from && (sentence - from) * 2 >= fitting - from) return sentence;
    if (fitting > from) return fitting;
    // The first word is wider than a line: as many of its characters as fit.
    CopyPart(text, from, at, line);
    return from + LineEnd("", line, 0, width);
}

}  // namespace

int TextLines_Wrap(const char* text, float width, int maxLines, char* out, size_t size) {
    if (maxLines < 1) maxLines = 1;
    // A name may hold any byte but '/' and NUL: a newline or tab in it would
    // break the popup's own lines.
    const char* source = text ? text : "";
    char clean[TEXT_LINES_MAX_TEXT];
    size_t length = 0;
    for (; source[length] && length < sizeof clean - 1; ++length) {
        const unsigned char byte = static_cast<unsigned char>(source[length]);
        clean[length] = byte < 0x20 || byte == 0x7F ? '?' : source[length];
    }
    // A cut text ends before the character the cut went through.
    while (length > 0 && IsContinuation(source[length])) --length;
    clean[length] = '\0';

    if (Lay("", clean, width, maxLines, nullptr, 0) <= maxLines) {
        return Lay("", clean, width, maxLines, out, size);
    }
    // Too long: find the earliest start from which "…" and the rest fit.
    size_t low = 0;        // does not fit
    size_t high = length;  // fits (the ellipsis alone)
    while (true) {
        size_t middle = low + (high - low) / 2;
        while (middle < high && IsContinuation(clean[middle])) ++middle;
        if (middle <= low || middle >= high) break;
        if (Lay(kEllipsis, clean + middle, width, maxLines, nullptr, 0) <= maxLines) high = middle;
        else low = middle;
    }
    return Lay(kEllipsis, clean + high, width, maxLines, out, size);
}

int TextLines_WrapWords(const char* text, float width, char* out, size_t size) {
    if (!out || size == 0) return 1;
    out[0] = '\0';
    const char* source = text ? text : "";
    const size_t length = std::strlen(source);
    size_t used = 0;
    int lines = 0;
    size_t from = 0;
    for (;;) {
        const char* newline = std::strchr(source + from, '\n');
        const size_t end = newline ? static_cast<size_t>(newline - source) : length;
        // A paragraph gives at least one line, an empty one too.
        do {
            const size_t lineEnd = WordLineEnd(source, from, end, width);
            const size_t need = (lines > 0 ? 1 : 0) + (lineEnd - from);
            if (used + need < size) {
                if (lines > 0) out[used++] = '\n';
                std::memcpy(out + used, source + from, lineEnd - from);
                used += lineEnd - from;
                out[used] = '\0';
            }
            ++lines;
            from = lineEnd;
            // The spaces a line broke at go with the break.
            while (from < end && source[from] == ' ') ++from;
        } while (from < end);
        if (!newline) break;
        from = end + 1;
    }
    return lines;
}
