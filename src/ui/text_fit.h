// Keeping labels, titles and paths inside the room they have: the text size
// at which a text fits a width, and a text shortened with an ellipsis.
#pragma once

#include <cstddef>

// The largest size up to `size` at which `text` is at most `maxWidth` wide.
// Leaves the framework's text size set to the result.
float FitTextSize(const char* text, float size, float maxWidth);

// Where a shortened text loses its characters: in the middle, keeping the
// start and the end (a path keeps its first folders and its file's name), or
// at the end (a label keeps its first words).
enum TextCut { TEXT_CUT_MIDDLE, TEXT_CUT_END };

enum { TEXT_FIT_MAX_TEXT = 4096 };  // longer texts are cut before shortening (a deep folder)

// Writes `text` into `out` (`size` bytes, always ended by a zero) as it fits
// `room` pixels at the current text size: whole when it fits, otherwise with
// "…" in place of as few whole characters as needed (never part of one). A
// middle cut leans towards a '/' so that folders go whole. When not even the
// ellipsis fits, `out` is empty. Returns whether the text was shortened.
bool TextFit_Shorten(const char* text, float room, TextCut cut, char* out, size_t size);
