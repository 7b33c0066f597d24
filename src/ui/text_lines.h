// Breaking a long text (a popup's message, a file path in an error message)
// into lines that fit a popup, so that nothing runs off the panel.
#pragma once

#include <cstddef>

enum { TEXT_LINES_MAX_TEXT = 1024 };  // longer texts are cut before wrapping

// Writes `text` into `out` (`size` bytes, always ended by a zero) as lines of
// at most `width` pixels at the current text size, joined by '\n'. A line
// breaks after a '/' when that keeps it at least half full, otherwise between
// two characters; control characters (a newline in a file name) show as '?'.
// When more than `maxLines` lines would be needed the start is dropped and the
// first line begins with an ellipsis: the end of a path names the file.
// Returns the number of lines written (at least 1).
int TextLines_Wrap(const char* text, float width, int maxLines, char* out, size_t size);

// Writes `text` into `out` (`size` bytes, always ended by a zero) as lines of
// at most `width` pixels at the current text size, joined by '\n': the text's
// own line breaks stay, and a line that is too wide breaks at its last space
// that fits (the spaces there are dropped), or after its last sentence that
// fits when that keeps the line at least half full. A word wider than a whole line
// breaks between two characters, after a '/' when that keeps the line at
// least half full. Returns the number of lines written (at least 1).
int TextLines_WrapWords(const char* text, float width, char* out, size_t size);
