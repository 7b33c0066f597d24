// Every screen of the game by name, and the switch between them. A screen
// reports how it ended (the player chose "Options", went back, the splash is
// over); the game's start fills in which GameState each name is and where
// each ending leads, so no screen needs to know the module that owns another
// or what comes after it.
#pragma once

#include "platform/tessera.h"

struct GameState {
    TS_Callback init;
    TS_Callback update;
    TS_Callback exit;
    const char* name;
};

enum class Screen {
    // Before the main menu.
    Startup,
    Splash,
    MenuMusic,  // starts the menu theme on the way to the main menu
    MainMenu,
    // The menu screens.
    Options,
    Help,
    Credits,
    Controls,  // the player's keys and pad buttons, reached from the options
    // Where the main menu's "Play", "Level Select" and "Level Editor" lead.
    Campaign,
    LevelSelect,
    Editor,
    // A level file played on its own, reached from the level select.
    CustomLevel,
    // A level's best run played back, reached from the level select.
    WatchRun,
    Count
};

// How a screen ended.
enum class ScreenResult {
    Done,  // it has run its course (start-up, the splash, the menu theme)
    Back,  // the player leaves it ("Back", "Exit", the end of a game)
    // The choices of the main menu and the level select.
    PlayCampaign,
    ChooseLevel,
    PlayCustomLevel,
    WatchBestRun,
    OpenHelp,
    OpenOptions,
    OpenEditor,
    OpenCredits,
    OpenControls,  // the options' "Controls"
    Count
};

// Says which GameState a name stands for (the game does this at start).
void Screen_Define(Screen name, const GameState* screen);
// Says where a screen's ending leads (the game does this at start).
void Screen_DefineRoute(Screen from, ScreenResult result, Screen to);
// Where `result` leads from `from`; Screen::Count when nowhere.
Screen Screen_RouteOf(Screen from, ScreenResult result);

// The current screen reports how it ended; the switch to where that leads
// happens after the current update returns. An ending with no route changes
// nothing.
void Screen_Finish(ScreenResult result);

// Requests the change; it happens after the current update returns. A name
// not yet defined changes nothing. The game's start uses it; screens report
// with Screen_Finish instead.
void Screen_Switch(Screen name);
void Screen_Switch(const GameState& screen);

// The current screen's name; Screen::Count when it has none.
Screen Screen_Current(void);
// The name of the screen that is current ("Startup", "Splash", "MainMenu"...),
// or "" before the first frame.
const char* Screen_CurrentName(void);

// Screens register themselves so that their name can be told.
void Screen_Register(const GameState* screen);

// The quit action's "Yes": free the menu music and end the frame loop.
void Game_Quit(void);
