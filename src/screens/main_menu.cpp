// The main menu: the logo over the panning background, seven buttons that
// lead everywhere, and the "are you sure" popup before quitting.
#include "app/assets.h"
#include "app/screens.h"
#include "app/sound_groups.h"
#include "app/window.h"
#include "play/campaign_start.h"
#include "screens/menu_screens.h"
#include "ui/help_page.h"
#include "ui/button.h"
#include "ui/menu_background.h"
#include "ui/popup.h"

namespace {

enum {
    MENU_PLAY,
    MENU_LEVEL_SELECT,
    MENU_OPTIONS,
    MENU_HELP,
    MENU_EDITOR,
    MENU_CREDITS,
    MENU_QUIT,
    MENU_BUTTON_COUNT
};

const char* const kLabels[MENU_BUTTON_COUNT] = {"Play",         "Level Select", "Options", "Help",
                                                "Level Editor", "Credits",      "Quit"};

Button* buttons[MENU_BUTTON_COUNT] = {};
ButtonList* buttonList = nullptr;
Popup* quitPopup = nullptr;

bool Pressed(int index) { return Button_IsPressed(buttons[index]); }

// "Yes" ends the game; any other answer only closes the question.

void MainMenu_Layout(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    const float left = (w * 0.1f + 150.0f) * 0.5f;
    const float step = (w * 0.9f - 1050.0f) / 6.0f + 150.0f;
    for (int i = 0; i < MENU_BUTTON_COUNT; ++i) {
        if (buttons[i]) buttons[i]->position = TS_Vector_Set(left + step * i, h * 0.775f);
    }
    // The question stays in the middle of the new window.
    if (quitPopup) Popup_Move(quitPopup, TS_Vector_Set(w * 0.5f, h * 0.5f));
}

void MainMenu_Init(void) {
    for (int i = 0; i < MENU_BUTTON_COUNT; ++i) {
        buttons[i] = Button_Create(TS_Vector_Zero());
        if (buttons[i]) Button_SetLabel(buttons[i], kLabels[i]);
    }
    buttonList = ButtonList_Create(buttons, MENU_BUTTON_COUNT);
    quitPopup = Popup_CreateQuestion("Quit Game", "Are you sure you want to quit?",
                                     {"Yes", Game_Quit, false}, {"No", nullptr, false});
    if (quitPopup) quitPopup->draggable = false;
    MainMenu_Layout();
    MenuBackground_Init();
    LayoutHook = MainMenu_Layout;
}

void MainMenu_HandleButtons(void) {
    ButtonList_Update(buttonList);
    if (Pressed(MENU_PLAY)) {
        SoundGroup_Stop(SoundGroup::MenuMusic);
        FreeSpriteImage(SPRITE_MENU_BACKGROUND);
        MenuBackground_Reset();
        campaignStartIndex = 0;
        Screen_Finish(ScreenResult::PlayCampaign);
    }
    if (Pressed(MENU_LEVEL_SELECT)) Screen_Finish(ScreenResult::ChooseLevel);
    if (Pressed(MENU_HELP)) {
        Help_UseAsScreen();  // so that its "Back" returns here
        Screen_Finish(ScreenResult::OpenHelp);
    }
    if (Pressed(MENU_OPTIONS)) Screen_Finish(ScreenResult::OpenOptions);
    if (Pressed(MENU_EDITOR)) {
        FreeSpriteImage(SPRITE_MENU_BACKGROUND);
        MenuBackground_Reset();
        Screen_Finish(ScreenResult::OpenEditor);
    }
    if (Pressed(MENU_CREDITS)) Screen_Finish(ScreenResult::OpenCredits);
    if (Pressed(MENU_QUIT) && quitPopup) quitPopup->open = true;
}

void MainMenu_Draw(void) {
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    MenuBackground_Draw();
    TS_Image logo = GetSpriteImage(SPRITE_LOGO);
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_Image_Draw(logo, static_cast<float>(TS_System_GetWindowWidth() / 2), h * 0.425f,
                  static_cast<float>(TS_Image_GetWidth(logo)) * 0.75f,
                  static_cast<float>(TS_Image_GetHeight(logo)) * 0.75f, 255);
    ButtonList_Draw(buttonList);
    Popups_Draw(&quitPopup, 1);
}

void MainMenu_Update(void) {
    Window_CheckFullscreenToggle();
    if (!Popups_Update(&quitPopup, 1)) MainMenu_HandleButtons();
    MainMenu_Draw();
}

void MainMenu_Exit(void) {
    FreeSpriteImages();
    ButtonList_Free(buttonList);
    buttonList = nullptr;
    Buttons_Free(buttons, MENU_BUTTON_COUNT);
    Popup_Free(quitPopup);
    quitPopup = nullptr;
    LayoutHook = nullptr;
}

}  // namespace

const GameState MainMenuScreen = {MainMenu_Init, MainMenu_Update, MainMenu_Exit, "MainMenu"};
