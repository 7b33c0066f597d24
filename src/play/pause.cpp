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

void AskRestart(void) { Popup_Open(restartPopup); }
void AskExit(void) { Popup_Open(exitPopup); }

// "No" to either question: back to the pause menu; the music stays ducked.
void BackToPauseMenu(void) { Popup_Open(pausePopup); }

void RestartLevel(void) {
    Play_Restart();
    Pause_RestoreMusic();
}

void ExitToMenus(void) {
    // The campaign's progress and score go with the screen.
    Screen_Finish(ScreenResult::Back);
    Pause_RestoreMusic();
}

// The help page opens over the paused game; its "Back" comes back here.
const PopupChoice kChoices[] = {{"Resume", Pause_RestoreMusic, false},
                                {"Restart", AskRestart, false},
                                {"Help", Help_OpenOverlay, true},
                                {"Exit", AskExit, false}};

}  // namespace

void Pause_CreatePopups(void) {
    if (!pausePopup) {
        pausePopup =
            Play_CreatePopup("Game Paused", "Need a break? Take your time, we'll be waiting.",
                             kChoices, 4, 800.0f, 250.0f);
    }
    if (!restartPopup) {
        const PopupChoice answers[] = {{"Yes", RestartLevel, false},
                                       {"No", BackToPauseMenu, false}};
        restartPopup =
            Play_CreatePopup("Restart Level", "Are you sure you want to restart this level?",
                             answers, 2, 500.0f, 200.0f);
    }
    if (!exitPopup) {
        const PopupChoice answers[] = {{"Yes", ExitToMenus, false}, {"No", BackToPauseMenu, false}};
        exitPopup = Play_CreatePopup(
            "Exit to Main Menu",
            " All progress will be lost.\nAre you sure you want to return to the main menu?",
            answers, 2, 500.0f, 200.0f);
    }
    // Escape answers both questions with No, back to the pause menu.
    if (restartPopup) ButtonList_SetBack(restartPopup->buttonList, restartPopup->buttons[1]);
    if (exitPopup) ButtonList_SetBack(exitPopup->buttonList, exitPopup->buttons[1]);
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

void Pause_OnFocusLost(void) {
    OpenPauseMenu();
    SetMusicGroups(0.0f);
}

void Pause_OnFocusGained(void) {
    OpenPauseMenu();
    Pause_DuckMusic();
}
