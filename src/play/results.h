// The end of a level: "Game Over", "You Win!", the two "Victory!" popups
// after the campaign's last level, the name entry for the top-ten table, the
// "Top Scores" popup and "Score Not Saved" when the table could not be written.
#pragma once

#include <cstddef>

#include "play/records.h"
#include "ui/popup.h"

// The campaign's results popups, in its slot order; null until created.
extern Popup* gameOverPopup;
extern Popup* levelWinPopup;
extern Popup* victoryPopup;
extern Popup* victoryEntryPopup;
extern Popup* topScoresPopup;
extern Popup* scoreNotSavedPopup;

// "Game Over", closed: "Try Again" restarts the level, "Exit" leaves for the
// menus. Null when memory runs out.
Popup* Results_CreateGameOverPopup(void);

// Creates the campaign's six results popups, all closed; a new campaign has
// no name entered yet.
void Results_CreateCampaignPopups(void);
void Results_FreeCampaignPopups(void);

// The level's results: time, par time, level score and running total.
void Results_Summary(char* text, size_t size);
// The records' line of a finished level, from its offer: "New best! 5.21 s"
// and the medal after a dash (none without a medal), or the best standing
// ("Best 4.80 s" and its medal), then why a new record could not be saved.
void Results_RecordsLine(const RecordOutcome* outcome, char* text, size_t size);

// The campaign's end of a level whose goal capture is over: scores it,
// offers the run to the level's records, then
// "You Win!" after an ordinary level, or after the last one either
// "Victory!", the name entry or (once a name was saved) the "Top Scores" or
// "Score Not Saved". A score.vex that cannot be read is never written over:
// the player gets "Victory!" with a line saying so instead of the name entry.
void Results_FinishCampaignLevel(bool lastLevel);

// A custom level's end once its goal capture is over: scores it, offers the
// run to its records and shows the results in `winPopup`. "Play Again" keeps the total, so it grows
// with every completed replay.
void Results_FinishCustomLevel(Popup* winPopup);

// The name entry, once a frame while its popup is open: a typed character
// is added while the name is shorter than ten, Backspace removes the last.
void Results_UpdateNameEntry(void);
// Whether this frame's keys type into the name. The keys that type letters
// and blanks also move through and press buttons, so the entry popup's
// buttons are left alone in such a frame.
bool Results_TypingName(void);
// The name being typed ("Player" when the entry opens).
const char* Results_EnteredName(void);
