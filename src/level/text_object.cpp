// Texts placed in a level: creation, changing the text, and freeing a table.
#include <cfloat>
#include <cstdlib>
#include <cstring>

#include "level/objects.h"

namespace {

// Each character is taken as half the text size wide. Worked out in double
// and held within float range, so an absurd text size saved in a level file
// cannot turn the width into infinity.
float TextWidth(size_t length, float textSize) {
    const double width = static_cast<double>(length) * textSize * 0.5;
    if (width > FLT_MAX) return FLT_MAX;
    if (width < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(width);
}

}  // namespace

TextObject* CreateTextObject(const char* text, uint64_t capacity) {
    TextObject* object = static_cast<TextObject*>(std::malloc(sizeof(TextObject)));
    if (!object) return nullptr;
    object->position = TS_Vec2{0.0f, 0.0f};
    object->rotation = 0.0f;
    object->width = 1.0f;
    object->textSize = 20.0f;
    object->visible = 1;
    object->text = nullptr;
    object->textCapacity = 0;
    object->colour = TS_Color{255, 255, 255, 255};
    object->alignH = TS_ALIGN_CENTER;
    object->alignV = TS_ALIGN_MIDDLE;

    if (capacity != 0) {
        char* buffer = static_cast<char*>(std::malloc(capacity));
        if (buffer) {
            buffer[0] = '\0';
            object->text = buffer;
            object->textCapacity = capacity;
        }
    }
    if (!text) return object;

    const size_t length = std::strlen(text);
    if (!object->text || object->textCapacity < length + 1) {
        char* grown = static_cast<char*>(std::realloc(object->text, length + 1));
        if (grown) {
            object->text = grown;
            object->textCapacity = length + 1;
        }
    }
    if (!object->text) return object;
    // After a failed reallocation the old, smaller buffer is kept: it gets as
    // much of the text as fits rather than more than it holds.
    const size_t copied = length < object->textCapacity ? length : object->textCapacity - 1;
    std::memcpy(object->text, text, copied);
    object->text[copied] = '\0';
    object->width = TextWidth(copied, object->textSize);
    return object;
}

bool TextObject_SetText(TextObject* object, const char* text) {
    const size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (!copy) return false;
    std::memcpy(copy, text, length + 1);
    std::free(object->text);
    object->text = copy;
    object->textCapacity = length + 1;
    TextObject_UpdateWidth(object);
    return true;
}

void TextObject_SetTextSize(TextObject* object, float textSize) {
    object->textSize = textSize;
    TextObject_UpdateWidth(object);
}

void TextObject_UpdateWidth(TextObject* object) {
    if (!object->text) return;
    object->width = TextWidth(std::strlen(object->text), object->textSize);
}

void FreeTextObjects(TextObject** table, uint64_t count) {
    if (!table) return;
    for (uint64_t i = 0; i < count; ++i) {
        if (!table[i]) continue;
        std::free(table[i]->text);
        std::free(table[i]);
        table[i] = nullptr;
    }
}
