// Scoring a finished level and what the player sees next: the results
// popups, the name entry for the top ten and the table itself.
#include "play/results.h"

#include <cstdio>
#include <cstring>

#include "app/screens.h"
#include "play/campaign.h"
#include "play/play_screen.h"
#include "play/score.h"
#include "play/score_table.h"
#include "ui/text_entry.h"
#include "world/world.h"

Popup* gameOverPopup = nullptr;
Popup* levelWinPopup = nullptr;
Popup* victoryPopup = nullptr;
Popup* victoryEntryPopup = nullptr;
Popup* topScoresPopup = nullptr;
bool nameEntered = false;

namespace {

const char* const kGameOverMessage =
    "Try to conserve your fuel and take your time!\nYou don't have to rush through it.\n"
    "Let your saved velocity take you to victory!";

const char* const kGameOverButtons[] = {"Try Again", "Exit"};
const char* const kLevelWinButtons[] = {"Next Level", "Play Again"};
const char* const kVictoryButtons[] = {"Exit", "Play Again"};
const char* const kVictoryEntryButtons[] = {"Save Score", "Play Again"};
const char* const kTopScoresButtons[] = {"Return to Main Menu"};

// The name being typed and, in score, the total it will be saved with.
ScoreEntry entry = {};

bool IsFirstButton(const Popup* popup, const Button* pressed) {
    return popup->count > 0 && popup->buttons[0] == pressed;
}

void ShowSummary(Popup* popup) {
    char text[256];
    Results_Summary(text, sizeof text);
    Popup_SetMessage(popup, text);
    popup->open = true;
}

void ShowNameEntry(void) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Total Time Taken : %.2fs\nTime to Beat: %.2fs\n\nLevel Score : %d\n"
                  "Total score : %d\nYou are in the top 10 scores!\n"
                  "Enter your name (up to 10 characters):\n\n%s\n",
                  static_cast<double>(world.levelTime),
                  static_cast<double>(world.level.parTime), world.levelScore, entry.score,
                  entry.name);
    Popup_SetMessage(victoryEntryPopup, text);
}

// "Play Again": the replayed level is scored afresh, not on top.
void PlayAgain(void) {
    world.totalScore -= world.levelScore;
    Play_Restart();
}

}  // namespace

void Results_CreateCampaignPopups(void) {
    gameOverPopup = Play_CreatePopup("Game Over", kGameOverMessage, kGameOverButtons, 2, 500.0f,
                                     250.0f, Results_OnGameOver);
    levelWinPopup = Play_CreatePopup("You Win!", "Congratulations You Win!", kLevelWinButtons, 2,
                                     500.0f, 350.0f, Results_OnLevelWin);
    victoryPopup = Play_CreatePopup("Victory!", "Congratulations! You finished the game.",
                                    kVictoryButtons, 2, 500.0f, 500.0f, Results_OnVictory);
    victoryEntryPopup = Play_CreatePopup("Victory!", "Congratulations! You finished the game.\n",
                                         kVictoryEntryButtons, 2, 500.0f, 500.0f,
                                         Results_OnVictoryEntry);
    topScoresPopup = Play_CreatePopup("Top Scores", "Top 10 Scores", kTopScoresButtons, 1, 500.0f,
                                      500.0f, Results_OnTopScores);
    if (topScoresPopup) {
        topScoresPopup->buttons[0]->size = TS_Vector_Set(300.0f, 50.0f);
        Popup_Resize(topScoresPopup, topScoresPopup->size);
    }
}

void Results_FreeCampaignPopups(void) {
    Popup** popups[] = {&gameOverPopup, &levelWinPopup, &victoryPopup, &victoryEntryPopup,
                        &topScoresPopup};
    for (Popup** popup : popups) {
        Popup_Free(*popup);
        *popup = nullptr;
    }
}

void Results_Summary(char* text, size_t size) {
    std::snprintf(text, size,
                  "Total Time Taken : %.2fs\nTime to Beat: %.2fs\n\nLevel Score : %d\n"
                  "Total score : %d",
                  static_cast<double>(world.levelTime), static_cast<double>(world.level.parTime),
                  world.levelScore, world.totalScore);
}

void Results_FinishCampaignLevel(bool lastLevel) {
    // Once a name was saved the level has been scored already; this frame
    // only records it.
    if (!nameEntered) Score_Level();
    if (!lastLevel) {
        if (levelWinPopup) ShowSummary(levelWinPopup);
        return;
    }
    ScoreTable_Load();
    if (!ScoreTable_Qualifies(world.totalScore)) {
        if (victoryPopup) ShowSummary(victoryPopup);
    } else if (nameEntered) {
        ScoreTable_Record(&entry);
        if (topScoresPopup) {
            Popup_SetMessage(topScoresPopup, scoreText);
            topScoresPopup->open = true;
        }
    } else {
        std::strcpy(entry.name, "Player");
        entry.score = world.totalScore;
        if (victoryEntryPopup) {
            ShowNameEntry();
            victoryEntryPopup->open = true;
        }
    }
}

bool Results_TypingName(void) {
    return TS_Input_KeyTriggered(TS_KEY_ANY) && TextEntry_ReadCharacter() != 0;
}

void Results_UpdateNameEntry(void) {
    TextEntry_EditBuffer(entry.name, SCORE_NAME_MAX + 1);
    if (victoryEntryPopup) ShowNameEntry();
}

const char* Results_EnteredName(void) { return entry.name; }

void Results_OnGameOver(Popup* popup, Button* pressed) {
    popup->open = false;
    if (IsFirstButton(popup, pressed)) {
        Play_Restart();
    } else {
        Screen_Switch(MenuMusicScreen);
    }
}

void Results_OnLevelWin(Popup* popup, Button* pressed) {
    popup->open = false;
    if (IsFirstButton(popup, pressed)) {
        World_Reset();
        Campaign_NextLevel();
    } else {
        PlayAgain();
    }
}

void Results_OnVictory(Popup* popup, Button* pressed) {
    popup->open = false;
    if (IsFirstButton(popup, pressed)) {
        Screen_Switch(MenuMusicScreen);
    } else {
        PlayAgain();
    }
}

void Results_OnVictoryEntry(Popup* popup, Button* pressed) {
    popup->open = false;
    if (IsFirstButton(popup, pressed)) {
        nameEntered = true;
    } else {
        PlayAgain();
    }
}

void Results_OnTopScores(Popup* popup, Button* pressed) {
    (void)pressed;
    popup->open = false;
    Screen_Switch(MenuMusicScreen);
}
