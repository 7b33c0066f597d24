// The splash: the studio logo, then the audio credit, each fading in and out
// over black. A click, Enter, Escape or Space skips to the menu. Behind the
// logos the game reads ahead what the menus and the levels show.
#include <cmath>

#include "app/assets.h"
#include "app/screens.h"
#include "game/game.h"
#include "app/window.h"

namespace {

TS_Image logos[2] = {nullptr, nullptr};
float logoWidth[2] = {0, 0};
float logoHeight[2] = {0, 0};
TS_Vec2 centre = {0, 0};
int currentLogo = 0;
float phaseTime = 0.0f;
float fadeValue = 0.0f;
float fadeRate = 255.0f;
float startDelay = 0.0f;

void Splash_Init(void) {
    logos[0] = GetSpriteImage(SPRITE_STUDIO_RED);
    logos[1] = GetSpriteImage(SPRITE_AUDIO_LOGO);
    for (int i = 0; i < 2; ++i) {
        logoWidth[i] = static_cast<float>(TS_Image_GetWidth(logos[i]));
        logoHeight[i] = static_cast<float>(TS_Image_GetHeight(logos[i]));
    }
    centre = TS_Vector_Set(static_cast<float>(TS_System_GetWindowWidth()) * 0.5f,
                           static_cast<float>(TS_System_GetWindowHeight()) * 0.5f);
    currentLogo = 0;
    phaseTime = 0.0f;
    fadeValue = 0.0f;
    fadeRate = 255.0f;
    // In fullscreen the display may still be switching modes: wait in black.
    startDelay = Window_IsFullscreen() ? 5.0f : 0.0f;
}

bool SkipPressed(void) {
    return TS_Input_MouseTriggered(TS_MOUSE_LEFT) || TS_Input_MouseTriggered(TS_MOUSE_RIGHT) ||
           TS_Input_KeyTriggered(TS_KEY_ENTER) || TS_Input_KeyTriggered(TS_KEY_ESCAPE) ||
           TS_Input_KeyTriggered(TS_KEY_SPACE) || TS_Pad_ButtonTriggered(TS_PAD_A) ||
           TS_Pad_ButtonTriggered(TS_PAD_B) || TS_Pad_ButtonTriggered(TS_PAD_START);
}

void Splash_Update(void) {
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    Assets_PreloadStep();
    const float dt = TS_System_GetDt();
    if (startDelay > 0.0f) {
        startDelay -= dt;
        return;
    }
    phaseTime += dt;
    const bool done = phaseTime >= 2.5f;
    if (done) {
        ++currentLogo;
        phaseTime = 0.0f;
        if (currentLogo >= 2) {
            // Five seconds of logos are ample for the reading ahead; on a
            // machine so busy that some is left, it is finished here.
            Assets_PreloadAll();
            Screen_Finish(ScreenResult::Done);
        }
        return;
    }
    int alpha = 255;
    if (phaseTime <= 1.0f) {
        fadeValue += dt * fadeRate;
        alpha = static_cast<int>(fadeValue);
    } else if (phaseTime > 1.5f) {
        fadeValue -= dt * fadeRate;
        alpha = static_cast<int>(fadeValue);
    }
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_Image_Draw(logos[currentLogo], centre.x, centre.y, logoWidth[currentLogo],
                  logoHeight[currentLogo], alpha);
    if (SkipPressed()) Screen_Finish(ScreenResult::Done);
}

void Splash_Exit(void) {
    // A splash skipped in its first moments leaves some reading ahead undone:
    // the menu's part is finished now (its picture has been decoding since the
    // first logo), the levels' part is left to their first start.
    Assets_PreloadMenus();
    FreeSpriteImage(SPRITE_STUDIO_RED);
    FreeSpriteImage(SPRITE_AUDIO_LOGO);
    logos[0] = logos[1] = nullptr;
}

}  // namespace

const GameState SplashScreen = {Splash_Init, Splash_Update, Splash_Exit, "Splash"};
