// The menu background bounces between a quarter and the whole window width at
// 24 pixels per second, so it keeps panning smoothly across menu screens.
#include "ui/menu_background.h"

#include "app/assets.h"
#include "platform/tessera.h"

namespace {

bool initialised = false;
float anchorX = 0.0f;
float currentX = 0.0f;
int movingLeft = 1;
int panWidth = 0;  // the window width the pan was laid out for

}  // namespace

void MenuBackground_Init(void) {
    if (initialised) return;
    panWidth = TS_System_GetWindowWidth();
    anchorX = currentX = static_cast<float>(panWidth >> 2);
    movingLeft = 1;
    initialised = true;
}

void MenuBackground_Reset(void) { initialised = false; }

namespace {

// A menu screen's own dim over the picture: its buttons and texts stand out.
const int kDim = 150;

// When the window changes width (Alt+Enter, a resize) the pan keeps its
// place and direction but spans the new width: a pan laid out for a wider
// window would leave the picture's edge inside this one.
void FollowWindowWidth(void) {
    const int width = TS_System_GetWindowWidth();
    if (width == panWidth || panWidth <= 0 || width <= 0) return;
    const float anchor = static_cast<float>(width >> 2);
    currentX = anchorX > 0.0f ? currentX / anchorX * anchor : anchor;
    anchorX = anchor;
    panWidth = width;
}

void DrawPicture(int dim) {
    MenuBackground_Init();
    FollowWindowWidth();
    const float step = TS_System_GetDt() * 24.0f;
    if (anchorX > currentX && movingLeft == 1) {
        movingLeft = 0;
        currentX += step;
    } else if (currentX > 4.0f * anchorX && movingLeft == 0) {
        movingLeft = 1;
        currentX -= step;
    } else {
        currentX += movingLeft == 1 ? -step : step;
    }
    TS_Image image = GetSpriteImage(SPRITE_MENU_BACKGROUND);
    const int imageHeight = TS_Image_GetHeight(image);
    const float windowWidth = static_cast<float>(TS_System_GetWindowWidth());
    const float aspect = imageHeight > 0 ? static_cast<float>(TS_Image_GetWidth(image)) /
                                               static_cast<float>(imageHeight)
                                         : 0.0f;
    // The picture fills the window height; its centre pans from a quarter of
    // the width to the whole width, so it must be twice the window wide to
    // cover it all the way. A window wider than 16:9 (21:9) gets the picture
    // taller than the window, cut at the top and bottom.
    float height = static_cast<float>(TS_System_GetWindowHeight());
    if (aspect > 0.0f && aspect * height < 2.0f * windowWidth) height = 2.0f * windowWidth / aspect;
    const float width = aspect * height;
    // Only what it leaves uncovered (a missing picture) needs clearing to
    // black first.
    if (currentX - width * 0.5f > -1.0f || currentX + width * 0.5f < windowWidth + 1.0f) {
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 255));
    }
    if (imageHeight <= 0) return;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    const float y = static_cast<float>(TS_System_GetWindowHeight() / 2);
    if (dim > 0) TS_Image_DrawDimmed(image, currentX, y, width, height, dim);
    else TS_Image_Draw(image, currentX, y, width, height, 255);
}

}  // namespace

void MenuBackground_Draw(void) { DrawPicture(0); }

void MenuBackground_DrawDimmed(void) { DrawPicture(kDim); }
