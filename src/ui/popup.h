// Popup dialogs (modal panels with a title bar, a message and a row of
// buttons), the drag handle that moves them, and the dimming overlay.
#pragma once

#include <cstddef>

#include "platform/tessera.h"
#include "ui/button.h"

// A rectangle that follows the mouse while the left button stays down after
// a press inside it.
struct DragHandle {
    TS_Vec2 position;  // centre
    TS_Vec2 size;
    bool dragging;
    float heldTime;  // seconds of the current drag
};

DragHandle* DragHandle_Create(TS_Vec2 position, TS_Vec2 size);
void DragHandle_Free(DragHandle* handle);
// The mouse movement to apply this frame, as (previous - current); zero when
// the handle is not being dragged. A press strictly inside starts a drag.
TS_Vec2 DragHandle_Update(DragHandle* handle);

struct Popup;
// Runs when a popup button is activated; closing the popup is its business.
typedef void (*PopupCallback)(Popup* popup, Button* pressed);

// What a choice does once its popup has closed (the game's state is global,
// so an action needs nothing passed in).
typedef void (*PopupAction)(void);

// One button of a choice popup: its label and its action (null: the button
// only closes the popup). A choice that keeps the popup open leaves it
// showing under whatever the action opens (the pause menu's "Help").
struct PopupChoice {
    const char* label;
    PopupAction action;
    bool keepsOpen;
};

enum { POPUP_MAX_CHOICES = 4 };

struct Popup {
    TS_Vec2 position;  // centre, window pixels
    TS_Vec2 size;
    char* title;    // owned
    char* message;  // owned; "\n" separates lines
    // As drawn (owned, null before the first fitting): the title shortened
    // with an ellipsis and the message wrapped to the panel's width.
    char* shownTitle;
    char* shownMessage;
    float grownBy;     // height added to the panel so that its message's lines fit
    Button** buttons;  // owned, `count` entries
    ButtonList* buttonList;
    size_t count;
    PopupCallback callback;
    bool draggable;
    bool open;
    DragHandle* dragHandle;  // the title bar
    // A choice popup's actions, by button; unused by other popups.
    PopupAction actions[POPUP_MAX_CHOICES];
    bool keepsOpen[POPUP_MAX_CHOICES];
};

// A 500 x 200 popup in the window centre, open and draggable, with `count`
// default buttons in a centred row. Null (nothing left allocated) when
// memory runs out.
Popup* Popup_Create(const char* title, const char* message, size_t count, PopupCallback callback);
void Popup_Free(Popup* popup);  // accepts null
// A closed popup with one button per choice (at most POPUP_MAX_CHOICES): a
// pressed button closes the popup, unless it keeps it open, then runs its
// action. Escape presses a single choice that only closes. Null when memory
// runs out or there are too many choices.
Popup* Popup_CreateChoices(const char* title, const char* message, const PopupChoice* choices,
                           size_t count);
// The yes/no question every confirmation asks: `yes` is the first button,
// `no` the second, and Escape (a pad's B) answers no.
Popup* Popup_CreateQuestion(const char* title, const char* question, PopupChoice yes,
                            PopupChoice no);
bool Popup_SetTitle(Popup* popup, const char* title);
bool Popup_SetMessage(Popup* popup, const char* message);
// Opens the popup (accepts null, as a popup that could not be made).
void Popup_Open(Popup* popup);

// Places button `index` at `offset` from the centre, kept inside the panel.
void Popup_PlaceButton(Popup* popup, size_t index, TS_Vec2 offset);
// Lays the buttons out in a centred row `gap` apart, size.y / 200 x
// `heightFactor` below the centre.
void Popup_LayoutButtons(Popup* popup, float gap, float heightFactor);
// Moves the centre (kept inside the window); the buttons follow.
void Popup_Move(Popup* popup, TS_Vec2 centre);
// Resizes (at most the display size) and lays the buttons out again.
void Popup_Resize(Popup* popup, TS_Vec2 size);
// Fits the title and the message to the panel again: a title too wide is
// shortened in the middle, message lines too wide wrap at their spaces, and
// when the lines do not fit above the buttons the panel grows (within the
// window). The setters and Popup_Resize call it.
void Popup_FitTexts(Popup* popup);

// The modal step, once per frame before drawing while the popup is open:
// drag by the title bar, otherwise the buttons; an activated button runs the
// callback and is returned.
Button* Popup_Update(Popup* popup);
// Draws the popup when it is open.
void Popup_Draw(const Popup* popup);

// A screen's popups, modal together. The open ones step in list order until
// one acts: an action may open, close or replace the others, so there is one
// per frame. Returns whether any was open (the frame's input was theirs).
bool Popups_Update(Popup* const* popups, size_t count);
bool Popups_AnyOpen(Popup* const* popups, size_t count);
// Dims the scene when any is open, then draws the open ones in list order,
// the last on top.
void Popups_Draw(Popup* const* popups, size_t count);

// Darkens the whole window behind a menu.
void DrawDimOverlay(void);
