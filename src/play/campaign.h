// The campaign: the six tutorials and thirteen levels played in order from
// the level the menus chose, with the results and pause popups around them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/screens.h"
#include "level/level.h"
#include "ui/popup.h"

enum { CAMPAIGN_LEVEL_COUNT = 19 };

// The level list of one visit to the campaign.
struct CampaignList {
    const char** paths;  // the level files, in play order
    uint64_t count;      // 19
    int32_t current;     // the level being played; -1 until one is read
    Level level;         // the level being played, as read
};

// The shipped levels: tutorial_0 to tutorial_5, then level_1 to level_13.
extern const char* const campaignLevelPaths[CAMPAIGN_LEVEL_COUNT];
// The name a shipped level's records go by: its file's, without the folder
// and ".vexl" ("level_3"); empty for an index out of range.
void Campaign_ShippedName(int32_t index, char* name, size_t size);

// Shown when the current level's file cannot be read: "Try Again" or "Exit"
// (null while the screen is not running).
extern Popup* campaignLoadFailedPopup;

// The Campaign screen and its callbacks.
extern const GameState CampaignScreen;
void Campaign_Init(void);
void Campaign_Update(void);
void Campaign_Exit(void);

// Reads the current level's file again and starts it (the World's reload
// after a restart). An index out of range becomes the first level.
void Campaign_ReloadLevel(void);
// "Next Level": the following level, or the first after the last.
void Campaign_NextLevel(void);

// The campaign of the running screen (null while it is not running).
const CampaignList* Campaign_List(void);

// Tests play their own small levels in place of the shipped ones; null
// restores the shipped list.
void Campaign_SetLevelPathsForTests(const char* const paths[CAMPAIGN_LEVEL_COUNT]);
