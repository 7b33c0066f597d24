// Typing text: the frame's typed characters (whatever the keyboard layout and
// input method make, in UTF-8) and the editing keys go into a bounded text
// buffer at a caret, never cutting a character in two.
#pragma once

#include <cstddef>

// Once per frame while a text field has the focus: puts this frame's typed
// text in at the caret (a byte offset at a character boundary, moved along),
// as much of it as fits whole characters (`capacity` counts the terminating
// zero), leaving out characters in `refused` (e.g. a file name's path
// separators). Backspace and Delete remove the character before or after the
// caret, Left and Right step over one character, Home and End go to either
// end; the editing keys repeat while held. Returns whether the text changed.
bool TextEntry_EditAt(char* text, size_t capacity, size_t* caret, const char* refused = "");

// The same with the caret always at the end: typing appends and Backspace
// removes the last character; the other keys are left to the screen.
bool TextEntry_EditBuffer(char* text, size_t capacity, const char* refused = "");

// Whether something was typed this frame (without taking it).
bool TextEntry_Typing(void);

// The byte offset of the character boundary before or after `at` in `text`.
size_t TextEntry_PreviousCharacter(const char* text, size_t at);
size_t TextEntry_NextCharacter(const char* text, size_t at);

// Cuts `text` to at most `bytes` bytes at a character boundary.
void TextEntry_CutAt(char* text, size_t bytes);

// A name spelled with a game pad, arcade style: up and down turn the last
// character through the ones a keyboard can type (an empty name starts at
// "A"), X adds an "A" while it fits, Y takes the last character away. Returns
// whether the text changed.
bool TextEntry_EditWithPad(char* text, size_t capacity);
// Whether the pad spells this frame: its up and down, X or Y went down.
bool TextEntry_PadSpelling(void);
