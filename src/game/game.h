// The program's start and end: which screen each name stands for, the first
// screen, and the clean-up after the frame loop. Shared by main() and the
// tests that run the whole game.
#pragma once

#include "app/screens.h"

// The screens that run before the main menu.
extern const GameState StartupScreen;
extern const GameState SplashScreen;
extern const GameState MenuMusicScreen;

// Tells the screen switch which GameState every screen name stands for.
void Game_DefineScreens(void);

// What main() does before the frame loop: the screen table, window size,
// frame rate, and the Startup screen as the first one.
void Game_Start(void);

// What main() does after the loop ends: free the menu background.
void Game_Finish(void);
