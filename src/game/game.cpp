// Program start and end, and the one table of which screen each name is.
#include "game/game.h"

#include "app/assets.h"
#include "editor/editor.h"
#include "play/campaign.h"
#include "play/custom_level.h"
#include "screens/menu_screens.h"
#include "ui/menu_background.h"

void Game_DefineScreens(void) {
    Screen_Define(Screen::Startup, &StartupScreen);
    Screen_Define(Screen::Splash, &SplashScreen);
    Screen_Define(Screen::MenuMusic, &MenuMusicScreen);
    Screen_Define(Screen::MainMenu, &MainMenuScreen);
    Screen_Define(Screen::Options, &OptionsScreen);
    Screen_Define(Screen::Help, &HelpScreen);
    Screen_Define(Screen::Credits, &CreditsScreen);
    Screen_Define(Screen::Campaign, &CampaignScreen);
    Screen_Define(Screen::LevelSelect, &LevelSelectScreen);
    Screen_Define(Screen::Editor, &EditorScreen);
    Screen_Define(Screen::CustomLevel, &CustomLevelScreen);
}

void Game_Start(void) {
    Game_DefineScreens();
    TS_System_SetWindowSize(1280, 720);
    TS_System_SetFrameRate(60.0f);
    Screen_Switch(Screen::Startup);
}

void Game_Finish(void) {
    Assets_FreeAll();
    MenuBackground_Reset();
}
