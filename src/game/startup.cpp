// The two one-frame screens: Startup (settings, title, icon, window mode) and
// MenuMusic (starts the menu theme on the way to the main menu).
#include <cstdio>

#include "app/assets.h"
#include "app/bindings.h"
#include "app/config.h"
#include "app/controls.h"
#include "app/preferences.h"
#include "app/safe_file.h"
#include "app/screens.h"
#include "game/game.h"
#include "app/sound_groups.h"
#include "app/window.h"
#include "platform/native.h"

namespace {

void Startup_Init(void) {
    // A game killed mid-save leaves a hidden temporary file in the save
    // folder; clear those before this run starts saving its own.
    SavePath saveFolder = {{0}, false};
    if (SavePath_Ensure(&saveFolder, "")) SafeFile_CleanLeftovers(saveFolder.path);
    Settings_Read();
    Preferences_Read();
    Bindings_Read();  // after user.cfg: the keys belong to its control scheme
    // The player's own pad descriptions, for a pad SDL does not know yet.
    if (Controls_LoadPadMappings() < 0) {
        std::fprintf(stderr, "Vexal: gamecontrollerdb.txt in the save folder cannot be read\n");
    }
    TS_System_SetWindowTitle("Vexal~");
    Native_SetWindowIcon(appIconPath);
    Window_InstallHook();
    if (userConfig.fullscreen) {
        TS_System_Fullscreen();
    } else {
        TS_System_SetWindowSize(1280, 720);
    }
    if (LayoutHook) LayoutHook();
    ApplyMusicVolume();
}

void Startup_Update(void) { Screen_Finish(ScreenResult::Done); }

void MenuMusic_Init(void) {
    TS_Sound music = GetMusic(SOUND_MENU_MUSIC);
    SoundGroup_Play(SoundGroup::MenuMusic, music, MusicGroupVolume(), true);
}

void MenuMusic_Update(void) { Screen_Finish(ScreenResult::Done); }

void Nothing(void) {}

}  // namespace

const GameState StartupScreen = {Startup_Init, Startup_Update, Nothing, "Startup"};
const GameState MenuMusicScreen = {MenuMusic_Init, MenuMusic_Update, Nothing, "MenuMusic"};
