// Saving, opening and leaving the editor: the file chooser's answers, the
// overwrite and unsaved-changes questions, failed saves and opens, and the
// top bar's name.

#include <cerrno>
#include <cstring>

#include "app/safe_file.h"
#include "editor_fixture.h"
#include "ui/file_chooser.h"
#include "support/portable.h"

namespace {

class FilesTest : public EditorTest {
protected:
    void SaveAs(const std::string& path) {
        FileChooser_SetAutomationAnswer(path.c_str(), false);
        ClickButton(editor.saveButton);
        SaveAnyway();  // these levels have no goal
    }
    void OpenFile(const std::string& path) {
        FileChooser_SetAutomationAnswer(path.c_str(), false);
        ClickButton(editor.openButton);
    }
    void CancelChooserOn(const Button* button) {
        FileChooser_SetAutomationAnswer(nullptr, true);
        ClickButton(button);
        SaveAnyway();
    }
    std::string Title() const { return editor.titleText; }
};

const char* const kPlaceholderLevel =
    "/4\n.30.000000\n%150.000000\n^90.000000\n"
    "A,200.000000,150.000000,0.000000,50.000000,50.000000\n"
    "E,600.000000,-40.000000,0.000000,50.000000,50.000000\n"
    "T,0.000000,-120.000000,0.000000,280.000000,20.000000,Press $THRUST_KEY$ to fly\n";

TEST_F(FilesTest, SavingToANewNameWritesAtOnceAndShowsThePath) {
    DropItemAt(PALETTE_ASTEROID, 200, 100);
    ASSERT_TRUE(editor.dirty);
    const std::string path = TempDir() + "/first.vexl";
    SaveAs(path);
    ASSERT_TRUE(FileExists(path));
    EXPECT_EQ(ReadText(path),
              "/0\n.0.000000\n%100.000000\n^0.000000\n"
              "A,200.000000,100.000000,0.000000,50.000000,50.000000\n");
    EXPECT_TRUE(editor.resultPopup->open);
    EXPECT_STREQ(editor.resultPopup->title, "Level Saved Successfully");
    EXPECT_EQ(std::string(editor.resultPopup->message), path);
    EXPECT_EQ(Title(), path);
    EXPECT_FALSE(editor.dirty);
    Answer(editor.resultPopup, 0);
    EXPECT_FALSE(AnyPopupOpen());
}

TEST_F(FilesTest, SavingOverAnExistingFileAsksFirst) {
    const std::string path = TempDir() + "/old.vexl";
    WriteText(path, "old contents\n");
    DropItemAt(PALETTE_FUEL_CELL, 10, 10);

    SaveAs(path);
    EXPECT_TRUE(editor.overwritePopup->open);
    EXPECT_STREQ(editor.overwritePopup->message, "Do you want to overwrite it?");
    Answer(editor.overwritePopup, 1);  // "Cancel"
    EXPECT_EQ(ReadText(path), "old contents\n");
    EXPECT_FALSE(AnyPopupOpen());
    EXPECT_TRUE(editor.dirty);

    SaveAs(path);
    Answer(editor.overwritePopup, 0);  // "Ok"
    EXPECT_NE(ReadText(path).find("F,10.000000,10.000000"), std::string::npos);
    EXPECT_STREQ(editor.resultPopup->title, "Level Saved Successfully");
    EXPECT_FALSE(editor.dirty);
    EXPECT_EQ(Title(), path);
}

TEST_F(FilesTest, AFailedSaveSaysSoWithTheSystemsWordsAndKeepsTheOldFile) {
    const std::string path = TempDir() + "/keep.vexl";
    WriteText(path, "the old level\n");
    DropItemAt(PALETTE_ASTEROID, 0, 200);

    // The disk fills up while the new version is written.
    SafeFile_FailNextCommitForTests(ENOSPC);
    SaveAs(path);
    Answer(editor.overwritePopup, 0);
    EXPECT_TRUE(editor.resultPopup->open);
    EXPECT_STREQ(editor.resultPopup->title, "Save Failed");
    EXPECT_STREQ(editor.resultPopup->message, std::strerror(ENOSPC));
    EXPECT_EQ(ReadText(path), "the old level\n");
    EXPECT_TRUE(editor.dirty);
    EXPECT_EQ(Title(), "Unsaved Vexal Level.vexl");
    Answer(editor.resultPopup, 0);

    // A folder that does not exist.
    SaveAs(TempDir() + "/missing/level.vexl");
    EXPECT_STREQ(editor.resultPopup->title, "Save Failed");
    EXPECT_STREQ(editor.resultPopup->message, std::strerror(ENOENT));
    EXPECT_TRUE(editor.dirty);
}

TEST_F(FilesTest, CancellingTheSaveChooserOnlyResetsTheName) {
    const std::string path = TempDir() + "/named.vexl";
    SaveAs(path);
    Answer(editor.resultPopup, 0);
    ASSERT_EQ(Title(), path);
    DropItemAt(PALETTE_ASTEROID, 0, 200);

    CancelChooserOn(editor.saveButton);
    EXPECT_EQ(Title(), "Unsaved Vexal Level.vexl");
    EXPECT_EQ(std::string(editor.savePath), path);
    EXPECT_TRUE(editor.dirty);
    EXPECT_FALSE(AnyPopupOpen());
    EXPECT_EQ(ReadText(path), "/0\n.0.000000\n%100.000000\n^0.000000\n");
}

TEST_F(FilesTest, OpeningReadsTheFileWithItsPlaceholdersAndSavingKeepsThem) {
    const std::string path = TempDir() + "/placeholders.vexl";
    WriteText(path, kPlaceholderLevel);
    OpenFile(path);
    EXPECT_EQ(Title(), path);
    EXPECT_FALSE(editor.dirty);
    ASSERT_NE(Edited().objects[0], nullptr);
    EXPECT_EQ(Edited().objects[0]->kind, KIND_ASTEROID);
    ASSERT_NE(Edited().goal, nullptr);
    ASSERT_NE(Edited().texts[0], nullptr);
    EXPECT_STREQ(Edited().texts[0]->text, "Press $THRUST_KEY$ to fly");
    EXPECT_EQ(Edited().flags, 4u);

    const std::string copy = TempDir() + "/copy.vexl";
    SaveAs(copy);
    const std::string saved = ReadText(copy);
    EXPECT_NE(saved.find(",Press $THRUST_KEY$ to fly\n"), std::string::npos);
    const std::string header = "/4\n.30.000000\n%150.000000\n^90.000000\n";
    EXPECT_EQ(saved.substr(0, header.size()), header);
}

TEST_F(FilesTest, OpeningOverUnsavedChangesAsksFirst) {
    const std::string path = TempDir() + "/other.vexl";
    WriteText(path, kPlaceholderLevel);
    DropItemAt(PALETTE_FUEL_CELL, -300, 0);

    FileChooser_SetAutomationAnswer(path.c_str(), false);
    ClickButton(editor.openButton);
    EXPECT_TRUE(editor.unsavedPopup->open);
    Answer(editor.unsavedPopup, 1);  // "Let Me Save"
    EXPECT_FALSE(AnyPopupOpen());
    EXPECT_EQ(Edited().objects[0]->kind, KIND_FUEL_CELL);
    EXPECT_TRUE(editor.dirty);

    // "Lose Changes" shows the chooser; cancelling it keeps the level but
    // drops the badge, as the player chose to lose the changes.
    FileChooser_SetAutomationAnswer(nullptr, true);
    ClickButton(editor.openButton);
    Answer(editor.unsavedPopup, 0);
    EXPECT_EQ(Edited().objects[0]->kind, KIND_FUEL_CELL);
    EXPECT_FALSE(editor.dirty);
    DropItemAt(PALETTE_FUEL_CELL, -300, 100);
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));

    ClickButton(editor.openButton);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Answer(editor.unsavedPopup, 0);
    EXPECT_EQ(Edited().objects[0]->kind, KIND_ASTEROID);
    EXPECT_EQ(Title(), path);
    EXPECT_FALSE(editor.dirty);
}

TEST_F(FilesTest, AFileThatCannotBeOpenedKeepsTheLevelAndSaysWhichAndWhy) {
    const std::string path = TempDir() + "/good.vexl";
    WriteText(path, kPlaceholderLevel);
    OpenFile(path);
    const std::string before = TempDir() + "/before.vexl";
    SaveAs(before);
    Answer(editor.resultPopup, 0);
    ClickWorld(200, 150);
    void* const selected = editor.selection;
    ASSERT_NE(selected, nullptr);
    LevelObject* const asteroid = Edited().objects[0];

    struct Case {
        std::string path;
        const char* reason;
    };
    const std::string folder = TempDir() + "/a folder.vexl";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    for (const Case& c : {Case{folder, "Is a directory"},
                          Case{TempDir() + "/gone.vexl", "No such file or directory"}}) {
        OpenFile(c.path);
        EXPECT_EQ(Title(), before);
        EXPECT_EQ(Edited().objects[0], asteroid);
        EXPECT_EQ(CountObjects(), 1);
        EXPECT_NE(Edited().goal, nullptr);
        EXPECT_EQ(CountTexts(), 1);
        EXPECT_EQ(editor.selection, selected);
        EXPECT_FALSE(editor.dirty);
        ASSERT_TRUE(editor.resultPopup->open);
        EXPECT_STREQ(editor.resultPopup->title, "Open Failed");
        EXPECT_EQ(std::string(editor.resultPopup->message), c.path + "\n" + c.reason);
        Answer(editor.resultPopup, 0);
        EXPECT_FALSE(AnyPopupOpen());
    }

    // Saving afterwards writes the level that was kept, not an empty one.
    const std::string after = TempDir() + "/after.vexl";
    SaveAs(after);
    EXPECT_EQ(ReadText(after), ReadText(before));
    EXPECT_NE(ReadText(after).find("A,200.000000,150.000000"), std::string::npos);
}

TEST_F(FilesTest, LoseChangesThenAFileThatCannotBeOpenedKeepsTheChangesUnsaved) {
    DropItemAt(PALETTE_FUEL_CELL, -300, 0);
    FileChooser_SetAutomationAnswer((TempDir() + "/gone.vexl").c_str(), false);
    ClickButton(editor.openButton);
    Answer(editor.unsavedPopup, 0);  // "Lose Changes"
    EXPECT_STREQ(editor.resultPopup->title, "Open Failed");
    EXPECT_EQ(CountObjects(), 1);
    EXPECT_TRUE(editor.dirty);  // nothing was lost after all
    Answer(editor.resultPopup, 0);

    // So leaving still asks.
    ClickButton(editor.exitButton);
    EXPECT_TRUE(editor.unsavedPopup->open);
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
}

TEST_F(FilesTest, ALongPathInTheOpenFailureWrapsInsideThePopup) {
    std::string path = TempDir();
    while (path.size() < 200) path += "/a_rather_long_folder_name";
    path += "/the_level_that_is_not_there.vexl";
    ASSERT_LT(path.size(), static_cast<size_t>(LEVEL_PATH_SIZE));
    OpenFile(path);
    ASSERT_TRUE(editor.resultPopup->open);
    const std::string message = editor.resultPopup->message;
    EXPECT_NE(message.find("the_level_that_is_not_there.vexl\nNo such file or directory"),
              std::string::npos);

    Automation_RecordDraws(true);
    Automation_RunFrames(1);
    const Popup* popup = editor.resultPopup;
    int messageLines = 0;
    bool inPopup = false;  // the message follows the popup's title
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == "Open Failed") inPopup = true;
        if (!inPopup || call.kind != DRAW_TEXT || call.textSize != 17.0f) continue;
        ++messageLines;
        TS_Settings_TextSize(17.0f);
        const float half = TS_Font_TextWidth(call.text.c_str()) * 0.5f;
        EXPECT_GE(call.x - half, popup->position.x - popup->size.x * 0.5f) << call.text;
        EXPECT_LE(call.x + half, popup->position.x + popup->size.x * 0.5f) << call.text;
        // Between the title bar and the button.
        EXPECT_GT(call.y - 8.5f, popup->position.y - popup->size.y * 0.5f + 40.0f) << call.text;
        EXPECT_LT(call.y + 8.5f, popup->buttons[0]->position.y - 25.0f) << call.text;
    }
    EXPECT_GE(messageLines, 3);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("editor_open_failed.png").c_str()));
    Automation_RecordDraws(false);
}

TEST_F(FilesTest, ExitAndEscapeLeaveAtOnceWithoutChanges) {
    ClickButton(editor.exitButton);
    EXPECT_EQ(Screen_CurrentName(), std::string("MainMenu"));
    Screen_Switch(EditorScreen);
    Automation_RunFrames(1);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_EQ(Screen_CurrentName(), std::string("MainMenu"));
}

TEST_F(FilesTest, ExitAndEscapeAskBeforeLosingChanges) {
    DropItemAt(PALETTE_ASTEROID, 0, 200);
    for (bool byKey : {true, false}) {
        if (byKey) TapKey(TS_KEY_ESCAPE);
        else ClickButton(editor.exitButton);
        EXPECT_TRUE(editor.unsavedPopup->open);
        EXPECT_TRUE(editor.exitRequested);
        Answer(editor.unsavedPopup, 1);  // "Let Me Save"
        EXPECT_FALSE(editor.exitRequested);
        EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
        EXPECT_EQ(CountObjects(), 1);
    }
    TapKey(TS_KEY_ESCAPE);
    Answer(editor.unsavedPopup, 0);  // "Lose Changes"
    EXPECT_EQ(Screen_CurrentName(), std::string("MainMenu"));
}

TEST_F(FilesTest, WhileAPopupIsOpenTheEditorIgnoresKeysAndClicks) {
    Put(0, KIND_ASTEROID, 200, 0);
    TapKey(TS_KEY_F1);
    ASSERT_TRUE(editor.helpPopup->open);
    TapKey(TS_KEY_F5);
    // Escape answers the popup's lone "Ok", and never reaches the editor.
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(editor.helpPopup->open);
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
    TapKey(TS_KEY_F1);
    ASSERT_TRUE(editor.helpPopup->open);
    TapKey(TS_KEY_F3);
    HoldKey(TS_KEY_W, 10);
    HoldKey(TS_KEY_E, 10);
    DropItemAt(PALETTE_ASTEROID, -200, 0);
    ClickWorld(200, 0);
    TapKey(TS_KEY_DELETE);
    ClickButton(editor.exitButton);
    EXPECT_FALSE(editor.playMode);
    EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
    EXPECT_FALSE(editor.showColliders);
    EXPECT_FLOAT_EQ(editor.editorCamera.position.y, 0);
    EXPECT_FLOAT_EQ(editor.editorCamera.zoom, 1);
    EXPECT_EQ(CountObjects(), 1);
    EXPECT_EQ(editor.selection, nullptr);
    EXPECT_FALSE(editor.dirty);
    EXPECT_TRUE(editor.helpPopup->open);

    // The popup's own button takes the keyboard: select it, then Enter.
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_ENTER);
    EXPECT_FALSE(editor.helpPopup->open);
    TapKey(TS_KEY_F3);
    EXPECT_TRUE(editor.showColliders);
    ClickButton(editor.helpButton);
    EXPECT_TRUE(editor.helpPopup->open);
}

int escapeFrames = 0;
void PressEscapeInChooser(int frame) {
    escapeFrames = frame;
    if (frame == 2) Automation_KeyDown(TS_KEY_ESCAPE);
}

TEST_F(FilesTest, EscapeThatClosesTheChooserDoesNotAlsoLeaveTheEditor) {
    for (const Button* button : {editor.saveButton, editor.openButton}) {
        Automation_SetModalHook(PressEscapeInChooser);
        ClickButton(button);
        SaveAnyway();
        Automation_SetModalHook(nullptr);
        EXPECT_GE(escapeFrames, 2);  // the chooser really ran
        Automation_KeyUp(TS_KEY_ESCAPE);
        Automation_RunFrames(2);
        EXPECT_EQ(Screen_CurrentName(), std::string("Editor"));
        EXPECT_FALSE(AnyPopupOpen());
    }
}

}  // namespace
