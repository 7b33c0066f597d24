// The Campaign screen: reads each level of the list in turn, flies it, and
// shows the results, the victory and the pause menu over it.
#include "play/campaign.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/screens.h"
#include "level/kind_shapes.h"
#include "play/campaign_start.h"
#include "play/ghost_run.h"
#include "play/pause.h"
#include "play/play_screen.h"
#include "play/results.h"
#include "play/run_recorder.h"
#include "world/world.h"

const char* const campaignLevelPaths[CAMPAIGN_LEVEL_COUNT] = {
    "./Assets/levels/tutorial_0.vexl", "./Assets/levels/tutorial_1.vexl",
    "./Assets/levels/tutorial_2.vexl", "./Assets/levels/tutorial_3.vexl",
    "./Assets/levels/tutorial_4.vexl", "./Assets/levels/tutorial_5.vexl",
    "./Assets/levels/level_1.vexl",    "./Assets/levels/level_2.vexl",
    "./Assets/levels/level_3.vexl",    "./Assets/levels/level_4.vexl",
    "./Assets/levels/level_5.vexl",    "./Assets/levels/level_6.vexl",
    "./Assets/levels/level_7.vexl",    "./Assets/levels/level_8.vexl",
    "./Assets/levels/level_9.vexl",    "./Assets/levels/level_10.vexl",
    "./Assets/levels/level_11.vexl",   "./Assets/levels/level_12.vexl",
    "./Assets/levels/level_13.vexl",
};

Popup* campaignLoadFailedPopup = nullptr;

namespace {

CampaignList* campaign = nullptr;

// Test levels, when a test has set them.
bool useTestPaths = false;
std::string testPaths[CAMPAIGN_LEVEL_COUNT];

CampaignList* CreateCampaignList(void) {
    CampaignList* list = static_cast<CampaignList*>(std::calloc(1, sizeof(CampaignList)));
    if (!list) return nullptr;
    list->paths = static_cast<const char**>(std::calloc(CAMPAIGN_LEVEL_COUNT, sizeof(char*)));
    if (!list->paths) {
        std::free(list);
        return nullptr;
    }
    for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) {
        list->paths[i] = useTestPaths ? testPaths[i].c_str() : campaignLevelPaths[i];
    }
    list->count = CAMPAIGN_LEVEL_COUNT;
    list->current = -1;
    InitLevel(&list->level);
    return list;
}

void FreeCampaignList(CampaignList* list) {
    if (!list) return;
    FreeLevel(&list->level);
    std::free(list->paths);
    std::free(list);
}

// Reads the current level's file. Only a whole read replaces the level held
// (whose tables the World may still be showing); a failure keeps it and says
// so, since an empty level in its place could never be finished. Returns
// whether the new level is in place.
bool ReadCurrentLevel(void) {
    const char* path = campaign->paths[campaign->current];
    Level read = {};
    const int error = ReadLevelFile(path, &read, true);
    if (error != 0) {
        FreeLevel(&read);
        Play_ShowLoadFailure(campaignLoadFailedPopup, path, error, nullptr);
        return false;
    }
    FreeLevel(&campaign->level);
    campaign->level = read;
    char name[RECORD_KEY_SIZE];
    // Records go by the shipped level's name, whatever file a test flies.
    Campaign_ShippedName(campaign->current, name, sizeof name);
    RunRecorder_NameLevel(name, path, &campaign->level);
    GhostRun_NameLevel(name, &campaign->level);
    return true;
}

bool IsLastLevel(void) { return campaign->current == static_cast<int32_t>(campaign->count) - 1; }

void FinishLevel(void) { Results_FinishCampaignLevel(IsLastLevel()); }

// The campaign's popups, in slot order; Escape's pause ducks the music.
const PlayScreen kCampaignPlay = {
    {&gameOverPopup, &levelWinPopup, &victoryPopup, &victoryEntryPopup, &topScoresPopup,
     &scoreNotSavedPopup, &campaignLoadFailedPopup, &pausePopup, &restartPopup, &exitPopup},
    10,
    &victoryEntryPopup,
    &gameOverPopup,
    FinishLevel,
    Campaign_ReloadLevel,
    true,
};

}  // namespace

void Campaign_ReloadLevel(void) {
    if (!campaign) return;
    if (campaign->current >= 0) {
        if (campaign->current >= static_cast<int32_t>(campaign->count)) campaign->current = 0;
        if (!ReadCurrentLevel()) return;
    }
    StartLevel(&campaign->level);
}

void Campaign_NextLevel(void) {
    if (!campaign) return;
    campaign->current += 1;
    if (campaign->current >= static_cast<int32_t>(campaign->count)) campaign->current = 0;
    Campaign_ReloadLevel();
}

const CampaignList* Campaign_List(void) { return campaign; }

void Campaign_ShippedName(int32_t index, char* name, size_t size) {
    if (size == 0) return;
    name[0] = '\0';
    if (index < 0 || index >= CAMPAIGN_LEVEL_COUNT) return;
    const char* path = campaignLevelPaths[index];
    const char* slash = std::strrchr(path, '/');
    const char* base = slash ? slash + 1 : path;
    const char* dot = std::strrchr(base, '.');
    const size_t length = dot ? static_cast<size_t>(dot - base) : std::strlen(base);
    std::snprintf(name, size, "%.*s", static_cast<int>(length), base);
}

void Campaign_SetLevelPathsForTests(const char* const paths[CAMPAIGN_LEVEL_COUNT]) {
    useTestPaths = paths != nullptr;
    for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) testPaths[i] = paths ? paths[i] : "";
}

void Campaign_Init(void) {
    Results_CreateCampaignPopups();
    campaignLoadFailedPopup = Play_CreateLoadFailedPopup();
    BuildKindShapes();

    // Without its level list the campaign cannot run: its update then
    // leaves for the main menu.
    campaign = CreateCampaignList();
    if (campaign && campaignStartIndex >= 0) {
        const int32_t count = static_cast<int32_t>(campaign->count);
        campaign->current = campaignStartIndex < count ? campaignStartIndex : 0;
        // A failure opens its popup over a World with no level in it;
        // "Try Again" starts the level once the file can be read.
        ReadCurrentLevel();
    }
    PlayScreen_Init(&kCampaignPlay, campaign ? &campaign->level : nullptr);
}

void Campaign_Update(void) {
    if (!campaign) {
        Screen_Finish(ScreenResult::Back);
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
        return;
    }
    PlayScreen_Update();
}

void Campaign_Exit(void) {
    PlayScreen_Exit();
    Results_FreeCampaignPopups();
    Popup_Free(campaignLoadFailedPopup);
    campaignLoadFailedPopup = nullptr;
    FreeCampaignList(campaign);
    campaign = nullptr;
}

const GameState CampaignScreen = {Campaign_Init, Campaign_Update, Campaign_Exit, "Campaign"};
