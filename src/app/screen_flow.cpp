// Switching screens by name or by GameState, telling which one is current,
// and quitting the game.
#include "app/screens.h"

#include "app/assets.h"

namespace {

const int kMaxScreens = 32;
const GameState* registered[kMaxScreens] = {};
int registeredCount = 0;

const GameState* defined[static_cast<int>(Screen::Count)] = {};

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
