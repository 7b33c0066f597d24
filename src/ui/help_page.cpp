// The help page and its two demos: a ship that flies forward after an arrow
// fades in, and a ship that turns while side arrows fade in and out.
#include "ui/help_page.h"

#include <cmath>

#include "app/assets.h"
#include "app/bindings.h"
#include "app/config.h"
#include "app/screens.h"
#include "app/window.h"
#include "level/level.h"
#include "level/objects.h"
#include "ui/button.h"
#include "ui/menu_background.h"
#include "ui/text_fit.h"
#include "world/draw.h"

namespace {

// True while the page is the in-game overlay: its "Back" then only closes it.
bool helpInGame = false;
// The overlay is shown.
bool helpOpen = false;

Shape* demoShipShape = nullptr;
GameObject* forwardShip = nullptr;
GameObject* turnShip = nullptr;
Button* backButton = nullptr;
ButtonList* backList = nullptr;

float forwardTimer = 0.0f;
float forwardAlpha = 0.0f;
int forwardPhase = 0;  // 0 arrow fades in, 1 fades out, 2 hidden while the ship flies
float turnTimer = 0.0f;
float turnAlpha = 0.0f;
int rightPhase = 0;
int leftPhase = 0;

const float kCapGap = 8.0f;  // space between a key cap and the words beside it

// The demo ships, the arrows and the map picture are drawn scaled or turned,
// which the software renderer redoes (and allocates for) on every draw; so
// each is prepared once when the page opens and copied plainly after that.
// The turning ship turns 2 degrees a frame at 60 frames a second, up to 120
// degrees either way: it is prepared at every kTurnStep degrees of that
// reach and shown at the nearest, which is the turn it would have been drawn
// at (a turn beyond the reach, after a long frame, is drawn directly).
const float kDemoShipSize = 55.0f;
const int kTurnStep = 2;
const int kTurnReachSteps = 130 / kTurnStep;
const int kTurnCopies = 2 * kTurnReachSteps + 1;

struct HelpCopies {
    TS_PreparedImage forwardShip;
    TS_PreparedImage turnShip[kTurnCopies];  // from the furthest left turn to the right
    TS_PreparedImage forwardArrow;
    TS_PreparedImage rightArrow;
    TS_PreparedImage leftArrow;
    TS_PreparedImage map;
    bool made;
};
HelpCopies copies = {};

float WindowW(void) { return static_cast<float>(TS_System_GetWindowWidth()); }
float WindowH(void) { return static_cast<float>(TS_System_GetWindowHeight()); }
float HalfW(void) { return static_cast<float>(TS_System_GetWindowWidth() / 2); }

GameObject* CreateDemoShip(void) {
    GameObject* ship = CreateGameObject();
    if (!ship) return nullptr;
    ship->size = TS_Vector_Set(kDemoShipSize, kDemoShipSize);
    ship->shape = demoShipShape;
    return ship;
}

// The turn, a whole number of steps, nearest `rotation`.
int NearestStep(float rotation) {
    return static_cast<int>(std::lround(rotation / static_cast<float>(kTurnStep)));
}

// The copy showing a turn of `step` steps, null beyond the reach.
TS_PreparedImage TurnCopy(int step) {
    if (step < -kTurnReachSteps || step > kTurnReachSteps) return nullptr;
    return copies.turnShip[step + kTurnReachSteps];
}

void DrawDemoShip(const GameObject* ship, float rotation, TS_PreparedImage copy) {
    if (!ship || !ship->active || !ship->shape) return;
    const DrawTransform transform = {ship->position, rotation, ship->size};
    DrawShape_Copying(ship->shape, transform, copy);
}

// An image from its prepared copy, or directly when it has none (a picture
// too large to prepare, a renderer that could not make it).
void DrawImageCopy(TS_PreparedImage copy, TS_Image image, float x, float y, float w, float h,
                   int alpha, float rotation) {
    if (copy) TS_PreparedImage_Draw(copy, image, x, y, w, h, alpha, rotation);
    else TS_Image_DrawAdvanced(image, x, y, w, h, alpha, rotation);
}

TS_PreparedImage PrepareShape(const Shape* shape, float rotation) {
    if (!shape || shape->type != SHAPE_IMAGE) return nullptr;
    const TS_Vec2 box = DrawShape_ImageBox(shape, TS_Vector_Set(kDemoShipSize, kDemoShipSize));
    return TS_PreparedImage_Create(shape->image, box.x, box.y, rotation);
}

// Made before a frame draws: when the page opens as a screen, or when the
// pause menu opens it over a game (a level's start does not pay for them).
void PrepareCopies(void) {
    if (copies.made) return;
    copies.made = true;
    copies.forwardShip = PrepareShape(demoShipShape, 0.0f);
    for (int i = 0; i < kTurnCopies; ++i) {
        const int step = i - kTurnReachSteps;
        copies.turnShip[i] = PrepareShape(demoShipShape, static_cast<float>(step * kTurnStep));
    }
    TS_Image arrow = GetSpriteImage(SPRITE_ARROW);
    const float aw = static_cast<float>(TS_Image_GetWidth(arrow));
    const float ah = static_cast<float>(TS_Image_GetHeight(arrow));
    copies.forwardArrow = TS_PreparedImage_Create(arrow, aw * 0.75f, ah * 0.75f, 0.0f);
    copies.rightArrow = TS_PreparedImage_Create(arrow, aw * 0.5f, ah * 0.5f, 90.0f);
    copies.leftArrow = TS_PreparedImage_Create(arrow, aw * 0.5f, ah * 0.5f, -90.0f);
    TS_Image map = GetSpriteImage(SPRITE_MAP_DEMO);
    copies.map = TS_PreparedImage_Create(map, static_cast<float>(TS_Image_GetWidth(map)) * 0.15f,
                                         static_cast<float>(TS_Image_GetHeight(map)) * 0.15f, 0.0f);
}

void FreeCopies(void) {
    TS_PreparedImage_Free(&copies.forwardShip);
    for (TS_PreparedImage& copy : copies.turnShip) TS_PreparedImage_Free(&copy);
    TS_PreparedImage_Free(&copies.forwardArrow);
    TS_PreparedImage_Free(&copies.rightArrow);
    TS_PreparedImage_Free(&copies.leftArrow);
    TS_PreparedImage_Free(&copies.map);
    copies.made = false;
}

void DrawKeyCap(float x, float y, float w, float h) { TS_Graphics_DrawRect(x, y, w, h); }

// A key's name, shrunk when it would spill over its cap ("Spacebar").
void DrawCapLabel(const char* label, float x, float y, float capWidth) {
    FitTextSize(label, 25.0f, capWidth - 6.0f);
    TS_Font_DrawText(label, x, y);
}

void Help_DrawKeys(float w, float h) {
    const int thrustKey = Bindings_Key(CONTROL_THRUST);
    const int leftKey = Bindings_Key(CONTROL_TURN_LEFT);
    const int rightKey = Bindings_Key(CONTROL_TURN_RIGHT);
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Stroke(TS_Color_Create(27, 172, 235, 255));
    TS_Settings_Fill(TS_Color_Create(240, 240, 240, 255));
    DrawKeyCap(w * 0.15f, h * 0.6f, thrustKey == TS_KEY_SPACE ? 100.0f : 33.0f, 33.0f);
    DrawKeyCap(w * 0.47f, h * 0.6f, 33.0f, 33.0f);
    DrawKeyCap(w * 0.53f, h * 0.6f, 33.0f, 33.0f);
    DrawKeyCap(w * 0.85f, h * 0.6f, 33.0f, 33.0f);
    DrawKeyCap(w * 0.45f, h * 0.75f, 50.0f, 33.0f);

    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(TS_Color_Create(0, 0, 0, 255));
    DrawCapLabel(KeyShortName(thrustKey), w * 0.15f, h * 0.6f,
                 thrustKey == TS_KEY_SPACE ? 100.0f : 33.0f);
    DrawCapLabel(KeyShortName(leftKey), w * 0.47f, h * 0.6f, 33.0f);
    DrawCapLabel(KeyShortName(rightKey), w * 0.53f, h * 0.6f, 33.0f);
    DrawCapLabel(KeyShortName(Bindings_Key(CONTROL_MAP)), w * 0.85f, h * 0.6f, 33.0f);
    DrawCapLabel(KeyShortName(Bindings_Key(CONTROL_PAUSE)), w * 0.45f, h * 0.75f, 50.0f);
}

void Help_DrawTexts(float w, float h) {
    const float halfW = HalfW();
    TS_Settings_Fill(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_TextSize(25.0f);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Font_DrawText("Press", w * 0.15f, h * 0.55f);
    TS_Font_DrawText("to move Forward", w * 0.15f, h * 0.65f);
    TS_Font_DrawText("Press", halfW, h * 0.55f);
    TS_Font_DrawText("or", halfW, h * 0.6f);
    TS_Font_DrawText("to Rotate the spaceship", halfW, h * 0.65f);
    TS_Font_DrawText("Press and hold", w * 0.85f, h * 0.55f);
    TS_Font_DrawText("to show the Map", w * 0.85f, h * 0.65f);
    // The words around the Esc cap move aside where a narrow window would
    // make them touch it.
    const float capLeft = w * 0.45f - 25.0f;
    const float capRight = w * 0.45f + 25.0f;
    const float pressHalf = TS_Font_TextWidth("Press") * 0.5f;
    const float pauseHalf = TS_Font_TextWidth("to Pause the game") * 0.5f;
    const float pressX =
        w * 0.4f + pressHalf > capLeft - kCapGap ? capLeft - kCapGap - pressHalf : w * 0.4f;
    const float pauseX =
        w * 0.55f - pauseHalf < capRight + kCapGap ? capRight + kCapGap + pauseHalf : w * 0.55f;
    TS_Font_DrawText("Press", pressX, h * 0.75f);
    TS_Font_DrawText("to Pause the game", pauseX, h * 0.75f);
    TS_Settings_TextSize(65.0f);
    TS_Font_DrawText("Help", halfW, h * 0.15f);
}

// The forward arrow fades in for a second and out for a second; then it
// hides while the ship flies (Help_Update moves it).
void Help_DrawForwardHint(float w, float h, float dt) {
    TS_Image arrow = GetSpriteImage(SPRITE_ARROW);
    const float aw = static_cast<float>(TS_Image_GetWidth(arrow));
    const float ah = static_cast<float>(TS_Image_GetHeight(arrow));
    forwardTimer += dt;
    forwardPhase = forwardTimer < 1.0f ? 0 : (forwardTimer < 2.0f ? 1 : 2);
    if (forwardPhase == 2) return;
    forwardAlpha += forwardPhase == 0 ? 255.0f * dt : -255.0f * dt;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    DrawImageCopy(copies.forwardArrow, arrow, w * 0.15f, h * 0.25f, aw * 0.75f, ah * 0.75f,
                  static_cast<int>(forwardAlpha), 0.0f);
}

// Over seven seconds: the right arrow in and out while the ship turns right
// and back, a pause, then the same to the left.
void Help_DrawTurnHints(float w, float h, float dt) {
    TS_Image arrow = GetSpriteImage(SPRITE_ARROW);
    const float aw = static_cast<float>(TS_Image_GetWidth(arrow)) * 0.5f;
    const float ah = static_cast<float>(TS_Image_GetHeight(arrow)) * 0.5f;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    turnTimer += dt;
    rightPhase = turnTimer < 1.0f ? 0 : (turnTimer < 3.0f ? 1 : 2);
    if (rightPhase != 2) {
        turnAlpha += rightPhase == 0 ? 255.0f * dt : -127.5f * dt;
        DrawImageCopy(copies.rightArrow, arrow, w * 0.55f, h * 0.35f, aw, ah,
                      static_cast<int>(turnAlpha), 90.0f);
    }
    leftPhase = turnTimer < 3.5f ? 2 : (turnTimer < 4.5f ? 0 : (turnTimer < 6.5f ? 1 : 2));
    if (leftPhase != 2) {
        turnAlpha += leftPhase == 0 ? 255.0f * dt : -127.5f * dt;
        DrawImageCopy(copies.leftArrow, arrow, w * 0.45f, h * 0.35f, aw, ah,
                      static_cast<int>(turnAlpha), -90.0f);
    }
}

void Help_DrawMapPicture(float w) {
    TS_Image map = GetSpriteImage(SPRITE_MAP_DEMO);
    const float mw = static_cast<float>(TS_Image_GetWidth(map)) * 0.15f;
    const float mh = static_cast<float>(TS_Image_GetHeight(map)) * 0.15f;
    // Placed by the width on both axes, so it keeps clear of the title.
    const float x = w * 0.85f;
    const float y = w * 0.2f;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Stroke(TS_Color_Create(255, 255, 255, 255));
    TS_Settings_NoFill();
    TS_Graphics_DrawRect(x, y, mw, mh);
    DrawImageCopy(copies.map, map, x, y, mw, mh, 255, 0.0f);
}

}  // namespace

void Help_Layout(void) {
    const float w = WindowW();
    const float h = WindowH();
    if (backButton) backButton->position = TS_Vector_Set(w * 0.85f, h * 0.85f);
    if (forwardShip) forwardShip->position = TS_Vector_Set(w * 0.15f, h * 0.45f);
    if (turnShip) turnShip->position = TS_Vector_Set(HalfW(), h * 0.45f);
}

void Help_Init(void) {
    demoShipShape = CreateImageShape(GetSpriteImage(SPRITE_PLAYER));
    forwardShip = CreateDemoShip();
    turnShip = CreateDemoShip();
    forwardTimer = forwardAlpha = 0.0f;
    turnTimer = turnAlpha = 0.0f;
    forwardPhase = rightPhase = leftPhase = 0;
    backButton = Button_Create(TS_Vector_Zero());
    if (backButton) Button_SetLabel(backButton, "Back");
    backList = backButton ? ButtonList_CreateSingle(backButton) : nullptr;
    ButtonList_SetBack(backList, backButton);
    FreeCopies();
    if (!helpInGame) PrepareCopies();
    Help_Layout();
    if (!helpInGame) LayoutHook = Help_Layout;
}

void Help_UseAsOverlay(void) {
    helpInGame = true;
    helpOpen = false;
}

void Help_UseAsScreen(void) {
    helpInGame = false;
    helpOpen = false;
}

bool Help_IsOverlay(void) { return helpInGame; }

void Help_OpenOverlay(void) {
    PrepareCopies();
    helpOpen = true;
}

void Help_CloseOverlay(void) { helpOpen = false; }

bool Help_OverlayOpen(void) { return helpOpen; }

void Help_Update(void) {
    const float dt = TS_System_GetDt();
    const float w = WindowW();
    const float h = WindowH();
    if (!helpInGame) Window_CheckFullscreenToggle();

    ButtonList_Update(backList);
    if (Button_IsPressed(backButton)) {
        if (helpInGame) {
            helpOpen = false;
        } else {
            Screen_Finish(ScreenResult::Back);
        }
    }

    if (forwardShip) {
        if (forwardPhase == 2) forwardShip->position.y -= 200.0f * dt;
        if (forwardShip->position.y <= h * 0.45f - 200.0f) {
            forwardShip->position = TS_Vector_Set(w * 0.15f, h * 0.45f);
            forwardPhase = 0;
            forwardTimer = 0.0f;
        }
    }
    if (turnShip) {
        float& rotation = turnShip->rotation;
        if (rightPhase == 0) rotation += 120.0f * dt;
        else if (rightPhase == 1) rotation -= 120.0f * dt;
        else if (rotation > 1.0f) rotation = 0.0f;
        if (leftPhase == 0) rotation -= 120.0f * dt;
        else if (leftPhase == 1) rotation += 120.0f * dt;
        else if (rotation < -1.0f) rotation = 0.0f;
    }
    if (turnTimer > 7.0f) {
        rightPhase = 0;
        turnTimer = 0.0f;
    }

    if (!helpInGame) Help_Draw();
}

void Help_Draw(void) {
    const float dt = TS_System_GetDt();
    const float w = WindowW();
    const float h = WindowH();
    MenuBackground_DrawDimmed();

    DrawDemoShip(forwardShip, 0.0f, copies.forwardShip);
    if (turnShip) {
        const int step = NearestStep(turnShip->rotation);
        const TS_PreparedImage copy = TurnCopy(step);
        DrawDemoShip(turnShip, copy ? static_cast<float>(step * kTurnStep) : turnShip->rotation,
                     copy);
    }
    Help_DrawKeys(w, h);
    Help_DrawTexts(w, h);
    ButtonList_Draw(backList);
    Help_DrawForwardHint(w, h, dt);
    Help_DrawTurnHints(w, h, dt);
    Help_DrawMapPicture(w);
}

void Help_Exit(void) {
    FreeCopies();
    FreeSpriteImage(SPRITE_ARROW);
    FreeSpriteImage(SPRITE_PLAYER);
    FreeGameObject(forwardShip);
    FreeGameObject(turnShip);
    forwardShip = turnShip = nullptr;
    FreeOwnedShape(demoShipShape);
    demoShipShape = nullptr;
    ButtonList_Free(backList);
    backList = nullptr;
    Button_Free(backButton);
    backButton = nullptr;
    // In a game the layout hook belongs to the gameplay screen.
    if (LayoutHook == Help_Layout) LayoutHook = nullptr;
}
