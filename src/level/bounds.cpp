// Level bounds: the box that holds the ship's start and everything placed.
#include <cfloat>

#include "level/objects.h"

namespace {

// A corner worked out in double and held within float range, so objects at
// the edge of what a float holds still give finite bounds.
float Corner(float centre, float size, double side) {
    const double corner = static_cast<double>(centre) + side * 0.5 * size;
    if (corner > FLT_MAX) return FLT_MAX;
    if (corner < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(corner);
}

void IncludePoint(Bounds* bounds, float x, float y) {
    if (x < bounds->minX) bounds->minX = x;
    if (x > bounds->maxX) bounds->maxX = x;
    if (y < bounds->minY) bounds->minY = y;
    if (y > bounds->maxY) bounds->maxY = y;
}

}  // namespace

void Bounds_Include(Bounds* bounds, TS_Vec2 position, TS_Vec2 size) {
    IncludePoint(bounds, Corner(position.x, size.x, -1.0), Corner(position.y, size.y, -1.0));
    IncludePoint(bounds, Corner(position.x, size.x, 1.0), Corner(position.y, size.y, 1.0));
}
