// The HUD over a flying level: the goal compass and its distance, the fuel
// gauge under the ship, the empty-tank hint, the thruster flames, the skip
// hint of the intro and the capture, and the level clock with the level's
// best time beside it.
#include <cstdio>

#include "app/bindings.h"
#include "level/level.h"
#include "world/draw.h"

namespace {

const TS_Color kWhite = {255, 255, 255, 255};
const TS_Color kBlack = {0, 0, 0, 255};
const TS_Color kGaugeBack = {105, 105, 105, 255};
const TS_Color kGaugeTrail = {68, 1, 1, 255};
const TS_Color kGaugeHigh = {4, 152, 29, 255};
const TS_Color kGaugeMid = {196, 145, 2, 255};
const TS_Color kGaugeLow = {198, 16, 3, 255};
const TS_Color kLabelLight = {250, 235, 215, 255};
const TS_Color kKeyFill = {240, 240, 240, 255};
const TS_Color kKeyOutline = {27, 172, 235, 255};
const float kGaugeHeight = 20.0f;
const float kHudTextSize = 20.0f;
const float kEmptyTankHintSeconds = 3.0f;
const TS_Color kBestText = {200, 200, 200, 255};
const float kBestTextSize = 16.0f;
const float kBestGap = 22.0f;      // from the clock's baseline up to the best's
const float kClockMargin = 10.0f;  // the clock (and the best above it) off the window's edges
const float kSkipGap = 5.0f;       // between the skip hint's key cap and "to Skip"

// "Best 5.21 s", written again only when the best changes (a new level, or a
// run that beat it): the same text draws from the text cache every frame.
char bestText[32] = {};
float bestShown = 0.0f;

void DrawBestTime(float right, float bottom) {
    if (!(world.bestTime > 0.0f)) return;
    if (world.bestTime != bestShown || !bestText[0]) {
        std::snprintf(bestText, sizeof bestText, "Best %.2f s",
                      static_cast<double>(world.bestTime));
        bestShown = world.bestTime;
    }
    TS_Settings_TextAlignment(TS_ALIGN_RIGHT, TS_ALIGN_BOTTOM);
    TS_Settings_Fill(kBestText);
    TS_Settings_TextSize(kBestTextSize);
    TS_Font_DrawText(bestText, right, bottom - kBestGap);
}

void DrawCompass(void) {
    GameObject* arrow = world.compass.arrow;
    if (!arrow) return;
    DrawWorldObject(arrow);
    const TS_Vec2 a = TS_Vector_MatrixMultiply(world.camera.worldToScreen, arrow->position);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(kWhite);
    TS_Settings_TextSize(kHudTextSize);
    // The distance changes as the ship flies: put together from cached digits.
    TS_Font_DrawChangingText(world.compass.distanceText, a.x + 40.0f, a.y);
}

void DrawFlames(void) {
    if (world.thrustHeld) DrawWorldObject(world.flames[FLAME_BOTTOM]);
    if (world.turnLeftHeld) DrawWorldObject(world.flames[FLAME_RIGHT]);
    if (world.turnRightHeld) DrawWorldObject(world.flames[FLAME_LEFT]);
}

}  // namespace

void DrawFuelGauge(const FuelGauge* gauge, TS_Vec2 screenPos) {
    const TS_Vec2 o = TS_Vector_Add(screenPos, TS_Vec2{-50.0f, 40.0f});
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Settings_NoStroke();
    TS_Settings_Fill(kGaugeBack);
    TS_Graphics_DrawRect(o.x, o.y, gauge->max, kGaugeHeight);
    if (gauge->trail > gauge->fuel) {
        TS_Settings_Fill(kGaugeTrail);
        TS_Graphics_DrawRect(o.x, o.y, gauge->trail, kGaugeHeight);
    }
    TS_Settings_Fill(gauge->shown >= 60.0f   ? kGaugeHigh
                     : gauge->shown >= 30.0f ? kGaugeMid
                                             : kGaugeLow);
    TS_Graphics_DrawRect(o.x, o.y, gauge->shown, kGaugeHeight);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_Fill(gauge->fuel > 50.0f ? kBlack : kLabelLight);
    TS_Settings_TextSize(kHudTextSize);
    TS_Font_DrawText(gauge->label, o.x + 50.0f, o.y + 10.0f);
}

void DrawFlyingHud(void) {
    if (world.level.goal) DrawCompass();
    const TS_Vec2 s =
        TS_Vector_MatrixMultiply(world.camera.worldToScreen, world.ship.body->position);
    const FuelGauge* gauge = world.ship.fuel;
    if (!(world.level.flags & LEVEL_UNLIMITED_FUEL)) DrawFuelGauge(gauge, s);
    if (gauge->fuel <= 0.0f && world.emptyTankTime > kEmptyTankHintSeconds) {
        TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_BOTTOM);
        TS_Settings_Fill(kWhite);
        TS_Settings_TextSize(kHudTextSize);
        TS_Font_DrawText("Press Esc to Restart", s.x, s.y - 35.0f);
    }
    DrawFlames();
}

void DrawSkipHint(void) {
    const float w = static_cast<float>(TS_System_GetWindowWidth());
    const float h = static_cast<float>(TS_System_GetWindowHeight());
    TS_Settings_RectMode(TS_MODE_CENTER);
    TS_Settings_Fill(kKeyFill);
    TS_Settings_Stroke(kKeyOutline);
    TS_Graphics_DrawRect(w * 0.045f, h * 0.97f, 15.0f, 15.0f);
    TS_Settings_TextAlignment(TS_ALIGN_CENTER, TS_ALIGN_MIDDLE);
    TS_Settings_TextSize(15.0f);
    TS_Settings_Fill(kBlack);
    // The skip key the player bound, or their pad's button.
    const char* key = Controls_PadInUse() ? Bindings_PadName(Bindings_Pad(CONTROL_SKIP))
                                          : KeyShortName(Bindings_Key(CONTROL_SKIP));
    // A longer name than a letter shrinks to stay on its cap.
    const float width = TS_Font_TextWidth(key);
    if (width > 14.0f) TS_Settings_TextSize(15.0f * 14.0f / width);
    TS_Font_DrawText(key, w * 0.045f, h * 0.97f);
    TS_Settings_TextSize(15.0f);
    TS_Settings_Fill(kWhite);
    TS_Font_DrawText("Press", w * 0.02f, h * 0.97f);
    // A space's width after the key cap.
    TS_Settings_TextAlignment(TS_ALIGN_LEFT, TS_ALIGN_MIDDLE);
    TS_Font_DrawText("to Skip", w * 0.045f + 7.5f + kSkipGap, h * 0.97f);
}

void DrawLevelClock(void) {
    static char clock[30];
    std::snprintf(clock, sizeof clock, "Time: %4.2fs", static_cast<double>(world.levelTime));
    TS_Settings_TextAlignment(TS_ALIGN_RIGHT, TS_ALIGN_BOTTOM);
    TS_Settings_Fill(kWhite);
    TS_Settings_TextSize(kHudTextSize);
    // A new value every frame: put together from cached characters.
    const float right = static_cast<float>(TS_System_GetWindowWidth()) - kClockMargin;
    const float bottom = static_cast<float>(TS_System_GetWindowHeight()) - kClockMargin;
    TS_Font_DrawChangingText(clock, right, bottom);
    DrawBestTime(right, bottom);
}
