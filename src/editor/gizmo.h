// The three handles that move, rotate and scale the selected object or text in
// the level editor, and the outlined boxes they are drawn with.
#pragma once

#include "level/objects.h"
#include "ui/popup.h"
#include "world/camera.h"

// The fields the handles change. An object's box is its size; a text's box is
// its width by its text size.
struct GizmoTarget {
    TS_Vec2* position;
    float* rotation;
    float* width;
    float* height;
};

struct Gizmo {
    const void* target;        // the selected GameObject or TextObject; null for none
    GizmoTarget fields;        // what the handles write to while there is a target
    DragHandle* moveHandle;    // covers the target's box on screen
    DragHandle* rotateHandle;  // 15 x 15, just above the box
    DragHandle* scaleHandle;   // 15 x 15, just beyond the lower-right corner
    Camera* camera;            // the editor's view
    bool moveActive;           // the handles' drag flags after the last update
    bool rotateActive;
    bool scaleActive;
    bool changed;  // the last update moved, turned or resized the target
    // Snapping, set by the editor before each update: moves land on multiples
    // of snapStep world units and turns on multiples of snapDegrees; 0 is free.
    float snapStep;
    float snapDegrees;
    // Where the pointer has taken the target since the drag began, before
    // snapping: a snapped target follows it in whole steps.
    TS_Vec2 freePosition;
    float freeRotation;
};

// The nearest multiple of `step` (0: the value itself).
float Gizmo_Snap(float value, float step);

enum { GIZMO_MOVE_SHAPE = 0, GIZMO_ROTATE_SHAPE = 1, GIZMO_SCALE_SHAPE = 2, GIZMO_SHAPE_COUNT = 3 };

// Blue move box, orange rotate handle, green scale handle: outlines only. They
// exist while at least one Gizmo does.
extern Shape* handleShapes[GIZMO_SHAPE_COUNT];

// A Gizmo without a target; null when memory runs out.
Gizmo* Gizmo_Create(Camera* camera);
void Gizmo_Free(Gizmo* gizmo);  // accepts null

void Gizmo_TargetObject(Gizmo* gizmo, GameObject* object);
void Gizmo_TargetText(Gizmo* gizmo, TextObject* text);
void Gizmo_ClearTarget(Gizmo* gizmo);

// Puts the handles around the target as the camera shows it now.
void Gizmo_Place(Gizmo* gizmo);
// Drags the handles and applies what they did to the target. Returns whether a
// handle is being dragged. Ends any drag when there is no target.
bool Gizmo_Update(Gizmo* gizmo);
