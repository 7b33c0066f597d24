// A headless World for tests: a level written in a few lines of level-file
// text, a screen whose frame updates and draws the World, and key helpers.
#pragma once

#include <cmath>
#include <string>

#include "app/config.h"
#include "level/kind_shapes.h"
#include "level/level.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "world/draw.h"
#include "world/world.h"

class WorldTest : public HeadlessTest {
protected:
    // The control scheme of a fresh save folder is 2: Space thrusts, the
    // arrows turn.
    static const int kThrust = TS_KEY_SPACE;
    static const int kLeft = TS_KEY_LEFT;
    static const int kRight = TS_KEY_RIGHT;
    static const int kMap = TS_KEY_M;
    static const int kSkip = TS_KEY_X;

    void SetUp() override {
        HeadlessTest::SetUp();
        BuildKindShapes();
        InitLevel(&level_);
    }

    void TearDown() override {
        Automation_RecordDraws(false);
        if (worldUp_) TeardownWorld();
        worldUp_ = false;
        FreeLevel(&level_);
        FreeKindShapes();
        HeadlessTest::TearDown();
    }

    // Reads level-file text (one record per line) and sets up the World on it,
    // with a screen that updates and draws the World every frame.
    void Load(const std::string& levelText) {
        const std::string path = TempDir() + "/test.vexl";
        WriteText(path, levelText);
        ASSERT_EQ(ReadLevelFile(path.c_str(), &level_, true), 0);
        SetupWorld(&level_);
        worldUp_ = true;
        TS_Engine_SetNextGameState(nullptr, Frame, nullptr);
    }

    // Loads and goes straight to flying (the intro is skipped with X).
    void LoadFlying(const std::string& levelText) {
        Load(levelText);
        if (world.phase == PHASE_INTRO) {
            Automation_KeyDown(kSkip);
            Run(1);
            Automation_KeyUp(kSkip);
        }
        ASSERT_EQ(world.phase, PHASE_FLYING);
    }

    static void Frame() {
        World_Update();
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
        DrawWorld();
    }

    static void Run(int frames) { Automation_RunFrames(frames); }
    static void Press(int key) { Automation_KeyDown(key); }
    static void Release(int key) { Automation_KeyUp(key); }

    static GameObject* Ship() { return world.ship.body; }
    static FuelGauge* Gauge() { return world.ship.fuel; }
    static float Speed() {
        return std::sqrt(world.ship.velocity.x * world.ship.velocity.x +
                         world.ship.velocity.y * world.ship.velocity.y);
    }
    // The level object in slot i.
    GameObject* Object(int i) { return level_.objects[i]->object; }
    GameObject* Goal() { return level_.goal->object; }

    // Sound plays logged in a group since the log was last cleared.
    static int Plays(int group) {
        int count = 0;
        for (const AutomationSoundEvent& e : Automation_SoundLog()) {
            if (e.kind == SOUND_PLAY && e.group == group) ++count;
        }
        return count;
    }
    static int Stops(int group) {
        int count = 0;
        for (const AutomationSoundEvent& e : Automation_SoundLog()) {
            if (e.kind == SOUND_STOP_GROUP && e.group == group) ++count;
        }
        return count;
    }

    // The last frame's text draw with exactly this text, or null.
    static const AutomationDrawCall* TextCall(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text == text) return &call;
        }
        return nullptr;
    }
    // The last frame's text draw that starts with a prefix, or null.
    static const AutomationDrawCall* TextCallStarting(const std::string& prefix) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text.compare(0, prefix.size(), prefix) == 0) {
                return &call;
            }
        }
        return nullptr;
    }

    Level level_;
    bool worldUp_ = false;
};
