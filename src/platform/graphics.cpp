// Drawing settings and the filled and outlined primitives, through the current
// matrix and the layout scale: upright rectangles through the renderer's rectangle calls, turned
// and curved shapes as triangles for SDL_RenderGeometry with a soft rim.
#include <SDL.h>

#include <cmath>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VEXAL_BLEND_SSE2 1
#endif

#include "platform/platform_internal.h"

namespace {

const float kStrokeWidth = 2.0f;
const float kFeather = 1.0f;  // soft rim that stands in for anti-aliasing

std::vector<SDL_Vertex> vertices;
std::vector<int> indices;
std::vector<SDL_FPoint> outline;

// A point in layout units through the current matrix, then the layout scale:
// where it lands in real pixels. At a scale of 1 the multiplication is exact.
SDL_FPoint Transformed(float x, float y) {
    const PlatformState& p = Platform();
    const float s = p.layoutScale;
    if (p.matrixIsIdentity) return SDL_FPoint{x * s, y * s};
    const TS_Matrix& m = p.matrix;
    return SDL_FPoint{(m.m[0][0] * x + m.m[0][1] * y + m.m[0][2]) * s,
                      (m.m[1][0] * x + m.m[1][1] * y + m.m[1][2]) * s};
}

// The outline's band in real pixels: two layout units, never under a pixel.
float StrokeWidth() {
    const float width = kStrokeWidth * Platform().layoutScale;
    return width < 1.0f ? 1.0f : width;
}

bool MatrixRotates() {
    const TS_Matrix& m = Platform().matrix;
    return m.m[0][1] != 0.0f || m.m[1][0] != 0.0f;
}

SDL_Vertex Vertex(SDL_FPoint point, SDL_Color color) {
    SDL_Vertex v;
    v.position = point;
    v.color = color;
    v.tex_coord = SDL_FPoint{0, 0};
    return v;
}

SDL_FPoint Normalized(float x, float y) {
    const float length = std::sqrt(x * x + y * y);
    if (length <= 1e-6f) return SDL_FPoint{0, 0};
    return SDL_FPoint{x / length, y / length};
}

// Outward offset directions (miter) of a closed polygon, scaled for unit width.
void MiterDirection(const std::vector<SDL_FPoint>& pts, size_t i, bool clockwise, SDL_FPoint* out) {
    const size_t n = pts.size();
    const SDL_FPoint& prev = pts[(i + n - 1) % n];
    const SDL_FPoint& cur = pts[i];
    const SDL_FPoint& next = pts[(i + 1) % n];
    SDL_FPoint e1 = Normalized(cur.x - prev.x, cur.y - prev.y);
    SDL_FPoint e2 = Normalized(next.x - cur.x, next.y - cur.y);
    // Outward normal of an edge depends on the winding.
    SDL_FPoint n1 = clockwise ? SDL_FPoint{-e1.y, e1.x} : SDL_FPoint{e1.y, -e1.x};
    SDL_FPoint n2 = clockwise ? SDL_FPoint{-e2.y, e2.x} : SDL_FPoint{e2.y, -e2.x};
    SDL_FPoint m = Normalized(n1.x + n2.x, n1.y + n2.y);
    float cosHalf = m.x * n1.x + m.y * n1.y;
    if (cosHalf < 0.25f) cosHalf = 0.25f;
    out->x = m.x / cosHalf;
    out->y = m.y / cosHalf;
}

bool IsClockwise(const std::vector<SDL_FPoint>& pts) {
    float area = 0.0f;
    for (size_t i = 0; i < pts.size(); ++i) {
        const SDL_FPoint& a = pts[i];
        const SDL_FPoint& b = pts[(i + 1) % pts.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area > 0.0f;  // y points down on screen
}

void Submit() {
    if (vertices.empty()) return;
    if (Platform().renderingOff) {
        vertices.clear();
        indices.clear();
        return;
    }
    Platform_CheckDraw(SDL_RenderGeometry(Platform().renderer, nullptr, vertices.data(),
                                          static_cast<int>(vertices.size()), indices.data(),
                                          static_cast<int>(indices.size())));
    vertices.clear();
    indices.clear();
}

// Fills the convex polygon in `outline` (screen points).
void FillOutline(SDL_Color color, bool feather) {
    const size_t n = outline.size();
    if (n < 3 || color.a == 0) return;
    SDL_FPoint centre = {0, 0};
    for (const SDL_FPoint& p : outline) {
        centre.x += p.x;
        centre.y += p.y;
    }
    centre.x /= static_cast<float>(n);
    centre.y /= static_cast<float>(n);
    const int base = static_cast<int>(vertices.size());
    vertices.push_back(Vertex(centre, color));
    for (const SDL_FPoint& p : outline) vertices.push_back(Vertex(p, color));
    for (size_t i = 0; i < n; ++i) {
        indices.push_back(base);
        indices.push_back(base + 1 + static_cast<int>(i));
        indices.push_back(base + 1 + static_cast<int>((i + 1) % n));
    }
    if (feather) {
        const bool clockwise = IsClockwise(outline);
        SDL_Color clear = color;
        clear.a = 0;
        const int rim = static_cast<int>(vertices.size());
        for (size_t i = 0; i < n; ++i) {
            SDL_FPoint dir;
            MiterDirection(outline, i, clockwise, &dir);
            vertices.push_back(
                Vertex(SDL_FPoint{outline[i].x + dir.x * kFeather, outline[i].y + dir.y * kFeather},
                       clear));
        }
        for (size_t i = 0; i < n; ++i) {
            const int a = base + 1 + static_cast<int>(i);
            const int b = base + 1 + static_cast<int>((i + 1) % n);
            const int c = rim + static_cast<int>(i);
            const int d = rim + static_cast<int>((i + 1) % n);
            indices.insert(indices.end(), {a, c, d, a, d, b});
        }
    }
    Submit();
}

// Outlines the closed polygon in `outline` with a band of StrokeWidth().
void StrokeOutline(SDL_Color color, bool feather) {
    const size_t n = outline.size();
    if (n < 2 || color.a == 0) return;
    const bool clockwise = IsClockwise(outline);
    const float half = StrokeWidth() * 0.5f;
    const int base = static_cast<int>(vertices.size());
    SDL_Color clear = color;
    clear.a = 0;
    for (size_t i = 0; i < n; ++i) {
        SDL_FPoint dir;
        MiterDirection(outline, i, clockwise, &dir);
        const SDL_FPoint& p = outline[i];
        vertices.push_back(Vertex(SDL_FPoint{p.x - dir.x * half, p.y - dir.y * half}, color));
        vertices.push_back(Vertex(SDL_FPoint{p.x + dir.x * half, p.y + dir.y * half}, color));
        if (feather) {
            const float reach = half + kFeather;
            vertices.push_back(Vertex(SDL_FPoint{p.x - dir.x * reach, p.y - dir.y * reach}, clear));
            vertices.push_back(Vertex(SDL_FPoint{p.x + dir.x * reach, p.y + dir.y * reach}, clear));
        }
    }
    const int stride = feather ? 4 : 2;
    for (size_t i = 0; i < n; ++i) {
        const int a = base + static_cast<int>(i) * stride;
        const int b = base + static_cast<int>((i + 1) % n) * stride;
        indices.insert(indices.end(), {a, a + 1, b + 1, a, b + 1, b});
        if (feather) {
            indices.insert(indices.end(), {a + 2, a, b, a + 2, b, b + 2});
            indices.insert(indices.end(), {a + 1, a + 3, b + 3, a + 1, b + 3, b + 1});
        }
    }
    Submit();
}

// The first pixel at or after a rectangle's edge. The software renderer snaps
// triangle corners down to half pixels and fills the pixels whose centres lie
// inside, so rectangles cover exactly the pixels their triangles did.
int PixelEdge(float edge) {
    if (Platform().layoutScale != 1.0f) {
        // Scaled, the same edge reached by two sums (one box's right, its
        // neighbour's left) can differ in the last bit, right at a pixel's
        // border: settled to 1/256 pixel first, both land on the same pixel.
        edge = std::round(edge * 256.0f) / 256.0f;
    }
    const float snapped = std::floor(edge * 2.0f) * 0.5f;
    return static_cast<int>(std::ceil(snapped - 0.5f));
}

// Tiles of one opaque colour. SDL fills a rectangle with streaming stores,
// which go around the cache: on the small boxes of buttons, drawn over a
// background just copied and then under their labels, that costs several
// times what copying the same pixels from a tile does.
const int kTileWidth = 256;
const int kTileHeight = 64;
const int kTileColours = 16;  // 64 KB each

struct SolidTile {
    SDL_Texture* texture = nullptr;
    Uint32 colour = 0;  // ARGB
    unsigned lastUse = 0;
};

SolidTile tiles[kTileColours];
unsigned tilesRenderer = 0;
unsigned tileClock = 0;
unsigned frameStartClock = 0;  // tiles used since are not given up in this frame

SDL_Texture* TileOf(SDL_Color color) {
    if (tilesRenderer != Platform_RendererGeneration()) {
        // The textures went with the renderer that made them.
        for (SolidTile& tile : tiles) tile = SolidTile{};
        tilesRenderer = Platform_RendererGeneration();
    }
    const Uint32 colour = 0xFF000000u | (static_cast<Uint32>(color.r) << 16) |
                          (static_cast<Uint32>(color.g) << 8) | color.b;
    ++tileClock;
    SolidTile* oldest = &tiles[0];
    for (SolidTile& tile : tiles) {
        if (tile.texture && tile.colour == colour) {
            tile.lastUse = tileClock;
            return tile.texture;
        }
        if (tile.lastUse < oldest->lastUse) oldest = &tile;
    }
    // A frame of more colours than tiles fills the rest as before, rather than
    // making and dropping tiles every frame.
    if (oldest->texture && oldest->lastUse > frameStartClock) return nullptr;
    SDL_Texture* texture = SDL_CreateTexture(Platform().renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kTileWidth, kTileHeight);
    if (!texture) return nullptr;
    const std::vector<Uint32> pixels(static_cast<size_t>(kTileWidth) * kTileHeight, colour);
    if (SDL_UpdateTexture(texture, nullptr, pixels.data(), kTileWidth * 4) != 0 ||
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE) != 0) {
        SDL_DestroyTexture(texture);
        return nullptr;
    }
    if (oldest->texture) SDL_DestroyTexture(oldest->texture);
    *oldest = SolidTile{texture, colour, tileClock};
    return texture;
}

// Boxes up to two tiles' worth (buttons, outlines) are copied from tiles; a
// large panel is written faster by the streaming fill, as nothing much is
// drawn over most of it.
const long kTiledBoxPixels = 2L * kTileWidth * kTileHeight;

bool Small(const SDL_Rect* rects, int count) {
    long pixels = 0;
    for (int i = 0; i < count; ++i) pixels += static_cast<long>(rects[i].w) * rects[i].h;
    return pixels <= kTiledBoxPixels;
}

// Copies the colour's tile over each rectangle, as many times as it takes.
bool CopyTiles(SDL_Color color, const SDL_Rect* rects, int count) {
    SDL_Texture* tile = TileOf(color);
    if (!tile) return false;
    SDL_Renderer* renderer = Platform().renderer;
    for (int i = 0; i < count; ++i) {
        const SDL_Rect& r = rects[i];
        for (int y = r.y; y < r.y + r.h; y += kTileHeight) {
            for (int x = r.x; x < r.x + r.w; x += kTileWidth) {
                const int w = r.x + r.w - x < kTileWidth ? r.x + r.w - x : kTileWidth;
                const int h = r.y + r.h - y < kTileHeight ? r.y + r.h - y : kTileHeight;
                const SDL_Rect source = {0, 0, w, h};
                const SDL_Rect dest = {x, y, w, h};
                Platform_CheckDraw(SDL_RenderCopy(renderer, tile, &source, &dest));
            }
        }
    }
    return true;
}

// x / 255 rounded down, for any x up to 255 * 255, without dividing.
inline unsigned DivideBy255(unsigned x) { return (x + 1 + (x >> 8)) >> 8; }

// One row of a see-through fill: each channel becomes
// dst * (255 - a) / 255 + colour * a / 255, both rounded down, which is the
// sum the renderer's own blended fill makes, so the picture is the same to the
// last level. `keep` masks off the window pixel's unused byte.
void BlendRow(Uint32* row, int width, unsigned inverse, Uint32 added, Uint32 keep) {
    int x = 0;
#ifdef VEXAL_BLEND_SSE2
    // Four pixels at a time, each channel widened to 16 bits: d * (255 - a)
    // fits, and DivideBy255 works the same on each lane.
    const __m128i factor = _mm_set1_epi16(static_cast<short>(inverse));
    const __m128i one = _mm_set1_epi16(1);
    const __m128i zero = _mm_setzero_si128();
    const __m128i add = _mm_set1_epi32(static_cast<int>(added));
    const __m128i mask = _mm_set1_epi32(static_cast<int>(keep));
    for (; x + 4 <= width; x += 4) {
        __m128i* at = reinterpret_cast<__m128i*>(row + x);
        const __m128i d = _mm_loadu_si128(at);
        __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), factor);
        __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), factor);
        lo = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(lo, one), _mm_srli_epi16(lo, 8)), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(hi, one), _mm_srli_epi16(hi, 8)), 8);
        const __m128i blended = _mm_add_epi32(_mm_packus_epi16(lo, hi), add);
        _mm_storeu_si128(at, _mm_and_si128(blended, mask));
    }
#endif
    for (; x < width; ++x) {
        const Uint32 d = row[x];
        Uint32 out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            out |= DivideBy255(((d >> shift) & 0xFFu) * inverse) << shift;
        }
        row[x] = (out + added) & keep;
    }
}

// The renderer's blended fill goes pixel by pixel, channel by channel: under
// the dim of a popup it cost more than the whole scene. When the renderer
// draws in memory straight to the window, the same sum is done here on the
// window's pixels four at a time. False (nothing drawn) anywhere else: a
// graphics card's renderer, an image being drawn into, another pixel layout.
bool BlendOnWindow(SDL_Color color, const SDL_Rect* rects, int count) {
    PlatformState& p = Platform();
    SDL_RendererInfo info;
    if (fillBlendThroughSdl || !p.window || SDL_GetRendererInfo(p.renderer, &info) != 0 ||
        !(info.flags & SDL_RENDERER_SOFTWARE) || SDL_GetRenderTarget(p.renderer) != nullptr) {
        return false;
    }
    // What is queued lands first, so the dim goes over it.
    if (SDL_RenderFlush(p.renderer) != 0) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(p.window);
    if (!surface || SDL_MUSTLOCK(surface)) return false;
    // The window's usual layout; its unused top byte the fill leaves at zero.
    if (surface->format->format != SDL_PIXELFORMAT_RGB888) return false;
    // Rectangles are in the window's pixels only while the renderer draws
    // to all of it, unscaled and unclipped (as the game always has it).
    SDL_Rect viewport;
    float scaleX = 0.0f, scaleY = 0.0f;
    SDL_RenderGetViewport(p.renderer, &viewport);
    SDL_RenderGetScale(p.renderer, &scaleX, &scaleY);
    if (viewport.x != 0 || viewport.y != 0 || viewport.w != surface->w ||
        viewport.h != surface->h || scaleX != 1.0f || scaleY != 1.0f ||
        SDL_RenderIsClipEnabled(p.renderer)) {
        return false;
    }
    const Uint32 keep = 0x00FFFFFFu;
    const unsigned a = color.a;
    const Uint32 added =
        DivideBy255(color.r * a) << 16 | DivideBy255(color.g * a) << 8 | DivideBy255(color.b * a);
    const SDL_Rect bounds = {0, 0, surface->w, surface->h};
    for (int i = 0; i < count; ++i) {
        SDL_Rect r;
        if (!SDL_IntersectRect(&rects[i], &bounds, &r)) continue;
        Uint8* pixels = static_cast<Uint8*>(surface->pixels);
        for (int y = r.y; y < r.y + r.h; ++y) {
            Uint32* row =
                reinterpret_cast<Uint32*>(pixels + static_cast<size_t>(y) * surface->pitch);
            BlendRow(row + r.x, r.w, 255u - a, added, keep);
        }
    }
    return true;
}

// Opaque colours are copied over what is there, which the renderer does at
// memory speed; see-through ones (dims) are blended, on the window's pixels
// where that can be done.
void FillPixels(SDL_Color color, const SDL_Rect* rects, int count) {
    if (color.a == 255 && Small(rects, count) && CopyTiles(color, rects, count)) return;
    if (color.a < 255 && BlendOnWindow(color, rects, count)) return;
    SDL_Renderer* renderer = Platform().renderer;
    SDL_SetRenderDrawBlendMode(renderer, color.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    SDL_RenderFillRects(renderer, rects, count);
    // Triangles take the renderer's blend mode: their soft rims need blending.
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

// The upright rectangle around `outline`, filled and outlined without
// triangles: the outline is the band StrokeWidth() wide centred on the edge,
// drawn as four bars that do not overlap (so a see-through one blends once).
void PaintBox() {
    PlatformState& p = Platform();
    if (p.renderingOff || outline.empty()) return;
    float left = outline[0].x, right = left, top = outline[0].y, bottom = top;
    for (const SDL_FPoint& point : outline) {
        left = std::fmin(left, point.x);
        right = std::fmax(right, point.x);
        top = std::fmin(top, point.y);
        bottom = std::fmax(bottom, point.y);
    }
    const SDL_Color fill = Graphics_SdlColor(p.fill);
    if (p.filling && fill.a > 0) {
        const int x0 = PixelEdge(left), x1 = PixelEdge(right);
        const int y0 = PixelEdge(top), y1 = PixelEdge(bottom);
        // A hairline (a one-unit rule in a smaller window) keeps one pixel;
        // every other edge comes from its own position alone, so boxes that
        // meet in layout units still meet in pixels.
        const float unit = p.layoutScale * 0.999f;
        const SDL_Rect box = {x0, y0, x1 == x0 && right - left >= unit ? 1 : x1 - x0,
                              y1 == y0 && bottom - top >= unit ? 1 : y1 - y0};
        if (box.w > 0 && box.h > 0) FillPixels(fill, &box, 1);
    }
    const SDL_Color stroke = Graphics_SdlColor(p.stroke);
    if (!p.stroking || stroke.a == 0) return;
    const float half = StrokeWidth() * 0.5f;
    const int ox0 = PixelEdge(left - half), ox1 = PixelEdge(right + half);
    const int oy0 = PixelEdge(top - half), oy1 = PixelEdge(bottom + half);
    const int ix0 = PixelEdge(left + half), ix1 = PixelEdge(right - half);
    const int iy0 = PixelEdge(top + half), iy1 = PixelEdge(bottom - half);
    if (ox1 <= ox0 || oy1 <= oy0) return;
    if (ix1 <= ix0 || iy1 <= iy0) {
        // Thinner than its outline: the band covers it all.
        const SDL_Rect whole = {ox0, oy0, ox1 - ox0, oy1 - oy0};
        FillPixels(stroke, &whole, 1);
        return;
    }
    const SDL_Rect bars[4] = {{ox0, oy0, ox1 - ox0, iy0 - oy0},
                              {ox0, iy1, ox1 - ox0, oy1 - iy1},
                              {ox0, iy0, ix0 - ox0, iy1 - iy0},
                              {ix1, iy0, ox1 - ix1, iy1 - iy0}};
    FillPixels(stroke, bars, 4);
}

void Paint(bool feather) {
    PlatformState& p = Platform();
    if (p.filling) FillOutline(Graphics_SdlColor(p.fill), feather);
    if (p.stroking) StrokeOutline(Graphics_SdlColor(p.stroke), feather);
}

// Builds the outline of a (rounded) rectangle in local coordinates around
// (cx, cy), rotated about (px, py), through the current matrix.
void RectOutline(float left, float top, float w, float h, float px, float py, float rotation,
                 float radius) {
    outline.clear();
    const double radians = static_cast<double>(rotation) * TS_PI / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    auto add = [&](float x, float y) {
        const float dx = x - px, dy = y - py;
        outline.push_back(Transformed(px + dx * c - dy * s, py + dx * s + dy * c));
    };
    const float maxRadius = std::fmin(std::fabs(w), std::fabs(h)) * 0.5f;
    if (radius > maxRadius) radius = maxRadius;
    if (radius <= 0.5f) {
        add(left, top);
        add(left + w, top);
        add(left + w, top + h);
        add(left, top + h);
        return;
    }
    const int steps = 6;
    const float corners[4][3] = {{left + w - radius, top + radius, -90.0f},
                                 {left + w - radius, top + h - radius, 0.0f},
                                 {left + radius, top + h - radius, 90.0f},
                                 {left + radius, top + radius, 180.0f}};
    for (const auto& corner : corners) {
        for (int k = 0; k <= steps; ++k) {
            const float degrees = corner[2] + 90.0f * static_cast<float>(k) / steps;
            const float angle = degrees * TS_PI_F / 180.0f;
            add(corner[0] + radius * std::cos(angle), corner[1] + radius * std::sin(angle));
        }
    }
}

void RecordShape(AutomationDrawKind kind, float x, float y, float w, float h, float rotation) {
    AutomationDrawCall* call = Record_Draw(kind);
    if (!call) return;
    call->x = x;
    call->y = y;
    call->w = w;
    call->h = h;
    call->rotation = rotation;
}

}  // namespace

bool fillBlendThroughSdl = false;

int Graphics_ClampByte(int value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

SDL_Color Graphics_SdlColor(TS_Color color) {
    return SDL_Color{static_cast<Uint8>(Graphics_ClampByte(color.r)),
                     static_cast<Uint8>(Graphics_ClampByte(color.g)),
                     static_cast<Uint8>(Graphics_ClampByte(color.b)),
                     static_cast<Uint8>(Graphics_ClampByte(color.a))};
}

void Graphics_BeginFrame() {
    PlatformState& p = Platform();
    frameStartClock = tileClock;
    ImageCopies_BeginFrame();
    if (p.recordDraws) p.drawCalls.clear();
    TS_Settings_ResetMatrix();
}

TS_Color TS_Color_Create(int r, int g, int b, int a) { return TS_Color{r, g, b, a}; }

void TS_Settings_Background(TS_Color color) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    AutomationDrawCall* call = Record_Draw(DRAW_CLEAR);
    if (call) call->fill = color;
    if (p.renderingOff) return;
    const SDL_Color c = Graphics_SdlColor(color);
    SDL_SetRenderDrawColor(p.renderer, c.r, c.g, c.b, 255);
    Platform_CheckDraw(SDL_RenderClear(p.renderer));
}

void TS_Settings_Fill(TS_Color color) {
    Platform().fill = color;
    Platform().filling = true;
}
void TS_Settings_NoFill(void) { Platform().filling = false; }
void TS_Settings_Stroke(TS_Color color) {
    Platform().stroke = color;
    Platform().stroking = true;
}
void TS_Settings_NoStroke(void) { Platform().stroking = false; }
void TS_Settings_RectMode(int mode) { Platform().rectMode = mode; }
void TS_Settings_ImageMode(int mode) { Platform().imageMode = mode; }
void TS_Settings_TextAlignment(int horizontal, int vertical) {
    Platform().alignH = horizontal;
    Platform().alignV = vertical;
}
void TS_Settings_TextSize(float pixels) { Platform().textSize = pixels; }

void TS_Settings_ApplyMatrix(TS_Matrix matrix) {
    PlatformState& p = Platform();
    p.matrix = TS_Matrix_Multiply(p.matrix, matrix);
    p.matrixIsIdentity = false;
}

void TS_Settings_ResetMatrix(void) {
    Platform().matrix = TS_Matrix_Identity();
    Platform().matrixIsIdentity = true;
}

void TS_Graphics_DrawRect(float x, float y, float w, float h) {
    TS_Graphics_DrawRectAdvanced(x, y, w, h, 0.0f, 0.0f);
}

void TS_Graphics_DrawRectAdvanced(float x, float y, float w, float h, float rotation,
                                  float cornerRadius) {
    Platform_EnsureInit();
    RecordShape(DRAW_RECT, x, y, w, h, rotation);
    const bool centred = Platform().rectMode == TS_MODE_CENTER;
    const float left = centred ? x - w * 0.5f : x;
    const float top = centred ? y - h * 0.5f : y;
    RectOutline(left, top, w, h, x, y, rotation, cornerRadius);
    const bool turned = std::fmod(rotation, 90.0f) != 0.0f || MatrixRotates();
    if (turned || cornerRadius > 0.5f) Paint(true);
    else PaintBox();
}

void TS_Graphics_DrawEllipseAdvanced(float x, float y, float w, float h, float rotation) {
    Platform_EnsureInit();
    RecordShape(DRAW_ELLIPSE, x, y, w, h, rotation);
    const float rx = std::fabs(w) * 0.5f, ry = std::fabs(h) * 0.5f;
    // Segments of about four real pixels, so large windows get smooth curves.
    int segments = static_cast<int>(TS_PI_F * (rx + ry) * Platform().layoutScale / 4.0f);
    if (segments < 16) segments = 16;
    if (segments > 128) segments = 128;
    const double radians = static_cast<double>(rotation) * TS_PI / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    outline.clear();
    for (int i = 0; i < segments; ++i) {
        const float angle = 2.0f * TS_PI_F * static_cast<float>(i) / static_cast<float>(segments);
        const float ex = rx * std::cos(angle), ey = ry * std::sin(angle);
        outline.push_back(Transformed(x + ex * c - ey * s, y + ex * s + ey * c));
    }
    Paint(true);
}

void TS_Graphics_DrawEllipse(float x, float y, float w, float h) {
    TS_Graphics_DrawEllipseAdvanced(x, y, w, h, 0.0f);
}

void TS_Graphics_DrawQuad(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                          float y3) {
    Platform_EnsureInit();
    AutomationDrawCall* call = Record_Draw(DRAW_QUAD);
    if (call) {
        const float pts[8] = {x0, y0, x1, y1, x2, y2, x3, y3};
        for (int i = 0; i < 8; ++i) call->points[i] = pts[i];
        call->x = (x0 + x1 + x2 + x3) * 0.25f;
        call->y = (y0 + y1 + y2 + y3) * 0.25f;
    }
    outline.clear();
    outline.push_back(Transformed(x0, y0));
    outline.push_back(Transformed(x1, y1));
    outline.push_back(Transformed(x2, y2));
    outline.push_back(Transformed(x3, y3));
    const bool axisAligned = !MatrixRotates() && ((x0 == x1 && y1 == y2 && x2 == x3 && y3 == y0) ||
                                                  (y0 == y1 && x1 == x2 && y2 == y3 && x3 == x0));
    if (axisAligned) PaintBox();
    else Paint(true);
}

void TS_Graphics_DrawTriangleAdvanced(float x0, float y0, float x1, float y1, float x2, float y2,
                                      float rotation) {
    Platform_EnsureInit();
    const float cx = (x0 + x1 + x2) / 3.0f, cy = (y0 + y1 + y2) / 3.0f;
    AutomationDrawCall* call = Record_Draw(DRAW_TRIANGLE);
    if (call) {
        const float pts[6] = {x0, y0, x1, y1, x2, y2};
        for (int i = 0; i < 6; ++i) call->points[i] = pts[i];
        call->x = cx;
        call->y = cy;
        call->rotation = rotation;
    }
    const double radians = static_cast<double>(rotation) * TS_PI / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    outline.clear();
    const float xs[3] = {x0, x1, x2}, ys[3] = {y0, y1, y2};
    for (int i = 0; i < 3; ++i) {
        const float dx = xs[i] - cx, dy = ys[i] - cy;
        outline.push_back(Transformed(cx + dx * c - dy * s, cy + dx * s + dy * c));
    }
    Paint(true);
}
