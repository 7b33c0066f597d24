// The main menu: for now the game's name over the panning background; Escape
// quits. The full menu with its buttons replaces this screen.
#include "app/assets.h"
#include "app/game.h"
#include "app/screens.h"
#include "app/window.h"
#include "screens/menu_background.h"

namespace {

void MainMenu_Init(void) { MenuBackground_Init(); }

void MainMenu_Update(void) {
    Window_CheckFullscreenToggle();
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) Game_Quit();
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    MenuBackground_Draw();
    TS_Image logo = GetSpriteImage(SPRITE_LOGO);
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_Image_Draw(logo, static_cast<float>(TS_System_GetWindowWidth() / 2), h * 0.425f,
                  static_cast<float>(TS_Image_GetWidth(logo)) * 0.75f,
                  static_cast<float>(TS_Image_GetHeight(logo)) * 0.75f, 255);
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(25.0f);
    TS_Font_DrawText("Press Esc to quit", w * 0.5f, h * 0.775f);
}

void MainMenu_Exit(void) { FreeSpriteImages(); }

}  // namespace

const GameState MainMenuScreen = {MainMenu_Init, MainMenu_Update, MainMenu_Exit, "MainMenu"};
