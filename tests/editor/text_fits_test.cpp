// The editor's texts inside their room: a long path in the title bar ends
// before the buttons, and its questions' messages stay inside their popups.
#include <cstdio>
#include <string>

#include "app/window.h"
#include "editor_fixture.h"
#include "support/text_fit_check.h"
#include "ui/popup.h"

namespace {

class EditorTextFitsTest : public EditorTest {
protected:
    static std::string LongPath() {
        std::string path = "/home/ann";
        for (int i = 0; i < 12; ++i) path += "/nested_folder_" + std::to_string(i);
        return path + "/my_level.vexl";
    }
    static std::string CheckFrame(const char* stop) {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        TextFitCheck_SaveFrame(stop);
        return TextFitCheck_Report(TextFitCheck_Frame(stop));
    }
    static std::string DrawnTitle() {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.y == 25.0f && call.textSize == 20.0f) {
                return call.text;
            }
        }
        return "";
    }
};

TEST_F(EditorTextFitsTest, ALongPathEndsBeforeTheButtonsAndKeepsItsEnds) {
    for (const int width : {1280, 1920, 800}) {
        TS_System_SetWindowSize(width, width * 9 / 16);
        if (LayoutHook) LayoutHook();  // as a resized window does
        std::snprintf(editor.titleText, sizeof editor.titleText, "%s", LongPath().c_str());
        EXPECT_EQ(CheckFrame("editor"), "") << width;
        if (width < 1280) continue;  // room for a few characters only
        const std::string shown = DrawnTitle();
        ASSERT_GT(shown.size(), 20u) << shown;
        EXPECT_EQ(shown.rfind("/home/", 0), 0u) << shown;
        EXPECT_NE(shown.find("\xE2\x80\xA6"), std::string::npos) << shown;
        EXPECT_EQ(shown.substr(shown.size() - 14), "/my_level.vexl") << shown;
    }
}

TEST_F(EditorTextFitsTest, ALongPathWithTheUnsavedBadgeFits) {
    std::snprintf(editor.titleText, sizeof editor.titleText, "%s", LongPath().c_str());
    editor.dirty = true;
    EXPECT_EQ(CheckFrame("editor, unsaved"), "");
}

TEST_F(EditorTextFitsTest, TheUnsavedChangesQuestionWrapsInsideItsPopup) {
    Popup_Open(editor.unsavedPopup);
    EXPECT_EQ(CheckFrame("unsaved changes"), "");
    // Drawn as it is written, the question spills out of both sides.
    Popup* popup = editor.unsavedPopup;
    char* wrapped = popup->shownMessage;
    popup->shownMessage = nullptr;
    EXPECT_NE(CheckFrame("unsaved changes as written").find("leaves its box 500 x 200"),
              std::string::npos);
    popup->shownMessage = wrapped;
}

TEST_F(EditorTextFitsTest, EveryEditorPopupFits) {
    Popup* const popups[] = {editor.overwritePopup, editor.helpPopup, editor.runPopup,
                             editor.strandedPopup, editor.saveWarningPopup};
    for (Popup* popup : popups) {
        ASSERT_NE(popup, nullptr);
        Popup_Open(popup);
        EXPECT_EQ(CheckFrame(popup->title), "");
        popup->open = false;
    }
}

}  // namespace
