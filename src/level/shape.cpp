// Shape constructors: plain rectangles, images and animated sprite strips.
#include <cstdlib>

#include "level/objects.h"

namespace {

// A Shape with default colours and the given parameter record, which it
// takes over; frees the record when the Shape itself cannot be allocated.
Shape* WrapShape(int32_t type, void* params, TS_Image image) {
    if (!params) return nullptr;
    Shape* shape = static_cast<Shape*>(std::malloc(sizeof(Shape)));
    if (!shape) {
        std::free(params);
        return nullptr;
    }
    shape->type = type;
    shape->params = params;
    shape->stroke = TS_Color{0, 0, 0, 255};
    shape->fill = TS_Color{255, 255, 255, 255};
    shape->image = image;
    return shape;
}

ShapeScale* CreateUnitScale(void) {
    ShapeScale* scale = static_cast<ShapeScale*>(std::malloc(sizeof(ShapeScale)));
    if (scale) *scale = ShapeScale{1.0f, 1.0f};
    return scale;
}

}  // namespace

Shape* CreateRectShape(void) { return WrapShape(SHAPE_RECT, CreateUnitScale(), nullptr); }

Shape* CreateImageShape(TS_Image image) { return WrapShape(SHAPE_IMAGE, CreateUnitScale(), image); }

Shape* CreateSheetShape(TS_Image image, float frameDuration) {
    SheetAnimation* sheet = static_cast<SheetAnimation*>(std::malloc(sizeof(SheetAnimation)));
    if (!sheet) return nullptr;
    // Strips are made of 1000-pixel frames side by side.
    sheet->frameWidth = 1000.0f;
    sheet->frameHeight = 1000.0f;
    sheet->frameCount = static_cast<float>(TS_Image_GetWidth(image)) / 1000.0f;
    sheet->frameDuration = frameDuration;
    sheet->elapsed = 0.0f;
    sheet->playing = 1.0f;
    return WrapShape(SHAPE_SHEET_ANIMATION, sheet, image);
}

void FreeOwnedShape(Shape* shape) {
    if (!shape) return;
    std::free(shape->params);
    std::free(shape);
}
