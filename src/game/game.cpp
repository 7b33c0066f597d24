// Program start and end, the one table of which screen each name is, and the
// one map of where each screen's ending leads.
#include "game/game.h"

#include "app/assets.h"
#include "editor/editor.h"
#include "play/campaign.h"
#include "play/custom_level.h"
#include "play/watch_run.h"
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
    Screen_Define(Screen::Controls, &ControlsScreen);
    Screen_Define(Screen::Campaign, &CampaignScreen);
    Screen_Define(Screen::LevelSelect, &LevelSelectScreen);
    Screen_Define(Screen::Editor, &EditorScreen);
    Screen_Define(Screen::CustomLevel, &CustomLevelScreen);
    Screen_Define(Screen::WatchRun, &WatchRunScreen);

    struct Route {
        Screen from;
        ScreenResult result;
        Screen to;
    };
    const Route routes[] = {
        // Start-up plays the splash, then the menu theme starts on the way to
        // the main menu.
        {Screen::Startup, ScreenResult::Done, Screen::Splash},
        {Screen::Splash, ScreenResult::Done, Screen::MenuMusic},
        {Screen::MenuMusic, ScreenResult::Done, Screen::MainMenu},
        // The main menu's buttons.
        {Screen::MainMenu, ScreenResult::PlayCampaign, Screen::Campaign},
        {Screen::MainMenu, ScreenResult::ChooseLevel, Screen::LevelSelect},
        {Screen::MainMenu, ScreenResult::OpenHelp, Screen::Help},
        {Screen::MainMenu, ScreenResult::OpenOptions, Screen::Options},
        {Screen::MainMenu, ScreenResult::OpenEditor, Screen::Editor},
        {Screen::MainMenu, ScreenResult::OpenCredits, Screen::Credits},
        // The level select starts the campaign at any level, or a file.
        {Screen::LevelSelect, ScreenResult::PlayCampaign, Screen::Campaign},
        {Screen::LevelSelect, ScreenResult::PlayCustomLevel, Screen::CustomLevel},
        // Watching a level's best run, and back to the level select after.
        {Screen::LevelSelect, ScreenResult::WatchBestRun, Screen::WatchRun},
        {Screen::WatchRun, ScreenResult::Back, Screen::LevelSelect},
        // Back from the menu screens and the editor to the main menu; a game
        // left or finished starts the menu theme again first.
        {Screen::Options, ScreenResult::Back, Screen::MainMenu},
        // The options' keys and pad buttons, and back to the options.
        {Screen::Options, ScreenResult::OpenControls, Screen::Controls},
        {Screen::Controls, ScreenResult::Back, Screen::Options},
        {Screen::Help, ScreenResult::Back, Screen::MainMenu},
        {Screen::Credits, ScreenResult::Back, Screen::MainMenu},
        {Screen::LevelSelect, ScreenResult::Back, Screen::MainMenu},
        {Screen::Editor, ScreenResult::Back, Screen::MainMenu},
        {Screen::Campaign, ScreenResult::Back, Screen::MenuMusic},
        {Screen::CustomLevel, ScreenResult::Back, Screen::MenuMusic},
    };
    for (const Route& route : routes) Screen_DefineRoute(route.from, route.result, route.to);
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
