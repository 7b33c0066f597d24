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

enum { EDITOR_PATH_SIZE = 260, EDITOR_TEXT_BUFFER = 150 };

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
    bool textEditing;                  // typed keys go into the selected text
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
    Button* editTextButton;  // above a selected text: "Edit Text" / "Done"
    Popup* resultPopup;
    Popup* overwritePopup;
    Popup* unsavedPopup;
    Popup* helpPopup;
    Level playLevel;          // the copy that play mode flies
    SpriteCache spriteCache;  // the edited level's prepared sprites
    float spriteZoom;         // the camera's zoom of the last frame
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
// The unsaved-changes question's answers: "Lose Changes" goes on with the
// open or the exit that asked; "Let Me Save" stays.
void Editor_LoseChanges(void);
void Editor_KeepChanges(void);

// ---- Placing and shaping (editor_palette.cpp, editor_objects.cpp) -----------
void Editor_UpdatePalette(void);
void Editor_UpdateObjects(void);
void Editor_UpdateCameraKeys(void);
void Editor_Pick(void);
void Editor_DeleteObject(void* item);
void Editor_RefreshEditTextLabel(void);
// Drops the selection, its handles and text editing.
void Editor_ClearSelection(void);

// ---- Drawing (editor_draw.cpp) ------------------------------------------------
// Remakes the prepared sprites of objects that were placed, turned or resized
// since the last frame (moving needs nothing), and all of them after the zoom
// changed; while a handle turns or sizes an object, and while the zoom moves,
// those are drawn directly. Call before the frame draws.
void Editor_SyncSprites(void);
void Editor_DrawScene(void);
void Editor_DrawTexts(TextObject* const* texts, uint64_t count, const Camera* camera);
void Editor_DrawColliderOutline(const GameObject* object);
void Editor_DrawTopBar(void);
void Editor_DrawSideBar(void);
// Scales the side bar's icons to their boxes once (at start and whenever the
// boxes change), so that drawing them is a plain copy.
void Editor_PreparePaletteIcons(void);

// ---- Play mode (play_mode.cpp) ------------------------------------------------
void Editor_SetPlayMode(bool on);
// One frame of test play: the World's update; Escape stops playing.
void Editor_UpdatePlayMode(void);
// Ends play mode without touching the music (the editor is closing).
void Editor_AbandonPlayMode(void);
// The last test flight's recording (its keys step by step, naming the level's
// file and flight hash), or null before the first; freed when the editor
// closes.
const Replay* Editor_TestPlayRecording(void);
void Editor_FreeTestPlayRecording(void);
