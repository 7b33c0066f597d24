// Shrinking a label that would spill out of its key cap or its slot.
#include "ui/text_fit.h"

#include "platform/tessera.h"

float FitTextSize(const char* text, float size, float maxWidth) {
    TS_Settings_TextSize(size);
    const float width = TS_Font_TextWidth(text);
    if (width <= maxWidth || width <= 0.0f || maxWidth <= 0.0f) return size;
    // Glyph widths grow about linearly with the size; whole pixels keep the
    // rendered text crisp.
    float fitted = static_cast<float>(static_cast<int>(size * maxWidth / width));
    if (fitted < 1.0f) fitted = 1.0f;
    TS_Settings_TextSize(fitted);
    return fitted;
}
