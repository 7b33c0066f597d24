// Program start and end, the quit action and the music volume rule.
#include "app/game.h"

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "screens/menu_background.h"

void Game_Start(void) {
    TS_System_SetWindowSize(1280, 720);
    TS_System_SetFrameRate(60.0f);
    Screen_Switch(StartupScreen);
}

void Game_Finish(void) {
    FreeSpriteImage(SPRITE_MENU_BACKGROUND);
    MenuBackground_Reset();
}

void Game_Quit(void) {
    FreeSound(SOUND_MENU_MUSIC);
    TS_Engine_Terminate();
}

float MusicGroupVolume(void) { return static_cast<float>(userConfig.musicVolume) / 100.0f; }

void ApplyMusicVolume(void) { MusicGroups_SetVolume(MusicGroupVolume()); }
