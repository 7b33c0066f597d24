// The CustomLevel screen: the chosen file flown like a campaign level, with
// "Game Over" and "You Win!" both offering to play it again or leave.
#include "play/custom_level.h"

#include "app/screens.h"
#include "play/ghost_run.h"
#include "play/pause.h"
#include "play/play_screen.h"
#include "play/results.h"
#include "play/run_recorder.h"
#include "world/world.h"

Level customLevel = {};
char customPath[LEVEL_PATH_SIZE] = {};
bool skipFirstFrame = false;
Popup* customGameOverPopup = nullptr;
Popup* customWinPopup = nullptr;
Popup* customLoadFailedPopup = nullptr;

namespace {

// The level select's advice for a file that will not load, kept in the
// same words here.
const char* const kLoadAdvice = "Check that the file can be opened in the level editor.";

const PopupChoice kWinChoices[] = {{"Play Again", Play_Restart, false},
                                   {"Exit", Play_Leave, false}};

void FinishLevel(void) { Results_FinishCustomLevel(customWinPopup); }

// The custom level's popups, in slot order; Escape's pause leaves the music
// at its volume.
const PlayScreen kCustomPlay = {
    {&customGameOverPopup, &customWinPopup, &customLoadFailedPopup, &pausePopup, &restartPopup,
     &exitPopup},
    6,
    nullptr,
    &customGameOverPopup,
    FinishLevel,
    Custom_ReloadLevel,
    false,
};

}  // namespace

void Custom_ReloadLevel(void) {
    // The file may have been edited, moved or deleted since it was chosen.
    // Only a whole read replaces the level (the World still shows its
    // tables); otherwise the failure is shown and the World waits.
    Level read = {};
    const int error = ReadLevelFile(customPath, &read, true);
    if (error != 0) {
        FreeLevel(&read);
        Play_ShowLoadFailure(customLoadFailedPopup, customPath, error, kLoadAdvice);
        return;
    }
    FreeLevel(&customLevel);
    customLevel = read;
    RunRecorder_NameLevel(nullptr, customPath, &customLevel);
    GhostRun_NameLevel(nullptr, &customLevel);
    StartLevel(&customLevel);
}

void Custom_Init(void) {
    // "You Win!" offers the same as "Game Over": play the file again or leave.
    customGameOverPopup = Results_CreateGameOverPopup();
    customWinPopup =
        Play_CreatePopup("You Win!", "Congratulations You Win!", kWinChoices, 2, 500.0f, 350.0f);
    customLoadFailedPopup = Play_CreateLoadFailedPopup();
    // The level select has just read the file.
    RunRecorder_NameLevel(nullptr, customPath, &customLevel);
    GhostRun_NameLevel(nullptr, &customLevel);
    PlayScreen_Init(&kCustomPlay, &customLevel);
}

void Custom_Update(void) {
    if (skipFirstFrame) {
        skipFirstFrame = false;
        return;
    }
    PlayScreen_Update();
}

void Custom_Exit(void) {
    PlayScreen_Exit();
    FreeLevel(&customLevel);
    Popup_Free(customGameOverPopup);
    Popup_Free(customWinPopup);
    Popup_Free(customLoadFailedPopup);
    customGameOverPopup = customWinPopup = customLoadFailedPopup = nullptr;
}

const GameState CustomLevelScreen = {Custom_Init, Custom_Update, Custom_Exit, "CustomLevel"};
