// Texts shortened with an ellipsis to fit their room, and button labels that
// shrink to a floor before they lose their end: every result fits, keeps
// whole characters, and a text that fits is left exactly as it is.
#include <string>

#include "support/headless.h"
#include "support/text_fit_check.h"
#include "ui/button.h"
#include "ui/text_fit.h"

namespace {

const std::string kEllipsis = "\xE2\x80\xA6";

class TextFitTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_Settings_TextSize(20.0f);
    }
    static float Width(const std::string& text) { return TS_Font_TextWidth(text.c_str()); }
    static std::string Shorten(const std::string& text, float room, TextCut cut,
                               bool* shortened = nullptr) {
        char out[TEXT_FIT_MAX_TEXT + 8];
        const bool cutIt = TextFit_Shorten(text.c_str(), room, cut, out, sizeof out);
        if (shortened) *shortened = cutIt;
        return out;
    }
    // Every multi-byte character whole: each continuation byte follows a
    // lead byte that announced it.
    static bool WholeCharacters(const std::string& text) {
        int owed = 0;
        for (const unsigned char byte : text) {
            if ((byte & 0xC0) == 0x80) {
                if (owed-- <= 0) return false;
            } else {
                if (owed != 0) return false;
                owed = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
            }
        }
        return owed == 0;
    }
};

TEST_F(TextFitTest, ATextThatFitsExactlyIsLeftAsItIsAndOnePixelLessShortensIt) {
    const std::string title = "Unsaved Changes Detected";
    bool shortened = true;
    EXPECT_EQ(Shorten(title, Width(title), TEXT_CUT_MIDDLE, &shortened), title);
    EXPECT_FALSE(shortened);
    const std::string cut = Shorten(title, Width(title) - 1.0f, TEXT_CUT_MIDDLE, &shortened);
    EXPECT_TRUE(shortened);
    EXPECT_NE(cut.find(kEllipsis), std::string::npos) << cut;
    EXPECT_LE(Width(cut), Width(title) - 1.0f);
    EXPECT_EQ(Shorten("", 10.0f, TEXT_CUT_MIDDLE, &shortened), "");
    EXPECT_FALSE(shortened);
}

TEST_F(TextFitTest, AMiddleCutPathKeepsItsStartAndItsFileNameAndDropsWholeFolders) {
    const std::string path = "/home/ann/games/vexal/drafts/old/levels/my_level.vexl";
    for (const float room : {350.0f, 300.0f, 250.0f}) {
        const std::string cut = Shorten(path, room, TEXT_CUT_MIDDLE);
        EXPECT_LE(Width(cut), room) << cut;
        EXPECT_EQ(cut.rfind("/home/", 0), 0u) << cut;
        EXPECT_EQ(cut.substr(cut.size() - 14), "/my_level.vexl") << cut;
        const size_t dots = cut.find(kEllipsis);
        ASSERT_NE(dots, std::string::npos) << cut;
        EXPECT_EQ(cut[dots - 1], '/') << cut;
        EXPECT_EQ(cut[dots + kEllipsis.size()], '/') << cut;
    }
}

TEST_F(TextFitTest, ShortenedTextsNeverSplitACharacter) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x9A\x80";  // é, 日, 🚀
    for (const TextCut cut : {TEXT_CUT_MIDDLE, TEXT_CUT_END}) {
        for (float room = 20.0f; room < 400.0f; room += 37.0f) {
            const std::string shown = Shorten(name, room, cut);
            EXPECT_TRUE(WholeCharacters(shown)) << room;
            EXPECT_LE(Width(shown), room) << room;
        }
    }
}

TEST_F(TextFitTest, AnEndCutLabelKeepsItsFirstWordsWithoutATrailingSpace) {
    const std::string label = "Set Par from This Run";
    const std::string cut = Shorten(label, Width("Set Par fr"), TEXT_CUT_END);
    EXPECT_EQ(cut.rfind("Set Par", 0), 0u) << cut;
    EXPECT_EQ(cut.substr(cut.size() - kEllipsis.size()), kEllipsis);
    EXPECT_EQ(cut.find(" " + kEllipsis), std::string::npos) << cut;
}

TEST_F(TextFitTest, TooLittleRoomGivesTheEllipsisAloneOrNothing) {
    EXPECT_EQ(Shorten("Level Select", Width(kEllipsis), TEXT_CUT_END), kEllipsis);
    EXPECT_EQ(Shorten("Level Select", 1.0f, TEXT_CUT_MIDDLE), "");
}

TEST_F(TextFitTest, ATextLongerThanTheLimitStillFitsAndKeepsItsEnd) {
    std::string path;
    while (path.size() < TEXT_FIT_MAX_TEXT + 500) path += "/a_deep_folder";
    path += "/end.vexl";
    const std::string cut = Shorten(path, 400.0f, TEXT_CUT_MIDDLE);
    EXPECT_LE(Width(cut), 400.0f);
    EXPECT_EQ(cut.rfind("/a_deep", 0), 0u) << cut;
    EXPECT_EQ(cut.substr(cut.size() - 9), "/end.vexl") << cut;
}

class ButtonLabelTest : public HeadlessTest {
protected:
    // Draws the button alone and returns its label's draw.
    static AutomationDrawCall DrawnLabel(const Button* button) {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        Automation_ClearDrawCalls();
        Button_Draw(button, BUTTON_IDLE);
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT) return call;
        }
        return AutomationDrawCall{};
    }
};

TEST_F(ButtonLabelTest, ALongerLabelShrinksThenStopsAtTheFloorAndLosesItsEnd) {
    Button* button = Button_Create(TS_Vector_Set(640, 360));
    ASSERT_TRUE(Button_SetLabel(button, "Lose Changes"));
    AutomationDrawCall label = DrawnLabel(button);
    EXPECT_EQ(label.text, "Lose Changes");
    EXPECT_LT(label.textSize, 25.0f);
    EXPECT_GE(label.textSize, 15.0f);

    ASSERT_TRUE(Button_SetLabel(button, "A label far too long for any button of this size"));
    for (int frame = 0; frame < 2; ++frame) {  // the second draw reuses the first's work
        label = DrawnLabel(button);
        EXPECT_EQ(label.textSize, 15.0f);
        EXPECT_EQ(label.text.rfind("A label", 0), 0u) << label.text;
        EXPECT_EQ(label.text.substr(label.text.size() - kEllipsis.size()), kEllipsis);
        TS_Settings_TextSize(15.0f);
        EXPECT_LE(TS_Font_TextWidth(label.text.c_str()), 150.0f - 8.0f);
    }
    Button_Free(button);
}

}  // namespace
