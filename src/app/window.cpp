// Focus loss silences the music and lets the screen pause; system resizes
// never reach the framework; Alt+Enter toggles fullscreen.
#include "app/window.h"

#include <cstdio>

#include "app/config.h"
#include "app/text_file.h"
#include "app/sound_groups.h"
#include "platform/native.h"
#include "platform/tessera.h"

WindowHook LayoutHook = nullptr;
WindowHook FocusGainedHook = nullptr;
WindowHook FocusLostHook = nullptr;

namespace {

bool OnWindowEvent(int event) {
    switch (event) {
        case NATIVE_RESIZED: return true;
        case NATIVE_FOCUS_LOST:
            if (userConfig.musicVolume > 0) MusicGroups_SetVolume(0.0f);
            if (FocusLostHook) FocusLostHook();
            return false;
        case NATIVE_FOCUS_GAINED:
            if (userConfig.musicVolume > 0) ApplyMusicVolume();
            if (FocusGainedHook) FocusGainedHook();
            return false;
        default: return false;
    }
}

}  // namespace

void Window_InstallHook(void) { Native_InstallWindowHook(OnWindowEvent); }

bool Window_IsFullscreen(void) {
    // The display's size is in real pixels, and so must the window's be.
    return TS_System_GetWindowPixelWidth() == TS_System_GetDisplayWidth() &&
           TS_System_GetWindowPixelHeight() == TS_System_GetDisplayHeight();
}

void Window_ToggleFullscreen(void) {
    if (Window_IsFullscreen()) {
        TS_System_SetWindowSize(1280, 720);
        userConfig.fullscreen = false;
    } else {
        TS_System_Fullscreen();
        userConfig.fullscreen = true;
    }
    if (LayoutHook) LayoutHook();
}

bool Window_FullscreenKeyPressed(void) {
    const bool alt = TS_Input_KeyDown(TS_KEY_LEFT_ALT) || TS_Input_KeyDown(TS_KEY_RIGHT_ALT);
    return alt && TS_Input_KeyTriggered(TS_KEY_ENTER);
}

void Window_ToggleFullscreenAndSave(void) {
    Window_ToggleFullscreen();
    // Like the options' toggle, the choice outlives the run. Settings_Write
    // leaves an unreadable user.cfg alone; a failed write keeps the old file
    // whole, and the choice then lasts this run only.
    const int error = Settings_Write();
    if (error && !Settings_ReadError()) {
        std::fprintf(stderr, "Vexal: could not save the full screen choice (%s)\n",
                     FileError_Text(error));
    }
}

void Window_CheckFullscreenToggle(void) {
    if (Window_FullscreenKeyPressed()) Window_ToggleFullscreenAndSave();
}
