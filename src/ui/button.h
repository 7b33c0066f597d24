// Buttons, their looks by state, and button lists that let every menu be
// driven by the mouse or by the same three keys that fly the ship.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/tessera.h"

enum ButtonState { BUTTON_IDLE = 0, BUTTON_HOVER = 1, BUTTON_PRESSED = 2, BUTTON_DISABLED = 3 };

struct ButtonStyle {
    TS_Color fill;    // alpha 0: not filled
    TS_Color stroke;  // alpha 0: no outline
    TS_Color text;
    TS_Vec2 scale;  // multiplies the size when drawing, never the hit area
};

struct Button {
    TS_Vec2 position;  // centre, window pixels
    TS_Vec2 size;      // unscaled size; also the hit area
    ButtonStyle styles[4];
    float textSize;
    char* label;   // owned heap copy
    int state;     // ButtonState, recomputed by every hit test
    bool enabled;  // false keeps the button in BUTTON_DISABLED
};

// A 150 x 50 button labelled "Button" with the standard looks; null when
// memory runs out.
Button* Button_Create(TS_Vec2 position);
// Frees the label and the button. Accepts null.
void Button_Free(Button* button);
// Replaces the label with a copy of `label`; false (old label kept) when
// memory runs out.
bool Button_SetLabel(Button* button, const char* label);
// Frees `count` buttons (null entries too) and leaves each slot null.
void Buttons_Free(Button** buttons, size_t count);
// A heap copy of a label or message for the UI's records (null text: "");
// null when memory runs out.
char* UI_CopyText(const char* text);
// True when the mouse is strictly inside the unscaled rectangle. Sets the
// state: disabled 3; inside 2 on a left click this frame, else 1; outside 0.
bool Button_HitTest(Button* button);
// Draws with the looks of `styleIndex` (above 3 draws idle).
void Button_Draw(const Button* button, int styleIndex);
// Whether the button was pressed this frame (false for null).
bool Button_IsPressed(const Button* button);

// The buttons of one screen or popup in keyboard order. The list owns its
// array of references, not the buttons.
struct ButtonList {
    int32_t selected;  // keyboard selection, -1 for none
    int32_t back;      // the button Escape (a pad's B) presses, -1 for none
    Button** buttons;
    size_t count;
};

ButtonList* ButtonList_Create(Button* const* buttons, size_t count);
ButtonList* ButtonList_CreateSingle(Button* button);
void ButtonList_Free(ButtonList* list);  // accepts null
// Once per frame before drawing: hit-tests every button, then either follows
// the mouse or reads the navigation keys. Left and right step through the
// list; up and down go to the nearest button in the row above or below (in a
// single row, they step like left and right). Returns the button activated this
// frame (its state is then 2), or null.
Button* ButtonList_Update(ButtonList* list);
// Makes `button` (one of the list's) the one Escape or a pad's B presses: a
// screen's Back, a question's No.
void ButtonList_SetBack(ButtonList* list, const Button* button);
// Draws every button, the keyboard-selected one in its hover look.
void ButtonList_Draw(const ButtonList* list);
