// The sound device is tried once per start of the game, and a missing one
// leaves the game running silently with every sound setting still kept.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/headless.h"
#include "support/portable.h"

namespace {

class SoundDeviceTest : public HeadlessTest {
protected:
    void TearDown() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        HeadlessTest::TearDown();
    }

    // Sounds of every kind, loaded, played, rescaled and stopped many times.
    static void UseSoundsALot() {
        for (int i = 0; i < 20; ++i) {
            TS_Sound sound = TS_Sound_Load("./Assets/Sounds/SFX/collision.wav");
            TS_Sound_PlayAdvanced(sound, 1.0f, 1.0f, false, 2);
            TS_Sound_SetGroupVolume(2, 0.5f);
            TS_Sound_StopGroup(2);
            TS_Sound_Free(sound);
            Automation_RunFrames(1);
        }
    }
};

TEST_F(SoundDeviceTest, WithoutADeviceTheGameRunsSilentlyAndAsksOnlyOnce) {
    // The device is not tried before the first frame or the first sound, so
    // the driver can still be pointed at one that does not exist.
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const int before = Automation_AudioDeviceAttempts();
    UseSoundsALot();
    EXPECT_EQ(Automation_AudioDeviceAttempts(), before + 1);
    EXPECT_EQ(TS_Sound_Load("./Assets/Sounds/SFX/collision.wav"), nullptr);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(2), 0.5f);  // settings are still kept
    EXPECT_EQ(Automation_GroupPlayingCount(2), 0);
}

TEST_F(SoundDeviceTest, FirstFrameComesBeforeTheDeviceIsTried) {
    Automation_Stop();
    const int before = Automation_AudioDeviceAttempts();
    Automation_Start();
    // The start-up screen sets the groups' volumes before its first frame.
    TS_Sound_SetGroupVolume(0, 0.5f);
    TS_Sound_StopGroup(1);
    EXPECT_EQ(Automation_AudioDeviceAttempts(), before);  // the window opened without it
    Automation_RunFrames(1);
    EXPECT_EQ(Automation_AudioDeviceAttempts(), before + 1);
}

}  // namespace
