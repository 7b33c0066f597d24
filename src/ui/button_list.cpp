// Button lists: the mouse wins while it is over a button; otherwise the
// arrows, the player's control scheme or a pad move the keyboard selection.
#include <cstdlib>
#include <cstring>

#include "app/controls.h"
#include "ui/button.h"

ButtonList* ButtonList_Create(Button* const* buttons, size_t count) {
    ButtonList* list = static_cast<ButtonList*>(std::malloc(sizeof(ButtonList)));
    if (!list) return nullptr;
    list->selected = -1;
    list->count = count;
    list->buttons = nullptr;
    if (count > 0) {
        list->buttons = static_cast<Button**>(std::malloc(count * sizeof(Button*)));
        if (!list->buttons) {
            std::free(list);
            return nullptr;
        }
        std::memcpy(list->buttons, buttons, count * sizeof(Button*));
    }
    return list;
}

ButtonList* ButtonList_CreateSingle(Button* button) { return ButtonList_Create(&button, 1); }

void ButtonList_Free(ButtonList* list) {
    if (!list) return;
    std::free(list->buttons);
    std::free(list);
}

Button* ButtonList_Update(ButtonList* list) {
    if (!list) return nullptr;
    bool mouseOver = false;
    for (size_t i = 0; i < list->count; ++i) {
        if (list->buttons[i] && Button_HitTest(list->buttons[i])) mouseOver = true;
    }
    if (mouseOver) {
        list->selected = -1;
        for (size_t i = 0; i < list->count; ++i) {
            if (list->buttons[i] && list->buttons[i]->state == BUTTON_PRESSED) {
                return list->buttons[i];
            }
        }
        return nullptr;
    }
    if (list->count == 0) return nullptr;

    // A pad's up and down move along the list too, whichever way it is laid out.
    const bool previous = Controls_Pressed(CONTROL_MENU_LEFT) || Controls_Pressed(CONTROL_MENU_UP);
    const bool next = Controls_Pressed(CONTROL_MENU_RIGHT) || Controls_Pressed(CONTROL_MENU_DOWN);
    const bool activate = Controls_Pressed(CONTROL_MENU_ACCEPT);

    if (list->selected < 0 || static_cast<size_t>(list->selected) >= list->count) {
        // The first navigation key only shows where the selection starts.
        if (previous || next) list->selected = 0;
        else list->selected = -1;
        return nullptr;
    }
    int32_t index = list->selected;
    if (previous) {
        index -= 1;
    } else if (next) {
        index += 1;
    } else if (activate) {
        Button* chosen = list->buttons[index];
        if (chosen) chosen->state = BUTTON_PRESSED;
        return chosen;
    }
    const int32_t last = static_cast<int32_t>(list->count) - 1;
    if (index > last) index = 0;
    if (index < 0) index = last;
    list->selected = index;
    return nullptr;
}

void ButtonList_Draw(const ButtonList* list) {
    if (!list) return;
    for (size_t i = 0; i < list->count; ++i) {
        const Button* button = list->buttons[i];
        if (!button) continue;
        const bool selected = static_cast<int32_t>(i) == list->selected;
        Button_Draw(button, selected ? BUTTON_HOVER : button->state);
    }
}
