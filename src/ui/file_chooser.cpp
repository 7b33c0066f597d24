// The file chooser's loop, its folder moves and its answers to the mouse and
// the keyboard.
#include "ui/file_chooser.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/config.h"
#include "app/controls.h"
#include "app/window.h"
#include "platform/automation.h"
#include "platform/native.h"
#include "platform/tessera.h"
#include "ui/file_chooser_state.h"
#include "ui/text_entry.h"

ChooserState chooser;

namespace {

const float kDoubleClickSeconds = 0.4f;
const int kWheelRows = 3;  // rows one notch of the mouse wheel scrolls
const char* const kShippedLevels = "./Assets/levels/";
const char* const kTooLong = "Path too long: a level's path can have at most 259 characters.";

bool chooserActive = false;
bool answerPending = false;
bool answerCancel = false;
char answerPath[FOLDER_PATH_SIZE] = "";

// Built anew each time: the save folder is the player's and may move between runs.
char levelsFolder[SAVE_PATH_SIZE] = "";

void SetMessage(const char* text) {
    std::snprintf(chooser.message, sizeof chooser.message, "%s", text);
}

// Keeps the highlighted entry among the rows that are shown.
void ScrollToSelection(void) {
    const int rows = chooser.layout.visibleRows > 0 ? chooser.layout.visibleRows : 1;
    if (chooser.selected < 0) return;
    if (chooser.selected < chooser.firstRow) chooser.firstRow = chooser.selected;
    if (chooser.selected >= chooser.firstRow + rows) chooser.firstRow = chooser.selected - rows + 1;
}

void ClampScroll(void) {
    const int rows = chooser.layout.visibleRows > 0 ? chooser.layout.visibleRows : 1;
    const int last = chooser.listing.count - rows;
    if (chooser.firstRow > last) chooser.firstRow = last;
    if (chooser.firstRow < 0) chooser.firstRow = 0;
}

// Opening a level starts with the first real entry highlighted, so Enter
// works at once; saving starts with none, so Enter saves the typed name.
void SelectDefault(void) {
    chooser.selected = -1;
    if (chooser.saving) return;
    for (int i = 0; i < chooser.listing.count; ++i) {
        if (!chooser.listing.entries[i].isParent) {
            chooser.selected = i;
            return;
        }
    }
    if (chooser.listing.count > 0) chooser.selected = 0;
}

// Moves to `folder`; true when its entries could be read. A folder that
// cannot be read is still entered, and says so where its entries would be,
// so the player sees why the list is empty and can go up or elsewhere.
bool GoTo(const char* folder) {
    const bool read = FolderListing_Read(&chooser.listing, folder);
    if (!read && std::strcmp(chooser.listing.folder, folder) != 0) {
        SetMessage("That folder cannot be opened.");  // no usable path: we stay
        return false;
    }
    chooser.message[0] = '\0';
    if (chooser.listing.truncated) {
        const bool up = chooser.listing.count > 0 && chooser.listing.entries[0].isParent;
        const int shown = chooser.listing.count - (up ? 1 : 0);
        std::snprintf(chooser.message, sizeof chooser.message,
                      "Only the first %d entries of this folder, by name, are shown.", shown);
    }
    chooser.firstRow = 0;
    chooser.hovered = -1;
    chooser.lastClickRow = -1;
    chooser.shownPathWidth = -1.0f;
    SelectDefault();
    return read;
}

void GoToParent(void) {
    char parent[FOLDER_PATH_SIZE];
    if (!Folder_Parent(chooser.listing.folder, parent, sizeof parent)) return;
    size_t childLength = 0;
    const char* child = Folder_LastName(chooser.listing.folder, &childLength);
    char childName[FOLDER_NAME_SIZE] = "";
    if (childLength < sizeof childName) {
        std::memcpy(childName, child, childLength);
        childName[childLength] = '\0';
    }
    if (!GoTo(parent)) return;
    // Coming back up, the folder we left is highlighted.
    for (int i = 0; i < chooser.listing.count; ++i) {
        if (std::strcmp(chooser.listing.entries[i].name, childName) == 0) {
            chooser.selected = i;
            ScrollToSelection();
            break;
        }
    }
}

void EnterFolder(const FolderEntry& entry) {
    if (entry.isParent) {
        GoToParent();
        return;
    }
    char folder[FOLDER_PATH_SIZE];
    const int written =
        std::snprintf(folder, sizeof folder, "%s%s/", chooser.listing.folder, entry.name);
    if (written < 0 || static_cast<size_t>(written) >= sizeof folder) {
        SetMessage("That folder lies too deep to be opened here.");
        return;
    }
    GoTo(folder);
}

bool EnsureLevelsFolder(void) {
    SavePath path = {{0}, false};
    if (!SavePath_Ensure(&path, "levels/")) return false;
    std::memcpy(levelsFolder, path.path, sizeof levelsFolder);
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::u8path(levelsFolder);
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

void GoToMyLevels(void) {
    if (!EnsureLevelsFolder()) {
        SetMessage("Your levels folder cannot be opened.");
        return;
    }
    GoTo(levelsFolder);
}

void GoToHome(void) {
    const char* home = Native_HomeFolder();
    char folder[FOLDER_PATH_SIZE];
    const bool slash = home && *home && home[std::strlen(home) - 1] == '/';
    const int written = std::snprintf(folder, sizeof folder, "%s%s", home && *home ? home : "/",
                                      slash || !home || !*home ? "" : "/");
    if (written < 0 || static_cast<size_t>(written) >= sizeof folder) return;
    GoTo(folder);
}

// Finishes with folder + name (+ ".vexl"), or refuses a path that does not
// fit: it is never cut short.
void Confirm(const char* name, bool addExtension) {
    const char* extension = addExtension && !IsLevelFileName(name) ? ".vexl" : "";
    const size_t length =
        std::strlen(chooser.listing.folder) + std::strlen(name) + std::strlen(extension);
    if (length > LEVEL_PATH_SIZE - 1) {
        SetMessage(kTooLong);
        return;
    }
    // Measured above, so the three parts fit.
    chooser.result[0] = '\0';
    std::strcat(chooser.result, chooser.listing.folder);
    std::strcat(chooser.result, name);
    std::strcat(chooser.result, extension);
    chooser.confirmed = true;
    chooser.finished = true;
}

void Select(int index, bool chosen);

// `fromList`: Enter in the list, rather than Save, Open or the name field.
void Activate(bool fromList) {
    const int index = chooser.selected;
    if (index >= 0 && index < chooser.listing.count) {
        const FolderEntry& entry = chooser.listing.entries[index];
        if (entry.isFolder) {
            EnterFolder(entry);
            return;
        }
        if (!chooser.saving) {
            Confirm(entry.name, false);
            return;
        }
        // Saving: Enter in the list on a level takes its name into the
        // field (the next Enter saves); the field and Save save the name
        // shown, so a level is only replaced once its name is there.
        if (fromList && std::strcmp(chooser.name, entry.name) != 0) {
            Select(index, true);
            chooser.focus = CHOOSER_FOCUS_NAME;
            return;
        }
    }
    if (!chooser.saving) {
        SetMessage("Choose a level file first.");
    } else if (chooser.listing.unreadable) {
        // Writing would fail too, or land where the player cannot see it.
        SetMessage("That folder cannot be opened: save the level in another one.");
    } else if (chooser.name[0] == '\0') {
        SetMessage("Type a name for the level first.");
    } else {
        Confirm(chooser.name, true);
    }
}

// Highlights an entry. Only a choice (`chosen`: a click, or Enter on it)
// puts an existing level's name in the name field to be saved over; moving
// the highlight with the keys keeps what the player typed.
void Select(int index, bool chosen) {
    if (chooser.listing.count == 0) return;
    if (index < 0) index = 0;
    if (index > chooser.listing.count - 1) index = chooser.listing.count - 1;
    chooser.selected = index;
    ScrollToSelection();
    const FolderEntry& entry = chooser.listing.entries[index];
    if (chosen && chooser.saving && !entry.isFolder) {
        std::snprintf(chooser.name, sizeof chooser.name, "%s", entry.name);
    }
}

void MoveSelection(int step) {
    Select(
        chooser.selected < 0 ? (step > 0 ? 0 : chooser.listing.count - 1) : chooser.selected + step,
        false);
}

bool Pressed(int index) { return Button_IsPressed(chooser.buttons[index]); }

bool ShiftHeld(void) {
    return TS_Input_KeyDown(TS_KEY_LEFT_SHIFT) || TS_Input_KeyDown(TS_KEY_RIGHT_SHIFT);
}

// The next stop of Tab (step 1) or Shift+Tab (step -1): the list, the name
// field when saving, then every button in the order they are listed.
int NextFocus(int focus, int step) {
    int order[CHOOSER_BUTTON_COUNT + 2];
    int count = 0;
    order[count++] = CHOOSER_FOCUS_LIST;
    if (chooser.saving) order[count++] = CHOOSER_FOCUS_NAME;
    for (int i = 0; i < CHOOSER_BUTTON_COUNT; ++i) order[count++] = i;
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (order[i] == focus) at = i;
    }
    return order[(at + step + count) % count];
}

// Tab, and the keys of a focused button: arrows move between the buttons,
// Enter or Space presses one. True when the keys were used here.
bool HandleFocusKeys(void) {
    if (TS_Input_KeyTriggered(TS_KEY_TAB)) {
        chooser.focus = NextFocus(chooser.focus, ShiftHeld() ? -1 : 1);
        return true;
    }
    if (chooser.focus < 0 || chooser.focus >= CHOOSER_BUTTON_COUNT) return false;
    if (Controls_Pressed(CONTROL_MENU_ACCEPT)) {
        Button* button = chooser.buttons[chooser.focus];
        if (button) button->state = BUTTON_PRESSED;
    } else if (Controls_Pressed(CONTROL_MENU_LEFT) || Controls_Pressed(CONTROL_MENU_UP)) {
        chooser.focus = (chooser.focus + CHOOSER_BUTTON_COUNT - 1) % CHOOSER_BUTTON_COUNT;
    } else if (Controls_Pressed(CONTROL_MENU_RIGHT) || Controls_Pressed(CONTROL_MENU_DOWN)) {
        chooser.focus = (chooser.focus + 1) % CHOOSER_BUTTON_COUNT;
    }
    return true;
}

// Returns whether the keyboard was used here, so the list leaves it alone.
bool HandleButtons(void) {
    for (Button* button : chooser.buttons) {
        if (button) Button_HitTest(button);
    }
    const bool keysUsed = HandleFocusKeys();
    const int page = chooser.layout.visibleRows > 1 ? chooser.layout.visibleRows - 1 : 1;
    if (Pressed(CHOOSER_CANCEL)) chooser.finished = true;
    else if (Pressed(CHOOSER_CONFIRM)) Activate(false);
    else if (Pressed(CHOOSER_MY_LEVELS)) GoToMyLevels();
    else if (Pressed(CHOOSER_SHIPPED)) GoTo(kShippedLevels);
    else if (Pressed(CHOOSER_HOME)) GoToHome();
    else if (Pressed(CHOOSER_PARENT)) GoToParent();
    else if (Pressed(CHOOSER_SCROLL_UP)) chooser.firstRow -= page;
    else if (Pressed(CHOOSER_SCROLL_DOWN)) chooser.firstRow += page;
    // The wheel scrolls the list wherever the pointer is: there is no other.
    chooser.firstRow -= static_cast<int>(TS_Input_GetMouseWheel() * static_cast<float>(kWheelRows));
    ClampScroll();
    return keysUsed;
}

void HandleListMouse(void) {
    const ChooserLayout& l = chooser.layout;
    const float mx = TS_Input_GetMouseX();
    const float my = TS_Input_GetMouseY();
    chooser.hovered = -1;
    if (mx <= l.listLeft || mx >= l.listRight || my <= l.listTop || my >= l.listBottom) return;
    const int row = static_cast<int>((my - l.listTop) / l.rowHeight);
    const int index = chooser.firstRow + row;
    if (row >= l.visibleRows || index >= chooser.listing.count) return;
    chooser.hovered = index;
    if (!TS_Input_MouseTriggered(TS_MOUSE_LEFT)) return;
    const bool doubleClick = chooser.lastClickRow == index &&
                             chooser.clock - chooser.lastClickTime <= kDoubleClickSeconds;
    Select(index, true);
    chooser.focus = CHOOSER_FOCUS_LIST;
    chooser.lastClickRow = doubleClick ? -1 : index;
    chooser.lastClickTime = chooser.clock;
    if (doubleClick) Activate(true);
}

void HandleKeys(void) {
    if (chooser.saving) {
        const bool hadText = chooser.name[0] != '\0';
        // Signs no file system takes in a name are not typed.
        if (TextEntry_EditBuffer(chooser.name, sizeof chooser.name, "/\\:*?\"<>|")) {
            chooser.selected = -1;  // typing means "this name", not the highlighted entry
            chooser.message[0] = '\0';
            return;
        }
        if (!hadText && TS_Input_KeyTriggered(TS_KEY_BACKSPACE)) {
            GoToParent();
            return;
        }
    } else if (TS_Input_KeyTriggered(TS_KEY_BACKSPACE)) {
        GoToParent();
        return;
    }
    // A pad's up and down (which type nothing) move the selection as well;
    // in the name field the arrows leave the list alone.
    const bool inList = chooser.focus != CHOOSER_FOCUS_NAME;
    bool previous =
        inList && (TS_Input_KeyTriggered(TS_KEY_LEFT) || Controls_Pressed(CONTROL_MENU_UP));
    bool next =
        inList && (TS_Input_KeyTriggered(TS_KEY_RIGHT) || Controls_Pressed(CONTROL_MENU_DOWN));
    bool activate = TS_Input_KeyTriggered(TS_KEY_ENTER);
    // While opening, the flying keys (and the pad's sides and A) work too;
    // while saving, letters and Space belong to the name.
    // (A thrust key on an arrow, Up in the Arrow scheme, moves rather than
    // opens: the moves are tried first.)
    if (!chooser.saving) {
        previous = previous || Controls_Pressed(CONTROL_MENU_LEFT);
        next = next || Controls_Pressed(CONTROL_MENU_RIGHT);
        activate = activate || Controls_Pressed(CONTROL_MENU_ACCEPT);
    }
    if (previous) MoveSelection(-1);
    else if (next) MoveSelection(1);
    else if (activate) Activate(chooser.focus == CHOOSER_FOCUS_LIST);
}

void FileChooser_Frame(void) {
    chooser.clock += TS_System_GetDt();
    FileChooser_Layout();
    if (Window_FullscreenKeyPressed()) {
        Window_ToggleFullscreenAndSave();
        FileChooser_Layout();
    } else if (Controls_Pressed(CONTROL_MENU_BACK)) {  // Escape, or a pad's B
        chooser.finished = true;
    } else {
        const bool keysUsed = HandleButtons();
        if (!chooser.finished) HandleListMouse();
        if (!chooser.finished && !keysUsed) HandleKeys();
    }
    ClampScroll();
    FileChooser_Draw();
}

bool CreateButtons(void) {
    static const char* const labels[CHOOSER_BUTTON_COUNT] = {
        "Open", "Cancel",        "My Levels",    "Shipped Levels",
        "Home", "Parent Folder", "\xE2\x96\xB2", "\xE2\x96\xBC"};
    for (int i = 0; i < CHOOSER_BUTTON_COUNT; ++i) {
        chooser.buttons[i] = Button_Create(TS_Vector_Zero());
        if (!chooser.buttons[i]) return false;
        Button_SetLabel(chooser.buttons[i], labels[i]);
        chooser.buttons[i]->textSize = 20.0f;
    }
    if (chooser.saving) Button_SetLabel(chooser.buttons[CHOOSER_CONFIRM], "Save");
    return true;
}

void FreeButtons(void) { Buttons_Free(chooser.buttons, CHOOSER_BUTTON_COUNT); }

const int kAutomationFrameLimit = 6000;

bool TakeAutomationAnswer(char destination[LEVEL_PATH_SIZE]) {
    answerPending = false;
    if (answerCancel || std::strlen(answerPath) > LEVEL_PATH_SIZE - 1) return false;
    std::memcpy(destination, answerPath, std::strlen(answerPath) + 1);
    return true;
}

bool RunChooser(bool saving, char destination[LEVEL_PATH_SIZE]) {
    if (answerPending) return TakeAutomationAnswer(destination);
    if (chooserActive) return false;
    chooser = ChooserState();
    chooser.saving = saving;
    chooser.selected = chooser.hovered = chooser.lastClickRow = -1;
    // Saving starts in the list too: the typing goes to the name all the same.
    chooser.focus = CHOOSER_FOCUS_LIST;
    chooser.shownPathWidth = -1.0f;
    bool ready = FolderListing_Create(&chooser.listing) && CreateButtons();
    if (ready) {
        FileChooser_Layout();
        // The first folder that can be read; if none can, the chooser still
        // opens and says so, since Home or Cancel may still help.
        bool read = EnsureLevelsFolder() && GoTo(levelsFolder);
        if (!read) read = GoTo(kShippedLevels);
        if (!read) read = GoTo("/");
        ready = chooser.listing.folder[0] != '\0';
    }
    if (ready) {
        chooserActive = true;
        // A window closed meanwhile counts as a cancel.
        const bool engineRunning = TS_Engine_IsRunning();
        // Under test automation nobody may be there to answer: give up (as a
        // cancel) after a long wait instead of hanging the test run.
        const int automationLimit = Automation_Active() ? kAutomationFrameLimit : -1;
        for (int frames = 0; !chooser.finished && (!engineRunning || TS_Engine_IsRunning());
             ++frames) {
            if (automationLimit >= 0 && frames >= automationLimit) break;
            TS_Engine_ModalFrame(FileChooser_Frame);
        }
        chooserActive = false;
    }
    const bool chosen = ready && chooser.confirmed;
    if (chosen) std::memcpy(destination, chooser.result, std::strlen(chooser.result) + 1);
    FreeButtons();
    FolderListing_Free(&chooser.listing);
    return chosen;
}

}  // namespace

bool ChooseLevelFile(char destination[LEVEL_PATH_SIZE]) { return RunChooser(false, destination); }

bool ChooseSaveLevelFile(char destination[LEVEL_PATH_SIZE]) {
    return RunChooser(true, destination);
}

void FileChooser_SetAutomationAnswer(const char* path, bool cancel) {
    answerPending = true;
    answerCancel = cancel || !path;
    std::snprintf(answerPath, sizeof answerPath, "%s", path ? path : "");
}

void FileChooser_ForgetAutomationAnswer(void) {
    answerPending = false;
    answerCancel = false;
    answerPath[0] = '\0';
}
