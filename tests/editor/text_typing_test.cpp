// Typing a level text in the editor through the keyboard's text events: every
// printable character and accented letters, one or several a frame, the caret
// keys, and the text saved and opened again exactly as typed.
#include <fstream>
#include <sstream>

#include "editor_fixture.h"
#include "ui/file_chooser.h"

namespace {

// Every printable ASCII character, then letters from other alphabets and a CJK
// character the game's font may not have (drawn as a box, never a crash).
std::string EverythingTyped() {
    std::string text;
    for (char c = ' '; c <= '~'; ++c) text += c;
    return text + " \xC3\xA9 \xC3\x9F \xC3\xB1 \xC3\xBC \xE4\xB8\xAD";  // é ß ñ ü 中
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class TypingTest : public EditorTest {
protected:
    // A text dropped at (0, 100), selected, its words erased, ready to type.
    TextObject* StartTyping() {
        DropItemAt(PALETTE_TEXT, 0, 100);
        TextObject* text = Edited().texts[0];
        if (!text) return nullptr;
        ClickWorld(0, 100);
        ClickButton(editor.editTextButton);
        Automation_KeyDown(TS_KEY_BACKSPACE);
        Automation_RunFrames(1);
        for (int i = 0; i < 20; ++i) {
            Automation_KeyRepeat(TS_KEY_BACKSPACE);
            Automation_RunFrames(1);
        }
        Automation_KeyUp(TS_KEY_BACKSPACE);
        Automation_RunFrames(1);
        return text;
    }

    // Types UTF-8 text `perFrame` characters a frame.
    static void TypeInFrames(const std::string& text, int perFrame) {
        int inFrame = 0;
        for (size_t at = 0; at < text.size();) {
            size_t length = 1;
            while (at + length < text.size() &&
                   (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
                ++length;
            }
            Automation_TypeText(text.substr(at, length).c_str());
            at += length;
            if (++inFrame == perFrame) {
                Automation_RunFrames(1);
                inFrame = 0;
            }
        }
        Automation_RunFrames(1);
    }
};

class TextTypingTest : public TypingTest, public ::testing::WithParamInterface<int> {};

TEST_P(TextTypingTest, EveryCharacterTypedIsSavedAndOpensAgainTheSame) {
    TextObject* text = StartTyping();
    ASSERT_NE(text, nullptr);
    ASSERT_STREQ(text->text, "");
    const std::string typed = EverythingTyped();
    TypeInFrames(typed, GetParam());
    EXPECT_EQ(std::string(text->text), typed);
    EXPECT_TRUE(editor.dirty);
    ClickButton(editor.editTextButton);  // Done

    const std::string path = TempDir() + "/typed.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    ASSERT_TRUE(editor.saveWarningPopup->open);  // no goal
    SaveAnyway();
    ASSERT_TRUE(editor.resultPopup->open);
    const std::string saved = FileBytes(path);
    EXPECT_NE(saved.find("," + typed + "\n"), std::string::npos);

    // Opened again, the text is the same, and saving it writes the same bytes.
    Level reopened = {};
    ASSERT_EQ(ReadLevelFile(path.c_str(), &reopened, false), 0);
    ASSERT_NE(reopened.texts[0], nullptr);
    EXPECT_EQ(std::string(reopened.texts[0]->text), typed);
    const std::string again = TempDir() + "/again.vexl";
    ASSERT_EQ(WriteLevelFile(again.c_str(), &reopened), 0);
    EXPECT_EQ(FileBytes(again), saved);
    FreeLevel(&reopened);
}

INSTANTIATE_TEST_SUITE_P(PerFrame, TextTypingTest, ::testing::Values(1, 7),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 1 ? std::string("OneCharacterAFrame")
                                                    : std::string("SevenCharactersAFrame");
                         });

using TextCaretTest = TypingTest;

TEST_F(TextCaretTest, CaretKeysEditInsideTheTextAndLeaveTheLevelAlone) {
    TextObject* text = StartTyping();
    ASSERT_NE(text, nullptr);
    TypeText("Hello pilot go!");
    const TS_Vec2 where = text->position;
    // Home, then a comma after "Hello"; End, then back over "!" for a colon.
    TapKey(TS_KEY_HOME);
    for (int i = 0; i < 5; ++i) TapKey(TS_KEY_RIGHT);
    TypeText(",");
    TapKey(TS_KEY_END);
    for (int i = 0; i < 4; ++i) TapKey(TS_KEY_LEFT);
    TypeText(":");
    EXPECT_STREQ(text->text, "Hello, pilot: go!");
    // Delete takes the character after the caret, not the text; the arrows
    // moved the caret, not the text.
    TapKey(TS_KEY_DELETE);
    TypeText("\xC3\xA9");
    EXPECT_STREQ(text->text, "Hello, pilot:\xC3\xA9go!");
    TapKey(TS_KEY_LEFT);
    TapKey(TS_KEY_BACKSPACE);  // the ':' before the é, the é whole
    EXPECT_STREQ(text->text, "Hello, pilot\xC3\xA9go!");
    EXPECT_EQ(Edited().texts[0], text);
    EXPECT_FLOAT_EQ(text->position.x, where.x);
    EXPECT_FLOAT_EQ(text->position.y, where.y);

    // Typed $THRUST_KEY$ stays a placeholder in the editor.
    TapKey(TS_KEY_END);
    TypeText(" $THRUST_KEY$");
    EXPECT_STREQ(text->text, "Hello, pilot\xC3\xA9go! $THRUST_KEY$");
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_typed_text.png").c_str()));
}

}  // namespace
