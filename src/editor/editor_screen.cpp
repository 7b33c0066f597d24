// The Editor screen: what it builds on entry and frees on exit, the order of
// one frame (popups, top bar, play mode or editing, drawing) and the layout.
#include <cstdio>
#include <cstdlib>

#include "app/assets.h"
#include "app/screens.h"
#include "app/window.h"
#include "editor/editor.h"
#include "level/kind_shapes.h"
#include "world/draw.h"
#include "world/world.h"

EditorState editor = {};

const char* const kUnsavedTitle = "Unsaved Vexal Level.vexl";

namespace {

const char* const kHelpText =
    "--- Editing ---\n"
    "Drag objects from the left side bar to spawn items.\n"
    "Click on an object to move, rotate or scale it.\n"
    "Del - Delete an Object     L - Level: par time, fuel, rules\n"
    "Ctrl+Z - Undo     Ctrl+Y or Ctrl+Shift+Z - Redo\n"
    "Ctrl+C - Copy     Ctrl+V - Paste     Ctrl+D - Duplicate\n"
    "G - Grid: moves snap to 25, turns to 15 degrees (Shift: free)\n"
    "\n"
    "--- Camera ---\n"
    "Use W,A,S,D to move the camera.\n"
    "Arrow Keys to move objects in one axis.\n"
    "Q - Zoom Out     E - Zoom In\n"
    "R - Reset Camera Zoom     F - Reset Camera Position\n"
    "\n"
    "--- Utilities ---\n"
    "Ctrl+S - Save\n"
    "F3 - Toggle Collider Bounds Rendering\n"
    "F5 - Toggle Play Mode     I - Intro in Play Mode on or off";

const int kPaletteSprites[PALETTE_ITEM_COUNT] = {SPRITE_ASTEROID, SPRITE_FUEL, SPRITE_GOAL,
                                                 SPRITE_TEXT_BOX};

// The top bar's flat grey looks: no outlines, no growing on hover.
const ButtonStyle kTopBarStyles[4] = {
    {{240, 240, 240, 255}, {0, 0, 0, 0}, {0, 0, 0, 255}, {1.0f, 1.0f}},
    {{255, 255, 255, 255}, {0, 0, 0, 0}, {0, 0, 0, 255}, {1.0f, 1.0f}},
    {{54, 56, 58, 255}, {0, 0, 0, 0}, {255, 255, 255, 255}, {1.0f, 1.0f}},
    {{54, 56, 58, 255}, {0, 0, 0, 0}, {128, 128, 128, 255}, {1.0f, 1.0f}},
};

Button* CreateTopBarButton(const char* label) {
    Button* button = Button_Create(TS_Vector_Zero());
    if (!button) return nullptr;
    button->size = TS_Vector_Set(70.0f, 50.0f);
    Button_SetLabel(button, label);
    for (int i = 0; i < 4; ++i) button->styles[i] = kTopBarStyles[i];
    return button;
}

void CreatePopups(void) {
    const PopupChoice ok = {"Ok", nullptr, false};
    editor.resultPopup = Popup_CreateChoices("", "", &ok, 1);
    if (editor.resultPopup) {
        Popup_Resize(editor.resultPopup, TS_Vector_Set(1088.0f, editor.resultPopup->size.y));
    }
    editor.overwritePopup =
        Popup_CreateQuestion("Existing File Found", "Do you want to overwrite it?",
                             {"Ok", Editor_WriteLevel, false}, {"Cancel", nullptr, false});
    editor.unsavedPopup = Popup_CreateQuestion(
        "Unsaved Changes Detected",
        "Unsaved changes will be lost. Are you sure you want to continue?",
        {"Lose Changes", Editor_LoseChanges, false}, {"Let Me Save", Editor_KeepChanges, false});
    editor.helpPopup = Popup_CreateChoices("Help", kHelpText, &ok, 1);
    if (editor.helpPopup) {
        Popup_Resize(editor.helpPopup, TS_Vector_Set(600.0f, 500.0f));
        Popup_PlaceButton(editor.helpPopup, 0, TS_Vector_Set(0.0f, 185.0f));
    }
    const PopupChoice runChoices[3] = {{"Set Par from This Run", Editor_SetParFromRun, false},
                                       {"Fly Again (R)", Editor_FlyAgain, false},
                                       {"Back to Editing", Editor_BackToEditing, false}};
    editor.runPopup = Popup_CreateChoices("Goal Reached", "", runChoices, 3);
    if (editor.runPopup) {
        // Room for the longest choice at the standard label size.
        for (size_t i = 0; i < editor.runPopup->count; ++i) {
            editor.runPopup->buttons[i]->size.x = 220.0f;
        }
        Popup_Resize(editor.runPopup, TS_Vector_Set(800.0f, 220.0f));
        Popup_LayoutButtons(editor.runPopup, 30.0f, 50.0f);
    }
    const PopupChoice strandedChoices[2] = {{"Fly Again (R)", Editor_FlyAgain, false},
                                            {"Back to Editing", Editor_BackToEditing, false}};
    editor.strandedPopup = Popup_CreateChoices(
        "Stranded \u2014 out of fuel", "The ship has no fuel left to fly on.", strandedChoices, 2);
    editor.saveWarningPopup =
        Popup_CreateQuestion("Save This Level?", "", {"Save Anyway", Editor_SaveAnyway, false},
                             {"Cancel", nullptr, false});
    if (editor.saveWarningPopup) {
        Popup_Resize(editor.saveWarningPopup, TS_Vector_Set(700.0f, 200.0f));
    }
}

// A level with empty tables of the editor's sizes. A table that cannot be
// allocated is left out with a capacity of 0, so every loop simply skips it.
void InitEmptyLevel(Level* level) {
    InitLevel(level);
    level->objects =
        static_cast<LevelObject**>(std::calloc(LEVEL_OBJECT_SLOTS, sizeof(LevelObject*)));
    level->objectCapacity = level->objects ? LEVEL_OBJECT_SLOTS : 0;
    level->texts = static_cast<TextObject**>(std::calloc(LEVEL_TEXT_SLOTS, sizeof(TextObject*)));
    level->textCapacity = level->texts ? LEVEL_TEXT_SLOTS : 0;
}

const size_t kPopupCount = 8;

Popup* const* Popups(void) {
    static Popup* list[kPopupCount];
    list[0] = LevelPanel_Popup();
    list[1] = editor.resultPopup;
    list[2] = editor.overwritePopup;
    list[3] = editor.unsavedPopup;
    list[4] = editor.helpPopup;
    list[5] = editor.runPopup;
    list[6] = editor.strandedPopup;
    list[7] = editor.saveWarningPopup;
    return list;
}

// Undo and redo from the top bar and the keys: Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y.
void UpdateHistoryCommands(void) {
    const bool ctrl = Editor_CtrlHeld();
    const bool undoKey = ctrl && !Editor_ShiftHeld() && TS_Input_KeyTriggered(TS_KEY_Z);
    const bool redoKey = ctrl && ((Editor_ShiftHeld() && TS_Input_KeyTriggered(TS_KEY_Z)) ||
                                  TS_Input_KeyTriggered(TS_KEY_Y));
    if (undoKey || Button_IsPressed(editor.undoButton)) Editor_Undo();
    else if (redoKey || Button_IsPressed(editor.redoButton)) Editor_Redo();
}

// The popups are modal: while one is open nothing else of the editor acts.
void Editor_HandleInput(void) {
    // The key that closes the Level popup (Escape) must not also act here.
    const Popup* panel = LevelPanel_Popup();
    const bool panelWasOpen = panel && panel->open;
    LevelPanel_Update();
    if (Editor_UpdatePlayReportKeys()) return;
    if (Popups_Update(Popups(), kPopupCount) || panelWasOpen) return;
    if (editor.undoButton) editor.undoButton->enabled = !editor.playMode && Editor_CanUndo();
    if (editor.redoButton) editor.redoButton->enabled = !editor.playMode && Editor_CanRedo();
    if (editor.levelButton) editor.levelButton->enabled = !editor.playMode;
    Button* topBar[8] = {editor.saveButton, editor.openButton, editor.helpButton,
                         editor.exitButton, editor.playButton, editor.undoButton,
                         editor.redoButton, editor.levelButton};
    bool barTookClick = false;
    for (Button* button : topBar) {
        if (button) Button_HitTest(button);
        barTookClick = barTookClick || Button_IsPressed(button);
    }
    if (!editor.playMode) {
        // The file chooser runs frames of its own; the keys and clicks that
        // closed it must not act on the editor as well (an Escape that
        // cancels it is not an Exit), so the frame's input ends here.
        if (Button_IsPressed(editor.saveButton)) {
            Editor_SaveCommand();
            return;
        }
        if (Editor_CtrlHeld() && TS_Input_KeyTriggered(TS_KEY_S)) {
            Editor_QuickSave();
            return;
        }
        if (Button_IsPressed(editor.openButton)) {
            Editor_OpenCommand();
            return;
        }
        if (Button_IsPressed(editor.helpButton)) Popup_Open(editor.helpPopup);
        if (Button_IsPressed(editor.levelButton)) {
            Editor_FinishTextEditing();
            LevelPanel_Open();
        }
        if (Button_IsPressed(editor.exitButton)) Editor_ExitCommand();
    }
    if (Button_IsPressed(editor.playButton) || TS_Input_KeyTriggered(TS_KEY_F5)) {
        // What is flown is what would be saved: an emptied text goes first.
        if (!editor.playMode) Editor_FinishTextEditing();
        Editor_SetPlayMode(!editor.playMode);
    }
    if (editor.playMode) {
        Editor_UpdatePlayMode();
        return;
    }
    UpdateHistoryCommands();
    // A click on the bar is not also a pick or a grab in the level behind it.
    if (barTookClick) return;
    Editor_UpdateClipboardKeys();
    Editor_UpdatePalette();
    Editor_UpdateObjects();
    if (!editor.textEditing) Editor_UpdateCameraKeys();
    if (TS_Input_KeyTriggered(TS_KEY_F1)) Popup_Open(editor.helpPopup);
    if (!editor.textEditing && !Editor_CtrlHeld() && TS_Input_KeyTriggered(TS_KEY_L)) {
        LevelPanel_Open();
    }
    if (TS_Input_KeyTriggered(TS_KEY_F3)) editor.showColliders = !editor.showColliders;
    if (!editor.textEditing && !Editor_CtrlHeld() && TS_Input_KeyTriggered(TS_KEY_I)) {
        Editor_ToggleTestIntro();
    }
    if (!editor.textEditing && !Editor_CtrlHeld() && TS_Input_KeyTriggered(TS_KEY_G)) {
        editor.showGrid = !editor.showGrid;
    }
    if (TS_Input_KeyTriggered(TS_KEY_ESCAPE)) Editor_ExitCommand();
}

void Editor_Draw(void) {
    Window_CheckFullscreenToggle();
    if (!editor.playMode) Editor_SyncSprites();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    if (editor.playMode) {
        // The World draws the gameplay background itself.
        DrawWorld();
        Editor_DrawTopBar();
    } else {
        DrawBackground(GetSpriteImage(SPRITE_GAMEPLAY_BACKGROUND));
        Editor_DrawScene();
        Editor_DrawTopBar();
        Editor_DrawSideBar();
        Editor_DrawNotice();
    }
    Popups_Draw(Popups(), kPopupCount);
    LevelPanel_Draw();
}

void Editor_Init(void) {
    BuildKindShapes();
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        editor.paletteIcons[i] = CreateImageShape(GetSpriteImage(kPaletteSprites[i]));
    }
    editor.shipMarkerShape = CreateImageShape(GetSpriteImage(SPRITE_PLAYER));

    editor.saveButton = CreateTopBarButton("Save");
    editor.openButton = CreateTopBarButton("Open");
    editor.helpButton = CreateTopBarButton("Help");
    editor.exitButton = CreateTopBarButton("Exit");
    editor.playButton = CreateTopBarButton("Play");
    editor.undoButton = CreateTopBarButton("Undo");
    editor.redoButton = CreateTopBarButton("Redo");
    editor.levelButton = CreateTopBarButton("Level");
    editor.editTextButton = Button_Create(TS_Vector_Zero());
    if (editor.editTextButton) {
        // Room for "Edit Text" in the standard label size.
        editor.editTextButton->size = TS_Vector_Set(130.0f, 36.0f);
    }
    for (int i = 0; i < PALETTE_ITEM_COUNT; ++i) {
        editor.paletteHome[i] = TS_Vector_Set(25.0f, 75.0f + 50.0f * static_cast<float>(i));
        editor.paletteHandles[i] =
            DragHandle_Create(editor.paletteHome[i], TS_Vector_Set(50.0f, 50.0f));
    }
    Editor_PreparePaletteIcons();

    editor.editorCamera.position = TS_Vector_Zero();
    editor.editorCamera.zoom = 1.0f;
    Camera_UpdateMatrices(&editor.editorCamera);
    editor.spriteZoom = editor.editorCamera.zoom;

    CreatePopups();
    LevelPanel_Create();
    editor.gizmo = Gizmo_Create(&editor.editorCamera);
    editor.shipMarker = ShipMarker{TS_Vector_Zero(), 0.0f, TS_Vector_Set(65.0f, 65.0f)};
    InitEmptyLevel(&editor.editedLevel);
    InitLevel(&editor.playLevel);

    editor.draggedPaletteItem = -1;
    editor.selection = nullptr;
    editor.showColliders = false;
    editor.showGrid = false;
    editor.noticeTime = 0.0f;
    editor.textEditing = false;
    editor.selectionIsText = false;
    Editor_RefreshEditTextLabel();

    std::snprintf(editor.titleText, sizeof editor.titleText, "%s", kUnsavedTitle);
    editor.savePath[0] = '\0';
    editor.playMode = false;
    editor.exitRequested = false;
    editor.saveInsisted = false;
    editor.testIntroOff = false;
    editor.playReported = false;
    editor.reportedTime = 0.0f;
    Editor_ResetHistory();
    Editor_Layout();
    LayoutHook = Editor_Layout;
}

void Editor_Update(void) {
    Editor_HandleInput();
    Editor_SettleHistory();
    Editor_Draw();
}

void FreeButton(Button*& button) {
    Button_Free(button);
    button = nullptr;
}

void FreePopup(Popup*& popup) {
    Popup_Free(popup);
    popup = nullptr;
}

void Editor_Exit(void) {
    // Leaving is only offered while editing, but a closing window can end the
    // game in the middle of a test flight.
    if (editor.playMode) Editor_AbandonPlayMode();
    Editor_FreeTestPlayRecording();
    for (TS_PreparedImage& copy : editor.paletteIconCopies) TS_PreparedImage_Free(&copy);
    for (Shape*& icon : editor.paletteIcons) {
        FreeOwnedShape(icon);
        icon = nullptr;
    }
    FreeOwnedShape(editor.shipMarkerShape);
    editor.shipMarkerShape = nullptr;
    editor.selection = nullptr;
    SpriteCache_Free(&editor.spriteCache);
    Editor_FreeHistory();
    Editor_FreeClipboard();
    FreeLevel(&editor.editedLevel);
    FreeKindShapes();
    FreeSound(SOUND_GAME_MUSIC);
    FreeButton(editor.saveButton);
    FreeButton(editor.openButton);
    FreeButton(editor.helpButton);
    FreeButton(editor.exitButton);
    FreeButton(editor.playButton);
    FreeButton(editor.undoButton);
    FreeButton(editor.redoButton);
    FreeButton(editor.levelButton);
    FreeButton(editor.editTextButton);
    for (DragHandle*& handle : editor.paletteHandles) {
        DragHandle_Free(handle);
        handle = nullptr;
    }
    FreePopup(editor.resultPopup);
    FreePopup(editor.overwritePopup);
    FreePopup(editor.unsavedPopup);
    FreePopup(editor.helpPopup);
    FreePopup(editor.runPopup);
    FreePopup(editor.strandedPopup);
    FreePopup(editor.saveWarningPopup);
    LevelPanel_Free();
    Gizmo_Free(editor.gizmo);
    editor.gizmo = nullptr;
    LayoutHook = nullptr;
}

}  // namespace

bool Editor_CtrlHeld(void) {
    return TS_Input_KeyDown(TS_KEY_LEFT_CONTROL) || TS_Input_KeyDown(TS_KEY_RIGHT_CONTROL);
}

bool Editor_ShiftHeld(void) {
    return TS_Input_KeyDown(TS_KEY_LEFT_SHIFT) || TS_Input_KeyDown(TS_KEY_RIGHT_SHIFT);
}

bool Editor_Snapping(void) { return editor.showGrid && !Editor_ShiftHeld(); }

TS_Vec2 Editor_SnapPoint(TS_Vec2 p) {
    if (!Editor_Snapping()) return p;
    return TS_Vector_Set(Gizmo_Snap(p.x, kGridStep), Gizmo_Snap(p.y, kGridStep));
}

void Editor_Layout(void) {
    const int w = TS_System_GetWindowWidth();
    const int h = TS_System_GetWindowHeight();
    if (editor.playMode && world.compass.arrow) {
        world.compass.arrow->position =
            TS_Vector_Set(static_cast<float>(w / 2 + 45), static_cast<float>(h / 2 + 20));
    }
    const float right = static_cast<float>(w);
    if (editor.saveButton) editor.saveButton->position = TS_Vector_Set(35.0f, 25.0f);
    if (editor.openButton) editor.openButton->position = TS_Vector_Set(105.0f, 25.0f);
    if (editor.undoButton) editor.undoButton->position = TS_Vector_Set(175.0f, 25.0f);
    if (editor.redoButton) editor.redoButton->position = TS_Vector_Set(245.0f, 25.0f);
    if (editor.levelButton) editor.levelButton->position = TS_Vector_Set(315.0f, 25.0f);
    if (editor.exitButton) editor.exitButton->position = TS_Vector_Set(right - 35.0f, 25.0f);
    if (editor.helpButton) editor.helpButton->position = TS_Vector_Set(right - 105.0f, 25.0f);
    if (editor.playButton) editor.playButton->position = TS_Vector_Set(right - 175.0f, 25.0f);
    const TS_Vec2 centre = TS_Vector_Set(static_cast<float>(w / 2), static_cast<float>(h / 2));
    Popup* const* popups = Popups();
    for (size_t i = 0; i < kPopupCount; ++i) {
        if (popups[i]) Popup_Move(popups[i], centre);
    }
    // The camera's matrices follow the window size too.
    Camera_UpdateMatrices(&editor.editorCamera);
    if (editor.gizmo) Gizmo_Place(editor.gizmo);
}

const GameState EditorScreen = {Editor_Init, Editor_Update, Editor_Exit, "Editor"};
