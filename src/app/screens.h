// Every screen of the game by name, and the switch between them. A screen asks
// for the next one by name; the game's start fills in which GameState each
// name is, so no screen needs to know the module that owns another.
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
    // Where the main menu's "Play", "Level Select" and "Level Editor" lead.
    Campaign,
    LevelSelect,
    Editor,
    // A level file played on its own, reached from the level select.
    CustomLevel,
    Count
};

// Says which GameState a name stands for (the game does this at start).
void Screen_Define(Screen name, const GameState* screen);

// Requests the change; it happens after the current update returns. A name
// not yet defined changes nothing.
void Screen_Switch(Screen name);
void Screen_Switch(const GameState& screen);

// The name of the screen that is current ("Startup", "Splash", "MainMenu"...),
// or "" before the first frame.
const char* Screen_CurrentName(void);

// Screens register themselves so that their name can be told.
void Screen_Register(const GameState* screen);

// The quit action's "Yes": free the menu music and end the frame loop.
void Game_Quit(void);
