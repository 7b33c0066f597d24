// The grammar of one line of a level file, shared by the level reader and the
// level tool's lint so that both see a line the same way.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    LEVEL_LINE_NUMBERS = 5,  // x, y, rotation, width, height
    LEVEL_TEXT_MAX = 299,    // characters a level text can hold
    // Bytes of the buffer a line is read into, its ending zero included. The
    // longest line the writer makes is a text line of about 400 bytes; a
    // longer line is cut here and the rest of it skipped (TextFile_ReadLine).
    LEVEL_LINE_BUFFER = 4096
};

// "/123": the unsigned number after the first character. False, leaving
// *value alone, when none can be read or it does not fit in 32 bits.
bool LevelLine_ParseUnsigned(const char* line, uint32_t* value);
// ".30.5": the number after the first character. False, leaving *value
// alone, when none can be read; "nan" and "inf" are not numbers here.
bool LevelLine_ParseFloat(const char* line, float* value);

// "A,x,y,rotation,width,height": reads the numbers in order into `values`
// and stops at the first one that is missing or unreadable, leaving it and
// the later ones untouched. Returns how many were read; *consumed is the
// count of characters up to the end of the fifth number, or 0 when fewer
// than five were read.
int LevelLine_ParseNumbers(const char* line, float values[LEVEL_LINE_NUMBERS], size_t* consumed);

// The text of a 'T' line: from the second character after the fifth number
// (the first is the separating comma), or from right after the 'T' when the
// numbers were incomplete (consumed 0); cut at the line's end and at
// LEVEL_TEXT_MAX characters. `out` holds LEVEL_TEXT_MAX + 1 bytes. Returns
// true when the text had to be cut short of the line's end.
bool LevelLine_Text(const char* line, size_t consumed, char out[LEVEL_TEXT_MAX + 1]);
