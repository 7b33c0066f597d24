// The editor's file commands: saving (with the overwrite question, and a
// warning for a level without a goal or with its start blocked), opening
// (with the unsaved-changes question), the result popup, and leaving.
#include <cstdio>
#include <cstring>

#include "app/screens.h"
#include "app/text_file.h"
#include "editor/editor.h"
#include "ui/file_chooser.h"
#include "ui/text_lines.h"

namespace {

void SetTitle(const char* text) {
    std::snprintf(editor.titleText, sizeof editor.titleText, "%s", text);
}

const float kMessageTextSize = 17.0f;  // the size popups draw their messages in
const float kMessageMargin = 30.0f;    // between the message and the panel's sides
const int kPathLines = 3;              // of the result popup's four message lines

// The result popup names the file that would not open and why; the reason
// takes the fourth line.
void ShowOpenFailure(const char* path, int error) {
    Popup* popup = editor.resultPopup;
    if (!popup) return;
    char lines[3 * EDITOR_PATH_SIZE];
    TS_Settings_TextSize(kMessageTextSize);
    TextLines_Wrap(path, popup->size.x - 2.0f * kMessageMargin, kPathLines, lines, sizeof lines);
    char message[sizeof lines + 128];
    std::snprintf(message, sizeof message, "%s\n%s", lines, FileError_Text(error));
    Popup_SetTitle(popup, "Open Failed");
    Popup_SetMessage(popup, message);
    Popup_Open(popup);
}

// Asks for a level file and, once it has been read whole, edits it in place
// of the level that was open. A file that cannot be read changes nothing:
// the level, its selection, its name and its unsaved mark all stay, so a
// later Save cannot write an empty level over the file the player meant.
// Returns false only for a file that could not be read.
bool ChooseAndOpen(void) {
    char chosen[LEVEL_PATH_SIZE];
    if (!ChooseLevelFile(chosen)) return true;
    Level opened = {};
    // Texts keep their "$THRUST_KEY$" placeholders, so a save writes them
    // back unchanged.
    const int error = ReadLevelFile(chosen, &opened, false);
    if (error != 0) {
        FreeLevel(&opened);
        ShowOpenFailure(chosen, error);
        return false;
    }
    Editor_ClearSelection();
    FreeLevel(&editor.editedLevel);
    editor.editedLevel = opened;
    SetTitle(chosen);
    Editor_ResetHistory();
    return true;
}

// The save the warning holds back, run again when the author insists.
void (*heldSave)(void) = nullptr;

// Whether the save can go ahead: the level is sound, or the author has just
// insisted. Otherwise the warning asks, naming what is wrong.
bool SaveGoesAhead(void (*save)(void)) {
    if (editor.saveInsisted) {
        editor.saveInsisted = false;
        return true;
    }
    const char* problem = Editor_SaveProblem();
    if (!problem || !editor.saveWarningPopup) return true;
    heldSave = save;
    char message[256];
    std::snprintf(message, sizeof message, "%s\nSave it anyway?", problem);
    Popup_SetMessage(editor.saveWarningPopup, message);
    Popup_Open(editor.saveWarningPopup);
    return false;
}

// Whether a circle and an upright box overlap.
bool CircleMeetsBox(TS_Vec2 centre, float radius, TS_Vec2 boxCentre, TS_Vec2 boxSize) {
    const float halfW = boxSize.x * 0.5f;
    const float halfH = boxSize.y * 0.5f;
    const float nearX = TS_Math_ClampFloat(centre.x, boxCentre.x - halfW, boxCentre.x + halfW);
    const float nearY = TS_Math_ClampFloat(centre.y, boxCentre.y - halfH, boxCentre.y + halfH);
    const float dx = centre.x - nearX;
    const float dy = centre.y - nearY;
    return dx * dx + dy * dy < radius * radius;
}

}  // namespace

const char* Editor_SaveProblem(void) {
    const Level& level = editor.editedLevel;
    if (!level.goal) return "This level has no goal: it can never be finished.";
    // The ship starts in its box at the origin; an asteroid over it strikes
    // the ship before the player can do anything.
    for (uint64_t i = 0; level.objects && i < level.objectCapacity; ++i) {
        const LevelObject* entry = level.objects[i];
        if (!entry || entry->kind != KIND_ASTEROID || !entry->object) continue;
        const GameObject* rock = entry->object;
        const float scale = rock->collider ? rock->collider->scale.x : 1.0f;
        if (CircleMeetsBox(rock->position, rock->size.x * 0.5f * scale, editor.shipMarker.position,
                           editor.shipMarker.size)) {
            return "The ship's start is inside an asteroid.";
        }
    }
    return nullptr;
}

void Editor_SaveAnyway(void) {
    void (*save)(void) = heldSave;
    heldSave = nullptr;
    if (!save) return;
    editor.saveInsisted = true;
    save();
    editor.saveInsisted = false;
}

void Editor_SaveCommand(void) {
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    if (!SaveGoesAhead(Editor_SaveCommand)) return;
    char chosen[LEVEL_PATH_SIZE];
    if (!ChooseSaveLevelFile(chosen)) {
        SetTitle(kUnsavedTitle);
        return;
    }
    std::snprintf(editor.savePath, sizeof editor.savePath, "%s", chosen);
    if (File_Exists(editor.savePath) != 0) {
        Editor_WriteLevel();
    } else {
        Popup_Open(editor.overwritePopup);
    }
}

void Editor_WriteLevel(void) {
    // The writer replaces the old file only once every byte is safely down,
    // and any failure on the way (opening, writing, closing, renaming) comes
    // back as an error number, so success is never claimed for a lost save.
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    const int error = WriteLevelFile(editor.savePath, &editor.editedLevel);
    Popup* popup = editor.resultPopup;
    if (error != 0) {
        char message[360];
        std::snprintf(message, sizeof message, "%s", FileError_Text(error));
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
        Editor_MarkSaved();
    }
    Popup_Open(popup);
}

void Editor_QuickSave(void) {
    // The top bar names the file the level was last saved to or opened from.
    if (std::strcmp(editor.titleText, kUnsavedTitle) == 0) {
        Editor_SaveCommand();
        return;
    }
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    if (!SaveGoesAhead(Editor_QuickSave)) return;
    std::snprintf(editor.savePath, sizeof editor.savePath, "%s", editor.titleText);
    const int error = WriteLevelFile(editor.savePath, &editor.editedLevel);
    if (error != 0) {
        // A failure is never a passing word: it asks to be read.
        if (editor.resultPopup) {
            Popup_SetTitle(editor.resultPopup, "Save Failed");
            Popup_SetMessage(editor.resultPopup, FileError_Text(error));
        }
        Popup_Open(editor.resultPopup);
        return;
    }
    Editor_MarkSaved();
    Editor_ShowNotice("Saved");
}

void Editor_OpenCommand(void) {
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    if (editor.dirty) {
        Popup_Open(editor.unsavedPopup);
        return;
    }
    ChooseAndOpen();
}

void Editor_KeepChanges(void) { editor.exitRequested = false; }

void Editor_LoseChanges(void) {
    // The player lets the changes go, even when the chooser is then cancelled. But a file that
    // cannot be read replaces nothing, so the changes are still there, and still unsaved.
    Editor_MarkSaved();
    if (editor.exitRequested) {
        Screen_Finish(ScreenResult::Back);
    } else if (!ChooseAndOpen()) {
        Editor_ForgetSaved();
    }
}

void Editor_ExitCommand(void) {
    Editor_FinishTextEditing();
    Editor_CommitChanges();
    editor.exitRequested = true;
    if (editor.dirty) {
        Popup_Open(editor.unsavedPopup);
    } else {
        Screen_Finish(ScreenResult::Back);
    }
}
