// The options screen: fullscreen, the two volumes in steps of ten, the
// control scheme (with the way to the controls screen) and the ghost of the best run. Changes apply
// at once and are saved when the screen is left; a save that fails keeps the player here and says
// why.
#include <cstdio>
#include <cstring>

#include "app/assets.h"
#include "app/bindings.h"
#include "app/config.h"
#include "app/preferences.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "app/text_file.h"
#include "app/window.h"
#include "screens/menu_screens.h"
#include "ui/button.h"
#include "ui/menu_background.h"
#include "ui/popup.h"
#include "ui/text_fit.h"

namespace {

enum {
    OPT_FULLSCREEN,
    OPT_SFX_DOWN,
    OPT_SFX_UP,
    OPT_MUSIC_DOWN,
    OPT_MUSIC_UP,
    OPT_SCHEME_PREVIOUS,
    OPT_SCHEME_NEXT,
    OPT_GHOST,
    OPT_CONTROLS,
    OPT_BACK,
    OPT_BUTTON_COUNT
};

const char* const kLabels[OPT_BUTTON_COUNT] = {
    "Toggle (Alt + Enter)", "-", "+", "-", "+", "<", ">", "On", "Controls", "Back"};

Button* buttons[OPT_BUTTON_COUNT] = {};
ButtonList* buttonList = nullptr;

// The two volumes as they are drawn, rebuilt only when they change.
char sfxText[8] = "";
char musicText[8] = "";

// Asks what to do when leaving could not save: try again or leave anyway.
Popup* savePopup = nullptr;
const float kPopupMargin = 30.0f;  // between the message and the panel's sides
char saveMessage[256] = "";

// Set once the player's way out is decided (saved, or left without saving),
// so that the screen's exit does not save a second time.
bool leaveSettled = false;

// When user.cfg could not be read this run, two lines under the title say so:
// the game leaves that file alone, so nothing chosen here outlives the run.
char noteText[2][192] = {"", ""};
float noteSize = 20.0f;
const TS_Color kNoteColour = {250, 220, 2, 255};

const float kControlsGap = 40.0f;  // between the scheme's ">" and Controls

bool Pressed(int index) { return Button_IsPressed(buttons[index]); }

TS_Vec2 At(int index) { return buttons[index] ? buttons[index]->position : TS_Vector_Zero(); }
float Width(int index) { return buttons[index] ? buttons[index]->size.x : 0.0f; }
float Height(int index) { return buttons[index] ? buttons[index]->size.y : 0.0f; }
void Place(int index, float x, float y) {
    if (buttons[index]) buttons[index]->position = TS_Vector_Set(x, y);
}

void Options_RefreshValues(void) {
    std::snprintf(sfxText, sizeof sfxText, "%d", userConfig.sfxVolume);
    std::snprintf(musicText, sizeof musicText, "%d", userConfig.musicVolume);
}

void Options_Layout(void) {
    const int windowW = TS_System_GetWindowWidth();
    const int windowH = TS_System_GetWindowHeight();
    const float w = static_cast<float>(windowW);
    const float h = static_cast<float>(windowH);
    // The block of rows is centred vertically around the middle of the window.
    const float o = (Height(OPT_SFX_UP) + 60.0f + Height(OPT_MUSIC_UP) + 60.0f +
                     Height(OPT_SCHEME_PREVIOUS) + 100.0f + Height(OPT_FULLSCREEN)) *
                    0.25f;
    const float ex = static_cast<float>(windowW / 2);
    const float ey = static_cast<float>(windowH / 2) - o;
    const float f = ex + 450.0f;
    Place(OPT_BACK, w * 0.85f, h * 0.85f);
    Place(OPT_SFX_UP, f - Width(OPT_SFX_UP) * 0.5f, ey + 60.0f);
    Place(OPT_SFX_DOWN, At(OPT_SFX_UP).x - 20.0f - 225.0f - 20.0f - Width(OPT_SFX_DOWN) * 0.5f,
          At(OPT_SFX_UP).y);
    Place(OPT_MUSIC_UP, f - Width(OPT_MUSIC_UP) * 0.5f, At(OPT_SFX_UP).y + 60.0f);
    Place(OPT_MUSIC_DOWN, At(OPT_MUSIC_UP).x - 265.0f - Width(OPT_SFX_DOWN) * 0.5f,
          At(OPT_MUSIC_UP).y);
    Place(OPT_SCHEME_NEXT, f - Width(OPT_SCHEME_PREVIOUS) * 0.5f, At(OPT_MUSIC_UP).y + 100.0f);
    Place(OPT_SCHEME_PREVIOUS, At(OPT_SCHEME_NEXT).x - 265.0f - Width(OPT_SFX_DOWN) * 0.5f,
          At(OPT_SCHEME_NEXT).y);
    // The player's own keys, beside the scheme they start from, a clear step
    // away from its ">" so the two read as separate buttons.
    Place(OPT_CONTROLS,
          At(OPT_SCHEME_NEXT).x + Width(OPT_SCHEME_NEXT) * 0.5f + kControlsGap +
              Width(OPT_CONTROLS) * 0.5f,
          At(OPT_SCHEME_NEXT).y);
    Place(OPT_FULLSCREEN, (At(OPT_SFX_DOWN).x + At(OPT_SFX_UP).x) * 0.5f, ey);
    // At the start of the column of buttons, under the scheme's "<": well
    // clear of Back in the corner below.
    Place(OPT_GHOST,
          At(OPT_SCHEME_PREVIOUS).x - Width(OPT_SCHEME_PREVIOUS) * 0.5f + Width(OPT_GHOST) * 0.5f,
          At(OPT_SCHEME_NEXT).y + 100.0f);
    // The note takes one size at which both of its lines fit the window.
    noteSize = 20.0f;
    for (const char* line : noteText) {
        const float fitted = FitTextSize(line, 20.0f, w - 80.0f);
        if (fitted < noteSize) noteSize = fitted;
    }
    if (savePopup) Popup_Move(savePopup, TS_Vector_Set(w * 0.5f, h * 0.5f));
}

void Options_BuildNote(void) {
    const int error = Settings_ReadError();
    if (!error) {
        noteText[0][0] = '\0';
        noteText[1][0] = '\0';
        return;
    }
    std::snprintf(noteText[0], sizeof noteText[0], "Your settings file could not be read (%s).",
                  FileError_Text(error));
    std::snprintf(noteText[1], sizeof noteText[1],
                  "Changes made here last until you quit; the file is left as it is.");
}

void Options_Leave(void) {
    leaveSettled = true;
    Screen_Finish(ScreenResult::Back);
}

void Options_ShowSaveError(int error) {
    if (!savePopup) return;  // no memory for the question: stay, Back tries again
    std::snprintf(saveMessage, sizeof saveMessage, "Your settings could not be saved:\n%s",
                  FileError_Text(error));
    Popup_SetMessage(savePopup, saveMessage);
    // The panel widens to hold the longest line of the message.
    TS_Settings_TextSize(17.0f);
    float width = 500.0f;
    const char* newline = std::strchr(saveMessage, '\n');
    const float reasonWidth = TS_Font_TextWidth(newline ? newline + 1 : saveMessage);
    if (reasonWidth + 2.0f * kPopupMargin > width) width = reasonWidth + 2.0f * kPopupMargin;
    Popup_Resize(savePopup, TS_Vector_Set(width, savePopup->size.y));
    savePopup->open = true;
}

void Options_RefreshGhost(void) {
    if (buttons[OPT_GHOST]) Button_SetLabel(buttons[OPT_GHOST], preferences.ghost ? "On" : "Off");
}

// Both files of settings; 0, or why one could not be written. A file we could
// not read is not saved over, and that is no reason to keep the player here
// (the settings' note says so on screen).
int Options_Save(void) {
    const int settingsError = Settings_ReadError() ? 0 : Settings_Write();
    const int preferencesError = Preferences_ReadError() ? 0 : Preferences_Write();
    const int bindingsError = Bindings_ReadError() ? 0 : Bindings_Save();
    if (settingsError) return settingsError;
    return preferencesError ? preferencesError : bindingsError;
}

// One save per attempt to leave.
void Options_SaveAndLeave(void) {
    const int error = Options_Save();
    if (error == 0) {
        Options_Leave();
    } else {
        Options_ShowSaveError(error);
    }
}

void Options_CreateSavePopup(void) {
    savePopup =
        Popup_CreateQuestion("Settings Not Saved", "", {"Try Again", Options_SaveAndLeave, false},
                             {"Leave Anyway", Options_Leave, false});
    if (!savePopup) return;
    // Neither answer is a plain "no": Escape must not throw the settings away.
    ButtonList_SetBack(savePopup->buttonList, nullptr);
    for (size_t i = 0; i < savePopup->count; ++i) savePopup->buttons[i]->size.x = 180.0f;
    Popup_LayoutButtons(savePopup, 40.0f, 50.0f);
}

void Options_Init(void) {
    for (int i = 0; i < OPT_BUTTON_COUNT; ++i) {
        buttons[i] = Button_Create(TS_Vector_Zero());
        if (!buttons[i]) continue;
        Button_SetLabel(buttons[i], kLabels[i]);
        if (i >= OPT_SFX_DOWN && i <= OPT_SCHEME_NEXT) buttons[i]->size.x = 50.0f;
        if (i == OPT_GHOST) buttons[i]->size.x = 110.0f;
        if (i == OPT_CONTROLS) buttons[i]->size.x = 120.0f;
    }
    Options_Layout();
    // The toggle spans from the left edge of the music "-" to the right edge of "+".
    if (buttons[OPT_FULLSCREEN]) {
        buttons[OPT_FULLSCREEN]->size.x =
            At(OPT_MUSIC_UP).x - At(OPT_MUSIC_DOWN).x + Width(OPT_MUSIC_UP);
    }
    buttonList = ButtonList_Create(buttons, OPT_BUTTON_COUNT);
    ButtonList_SetBack(buttonList, buttons[OPT_BACK]);
    Options_RefreshValues();
    Options_RefreshGhost();
    Options_CreateSavePopup();
    Options_BuildNote();
    leaveSettled = false;
    Options_Layout();
    LayoutHook = Options_Layout;
}

void Options_StepMusic(int step) {
    userConfig.musicVolume = TS_Math_ClampInt(userConfig.musicVolume + step, 0, 100);
    ApplyMusicVolume();
}

void Options_StepScheme(int step) {
    int scheme = userConfig.controlScheme + step;
    if (scheme > CONTROL_SCHEME_COUNT - 1) scheme = 0;
    if (scheme < 0) scheme = CONTROL_SCHEME_COUNT - 1;
    userConfig.controlScheme = scheme;
    Bindings_ChooseScheme(scheme);  // the keys the player bound give way to the scheme's
}

void Options_HandleButtons(void) {
    ButtonList_Update(buttonList);
    if (Pressed(OPT_BACK)) Options_SaveAndLeave();
    // Leaving for the controls saves quietly on the way (see Options_Exit);
    // Back from there returns here.
    if (Pressed(OPT_CONTROLS)) Screen_Finish(ScreenResult::OpenControls);
    if (Pressed(OPT_FULLSCREEN)) Window_ToggleFullscreen();
    if (Pressed(OPT_SFX_DOWN)) {
        userConfig.sfxVolume = TS_Math_ClampInt(userConfig.sfxVolume - 10, 0, 100);
    }
    if (Pressed(OPT_SFX_UP)) {
        userConfig.sfxVolume = TS_Math_ClampInt(userConfig.sfxVolume + 10, 0, 100);
    }
    if (Pressed(OPT_MUSIC_DOWN)) Options_StepMusic(-10);
    if (Pressed(OPT_MUSIC_UP)) Options_StepMusic(10);
    if (Pressed(OPT_SCHEME_PREVIOUS)) Options_StepScheme(-1);
    if (Pressed(OPT_SCHEME_NEXT)) Options_StepScheme(1);
    if (Pressed(OPT_GHOST)) {
        preferences.ghost = !preferences.ghost;
        Options_RefreshGhost();
    }
    for (int i = OPT_SFX_DOWN; i <= OPT_MUSIC_UP; ++i) {
        if (Pressed(i)) Options_RefreshValues();
    }
}

void Options_Draw(void) {
    const int windowW = TS_System_GetWindowWidth();
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float centreX = static_cast<float>(windowW / 2);
    MenuBackground_DrawDimmed();

    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(65.0f);
    TS_Font_DrawText("Options", centreX, h * 0.15f);
    if (noteText[0][0]) {
        TS_Settings_Fill(kNoteColour);
        TS_Settings_TextSize(noteSize);
        TS_Font_DrawText(noteText[0], centreX, h * 0.15f + 62.0f);
        TS_Font_DrawText(noteText[1], centreX, h * 0.15f + 88.0f);
        TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    }

    const float labelX = centreX - 450.0f;
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(40.0f);
    TS_Font_DrawText("Fullscreen Mode", labelX, At(OPT_FULLSCREEN).y);
    TS_Font_DrawText("Sound Effects Volume", labelX, At(OPT_SFX_UP).y);
    TS_Font_DrawText("Music Volume", labelX, At(OPT_MUSIC_UP).y);
    TS_Font_DrawText("Control Scheme", labelX, At(OPT_SCHEME_PREVIOUS).y);
    TS_Font_DrawText("Ghost of Best Run", labelX, At(OPT_GHOST).y);
    const int scheme = TS_Math_ClampInt(userConfig.controlScheme, 0, CONTROL_SCHEME_COUNT - 1);
    TS_Settings_TextSize(20.0f);
    TS_Font_DrawText(controlSchemeHelp[scheme], labelX, At(OPT_SCHEME_NEXT).y + 40.0f);

    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(40.0f);
    TS_Font_DrawText(sfxText, (At(OPT_SFX_DOWN).x + At(OPT_SFX_UP).x) * 0.5f, At(OPT_SFX_UP).y);
    TS_Font_DrawText(musicText, (At(OPT_MUSIC_DOWN).x + At(OPT_MUSIC_UP).x) * 0.5f,
                     At(OPT_MUSIC_UP).y);
    // The scheme's name stays clear of the "<" and ">" buttons beside it.
    const float nameRoom = At(OPT_SCHEME_NEXT).x - At(OPT_SCHEME_PREVIOUS).x -
                           (Width(OPT_SCHEME_NEXT) + Width(OPT_SCHEME_PREVIOUS)) * 0.5f - 20.0f;
    FitTextSize(controlSchemeNames[scheme], 40.0f, nameRoom);
    TS_Font_DrawText(controlSchemeNames[scheme],
                     (At(OPT_SCHEME_PREVIOUS).x + At(OPT_SCHEME_NEXT).x) * 0.5f,
                     At(OPT_SCHEME_NEXT).y);

    ButtonList_Draw(buttonList);
    Popups_Draw(&savePopup, 1);
}

void Options_Update(void) {
    if (!Popups_Update(&savePopup, 1)) Options_HandleButtons();
    Window_CheckFullscreenToggle();
    Options_Draw();
}

void Options_Exit(void) {
    // Leaving by Back has already saved (or the player chose not to). Any
    // other way out is the controls screen or the game quitting: one quiet
    // attempt, since there is no screen left to ask on.
    if (!leaveSettled) {
        const int error = Options_Save();
        if (error) {
            std::fprintf(stderr, "Vexal: settings not saved on quitting (%s)\n",
                         FileError_Text(error));
        }
    }
    Popup_Free(savePopup);
    savePopup = nullptr;
    ButtonList_Free(buttonList);
    buttonList = nullptr;
    Buttons_Free(buttons, OPT_BUTTON_COUNT);
    FreeSpriteImages();
    LayoutHook = nullptr;
}

}  // namespace

const GameState OptionsScreen = {Options_Init, Options_Update, Options_Exit, "Options"};
