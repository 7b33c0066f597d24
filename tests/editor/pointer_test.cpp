// The editor's view under the pointer: the wheel zooms about the point under
// it, Q and E zoom at the same pace at any frame rate, and the title bar
// shortens a long path in the middle, clear of the buttons.

#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "support/portable.h"

namespace {

class PointerTest : public EditorTest {};

TS_Vec2 WorldUnderPointer() {
    return TS_Vector_MatrixMultiply(editor.editorCamera.screenToWorld,
                                    TS_Vec2{TS_Input_GetMouseX(), TS_Input_GetMouseY()});
}

TEST_F(PointerTest, TheWheelZoomsAboutThePointOfTheLevelUnderThePointer) {
    Automation_MouseMove(1000, 200);
    Automation_RunFrames(1);
    const TS_Vec2 under = WorldUnderPointer();
    Automation_MouseWheel(1);
    Automation_RunFrames(1);
    EXPECT_NEAR(editor.editorCamera.zoom, 1.15f, 1e-5f);
    TS_Vec2 now = WorldUnderPointer();
    EXPECT_NEAR(now.x, under.x, 0.01f);
    EXPECT_NEAR(now.y, under.y, 0.01f);
    // Two notches back out, somewhere else.
    Automation_MouseMove(300, 600);
    Automation_RunFrames(1);
    const TS_Vec2 other = WorldUnderPointer();
    Automation_MouseWheel(-2);
    Automation_RunFrames(1);
    EXPECT_NEAR(editor.editorCamera.zoom, 1.0f / 1.15f, 1e-5f);
    now = WorldUnderPointer();
    EXPECT_NEAR(now.x, other.x, 0.01f);
    EXPECT_NEAR(now.y, other.y, 0.01f);
    // Never further out than the smallest zoom.
    for (int i = 0; i < 40; ++i) Automation_MouseWheel(-1);
    Automation_RunFrames(1);
    EXPECT_FLOAT_EQ(editor.editorCamera.zoom, 0.1f);
}

TEST_F(PointerTest, QAndEZoomAtTheSamePaceAtAnyFrameRate) {
    for (int rate : {30, 60, 144}) {
        Automation_SetFrameTime(1.0f / static_cast<float>(rate));
        TapKey(TS_KEY_R);
        HoldKey(TS_KEY_E, rate);  // a second
        EXPECT_NEAR(editor.editorCamera.zoom, 2.0f, 0.001f) << rate;
        HoldKey(TS_KEY_Q, rate * 2);
        EXPECT_NEAR(editor.editorCamera.zoom, 0.5f, 0.001f) << rate;
    }
    Automation_SetFrameTime(1.0f / 60.0f);
}

// The title as drawn this frame, and how wide it is.
std::string DrawnTitle(float* width) {
    Automation_RecordDraws(true);
    Automation_RunFrames(1);
    std::string title;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.y == 25.0f && call.textSize == 20.0f &&
            call.text.find("vexl") != std::string::npos) {
            title = call.text;
        }
    }
    Automation_RecordDraws(false);
    TS_Settings_TextSize(20.0f);
    *width = TS_Font_TextWidth(title.c_str());
    return title;
}

TEST_F(PointerTest, ALongPathIsShortenedInTheMiddleClearOfTheButtons) {
    Put(0, KIND_GOAL, 0, 500);
    std::string folder = TempDir();
    for (int i = 0; i < 6; ++i) {
        folder += "/a folder with a rather long name " + std::to_string(i);
        mkdir(folder.c_str(), 0755);
    }
    const std::string path = folder + "/the level at the end.vexl";
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.saveButton);
    Answer(editor.resultPopup, 0);
    ASSERT_EQ(std::string(editor.titleText), path);

    for (int width : {1280, 900}) {
        TS_System_SetWindowSize(width, 720);
        Editor_Layout();
        Automation_RunFrames(1);
        float drawn = 0.0f;
        const std::string title = DrawnTitle(&drawn);
        ASSERT_FALSE(title.empty()) << width;
        const size_t dots = title.find("\u2026");
        ASSERT_NE(dots, std::string::npos) << title << " " << drawn;
        // The start of the path and the file's name both show.
        EXPECT_EQ(path.compare(0, dots, title, 0, dots), 0) << title;
        const std::string tail = title.substr(dots + 3);
        EXPECT_EQ(path.compare(path.size() - tail.size(), tail.size(), tail), 0) << title;
        // With room for it, the file's name is whole.
        if (width == 1280) {
            EXPECT_EQ(tail, "/the level at the end.vexl") << title;
        }
        // Between the Level button and the Play button.
        const float centre = static_cast<float>(TS_System_GetWindowWidth()) * 0.5f;
        EXPECT_GE(centre - drawn * 0.5f, editor.levelButton->position.x + 35.0f) << width;
        EXPECT_LE(centre + drawn * 0.5f, editor.playButton->position.x - 35.0f) << width;
    }
    TS_System_SetWindowSize(1280, 720);
    Editor_Layout();
}

}  // namespace
