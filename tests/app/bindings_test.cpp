// The player's own keys: a key taken from another action swaps with it,
// resetting and changing the scheme give the scheme's keys, the actions
// follow them (with Escape always pausing) while recorded runs keep the
// scheme's, and controls.cfg is read as the game wrote it while a damaged
// one falls back to the scheme's keys and is never written over unread.
#include <gtest/gtest.h>

#include <string>

#include "app/bindings.h"
#include "app/config.h"
#include "app/controls.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "support/portable.h"

namespace {

class BindingsTest : public HeadlessTest {
protected:
    std::string BindingsPath() const { return SaveFolder() + "controls.cfg"; }
    std::string EnsureFolder() const {
        SavePath probe = {{0}, false};
        EXPECT_TRUE(SavePath_Ensure(&probe, "controls.cfg"));
        return BindingsPath();
    }
    static int ReadQuietly() {
        testing::internal::CaptureStderr();
        Bindings_Read();
        testing::internal::GetCapturedStderr();
        return Bindings_ReadError();
    }
    static void ExpectSchemeKeys(int scheme) {
        const Bindings defaults = Bindings_Defaults(scheme);
        for (int action = 0; action < BINDABLE_ACTION_COUNT; ++action) {
            EXPECT_EQ(Bindings_Key(action), defaults.keys[action]) << action;
            EXPECT_EQ(Bindings_Pad(action), defaults.pads[action]) << action;
        }
    }
    static bool DownWith(int key, int action) {
        Automation_KeyDown(key);
        Automation_RunFrames(1);
        const bool down = Controls_Down(action);
        Automation_KeyUp(key);
        Automation_RunFrames(1);
        return down;
    }
};

TEST_F(BindingsTest, ATakenKeySwapsAndResetOrAnotherSchemeGivesTheSchemesKeys) {
    ExpectSchemeKeys(2);  // a fresh player: ArrowSpace, M, X, Escape, R
    EXPECT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_W));
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W);
    // Left Arrow belonged to the left turn: it takes W.
    EXPECT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_LEFT));
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_LEFT);
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_W);

    // Escape backs out of menus and captures: nothing but the pause has it.
    EXPECT_FALSE(Bindings_SetKey(CONTROL_MAP, TS_KEY_ESCAPE));
    EXPECT_FALSE(Bindings_SetKey(CONTROL_MAP, TS_KEY_F5));
    EXPECT_FALSE(Bindings_SetKey(CONTROL_PAUSE, TS_KEY_M)) << "the map would get Escape";
    EXPECT_EQ(Bindings_Key(CONTROL_MAP), TS_KEY_M);
    EXPECT_TRUE(Bindings_SetKey(CONTROL_PAUSE, TS_KEY_P));
    EXPECT_TRUE(Bindings_SetKey(CONTROL_MAP, TS_KEY_P));  // now a plain swap
    EXPECT_EQ(Bindings_Key(CONTROL_PAUSE), TS_KEY_M);

    // Pad buttons swap the same way; B is the pad's Escape.
    EXPECT_FALSE(Bindings_SetPad(CONTROL_THRUST, TS_PAD_B));
    EXPECT_TRUE(Bindings_SetPad(CONTROL_THRUST, TS_PAD_X));
    EXPECT_EQ(Bindings_Pad(CONTROL_SKIP), TS_PAD_A);

    // A new scheme replaces the keys and keeps the pad's buttons.
    userConfig.controlScheme = 0;
    Bindings_ChooseScheme(0);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W);
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_A);
    EXPECT_EQ(Bindings_Key(CONTROL_PAUSE), TS_KEY_ESCAPE);
    EXPECT_EQ(Bindings_Pad(CONTROL_THRUST), TS_PAD_X);

    Bindings_ResetToScheme();
    ExpectSchemeKeys(0);
}

TEST_F(BindingsTest, ActionsFollowTheBoundKeysWhileRecordedRunsKeepTheSchemes) {
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_W));
    ASSERT_TRUE(Bindings_SetKey(CONTROL_TURN_LEFT, TS_KEY_J));
    ASSERT_TRUE(Bindings_SetKey(CONTROL_PAUSE, TS_KEY_P));
    EXPECT_TRUE(DownWith(TS_KEY_W, CONTROL_THRUST));
    EXPECT_FALSE(DownWith(TS_KEY_SPACE, CONTROL_THRUST));
    // The menus press with the thrust key and move with the turn keys.
    EXPECT_TRUE(DownWith(TS_KEY_W, CONTROL_MENU_ACCEPT));
    EXPECT_TRUE(DownWith(TS_KEY_J, CONTROL_MENU_LEFT));
    EXPECT_TRUE(DownWith(TS_KEY_LEFT, CONTROL_MENU_LEFT));
    // Escape pauses whatever else does.
    EXPECT_TRUE(DownWith(TS_KEY_P, CONTROL_PAUSE));
    EXPECT_TRUE(DownWith(TS_KEY_ESCAPE, CONTROL_PAUSE));
    // Runs are written in the scheme's keys.
    EXPECT_EQ(Controls_Key(CONTROL_THRUST), TS_KEY_SPACE);
    EXPECT_EQ(Controls_Key(CONTROL_TURN_LEFT), TS_KEY_LEFT);

    // A replay flying suspends them: the scheme's keys and nothing else.
    const bool was = Bindings_Suspend(true);
    EXPECT_TRUE(DownWith(TS_KEY_SPACE, CONTROL_THRUST));
    EXPECT_FALSE(DownWith(TS_KEY_W, CONTROL_THRUST));
    Bindings_Suspend(was);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W) << "kept through the replay";

    // Another scheme than the bindings were chosen under (a replay's, say)
    // has its own keys, and the bindings come back with the player's scheme.
    userConfig.controlScheme = 0;
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W);  // WAD's W, by chance
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_A);
    userConfig.controlScheme = 2;
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_J);
}

TEST_F(BindingsTest, APadExtraGivesWayToAnActionTheyWereBoundTo) {
    ASSERT_TRUE(Automation_AttachVirtualPad());
    Automation_RunFrames(1);
    const auto downWithPad = [](int button, int action) {
        Automation_SetPadButton(button, true);
        Automation_RunFrames(1);
        const bool down = Controls_Down(action);
        Automation_SetPadButton(button, false);
        Automation_RunFrames(1);
        return down;
    };
    EXPECT_TRUE(downWithPad(TS_PAD_Y, CONTROL_MAP));  // Y beside the shoulder
    ASSERT_TRUE(Bindings_SetPad(CONTROL_SKIP, TS_PAD_Y));
    EXPECT_TRUE(downWithPad(TS_PAD_Y, CONTROL_SKIP));
    EXPECT_FALSE(downWithPad(TS_PAD_Y, CONTROL_MAP));
    EXPECT_TRUE(downWithPad(TS_PAD_LEFT_SHOULDER, CONTROL_MAP));
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
}

TEST_F(BindingsTest, TheFileIsReadOnlyWhenItMakesAWholeSetForTheScheme) {
    const Bindings defaults = Bindings_Defaults(2);
    struct Case {
        const char* text;
        bool usable;
        int thrustKey;
    } const cases[] = {
        {"scheme 2\nthrust 87 0\n", true, TS_KEY_W},
        {"scheme 2\r\n  thrust\t87  0 \r\n# a note\nnoise 1 2\n", true, TS_KEY_W},
        {"thrust 87 0\nscheme 2\n", true, TS_KEY_W},
        {"scheme 2\nthrust 87 0\nthrust 75 0\n", true, TS_KEY_K},  // the last line wins
        {"scheme 2\nthrust 87\n", true, TS_KEY_SPACE},             // half a line: passed over
        {"scheme 2\nthrust 87 0 9\n", true, TS_KEY_SPACE},
        {"scheme 2\nthrust 9999999999 0\n", true, TS_KEY_SPACE},
        {"scheme 2\n", true, TS_KEY_SPACE},
        {"thrust 87 0\n", false, 0},             // no scheme: not a file of ours
        {"scheme 0\nthrust 75 0\n", false, 0},   // made under another scheme
        {"scheme 2\nthrust 77 0\n", false, 0},   // M twice
        {"scheme 2\nthrust 256 0\n", false, 0},  // Escape thrusting
        {"scheme 2\nthrust 290 0\n", false, 0},  // an F key
        {"scheme 2\nthrust 87 1\n", false, 0},   // B
        {"scheme 2\nthrust 87 99\n", false, 0},  // no such button
        {"scheme 2\nthrust -87 0\n", true, TS_KEY_SPACE},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        Bindings out = defaults;
        out.keys[CONTROL_THRUST] = 0;
        EXPECT_EQ(Bindings_Parse(c.text, 2, &out), c.usable) << '"' << c.text << '"';
        if (c.usable) {
            EXPECT_EQ(out.keys[CONTROL_THRUST], c.thrustKey) << '"' << c.text << '"';
        }
    }
}

TEST_F(BindingsTest, SavedBindingsComeBackAndAnUnchangedSetIsNotWritten) {
    EnsureFolder();
    EXPECT_EQ(Bindings_Save(), 0);
    EXPECT_FALSE(FileExists(BindingsPath())) << "nothing chosen, nothing written";
    ASSERT_TRUE(Bindings_SetKey(CONTROL_RESTART, TS_KEY_KP_0));
    ASSERT_TRUE(Bindings_SetPad(CONTROL_PAUSE, TS_PAD_RIGHT_SHOULDER));
    ASSERT_EQ(Bindings_Save(), 0);
    EXPECT_EQ(ReadText(BindingsPath()),
              "scheme 2\nthrust 32 0\nleft 263 10\nright 262 11\nmap 77 6\nskip 88 2\n"
              "pause 256 7\nrestart 320 4\n");
    Bindings_ResetForTests();
    EXPECT_EQ(ReadQuietly(), 0);
    EXPECT_EQ(Bindings_Key(CONTROL_RESTART), TS_KEY_KP_0);
    EXPECT_EQ(Bindings_Pad(CONTROL_PAUSE), TS_PAD_RIGHT_SHOULDER);
}

TEST_F(BindingsTest, ADamagedFileGivesTheSchemesKeysAndAnUnreadOneIsLeftAlone) {
    const std::string path = EnsureFolder();
    // Garbage is read, found wanting and may be replaced by the next change.
    WriteText(path, std::string("\x01\x02garbage\0\xff scheme 2\nthrust 87", 30));
    EXPECT_EQ(ReadQuietly(), 0);
    ExpectSchemeKeys(2);

    // A line of 3000 characters is passed over; the rest of the file counts.
    WriteText(path, "scheme 2\nthrust " + std::string(3000, '7') + " 0\nmap 75 6\n");
    EXPECT_EQ(ReadQuietly(), 0);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_SPACE);
    EXPECT_EQ(Bindings_Key(CONTROL_MAP), TS_KEY_K);

    // Far too large, or a folder in its place: unreadable, never written over.
    const std::string large = "scheme 2\n" + std::string(BINDINGS_FILE_LIMIT, '#') + "\n";
    WriteText(path, large);
    EXPECT_NE(ReadQuietly(), 0);
    ExpectSchemeKeys(2);
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_W));
    EXPECT_NE(Bindings_Save(), 0);
    EXPECT_EQ(ReadText(path), large);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W) << "this run still flies on its choice";

    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(ReadQuietly(), EISDIR);
    ExpectSchemeKeys(2);
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_W));
    EXPECT_EQ(Bindings_Save(), EISDIR);
    struct stat info = {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(BindingsTest, EveryBindableKeysNameFitsAPlaceholder) {
    int named = 0;
    for (int key = 1; key < TS_KEY_COUNT; ++key) {
        const std::string name = Bindings_KeyName(key);
        if (name.empty()) continue;
        ++named;
        EXPECT_LE(name.size(), 11u) << key;  // "$TLEFT_KEY$" is the shortest
        EXPECT_FALSE(std::string(Bindings_KeyShortName(key)).empty()) << key;
    }
    EXPECT_GE(named, 75);
    for (int button = 0; button < TS_PAD_BUTTON_COUNT; ++button) {
        EXPECT_LE(std::string(Bindings_PadName(button)).size(), 11u) << button;
    }
}

}  // namespace
