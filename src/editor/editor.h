// The level editor: what the Editor screen keeps while a level is built,
// moved about and test-played, and the steps its files share.
#pragma once

#include "app/screens.h"
#include "editor/gizmo.h"
#include "level/level.h"
#include "ui/button.h"
#include "ui/popup.h"
#include "world/camera.h"
#include "world/replay.h"
#include "world/sprite_cache.h"

enum PaletteItem {
    PALETTE_ASTEROID = 0,
    PALETTE_FUEL_CELL = 1,
    PALETTE_GOAL = 2,
    PALETTE_TEXT = 3,
    PALETTE_ITEM_COUNT = 4
};

enum { EDITOR_PATH_SIZE = 260, EDITOR_TEXT_BUFFER = 300 };  // a text's 299 bytes and its end

// The grid (G): a line every 25 world units, a stronger one every 100. While
// it shows, moves and placements land on it and turns go in steps of 15
// degrees; Shift held places freely.
const float kGridStep = 25.0f;
const float kGridMajorStep = 100.0f;
const float kSnapDegrees = 15.0f;

// Where the ship starts: the origin, unturned, the ship's size.
struct ShipMarker {
    TS_Vec2 position;
    float rotation;
    TS_Vec2 size;
};

struct EditorState {
    Level editedLevel;                 // the level under edit; its tables hold 100 and 20
    char savePath[EDITOR_PATH_SIZE];   // the file the last confirmed save chose
    char titleText[EDITOR_PATH_SIZE];  // the name in the top bar
    bool dirty;                        // changes that are not saved
    bool exitRequested;                // the unsaved question came from Exit, not Open
    bool playMode;                     // the level is being test-played
    bool showColliders;                // F3: collider outlines
    bool showGrid;                     // G: the grid, and snapping to it
    bool textEditing;                  // typed keys go into the selected text
    size_t textCaret;                  // where typing goes in it, a byte offset
    bool selectionIsText;
    void* selection;  // a LevelObject or (selectionIsText) a TextObject
    Gizmo* gizmo;
    Camera editorCamera;
    DragHandle* paletteHandles[PALETTE_ITEM_COUNT];
    TS_Vec2 paletteHome[PALETTE_ITEM_COUNT];
    Shape* paletteIcons[PALETTE_ITEM_COUNT];
    // The icons scaled to their boxes once, copied plainly every frame.
    TS_PreparedImage paletteIconCopies[PALETTE_ITEM_COUNT];
    TS_Vec2 paletteIconCopySize;  // the box they were prepared for
    Shape* shipMarkerShape;
    ShipMarker shipMarker;
    int draggedPaletteItem;  // the item dragged last frame, or -1
    Button* saveButton;
    Button* openButton;
    Button* helpButton;
    Button* exitButton;
    Button* playButton;
    Button* undoButton;
    Button* redoButton;
    Button* levelButton;     // opens the Level popup
    Button* editTextButton;  // above a selected text: "Edit Text" / "Done"
    Popup* resultPopup;
    Popup* overwritePopup;
    Popup* unsavedPopup;
    Popup* helpPopup;
    Popup* runPopup;          // test play reached the goal: time, fuel left, score
    Popup* strandedPopup;     // test play stranded the ship
    Popup* saveWarningPopup;  // saving a level without a goal, or with its start blocked
    bool saveInsisted;        // the author answered "Save Anyway" to it
    bool testIntroOff;        // I: test play starts flying, without the intro
    bool playReported;        // this test flight's popup has been shown
    float reportedTime;       // the time of the run the popup reports
    Level playLevel;          // the copy that play mode flies
    SpriteCache spriteCache;  // the edited level's prepared sprites
    float spriteZoom;         // the camera's zoom of the last frame
    char notice[96];          // a word at the bottom of the window ("Text copied")
    float noticeTime;         // seconds it still shows
};

extern EditorState editor;

// The name the top bar shows for a level that has no file yet.
extern const char* const kUnsavedTitle;

// ---- Screen (editor_screen.cpp) ---------------------------------------------
extern const GameState EditorScreen;
void Editor_Layout(void);

// ---- Files (editor_files.cpp) -----------------------------------------------
void Editor_SaveCommand(void);
void Editor_OpenCommand(void);
void Editor_WriteLevel(void);
void Editor_ExitCommand(void);
// Ctrl+S: writes straight to the file the level was last saved to or opened
// from; a level without one is saved as with the Save button.
void Editor_QuickSave(void);
// The unsaved-changes question's answers: "Lose Changes" goes on with the
// open or the exit that asked; "Let Me Save" stays.
void Editor_LoseChanges(void);
void Editor_KeepChanges(void);
// The save warning's "Save Anyway": saves as was asked, without the warning.
void Editor_SaveAnyway(void);
// What is wrong with saving the level as it is (no goal, or the ship's start
// inside an asteroid), or null.
const char* Editor_SaveProblem(void);

// ---- Placing and shaping (editor_palette.cpp, editor_objects.cpp) -----------
void Editor_UpdatePalette(void);
void Editor_UpdateObjects(void);
void Editor_UpdateCameraKeys(void);
// Either Ctrl key is held: letters are commands, not typing or panning.
bool Editor_CtrlHeld(void);
bool Editor_ShiftHeld(void);
// The grid shows and Shift is not held.
bool Editor_Snapping(void);
// A world point on the grid while snapping, otherwise as it is.
TS_Vec2 Editor_SnapPoint(TS_Vec2 p);
void Editor_Pick(void);
void Editor_DeleteObject(void* item);
void Editor_RefreshEditTextLabel(void);
// Drops the selection, its handles and text editing.
void Editor_ClearSelection(void);
// Selects a level object's entry or (isText) a text, with its handles.
void Editor_Select(void* item, bool isText);
// Ends typing into a text, as "Done" does: a text left empty is removed.
// Every command that saves, opens, plays or leaves calls it first.
void Editor_FinishTextEditing(void);

// ---- Undo and redo (editor_history.cpp) ---------------------------------------
// The level as it stands becomes the only step of the history, and the saved
// one: a new or opened level starts with nothing to undo.
void Editor_ResetHistory(void);
void Editor_FreeHistory(void);
// Something in the level changed; it becomes a step once the gesture making it
// (a drag, a held arrow key, typing) is over. The level shows as unsaved.
void Editor_MarkChanged(void);
// Records a pending change as a step now, unless the level came back to what
// the current step holds.
void Editor_CommitChanges(void);
// Once per frame: commits a pending change when no button or arrow key is held
// and no text is being typed into.
void Editor_SettleHistory(void);
bool Editor_CanUndo(void);
bool Editor_CanRedo(void);
// Each returns whether the level changed; the selection stays on the same
// slot when the level brought back has something there.
bool Editor_Undo(void);
bool Editor_Redo(void);
// The level as it stands is what its file holds now (after a save).
void Editor_MarkSaved(void);
// No step is what a file holds: the level shows as unsaved until saved.
void Editor_ForgetSaved(void);
// The bytes the history holds, and its steps (for tests).
size_t Editor_HistoryBytes(void);
size_t Editor_HistorySteps(void);

// ---- Copy, paste, duplicate (editor_clipboard.cpp) ----------------------------
// Ctrl+C, Ctrl+V (at the pointer) and Ctrl+D (beside the selection).
void Editor_UpdateClipboardKeys(void);
void Editor_FreeClipboard(void);
// Shows a short message at the bottom of the window for a moment.
void Editor_ShowNotice(const char* text);
void Editor_DrawNotice(void);

// ---- The Level popup (level_panel.cpp) ---------------------------------------
// Par time, start fuel, start rotation and the level's rules, edited in place
// in the edited level; every change is an undoable step.
void LevelPanel_Create(void);
void LevelPanel_Free(void);
Popup* LevelPanel_Popup(void);
void LevelPanel_Open(void);
// Once per frame before the popups' step, while the popup is open.
void LevelPanel_Update(void);
// After the popups are drawn: the rows over the popup's panel.
void LevelPanel_Draw(void);

// ---- Drawing (editor_draw.cpp) ------------------------------------------------
// Remakes the prepared sprites of objects that were placed, turned or resized
// since the last frame (moving needs nothing), and all of them after the zoom
// changed; while a handle turns or sizes an object, and while the zoom moves,
// those are drawn directly. Call before the frame draws.
void Editor_SyncSprites(void);
void Editor_DrawScene(void);
// Faint lines every 25 units and stronger ones every 100 across the view,
// under everything placed; the lines too dense to tell apart are left out.
void Editor_DrawGrid(void);
void Editor_DrawTexts(TextObject* const* texts, uint64_t count, const Camera* camera);
void Editor_DrawColliderOutline(const GameObject* object);
void Editor_DrawTopBar(void);
void Editor_DrawSideBar(void);
// Scales the side bar's icons to their boxes once (at start and whenever the
// boxes change), so that drawing them is a plain copy.
void Editor_PreparePaletteIcons(void);

// ---- Play mode (play_mode.cpp) ------------------------------------------------
// The par margin: a par set from a test run gives this much more time than
// the run took, rounded up to a whole second.
const float kParMargin = 1.25f;
void Editor_SetPlayMode(bool on);
// The par "Set par from this run" gives for a run of `seconds` (at most the
// Level popup's 600 s).
float Editor_ParFromRun(float seconds);
// The test-play popups' choices.
void Editor_SetParFromRun(void);
void Editor_FlyAgain(void);
void Editor_BackToEditing(void);
// While a test-play popup is open, R flies again. Returns whether it did.
bool Editor_UpdatePlayReportKeys(void);
// I: test play with or without the intro, for as long as the editor is open.
void Editor_ToggleTestIntro(void);
// One frame of test play: the World's update; Escape stops playing.
void Editor_UpdatePlayMode(void);
// Ends play mode without touching the music (the editor is closing).
void Editor_AbandonPlayMode(void);
// The last test flight's recording (its keys step by step, naming the level's
// file and flight hash), or null before the first; freed when the editor
// closes.
const Replay* Editor_TestPlayRecording(void);
void Editor_FreeTestPlayRecording(void);
