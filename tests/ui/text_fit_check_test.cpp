// The text-fits checker on frames made by hand: each of its rules catches the
// fault it is there for, and leaves alone what a correct screen draws.
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/text_fit_check.h"

namespace {

class TextFitCheckTest : public HeadlessTest {
protected:
    std::vector<AutomationDrawCall> calls;

    void Rect(float x, float y, float w, float h, int alpha = 255) {
        AutomationDrawCall call = {};
        call.kind = DRAW_RECT;
        call.x = x;
        call.y = y;
        call.w = w;
        call.h = h;
        call.fill = TS_Color{40, 40, 40, alpha};
        call.filled = true;
        call.mode = TS_MODE_CENTER;
        calls.push_back(call);
    }
    void Text(const std::string& text, float x, float y, float size = 25.0f,
              int alignH = TS_ALIGN_CENTER) {
        AutomationDrawCall call = {};
        call.kind = DRAW_TEXT;
        call.text = text;
        call.x = x;
        call.y = y;
        call.textSize = size;
        call.alignH = alignH;
        call.alignV = TS_ALIGN_MIDDLE;
        call.fill = TS_Color{255, 255, 255, 255};
        call.filled = true;
        calls.push_back(call);
    }
    std::vector<std::string> Check() { return TextFitCheck_Calls("test", calls, 1280.0f, 720.0f); }
    // Whether exactly one problem was found and it says `words`.
    ::testing::AssertionResult OneProblemSaying(const std::string& words) {
        const std::vector<std::string> problems = Check();
        if (problems.size() == 1 && problems[0].find(words) != std::string::npos) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << TextFitCheck_Report(problems);
    }
};

TEST_F(TextFitCheckTest, LabelsThatFitTheirButtonsPass) {
    Rect(640, 360, 150, 50);
    Text("Play", 640, 360);
    Rect(640, 420, 150, 50);
    Text("Options", 640, 420);
    EXPECT_EQ(Check(), std::vector<std::string>{});
}

TEST_F(TextFitCheckTest, ALabelWiderThanItsButtonLeavesIt) {
    Rect(640, 360, 150, 50);
    Text("A label far too long for it", 640, 360);
    EXPECT_TRUE(OneProblemSaying("test: 'A label far too long for it' leaves its box 150 x 50"));
}

TEST_F(TextFitCheckTest, TextPastTheWindowEdgeIsReported) {
    Text("Sound Effects Volume", 1200, 100, 40.0f, TS_ALIGN_LEFT);
    EXPECT_TRUE(OneProblemSaying("leaves the window by"));
    calls.clear();
    Text("Sound Effects Volume", 10, 100, 40.0f, TS_ALIGN_LEFT);
    EXPECT_EQ(Check(), std::vector<std::string>{});
}

TEST_F(TextFitCheckTest, TextRunUnderALaterBoxOrOverAnEarlierOneIsReported) {
    // A title centred on a bar with a button at its right: drawn before the
    // button, the button hides its end; drawn after, it covers the button.
    Rect(640, 25, 1280, 50);
    Text("/home/ann/levels/a/very/long/path/to/my_level.vexl", 640, 25, 20.0f);
    Rect(820, 25, 70, 50);
    EXPECT_TRUE(OneProblemSaying("runs under the box 70 x 50"));
    calls.clear();
    Rect(640, 25, 1280, 50);
    Rect(820, 25, 70, 50);
    Text("/home/ann/levels/a/very/long/path/to/my_level.vexl", 640, 25, 20.0f);
    EXPECT_TRUE(OneProblemSaying("reaches over the box 70 x 50"));
}

TEST_F(TextFitCheckTest, ADimOverTheWindowStartsALayerFreeToCoverWhatIsBelow) {
    Text("Level Select", 640, 360, 65.0f);
    Rect(640, 360, 1280, 720, 150);  // the dim under a popup
    Rect(640, 360, 500, 200);
    Text("Are you sure?", 640, 360, 17.0f);
    EXPECT_EQ(Check(), std::vector<std::string>{});
    // Without the dim the popup hides the title.
    calls.erase(calls.begin() + 1);
    EXPECT_TRUE(OneProblemSaying("'Level Select' runs under the box 500 x 200"));
}

TEST_F(TextFitCheckTest, TextsOnOneBoxMustNotOverlapButMayTouch) {
    Rect(640, 360, 500, 200);
    Text("Unsaved changes will be lost.", 640, 350, 17.0f);
    Text("Are you sure you want to continue?", 640, 367, 17.0f);  // the next line
    EXPECT_EQ(Check(), std::vector<std::string>{});
    Text("Are you sure?", 640, 349, 17.0f);
    EXPECT_TRUE(OneProblemSaying("'Are you sure?' overlaps 'Unsaved changes will be lost.'"));
}

TEST_F(TextFitCheckTest, ThinRectsAndInvisibleTextsAreNotJudged) {
    Rect(640, 360, 150, 50);
    Text("Name", 640, 360);
    Rect(645, 360, 2, 25);  // a caret over the text
    Text("", 0, 0);
    AutomationDrawCall hidden = calls[1];
    hidden.fill.a = 0;
    hidden.x = -500;
    calls.push_back(hidden);
    EXPECT_EQ(Check(), std::vector<std::string>{});
}

}  // namespace
