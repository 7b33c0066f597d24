// The level select: a button for each tutorial and each level under two
// headings, each with its best time and medal under it and a button to watch
// its best run, a custom level from a file, and "Back".
#include <cstdio>
#include <cstring>

#include "app/assets.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "app/text_file.h"
#include "app/window.h"
#include "level/kind_shapes.h"
#include "play/campaign.h"
#include "play/campaign_start.h"
#include "play/custom_level.h"
#include "play/records.h"
#include "play/watch_run.h"
#include "screens/menu_screens.h"
#include "ui/button.h"
#include "ui/file_chooser.h"
#include "ui/menu_background.h"
#include "ui/popup.h"
#include "ui/text_fit.h"
#include "ui/text_lines.h"

namespace {

enum {
    TUTORIAL_COUNT = 6,
    LEVEL_BUTTONS = CAMPAIGN_LEVEL_COUNT,  // tutorials, then the normal levels
    CUSTOM_BUTTON = LEVEL_BUTTONS,         // 19
    BACK_BUTTON = LEVEL_BUTTONS + 1,       // 20
    BUTTON_COUNT = LEVEL_BUTTONS + 2       // 21
};

const char* const kTutorialLabels[TUTORIAL_COUNT] = {"T1: Movement", "T2: Fuel", "T3: Bouncing",
                                                     "T4: Steering", "T5: Map",  "T6: Fuel Cells"};

const char* const kLoadError =
    "Failed to load level. Check that the file can be opened in the level editor.";
const float kPopupMargin = 30.0f;      // between the error message and the panel's sides
const float kPopupHeight = 250.0f;     // the sentence, three lines of path and the reason
const float kMessageTextSize = 17.0f;  // the size popups draw their messages in
const int kPathLines = 3;

const float kColumnGap = 30.0f;
const float kLabelMargin = 16.0f;  // room left and right of a label in its button
const float kRowGap = 30.0f;

// Each level's records under its button: a medal, then the best time. The
// strip's right end is left free for a control of the level's best run.
const float kRecordTextSize = 16.0f;
const float kRecordDrop = 12.0f;  // from the button's bottom edge to the strip's middle
const float kMedalRadius = 8.0f;
const float kMedalRim = 1.5f;  // the dark ring around the medal's face
const float kMedalGap = 6.0f;  // between the medal and the time
const TS_Color kRecordText = {235, 235, 235, 255};
const TS_Color kMedalRimColour = {25, 20, 15, 255};
// Each medal's face and the glint on it, none to author.
const TS_Color kMedalFaces[] = {
    {0, 0, 0, 0},        {196, 116, 48, 255}, {176, 184, 196, 255},
    {240, 186, 30, 255}, {60, 200, 180, 255},
};
const TS_Color kMedalGlints[] = {
    {0, 0, 0, 0},         {240, 180, 120, 255}, {240, 244, 250, 255},
    {255, 240, 170, 255}, {190, 255, 240, 255},
};

struct LevelBest {
    float time;  // 0: never finished (or its records cannot be read)
    Medal medal;
    char text[16];  // "5.21 s"
};
LevelBest bests[LEVEL_BUTTONS] = {};

// "Watch" at the right end of a level's strip, for a level with a best run
// that still flies it; mouse only, so the keys walk the levels as before.
const TS_Vec2 kWatchSize = {58.0f, 18.0f};
const float kWatchTextSize = 14.0f;
Button* watchButtons[LEVEL_BUTTONS] = {};

Button* buttons[BUTTON_COUNT] = {};
ButtonList* buttonList = nullptr;
Popup* errorPopup = nullptr;

bool Pressed(int index) { return Button_IsPressed(buttons[index]); }

void Place(int index, float x, float y) {
    if (buttons[index]) buttons[index]->position = TS_Vector_Set(x, y);
}

// The two grids fill rows left to right, as many columns as fit in the
// window less a 100 unit margin on each side, centred in the window whatever
// its shape.
void LevelSelect_Layout(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float bw = buttons[0] ? buttons[0]->size.x : 150.0f;
    const float bh = buttons[0] ? buttons[0]->size.y : 50.0f;
    const float usable = w - 200.0f;
    int columns = static_cast<int>(usable / (bw + kColumnGap));
    if (columns < 1) columns = 1;
    const float g = static_cast<float>(columns);
    const float step = usable / g;
    const float left = (w - (g - 1.0f) * step) * 0.5f;
    const float rowStep = bh + kRowGap;

    const float tutorialTop = h * 0.3f;
    for (int k = 0; k < TUTORIAL_COUNT; ++k) {
        Place(k, left + static_cast<float>(k % columns) * step,
              tutorialTop + static_cast<float>(k / columns) * rowStep);
    }
    // The normal grid sits at a fixed distance below the first tutorial row.
    const float levelTop = tutorialTop + bh + 100.0f;
    for (int k = 0; k < LEVEL_BUTTONS - TUTORIAL_COUNT; ++k) {
        Place(TUTORIAL_COUNT + k, left + static_cast<float>(k % columns) * step,
              levelTop + static_cast<float>(k / columns) * rowStep);
    }
    for (int i = 0; i < LEVEL_BUTTONS; ++i) {
        const Button* level = buttons[i];
        if (!watchButtons[i] || !level) continue;
        watchButtons[i]->position =
            TS_Vector_Set(level->position.x + (level->size.x - kWatchSize.x) * 0.5f,
                          level->position.y + level->size.y * 0.5f + kRecordDrop);
    }
    Place(CUSTOM_BUTTON, w * 0.5f, h * 0.85f);
    Place(BACK_BUTTON, w * 0.85f, h * 0.85f);
}

// The longer tutorial names would spill out of their buttons: the row takes
// one text size at which every name fits.
void FitTutorialLabels(void) {
    float size = buttons[0] ? buttons[0]->textSize : 25.0f;
    for (int i = 0; i < TUTORIAL_COUNT; ++i) {
        if (!buttons[i]) continue;
        const float fitted =
            FitTextSize(kTutorialLabels[i], size, buttons[i]->size.x - kLabelMargin);
        if (fitted < size) size = fitted;
    }
    for (int i = 0; i < TUTORIAL_COUNT; ++i) {
        if (buttons[i]) buttons[i]->textSize = size;
    }
}

// Every level's records, read once as the screen opens: 19 small files, each
// read within a size limit. A damaged or unreadable one shows as none.
void ReadBests(void) {
    for (int i = 0; i < LEVEL_BUTTONS; ++i) {
        LevelBest& best = bests[i];
        best = LevelBest{};
        char name[RECORD_KEY_SIZE];
        Campaign_ShippedName(i, name, sizeof name);
        LevelRecord record;
        if (Records_Load(name, &record) == 0) {
            best.time = record.bestTime;
            // The author's time counts only for the level the author flew.
            const Replay& run = record.bestRun;
            best.medal = Medal_ForTime(record.bestTime, run.parTime,
                                       Records_AuthorTimeOf(name, run.levelHash));
            std::snprintf(best.text, sizeof best.text, "%.2f s",
                          static_cast<double>(record.bestTime));
        }
        FreeLevelRecord(&record);
    }
}

void CreateWatchButtons(void) {
    for (int i = 0; i < LEVEL_BUTTONS; ++i) {
        watchButtons[i] = nullptr;
        if (!(bests[i].time > 0.0f) || !WatchRun_HasBestRun(i)) continue;
        watchButtons[i] = Button_Create(TS_Vector_Zero());
        if (!watchButtons[i]) continue;
        Button_SetLabel(watchButtons[i], "Watch");
        watchButtons[i]->size = kWatchSize;
        watchButtons[i]->textSize = kWatchTextSize;
    }
}

void LevelSelect_Init(void) {
    ReadBests();
    CreateWatchButtons();
    for (int i = 0; i < BUTTON_COUNT; ++i) buttons[i] = Button_Create(TS_Vector_Zero());
    for (int i = 0; i < TUTORIAL_COUNT; ++i) {
        if (buttons[i]) Button_SetLabel(buttons[i], kTutorialLabels[i]);
    }
    FitTutorialLabels();
    for (int i = TUTORIAL_COUNT; i < LEVEL_BUTTONS; ++i) {
        char label[20];
        std::snprintf(label, sizeof label, "Level %d", i - TUTORIAL_COUNT + 1);
        if (buttons[i]) Button_SetLabel(buttons[i], label);
    }
    if (buttons[CUSTOM_BUTTON]) {
        Button_SetLabel(buttons[CUSTOM_BUTTON], "Select a Custom Level from a File");
        buttons[CUSTOM_BUTTON]->size = TS_Vector_Set(500.0f, 50.0f);
    }
    if (buttons[BACK_BUTTON]) Button_SetLabel(buttons[BACK_BUTTON], "Back");
    LevelSelect_Layout();
    buttonList = ButtonList_Create(buttons, BUTTON_COUNT);
    ButtonList_SetBack(buttonList, buttons[BACK_BUTTON]);

    const PopupChoice ok = {"Ok", nullptr, false};
    errorPopup = Popup_CreateChoices("Custom Level Load", kLoadError, &ok, 1);
    if (errorPopup) {
        // The message is one long line: the panel widens to hold it.
        TS_Settings_TextSize(kMessageTextSize);
        float width = TS_Font_TextWidth(kLoadError) + 2.0f * kPopupMargin;
        if (width < errorPopup->size.x) width = errorPopup->size.x;
        Popup_Resize(errorPopup, TS_Vector_Set(width, kPopupHeight));
    }
    MenuBackground_Init();
    LayoutHook = LevelSelect_Layout;
}

// Leaving the menus for a level: the menu music stops and the background
// picture is let go; the pan starts afresh on the way back.
void LeaveMenus(void) {
    SoundGroup_Stop(SoundGroup::MenuMusic);
    FreeSpriteImage(SPRITE_MENU_BACKGROUND);
    MenuBackground_Reset();
}

// The error for a file that could not be read names it and the reason under
// the advice; a chooser that was closed without a file has only the advice.
void ShowLoadError(const char* path, int error) {
    if (!errorPopup) return;
    if (!path) {
        Popup_SetMessage(errorPopup, kLoadError);
    } else {
        char lines[3 * LEVEL_PATH_SIZE];
        TS_Settings_TextSize(kMessageTextSize);
        TextLines_Wrap(path, errorPopup->size.x - 2.0f * kPopupMargin, kPathLines, lines,
                       sizeof lines);
        char message[sizeof lines + 256];
        std::snprintf(message, sizeof message, "%s\n%s\n%s", kLoadError, lines,
                      FileError_Text(error));
        Popup_SetMessage(errorPopup, message);
    }
    errorPopup->open = true;
}

void OpenCustomLevel(void) {
    skipFirstFrame = true;
    char path[LEVEL_PATH_SIZE] = {};
    if (!ChooseLevelFile(path)) {
        ShowLoadError(nullptr, 0);
        return;
    }
    BuildKindShapes();
    // Any failure to read the file is shown: playing an empty level in its
    // place would pass a broken file off as a working one.
    const int error = ReadLevelFile(path, &customLevel, true);
    if (error != 0) {
        FreeLevel(&customLevel);
        FreeKindShapes();
        ShowLoadError(path, error);
        return;
    }
    std::snprintf(customPath, sizeof customPath, "%s", path);
    Screen_Finish(ScreenResult::PlayCustomLevel);
    LeaveMenus();
}

void LevelSelect_HandleButtons(void) {
    ButtonList_Update(buttonList);
    for (int i = 0; i < LEVEL_BUTTONS; ++i) {
        if (!Pressed(i)) continue;
        LeaveMenus();
        campaignStartIndex = i;
        Screen_Finish(ScreenResult::PlayCampaign);
        break;  // one level per frame
    }
    for (int i = 0; i < LEVEL_BUTTONS; ++i) {
        if (!watchButtons[i] || !Button_HitTest(watchButtons[i])) continue;
        if (watchButtons[i]->state != BUTTON_PRESSED) continue;
        LeaveMenus();
        WatchRun_Choose(i);
        Screen_Finish(ScreenResult::WatchBestRun);
        return;
    }
    if (Pressed(CUSTOM_BUTTON)) OpenCustomLevel();
    if (Pressed(BACK_BUTTON)) Screen_Finish(ScreenResult::Back);
}

// A heading sits 12.5 pixels above the top left corner of its first button.
void DrawHeading(const char* text, const Button* first) {
    if (!first) return;
    TS_Font_DrawText(text, first->position.x - first->size.x * 0.5f,
                     first->position.y - first->size.y * 0.5f - 12.5f);
}

// The medal disc and the best time in the strip under a level's button.
void DrawBest(const Button* button, const LevelBest& best) {
    if (!button || !(best.time > 0.0f)) return;
    const float y = button->position.y + button->size.y * 0.5f + kRecordDrop;
    float x = button->position.x - button->size.x * 0.5f + kMedalRadius + 2.0f;
    if (best.medal != MEDAL_NONE) {
        const float face = kMedalRadius - kMedalRim;
        TS_Settings_NoStroke();
        TS_Settings_Fill(kMedalRimColour);
        TS_Graphics_DrawEllipse(x, y, kMedalRadius * 2.0f, kMedalRadius * 2.0f);
        TS_Settings_Fill(kMedalFaces[best.medal]);
        TS_Graphics_DrawEllipse(x, y, face * 2.0f, face * 2.0f);
        TS_Settings_Fill(kMedalGlints[best.medal]);
        TS_Graphics_DrawEllipse(x - face * 0.35f, y - face * 0.35f, face * 0.7f, face * 0.7f);
    }
    x += kMedalRadius + kMedalGap;
    TS_Settings_Fill(kRecordText);
    TS_Font_DrawText(best.text, x, y);
}

void DrawBests(void) {
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(kRecordTextSize);
    for (int i = 0; i < LEVEL_BUTTONS; ++i) DrawBest(buttons[i], bests[i]);
}

void LevelSelect_Draw(void) {
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    MenuBackground_DrawDimmed();
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(65.0f);
    TS_Font_DrawText("Level Select", static_cast<float>(TS_System_GetWindowWidth() / 2), h * 0.15f);
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_BOTTOM);
    TS_Settings_TextSize(30.0f);
    DrawHeading("Tutorial Levels", buttons[0]);
    DrawHeading("Normal Levels", buttons[TUTORIAL_COUNT]);
    ButtonList_Draw(buttonList);
    DrawBests();
    for (Button* watch : watchButtons) {
        if (watch) Button_Draw(watch, watch->state);
    }
    Popups_Draw(&errorPopup, 1);
}

void LevelSelect_Update(void) {
    if (!Popups_Update(&errorPopup, 1)) LevelSelect_HandleButtons();
    Window_CheckFullscreenToggle();
    LevelSelect_Draw();
}

void LevelSelect_Exit(void) {
    FreeSpriteImage(SPRITE_MENU_BACKGROUND);
    ButtonList_Free(buttonList);
    buttonList = nullptr;
    Buttons_Free(buttons, BUTTON_COUNT);
    Buttons_Free(watchButtons, LEVEL_BUTTONS);
    Popup_Free(errorPopup);
    errorPopup = nullptr;
    LayoutHook = nullptr;
}

}  // namespace

const GameState LevelSelectScreen = {LevelSelect_Init, LevelSelect_Update, LevelSelect_Exit,
                                     "LevelSelect"};
