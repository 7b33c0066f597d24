// The level file chooser: what a folder lists, moving between folders with
// the keyboard and the mouse, cancelling, saving under a new name, refusing
// paths that do not fit a level path, big folders and folders that are gone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "app/config.h"
#include "support/headless.h"
#include "ui/file_chooser.h"
#include "ui/folder_listing.h"
#include "support/portable.h"

namespace {

// What the test does at the start of given modal frames.
std::map<int, std::function<void()>> script;
int lastModalFrame = 0;

void RunScript(int frame) {
    lastModalFrame = frame;
    auto step = script.find(frame);
    if (step != script.end()) step->second();
    // A chooser that never finishes would hang the test: give up loudly.
    if (frame >= 3000 && frame % 2 == 0) {
        if (frame == 3000) ADD_FAILURE() << "the chooser never closed";
        Automation_KeyUp(TS_KEY_ESCAPE);
    } else if (frame > 3000) {
        Automation_KeyDown(TS_KEY_ESCAPE);
    }
}

class FileChooserTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        script.clear();
        lastModalFrame = 0;
        Automation_SetModalHook(RunScript);
        Automation_RecordDraws(true);
        levels_ = SaveFolder() + "levels/";
        MakeFolder(TempDir() + "/data/Orrinth");
        MakeFolder(SaveFolder());
        MakeFolder(levels_);
    }
    void TearDown() override {
        Automation_SetModalHook(nullptr);
        HeadlessTest::TearDown();
    }

    static void MakeFolder(const std::string& path) { mkdir(path.c_str(), 0755); }

    // Schedules a key tap: down at `frame`, up at the next one. Returns the
    // frame after that.
    static int Tap(int frame, int key) {
        script[frame] = [key] { Automation_KeyDown(key); };
        script[frame + 1] = [key] { Automation_KeyUp(key); };
        return frame + 2;
    }
    // Schedules typing, as a keyboard does: each character's key goes down
    // with its text. Returns the frame after the last.
    static int Type(int frame, const std::string& letters) {
        for (char c : letters) {
            const int key = KeyForCharacter(c);
            script[frame] = [key, c] {
                Automation_KeyDown(key);
                const char text[2] = {c, '\0'};
                Automation_TypeText(text);
            };
            script[frame + 1] = [key] { Automation_KeyUp(key); };
            frame += 2;
        }
        return frame;
    }
    // Clicks where the text was drawn in the previous frame (twice for a
    // double click).
    static int ClickText(int frame, const std::string& text, int clicks = 1) {
        for (int i = 0; i < clicks; ++i) {
            script[frame] = [text] {
                for (const AutomationDrawCall& call : Automation_DrawCalls()) {
                    if (call.kind == DRAW_TEXT && call.text == text) {
                        Automation_MouseMove(call.x + 10.0f, call.y);
                        Automation_MouseDown(TS_MOUSE_LEFT);
                        return;
                    }
                }
                ADD_FAILURE() << "no text \"" << text << "\" on screen";
            };
            script[frame + 1] = [] { Automation_MouseUp(TS_MOUSE_LEFT); };
            frame += 2;
        }
        return frame;
    }
    static bool Shows(const std::string& text) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_TEXT && call.text.find(text) != std::string::npos) return true;
        }
        return false;
    }

    std::string levels_;
};

// The fixture's key scripting, for helpers outside a test body.
struct FileChooserTestKeys : FileChooserTest {
    using FileChooserTest::Shows;
    using FileChooserTest::Tap;
    using FileChooserTest::Type;
};

TEST_F(FileChooserTest, ListsParentFoldersThenLevelFilesInAnyCase) {
    MakeFolder(levels_ + "zeta");
    MakeFolder(levels_ + "Alpha");
    WriteText(levels_ + "b.vexl", "");
    WriteText(levels_ + "A.VEXL", "");
    WriteText(levels_ + "c.VeXl", "");
    WriteText(levels_ + "notes.txt", "");
    WriteText(levels_ + "vexl", "");
    WriteText(levels_ + ".hidden.vexl", "");
    FolderListing listing;
    ASSERT_TRUE(FolderListing_Create(&listing));
    ASSERT_TRUE(FolderListing_Read(&listing, levels_.c_str()));
    const char* expected[] = {"..", "Alpha", "zeta", "A.VEXL", "b.vexl", "c.VeXl"};
    ASSERT_EQ(listing.count, 6);
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(listing.entries[i].name, expected[i]);
    EXPECT_TRUE(listing.entries[0].isParent);
    EXPECT_TRUE(listing.entries[2].isFolder);
    EXPECT_FALSE(listing.entries[3].isFolder);
    FolderListing_Free(&listing);

    char parent[FOLDER_PATH_SIZE];
    ASSERT_TRUE(Folder_Parent("/a/b/", parent, sizeof parent));
    EXPECT_STREQ(parent, "/a/");
    ASSERT_TRUE(Folder_Parent("/a/", parent, sizeof parent));
    EXPECT_STREQ(parent, "/");
    EXPECT_FALSE(Folder_Parent("/", parent, sizeof parent));
    EXPECT_FALSE(Folder_Parent("./", parent, sizeof parent));
}

TEST_F(FileChooserTest, StartsInTheLevelsFolderCreatingIt) {
    TestFolder_Remove(levels_);
    Tap(3, TS_KEY_ESCAPE);
    char path[LEVEL_PATH_SIZE] = "untouched";
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "untouched");
    EXPECT_TRUE(FileExists(levels_));
    EXPECT_TRUE(Shows("Open Level"));
    EXPECT_TRUE(Shows(levels_));
}

TEST_F(FileChooserTest, KeyboardWalksIntoFoldersAndBackAndOpensAFile) {
    MakeFolder(levels_ + "pack");
    WriteText(levels_ + "pack/inner.vexl", "");
    WriteText(levels_ + "one.vexl", "");
    WriteText(levels_ + "two.vexl", "");
    // "pack" is highlighted first: Enter goes in, Backspace comes back with
    // "pack" highlighted, the turn-right key of the scheme moves down twice.
    userConfig.controlScheme = 0;  // WAD
    int frame = Tap(2, TS_KEY_ENTER);
    script[frame] = [] { EXPECT_TRUE(Shows("inner.vexl")); };
    frame = Tap(frame + 1, TS_KEY_BACKSPACE);
    frame = Tap(frame, TS_KEY_DOWN);
    frame = Tap(frame, TS_KEY_D);
    frame = Tap(frame, TS_KEY_A);  // back up to one.vexl
    Tap(frame, TS_KEY_W);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "one.vexl");
}

TEST_F(FileChooserTest, EnterOnAFolderOpensItAndSpaceChoosesAFile) {
    MakeFolder(levels_ + "pack");
    WriteText(levels_ + "pack/inner.vexl", "");
    int frame = Tap(2, TS_KEY_ENTER);
    Tap(frame, TS_KEY_SPACE);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "pack/inner.vexl");
}

TEST_F(FileChooserTest, APadWalksTheListOpensAFileAndBCancels) {
    MakeFolder(levels_ + "pack");
    WriteText(levels_ + "pack/inner.vexl", "");
    WriteText(levels_ + "one.vexl", "");
    ASSERT_TRUE(Automation_AttachVirtualPad());
    Automation_RunFrames(1);
    const auto tapPad = [](int frame, int button) {
        script[frame] = [button] { Automation_SetPadButton(button, true); };
        script[frame + 1] = [button] { Automation_SetPadButton(button, false); };
        return frame + 2;
    };
    // "pack" first; down to one.vexl and up again, A goes in, A opens.
    int frame = tapPad(2, TS_PAD_DOWN);
    frame = tapPad(frame, TS_PAD_UP);
    frame = tapPad(frame, TS_PAD_A);
    script[frame] = [] { EXPECT_TRUE(Shows("inner.vexl")); };
    tapPad(frame + 1, TS_PAD_A);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "pack/inner.vexl");

    script.clear();
    Automation_SetModalHook(RunScript);  // counts modal frames from 0 again
    tapPad(2, TS_PAD_B);
    path[0] = '\0';
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_LT(lastModalFrame, 10);
}

TEST_F(FileChooserTest, EscapeAndCancelLeaveTheDestinationAlone) {
    WriteText(levels_ + "one.vexl", "");
    Tap(2, TS_KEY_DOWN);
    Tap(5, TS_KEY_ESCAPE);
    char path[LEVEL_PATH_SIZE] = "kept";
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "kept");

    script.clear();
    Automation_SetModalHook(RunScript);
    ClickText(2, "Cancel");
    EXPECT_FALSE(ChooseSaveLevelFile(path));
    EXPECT_STREQ(path, "kept");
}

TEST_F(FileChooserTest, DoubleClickOpensAndSingleClickOnlyHighlights) {
    WriteText(levels_ + "one.vexl", "");
    WriteText(levels_ + "two.vexl", "");
    int frame = ClickText(2, "two.vexl");
    script[frame] = [] { Automation_MouseMove(5, 5); };
    frame = ClickText(frame + 30, "one.vexl", 2);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "one.vexl");
}

TEST_F(FileChooserTest, HomeShortcutAndTheOpenButton) {
    const std::string home = TempDir() + "/home";
    MakeFolder(home);
    WriteText(home + "/at-home.vexl", "");
#ifdef _WIN32
    const char* const kHome = "USERPROFILE";  // where Windows keeps the player's home
#else
    const char* const kHome = "HOME";
#endif
    const char* oldHome = std::getenv(kHome);
    const std::string savedHome = oldHome ? oldHome : "";
    setenv(kHome, home.c_str(), 1);
    int frame = ClickText(2, "Home");
    frame = ClickText(frame + 2, "at-home.vexl");
    ClickText(frame + 2, "Open");
    char path[LEVEL_PATH_SIZE] = "";
    const bool chosen = ChooseLevelFile(path);
    setenv(kHome, savedHome.c_str(), 1);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(std::string(path), home + "/at-home.vexl");
}

TEST_F(FileChooserTest, SavingTakesANewNameAndAddsTheExtension) {
    WriteText(levels_ + "old.vexl", "");
    int frame = Type(2, "my-level2");
    Tap(frame, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseSaveLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "my-level2.vexl");
    EXPECT_FALSE(FileExists(path));  // writing is the caller's business
}

TEST_F(FileChooserTest, SavingOverAnExistingLevelKeepsItsName) {
    WriteText(levels_ + "old.vexl", "");
    int frame = ClickText(2, "old.vexl");
    script[frame] = [] { EXPECT_TRUE(Shows("old.vexl")); };
    Tap(frame + 1, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseSaveLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "old.vexl");
}

TEST_F(FileChooserTest, SavingWithoutANameAsksForOne) {
    int frame = Tap(2, TS_KEY_ENTER);
    script[frame] = [] { EXPECT_TRUE(Shows("Type a name")); };
    Tap(frame + 1, TS_KEY_ESCAPE);
    char path[LEVEL_PATH_SIZE] = "";
    EXPECT_FALSE(ChooseSaveLevelFile(path));
}

TEST_F(FileChooserTest, APathOfTwoHundredSixtyCharactersIsRefusedNotCut) {
    // The name that makes folder + name + ".vexl" exactly 259 characters fits;
    // one more letter does not.
    const size_t fits = 259 - levels_.size() - 5;
    const std::string name(fits + 1, 'q');
    int frame = Type(2, name);
    frame = Tap(frame, TS_KEY_ENTER);
    script[frame] = [] { EXPECT_TRUE(Shows("too long")); };
    frame = Tap(frame + 1, TS_KEY_BACKSPACE);
    Tap(frame, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseSaveLevelFile(path));
    EXPECT_EQ(std::strlen(path), 259u);
    EXPECT_EQ(std::string(path), levels_ + std::string(fits, 'q') + ".vexl");
}

TEST_F(FileChooserTest, OpeningAFileBeyondTheLimitShowsTheMessage) {
    SKIP_ON_WINDOWS("the test cannot make a path past 260 characters with the C library");
    const std::string deep = std::string(70, 'd');
    std::string folder = levels_;
    for (int i = 0; i < 3; ++i) {
        folder += deep + "/";
        MakeFolder(folder);
    }
    WriteText(folder + "far.vexl", "");
    ASSERT_GT(folder.size() + 8, 259u);
    int frame = 2;
    for (int i = 0; i < 3; ++i) frame = Tap(frame, TS_KEY_ENTER);
    frame = Tap(frame, TS_KEY_ENTER);  // far.vexl: refused
    script[frame] = [] { EXPECT_TRUE(Shows("too long")); };
    Tap(frame + 1, TS_KEY_ESCAPE);
    char path[LEVEL_PATH_SIZE] = "kept";
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "kept");
}

TEST_F(FileChooserTest, ManyEntriesScrollWithTheSelection) {
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level%02d.vexl", i);
        WriteText(levels_ + name, "");
    }
    int frame = 2;
    script[frame++] = [] { EXPECT_FALSE(Shows("level39.vexl")); };
    for (int i = 0; i < 39; ++i) frame = Tap(frame, TS_KEY_DOWN);
    script[frame] = [] { EXPECT_TRUE(Shows("level39.vexl")); };
    Tap(frame + 1, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "level39.vexl");
}

TEST_F(FileChooserTest, FifteenHundredLevelsAreAllListedAndTheLastCanBeChosen) {
    // Written from both ends towards the middle, so the folder's own order
    // is neither the names' nor their reverse.
    for (int low = 1, high = 1500; low <= high; ++low, --high) {
        WriteText(levels_ + "level_" + std::to_string(high) + ".vexl", "");
        WriteText(levels_ + "level_" + std::to_string(low) + ".vexl", "");
    }
    FolderListing listing;
    ASSERT_TRUE(FolderListing_Create(&listing));
    ASSERT_TRUE(FolderListing_Read(&listing, levels_.c_str()));
    EXPECT_FALSE(listing.truncated);
    ASSERT_EQ(listing.count, 1501);
    for (int i = 1; i <= 1500; ++i) {
        const std::string expected = "level_" + std::to_string(i) + ".vexl";
        if (expected != listing.entries[i].name) {
            ADD_FAILURE() << "entry " << i << " is " << listing.entries[i].name;
            break;
        }
    }
    FolderListing_Free(&listing);

    // level_1 is highlighted first; Down and Right take turns, so every frame
    // brings a fresh press, and the last press runs into the end of the list.
    int frame = 2;
    for (int step = 0; step < 1500; ++step, ++frame) {
        const int key = step % 2 ? TS_KEY_RIGHT : TS_KEY_DOWN;
        const int other = step % 2 ? TS_KEY_DOWN : TS_KEY_RIGHT;
        script[frame] = [key, other] {
            Automation_KeyUp(other);
            Automation_KeyDown(key);
        };
    }
    script[frame] = [] {
        Automation_KeyUp(TS_KEY_DOWN);
        Automation_KeyUp(TS_KEY_RIGHT);
    };
    script[frame + 1] = [] {
        EXPECT_TRUE(Shows("level_1500.vexl"));
        EXPECT_TRUE(Shows("level_1499.vexl"));
        EXPECT_FALSE(Shows("level_2.vexl"));
        EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("chooser_1500_levels_end.png").c_str()));
    };
    Tap(frame + 2, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "level_1500.vexl");
}

TEST_F(FileChooserTest, AFolderThatVanishedSaysSoAndTheWayUpStillWorks) {
    MakeFolder(levels_ + "gone");
    WriteText(levels_ + "kept.vexl", "");
    // "gone" is highlighted first; it disappears before Enter is pressed.
    script[2] = [this] { rmdir((levels_ + "gone").c_str()); };
    int frame = Tap(3, TS_KEY_ENTER);
    script[frame] = [] {
        EXPECT_TRUE(Shows("That folder cannot be opened."));
        EXPECT_FALSE(Shows("No levels or folders here."));
        EXPECT_TRUE(Shows("gone/"));  // the folder line says where we are
        const std::string picture = ScreenshotPath("chooser_folder_cannot_be_opened.png");
        EXPECT_TRUE(Automation_SaveFrame(picture.c_str()));
    };
    // ".." is the one entry and highlighted: Enter goes back up.
    frame = Tap(frame + 1, TS_KEY_ENTER);
    script[frame] = [this] {
        EXPECT_TRUE(Shows("kept.vexl"));
        EXPECT_FALSE(Shows("cannot be opened"));
        MakeFolder(levels_ + "gone");
    };
    // Once more, leaving by the Parent Folder button this time.
    frame = ClickText(frame + 1, "My Levels");
    script[frame] = [this] { rmdir((levels_ + "gone").c_str()); };
    frame = Tap(frame + 1, TS_KEY_ENTER);
    script[frame] = [] { EXPECT_TRUE(Shows("That folder cannot be opened.")); };
    frame = ClickText(frame + 1, "Parent Folder");
    script[frame] = [] { EXPECT_TRUE(Shows("kept.vexl")); };
    Tap(frame + 1, TS_KEY_ESCAPE);
    char path[LEVEL_PATH_SIZE] = "kept";
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "kept");
}

TEST_F(FileChooserTest, SavingIntoAVanishedFolderIsRefusedAndCancelStillWorks) {
    MakeFolder(levels_ + "gone");
    // Saving starts with nothing highlighted: ".." first, then "gone".
    int frame = Tap(2, TS_KEY_DOWN);
    frame = Tap(frame, TS_KEY_DOWN);
    script[frame] = [this] { rmdir((levels_ + "gone").c_str()); };
    frame = Tap(frame + 1, TS_KEY_ENTER);
    frame = Type(frame, "x");
    frame = Tap(frame, TS_KEY_ENTER);
    script[frame] = [] {
        EXPECT_TRUE(Shows("That folder cannot be opened."));
        EXPECT_TRUE(Shows("save the level in another one"));
    };
    ClickText(frame + 1, "Cancel");
    char path[LEVEL_PATH_SIZE] = "kept";
    EXPECT_FALSE(ChooseSaveLevelFile(path));
    EXPECT_STREQ(path, "kept");
}

TEST_F(FileChooserTest, WorksInAFullscreenWindow) {
    TS_System_Fullscreen();
    WriteText(levels_ + "wide.vexl", "");
    ClickText(2, "wide.vexl", 2);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "wide.vexl");
    bool panelWide = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_RECT && call.w == 1000.0f && call.x == 140.0f) panelWide = true;
    }
    // Centred in the 1280 layout units full screen on the 1920 x 1080 display is.
    EXPECT_TRUE(panelWide);
}

TEST_F(FileChooserTest, AutomationAnswerSkipsTheDialogOnce) {
    char path[LEVEL_PATH_SIZE] = "";
    FileChooser_SetAutomationAnswer("./Assets/levels/x.vexl", false);
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "./Assets/levels/x.vexl");
    EXPECT_EQ(lastModalFrame, 0);
    FileChooser_SetAutomationAnswer(nullptr, true);
    EXPECT_FALSE(ChooseSaveLevelFile(path));
    FileChooser_SetAutomationAnswer(std::string(300, 'x').c_str(), false);
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "./Assets/levels/x.vexl");
}

// Keyboard only: Tab walks the list, the name field (saving) and every
// button; Enter or Space presses the button it is on.
TEST_F(FileChooserTest, TheKeyboardAloneReachesTheShippedLevelsAndOpensOne) {
    int frame = 2;
    for (int i = 0; i < 4; ++i) frame = Tap(frame, TS_KEY_TAB);  // Open, Cancel, My, Shipped
    frame = Tap(frame, TS_KEY_ENTER);
    script[frame++] = [] { EXPECT_TRUE(Shows("level_13.vexl")); };
    // Home, Parent Folder, the two scroll buttons, and round to the list.
    for (int i = 0; i < 5; ++i) frame = Tap(frame, TS_KEY_TAB);
    frame = Tap(frame, TS_KEY_DOWN);
    Tap(frame, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), "./Assets/levels/level_2.vexl");
}

TEST_F(FileChooserTest, ShiftTabGoesBackToMyLevelsAndCancelFromTheKeyboard) {
    WriteText(levels_ + "mine.vexl", "");
    int frame = 2;
    for (int i = 0; i < 4; ++i) frame = Tap(frame, TS_KEY_TAB);
    frame = Tap(frame, TS_KEY_SPACE);  // Shipped Levels
    script[frame++] = [] { EXPECT_FALSE(Shows("mine.vexl")); };
    script[frame++] = [] { Automation_KeyDown(TS_KEY_LEFT_SHIFT); };
    frame = Tap(frame, TS_KEY_TAB);  // My Levels
    frame = Tap(frame, TS_KEY_ENTER);
    frame = Tap(frame, TS_KEY_TAB);  // Cancel
    script[frame++] = [] { Automation_KeyUp(TS_KEY_LEFT_SHIFT); };
    script[frame++] = [] { EXPECT_TRUE(Shows("mine.vexl")); };
    Tap(frame, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "untouched";
    EXPECT_FALSE(ChooseLevelFile(path));
    EXPECT_STREQ(path, "untouched");
    EXPECT_LT(lastModalFrame, 100);  // closed by Cancel, not by the test's time limit
}

TEST_F(FileChooserTest, TheWheelScrollsTheListWithoutMovingTheHighlight) {
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level%02d.vexl", i);
        WriteText(levels_ + name, "");
    }
    script[2] = [] { Automation_MouseWheel(-2); };  // towards the player: down the list
    script[4] = [] {
        EXPECT_FALSE(Shows("level00.vexl"));
        EXPECT_FALSE(Shows("level39.vexl"));
        Automation_MouseWheel(-100);
    };
    script[6] = [] {
        EXPECT_TRUE(Shows("level39.vexl"));
        Automation_MouseWheel(100);
    };
    script[8] = [] { EXPECT_TRUE(Shows("level00.vexl")); };
    Tap(9, TS_KEY_ENTER);  // the highlight stayed on the first level
    char path[LEVEL_PATH_SIZE] = "";
    ASSERT_TRUE(ChooseLevelFile(path));
    EXPECT_EQ(std::string(path), levels_ + "level00.vexl");
}

// Saving: typing goes to the name while the keyboard is in the list, and
// moving the highlight with the arrows keeps it; Enter on a level in the
// list takes its name, and only the next Enter saves. In the name field,
// Enter saves the name shown.
std::string SaveAfterTypingAndMovingDown(bool chooseInTheList) {
    script.clear();
    int frame = FileChooserTestKeys::Type(2, "fresh");
    frame = FileChooserTestKeys::Tap(frame, TS_KEY_DOWN);
    frame = FileChooserTestKeys::Tap(frame, TS_KEY_DOWN);  // on old.vexl
    script[frame++] = [] { EXPECT_TRUE(FileChooserTestKeys::Shows("fresh")); };
    if (chooseInTheList) {
        frame = FileChooserTestKeys::Tap(frame, TS_KEY_ENTER);
        script[frame++] = [] { EXPECT_FALSE(FileChooserTestKeys::Shows("fresh")); };
    } else {
        frame = FileChooserTestKeys::Tap(frame, TS_KEY_TAB);  // to the name field
    }
    FileChooserTestKeys::Tap(frame, TS_KEY_ENTER);
    char path[LEVEL_PATH_SIZE] = "";
    if (!ChooseSaveLevelFile(path)) return "(cancelled)";
    return path;
}

TEST_F(FileChooserTest, ArrowsKeepTheTypedNameWhenSaving) {
    WriteText(levels_ + "old.vexl", "");
    EXPECT_EQ(SaveAfterTypingAndMovingDown(false), levels_ + "fresh.vexl");
}

TEST_F(FileChooserTest, EnterOnALevelInTheSaveListTakesItsNameThenSaves) {
    WriteText(levels_ + "old.vexl", "");
    EXPECT_EQ(SaveAfterTypingAndMovingDown(true), levels_ + "old.vexl");
}

}  // namespace
