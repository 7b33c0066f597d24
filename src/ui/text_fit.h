// Keeping labels inside the room they have: the text size at which a text
// fits a width, never above the size it is meant to have.
#pragma once

// The largest size up to `size` at which `text` is at most `maxWidth` wide.
// Leaves the framework's text size set to the result.
float FitTextSize(const char* text, float size, float maxWidth);
