// The options screen: fullscreen, the two volumes in steps of ten and the
// control scheme. Changes apply at once and are saved when the screen is left.
#include <cstdio>

#include "app/assets.h"
#include "app/config.h"
#include "app/game.h"
#include "app/screens.h"
#include "app/window.h"
#include "screens/menu_background.h"
#include "ui/button.h"
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
    OPT_BACK,
    OPT_BUTTON_COUNT
};

const char* const kLabels[OPT_BUTTON_COUNT] = {"Toggle (Alt + Enter)", "-", "+", "-", "+",
                                               "<", ">", "Back"};

Button* buttons[OPT_BUTTON_COUNT] = {};
ButtonList* buttonList = nullptr;

// The two volumes as they are drawn, rebuilt only when they change.
char sfxText[8] = "";
char musicText[8] = "";

bool Pressed(int index) { return buttons[index] && buttons[index]->state == BUTTON_PRESSED; }

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
    Place(OPT_FULLSCREEN, (At(OPT_SFX_DOWN).x + At(OPT_SFX_UP).x) * 0.5f, ey);
}

void Options_Init(void) {
    for (int i = 0; i < OPT_BUTTON_COUNT; ++i) {
        buttons[i] = Button_Create(TS_Vector_Zero());
        if (!buttons[i]) continue;
        Button_SetLabel(buttons[i], kLabels[i]);
        if (i >= OPT_SFX_DOWN && i <= OPT_SCHEME_NEXT) buttons[i]->size.x = 50.0f;
    }
    Options_Layout();
    // The toggle spans from the left edge of the music "-" to the right edge of "+".
    if (buttons[OPT_FULLSCREEN]) {
        buttons[OPT_FULLSCREEN]->size.x =
            At(OPT_MUSIC_UP).x - At(OPT_MUSIC_DOWN).x + Width(OPT_MUSIC_UP);
    }
    buttonList = ButtonList_Create(buttons, OPT_BUTTON_COUNT);
    Options_RefreshValues();
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
}

void Options_HandleButtons(void) {
    ButtonList_Update(buttonList);
    if (Pressed(OPT_BACK)) Screen_Switch(MainMenuScreen);
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
    for (int i = OPT_SFX_DOWN; i <= OPT_MUSIC_UP; ++i) {
        if (Pressed(i)) Options_RefreshValues();
    }
}

void Options_Draw(void) {
    const int windowW = TS_System_GetWindowWidth();
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float centreX = static_cast<float>(windowW / 2);
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    MenuBackground_Draw();
    DrawDimOverlay();

    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(65.0f);
    TS_Font_DrawText("Options", centreX, h * 0.15f);

    const float labelX = centreX - 450.0f;
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(40.0f);
    TS_Font_DrawText("Fullscreen Mode", labelX, At(OPT_FULLSCREEN).y);
    TS_Font_DrawText("Sound Effects Volume", labelX, At(OPT_SFX_UP).y);
    TS_Font_DrawText("Music Volume", labelX, At(OPT_MUSIC_UP).y);
    TS_Font_DrawText("Control Scheme", labelX, At(OPT_SCHEME_PREVIOUS).y);
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
}

void Options_Update(void) {
    Options_HandleButtons();
    Window_CheckFullscreenToggle();
    Options_Draw();
}

void Options_Exit(void) {
    Settings_Write();
    ButtonList_Free(buttonList);
    buttonList = nullptr;
    for (Button*& button : buttons) {
        Button_Free(button);
        button = nullptr;
    }
    FreeSpriteImages();
    LayoutHook = nullptr;
}

}  // namespace

const GameState OptionsScreen = {Options_Init, Options_Update, Options_Exit, "Options"};
