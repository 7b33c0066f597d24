// The editor's move, rotate and scale handles: where they sit around the
// selection and what dragging each of them does to it.
#include "editor/gizmo.h"

#include <cmath>
#include <cstdlib>

Shape* handleShapes[GIZMO_SHAPE_COUNT] = {};

namespace {

const float kHandleSize = 15.0f;
const float kHalfHandle = 7.5f;
const float kDegreesPerPixel = 0.5f;
const float kSmallestSide = 25.0f;

int liveGizmos = 0;

const TS_Color kHandleColours[GIZMO_SHAPE_COUNT] = {
    {0, 0, 255, 255},    // move: blue
    {255, 102, 0, 255},  // rotate: orange
    {0, 255, 0, 255},    // scale: green
};

void CreateHandleShapes(void) {
    for (int i = 0; i < GIZMO_SHAPE_COUNT; ++i) {
        if (handleShapes[i]) continue;
        handleShapes[i] = CreateRectShape();
        if (!handleShapes[i]) continue;
        handleShapes[i]->fill = TS_Color{0, 0, 0, 0};
        handleShapes[i]->stroke = kHandleColours[i];
    }
}

void FreeHandleShapes(void) {
    for (Shape*& shape : handleShapes) {
        FreeOwnedShape(shape);
        shape = nullptr;
    }
}

bool IsZero(TS_Vec2 v) { return v.x == 0.0f && v.y == 0.0f; }

}  // namespace

float Gizmo_Snap(float value, float step) {
    if (step <= 0.0f) return value;
    return std::round(value / step) * step;
}

Gizmo* Gizmo_Create(Camera* camera) {
    Gizmo* gizmo = static_cast<Gizmo*>(std::calloc(1, sizeof(Gizmo)));
    if (!gizmo) return nullptr;
    ++liveGizmos;
    CreateHandleShapes();
    gizmo->camera = camera;
    gizmo->moveHandle = DragHandle_Create(TS_Vector_Zero(), TS_Vector_Zero());
    gizmo->rotateHandle =
        DragHandle_Create(TS_Vector_Zero(), TS_Vector_Set(kHandleSize, kHandleSize));
    gizmo->scaleHandle =
        DragHandle_Create(TS_Vector_Zero(), TS_Vector_Set(kHandleSize, kHandleSize));
    if (!gizmo->moveHandle || !gizmo->rotateHandle || !gizmo->scaleHandle) {
        Gizmo_Free(gizmo);
        return nullptr;
    }
    return gizmo;
}

void Gizmo_Free(Gizmo* gizmo) {
    if (!gizmo) return;
    DragHandle_Free(gizmo->moveHandle);
    DragHandle_Free(gizmo->rotateHandle);
    DragHandle_Free(gizmo->scaleHandle);
    std::free(gizmo);
    if (liveGizmos == 1) FreeHandleShapes();
    if (liveGizmos > 0) --liveGizmos;
}

void Gizmo_TargetObject(Gizmo* gizmo, GameObject* object) {
    if (!object) {
        Gizmo_ClearTarget(gizmo);
        return;
    }
    gizmo->target = object;
    gizmo->fields =
        GizmoTarget{&object->position, &object->rotation, &object->size.x, &object->size.y};
}

void Gizmo_TargetText(Gizmo* gizmo, TextObject* text) {
    if (!text) {
        Gizmo_ClearTarget(gizmo);
        return;
    }
    gizmo->target = text;
    gizmo->fields = GizmoTarget{&text->position, &text->rotation, &text->width, &text->textSize};
}

void Gizmo_ClearTarget(Gizmo* gizmo) {
    gizmo->target = nullptr;
    gizmo->fields = GizmoTarget{nullptr, nullptr, nullptr, nullptr};
    // A drag never outlives its target: the next object pressed is grabbed
    // afresh, not turned or sized by a handle still held from before.
    DragHandle* handles[3] = {gizmo->moveHandle, gizmo->rotateHandle, gizmo->scaleHandle};
    for (DragHandle* handle : handles) {
        if (handle) handle->dragging = false;
    }
    gizmo->moveActive = false;
    gizmo->rotateActive = false;
    gizmo->scaleActive = false;
}

void Gizmo_Place(Gizmo* gizmo) {
    TS_Vec2 centre = TS_Vector_Zero();
    TS_Vec2 extent = TS_Vector_Zero();
    if (gizmo->target) {
        const float zoom = gizmo->camera->zoom;
        centre = TS_Vector_MatrixMultiply(gizmo->camera->worldToScreen, *gizmo->fields.position);
        extent = TS_Vector_Set(*gizmo->fields.width * zoom, *gizmo->fields.height * zoom);
    }
    gizmo->moveHandle->position = centre;
    gizmo->moveHandle->size = extent;
    gizmo->rotateHandle->position =
        TS_Vector_Set(centre.x, centre.y - extent.y * 0.5f - kHalfHandle);
    gizmo->scaleHandle->position =
        TS_Vector_Add(TS_Vector_Add(centre, TS_Vector_Scale(extent, 0.5f)),
                      TS_Vector_Set(kHalfHandle, kHalfHandle));
}

bool Gizmo_Update(Gizmo* gizmo) {
    if (!gizmo) return false;
    gizmo->changed = false;
    if (!gizmo->target) return false;
    const TS_Vec2 dm = DragHandle_Update(gizmo->moveHandle);
    const TS_Vec2 dr = DragHandle_Update(gizmo->rotateHandle);
    const TS_Vec2 ds = DragHandle_Update(gizmo->scaleHandle);
    const float zoom = gizmo->camera->zoom;
    const GizmoTarget& t = gizmo->fields;
    if (gizmo->moveHandle->dragging && !gizmo->moveActive) gizmo->freePosition = *t.position;
    if (gizmo->rotateHandle->dragging && !gizmo->rotateActive) {
        gizmo->freeRotation = *t.rotation;
    }

    // The handles report (previous - current) pointer positions in window
    // pixels; the world's y axis points the other way.
    if (gizmo->moveHandle->dragging) {
        gizmo->freePosition.x += -dm.x / zoom;
        gizmo->freePosition.y += dm.y / zoom;
        const TS_Vec2 to = TS_Vector_Set(Gizmo_Snap(gizmo->freePosition.x, gizmo->snapStep),
                                         Gizmo_Snap(gizmo->freePosition.y, gizmo->snapStep));
        if (to.x != t.position->x || to.y != t.position->y) {
            *t.position = to;
            gizmo->changed = true;
        }
    }
    // Only sideways pointer movement turns the target.
    if (gizmo->rotateHandle->dragging) {
        if (!IsZero(dr)) gizmo->freeRotation += kDegreesPerPixel * TS_Input_GetMouseDeltaX();
        const float to = Gizmo_Snap(gizmo->freeRotation, gizmo->snapDegrees);
        if (to != *t.rotation) {
            *t.rotation = to;
            gizmo->changed = true;
        }
    }
    // Both sides grow by how far the pointer lies beyond the handle along the
    // box's diagonal. That distance is in window pixels, so it becomes world
    // units through the zoom: the corner then follows the pointer at any zoom
    // instead of overshooting it when zoomed in.
    if (!IsZero(ds)) {
        const TS_Vec2 dir = TS_Vector_Normalize(
            TS_Vector_Subtract(gizmo->scaleHandle->position, gizmo->moveHandle->position));
        const TS_Vec2 pointer = TS_Vector_Set(TS_Input_GetMouseX(), TS_Input_GetMouseY());
        const float k =
            TS_Vector_DotProduct(dir, TS_Vector_Subtract(pointer, gizmo->scaleHandle->position)) /
            zoom;
        const float oldWidth = *t.width;
        const float oldHeight = *t.height;
        *t.width += k;
        *t.height += k;
        if (*t.width < kSmallestSide) *t.width = kSmallestSide;
        if (*t.height < kSmallestSide) *t.height = kSmallestSide;
        if (*t.width != oldWidth || *t.height != oldHeight) gizmo->changed = true;
    }

    Gizmo_Place(gizmo);
    gizmo->moveActive = gizmo->moveHandle->dragging;
    gizmo->rotateActive = gizmo->rotateHandle->dragging;
    gizmo->scaleActive = gizmo->scaleHandle->dragging;
    return gizmo->moveActive || gizmo->rotateActive || gizmo->scaleActive;
}
