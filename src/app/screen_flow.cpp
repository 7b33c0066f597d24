// Switching screens by name or by GameState, telling which one is current,
// and quitting the game.
#include "app/screens.h"

#include "app/assets.h"

namespace {

const int kMaxScreens = 32;
const GameState* registered[kMaxScreens] = {};
int registeredCount = 0;

const int kScreens = static_cast<int>(Screen::Count);
const int kResults = static_cast<int>(ScreenResult::Count);

const GameState* defined[kScreens] = {};
// Where each screen's each ending leads; Screen::Count where nowhere.
Screen routes[kScreens][kResults];
bool routesCleared = false;

void ClearRoutes(void) {
    for (auto& row : routes) {
        for (Screen& to : row) to = Screen::Count;
    }
    routesCleared = true;
}

bool ValidScreen(Screen name) {
    const int index = static_cast<int>(name);
    return index >= 0 && index < kScreens;
}

bool ValidResult(ScreenResult result) {
    const int index = static_cast<int>(result);
    return index >= 0 && index < kResults;
}

}  // namespace

void Screen_Register(const GameState* screen) {
    for (int i = 0; i < registeredCount; ++i) {
        if (registered[i] == screen) return;
    }
    if (registeredCount < kMaxScreens) registered[registeredCount++] = screen;
}

void Screen_Define(Screen name, const GameState* screen) {
    const int index = static_cast<int>(name);
    if (index < 0 || index >= static_cast<int>(Screen::Count)) return;
    defined[index] = screen;
    if (screen) Screen_Register(screen);
}

void Screen_DefineRoute(Screen from, ScreenResult result, Screen to) {
    if (!routesCleared) ClearRoutes();
    if (!ValidScreen(from) || !ValidResult(result)) return;
    routes[static_cast<int>(from)][static_cast<int>(result)] = to;
}

Screen Screen_RouteOf(Screen from, ScreenResult result) {
    if (!routesCleared || !ValidScreen(from) || !ValidResult(result)) return Screen::Count;
    return routes[static_cast<int>(from)][static_cast<int>(result)];
}

Screen Screen_Current(void) {
    const TS_Callback update = TS_Engine_CurrentUpdate();
    if (!update) return Screen::Count;
    for (int i = 0; i < kScreens; ++i) {
        if (defined[i] && defined[i]->update == update) return static_cast<Screen>(i);
    }
    return Screen::Count;
}

void Screen_Finish(ScreenResult result) {
    const Screen to = Screen_RouteOf(Screen_Current(), result);
    if (ValidScreen(to)) Screen_Switch(to);
}

void Screen_Switch(Screen name) {
    const int index = static_cast<int>(name);
    if (index < 0 || index >= static_cast<int>(Screen::Count) || !defined[index]) return;
    Screen_Switch(*defined[index]);
}

void Screen_Switch(const GameState& screen) {
    Screen_Register(&screen);
    TS_Engine_SetNextGameState(screen.init, screen.update, screen.exit);
}

const char* Screen_CurrentName(void) {
    const TS_Callback update = TS_Engine_CurrentUpdate();
    if (!update) return "";
    for (int i = 0; i < registeredCount; ++i) {
        if (registered[i]->update == update) return registered[i]->name;
    }
    return "";
}

void Game_Quit(void) {
    FreeSound(SOUND_MENU_MUSIC);
    TS_Engine_Terminate();
}
