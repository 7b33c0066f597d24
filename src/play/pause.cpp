// The pause menu and its two questions, shared by the campaign and a custom
// level; while any of them is open the World stands still.
#include "play/pause.h"

#include "app/config.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "play/play_screen.h"
#include "ui/help_page.h"

Popup* pausePopup = nullptr;
Popup* restartPopup = nullptr;
Popup* exitPopup = nullptr;

const float kDuckedMusicVolume = 0.15f;

namespace {

enum { CHOICE_RESUME = 0, CHOICE_RESTART = 1, CHOICE_HELP = 2, CHOICE_EXIT = 3 };
enum { ANSWER_YES = 0, ANSWER_NO = 1 };

const char* const kChoices[] = {"Resume", "Restart", "Help", "Exit"};
const char* const kAnswers[] = {"Yes", "No"};

void SetMusicGroups(float volume) {
    // A player who turned the music off keeps it off: no group is touched.
    if (userConfig.musicVolume <= 0) return;
    MusicGroups_SetVolume(volume);
}

void CloseQuestions(void) {
    if (restartPopup) restartPopup->open = false;
    if (exitPopup) exitPopup->open = false;
}

void OpenPauseMenu(void) {
    if (pausePopup) pausePopup->open = true;
    CloseQuestions();
}

}  // namespace

void Pause_CreatePopups(void) {
    if (!pausePopup) {
        pausePopup =
            Play_CreatePopup("Game Paused", "Need a break? Take your time, we'll be waiting.",
                             kChoices, 4, 800.0f, 250.0f, Pause_OnChoice);
    }
    if (!restartPopup) {
        restartPopup =
            Play_CreatePopup("Restart Level", "Are you sure you want to restart this level?",
                             kAnswers, 2, 500.0f, 200.0f, Pause_OnConfirm);
    }
    if (!exitPopup) {
        exitPopup = Play_CreatePopup(
            "Exit to Main Menu",
            " All progress will be lost.\nAre you sure you want to return to the main menu?",
            kAnswers, 2, 500.0f, 200.0f, Pause_OnConfirm);
    }
}

void Pause_FreePopups(void) {
    Popup_Free(pausePopup);
    Popup_Free(restartPopup);
    Popup_Free(exitPopup);
    pausePopup = restartPopup = exitPopup = nullptr;
}

void Pause_DuckMusic(void) { SetMusicGroups(kDuckedMusicVolume); }
void Pause_RestoreMusic(void) { SetMusicGroups(MusicGroupVolume()); }

void Pause_Open(void) {
    OpenPauseMenu();
    Pause_DuckMusic();
}

void Pause_OpenKeepingMusic(void) { OpenPauseMenu(); }

void Pause_Resume(void) {
    if (pausePopup) pausePopup->open = false;
    Pause_RestoreMusic();
}

void Pause_OnChoice(Popup* popup, Button* pressed) {
    // The help page opens over the paused game; its "Back" comes back here.
    if (Popup_IsButton(popup, pressed, CHOICE_HELP)) {
        Help_OpenOverlay();
        return;
    }
    popup->open = false;
    if (Popup_IsButton(popup, pressed, CHOICE_RESUME)) {
        Pause_RestoreMusic();
    } else if (Popup_IsButton(popup, pressed, CHOICE_RESTART)) {
        if (restartPopup) restartPopup->open = true;
    } else if (Popup_IsButton(popup, pressed, CHOICE_EXIT)) {
        if (exitPopup) exitPopup->open = true;
    }
}

void Pause_OnConfirm(Popup* popup, Button* pressed) {
    popup->open = false;
    if (!Popup_IsButton(popup, pressed, ANSWER_YES)) {
        // "No": back to the pause menu; the music stays ducked.
        if (pausePopup) pausePopup->open = true;
        return;
    }
    if (popup == restartPopup) {
        Play_Restart();
    } else if (popup == exitPopup) {
        // The campaign's progress and score go with the screen.
        Screen_Switch(Screen::MenuMusic);
    }
    Pause_RestoreMusic();
}

void Pause_OnFocusLost(void) {
    OpenPauseMenu();
    SetMusicGroups(0.0f);
}

void Pause_OnFocusGained(void) {
    OpenPauseMenu();
    Pause_DuckMusic();
}
