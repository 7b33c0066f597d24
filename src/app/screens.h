// Every screen of the game as a GameState, and the switch between them.
#pragma once

#include "platform/tessera.h"

struct GameState {
    TS_Callback init;
    TS_Callback update;
    TS_Callback exit;
    const char* name;
};

// Screens that run before the main menu.
extern const GameState StartupScreen;
extern const GameState SplashScreen;
extern const GameState MenuMusicScreen;
extern const GameState MainMenuScreen;

// The menu screens.
extern const GameState OptionsScreen;
extern const GameState HelpScreen;
extern const GameState CreditsScreen;

// Where the main menu's "Play", "Level Select" and "Level Editor" lead.
extern const GameState CampaignScreen;
extern const GameState LevelSelectScreen;
extern const GameState EditorScreen;
// A level file played on its own, reached from the level select.
extern const GameState CustomLevelScreen;

// Requests the change; it happens after the current update returns.
void Screen_Switch(const GameState& screen);

// The name of the screen that is current ("Startup", "Splash", "MainMenu"...),
// or "" before the first frame.
const char* Screen_CurrentName(void);

// Screens register themselves so that their name can be told.
void Screen_Register(const GameState* screen);
