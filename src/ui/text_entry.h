// Typing text: this frame's key presses become at most one character, and a
// small edit step applies it to a bounded text buffer.
#pragma once

#include <cstddef>

// The character typed this frame, or 0. Letters (upper case only with Shift
// held), then top-row digits, keypad digits, space, and minus ("_" with
// Shift); when several keys go down together the first in that order wins.
char TextEntry_ReadCharacter(void);

// Once per frame while a text field has the focus: appends the typed
// character while it fits (`capacity` counts the terminating zero), or on
// Backspace alone removes the last one. Returns whether the text changed.
bool TextEntry_EditBuffer(char* text, size_t capacity);

// A name spelled with a game pad, arcade style: up and down turn the last
// character through the ones a keyboard can type (an empty name starts at
// "A"), X adds an "A" while it fits, Y takes the last character away. Returns
// whether the text changed.
bool TextEntry_EditWithPad(char* text, size_t capacity);
// Whether the pad spells this frame: its up and down, X or Y went down.
bool TextEntry_PadSpelling(void);
