// Scoring a finished level and what the player sees next: the results
// popups, the name entry for the top ten, the table itself and what the
// player is told when score.vex cannot be read or written.
#include "play/results.h"

#include <cstdio>
#include <cstring>

#include "app/controls.h"
#include "app/screens.h"
#include "app/text_file.h"
#include "play/campaign.h"
#include "play/play_screen.h"
#include "play/score.h"
#include "play/run_recorder.h"
#include "play/score_table.h"
#include "ui/text_entry.h"
#include "world/world.h"

Popup* gameOverPopup = nullptr;
Popup* levelWinPopup = nullptr;
Popup* victoryPopup = nullptr;
Popup* victoryEntryPopup = nullptr;
Popup* topScoresPopup = nullptr;
Popup* scoreNotSavedPopup = nullptr;

namespace {

// Set by "Save Score": the next frame without popups records the name (and
// again after "Try Again" when the save failed).
bool nameEntered = false;

const char* const kGameOverMessage =
    "Try to conserve your fuel and take your time!\nYou don't have to rush through it.\n"
    "Let your saved velocity take you to victory!";

// Characters of a popup line that still fit the 500-pixel panels.
const size_t kLineWidth = 46;

// The name being typed and, in score, the total it will be saved with.
ScoreEntry entry = {};

// Adds the records' line under the summary in `text`: the new best or the
// best standing, and why a new record could not be kept.
void AppendRecords(char* text, size_t size, const RecordOutcome* outcome) {
    const size_t used = std::strlen(text);
    if (used + 2 >= size) return;
    std::snprintf(text + used, size - used, "\n\n");
    Results_RecordsLine(outcome, text + used + 2, size - used - 2);
}

// Breaks the lines of `text` at blanks so that none is longer than `width`
// where a blank allows it (popups draw each line as it is, unwrapped).
void WrapLines(char* text, size_t width) {
    size_t lineStart = 0;
    size_t lastBlank = 0;
    bool blankSeen = false;
    for (size_t i = 0; text[i]; ++i) {
        if (text[i] == '\n') {
            lineStart = i + 1;
            blankSeen = false;
            continue;
        }
        if (text[i] == ' ') {
            lastBlank = i;
            blankSeen = true;
        }
        if (i - lineStart >= width && blankSeen) {
            text[lastBlank] = '\n';
            lineStart = lastBlank + 1;
            blankSeen = false;
        }
    }
}

void ShowSummary(Popup* popup, const RecordOutcome* outcome) {
    char text[512];
    Results_Summary(text, sizeof text);
    AppendRecords(text, sizeof text, outcome);
    Popup_SetMessage(popup, text);
    popup->open = true;
}

// Why the score cannot be kept, in words the player can act on.
void AppendUnreadableNote(char* text, size_t size, int readError) {
    const size_t used = std::strlen(text);
    std::snprintf(text + used, size - used,
                  "Your score file could not be read:\n%s.\nThis score cannot be saved.",
                  FileError_Text(readError));
    WrapLines(text + used, kLineWidth);
}

// "Victory!" for a total outside the table, or for any total when the
// table's file cannot be read.
void ShowVictory(int readError, const RecordOutcome* outcome) {
    char text[768];
    Results_Summary(text, sizeof text);
    AppendRecords(text, sizeof text, outcome);
    if (readError != 0) {
        std::strncat(text, "\n\n", sizeof text - std::strlen(text) - 1);
        AppendUnreadableNote(text, sizeof text, readError);
    }
    Popup_SetMessage(victoryPopup, text);
    victoryPopup->open = true;
}

// Records the entered name, then shows the saved table, or why it was not
// saved and the table that is still on disk.
void SaveEntry(void) {
    const int error = ScoreTable_Record(&entry);
    if (error == 0) {
        if (topScoresPopup) {
            Popup_SetMessage(topScoresPopup, scoreText);
            topScoresPopup->open = true;
        }
        return;
    }
    if (!scoreNotSavedPopup) return;
    char text[1024];
    if (ScoreTable_ReadError() != 0) {
        text[0] = '\0';
        AppendUnreadableNote(text, sizeof text, ScoreTable_ReadError());
    } else {
        std::snprintf(text, sizeof text, "Your score of %d could not be saved:\n", entry.score);
        const size_t used = std::strlen(text);
        std::snprintf(text + used, sizeof text - used, "%s.\n\nTop Scores\n%s",
                      FileError_Text(error), scoreText);
        WrapLines(text + used, kLineWidth);
    }
    Popup_SetMessage(scoreNotSavedPopup, text);
    scoreNotSavedPopup->open = true;
}

void ShowNameEntry(void) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Total Time Taken : %.2fs\nTime to Beat: %.2fs\n\nLevel Score : %d\n"
                  "Total score : %d\nYou are in the top 10 scores!\n%s\n\n%s\n",
                  static_cast<double>(world.levelTime), static_cast<double>(world.level.parTime),
                  world.levelScore, entry.score,
                  Controls_PadInUse() ? "Your name: Up/Down letter, X add, Y remove"
                                      : "Enter your name (up to 10 characters):",
                  entry.name);
    Popup_SetMessage(victoryEntryPopup, text);
}

// "Play Again": the replayed level is scored afresh, not on top.
void PlayAgain(void) {
    world.totalScore -= world.levelScore;
    nameEntered = false;  // the replay is scored and named afresh
    Play_Restart();
}

void NextLevel(void) {
    World_Reset();
    Campaign_NextLevel();
}

void SaveScore(void) { nameEntered = true; }

const PopupChoice kGameOverChoices[] = {{"Try Again", Play_Restart, false},
                                        {"Exit", Play_Leave, false}};
const PopupChoice kLevelWinChoices[] = {{"Next Level", NextLevel, false},
                                        {"Play Again", PlayAgain, false}};
const PopupChoice kVictoryChoices[] = {{"Exit", Play_Leave, false},
                                       {"Play Again", PlayAgain, false}};
const PopupChoice kVictoryEntryChoices[] = {{"Save Score", SaveScore, false},
                                            {"Play Again", PlayAgain, false}};
const PopupChoice kTopScoresChoices[] = {{"Return to Main Menu", Play_Leave, false}};
// "Try Again": the name stays entered, so the next frame reads score.vex
// afresh and records the score once more.
const PopupChoice kScoreNotSavedChoices[] = {{"Try Again", nullptr, false},
                                             {"Return to Main Menu", Play_Leave, false}};

}  // namespace

Popup* Results_CreateGameOverPopup(void) {
    return Play_CreatePopup("Game Over", kGameOverMessage, kGameOverChoices, 2, 500.0f, 250.0f);
}

void Results_CreateCampaignPopups(void) {
    nameEntered = false;
    gameOverPopup = Results_CreateGameOverPopup();
    levelWinPopup = Play_CreatePopup("You Win!", "Congratulations You Win!", kLevelWinChoices, 2,
                                     500.0f, 350.0f);
    victoryPopup = Play_CreatePopup("Victory!", "Congratulations! You finished the game.",
                                    kVictoryChoices, 2, 500.0f, 500.0f);
    victoryEntryPopup = Play_CreatePopup("Victory!", "Congratulations! You finished the game.\n",
                                         kVictoryEntryChoices, 2, 500.0f, 500.0f);
    topScoresPopup =
        Play_CreatePopup("Top Scores", "Top 10 Scores", kTopScoresChoices, 1, 500.0f, 500.0f);
    if (topScoresPopup) {
        topScoresPopup->buttons[0]->size = TS_Vector_Set(300.0f, 50.0f);
        Popup_Resize(topScoresPopup, topScoresPopup->size);
    }
    scoreNotSavedPopup =
        Play_CreatePopup("Score Not Saved", "", kScoreNotSavedChoices, 2, 500.0f, 500.0f);
    if (scoreNotSavedPopup) {
        scoreNotSavedPopup->buttons[1]->size = TS_Vector_Set(270.0f, 50.0f);
        Popup_Resize(scoreNotSavedPopup, scoreNotSavedPopup->size);
    }
}

void Results_FreeCampaignPopups(void) {
    Popup** popups[] = {&gameOverPopup,     &levelWinPopup,  &victoryPopup,
                        &victoryEntryPopup, &topScoresPopup, &scoreNotSavedPopup};
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
    const RecordOutcome* outcome = RunRecorder_Offer();
    if (!lastLevel) {
        if (levelWinPopup) ShowSummary(levelWinPopup, outcome);
        return;
    }
    ScoreTable_Load();
    const int readError = ScoreTable_ReadError();
    const bool qualifies = ScoreTable_Qualifies(world.totalScore);
    if (nameEntered && (qualifies || readError != 0)) {
        // A file that became unreadable since the name was typed still gets
        // "Score Not Saved", so the player may put it right and try again.
        SaveEntry();
    } else if (!qualifies || readError != 0) {
        // No name is asked for a score that cannot be kept.
        if (victoryPopup) ShowVictory(readError, outcome);
    } else {
        std::strcpy(entry.name, "Player");
        entry.score = world.totalScore;
        if (victoryEntryPopup) {
            ShowNameEntry();
            victoryEntryPopup->open = true;
        }
    }
}

void Results_FinishCustomLevel(Popup* winPopup) {
    Score_Level();
    const RecordOutcome* outcome = RunRecorder_Offer();
    if (winPopup) ShowSummary(winPopup, outcome);
}

void Results_RecordsLine(const RecordOutcome* outcome, char* text, size_t size) {
    if (size == 0) return;
    text[0] = '\0';
    const float best = RunRecorder_BestTime();
    char medal[24] = "";
    if (outcome->newBestTime) {
        if (outcome->medal != MEDAL_NONE) {
            std::snprintf(medal, sizeof medal, " \u2014 %s", Medal_Name(outcome->medal));
        }
        std::snprintf(text, size, "New best! %.2f s%s", static_cast<double>(world.levelTime),
                      medal);
    } else if (best > 0.0f) {
        const Medal bestMedal = RunRecorder_BestMedal();
        if (bestMedal != MEDAL_NONE) {
            std::snprintf(medal, sizeof medal, " \u2014 %s", Medal_Name(bestMedal));
        }
        std::snprintf(
            text, size, "%sBest %.2f s%s",
            outcome->newBestScore && outcome->previousTime > 0.0f ? "New best score! " : "",
            static_cast<double>(best), medal);
    }
    if (outcome->saveError != 0) {
        const size_t used = std::strlen(text);
        std::snprintf(text + used, size - used, "%sRecord not saved: %s.", used ? "\n" : "",
                      Records_ErrorText(outcome->saveError));
        WrapLines(text + used, kLineWidth);
    }
}

bool Results_TypingName(void) { return TextEntry_Typing() || TextEntry_PadSpelling(); }

void Results_UpdateNameEntry(void) {
    // The message is rebuilt only when the name changed, not every frame.
    const bool typed = TextEntry_EditBuffer(entry.name, SCORE_NAME_MAX + 1);
    const bool spelled = TextEntry_EditWithPad(entry.name, SCORE_NAME_MAX + 1);
    if ((typed || spelled) && victoryEntryPopup) ShowNameEntry();
}

const char* Results_EnteredName(void) { return entry.name; }
