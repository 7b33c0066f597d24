// Typing: the frame's typed text goes in at the caret whole characters at a
// time, the editing keys move and erase by characters, and the limits hold.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "support/headless.h"
#include "ui/text_entry.h"

namespace {

char text[11] = "";
size_t caret = 0;
bool atCaret = false;  // the caret-aware edit, or appending
int changes = 0;

void EditFrame() {
    const bool changed = atCaret ? TextEntry_EditAt(text, sizeof text, &caret)
                                 : TextEntry_EditBuffer(text, sizeof text, "/");
    if (changed) ++changes;
}

void NoField() {}

class TextEntryTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        text[0] = '\0';
        caret = 0;
        atCaret = false;
        changes = 0;
        TS_Engine_SetNextGameState(nullptr, EditFrame, nullptr);
        Automation_RunFrames(1);
    }
    // Presses the keys together in one frame, then lets them go.
    static void Press(std::initializer_list<int> keys) {
        for (int key : keys) Automation_KeyDown(key);
        Automation_RunFrames(1);
        for (int key : keys) Automation_KeyUp(key);
        Automation_RunFrames(1);
    }
};

TEST_F(TextEntryTest, EveryTypedCharacterArrivesInOrderEvenSeveralInAFrame) {
    TypeText("a,");
    // Three text events and one of two characters in a single frame.
    Automation_TypeText("!");
    Automation_TypeText(":");
    Automation_TypeText("?");
    Automation_TypeText("$T");
    Automation_RunFrames(1);
    EXPECT_STREQ(text, "a,!:?$T");
    // Keys alone type nothing: the layout's text decides the character.
    Press({TS_KEY_B});
    Press({TS_KEY_F1, TS_KEY_ENTER});
    EXPECT_STREQ(text, "a,!:?$T");
}

TEST_F(TextEntryTest, BackspaceTakesAWholeCharacterAndTheLimitKeepsWholeOnes) {
    TypeText("ab\xC3\xA9");  // "abé": four bytes
    EXPECT_STREQ(text, "ab\xC3\xA9");
    Press({TS_KEY_BACKSPACE});
    EXPECT_STREQ(text, "ab");
    // Ten bytes fit: "ab" + "12345678"; then a two-byte letter no longer does,
    // but a later one-byte one would not fit either, and nothing is split.
    Automation_TypeText(
        "1234567\xC3\xBC"
        "8");
    Automation_RunFrames(1);
    EXPECT_STREQ(text,
                 "ab1234567"
                 "8");
    Press({TS_KEY_BACKSPACE});
    TypeText("\xC3\xBC");
    EXPECT_STREQ(text, "ab1234567");  // nine bytes: a two-byte letter is refused
    Press({TS_KEY_BACKSPACE});
    Press({TS_KEY_BACKSPACE});
    TypeText("\xC3\xBC");
    EXPECT_STREQ(text, "ab12345\xC3\xBC");
}

TEST_F(TextEntryTest, HeldBackspaceRepeatsAndRefusedSignsStayOut) {
    TypeText("a/b/c");
    EXPECT_STREQ(text, "abc");
    Automation_KeyDown(TS_KEY_BACKSPACE);
    Automation_RunFrames(1);
    Automation_KeyRepeat(TS_KEY_BACKSPACE);
    Automation_RunFrames(1);
    Automation_RunFrames(1);  // held without a repeat: nothing
    Automation_KeyUp(TS_KEY_BACKSPACE);
    Automation_RunFrames(1);
    EXPECT_STREQ(text, "a");
}

TEST_F(TextEntryTest, CaretMovesByCharactersAndEditsWhereItIs) {
    atCaret = true;
    TypeText(
        "\xC3\x9F"
        "c");  // "ßc"
    Press({TS_KEY_LEFT});
    Press({TS_KEY_LEFT});
    EXPECT_EQ(caret, 0u);
    TypeText("a");
    Press({TS_KEY_RIGHT});
    EXPECT_EQ(caret, 3u);  // after "aß", never inside the ß
    TypeText("b");
    EXPECT_STREQ(text,
                 "a\xC3\x9F"
                 "bc");
    Press({TS_KEY_HOME});
    Press({TS_KEY_DELETE});
    EXPECT_STREQ(text,
                 "\xC3\x9F"
                 "bc");
    Press({TS_KEY_DELETE});
    EXPECT_STREQ(text, "bc");
    Press({TS_KEY_END});
    Press({TS_KEY_BACKSPACE});
    Press({TS_KEY_DELETE});  // nothing after the caret
    EXPECT_STREQ(text, "b");
    EXPECT_EQ(caret, 1u);
    Press({TS_KEY_RIGHT});
    EXPECT_EQ(caret, 1u);
}

TEST_F(TextEntryTest, TextIsTypedOnlyWhileAFieldAsksForIt) {
    // A screen without a field; a change takes effect after a frame's update.
    TS_Engine_SetNextGameState(nullptr, NoField, nullptr);
    Automation_RunFrames(2);
    Automation_TypeText("lost");
    Automation_RunFrames(1);
    TS_Engine_SetNextGameState(nullptr, EditFrame, nullptr);
    Automation_RunFrames(2);
    TypeText("x");
    EXPECT_STREQ(text, "x");
}

TEST_F(TextEntryTest, CuttingKeepsWholeCharacters) {
    char cut[] =
        "ab\xE4\xB8\xAD"
        "c";  // a CJK character of three bytes
    TextEntry_CutAt(cut, 4);
    EXPECT_STREQ(cut, "ab");
    TextEntry_CutAt(cut, 10);
    EXPECT_STREQ(cut, "ab");
}

}  // namespace
