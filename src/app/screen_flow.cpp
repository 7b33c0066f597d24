// Switching screens and telling which one is current.
#include "app/screens.h"

namespace {

const int kMaxScreens = 32;
const GameState* registered[kMaxScreens] = {};
int registeredCount = 0;

}  // namespace

void Screen_Register(const GameState* screen) {
    for (int i = 0; i < registeredCount; ++i) {
        if (registered[i] == screen) return;
    }
    if (registeredCount < kMaxScreens) registered[registeredCount++] = screen;
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
