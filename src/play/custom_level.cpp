// The CustomLevel screen: the chosen file flown like a campaign level, with
// "Game Over" and "You Win!" both offering to play it again or leave.
#include "play/custom_level.h"

#include "app/assets.h"
#include "app/screens.h"
#include "app/window.h"
#include "level/kind_shapes.h"
#include "play/pause.h"
#include "play/play_screen.h"
#include "play/results.h"
#include "play/score.h"
#include "ui/help_page.h"
#include "world/world.h"

Level customLevel = {};
char customPath[LEVEL_PATH_SIZE] = {};
bool skipFirstFrame = false;
Popup* customGameOverPopup = nullptr;
Popup* customWinPopup = nullptr;
Popup* customLoadFailedPopup = nullptr;

namespace {

enum { POPUP_SLOTS = 6 };

// The level select's advice for a file that will not load, kept in the
// same words here.
const char* const kLoadAdvice = "Check that the file can be opened in the level editor.";

const char* const kGameOverMessage =
    "Try to conserve your fuel and take your time!\nYou don't have to rush through it.\n"
    "Let your saved velocity take you to victory!";
const char* const kGameOverButtons[] = {"Try Again", "Exit"};
const char* const kLevelWinButtons[] = {"Play Again", "Exit"};

void GatherPopups(Popup* slots[POPUP_SLOTS]) {
    slots[0] = customGameOverPopup;
    slots[1] = customWinPopup;
    slots[2] = customLoadFailedPopup;
    slots[3] = pausePopup;
    slots[4] = restartPopup;
    slots[5] = exitPopup;
}

void Custom_Layout(void) {
    Popup* slots[POPUP_SLOTS];
    GatherPopups(slots);
    Play_CentrePopups(slots, POPUP_SLOTS);
}

void DecideLevelEnd(void) {
    if (world.stranded) {
        if (customGameOverPopup) customGameOverPopup->open = true;
    } else if (world.levelComplete && world.phase == PHASE_DONE) {
        // No campaign here: "Play Again" keeps the total, so it grows with
        // every completed replay.
        Score_Level();
        if (customWinPopup) {
            char text[256];
            Results_Summary(text, sizeof text);
            Popup_SetMessage(customWinPopup, text);
            customWinPopup->open = true;
        }
    }
}

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
    StartLevel(&customLevel);
}

void Custom_Init(void) {
    SetupWorld(&customLevel);
    world.reloadLevel = Custom_ReloadLevel;
    customGameOverPopup = Play_CreatePopup("Game Over", kGameOverMessage, kGameOverButtons, 2,
                                           500.0f, 250.0f, Results_OnGameOver);
    customWinPopup = Play_CreatePopup("You Win!", "Congratulations You Win!", kLevelWinButtons, 2,
                                      500.0f, 350.0f, Results_OnGameOver);
    customLoadFailedPopup = Play_CreateLoadFailedPopup();
    Pause_CreatePopups();
    Play_StartMusic();

    helpInGame = true;
    helpOpen = false;
    LayoutHook = Custom_Layout;
    FocusLostHook = Pause_OnFocusLost;
    FocusGainedHook = Pause_OnFocusGained;
    Help_Init();
}

void Custom_Update(void) {
    if (skipFirstFrame) {
        skipFirstFrame = false;
        return;
    }
    Popup* slots[POPUP_SLOTS];
    GatherPopups(slots);
    if (helpOpen) {
        Help_Update();
    } else if (Play_UpdatePopups(slots, POPUP_SLOTS)) {
        // Escape only ever closes the pause menu, never the results.
        if (pausePopup && pausePopup->open && TS_Input_KeyTriggered(TS_KEY_ESCAPE)) {
            Pause_Resume();
        }
    } else {
        World_Update();
        DecideLevelEnd();
        // Escape while flying pauses; the music keeps its volume here.
        if (world.phase == PHASE_FLYING && TS_Input_KeyTriggered(TS_KEY_ESCAPE) &&
            !Play_AnyOpen(slots, POPUP_SLOTS) && pausePopup) {
            pausePopup->open = true;
        }
    }
    Play_Draw(slots, POPUP_SLOTS);
}

void Custom_Exit(void) {
    Help_Exit();
    TeardownWorld();
    FreeLevel(&customLevel);
    FreeKindShapes();
    FreeSpriteImages();
    FreeSounds();
    Popup_Free(customGameOverPopup);
    Popup_Free(customWinPopup);
    Popup_Free(customLoadFailedPopup);
    customGameOverPopup = customWinPopup = customLoadFailedPopup = nullptr;
    Pause_FreePopups();
    LayoutHook = nullptr;
    FocusGainedHook = nullptr;
    FocusLostHook = nullptr;
}

const GameState CustomLevelScreen = {Custom_Init, Custom_Update, Custom_Exit, "CustomLevel"};
