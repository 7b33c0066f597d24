// The frame pieces both gameplay screens share.
#include "play/play_screen.h"

#include <cstdio>

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "app/text_file.h"
#include "app/window.h"
#include "ui/file_chooser.h"
#include "ui/help_page.h"
#include "ui/text_lines.h"
#include "world/draw.h"
#include "world/world.h"

namespace {

const char* const kLoadFailedButtons[] = {"Try Again", "Exit"};
const float kLoadFailedWidth = 800.0f;
const float kLoadFailedHeight = 300.0f;  // room for six message lines
const float kMessageTextSize = 17.0f;    // the size popups draw their messages in
const float kMessageMargin = 30.0f;      // between the message and the panel's sides
const int kPathLines = 4;                // a path of 259 characters fits in four

void OnLoadFailedChoice(Popup* popup, Button* pressed) {
    popup->open = false;
    if (popup->count > 0 && popup->buttons[0] == pressed) {
        // The restart reads the file again and reopens this popup if it
        // still cannot be read.
        Play_Restart();
    } else {
        Screen_Switch(Screen::MenuMusic);
    }
}

}  // namespace

bool Play_AnyOpen(Popup* const* popups, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (popups[i] && popups[i]->open) return true;
    }
    return false;
}

bool Play_UpdatePopups(Popup* const* popups, size_t count) {
    bool anyOpen = false;
    for (size_t i = 0; i < count; ++i) {
        Popup* popup = popups[i];
        if (!popup || !popup->open) continue;
        anyOpen = true;
        // One action per frame: it may open, close or replace other popups.
        if (Popup_Update(popup)) break;
    }
    return anyOpen;
}

void Play_CentrePopups(Popup* const* popups, size_t count) {
    const TS_Vec2 centre = TS_Vector_Set(static_cast<float>(TS_System_GetWindowWidth() / 2),
                                         static_cast<float>(TS_System_GetWindowHeight() / 2));
    for (size_t i = 0; i < count; ++i) {
        if (popups[i]) Popup_Move(popups[i], centre);
    }
}

void Play_Draw(Popup* const* popups, size_t count) {
    Window_CheckFullscreenToggle();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
    for (size_t i = 0; i < count; ++i) Popup_Draw(popups[i]);
    if (helpOpen) Help_Draw();
}

void Play_StartMusic(void) {
    SoundGroup_Play(SoundGroup::GameMusic, GetMusic(SOUND_GAME_MUSIC), MusicGroupVolume(), true);
}

void Play_Restart(void) {
    World_Reset();
    if (world.reloadLevel) world.reloadLevel();
}

Popup* Play_CreatePopup(const char* title, const char* message, const char* const* labels,
                        size_t count, float width, float height, PopupCallback callback) {
    Popup* popup = Popup_Create(title, message, count, callback);
    if (!popup) return nullptr;
    for (size_t i = 0; i < count; ++i) Button_SetLabel(popup->buttons[i], labels[i]);
    Popup_Resize(popup, TS_Vector_Set(width, height));
    popup->open = false;
    popup->draggable = false;
    return popup;
}

Popup* Play_CreateLoadFailedPopup(void) {
    return Play_CreatePopup("Failed to load level", "", kLoadFailedButtons, 2, kLoadFailedWidth,
                            kLoadFailedHeight, OnLoadFailedChoice);
}

void Play_ShowLoadFailure(Popup* popup, const char* path, int error, const char* advice) {
    if (!popup) return;
    char lines[4 * LEVEL_PATH_SIZE];
    TS_Settings_TextSize(kMessageTextSize);
    TextLines_Wrap(path, popup->size.x - 2.0f * kMessageMargin, kPathLines, lines, sizeof lines);
    char message[sizeof lines + 256];
    std::snprintf(message, sizeof message, "%s\n%s%s%s", lines, FileError_Text(error),
                  advice ? "\n" : "", advice ? advice : "");
    Popup_SetMessage(popup, message);
    popup->open = true;
}
