// Drawing a Shape — rectangle, ellipse, triangle, image or animation strip —
// at a window position, rotation and size.
#include "world/draw.h"

namespace {

void DrawSheet(Shape* shape, const DrawTransform& transform) {
    SheetAnimation* sheet = static_cast<SheetAnimation*>(shape->params);
    if (sheet->playing == 1.0f) {
        sheet->elapsed += TS_System_GetDt();
        if (sheet->elapsed >= sheet->frameDuration * sheet->frameCount) sheet->elapsed = 0.0f;
    }
    // A strip without a sensible frame time stays on its first frame.
    int frame = 0;
    if (sheet->frameDuration > 0.0f) {
        const float index = sheet->elapsed / sheet->frameDuration;
        if (index > 0.0f && index < 1.0e6f) frame = static_cast<int>(index);
    }
    const float u0 = static_cast<float>(frame) * sheet->frameWidth;
    TS_Settings_ApplyMatrix(TS_Matrix_Multiply(TS_Matrix_Translate(transform.position),
                                               TS_Matrix_Rotate(transform.rotation)));
    TS_Image_DrawSubImage(shape->image, 0.0f, 0.0f, transform.size.x, transform.size.y, u0, 0.0f,
                          u0 + sheet->frameWidth, sheet->frameHeight, shape->fill.a);
    TS_Settings_ResetMatrix();
}

}  // namespace

void DrawShape(Shape* shape, const DrawTransform& transform) {
    if (!shape) return;
    if (shape->fill.a > 0) TS_Settings_Fill(shape->fill);
    else TS_Settings_NoFill();
    if (shape->stroke.a > 0) TS_Settings_Stroke(shape->stroke);
    else TS_Settings_NoStroke();

    const float x = transform.position.x;
    const float y = transform.position.y;
    const float w = transform.size.x;
    const float h = transform.size.y;
    const float r = transform.rotation;
    const ShapeScale one = {1.0f, 1.0f};
    const ShapeScale* scale = shape->params ? static_cast<const ShapeScale*>(shape->params) : &one;
    switch (shape->type) {
        case SHAPE_RECT:
            TS_Settings_RectMode(TS_MODE_CENTER);
            TS_Graphics_DrawRectAdvanced(x, y, w * scale->scaleX, h * scale->scaleY, r, 0.0f);
            break;
        case SHAPE_ELLIPSE:
            TS_Graphics_DrawEllipseAdvanced(x, y, w * scale->scaleX, h * scale->scaleY, r);
            break;
        case SHAPE_TRIANGLE: {
            if (!shape->params) break;
            const TriangleParams* t = static_cast<const TriangleParams*>(shape->params);
            TS_Graphics_DrawTriangleAdvanced(x + w * t->x0, y + h * t->y0, x + w * t->x1,
                                             y + h * t->y1, x + w * t->x2, y + h * t->y2, r);
            break;
        }
        case SHAPE_IMAGE:
            TS_Settings_ImageMode(TS_MODE_CENTER);
            TS_Image_DrawAdvanced(shape->image, x, y, w * scale->scaleX, h * scale->scaleY,
                                  shape->fill.a, r);
            break;
        case SHAPE_SHEET_ANIMATION:
            if (shape->params) DrawSheet(shape, transform);
            break;
        default: break;
    }
}
