// The things a level is made of: game objects with their shapes and colliders,
// level objects and their kinds, texts placed in a level, and level bounds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/tessera.h"

// ---- Colliders ---------------------------------------------------------------

enum { COLLIDER_CIRCLE = 1 };

struct Collider {
    int32_t type;
    TS_Vec2 scale;  // multiplies the owner's size for the collision shape
    TS_Vec2 offset;
};

// ---- Shapes: how an object is drawn ------------------------------------------

enum ShapeType {
    SHAPE_RECT = 1,
    SHAPE_ELLIPSE = 2,
    SHAPE_TRIANGLE = 3,
    SHAPE_IMAGE = 4,
    SHAPE_SHEET_ANIMATION = 5
};

// Parameters of rectangles, ellipses and images.
struct ShapeScale {
    float scaleX;
    float scaleY;
};

// Vertex offsets from the position, as fractions of the object's size.
struct TriangleParams {
    float x0, y0;
    float x1, y1;
    float x2, y2;
};

// A horizontal strip of equally wide frames played in a loop.
struct SheetAnimation {
    float frameWidth;     // image pixels
    float frameHeight;    // image pixels
    float frameCount;     // image width / 1000, not rounded
    float frameDuration;  // seconds per frame
    float elapsed;        // seconds into the loop
    float playing;        // the loop advances only while this is exactly 1
};

// One Shape may be shared by many objects: all objects of a kind share their
// kind's Shape, and an object never frees a Shape it points at.
struct Shape {
    int32_t type;     // ShapeType
    void* params;     // owned: ShapeScale, TriangleParams or SheetAnimation
    TS_Color stroke;  // alpha <= 0: no outline
    TS_Color fill;    // alpha <= 0: not filled; for images, the image's alpha
    TS_Image image;   // not owned; the sprite cache owns images
};

// Each returns null, with nothing left allocated, when memory runs out.
Shape* CreateRectShape(void);
Shape* CreateImageShape(TS_Image image);
Shape* CreateSheetShape(TS_Image image, float frameDuration);
// For Shapes that one owner holds alone (the ship's, the flames', the kind table's).
void FreeOwnedShape(Shape* shape);

// ---- Game objects ------------------------------------------------------------

struct GameObject {
    TS_Vec2 position;    // centre, world units
    float rotation;      // degrees
    TS_Vec2 size;        // full width and height
    Shape* shape;        // null: not drawn; never owned
    Collider* collider;  // owned; null when the object has none
    uint8_t active;      // 0 hides it and takes it out of collisions
};

// Position (0, 0), rotation 0, size (1, 1), no shape, no collider, active.
// Null only when memory runs out.
GameObject* CreateGameObject(void);
// Releases the collider and the object, never the Shape.
void FreeGameObject(GameObject* object);
// Gives the object a circle collider (scale 1, no offset) unless it has one;
// when memory runs out the object simply stays without one.
void AttachCircleCollider(GameObject* object);

// ---- Level objects -----------------------------------------------------------

enum ObjectKind : uint32_t {
    KIND_NONE = 0,
    KIND_ASTEROID = 1,
    KIND_WALL = 2,
    KIND_LASER_TRAP = 3,
    KIND_MISSILE_TRAP = 4,
    KIND_FUEL_CELL = 5,
    KIND_GOAL = 6
};

struct LevelObject {
    GameObject* object;  // owned
    ObjectKind kind;
};

// The kind's letter in level files: "0AWLMFE" by value, '0' above 6.
char KindChar(ObjectKind kind);
// The kind a level-file letter stands for; KIND_NONE for any other letter
// (letters are case-sensitive, and 'T' is a text, not a kind).
ObjectKind KindFromChar(char c);

// An active object of the kind, with the kind's shared Shape (null while the
// kind Shape table is empty) and a circle collider. Null only when memory runs out.
LevelObject* CreateLevelObject(ObjectKind kind, TS_Vec2 position, float rotation, TS_Vec2 size);
// Releases the GameObject (collider included) and the entry.
void FreeLevelObject(LevelObject* entry);

// ---- Texts -------------------------------------------------------------------

struct TextObject {
    TS_Vec2 position;
    float rotation;  // stored and saved; texts are drawn upright
    float width;     // length of text x textSize x 0.5
    float textSize;  // height in world units
    uint8_t visible;
    char* text;             // owned heap string; null when allocation failed
    uint64_t textCapacity;  // bytes allocated for text
    TS_Color colour;
    int32_t alignH;  // framework alignment codes
    int32_t alignV;
};

// A text of size 20, centred, white. `capacity` bytes are allocated up front
// when not 0; a text that does not fit gets a buffer of exactly its length + 1.
// Null only when the record itself cannot be allocated.
TextObject* CreateTextObject(const char* text, uint64_t capacity);
// Replaces the text with a copy of `text` (the old copy is freed) and
// recomputes the width. Returns false, leaving the old text, when memory runs out.
bool TextObject_SetText(TextObject* object, const char* text);
// Sets the size and recomputes the width.
void TextObject_SetTextSize(TextObject* object, float textSize);
// Recomputes the width from the text's length and the size.
void TextObject_UpdateWidth(TextObject* object);
// Frees the first `count` slots of the table that are not null and empties them.
void FreeTextObjects(TextObject** table, uint64_t count);

// ---- Bounds ------------------------------------------------------------------

struct Bounds {
    float minX;
    float minY;
    float maxX;
    float maxY;
};

// Grows the bounds to hold the box of `size` centred on `position` (rotation
// is not considered).
void Bounds_Include(Bounds* bounds, TS_Vec2 position, TS_Vec2 size);
