// The controls screen: every game action with its key and its pad button.
// Choosing one waits for the new key or button (Escape or the pad's B
// cancels); a key that another action had swaps with it. Saved to
// controls.cfg when the screen is left.
#include <cstdio>
#include <cstring>

#include "app/bindings.h"
#include "app/config.h"
#include "app/screens.h"
#include "app/text_file.h"
#include "app/window.h"
#include "level/level.h"
#include "screens/menu_screens.h"
#include "ui/button.h"
#include "ui/menu_background.h"
#include "ui/popup.h"
#include "ui/text_fit.h"

namespace {

const char* const kActionNames[BINDABLE_ACTION_COUNT] = {
    "Thrust", "Turn Left", "Turn Right", "Map View", "Skip", "Pause", "Restart"};

// Each action's key button, then its pad button, row by row; then the two
// buttons at the bottom.
enum { CTRL_RESET = 2 * BINDABLE_ACTION_COUNT, CTRL_BACK, CTRL_BUTTON_COUNT };

Button* buttons[CTRL_BUTTON_COUNT] = {};
ButtonList* buttonList = nullptr;

// The binding being captured: its button's index, or -1. The press that
// chose it is not taken as the new key: capture starts on the next frame.
int capturing = -1;
bool captureArmed = false;

// One line under the rows: what to press, or what the last change did; until
// then, how the screen works.
char statusText[160] = "";
char hintText[160] = "";

Popup* savePopup = nullptr;
char saveMessage[256] = "";
bool leaveSettled = false;

// When controls.cfg could not be read this run, two lines under the title.
char noteText[2][192] = {"", ""};
const TS_Color kNoteColour = {250, 220, 2, 255};
const TS_Color kHeadingColour = {170, 200, 230, 255};
const TS_Color kWhite = {255, 255, 255, 255};

const float kRowGap = 46.0f;
const float kKeyWidth = 240.0f;
const float kPadWidth = 200.0f;

int ActionOf(int index) { return index / 2; }
bool IsPadButton(int index) { return index % 2 == 1; }

TS_Vec2 At(int index) { return buttons[index] ? buttons[index]->position : TS_Vector_Zero(); }
void Place(int index, float x, float y) {
    if (buttons[index]) buttons[index]->position = TS_Vector_Set(x, y);
}

float FirstRowY(void) { return static_cast<float>(TS_System_GetWindowHeight()) * 0.15f + 110.0f; }
float KeyColumnX(void) { return static_cast<float>(TS_System_GetWindowWidth() / 2) + 60.0f; }
float PadColumnX(void) { return KeyColumnX() + kKeyWidth * 0.5f + 40.0f + kPadWidth * 0.5f; }

void Controls_Layout(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    for (int action = 0; action < BINDABLE_ACTION_COUNT; ++action) {
        const float y = FirstRowY() + kRowGap * static_cast<float>(action);
        Place(2 * action, KeyColumnX(), y);
        Place(2 * action + 1, PadColumnX(), y);
    }
    Place(CTRL_BACK, w * 0.85f, h * 0.85f);
    Place(CTRL_RESET, w * 0.15f, h * 0.85f);
    if (savePopup) Popup_Move(savePopup, TS_Vector_Set(w * 0.5f, h * 0.5f));
}

// The buttons' labels, rebuilt only when a binding changes or a capture
// starts or ends.
void Controls_RefreshLabels(void) {
    for (int index = 0; index < CTRL_RESET; ++index) {
        if (!buttons[index]) continue;
        const int action = ActionOf(index);
        const char* label = IsPadButton(index) ? Bindings_PadName(Bindings_Pad(action))
                                               : KeyName(Bindings_Key(action));
        if (index == capturing) label = "...";
        Button_SetLabel(buttons[index], label);
    }
}

void Controls_BuildNote(void) {
    const int error = Bindings_ReadError();
    if (!error) {
        noteText[0][0] = '\0';
        noteText[1][0] = '\0';
        return;
    }
    std::snprintf(noteText[0], sizeof noteText[0], "Your controls file could not be read (%s).",
                  FileError_Text(error));
    std::snprintf(noteText[1], sizeof noteText[1],
                  "Changes made here last until you quit; the file is left as it is.");
}

void Controls_Leave(void) {
    leaveSettled = true;
    Screen_Finish(ScreenResult::Back);
}

void Controls_SaveAndLeave(void) {
    // A file we could not read is left alone; the note on screen says so.
    const int error = Bindings_ReadError() ? 0 : Bindings_Save();
    if (error == 0) {
        Controls_Leave();
        return;
    }
    if (!savePopup) return;  // no memory for the question: stay, Back tries again
    std::snprintf(saveMessage, sizeof saveMessage, "Your controls could not be saved:\n%s",
                  FileError_Text(error));
    Popup_SetMessage(savePopup, saveMessage);
    savePopup->open = true;
}

void Controls_CreateSavePopup(void) {
    savePopup =
        Popup_CreateQuestion("Controls Not Saved", "", {"Try Again", Controls_SaveAndLeave, false},
                             {"Leave Anyway", Controls_Leave, false});
    if (!savePopup) return;
    for (size_t i = 0; i < savePopup->count; ++i) savePopup->buttons[i]->size.x = 180.0f;
    Popup_LayoutButtons(savePopup, 40.0f, 50.0f);
}

void Controls_Init(void) {
    for (int i = 0; i < CTRL_BUTTON_COUNT; ++i) {
        buttons[i] = Button_Create(TS_Vector_Zero());
        if (!buttons[i]) continue;
        buttons[i]->size = TS_Vector_Set(i < CTRL_RESET ? (IsPadButton(i) ? kPadWidth : kKeyWidth)
                                                        : (i == CTRL_RESET ? 240.0f : 150.0f),
                                         i < CTRL_RESET ? 38.0f : 50.0f);
    }
    Button_SetLabel(buttons[CTRL_RESET], "Reset to Scheme");
    Button_SetLabel(buttons[CTRL_BACK], "Back");
    buttonList = ButtonList_Create(buttons, CTRL_BUTTON_COUNT);
    capturing = -1;
    captureArmed = false;
    statusText[0] = '\0';
    const int scheme = TS_Math_ClampInt(userConfig.controlScheme, 0, CONTROL_SCHEME_COUNT - 1);
    std::snprintf(hintText, sizeof hintText,
                  "%s scheme. Choose a key or button, then press the new one. Escape always "
                  "pauses.",
                  controlSchemeNames[scheme]);
    leaveSettled = false;
    Controls_RefreshLabels();
    Controls_CreateSavePopup();
    Controls_BuildNote();
    Controls_Layout();
    LayoutHook = Controls_Layout;
}

void Controls_StartCapture(int index) {
    capturing = index;
    captureArmed = false;
    std::snprintf(statusText, sizeof statusText, "Press the new %s for %s  (Escape cancels)",
                  IsPadButton(index) ? "pad button" : "key", kActionNames[ActionOf(index)]);
    Controls_RefreshLabels();
}

void Controls_EndCapture(void) {
    capturing = -1;
    Controls_RefreshLabels();
}

// Says what binding `code` to the captured action did, naming the action
// that gave it up, if any.
void Controls_Bind(int code) {
    const int action = ActionOf(capturing);
    const bool pad = IsPadButton(capturing);
    int holder = -1;
    for (int other = 0; other < BINDABLE_ACTION_COUNT; ++other) {
        const int bound = pad ? Bindings_Pad(other) : Bindings_Key(other);
        if (other != action && bound == code) holder = other;
    }
    const char* name = pad ? Bindings_PadName(code) : KeyName(code);
    const bool bound = pad ? Bindings_SetPad(action, code) : Bindings_SetKey(action, code);
    if (!bound) {
        // Only the pause's Escape can refuse a swap: no other action may pause.
        const char* other = holder >= 0 ? kActionNames[holder] : "";
        std::snprintf(statusText, sizeof statusText,
                      "%s is %s's key: give %s another key first (Escape only pauses)", name, other,
                      other);
    } else if (holder >= 0) {
        const int given = pad ? Bindings_Pad(holder) : Bindings_Key(holder);
        std::snprintf(statusText, sizeof statusText, "%s: %s    %s: %s", kActionNames[action], name,
                      kActionNames[holder], pad ? Bindings_PadName(given) : KeyName(given));
    } else {
        std::snprintf(statusText, sizeof statusText, "%s: %s", kActionNames[action], name);
    }
    Controls_EndCapture();
}

// Waits for the key or pad button to bind; keys and buttons that cannot be
// bound are passed over.
void Controls_UpdateCapture(void) {
    if (!captureArmed) {
        captureArmed = true;
        return;
    }
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE) || TS_Pad_ButtonTriggered(TS_PAD_B) ||
        TS_Input_MouseTriggered(TS_MOUSE_LEFT)) {
        statusText[0] = '\0';
        Controls_EndCapture();
        return;
    }
    if (IsPadButton(capturing)) {
        for (int button = 0; button < TS_PAD_BUTTON_COUNT; ++button) {
            if (button != TS_PAD_B && TS_Pad_ButtonTriggered(button)) {
                Controls_Bind(button);
                return;
            }
        }
        return;
    }
    for (int key = 1; key < TS_KEY_COUNT; ++key) {
        if (key != TS_KEY_ESCAPE && KeyName(key)[0] != '\0' && TS_Input_KeyTriggered(key)) {
            Controls_Bind(key);
            return;
        }
    }
}

void Controls_HandleButtons(void) {
    Button* pressed = ButtonList_Update(buttonList);
    if (!pressed) return;
    if (pressed == buttons[CTRL_BACK]) {
        Controls_SaveAndLeave();
        return;
    }
    if (pressed == buttons[CTRL_RESET]) {
        Bindings_ResetToScheme();
        const int scheme = TS_Math_ClampInt(userConfig.controlScheme, 0, CONTROL_SCHEME_COUNT - 1);
        std::snprintf(statusText, sizeof statusText, "The %s scheme's keys and the pad's buttons",
                      controlSchemeNames[scheme]);
        Controls_RefreshLabels();
        return;
    }
    for (int index = 0; index < CTRL_RESET; ++index) {
        if (pressed == buttons[index]) Controls_StartCapture(index);
    }
}

void Controls_Draw(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float centreX = static_cast<float>(TS_System_GetWindowWidth() / 2);
    MenuBackground_DrawDimmed();

    TS_Settings_Fill(kWhite);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(65.0f);
    TS_Font_DrawText("Controls", centreX, h * 0.15f);
    if (noteText[0][0]) {
        TS_Settings_Fill(kNoteColour);
        FitTextSize(noteText[1], 20.0f, w - 80.0f);
        TS_Font_DrawText(noteText[0], centreX, h * 0.15f + 48.0f);
        TS_Font_DrawText(noteText[1], centreX, h * 0.15f + 72.0f);
    }

    const float headingY = FirstRowY() - 42.0f;
    TS_Settings_Fill(kHeadingColour);
    TS_Settings_TextSize(22.0f);
    TS_Font_DrawText("Keyboard", KeyColumnX(), headingY);
    TS_Font_DrawText("Game Pad", PadColumnX(), headingY);

    const float labelX = centreX - 450.0f;
    TS_Settings_Fill(kWhite);
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(30.0f);
    for (int action = 0; action < BINDABLE_ACTION_COUNT; ++action) {
        TS_Font_DrawText(kActionNames[action], labelX, At(2 * action).y);
    }

    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    const char* status = statusText[0] ? statusText : hintText;
    TS_Settings_Fill(capturing >= 0 ? kNoteColour : (statusText[0] ? kWhite : kHeadingColour));
    FitTextSize(status, 22.0f, w - 80.0f);
    TS_Font_DrawText(status, centreX,
                     FirstRowY() + kRowGap * static_cast<float>(BINDABLE_ACTION_COUNT));

    ButtonList_Draw(buttonList);
    Popup_Draw(savePopup);
}

void Controls_Update(void) {
    if (!Popups_Update(&savePopup, 1)) {
        if (capturing >= 0) {
            Controls_UpdateCapture();
        } else {
            Controls_HandleButtons();
        }
    }
    Window_CheckFullscreenToggle();
    Controls_Draw();
}

void Controls_Exit(void) {
    // Leaving by Back has already saved; any other way out is the game
    // quitting, with one quiet attempt.
    if (!leaveSettled && !Bindings_ReadError()) {
        const int error = Bindings_Save();
        if (error) {
            std::fprintf(stderr, "Vexal: controls not saved on quitting (%s)\n",
                         FileError_Text(error));
        }
    }
    Popup_Free(savePopup);
    savePopup = nullptr;
    ButtonList_Free(buttonList);
    buttonList = nullptr;
    Buttons_Free(buttons, CTRL_BUTTON_COUNT);
    LayoutHook = nullptr;
}

}  // namespace

const GameState ControlsScreen = {Controls_Init, Controls_Update, Controls_Exit, "Controls"};
