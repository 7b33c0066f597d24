// JSON output helpers for the level tool.
#include <cmath>

#include "tool.h"

namespace {

// Length of the valid UTF-8 sequence at `text`, or 0 when it is not one.
int Utf8SequenceLength(const unsigned char* text) {
    const unsigned char lead = text[0];
    int length = 0;
    unsigned int codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (text[i] & 0x3Fu);
    }
    const unsigned int smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

}  // namespace

void Json_WriteNumber(FILE* out, float value) {
    if (!std::isfinite(value)) {
        std::fputs("null", out);
        return;
    }
    std::fprintf(out, "%.9g", static_cast<double>(value));
}

void Json_WriteString(FILE* out, const char* text) {
    std::fputc('"', out);
    const unsigned char* cursor = reinterpret_cast<const unsigned char*>(text);
    while (*cursor) {
        const unsigned char c = *cursor;
        if (c == '"' || c == '\\') {
            std::fputc('\\', out);
            std::fputc(c, out);
        } else if (c == '\n') {
            std::fputs("\\n", out);
        } else if (c == '\r') {
            std::fputs("\\r", out);
        } else if (c == '\t') {
            std::fputs("\\t", out);
        } else if (c < 0x20 || c == 0x7F) {
            std::fprintf(out, "\\u%04x", c);
        } else if (c >= 0x80) {
            const int length = Utf8SequenceLength(cursor);
            if (length == 0) {
                std::fputs("\\ufffd", out);
            } else {
                std::fwrite(cursor, 1, static_cast<size_t>(length), out);
                cursor += length;
                continue;
            }
        } else {
            std::fputc(c, out);
        }
        ++cursor;
    }
    std::fputc('"', out);
}
