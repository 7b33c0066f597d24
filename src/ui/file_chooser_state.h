// The file chooser's working state, shared by its input and drawing files.
#pragma once

#include "ui/button.h"
#include "ui/file_chooser.h"
#include "ui/folder_listing.h"

enum {
    CHOOSER_CONFIRM,
    CHOOSER_CANCEL,
    CHOOSER_MY_LEVELS,
    CHOOSER_SHIPPED,
    CHOOSER_HOME,
    CHOOSER_PARENT,
    CHOOSER_SCROLL_UP,
    CHOOSER_SCROLL_DOWN,
    CHOOSER_BUTTON_COUNT
};

// Where the keyboard is, moved by Tab: the list, the name field (saving
// only), or one of the buttons (its CHOOSER_* index).
enum { CHOOSER_FOCUS_LIST = -1, CHOOSER_FOCUS_NAME = -2 };

// Where everything sits for the current window size.
struct ChooserLayout {
    float left, top, right, bottom;      // the panel
    float listLeft, listTop, listRight;  // the entry rows
    float listBottom;
    float rowHeight;
    int visibleRows;
    float nameTop;  // the name field (saving only)
    float footerY;  // the message and the two main buttons
};

struct ChooserState {
    bool saving;
    bool finished;
    bool confirmed;
    FolderListing listing;
    int selected;  // highlighted entry, -1 for none
    int hovered;   // entry under the mouse, -1 for none
    int firstRow;  // scrolling
    int focus;     // CHOOSER_FOCUS_* or a button
    char name[FOLDER_NAME_SIZE];
    char message[160];
    char result[LEVEL_PATH_SIZE];
    float clock;
    float lastClickTime;
    int lastClickRow;
    char shownPath[FOLDER_PATH_SIZE];  // the folder line, shortened to fit
    float shownPathWidth;
    Button* buttons[CHOOSER_BUTTON_COUNT];
    ChooserLayout layout;
};

extern ChooserState chooser;

void FileChooser_Layout(void);
void FileChooser_Draw(void);
