// Drag handles: the title bars by which popups are moved, and the dimming
// overlay drawn behind menus.
#include <cstdlib>

#include "ui/popup.h"

DragHandle* DragHandle_Create(TS_Vec2 position, TS_Vec2 size) {
    DragHandle* handle = static_cast<DragHandle*>(std::malloc(sizeof(DragHandle)));
    if (!handle) return nullptr;
    handle->position = position;
    handle->size = size;
    handle->dragging = false;
    handle->heldTime = 0.0f;
    return handle;
}

void DragHandle_Free(DragHandle* handle) { std::free(handle); }

TS_Vec2 DragHandle_Update(DragHandle* handle) {
    const float mx = TS_Input_GetMouseX();
    const float my = TS_Input_GetMouseY();
    if (handle->dragging) {
        handle->heldTime += TS_System_GetDt();
        const float w = static_cast<float>(TS_System_GetWindowWidth());
        const float h = static_cast<float>(TS_System_GetWindowHeight());
        const bool inWindow = mx >= 0.0f && mx <= w && my >= 0.0f && my <= h;
        if (TS_Input_MouseDown(TS_MOUSE_LEFT) && inWindow) {
            const TS_Vec2 movement =
                TS_Vector_Set(TS_Input_GetMousePreviousX() - mx, TS_Input_GetMousePreviousY() - my);
            handle->position = TS_Vector_Subtract(handle->position, movement);
            return movement;
        }
        handle->dragging = false;
        return TS_Vector_Zero();
    }
    handle->heldTime = 0.0f;
    if (TS_Input_MouseTriggered(TS_MOUSE_LEFT)) {
        const float halfW = handle->size.x * 0.5f;
        const float halfH = handle->size.y * 0.5f;
        if (mx > handle->position.x - halfW && mx < handle->position.x + halfW &&
            my > handle->position.y - halfH && my < handle->position.y + halfH) {
            handle->dragging = true;
        }
    }
    return TS_Vector_Zero();
}

void DrawDimOverlay(void) {
    TS_Settings_Fill(TS_Color_Create(0, 0, 0, 150));
    TS_Settings_NoStroke();
    TS_Settings_RectMode(TS_MODE_CORNER);
    TS_Graphics_DrawRect(0.0f, 0.0f, static_cast<float>(TS_System_GetWindowWidth()),
                         static_cast<float>(TS_System_GetWindowHeight()));
}
