// Button lists: the mouse wins while it is over a button; otherwise the
// arrows, the player's control scheme or a pad move the keyboard selection.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/controls.h"
#include "ui/button.h"

ButtonList* ButtonList_Create(Button* const* buttons, size_t count) {
    ButtonList* list = static_cast<ButtonList*>(std::malloc(sizeof(ButtonList)));
    if (!list) return nullptr;
    list->selected = -1;
    list->back = -1;
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

void ButtonList_SetBack(ButtonList* list, const Button* button) {
    if (!list) return;
    list->back = -1;
    for (size_t i = 0; i < list->count; ++i) {
        if (button && list->buttons[i] == button) list->back = static_cast<int32_t>(i);
    }
}

namespace {

// The button straight above (direction -1) or below (+1) the selected one:
// the nearest row that way, and in it the nearest button across. -1 when
// nothing lies that way.
int32_t NearestInColumn(const ButtonList* list, int32_t from, int direction) {
    const Button* current = list->buttons[from];
    if (!current) return -1;
    const float tolerance = current->size.y * 0.5f;
    float rowDistance = -1.0f;
    for (size_t i = 0; i < list->count; ++i) {
        const Button* other = list->buttons[i];
        if (!other) continue;
        const float dy = (other->position.y - current->position.y) * static_cast<float>(direction);
        if (dy > tolerance && (rowDistance < 0.0f || dy < rowDistance)) rowDistance = dy;
    }
    if (rowDistance < 0.0f) return -1;
    int32_t best = -1;
    float bestAcross = 0.0f;
    for (size_t i = 0; i < list->count; ++i) {
        const Button* other = list->buttons[i];
        if (!other) continue;
        const float dy = (other->position.y - current->position.y) * static_cast<float>(direction);
        if (dy <= tolerance || dy > rowDistance + tolerance) continue;
        const float across = std::fabs(other->position.x - current->position.x);
        if (best < 0 || across < bestAcross) {
            best = static_cast<int32_t>(i);
            bestAcross = across;
        }
    }
    return best;
}

// Whether every button sits in one row: up and down then step along it, as a
// pad always could.
bool OneRow(const ButtonList* list, int32_t from) {
    return NearestInColumn(list, from, -1) < 0 && NearestInColumn(list, from, 1) < 0;
}

}  // namespace

Button* ButtonList_Update(ButtonList* list) {
    if (!list) return nullptr;
    bool mouseOver = false;
    for (size_t i = 0; i < list->count; ++i) {
        if (list->buttons[i] && Button_HitTest(list->buttons[i])) mouseOver = true;
    }
    // Escape goes back wherever the mouse is.
    if (list->back >= 0 && static_cast<size_t>(list->back) < list->count &&
        list->buttons[list->back] && list->buttons[list->back]->enabled &&
        Controls_Pressed(CONTROL_MENU_BACK)) {
        list->buttons[list->back]->state = BUTTON_PRESSED;
        return list->buttons[list->back];
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

    const bool left = Controls_Pressed(CONTROL_MENU_LEFT);
    const bool right = Controls_Pressed(CONTROL_MENU_RIGHT);
    const bool up = Controls_Pressed(CONTROL_MENU_UP);
    const bool down = Controls_Pressed(CONTROL_MENU_DOWN);
    const bool activate = Controls_Pressed(CONTROL_MENU_ACCEPT);

    if (list->selected < 0 || static_cast<size_t>(list->selected) >= list->count) {
        // The first navigation key only shows where the selection starts.
        if (left || right || up || down) list->selected = 0;
        else list->selected = -1;
        return nullptr;
    }
    int32_t index = list->selected;
    bool previous = left;
    bool next = right;
    if ((up || down) && !left && !right) {
        const int32_t vertical = NearestInColumn(list, index, up ? -1 : 1);
        if (vertical >= 0) {
            list->selected = vertical;
            return nullptr;
        }
        // Nothing above or below: a single row steps along; at a grid's top
        // or bottom edge the selection stays.
        if (OneRow(list, index)) {
            previous = up;
            next = down;
        } else {
            return nullptr;
        }
    }
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
