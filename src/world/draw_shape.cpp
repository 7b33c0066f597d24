// Drawing a Shape — rectangle, ellipse, triangle, image or animation strip —
// at a window position, rotation and size — and the test that skips what
// would land outside the window.
#include <cmath>

#include "world/draw.h"

namespace {

// Past the turned box: half the 2-pixel outline, the 1-pixel soft rim and the
// renderer's rounding of a rotated sprite's box.
const float kEdgeMargin = 4.0f;

// The loop runs on whether or not the strip is seen.
void AdvanceSheet(SheetAnimation* sheet) {
    if (sheet->playing == 1.0f) {
        sheet->elapsed += TS_System_GetDt();
        if (sheet->elapsed >= sheet->frameDuration * sheet->frameCount) sheet->elapsed = 0.0f;
    }
}

// Whether the box of half extents (hx, hy) around (x, y) meets the window.
bool BoxMeetsWindow(float x, float y, float hx, float hy) {
    const float width = static_cast<float>(TS_System_GetWindowWidth());
    const float height = static_cast<float>(TS_System_GetWindowHeight());
    hx += kEdgeMargin;
    hy += kEdgeMargin;
    // Written so that a NaN anywhere draws rather than hides.
    return !(x + hx < 0.0f || x - hx > width || y + hy < 0.0f || y - hy > height);
}

// Half extents of a w x h box turned by `degrees` about its centre.
void TurnedHalfExtents(float w, float h, float degrees, float* hx, float* hy) {
    const double radians = static_cast<double>(degrees) * TS_PI / 180.0;
    const float c = static_cast<float>(std::fabs(std::cos(radians)));
    const float s = static_cast<float>(std::fabs(std::sin(radians)));
    const float aw = std::fabs(w) * 0.5f, ah = std::fabs(h) * 0.5f;
    *hx = aw * c + ah * s;
    *hy = aw * s + ah * c;
}

void DrawSheet(Shape* shape, const DrawTransform& transform) {
    SheetAnimation* sheet = static_cast<SheetAnimation*>(shape->params);
    AdvanceSheet(sheet);
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

TS_Vec2 DrawShape_ImageBox(const Shape* shape, TS_Vec2 size) {
    const ShapeScale one = {1.0f, 1.0f};
    const ShapeScale* scale = shape->params ? static_cast<const ShapeScale*>(shape->params) : &one;
    return TS_Vec2{size.x * scale->scaleX, size.y * scale->scaleY};
}

bool DrawShape_OnScreen(const Shape* shape, const DrawTransform& transform) {
    const float x = transform.position.x;
    const float y = transform.position.y;
    const float w = transform.size.x;
    const float h = transform.size.y;
    float hx = 0.0f, hy = 0.0f;
    switch (shape->type) {
        case SHAPE_RECT:
        case SHAPE_ELLIPSE:
        case SHAPE_IMAGE: {
            const TS_Vec2 box = DrawShape_ImageBox(shape, transform.size);
            TurnedHalfExtents(box.x, box.y, transform.rotation, &hx, &hy);
            return BoxMeetsWindow(x, y, hx, hy);
        }
        case SHAPE_TRIANGLE: {
            if (!shape->params) return false;
            // Turned about its centroid: nothing reaches further from it than
            // the farthest corner.
            const TriangleParams* t = static_cast<const TriangleParams*>(shape->params);
            const float cx = (t->x0 + t->x1 + t->x2) / 3.0f, cy = (t->y0 + t->y1 + t->y2) / 3.0f;
            float reach = 0.0f;
            const float px[3] = {t->x0, t->x1, t->x2}, py[3] = {t->y0, t->y1, t->y2};
            for (int i = 0; i < 3; ++i) {
                reach = std::fmax(reach, std::hypot((px[i] - cx) * w, (py[i] - cy) * h));
            }
            return BoxMeetsWindow(x + cx * w, y + cy * h, reach, reach);
        }
        case SHAPE_SHEET_ANIMATION:
            // Turned about its anchor, which may be its corner.
            hx = std::fabs(w) + std::fabs(h);
            return BoxMeetsWindow(x, y, hx, hx);
        default: return true;
    }
}

void DrawShape(Shape* shape, const DrawTransform& transform) {
    DrawShape_Copying(shape, transform, nullptr);
}

void DrawShape_Copying(Shape* shape, const DrawTransform& transform, TS_PreparedImage prepared) {
    if (!shape) return;
    if (shape->fill.a > 0) TS_Settings_Fill(shape->fill);
    else TS_Settings_NoFill();
    if (shape->stroke.a > 0) TS_Settings_Stroke(shape->stroke);
    else TS_Settings_NoStroke();
    if (!DrawShape_OnScreen(shape, transform)) {
        // The settings are left as a drawn Shape leaves them.
        if (shape->type == SHAPE_RECT) TS_Settings_RectMode(TS_MODE_CENTER);
        if (shape->type == SHAPE_IMAGE) TS_Settings_ImageMode(TS_MODE_CENTER);
        if (shape->type == SHAPE_SHEET_ANIMATION && shape->params) {
            AdvanceSheet(static_cast<SheetAnimation*>(shape->params));
        }
        return;
    }

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
            if (prepared) {
                TS_PreparedImage_Draw(prepared, shape->image, x, y, w * scale->scaleX,
                                      h * scale->scaleY, shape->fill.a, r);
            } else {
                TS_Image_DrawAdvanced(shape->image, x, y, w * scale->scaleX, h * scale->scaleY,
                                      shape->fill.a, r);
            }
            break;
        case SHAPE_SHEET_ANIMATION:
            if (shape->params) DrawSheet(shape, transform);
            break;
        default: break;
    }
}
