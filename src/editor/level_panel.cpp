// The editor's "Level" popup: the par time, start fuel and start rotation of
// the level under edit, and its four rules (unlimited fuel, no turning, no
// stranding, half speed), with steppers, typed numbers, toggles and keys.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/editor.h"

namespace {

enum { ROW_PAR = 0, ROW_FUEL = 1, ROW_ROTATION = 2, ROW_FIRST_FLAG = 3, ROW_COUNT = 7 };

struct NumberRow {
    const char* name;
    const char* range;
    float low, high;
    float step;       // one click or key press
    float shiftStep;  // with Shift held
};

// The ship's tank holds 100: a start above that would be cut at the first
// fuel cell. Par time 0 gives no time bonus.
const NumberRow kNumbers[3] = {
    {"Par time", "0 to 600 s; 0 means no par", 0.0f, 600.0f, 1.0f, 10.0f},
    {"Start fuel", "1 to 100; 100 is a full tank", 1.0f, 100.0f, 1.0f, 10.0f},
    {"Start rotation", "-180 to 180 degrees", -180.0f, 180.0f, 5.0f, 45.0f},
};

struct FlagRow {
    const char* name;
    const char* effect;
    uint32_t flag;
};

const FlagRow kFlags[4] = {
    {"Unlimited fuel", "no fuel cost, no gauge, no fuel bonus", LEVEL_UNLIMITED_FUEL},
    {"No turning", "the ship cannot turn", LEVEL_NO_TURNING},
    {"No stranding", "an empty tank does not end the run", LEVEL_NO_STRANDING},
    {"Half speed", "the ship's top speed is halved", LEVEL_HALF_SPEED},
};

const TS_Vec2 kPanelSize = {580.0f, 490.0f};
const float kFirstRowY = -165.0f;  // from the panel's centre
const float kRowHeight = 50.0f;
const float kLeft = -265.0f;  // where the names start
const float kMinusX = 115.0f;
const float kValueX = 180.0f;
const float kPlusX = 245.0f;
const float kValueHalfWidth = 40.0f;  // the number between the steppers, for a click
const float kRepeatDelay = 0.4f;      // seconds a stepper is held before it repeats
const float kRepeatEvery = 0.05f;

struct Panel {
    Popup* popup;
    Button* minus[3];
    Button* plus[3];
    Button* toggles[4];
    Button* done;
    int focus;           // the row the arrow keys work on
    char values[3][32];  // the numbers as shown, rebuilt when they change
    float shown[3];
    float mouseHeld;        // seconds the pressed stepper has been held
    float keyHeld;          // seconds Left or Right has been held
    const Button* pressed;  // the stepper the mouse press began on
    bool typing;            // digits typed into the focused number, not yet taken
    char typed[8];
    TS_Color offFill;  // the toggles' own looks, for a rule that is off
    TS_Color offHoverFill;
};

const TS_Color kOnGreen = {110, 200, 110, 255};
const TS_Color kOnGreenLight = {150, 225, 150, 255};

Panel panel = {};

float* Value(int row) {
    Level& level = editor.editedLevel;
    if (row == ROW_PAR) return &level.parTime;
    if (row == ROW_FUEL) return &level.startFuel;
    return &level.startRotation;
}

void RefreshTexts(void) {
    for (int row = 0; row < 3; ++row) {
        const float v = *Value(row);
        if (panel.typing && row == panel.focus) {
            std::snprintf(panel.values[row], 32, "%s_", panel.typed);
            panel.values[row][31] = '\0';
            panel.shown[row] = -1000.0f;  // none of the values: remade after typing
            continue;
        }
        if (panel.shown[row] == v && panel.values[row][0] != '\0') continue;
        panel.shown[row] = v;
        const double d = static_cast<double>(v);
        if (row == ROW_PAR && v <= 0.0f) std::snprintf(panel.values[row], 32, "none");
        else if (row == ROW_PAR) std::snprintf(panel.values[row], 32, "%g s", d);
        else if (row == ROW_ROTATION) std::snprintf(panel.values[row], 32, "%g\xC2\xB0", d);
        else std::snprintf(panel.values[row], 32, "%g", d);
    }
    for (int i = 0; i < 4; ++i) {
        Button* toggle = panel.toggles[i];
        if (!toggle) continue;
        const bool on = (editor.editedLevel.flags & kFlags[i].flag) != 0;
        // A rule in force is green, to be seen at a glance down the column.
        toggle->styles[BUTTON_IDLE].fill = on ? kOnGreen : panel.offFill;
        toggle->styles[BUTTON_HOVER].fill = on ? kOnGreenLight : panel.offHoverFill;
        const char* label = on ? "On" : "Off";
        if (!toggle->label || toggle->label[1] != label[1]) Button_SetLabel(toggle, label);
    }
}

float RowY(int row) { return kFirstRowY + kRowHeight * static_cast<float>(row); }

void Place(Button* button, float x, float y) {
    if (button) button->position = TS_Vector_Add(panel.popup->position, TS_Vector_Set(x, y));
}

void PlaceControls(void) {
    if (!panel.popup) return;
    for (int row = 0; row < 3; ++row) {
        Place(panel.minus[row], kMinusX, RowY(row));
        Place(panel.plus[row], kPlusX, RowY(row));
    }
    for (int i = 0; i < 4; ++i) Place(panel.toggles[i], kValueX, RowY(ROW_FIRST_FLAG + i));
    Place(panel.done, 0.0f, kPanelSize.y * 0.5f - 35.0f);
}

Button* MakeButton(const char* label, float width) {
    Button* button = Button_Create(TS_Vector_Zero());
    if (!button) return nullptr;
    button->size = TS_Vector_Set(width, 36.0f);
    Button_SetLabel(button, label);
    return button;
}

bool ShiftHeld(void) {
    return TS_Input_KeyDown(TS_KEY_LEFT_SHIFT) || TS_Input_KeyDown(TS_KEY_RIGHT_SHIFT);
}

// Steps a number by `direction` (+1 or -1) within its range.
void Step(int row, int direction) {
    const NumberRow& r = kNumbers[row];
    float* value = Value(row);
    const float step = ShiftHeld() ? r.shiftStep : r.step;
    const float next =
        TS_Math_ClampFloat(*value + step * static_cast<float>(direction), r.low, r.high);
    if (next == *value) return;
    *value = next;
    Editor_MarkChanged();
}

void Toggle(int flag) {
    editor.editedLevel.flags ^= kFlags[flag].flag;
    Editor_MarkChanged();
}

// A press steps once; held, it repeats after a moment.
bool Repeats(bool triggered, bool down, float* held) {
    if (triggered) {
        *held = 0.0f;
        return true;
    }
    if (!down) return false;
    const float before = *held;
    *held += TS_System_GetDt();
    if (*held < kRepeatDelay) return false;
    const int ticksBefore = static_cast<int>((before - kRepeatDelay) / kRepeatEvery);
    const int ticksNow = static_cast<int>((*held - kRepeatDelay) / kRepeatEvery);
    return before < kRepeatDelay || ticksNow > ticksBefore;
}

// The typed number replaces the focused one, kept within its range; nothing
// typed leaves it as it was.
void TakeTyped(void) {
    if (!panel.typing) return;
    panel.typing = false;
    const int row = panel.focus;
    if (row >= ROW_FIRST_FLAG || panel.typed[0] == '\0' || std::strcmp(panel.typed, "-") == 0) {
        return;
    }
    const NumberRow& r = kNumbers[row];
    const float typed = static_cast<float>(std::atoi(panel.typed));
    const float next = TS_Math_ClampFloat(typed, r.low, r.high);
    float* value = Value(row);
    if (next == *value) return;
    *value = next;
    Editor_MarkChanged();
}

// Digits (and a leading minus for the rotation) typed on a number's row.
// Returns whether the key was taken by typing.
bool UpdateTyping(void) {
    if (panel.focus >= ROW_FIRST_FLAG) return false;
    char c = 0;
    for (int key = TS_KEY_0; key <= TS_KEY_9 && !c; ++key) {
        if (TS_Input_KeyTriggered(key)) c = static_cast<char>(key);
    }
    for (int key = TS_KEY_KP_0; key <= TS_KEY_KP_9 && !c; ++key) {
        if (TS_Input_KeyTriggered(key)) c = static_cast<char>('0' + (key - TS_KEY_KP_0));
    }
    if (!c && TS_Input_KeyTriggered(TS_KEY_MINUS) && panel.focus == ROW_ROTATION) c = '-';
    if (c) {
        if (!panel.typing) panel.typed[0] = '\0';
        panel.typing = true;
        const size_t length = std::strlen(panel.typed);
        const bool fits = length < 4 && (c != '-' || length == 0);
        if (fits) {
            panel.typed[length] = c;
            panel.typed[length + 1] = '\0';
        }
        return true;
    }
    if (!panel.typing) return false;
    if (TS_Input_KeyTriggered(TS_KEY_BACKSPACE)) {
        const size_t length = std::strlen(panel.typed);
        if (length > 0) panel.typed[length - 1] = '\0';
        return true;
    }
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) {
        panel.typing = false;  // the number stays as it was
        return true;
    }
    if (TS_Input_KeyTriggered(TS_KEY_ENTER)) {
        TakeTyped();
        return true;
    }
    return false;
}

void Close(void) {
    TakeTyped();
    panel.popup->open = false;
}

void UpdateMouse(void) {
    const bool mouseDown = TS_Input_MouseDown(TS_MOUSE_LEFT);
    if (!mouseDown) panel.pressed = nullptr;
    // A click anywhere takes what was typed; a click on a number chooses its
    // row for typing.
    if (TS_Input_MouseTriggered(TS_MOUSE_LEFT)) {
        TakeTyped();
        const TS_Vec2 p = panel.popup->position;
        const float dx = TS_Input_GetMouseX() - (p.x + kValueX);
        for (int row = 0; row < 3; ++row) {
            const float dy = TS_Input_GetMouseY() - (p.y + RowY(row));
            if (dx > -kValueHalfWidth && dx < kValueHalfWidth && dy > -18.0f && dy < 18.0f) {
                panel.focus = row;
            }
        }
    }
    for (int row = 0; row < 3; ++row) {
        Button* buttons[2] = {panel.minus[row], panel.plus[row]};
        for (int side = 0; side < 2; ++side) {
            Button* b = buttons[side];
            if (!b) continue;
            const bool over = Button_HitTest(b);
            const bool pressed = Button_IsPressed(b);
            if (pressed) panel.pressed = b;
            // Only the stepper the press began on repeats, while the pointer stays on it.
            const bool held = mouseDown && over && panel.pressed == b;
            if (Repeats(pressed, held, &panel.mouseHeld)) {
                panel.focus = row;
                Step(row, side == 0 ? -1 : 1);
            }
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (panel.toggles[i] && Button_HitTest(panel.toggles[i]) &&
            Button_IsPressed(panel.toggles[i])) {
            panel.focus = ROW_FIRST_FLAG + i;
            Toggle(i);
        }
    }
    if (panel.done && Button_HitTest(panel.done) && Button_IsPressed(panel.done)) Close();
}

// Up and Down choose a row; Left and Right step a number or switch a rule;
// digits type a number (Enter takes it, Escape drops it); Space switches a
// rule; Enter, Escape and L close.
void UpdateKeys(void) {
    if (UpdateTyping()) return;
    const bool up = TS_Input_KeyTriggered(TS_KEY_UP);
    const bool down = TS_Input_KeyTriggered(TS_KEY_DOWN);
    const bool left = TS_Input_KeyDown(TS_KEY_LEFT);
    const bool right = TS_Input_KeyDown(TS_KEY_RIGHT);
    if (up || down || left || right) TakeTyped();
    if (up) panel.focus = (panel.focus + ROW_COUNT - 1) % ROW_COUNT;
    if (down) panel.focus = (panel.focus + 1) % ROW_COUNT;
    if (panel.focus < ROW_FIRST_FLAG) {
        const bool triggered =
            TS_Input_KeyTriggered(TS_KEY_LEFT) || TS_Input_KeyTriggered(TS_KEY_RIGHT);
        if ((left != right) && Repeats(triggered, true, &panel.keyHeld)) {
            Step(panel.focus, left ? -1 : 1);
        }
    } else if (TS_Input_KeyTriggered(TS_KEY_LEFT) || TS_Input_KeyTriggered(TS_KEY_RIGHT) ||
               TS_Input_KeyTriggered(TS_KEY_SPACE)) {
        Toggle(panel.focus - ROW_FIRST_FLAG);
    }
    if (TS_Input_KeyTriggered(TS_KEY_ENTER) || TS_Input_KeyTriggered(TS_KEY_ESCAPE) ||
        TS_Input_KeyTriggered(TS_KEY_L)) {
        Close();
    }
}

void DrawRowText(int row, const char* name, const char* hint) {
    const TS_Vec2 p = panel.popup->position;
    const float y = p.y + RowY(row);
    if (row == panel.focus) {
        TS_Settings_RectMode(TS_MODE_CENTER);
        TS_Settings_NoStroke();
        TS_Settings_Fill(TS_Color{54, 56, 58, 255});
        TS_Graphics_DrawRect(p.x, y, kPanelSize.x - 20.0f, kRowHeight - 6.0f);
    }
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(TS_Color{255, 255, 255, 255});
    TS_Settings_TextSize(20.0f);
    TS_Font_DrawText(name, p.x + kLeft, y - 9.0f);
    TS_Settings_Fill(TS_Color{170, 170, 170, 255});
    TS_Settings_TextSize(14.0f);
    TS_Font_DrawText(hint, p.x + kLeft, y + 12.0f);
}

}  // namespace

void LevelPanel_Create(void) {
    panel = Panel{};
    panel.popup = Popup_CreateChoices("Level", "", nullptr, 0);
    if (!panel.popup) return;
    Popup_Resize(panel.popup, kPanelSize);
    for (int row = 0; row < 3; ++row) {
        panel.minus[row] = MakeButton("-", 40.0f);
        panel.plus[row] = MakeButton("+", 40.0f);
    }
    for (Button*& toggle : panel.toggles) toggle = MakeButton("Off", 90.0f);
    if (panel.toggles[0]) {
        panel.offFill = panel.toggles[0]->styles[BUTTON_IDLE].fill;
        panel.offHoverFill = panel.toggles[0]->styles[BUTTON_HOVER].fill;
    }
    panel.done = MakeButton("Done", 150.0f);
    PlaceControls();
}

void LevelPanel_Free(void) {
    for (int row = 0; row < 3; ++row) {
        Button_Free(panel.minus[row]);
        Button_Free(panel.plus[row]);
    }
    for (Button* toggle : panel.toggles) Button_Free(toggle);
    Button_Free(panel.done);
    Popup_Free(panel.popup);
    panel = Panel{};
}

Popup* LevelPanel_Popup(void) { return panel.popup; }

void LevelPanel_Open(void) {
    if (!panel.popup) return;
    panel.focus = 0;
    panel.typing = false;
    Popup_Open(panel.popup);
    PlaceControls();
    RefreshTexts();
}

void LevelPanel_Update(void) {
    if (!panel.popup || !panel.popup->open) return;
    // Dragged by its title bar last frame: the controls go along.
    PlaceControls();
    UpdateMouse();
    if (panel.popup->open) UpdateKeys();
    RefreshTexts();
}

void LevelPanel_Draw(void) {
    if (!panel.popup || !panel.popup->open) return;
    const TS_Vec2 p = panel.popup->position;
    for (int row = 0; row < 3; ++row) {
        DrawRowText(row, kNumbers[row].name, kNumbers[row].range);
        TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
        TS_Settings_Fill(TS_Color{255, 255, 255, 255});
        TS_Settings_TextSize(20.0f);
        TS_Font_DrawText(panel.values[row], p.x + kValueX, p.y + RowY(row));
        if (panel.typing && row == panel.focus) {
            TS_Settings_RectMode(TS_MODE_CENTER);
            TS_Settings_NoFill();
            TS_Settings_Stroke(TS_Color{255, 255, 255, 255});
            TS_Graphics_DrawRect(p.x + kValueX, p.y + RowY(row), 2.0f * kValueHalfWidth, 32.0f);
        }
        if (panel.minus[row]) Button_Draw(panel.minus[row], panel.minus[row]->state);
        if (panel.plus[row]) Button_Draw(panel.plus[row], panel.plus[row]->state);
    }
    for (int i = 0; i < 4; ++i) {
        DrawRowText(ROW_FIRST_FLAG + i, kFlags[i].name, kFlags[i].effect);
        if (panel.toggles[i]) Button_Draw(panel.toggles[i], panel.toggles[i]->state);
    }
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(TS_Color{170, 170, 170, 255});
    TS_Settings_TextSize(14.0f);
    TS_Font_DrawText("Up/Down: row   Left/Right: change (Shift: more)   or type a number", p.x,
                     p.y + RowY(ROW_COUNT) - 5.0f);
    if (panel.done) Button_Draw(panel.done, panel.done->state);
}
