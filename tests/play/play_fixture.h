// A headless gameplay screen for tests: the campaign (or a custom level)
// playing small test levels, with helpers to finish a level, press popup
// buttons and watch the music groups.
#pragma once

#include <string>
#include <vector>

#include "app/config.h"
#include "app/sound_groups.h"
#include "app/window.h"
#include "app/screens.h"
#include "play/campaign.h"
#include "play/campaign_start.h"
#include "play/custom_level.h"
#include "play/pause.h"
#include "play/results.h"
#include "play/score_table.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "ui/help_page.h"
#include "world/world.h"

class PlayTest : public HeadlessTest {
protected:
    static const int kSkip = TS_KEY_X;  // skips the intro and the goal capture

    // The goal touches the ship's start box, so the first flying frame reaches it.
    static const char* HopLevel() { return "E,0,50,0,50,50\n"; }
    // Scores exactly 250: no fuel bonus (unlimited fuel) and no par time.
    static const char* FlatScoreLevel() { return "/1\nE,0,50,0,50,50\n"; }

    void SetUp() override {
        HeadlessTest::SetUp();
        ScoreTable_ResetForTests();
        Help_CloseOverlay();
        campaignStartIndex = 0;
        Window_InstallHook();  // as start-up does: focus changes reach the screen
        ApplyMusicVolume();
    }

    void TearDown() override {
        Automation_RecordDraws(false);
        LeaveScreen();
        Campaign_SetLevelPathsForTests(nullptr);
        Help_CloseOverlay();
        HeadlessTest::TearDown();
    }

    // A level file in the test's folder.
    std::string WriteLevel(const std::string& name, const std::string& text) {
        const std::string path = TempDir() + "/" + name;
        WriteText(path, text);
        return path;
    }

    // Every campaign level is `text`, written to its own file.
    void UseCampaignLevels(const std::string& text) {
        std::vector<std::string> files;
        for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) {
            files.push_back(WriteLevel("level_" + std::to_string(i) + ".vexl", text));
        }
        UseCampaignFiles(files);
    }
    void UseCampaignFiles(const std::vector<std::string>& files) {
        const char* paths[CAMPAIGN_LEVEL_COUNT];
        for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) paths[i] = files[i].c_str();
        Campaign_SetLevelPathsForTests(paths);
    }

    // Switches to the campaign at a level; its init and first frame run.
    void StartCampaign(int index) {
        campaignStartIndex = index;
        Screen_Switch(CampaignScreen);
        Automation_RunFrames(1);
        ASSERT_STREQ(Screen_CurrentName(), "Campaign");
    }

    // Leaves whatever screen runs for an empty one, so its exit frees it all.
    // A screen that itself asks for a change (MenuMusic on to the main menu)
    // can overrule the request, so it is repeated until it holds.
    static void LeaveScreen() {
        for (int i = 0; i < 5 && TS_Engine_CurrentUpdate() != Idle; ++i) {
            TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
            Automation_RunFrames(1);
        }
    }
    static void Idle() {}

    // Runs frames until the predicate holds (or the limit passes).
    template <typename Predicate>
    static bool RunUntil(Predicate done, int limit = 600) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Automation_RunFrames(1);
        }
        return done();
    }

    // Skips the intro into flying.
    void SkipIntro() {
        if (world.phase == PHASE_INTRO) TapKey(kSkip);
        ASSERT_NE(world.phase, PHASE_INTRO);
    }

    // Skips the intro, touches the goal, skips the capture and runs until a
    // results popup opens.
    void FinishHopLevel() {
        SkipIntro();
        ASSERT_TRUE(RunUntil([] { return world.phase == PHASE_CAPTURE; }, 10));
        TapKey(kSkip);
        ASSERT_TRUE(RunUntil([] { return AnyResultsOpen(); }, 10));
    }

    static bool Open(const Popup* popup) { return popup && popup->open; }
    // The campaign's results, or a custom level's.
    static bool AnyResultsOpen() {
        return CampaignResultsOpen() || Open(customGameOverPopup) || Open(customWinPopup);
    }
    static bool CampaignResultsOpen() {
        return Open(gameOverPopup) || Open(levelWinPopup) || Open(victoryPopup) ||
               Open(victoryEntryPopup) || Open(topScoresPopup);
    }

    // Clicks button `index` of an open popup.
    void Press(const Popup* popup, size_t index) {
        ASSERT_TRUE(Open(popup));
        ASSERT_LT(index, popup->count);
        const TS_Vec2 at = popup->buttons[index]->position;
        Click(at.x, at.y);
    }

    // Presses button `index` of an open popup and runs only that frame, so a
    // screen change it asks for has just happened.
    void PressAndRunOneFrame(const Popup* popup, size_t index) {
        ASSERT_TRUE(Open(popup));
        const TS_Vec2 at = popup->buttons[index]->position;
        Automation_MouseMove(at.x, at.y);
        Automation_MouseDown(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
        Automation_MouseUp(TS_MOUSE_LEFT);
    }

    // Opens the pause menu with Escape while flying.
    void Pause() {
        ASSERT_EQ(world.phase, PHASE_FLYING);
        TapKey(TS_KEY_ESCAPE);
        ASSERT_TRUE(Open(pausePopup));
    }

    static int GroupVolumeChanges() {
        int count = 0;
        for (const AutomationSoundEvent& e : Automation_SoundLog()) {
            if (e.kind == SOUND_GROUP_VOLUME) ++count;
        }
        return count;
    }
    static int Plays(int group) {
        int count = 0;
        for (const AutomationSoundEvent& e : Automation_SoundLog()) {
            if (e.kind == SOUND_PLAY && e.group == group) ++count;
        }
        return count;
    }

    // The last frame's text draws.
    static std::vector<AutomationDrawCall> Texts() {
        std::vector<AutomationDrawCall> texts;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT) texts.push_back(call);
        }
        return texts;
    }
    static const AutomationDrawCall* TextCall(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) return &call;
        }
        return nullptr;
    }
};
