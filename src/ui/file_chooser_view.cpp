// How the file chooser looks: a panel with the folder line, shortcuts on the
// left, the entries in rows, the name field when saving, and the answers.
#include <cstdio>
#include <cstring>

#include "platform/tessera.h"
#include "ui/file_chooser_state.h"
#include "ui/text_fit.h"

namespace {

const float kEntryTextSize = 18.0f;
const float kPathTextSize = 17.0f;

float MinF(float a, float b) { return a < b ? a : b; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How many leading bytes of `text` fit `width` when followed by an ellipsis.
int FittingPrefix(const char* text, float width) {
    char buffer[FOLDER_NAME_SIZE + 4];
    int low = 0;
    int high = static_cast<int>(std::strlen(text));
    while (low < high) {
        int middle = (low + high + 1) / 2;
        while (middle > 0 && IsContinuation(text[middle])) --middle;
        if (middle <= low) break;
        std::snprintf(buffer, sizeof buffer, "%.*s\xE2\x80\xA6", middle, text);
        if (TS_Font_TextWidth(buffer) <= width) low = middle;
        else high = middle - 1;
    }
    while (low > 0 && IsContinuation(text[low])) --low;
    return low;
}

// The offset from which the end of `text` fits `width` after an ellipsis.
size_t FittingSuffix(const char* text, float width, const char* lead) {
    char buffer[FOLDER_PATH_SIZE + 8];
    size_t low = 0;
    size_t high = std::strlen(text);
    while (low < high) {
        size_t middle = (low + high) / 2;
        while (middle < high && IsContinuation(text[middle])) ++middle;
        std::snprintf(buffer, sizeof buffer, "%s%s", lead, text + middle);
        if (TS_Font_TextWidth(buffer) <= width) high = middle;
        else low = middle + 1;
    }
    while (text[low] && IsContinuation(text[low])) ++low;
    return low;
}

void PlaceButton(int index, float x, float y, float w, float h) {
    Button* button = chooser.buttons[index];
    if (!button) return;
    button->position = TS_Vector_Set(x, y);
    button->size = TS_Vector_Set(w, h);
}

void DrawFolderIcon(float x, float y) {
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(250, 220, 2, 255));
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Graphics_DrawRect(x - 4.0f, y - 7.0f, 8.0f, 4.0f);
    TS_Graphics_DrawRect(x, y, 18.0f, 12.0f);
}

// A small page with two lines of text on it.
void DrawLevelIcon(float x, float y, bool selected) {
    TS_Settings_NoStroke();
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Fill(selected ? TS_Color_Create(255, 255, 255, 255)
                              : TS_Color_Create(27, 172, 235, 255));
    TS_Graphics_DrawRect(x, y, 13.0f, 16.0f);
    TS_Settings_Fill(TS_Color_Create(12, 13, 15, 255));
    TS_Graphics_DrawRect(x, y - 2.0f, 7.0f, 2.0f);
    TS_Graphics_DrawRect(x, y + 2.0f, 7.0f, 2.0f);
}

void DrawEntryName(FolderEntry& entry, float x, float y, float width) {
    TS_Settings_TextSize(kEntryTextSize);
    if (entry.fittedWidth != width) {
        entry.fittedWidth = width;
        entry.shownBytes = TS_Font_TextWidth(entry.name) <= width
                               ? static_cast<int>(std::strlen(entry.name))
                               : FittingPrefix(entry.name, width);
    }
    if (entry.shownBytes >= static_cast<int>(std::strlen(entry.name))) {
        TS_Font_DrawText(entry.name, x, y);
        return;
    }
    char shown[FOLDER_NAME_SIZE + 4];
    std::snprintf(shown, sizeof shown, "%.*s\xE2\x80\xA6", entry.shownBytes, entry.name);
    TS_Font_DrawText(shown, x, y);
}

void DrawRows(void) {
    const ChooserLayout& l = chooser.layout;
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(TS_Color_Create(12, 13, 15, 255));
    TS_Settings_Stroke(TS_Color_Create(90, 96, 104, 255));
    TS_Graphics_DrawRect(l.listLeft, l.listTop, l.listRight - l.listLeft, l.listBottom - l.listTop);
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    for (int row = 0; row < l.visibleRows; ++row) {
        const int index = chooser.firstRow + row;
        if (index < 0 || index >= chooser.listing.count) break;
        FolderEntry& entry = chooser.listing.entries[index];
        const float top = l.listTop + static_cast<float>(row) * l.rowHeight;
        const float y = top + l.rowHeight * 0.5f;
        const bool selected = index == chooser.selected;
        if (selected || index == chooser.hovered) {
            TS_Settings_RectMode(TS_MODE_CORNER);
            TS_Settings_NoStroke();
            TS_Settings_Fill(selected ? TS_Color_Create(27, 110, 160, 255)
                                      : TS_Color_Create(44, 48, 54, 255));
            TS_Graphics_DrawRect(l.listLeft + 2.0f, top + 1.0f, l.listRight - l.listLeft - 4.0f,
                                 l.rowHeight - 2.0f);
        }
        if (entry.isFolder) DrawFolderIcon(l.listLeft + 22.0f, y);
        else DrawLevelIcon(l.listLeft + 22.0f, y, selected);
        TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
        TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
        DrawEntryName(entry, l.listLeft + 42.0f, y, l.listRight - l.listLeft - 54.0f);
    }
    // An empty list says why: nothing there, or a folder we may not read.
    const bool onlyParent = chooser.listing.count == 1 && chooser.listing.entries[0].isParent;
    if (chooser.listing.unreadable || chooser.listing.count == 0 || onlyParent) {
        TS_Settings_Fill(chooser.listing.unreadable ? TS_Color_Create(250, 220, 2, 255)
                                                    : TS_Color_Create(150, 150, 150, 255));
        TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
        TS_Settings_TextSize(kEntryTextSize);
        TS_Font_DrawText(chooser.listing.unreadable ? "That folder cannot be opened."
                                                    : "No levels or folders here.",
                         (l.listLeft + l.listRight) * 0.5f, (l.listTop + l.listBottom) * 0.5f);
    }
}

void DrawScrollBar(void) {
    const ChooserLayout& l = chooser.layout;
    const int count = chooser.listing.count;
    if (count <= l.visibleRows || count == 0) return;
    const float x = l.right - 40.0f;
    const float top = l.listTop + 48.0f;
    const float height = l.listBottom - l.listTop - 96.0f;
    if (height <= 10.0f) return;
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(TS_Color_Create(44, 48, 54, 255));
    TS_Graphics_DrawRect(x - 4.0f, top, 8.0f, height);
    const float share = static_cast<float>(l.visibleRows) / static_cast<float>(count);
    const float thumb = height * share < 20.0f ? 20.0f : height * share;
    const float along = static_cast<float>(chooser.firstRow) /
                        static_cast<float>(count - l.visibleRows) * (height - thumb);
    TS_Settings_Fill(TS_Color_Create(27, 172, 235, 255));
    TS_Graphics_DrawRect(x - 4.0f, top + along, 8.0f, thumb);
}

void DrawPathLine(void) {
    const ChooserLayout& l = chooser.layout;
    const float width = l.right - l.left - 40.0f;
    TS_Settings_TextSize(kPathTextSize);
    if (chooser.shownPathWidth != width) {
        chooser.shownPathWidth = width;
        // The middle gives way, so both the top folders and the one open show.
        TextFit_Shorten(chooser.listing.folder, width, TEXT_CUT_MIDDLE, chooser.shownPath,
                        sizeof chooser.shownPath);
    }
    TS_Settings_Fill(TS_Color_Create(200, 200, 200, 255));
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Font_DrawText(chooser.shownPath, l.left + 20.0f, l.top + 62.0f);
}

void DrawNameField(void) {
    const ChooserLayout& l = chooser.layout;
    const float y = l.nameTop + 18.0f;
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(20.0f);
    TS_Font_DrawText("Name:", l.listLeft, y);
    const float boxLeft = l.listLeft + 75.0f;
    const float boxWidth = l.listRight - boxLeft;
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(TS_Color_Create(240, 240, 240, 255));
    // The blue edge shows that typing goes here (from the list too); grey
    // while the keyboard is on a button.
    TS_Settings_Stroke(chooser.focus < 0 ? TS_Color_Create(27, 172, 235, 255)
                                         : TS_Color_Create(120, 120, 120, 255));
    TS_Graphics_DrawRect(boxLeft, l.nameTop, boxWidth, 36.0f);

    // A name longer than the box shows its end, where the typing happens.
    static char lastName[FOLDER_NAME_SIZE] = "";
    static float lastWidth = -1.0f;
    static size_t shownFrom = 0;
    const float room = boxWidth - 24.0f;
    if (lastWidth != room || std::strcmp(lastName, chooser.name) != 0) {
        std::snprintf(lastName, sizeof lastName, "%s", chooser.name);
        lastWidth = room;
        shownFrom =
            TS_Font_TextWidth(chooser.name) <= room ? 0 : FittingSuffix(chooser.name, room, "");
    }
    const char* shown = chooser.name + shownFrom;
    TS_Settings_Fill(TS_Color_Create(0, 0, 0, 255));
    TS_Font_DrawText(shown, boxLeft + 10.0f, y);
    // A blinking caret after the text.
    if (static_cast<int>(chooser.clock * 2.0f) % 2 == 0) {
        const float caretX = boxLeft + 12.0f + TS_Font_TextWidth(shown);
        TS_Settings_NoStroke();
        TS_Settings_RectMode(TS_MODE_CENTER);
        TS_Graphics_DrawRect(caretX, y, 2.0f, 22.0f);
    }
}

}  // namespace

void FileChooser_Layout(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    ChooserLayout& l = chooser.layout;
    const float panelW = MinF(w - 40.0f, 1000.0f);
    const float panelH = MinF(h - 40.0f, 660.0f);
    l.left = (w - panelW) * 0.5f;
    l.right = l.left + panelW;
    l.top = (h - panelH) * 0.5f;
    l.bottom = l.top + panelH;
    l.listLeft = l.left + 220.0f;
    l.listRight = l.right - 70.0f;
    l.listTop = l.top + 85.0f;
    l.footerY = l.bottom - 40.0f;
    l.rowHeight = 30.0f;
    l.nameTop = l.footerY - 75.0f;
    l.listBottom = chooser.saving ? l.nameTop - 15.0f : l.footerY - 35.0f;
    const int rows = static_cast<int>((l.listBottom - l.listTop) / l.rowHeight);
    l.visibleRows = rows > 1 ? rows : 1;
    l.listBottom = l.listTop + static_cast<float>(l.visibleRows) * l.rowHeight;

    const float sideX = l.left + 110.0f;
    PlaceButton(CHOOSER_MY_LEVELS, sideX, l.listTop + 22.0f, 180.0f, 44.0f);
    PlaceButton(CHOOSER_SHIPPED, sideX, l.listTop + 78.0f, 180.0f, 44.0f);
    PlaceButton(CHOOSER_HOME, sideX, l.listTop + 134.0f, 180.0f, 44.0f);
    PlaceButton(CHOOSER_PARENT, sideX, l.listTop + 190.0f, 180.0f, 44.0f);
    PlaceButton(CHOOSER_SCROLL_UP, l.right - 40.0f, l.listTop + 20.0f, 40.0f, 40.0f);
    PlaceButton(CHOOSER_SCROLL_DOWN, l.right - 40.0f, l.listBottom - 20.0f, 40.0f, 40.0f);
    PlaceButton(CHOOSER_CONFIRM, l.right - 95.0f, l.footerY, 150.0f, 44.0f);
    PlaceButton(CHOOSER_CANCEL, l.right - 265.0f, l.footerY, 150.0f, 44.0f);

    char parent[FOLDER_PATH_SIZE];
    if (chooser.buttons[CHOOSER_PARENT]) {
        chooser.buttons[CHOOSER_PARENT]->enabled =
            Folder_Parent(chooser.listing.folder, parent, sizeof parent);
    }
    if (chooser.buttons[CHOOSER_SCROLL_UP]) {
        chooser.buttons[CHOOSER_SCROLL_UP]->enabled = chooser.firstRow > 0;
    }
    if (chooser.buttons[CHOOSER_SCROLL_DOWN]) {
        chooser.buttons[CHOOSER_SCROLL_DOWN]->enabled =
            chooser.firstRow + l.visibleRows < chooser.listing.count;
    }
}

void FileChooser_Draw(void) {
    const ChooserLayout& l = chooser.layout;
    TS_Settings_ResetMatrix();
    TS_Settings_Background(TS_Color_Create(6, 7, 9, 255));
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_Fill(TS_Color_Create(24, 26, 28, 255));
    TS_Settings_Stroke(TS_Color_Create(240, 240, 240, 255));
    TS_Graphics_DrawRect(l.left, l.top, l.right - l.left, l.bottom - l.top);
    TS_Graphics_DrawRect(l.left, l.top, l.right - l.left, 40.0f);
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(20.0f);
    TS_Font_DrawText(chooser.saving ? "Save Level" : "Open Level", (l.left + l.right) * 0.5f,
                     l.top + 20.0f);

    DrawPathLine();
    DrawRows();
    DrawScrollBar();
    if (chooser.saving) DrawNameField();
    // A problem to report, or else how the keyboard works here.
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(17.0f);
    if (chooser.message[0]) {
        TS_Settings_Fill(TS_Color_Create(250, 220, 2, 255));
        TS_Font_DrawText(chooser.message, l.left + 20.0f, l.footerY);
    } else {
        TS_Settings_Fill(TS_Color_Create(150, 150, 150, 255));
        TS_Font_DrawText(chooser.saving ? "Type a name, Enter to save, Esc to cancel"
                                        : "Arrows to choose, Enter to open, Backspace to go up",
                         l.left + 20.0f, l.footerY);
    }
    for (int i = 0; i < CHOOSER_BUTTON_COUNT; ++i) {
        const Button* button = chooser.buttons[i];
        // The button the keyboard is on looks as if the mouse were over it.
        if (button) Button_Draw(button, chooser.focus == i ? BUTTON_HOVER : button->state);
    }
}
