// Text: DejaVu Sans (shipped in Assets/fonts/) through SDL_ttf, one font per real pixel size (the
// text size times the layout scale), and a bounded cache of rendered strings so that text drawn
// every frame is rasterised once, while a text that changes every frame (the level clock) reuses
// the texture of one of its own older values instead of making a new one, or is put together from
// single characters that stay in the cache.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/platform_internal.h"

namespace {

// The game carries its own font, so text looks the same on every machine
// whatever fonts it has installed. Relative to the game's folder, which the
// game moves into at start (Native_ChangeToGameFolder).
const char kFontFile[] = "./Assets/fonts/DejaVuSans.ttf";
const int kCacheSlots = 512;
const int kMaxTextPixels = 400;
// Text sizes whose character metrics are kept for texts put together from
// single characters; a few HUD sizes are all the game uses.
const int kMetricSizes = 8;
const int kLongestChangingText = 64;

struct CachedText {
    std::string text;
    int pixelSize = 0;
    Uint32 tint = 0xFFFFFF;  // the colour it was rasterised in (RGB)
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
    unsigned long lastUsed = 0;
    unsigned long lastFrame = 0;
    unsigned long long hash = 0;
    bool used = false;
    // A single character that changing texts are put together from: a digit
    // missing from the clock for a while must not make room for another.
    bool character = false;
};

// Where SDL_ttf places one ASCII character, in whole pixels from its pen
// position: its ink's left and right edges and its advance.
struct CharMetrics {
    bool known = false;
    bool usable = false;
    int left = 0;
    int right = 0;
    int advance = 0;
};

struct SizeMetrics {
    int pixelSize = 0;
    CharMetrics chars[128];
};

SizeMetrics metrics[kMetricSizes];
int nextMetrics = 0;
bool textReady = false;
std::unordered_map<int, TTF_Font*> fonts;
// Looked up by a scan of the stored hashes: a miss (a clock that changes every
// frame) then costs no allocation for an index entry.
CachedText cache[kCacheSlots];
unsigned long useClock = 0;
unsigned long frameClock = 2;
long rasterCount = 0;

TTF_Font* FontOfSize(int pixels) {
    auto it = fonts.find(pixels);
    if (it != fonts.end()) return it->second;
    TTF_Font* font = TTF_OpenFont(kFontFile, pixels);
    fonts.emplace(pixels, font);
    return font;
}

const Uint32 kWhite = 0xFFFFFF;

unsigned long long HashOf(const char* text, int pixelSize, Uint32 tint) {
    unsigned long long hash = 1469598103934665603ULL;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        hash = (hash ^ *c) * 1099511628211ULL;
    }
    hash = (hash ^ static_cast<unsigned long long>(pixelSize)) * 1099511628211ULL;
    return (hash ^ static_cast<unsigned long long>(tint)) * 1099511628211ULL;
}

// Where a new text goes: over a text of the same size that was not drawn in
// the last two frames (its texture is refilled, nothing is allocated), else in
// a free slot, else over the least recently drawn text.
int SlotFor(int width, int height) {
    int oldest = 0;
    int free = -1;
    for (int i = 0; i < kCacheSlots; ++i) {
        const CachedText& entry = cache[i];
        if (!entry.used) {
            if (free < 0) free = i;
            continue;
        }
        if (entry.texture && !entry.character && entry.width == width && entry.height == height &&
            entry.lastFrame + 2 < frameClock) {
            return i;
        }
        if (entry.lastUsed < cache[oldest].lastUsed || !cache[oldest].used) oldest = i;
    }
    return free >= 0 ? free : oldest;
}

CachedText* Lookup(const char* text, int pixelSize, Uint32 tint = kWhite) {
    const unsigned long long hash = HashOf(text, pixelSize, tint);
    for (CachedText& entry : cache) {
        if (entry.used && entry.hash == hash && entry.pixelSize == pixelSize &&
            entry.tint == tint && entry.text == text) {
            entry.lastUsed = ++useClock;
            entry.lastFrame = frameClock;
            return &entry;
        }
    }
    TTF_Font* font = FontOfSize(pixelSize);
    if (!font) return nullptr;
    const SDL_Color colour = {static_cast<Uint8>(tint >> 16), static_cast<Uint8>(tint >> 8),
                              static_cast<Uint8>(tint), 255};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text, colour);
    if (!surface) return nullptr;
    ++rasterCount;
    CachedText& entry = cache[SlotFor(surface->w, surface->h)];
    const bool sameSize =
        entry.used && entry.texture && entry.width == surface->w && entry.height == surface->h;
    if (sameSize) {
        SDL_UpdateTexture(entry.texture, nullptr, surface->pixels, surface->pitch);
    } else {
        if (entry.texture) SDL_DestroyTexture(entry.texture);
        entry.texture = SDL_CreateTextureFromSurface(Platform().renderer, surface);
        if (entry.texture) {
            SDL_SetTextureBlendMode(entry.texture, SDL_BLENDMODE_BLEND);
        } else {
            Platform_NoteDrawFailure(SDL_GetError());
        }
    }
    entry.width = surface->w;
    entry.height = surface->h;
    SDL_FreeSurface(surface);
    entry.text.assign(text);
    entry.pixelSize = pixelSize;
    entry.lastUsed = ++useClock;
    entry.lastFrame = frameClock;
    entry.hash = hash;
    entry.tint = tint;
    entry.used = true;
    entry.character = false;
    return &entry;
}

const CharMetrics* MetricsOf(unsigned char c, int pixelSize) {
    if (c >= 128) return nullptr;
    SizeMetrics* table = nullptr;
    for (SizeMetrics& m : metrics) {
        if (m.pixelSize == pixelSize) table = &m;
    }
    if (!table) {
        table = &metrics[nextMetrics];
        nextMetrics = (nextMetrics + 1) % kMetricSizes;
        *table = SizeMetrics();
        table->pixelSize = pixelSize;
    }
    CharMetrics& m = table->chars[c];
    if (!m.known) {
        m.known = true;
        TTF_Font* font = FontOfSize(pixelSize);
        int minY = 0, maxY = 0;
        m.usable =
            font && TTF_GlyphMetrics32(font, c, &m.left, &m.right, &minY, &maxY, &m.advance) == 0;
    }
    return m.usable ? &m : nullptr;
}

// Where the characters of `text` go and how wide the whole would be, as
// SDL_ttf lays out a line: pens one advance apart, the line starting early
// where a first character's ink reaches left of its pen ("T"), and ending at
// the last pen or ink. False when a character is not plain ASCII.
bool LayOutCharacters(const char* text, int pixelSize, int* pens, int* origin, int* width) {
    int pen = 0, low = 0, high = 0, i = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c, ++i) {
        const CharMetrics* m = MetricsOf(*c, pixelSize);
        if (!m || i >= kLongestChangingText) return false;
        pens[i] = pen;
        if (m->right > m->left) {
            if (pen + m->left < low) low = pen + m->left;
            if (pen + m->right > high) high = pen + m->right;
        }
        pen += m->advance;
    }
    if (pen > high) high = pen;
    *origin = -low;
    *width = high - low;
    return true;
}

// The top-left corner of a w x h text whose anchor (x, y) the current
// alignment places.
void AlignedCorner(float x, float y, float w, float h, float* left, float* top) {
    const PlatformState& p = Platform();
    *left = x;
    if (p.alignH == TS_ALIGN_CENTER) *left = x - w * 0.5f;
    else if (p.alignH == TS_ALIGN_RIGHT) *left = x - w;
    *top = y;
    if (p.alignV == TS_ALIGN_MIDDLE) *top = y - h * 0.5f;
    else if (p.alignV == TS_ALIGN_BOTTOM) *top = y - h;
}

// The size text is rasterised at: the text size in layout units times the
// layout scale, so that text is sharp in a large window rather than a small
// picture stretched.
int PixelSize() {
    float size = Platform().textSize;
    if (!(size >= 1.0f)) return 0;
    if (size > kMaxTextPixels) size = kMaxTextPixels;
    const float scaled = size * Platform().layoutScale;
    return scaled < 1.0f ? 1 : static_cast<int>(std::lround(scaled));
}

// The colour a text is rasterised in. Away from a scale of 1 an opaque text
// is rasterised in its own colour: copying it then needs no colour
// modulation, which the software renderer blends several times faster, and
// scaled text covers over twice the pixels. At a scale of 1 texts stay white
// and tinted as they are drawn, pixel for pixel as they always were.
Uint32 TintOf(SDL_Color colour) {
    if (Platform().layoutScale == 1.0f || colour.a != 255) return kWhite;
    return (static_cast<Uint32>(colour.r) << 16) | (static_cast<Uint32>(colour.g) << 8) | colour.b;
}

// Sets the texture's modulation for drawing in `colour`; false on failure.
bool Modulate(SDL_Texture* texture, Uint32 tint, SDL_Color colour) {
    if (tint != kWhite || (colour.r == 255 && colour.g == 255 && colour.b == 255)) {
        colour.r = colour.g = colour.b = 255;
    }
    return Platform_CheckDraw(SDL_SetTextureColorMod(texture, colour.r, colour.g, colour.b)) &&
           Platform_CheckDraw(SDL_SetTextureAlphaMod(texture, colour.a));
}

// A text's anchor in real pixels: through the current matrix and the layout
// scale (exact at a scale of 1).
void AnchorPixels(float x, float y, float* ax, float* ay) {
    const PlatformState& p = Platform();
    *ax = x;
    *ay = y;
    if (!p.matrixIsIdentity) {
        const TS_Matrix& m = p.matrix;
        *ax = m.m[0][0] * x + m.m[0][1] * y + m.m[0][2];
        *ay = m.m[1][0] * x + m.m[1][1] * y + m.m[1][2];
    }
    *ax *= p.layoutScale;
    *ay *= p.layoutScale;
}

}  // namespace

bool Text_Init() {
    if (TTF_Init() != 0) return false;
    SDL_RWops* probe = SDL_RWFromFile(kFontFile, "rb");
    if (probe) SDL_RWclose(probe);
    textReady = probe != nullptr;
    if (!textReady) SDL_Log("Vexal: no font at %s; texts will not show", kFontFile);
    return textReady;
}

void Text_Shutdown() {
    for (CachedText& entry : cache) {
        if (entry.texture) SDL_DestroyTexture(entry.texture);
        entry = CachedText();
    }
    for (auto& font : fonts) {
        if (font.second) TTF_CloseFont(font.second);
    }
    for (SizeMetrics& m : metrics) m = SizeMetrics();
    nextMetrics = 0;
    fonts.clear();
    if (TTF_WasInit()) TTF_Quit();
    textReady = false;
}

void Text_EndFrame() { ++frameClock; }

long Automation_TextRasterCount(void) { return rasterCount; }

float TS_Font_TextWidth(const char* text) {
    if (!text || !*text || !textReady) return 0.0f;
    const int pixels = PixelSize();
    if (pixels <= 0) return 0.0f;
    CachedText* entry = Lookup(text, pixels);
    return entry ? static_cast<float>(entry->width) / Platform().layoutScale : 0.0f;
}

void TS_Font_DrawText(const char* text, float x, float y) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    AutomationDrawCall* call = Record_Draw(DRAW_TEXT);
    if (call) {
        call->text = text ? text : "";
        call->x = x;
        call->y = y;
    }
    if (!text || !*text || !textReady || p.renderingOff) return;
    const int pixels = PixelSize();
    if (pixels <= 0) return;
    const SDL_Color colour = Graphics_SdlColor(p.fill);
    const Uint32 tint = TintOf(colour);
    CachedText* entry = Lookup(text, pixels, tint);
    if (!entry || !entry->texture) return;
    float ax = 0.0f, ay = 0.0f;
    AnchorPixels(x, y, &ax, &ay);
    const float w = static_cast<float>(entry->width);
    const float h = static_cast<float>(entry->height);
    float left = 0.0f, top = 0.0f;
    AlignedCorner(ax, ay, w, h, &left, &top);
    if (!p.filling || colour.a == 0) return;
    if (!Modulate(entry->texture, tint, colour)) return;
    const SDL_FRect dest = {std::floor(left + 0.5f), std::floor(top + 0.5f), w, h};
    Platform_CheckDraw(SDL_RenderCopyF(p.renderer, entry->texture, nullptr, &dest));
}

void TS_Font_DrawChangingText(const char* text, float x, float y) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    if (!text || !*text || !textReady || p.renderingOff || !p.matrixIsIdentity) {
        TS_Font_DrawText(text, x, y);
        return;
    }
    const int pixels = PixelSize();
    int pens[kLongestChangingText];
    int origin = 0, width = 0;
    if (pixels <= 0 || !LayOutCharacters(text, pixels, pens, &origin, &width)) {
        TS_Font_DrawText(text, x, y);
        return;
    }
    // Every character's picture is a full line high; a font where one is
    // not (it would make the whole taller) is drawn whole.
    const SDL_Color colour = Graphics_SdlColor(p.fill);
    const Uint32 tint = TintOf(colour);
    CachedText* glyphs[kLongestChangingText];
    const size_t count = std::strlen(text);
    int height = -1;
    for (size_t i = 0; i < count; ++i) {
        const CharMetrics* m = MetricsOf(static_cast<unsigned char>(text[i]), pixels);
        glyphs[i] = nullptr;
        if (m->right <= m->left) continue;  // a space: nothing to draw
        const char single[2] = {text[i], '\0'};
        glyphs[i] = Lookup(single, pixels, tint);
        if (glyphs[i]) glyphs[i]->character = true;
        if (!glyphs[i] || !glyphs[i]->texture || (height >= 0 && glyphs[i]->height != height)) {
            TS_Font_DrawText(text, x, y);
            return;
        }
        height = glyphs[i]->height;
    }
    if (height < 0) {  // only spaces
        TS_Font_DrawText(text, x, y);
        return;
    }
    AutomationDrawCall* call = Record_Draw(DRAW_TEXT);
    if (call) {
        call->text = text;
        call->x = x;
        call->y = y;
    }
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    float ax = 0.0f, ay = 0.0f;
    AnchorPixels(x, y, &ax, &ay);
    float left = 0.0f, top = 0.0f;
    AlignedCorner(ax, ay, w, h, &left, &top);
    if (!p.filling || colour.a == 0) return;
    const float lineLeft = std::floor(left + 0.5f) + static_cast<float>(origin);
    const float lineTop = std::floor(top + 0.5f);
    for (size_t i = 0; i < count; ++i) {
        const CharMetrics* m = MetricsOf(static_cast<unsigned char>(text[i]), pixels);
        if (!glyphs[i]) continue;
        // A single character's picture starts at its ink when that reaches
        // left of its pen, else at the pen.
        const int start = m->left < 0 ? m->left : 0;
        CachedText* glyph = glyphs[i];
        if (!Modulate(glyph->texture, tint, colour)) return;
        const SDL_FRect dest = {lineLeft + static_cast<float>(pens[i] + start), lineTop,
                                static_cast<float>(glyph->width), h};
        Platform_CheckDraw(SDL_RenderCopyF(p.renderer, glyph->texture, nullptr, &dest));
    }
}
