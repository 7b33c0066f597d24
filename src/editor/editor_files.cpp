// The editor's file commands: saving (with the overwrite question), opening
// (with the unsaved-changes question), the result popup, and leaving.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/screens.h"
#include "editor/editor.h"
#include "ui/file_chooser.h"

namespace {

void SetTitle(const char* text) {
    std::snprintf(editor.titleText, sizeof editor.titleText, "%s", text);
}

void OpenPopup(Popup* popup) {
    if (popup) popup->open = true;
}

bool IsButton(const Popup* popup, const Button* pressed, size_t index) {
    return popup && index < popup->count && popup->buttons[index] == pressed;
}

}  // namespace

void Editor_ClosePopup(Popup* popup, Button* /*pressed*/) { popup->open = false; }

void Editor_SaveCommand(void) {
    char chosen[LEVEL_PATH_SIZE];
    if (!ChooseSaveLevelFile(chosen)) {
        SetTitle(kUnsavedTitle);
        return;
    }
    std::snprintf(editor.savePath, sizeof editor.savePath, "%s", chosen);
    if (access(editor.savePath, F_OK) != 0) {
        Editor_WriteLevel();
    } else {
        OpenPopup(editor.overwritePopup);
    }
}

void Editor_OnOverwriteChoice(Popup* popup, Button* pressed) {
    popup->open = false;
    if (IsButton(popup, pressed, 0)) Editor_WriteLevel();
}

void Editor_WriteLevel(void) {
    // The writer replaces the old file only once every byte is safely down,
    // and any failure on the way (opening, writing, closing, renaming) comes
    // back as an error number, so success is never claimed for a lost save.
    const int error = WriteLevelFile(editor.savePath, &editor.editedLevel);
    Popup* popup = editor.resultPopup;
    if (error != 0) {
        char message[360];
        std::snprintf(message, sizeof message, "%s", std::strerror(error));
        if (popup) {
            Popup_SetTitle(popup, "Save Failed");
            Popup_SetMessage(popup, message);
        }
    } else {
        if (popup) {
            Popup_SetTitle(popup, "Level Saved Successfully");
            Popup_SetMessage(popup, editor.savePath);
        }
        SetTitle(editor.savePath);
        editor.dirty = false;
    }
    OpenPopup(popup);
}

void Editor_OpenCommand(void) {
    if (editor.dirty) {
        OpenPopup(editor.unsavedPopup);
        return;
    }
    char chosen[LEVEL_PATH_SIZE];
    if (!ChooseLevelFile(chosen)) return;
    FreeLevel(&editor.editedLevel);
    Editor_ClearSelection();
    // Texts keep their "$THRUST_KEY$" placeholders, so a save writes them
    // back unchanged.
    if (ReadLevelFile(chosen, &editor.editedLevel, false) != 0) return;
    SetTitle(chosen);
    editor.dirty = false;
}

void Editor_OnUnsavedChoice(Popup* popup, Button* pressed) {
    popup->open = false;
    if (!IsButton(popup, pressed, 0)) {
        editor.exitRequested = false;  // "Let Me Save"
        return;
    }
    editor.dirty = false;  // "Lose Changes"
    if (editor.exitRequested) {
        Screen_Switch(MainMenuScreen);
    } else {
        Editor_OpenCommand();
    }
}

void Editor_ExitCommand(void) {
    editor.exitRequested = true;
    if (editor.dirty) {
        OpenPopup(editor.unsavedPopup);
    } else {
        Screen_Switch(MainMenuScreen);
    }
}
