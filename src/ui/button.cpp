// Button records: creation, labels, the strict mouse hit test and drawing.
#include "ui/button.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/text_fit.h"

namespace {

const float kLabelMargin = 4.0f;  // between a label and each side of its button
// A label is drawn no smaller than this share of its size (nor than
// kSmallestLabel); below that it reads badly, and is shortened instead.
const float kLabelFloorShare = 0.6f;
const float kSmallestLabel = 12.0f;

// Labels shortened with an ellipsis, kept so that a button drawn every frame
// measures its label once: a few buttons at a time have labels too long.
struct ShortLabel {
    char label[256];
    float size;
    float room;
    char shown[256];
};
const int kShortLabels = 8;
ShortLabel shortLabels[kShortLabels] = {};
int nextShortLabel = 0;

// The label shortened to `room` at the current text size `size`.
const char* ShortenedLabel(const char* label, float size, float room) {
    for (const ShortLabel& entry : shortLabels) {
        if (entry.size == size && entry.room == room && std::strcmp(entry.label, label) == 0) {
            return entry.shown;
        }
    }
    ShortLabel& entry = shortLabels[nextShortLabel];
    nextShortLabel = (nextShortLabel + 1) % kShortLabels;
    std::snprintf(entry.label, sizeof entry.label, "%s", label);
    entry.size = size;
    entry.room = room;
    TextFit_Shorten(entry.label, room, TEXT_CUT_END, entry.shown, sizeof entry.shown);
    return entry.shown;
}

const ButtonStyle kDefaultStyles[4] = {
    {{240, 240, 240, 255}, {27, 172, 235, 255}, {0, 0, 0, 255}, {1.0f, 1.0f}},
    {{255, 255, 255, 255}, {250, 220, 2, 255}, {0, 0, 0, 255}, {1.1f, 1.1f}},
    {{54, 56, 58, 255}, {250, 220, 2, 255}, {255, 255, 255, 255}, {1.0f, 1.0f}},
    {{54, 56, 58, 255}, {128, 128, 128, 255}, {128, 128, 128, 255}, {1.0f, 1.0f}},
};

}  // namespace

char* UI_CopyText(const char* text) {
    if (!text) text = "";
    const size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

Button* Button_Create(TS_Vec2 position) {
    Button* button = static_cast<Button*>(std::malloc(sizeof(Button)));
    if (!button) return nullptr;
    button->position = position;
    button->size = TS_Vector_Set(150.0f, 50.0f);
    for (int i = 0; i < 4; ++i) button->styles[i] = kDefaultStyles[i];
    button->textSize = 25.0f;
    button->state = BUTTON_IDLE;
    button->enabled = true;
    button->label = UI_CopyText("Button");
    if (!button->label) {
        std::free(button);
        return nullptr;
    }
    return button;
}

void Button_Free(Button* button) {
    if (!button) return;
    std::free(button->label);
    std::free(button);
}

void Buttons_Free(Button** buttons, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        Button_Free(buttons[i]);
        buttons[i] = nullptr;
    }
}

bool Button_SetLabel(Button* button, const char* label) {
    if (!button || !label) return false;
    char* copy = UI_CopyText(label);
    if (!copy) return false;
    std::free(button->label);
    button->label = copy;
    return true;
}

bool Button_IsPressed(const Button* button) { return button && button->state == BUTTON_PRESSED; }

bool Button_HitTest(Button* button) {
    if (!button->enabled) {
        button->state = BUTTON_DISABLED;
        return false;
    }
    const float mx = TS_Input_GetMouseX();
    const float my = TS_Input_GetMouseY();
    const float halfW = button->size.x * 0.5f;
    const float halfH = button->size.y * 0.5f;
    // Strict: a pointer exactly on the border is outside.
    const bool inside = mx > button->position.x - halfW && mx < button->position.x + halfW &&
                        my > button->position.y - halfH && my < button->position.y + halfH;
    if (!inside) {
        button->state = BUTTON_IDLE;
        return false;
    }
    button->state = TS_Input_MouseTriggered(TS_MOUSE_LEFT) ? BUTTON_PRESSED : BUTTON_HOVER;
    return true;
}

void Button_Draw(const Button* button, int styleIndex) {
    if (!button) return;
    const ButtonStyle& style = button->styles[styleIndex >= 0 && styleIndex <= 3 ? styleIndex : 0];
    if (style.stroke.a > 0) {
        TS_Settings_Stroke(style.stroke);
    } else {
        TS_Settings_NoStroke();
    }
    if (style.fill.a > 0) {
        TS_Settings_Fill(style.fill);
    } else {
        TS_Settings_NoFill();
    }
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Graphics_DrawRect(button->position.x, button->position.y, button->size.x * style.scale.x,
                         button->size.y * style.scale.y);
    if (!button->label) return;
    TS_Settings_Fill(style.text);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    // A label wider than its button is drawn smaller rather than spilling
    // out, down to a size that still reads; past that it loses its end.
    const float room = button->size.x - 2.0f * kLabelMargin;
    const float size = FitTextSize(button->label, button->textSize, room);
    // Whole pixels, as FitTextSize gives, keep the smaller label crisp.
    float floor = static_cast<float>(static_cast<int>(button->textSize * kLabelFloorShare));
    if (floor < kSmallestLabel) floor = kSmallestLabel;
    if (floor > button->textSize) floor = button->textSize;
    if (size >= floor) {
        TS_Font_DrawText(button->label, button->position.x, button->position.y);
        return;
    }
    TS_Settings_TextSize(floor);
    TS_Font_DrawText(ShortenedLabel(button->label, floor, room), button->position.x,
                     button->position.y);
}
