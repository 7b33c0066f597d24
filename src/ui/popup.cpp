// Popup dialogs: creation, layout of the button row, moving, resizing, the
// modal step and drawing.
#include "ui/popup.h"

#include <cstdlib>
#include <cstring>

#include "ui/text_fit.h"
#include "ui/text_lines.h"

namespace {

const float kTitleBarHeight = 40.0f;
const float kTitleSize = 20.0f;
const float kMessageSize = 17.0f;  // also the distance between message lines
const float kTextMargin = 20.0f;   // between a text and the panel's sides

void RunChoice(Popup* popup, Button* pressed) {
    for (size_t i = 0; i < popup->count && i < POPUP_MAX_CHOICES; ++i) {
        if (popup->buttons[i] != pressed) continue;
        if (!popup->keepsOpen[i]) popup->open = false;
        if (popup->actions[i]) popup->actions[i]();
        return;
    }
}

void PlaceTitleBar(Popup* popup) {
    popup->dragHandle->position =
        TS_Vector_Set(popup->position.x, popup->position.y - popup->size.y * 0.5f + 20.0f);
    popup->dragHandle->size = TS_Vector_Set(popup->size.x, kTitleBarHeight);
}

// How far below the centre the message's room ends: the top of the button
// row, or 50 px above the centre's level for a popup without buttons.
float MessageBottom(const Popup* popup) {
    if (popup->count == 0) return -50.0f;
    const Button* first = popup->buttons[0];
    return first->position.y - first->size.y * 0.5f - popup->position.y;
}

// Replaces an owned text of the popup; false (old text kept) without memory.
bool Replace(char** text, const char* with) {
    char* copy = UI_CopyText(with);
    if (!copy) return false;
    std::free(*text);
    *text = copy;
    return true;
}

// Makes the panel `grownBy` taller than it was laid out, the title bar going
// up and the buttons down by half of the change each (the centre stays).
void Grow(Popup* popup, float grownBy) {
    const float change = grownBy - popup->grownBy;
    if (change == 0.0f) return;
    popup->grownBy = grownBy;
    popup->size.y += change;
    for (size_t i = 0; i < popup->count; ++i) popup->buttons[i]->position.y += change * 0.5f;
    Popup_Move(popup, popup->position);
}

}  // namespace

Popup* Popup_Create(const char* title, const char* message, size_t count, PopupCallback callback) {
    Popup* popup = static_cast<Popup*>(std::calloc(1, sizeof(Popup)));
    if (!popup) return nullptr;
    popup->count = count;
    popup->position = TS_Vector_Set(static_cast<float>(TS_System_GetWindowWidth()) * 0.5f,
                                    static_cast<float>(TS_System_GetWindowHeight()) * 0.5f);
    popup->size = TS_Vector_Set(500.0f, 200.0f);
    popup->open = true;
    popup->draggable = true;
    popup->callback = callback;
    bool complete = true;
    if (count > 0) {
        popup->buttons = static_cast<Button**>(std::calloc(count, sizeof(Button*)));
        complete = popup->buttons != nullptr;
        for (size_t i = 0; complete && i < count; ++i) {
            popup->buttons[i] = Button_Create(popup->position);
            complete = popup->buttons[i] != nullptr;
        }
    }
    if (complete) {
        popup->buttonList = ButtonList_Create(popup->buttons, count);
        popup->dragHandle = DragHandle_Create(TS_Vector_Zero(), TS_Vector_Zero());
        popup->title = UI_CopyText(title);
        popup->message = UI_CopyText(message);
        complete = popup->buttonList && popup->dragHandle && popup->title && popup->message;
    }
    if (!complete) {
        if (!popup->buttons) popup->count = 0;
        Popup_Free(popup);
        return nullptr;
    }
    Popup_LayoutButtons(popup, 40.0f, 50.0f);
    PlaceTitleBar(popup);
    Popup_FitTexts(popup);
    return popup;
}

Popup* Popup_CreateChoices(const char* title, const char* message, const PopupChoice* choices,
                           size_t count) {
    if (count > POPUP_MAX_CHOICES) return nullptr;
    Popup* popup = Popup_Create(title, message, count, RunChoice);
    if (!popup) return nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (!Button_SetLabel(popup->buttons[i], choices[i].label)) {
            Popup_Free(popup);
            return nullptr;
        }
        popup->actions[i] = choices[i].action;
        popup->keepsOpen[i] = choices[i].keepsOpen;
    }
    Popup_LayoutButtons(popup, 40.0f, 50.0f);
    // A lone button that only closes (an "Ok" under a message) is what
    // Escape means too.
    if (count == 1 && !choices[0].action && !choices[0].keepsOpen) {
        ButtonList_SetBack(popup->buttonList, popup->buttons[0]);
    }
    popup->open = false;
    return popup;
}

Popup* Popup_CreateQuestion(const char* title, const char* question, PopupChoice yes,
                            PopupChoice no) {
    const PopupChoice answers[2] = {yes, no};
    Popup* popup = Popup_CreateChoices(title, question, answers, 2);
    // Escape answers no.
    if (popup) ButtonList_SetBack(popup->buttonList, popup->buttons[1]);
    return popup;
}

void Popup_Open(Popup* popup) {
    if (popup) popup->open = true;
}

void Popup_Free(Popup* popup) {
    if (!popup) return;
    ButtonList_Free(popup->buttonList);
    if (popup->buttons) {
        for (size_t i = 0; i < popup->count; ++i) Button_Free(popup->buttons[i]);
    }
    std::free(popup->buttons);
    DragHandle_Free(popup->dragHandle);
    std::free(popup->title);
    std::free(popup->message);
    std::free(popup->shownTitle);
    std::free(popup->shownMessage);
    std::free(popup);
}

bool Popup_SetTitle(Popup* popup, const char* title) {
    if (!Replace(&popup->title, title)) return false;
    Popup_FitTexts(popup);
    return true;
}

bool Popup_SetMessage(Popup* popup, const char* message) {
    if (!Replace(&popup->message, message)) return false;
    Popup_FitTexts(popup);
    return true;
}

void Popup_FitTexts(Popup* popup) {
    // Fitting starts from the panel as it was laid out.
    Grow(popup, 0.0f);
    const float room = popup->size.x - 2.0f * kTextMargin;
    char fitted[TEXT_LINES_MAX_TEXT];
    TS_Settings_TextSize(kTitleSize);
    TextFit_Shorten(popup->title, room, TEXT_CUT_MIDDLE, fitted, sizeof fitted);
    // Without memory for the fitted copy the text is drawn as it is.
    if (!Replace(&popup->shownTitle, fitted)) {
        std::free(popup->shownTitle);
        popup->shownTitle = nullptr;
    }
    // Wrapping turns spaces into line breaks and adds at most one break per
    // character, so twice the message's length always holds its lines.
    std::free(popup->shownMessage);
    const size_t size = std::strlen(popup->message) * 2 + 2;
    popup->shownMessage = static_cast<char*>(std::malloc(size));
    int lines = 1;
    TS_Settings_TextSize(kMessageSize);
    if (popup->shownMessage) {
        lines = TextLines_WrapWords(popup->message, room, popup->shownMessage, size);
    }
    const float top = -popup->size.y * 0.5f + kTitleBarHeight;
    // Lines touch: a block as tall as its lines fills its room exactly.
    const float need = static_cast<float>(lines) * kMessageSize;
    const float have = MessageBottom(popup) - top;
    if (need <= have) return;
    const float most = static_cast<float>(TS_System_GetWindowHeight()) - popup->size.y;
    Grow(popup, TS_Math_ClampFloat(need - have, 0.0f, most > 0.0f ? most : 0.0f));
}

void Popup_PlaceButton(Popup* popup, size_t index, TS_Vec2 offset) {
    if (index >= popup->count) return;
    Button* button = popup->buttons[index];
    const float halfW = popup->size.x * 0.5f;
    const float halfH = popup->size.y * 0.5f;
    const float bx = button->size.x * 0.5f;
    const float by = button->size.y * 0.5f;
    button->position.x =
        TS_Math_ClampFloat(popup->position.x + offset.x, popup->position.x - halfW + bx,
                           popup->position.x + halfW - bx);
    button->position.y =
        TS_Math_ClampFloat(popup->position.y + offset.y, popup->position.y - halfH + by,
                           popup->position.y + halfH - by);
}

void Popup_LayoutButtons(Popup* popup, float gap, float heightFactor) {
    if (popup->count == 0) return;
    float total = static_cast<float>(popup->count - 1) * gap;
    for (size_t i = 0; i < popup->count; ++i) total += popup->buttons[i]->size.x;
    float x = -total * 0.5f;
    // A panel grown for its message keeps its buttons as far from its bottom.
    const float laidOut = popup->size.y - popup->grownBy;
    const float y = laidOut / 200.0f * heightFactor + popup->grownBy * 0.5f;
    for (size_t i = 0; i < popup->count; ++i) {
        const float width = popup->buttons[i]->size.x;
        x += width * 0.5f;
        Popup_PlaceButton(popup, i, TS_Vector_Set(x, y));
        x += width * 0.5f + gap;
    }
}

void Popup_Move(Popup* popup, TS_Vec2 centre) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float halfW = popup->size.x * 0.5f;
    const float halfH = popup->size.y * 0.5f;
    const TS_Vec2 old = popup->position;
    popup->position.x = TS_Math_ClampFloat(centre.x, halfW, w - halfW);
    popup->position.y = TS_Math_ClampFloat(centre.y, halfH, h - halfH);
    PlaceTitleBar(popup);
    for (size_t i = 0; i < popup->count; ++i) {
        Popup_PlaceButton(popup, i, TS_Vector_Subtract(popup->buttons[i]->position, old));
    }
}

void Popup_Resize(Popup* popup, TS_Vec2 size) {
    // The display is measured in real pixels; a popup in layout units.
    const float scale = TS_System_GetLayoutScale();
    popup->size.x =
        TS_Math_ClampFloat(size.x, 0.0f, static_cast<float>(TS_System_GetDisplayWidth()) / scale);
    popup->size.y =
        TS_Math_ClampFloat(size.y, 0.0f, static_cast<float>(TS_System_GetDisplayHeight()) / scale);
    popup->grownBy = 0.0f;
    Popup_LayoutButtons(popup, 40.0f, 50.0f);
    Popup_Move(popup, popup->position);
    Popup_FitTexts(popup);
}

Button* Popup_Update(Popup* popup) {
    if (!popup || !popup->open) return nullptr;
    if (popup->draggable) {
        const TS_Vec2 movement = DragHandle_Update(popup->dragHandle);
        Popup_Move(popup, TS_Vector_Subtract(popup->position, movement));
        if (popup->dragHandle->dragging) return nullptr;
    }
    Button* pressed = ButtonList_Update(popup->buttonList);
    if (pressed && popup->callback) popup->callback(popup, pressed);
    return pressed;
}

void Popup_Draw(const Popup* popup) {
    if (!popup || !popup->open) return;
    const TS_Vec2 p = popup->position;
    const TS_Color white = TS_Color_Create(240, 240, 240, 255);
    TS_Settings_Fill(TS_Color_Create(24, 26, 28, 255));
    TS_Settings_Stroke(white);
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Graphics_DrawRect(p.x, p.y, popup->size.x, popup->size.y);
    const float titleY = p.y - popup->size.y * 0.5f + kTitleBarHeight * 0.5f;
    TS_Graphics_DrawRect(p.x, titleY, popup->size.x, kTitleBarHeight);

    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(kTitleSize);
    TS_Font_DrawText(popup->shownTitle ? popup->shownTitle : popup->title, p.x, titleY);

    // The message block is centred between the title bar and the button row.
    TS_Settings_TextSize(kMessageSize);
    const char* message = popup->shownMessage ? popup->shownMessage : popup->message;
    const float b = -MessageBottom(popup);
    int newlines = 0;
    for (const char* c = message; *c; ++c) {
        if (*c == '\n') ++newlines;
    }
    float y = p.y - (popup->size.y * 0.5f + b - kTitleBarHeight) * 0.5f -
              static_cast<float>(newlines) * kMessageSize * 0.5f;
    const char* line = message;
    char buffer[1024];
    for (;;) {
        const char* end = std::strchr(line, '\n');
        const size_t length = end ? static_cast<size_t>(end - line) : std::strlen(line);
        const size_t copied = length < sizeof buffer - 1 ? length : sizeof buffer - 1;
        std::memcpy(buffer, line, copied);
        buffer[copied] = '\0';
        TS_Font_DrawText(buffer, p.x, y);
        if (!end) break;
        line = end + 1;
        y += kMessageSize;
    }

    for (size_t i = 0; i < popup->count; ++i) {
        const bool selected = static_cast<int32_t>(i) == popup->buttonList->selected;
        Button_Draw(popup->buttons[i], selected ? BUTTON_HOVER : popup->buttons[i]->state);
    }
}

bool Popups_Update(Popup* const* popups, size_t count) {
    bool anyOpen = false;
    for (size_t i = 0; i < count; ++i) {
        Popup* popup = popups[i];
        if (!popup || !popup->open) continue;
        anyOpen = true;
        if (Popup_Update(popup)) break;
    }
    return anyOpen;
}

bool Popups_AnyOpen(Popup* const* popups, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (popups[i] && popups[i]->open) return true;
    }
    return false;
}

void Popups_Draw(Popup* const* popups, size_t count) {
    // A modal popup sits over a dimmed scene: once under all of them, so a
    // popup over another does not darken the first again.
    if (Popups_AnyOpen(popups, count)) DrawDimOverlay();
    for (size_t i = 0; i < count; ++i) Popup_Draw(popups[i]);
}
