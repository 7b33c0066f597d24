// The menu screens: the main menu and the screens it opens.
#pragma once

#include "app/screens.h"

extern const GameState MainMenuScreen;
extern const GameState OptionsScreen;
extern const GameState HelpScreen;
extern const GameState CreditsScreen;
extern const GameState ControlsScreen;
extern const GameState LevelSelectScreen;
