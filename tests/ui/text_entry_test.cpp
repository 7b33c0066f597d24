// Typing: which character a frame's keys give, and the bounded edit step.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "support/headless.h"
#include "ui/text_entry.h"

namespace {

char text[11] = "";
int changes = 0;

void EditFrame() {
    if (TextEntry_EditBuffer(text, sizeof text)) ++changes;
}

class TextEntryTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        text[0] = '\0';
        changes = 0;
        TS_Engine_SetNextGameState(nullptr, EditFrame, nullptr);
        Automation_RunFrames(1);
    }
    // Presses the keys together in one frame, then lets them go.
    void Press(std::initializer_list<int> keys) {
        for (int key : keys) Automation_KeyDown(key);
        Automation_RunFrames(1);
        for (int key : keys) Automation_KeyUp(key);
        Automation_RunFrames(1);
    }
};

const int kA = TS_KEY_A;
const int kC = TS_KEY_C;

TEST_F(TextEntryTest, ShiftMakesCapitalsAndUnderscoresOnly) {
    Press({kA});
    Automation_KeyDown(TS_KEY_LEFT_SHIFT);
    Press({kA});
    Press({TS_KEY_MINUS});
    Press({TS_KEY_0 + 1});
    Automation_KeyUp(TS_KEY_LEFT_SHIFT);
    Automation_KeyDown(TS_KEY_RIGHT_SHIFT);
    Press({TS_KEY_Z});
    Automation_KeyUp(TS_KEY_RIGHT_SHIFT);
    Press({TS_KEY_MINUS});
    Press({TS_KEY_SPACE});
    EXPECT_STREQ(text, "aA_1Z- ");
}

TEST_F(TextEntryTest, KeypadAndTopRowDigitsAgree) {
    Press({TS_KEY_KP_0 + 7});
    Press({TS_KEY_0 + 7});
    Press({TS_KEY_KP_0});
    Press({TS_KEY_9});
    EXPECT_STREQ(text, "7709");
}

TEST_F(TextEntryTest, OneCharacterPerFrameLowestLetterFirst) {
    Press({TS_KEY_0 + 3, TS_KEY_Z, kC});
    EXPECT_STREQ(text, "c");
    // A held key types once.
    Automation_KeyDown(kA);
    Automation_RunFrames(5);
    Automation_KeyUp(kA);
    Automation_RunFrames(1);
    EXPECT_STREQ(text, "ca");
    EXPECT_EQ(changes, 2);
}

TEST_F(TextEntryTest, BackspaceDeletesButALetterInTheSameFrameWins) {
    Press({kA});
    Press({TS_KEY_B});
    Press({TS_KEY_BACKSPACE});
    EXPECT_STREQ(text, "a");
    Press({TS_KEY_BACKSPACE, kC});
    EXPECT_STREQ(text, "ac");
    Press({TS_KEY_BACKSPACE});
    Press({TS_KEY_BACKSPACE});
    EXPECT_STREQ(text, "");
    const int before = changes;
    Press({TS_KEY_BACKSPACE});  // empty: nothing to remove, no change reported
    EXPECT_EQ(changes, before);
}

TEST_F(TextEntryTest, ABufferOfElevenBytesHoldsTenCharacters) {
    for (int i = 0; i < 12; ++i) Press({TS_KEY_0 + (i % 10)});
    EXPECT_STREQ(text, "0123456789");
    EXPECT_EQ(changes, 10);
    Press({TS_KEY_BACKSPACE});
    EXPECT_STREQ(text, "012345678");
}

TEST_F(TextEntryTest, KeysThatTypeNothingGiveNoCharacter) {
    Press({TS_KEY_F1});
    Press({TS_KEY_UP});
    Press({TS_KEY_ENTER});
    EXPECT_STREQ(text, "");
    EXPECT_EQ(changes, 0);
}

}  // namespace
