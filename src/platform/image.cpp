// Images: loading PNGs into textures and drawing them whole, rotated or as a
// sub-rectangle (animation frames), through the current matrix and the layout
// scale.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <string>

#include "platform/platform_internal.h"

struct TS_ImageRecord {
    SDL_Texture* texture;
    int width;
    int height;
    // Large pictures (backgrounds) keep their pixels so that a copy scaled to
    // the size they are shown at can be made once instead of every frame.
    SDL_Surface* pixels;
    SDL_Texture* scaled;
    int scaledWidth;
    int scaledHeight;
    unsigned renderer;  // the renderer generation its textures belong to
    // The scaled copy darkened by a dim layer (menu screens behind a dim),
    // so that the dim is paid for once instead of blended every frame.
    SDL_Texture* dimmed;
    int dimmedWidth;
    int dimmedHeight;
    int dimmedBy;
    // Every pixel fully covering (backgrounds): drawn whole and upright at full
    // alpha, it is copied over the frame without blending.
    bool opaque;
    // Its pixels scaled to the sizes it is drawn turned at.
    ImageTurnSources* turnSources;
};

namespace {

const int kPrescaleMinPixels = 512 * 512;
long imageLoads = 0;

// Splits the current matrix into a position, a uniform scale and a rotation.
// Returns false for matrices that flip or stretch.
bool SimilarityOfMatrix(float* scale, float* rotation) {
    const TS_Matrix& m = Platform().matrix;
    const float sx = std::sqrt(m.m[0][0] * m.m[0][0] + m.m[1][0] * m.m[1][0]);
    const float sy = std::sqrt(m.m[0][1] * m.m[0][1] + m.m[1][1] * m.m[1][1]);
    const float det = m.m[0][0] * m.m[1][1] - m.m[0][1] * m.m[1][0];
    if (det <= 0.0f || std::fabs(sx - sy) > 1e-3f * (sx + sy)) return false;
    *scale = sx;
    *rotation = std::atan2(m.m[1][0], m.m[0][0]) * 180.0f / TS_PI_F;
    return true;
}

// A texture of a prepared copy. An opaque picture's copy is made in the
// window's own pixel format, so that drawing it is a plain row copy.
SDL_Texture* TextureOfCopy(TS_Image image, SDL_Surface* copy) {
    SDL_Surface* converted = nullptr;
    if (image->opaque) {
        const Uint32 format = SDL_GetWindowPixelFormat(Platform().window);
        if (format != SDL_PIXELFORMAT_UNKNOWN && !SDL_ISPIXELFORMAT_ALPHA(format)) {
            converted = SDL_ConvertSurfaceFormat(copy, format, 0);
        }
    }
    SDL_Texture* texture =
        SDL_CreateTextureFromSurface(Platform().renderer, converted ? converted : copy);
    SDL_FreeSurface(converted);
    if (!texture) Platform_NoteDrawFailure(SDL_GetError());
    return texture;
}

// The picture's pixels stretched to width x height (null when that fails).
SDL_Surface* StretchedPixels(SDL_Surface* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0 || width > 8192 || height > 8192) return nullptr;
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, pixels->format->format);
    if (!target) return nullptr;
    if (SDL_SoftStretchLinear(pixels, nullptr, target, nullptr) != 0) {
        SDL_FreeSurface(target);
        return nullptr;
    }
    return target;
}

// Makes the scaled copy's texture from stretched pixels, which it frees.
SDL_Texture* AdoptScaled(TS_Image image, SDL_Surface* stretched) {
    SDL_Texture* texture = TextureOfCopy(image, stretched);
    const int width = stretched->w, height = stretched->h;
    SDL_FreeSurface(stretched);
    if (!texture) return nullptr;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    if (image->scaled) SDL_DestroyTexture(image->scaled);
    image->scaled = texture;
    image->scaledWidth = width;
    image->scaledHeight = height;
    return texture;
}

// The picture at (width, height) under a black layer of alpha `dim`.
SDL_Texture* DimmedTexture(TS_Image image, int width, int height, int dim) {
    if (!image->opaque) return nullptr;
    if (image->dimmed && image->dimmedWidth == width && image->dimmedHeight == height &&
        image->dimmedBy == dim) {
        return image->dimmed;
    }
    SDL_Surface* target = StretchedPixels(image->pixels, width, height);
    if (!target) return nullptr;
    // The layer is blended the way the renderer blends a see-through shape:
    // a surface of the colour blitted over the picture.
    SDL_Surface* layer =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    bool made = layer != nullptr;
    if (made) {
        SDL_FillRect(layer, nullptr, SDL_MapRGBA(layer->format, 0, 0, 0, static_cast<Uint8>(dim)));
        SDL_SetSurfaceBlendMode(layer, SDL_BLENDMODE_BLEND);
        made = SDL_BlitSurface(layer, nullptr, target, nullptr) == 0;
    }
    SDL_FreeSurface(layer);
    if (!made) {
        SDL_FreeSurface(target);
        return nullptr;
    }
    SDL_Texture* texture = TextureOfCopy(image, target);
    SDL_FreeSurface(target);
    if (!texture) return nullptr;
    if (image->dimmed) SDL_DestroyTexture(image->dimmed);
    image->dimmed = texture;
    image->dimmedWidth = width;
    image->dimmedHeight = height;
    image->dimmedBy = dim;
    return texture;
}

bool IsOpaque(const SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) return false;
    const Uint8* row = static_cast<const Uint8*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y, row += surface->pitch) {
        const Uint32* pixel = reinterpret_cast<const Uint32*>(row);
        for (int x = 0; x < surface->w; ++x) {
            if ((pixel[x] >> 24) != 0xFF) return false;
        }
    }
    return true;
}

SDL_Texture* ScaledTexture(TS_Image image, int width, int height) {
    if (image->scaled && image->scaledWidth == width && image->scaledHeight == height) {
        return image->scaled;
    }
    if (!image->pixels) return nullptr;
    SDL_Surface* stretched = StretchedPixels(image->pixels, width, height);
    return stretched ? AdoptScaled(image, stretched) : nullptr;
}

// A PNG file's pixels in the format every texture uses; safe on any thread.
SDL_Surface* DecodeFile(const char* path) {
    SDL_Surface* loaded = IMG_Load(path);
    if (!loaded) return nullptr;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    return surface;
}

// The image of decoded pixels, which it takes over (null when that fails).
TS_Image MakeImage(SDL_Surface* surface) {
    if (!surface) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(Platform().renderer, surface);
    if (!texture) {
        Platform_NoteDrawFailure(SDL_GetError());
        SDL_FreeSurface(surface);
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    TS_Image image = new TS_ImageRecord();
    image->texture = texture;
    image->width = surface->w;
    image->height = surface->h;
    image->renderer = Platform_RendererGeneration();
    image->opaque = IsOpaque(surface);
    if (surface->w * surface->h >= kPrescaleMinPixels) {
        image->pixels = surface;
    } else {
        SDL_FreeSurface(surface);
    }
    return image;
}

// The whole-picture size a draw at w x h uses, rounded as DrawImage rounds it.
void RoundedSize(float w, float h, int* width, int* height) {
    *width = static_cast<int>(std::lround(w));
    *height = static_cast<int>(std::lround(h));
}

void Record(AutomationDrawKind kind, TS_Image image, float x, float y, float w, float h, int alpha,
            float rotation) {
    AutomationDrawCall* call = Record_Draw(kind);
    if (!call) return;
    call->image = image;
    call->x = x;
    call->y = y;
    call->w = w;
    call->h = h;
    call->alpha = alpha;
    call->rotation = rotation;
}

// Draws `source` (null = whole image) into the box at (x, y) sized (w, h),
// placed by the image mode, rotated about the anchor point, under a black
// layer of alpha `dim` that covers the box.
void DrawImage(TS_Image image, float x, float y, float w, float h, int alpha, float rotation,
               const SDL_Rect* source, int dim = 0) {
    PlatformState& p = Platform();
    if (!image || !image->texture || w == 0.0f || h == 0.0f || p.renderingOff) return;
    if (image->renderer != Platform_RendererGeneration()) {
        // Its textures went with an earlier renderer: SDL must not see them.
        Platform_NoteDrawFailure("an image drawn after its renderer was destroyed");
        return;
    }
    alpha = Graphics_ClampByte(alpha);
    if (alpha == 0) return;
    const bool centred = p.imageMode == TS_MODE_CENTER;
    float scale = 1.0f, matrixRotation = 0.0f;
    float ax = x, ay = y;
    if (!p.matrixIsIdentity) {
        if (!SimilarityOfMatrix(&scale, &matrixRotation)) return;
        const TS_Matrix& m = p.matrix;
        ax = m.m[0][0] * x + m.m[0][1] * y + m.m[0][2];
        ay = m.m[1][0] * x + m.m[1][1] * y + m.m[1][2];
    }
    // From layout units to real pixels (exact at a scale of 1).
    const float layout = p.layoutScale;
    scale *= layout;
    ax *= layout;
    ay *= layout;
    const float dw = w * scale, dh = h * scale;
    SDL_FRect dest =
        centred ? SDL_FRect{ax - dw * 0.5f, ay - dh * 0.5f, dw, dh} : SDL_FRect{ax, ay, dw, dh};
    const SDL_FPoint pivot = centred ? SDL_FPoint{dw * 0.5f, dh * 0.5f} : SDL_FPoint{0, 0};
    const double angle = static_cast<double>(rotation) + static_cast<double>(matrixRotation);
    SDL_RendererFlip flip = SDL_FLIP_NONE;
    if (dest.w < 0) {
        dest.w = -dest.w;
        dest.x -= dest.w;
        flip = static_cast<SDL_RendererFlip>(flip | SDL_FLIP_HORIZONTAL);
    }
    if (dest.h < 0) {
        dest.h = -dest.h;
        dest.y -= dest.h;
        flip = static_cast<SDL_RendererFlip>(flip | SDL_FLIP_VERTICAL);
    }
    SDL_Texture* texture = image->texture;
    const SDL_Rect* src = source;
    if (!source && angle == 0.0 && flip == SDL_FLIP_NONE) {
        const int sw = static_cast<int>(std::lround(dest.w));
        const int sh = static_cast<int>(std::lround(dest.h));
        SDL_Texture* dimmed = dim > 0 && alpha == 255 ? DimmedTexture(image, sw, sh, dim) : nullptr;
        if (dimmed) {
            texture = dimmed;
            dim = 0;
            dest.w = static_cast<float>(sw);
            dest.h = static_cast<float>(sh);
        } else if (image->pixels && (sw != image->width || sh != image->height)) {
            SDL_Texture* scaled = ScaledTexture(image, sw, sh);
            if (scaled) {
                texture = scaled;
                dest.w = static_cast<float>(sw);
                dest.h = static_cast<float>(sh);
            }
        }
    }
    if (texture == image->texture && layout != 1.0f && angle == 0.0 && flip == SDL_FLIP_NONE) {
        // Stretched by the layout: copied from a kept copy at the drawn size.
        const int sw = static_cast<int>(std::lround(dest.w));
        const int sh = static_cast<int>(std::lround(dest.h));
        const int fromW = source ? source->w : image->width;
        const int fromH = source ? source->h : image->height;
        SDL_Texture* copy =
            sw == fromW && sh == fromH ? nullptr : ImageCopies_Get(image, texture, source, sw, sh);
        if (copy) {
            texture = copy;
            src = nullptr;
            dest.w = static_cast<float>(sw);
            dest.h = static_cast<float>(sh);
        }
    }
    if (!Platform_CheckDraw(SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(alpha)))) return;
    const bool upright = angle == 0.0 && flip == SDL_FLIP_NONE;
    SDL_SetTextureBlendMode(texture, image->opaque && alpha == 255 && upright
                                         ? SDL_BLENDMODE_NONE
                                         : SDL_BLENDMODE_BLEND);
    if (upright) {
        Platform_CheckDraw(SDL_RenderCopyF(p.renderer, texture, src, &dest));
    } else {
        const bool drawn = !imageTurnThroughSdl && ImageTurn_Draw(&image->turnSources, texture, src,
                                                                  dest, angle, pivot, flip);
        if (!drawn) {
            Platform_CheckDraw(
                SDL_RenderCopyExF(p.renderer, texture, src, &dest, angle, &pivot, flip));
        }
    }
    if (dim > 0) {
        SDL_SetRenderDrawBlendMode(p.renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, static_cast<Uint8>(Graphics_ClampByte(dim)));
        SDL_RenderFillRectF(p.renderer, &dest);
    }
}

}  // namespace

TS_Image TS_Image_Load(const char* path) {
    if (!path) return nullptr;
    Platform_EnsureInit();
    ++imageLoads;
    return MakeImage(DecodeFile(path));
}

void TS_Image_Free(TS_Image* image) {
    if (!image || !*image) return;
    TS_Image record = *image;
    // Textures of a renderer that is gone went with it.
    if (Platform().renderer && record->renderer == Platform_RendererGeneration()) {
        if (record->texture) SDL_DestroyTexture(record->texture);
        if (record->scaled) SDL_DestroyTexture(record->scaled);
        if (record->dimmed) SDL_DestroyTexture(record->dimmed);
    }
    if (record->pixels) SDL_FreeSurface(record->pixels);
    ImageTurn_FreeSources(&record->turnSources);
    ImageCopies_Forget(record);
    delete record;
    *image = nullptr;
}

void TS_Image_ReleasePixels(TS_Image image) {
    if (!image || !image->pixels) return;
    SDL_FreeSurface(image->pixels);
    image->pixels = nullptr;
}

size_t TS_Image_KeptPixelBytes(TS_Image image) {
    if (!image || !image->pixels) return 0;
    return static_cast<size_t>(image->pixels->pitch) * static_cast<size_t>(image->pixels->h);
}

int TS_Image_GetWidth(TS_Image image) { return image ? image->width : 0; }
int TS_Image_GetHeight(TS_Image image) { return image ? image->height : 0; }

void TS_Image_Draw(TS_Image image, float x, float y, float w, float h, int alpha) {
    Record(DRAW_IMAGE, image, x, y, w, h, alpha, 0.0f);
    DrawImage(image, x, y, w, h, alpha, 0.0f, nullptr);
}

void TS_Image_DrawAdvanced(TS_Image image, float x, float y, float w, float h, int alpha,
                           float rotation) {
    Record(DRAW_IMAGE, image, x, y, w, h, alpha, rotation);
    DrawImage(image, x, y, w, h, alpha, rotation, nullptr);
}

void TS_Image_DrawDimmed(TS_Image image, float x, float y, float w, float h, int dim) {
    Record(DRAW_IMAGE, image, x, y, w, h, 255, 0.0f);
    DrawImage(image, x, y, w, h, 255, 0.0f, nullptr, Graphics_ClampByte(dim));
}

void TS_Image_DrawSubImage(TS_Image image, float x, float y, float w, float h, float u0, float v0,
                           float u1, float v1, int alpha) {
    Record(DRAW_SUBIMAGE, image, x, y, w, h, alpha, 0.0f);
    if (!image) return;
    SDL_Rect source;
    source.x = static_cast<int>(std::floor(std::fmin(u0, u1)));
    source.y = static_cast<int>(std::floor(std::fmin(v0, v1)));
    source.w = static_cast<int>(std::lround(std::fabs(u1 - u0)));
    source.h = static_cast<int>(std::lround(std::fabs(v1 - v0)));
    // Frames past the strip's end (a fractional frame count) are clipped.
    if (source.x >= image->width || source.y >= image->height) return;
    if (source.x + source.w > image->width) source.w = image->width - source.x;
    if (source.y + source.h > image->height) source.h = image->height - source.y;
    if (source.w <= 0 || source.h <= 0) return;
    DrawImage(image, x, y, w, h, alpha, 0.0f, &source);
}

// Loading ahead ----------------------------------------------------------------

// Decoding a large PNG takes longer than a frame, so reading ahead decodes on
// a helper thread; the textures are made on the frame loop's thread, which
// owns the renderer.
struct TS_ImageLoadRecord {
    std::string path;
    float fitHeight;
    SDL_Surface* pixels;
    SDL_Surface* fitted;  // stretched to fitHeight, when asked and needed
    SDL_Thread* thread;
    SDL_atomic_t done;
};

namespace {

int DecodeAhead(void* data) {
    TS_ImageLoad load = static_cast<TS_ImageLoad>(data);
    load->pixels = DecodeFile(load->path.c_str());
    SDL_Surface* pixels = load->pixels;
    if (pixels && load->fitHeight > 0.0f && pixels->w * pixels->h >= kPrescaleMinPixels) {
        // The width as a background drawn at this height at its own aspect asks for.
        const float w =
            static_cast<float>(pixels->w) / static_cast<float>(pixels->h) * load->fitHeight;
        int width = 0, height = 0;
        RoundedSize(w, load->fitHeight, &width, &height);
        if (width != pixels->w || height != pixels->h) {
            load->fitted = StretchedPixels(pixels, width, height);
        }
    }
    SDL_AtomicSet(&load->done, 1);
    return 0;
}

}  // namespace

TS_ImageLoad TS_Image_LoadAhead(const char* path, float fitHeight) {
    if (!path) return nullptr;
    Platform_EnsureInit();
    ++imageLoads;
    TS_ImageLoad load = new TS_ImageLoadRecord{path, fitHeight, nullptr, nullptr, nullptr, {0}};
    load->thread = SDL_CreateThread(DecodeAhead, "image-ahead", load);
    if (!load->thread) DecodeAhead(load);  // no thread: decode here and now
    return load;
}

bool TS_Image_LoadReady(TS_ImageLoad load) { return !load || SDL_AtomicGet(&load->done) != 0; }

TS_Image TS_Image_LoadFinish(TS_ImageLoad load) {
    if (!load) return nullptr;
    if (load->thread) SDL_WaitThread(load->thread, nullptr);
    TS_Image image = MakeImage(load->pixels);
    if (load->fitted) {
        if (image) {
            AdoptScaled(image, load->fitted);
        } else {
            SDL_FreeSurface(load->fitted);
        }
    }
    delete load;
    return image;
}

long Automation_ImageLoadCount(void) { return imageLoads; }

// ---- Prepared images ---------------------------------------------------------
// A level object that neither turns nor changes size in flight looks the same
// every frame; its rotated, scaled pixels are made once here and later copied
// plainly, which on the software renderer is many times cheaper than rotating
// again. The pixels come from the renderer's own rotated draw, so the copy is
// the very image DrawImage would blend onto the window.

struct TS_PreparedImageRecord {
    SDL_Texture* texture;
    int left;  // from the whole-pixel corner of the drawn box to the copy's corner
    int top;
    int width;
    int height;
    float layoutScale;  // made for this layout scale, at its real pixel size
};

namespace {

// The scratch target leaves this many pixels around the circle the turned box
// stays in, so that the rotation's rounding never falls off its edge.
const int kPrepareMargin = 4;

// The whole-pixel corner the software renderer places a box at: it truncates.
int BoxCorner(float centre, float size) { return static_cast<int>(centre - size * 0.5f); }

// Draws the image into the square scratch target with its box's corner at
// the whole pixel (left, top), copying pixels and alpha as they are (no
// blending), and reads the target back. Returns false when anything fails.
bool RenderIntoScratch(TS_Image image, float w, float h, float rotation, int side, int left,
                       int top, std::vector<Uint32>* pixels) {
    PlatformState& p = Platform();
    SDL_Texture* scratch = SDL_CreateTexture(p.renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_TARGET, side, side);
    if (!scratch) return false;
    SDL_Texture* previous = SDL_GetRenderTarget(p.renderer);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    SDL_GetTextureBlendMode(image->texture, &mode);
    bool ok = SDL_SetRenderTarget(p.renderer, scratch) == 0;
    if (ok) {
        SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, 0);
        SDL_RenderClear(p.renderer);
        SDL_SetTextureBlendMode(image->texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureAlphaMod(image->texture, 255);
        const SDL_FRect dest = {static_cast<float>(left), static_cast<float>(top), w, h};
        const SDL_FPoint pivot = {w * 0.5f, h * 0.5f};
        if (rotation == 0.0f) {
            ok = SDL_RenderCopyF(p.renderer, image->texture, nullptr, &dest) == 0;
        } else {
            ok = SDL_RenderCopyExF(p.renderer, image->texture, nullptr, &dest,
                                   static_cast<double>(rotation), &pivot, SDL_FLIP_NONE) == 0;
        }
        pixels->assign(static_cast<size_t>(side) * static_cast<size_t>(side), 0);
        ok = ok && SDL_RenderReadPixels(p.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                        pixels->data(), side * 4) == 0;
        SDL_SetTextureBlendMode(image->texture, mode);
    }
    SDL_SetRenderTarget(p.renderer, previous);
    SDL_DestroyTexture(scratch);
    return ok;
}

}  // namespace

TS_PreparedImage TS_PreparedImage_Create(TS_Image image, float w, float h, float rotation) {
    PlatformState& p = Platform();
    if (!image || !image->texture || !p.renderer || p.renderingOff) return nullptr;
    // Made at the size it covers in real pixels.
    w *= p.layoutScale;
    h *= p.layoutScale;
    // Flips, empty boxes and the prescaled path of large pictures stay direct draws.
    if (!(w >= 1.0f && h >= 1.0f) || w > 4096.0f || h > 4096.0f || image->pixels) return nullptr;
    const float diagonal = std::sqrt(w * w + h * h);
    const int side = static_cast<int>(std::ceil(diagonal)) + 2 * kPrepareMargin + 2;
    // The box sits in the middle, so that it stays inside whichever way it turns.
    const int boxLeft = static_cast<int>((static_cast<float>(side) - w) * 0.5f);
    const int boxTop = static_cast<int>((static_cast<float>(side) - h) * 0.5f);
    std::vector<Uint32> pixels;
    if (!RenderIntoScratch(image, w, h, rotation, side, boxLeft, boxTop, &pixels)) return nullptr;

    // Fully clear pixels leave the window as it was, so the copy keeps only
    // the box around the rest.
    int minX = side, minY = side, maxX = -1, maxY = -1;
    for (int y = 0; y < side; ++y) {
        const Uint32* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(side);
        for (int x = 0; x < side; ++x) {
            if ((row[x] >> 24) == 0) continue;
            if (x < minX) minX = x;
            if (x > maxX) maxX = x;
            if (y < minY) minY = y;
            if (y > maxY) maxY = y;
        }
    }
    TS_PreparedImage prepared = new TS_PreparedImageRecord{nullptr, 0, 0, 0, 0, p.layoutScale};
    if (maxX < 0) return prepared;  // nothing visible: drawing it draws nothing
    prepared->width = maxX - minX + 1;
    prepared->height = maxY - minY + 1;
    prepared->left = minX - boxLeft;
    prepared->top = minY - boxTop;
    prepared->texture =
        SDL_CreateTexture(p.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                          prepared->width, prepared->height);
    const Uint32* first = pixels.data() + static_cast<size_t>(minY) * static_cast<size_t>(side) +
                          static_cast<size_t>(minX);
    if (!prepared->texture || SDL_UpdateTexture(prepared->texture, nullptr, first, side * 4) != 0) {
        TS_PreparedImage_Free(&prepared);
        return nullptr;
    }
    SDL_SetTextureBlendMode(prepared->texture, SDL_BLENDMODE_BLEND);
    return prepared;
}

void TS_PreparedImage_Free(TS_PreparedImage* prepared) {
    if (!prepared || !*prepared) return;
    if ((*prepared)->texture && Platform().renderer) SDL_DestroyTexture((*prepared)->texture);
    delete *prepared;
    *prepared = nullptr;
}

size_t TS_PreparedImage_Bytes(TS_PreparedImage prepared) {
    if (!prepared) return 0;
    return static_cast<size_t>(prepared->width) * static_cast<size_t>(prepared->height) * 4u;
}

void TS_PreparedImage_Draw(TS_PreparedImage prepared, TS_Image image, float x, float y, float w,
                           float h, int alpha, float rotation) {
    Record(DRAW_IMAGE, image, x, y, w, h, alpha, rotation);
    PlatformState& p = Platform();
    // A copy made before the window changed size is not the right size now.
    if (!p.matrixIsIdentity || p.imageMode != TS_MODE_CENTER ||
        (prepared && prepared->layoutScale != p.layoutScale)) {
        DrawImage(image, x, y, w, h, alpha, rotation, nullptr);
        return;
    }
    if (!prepared || !prepared->texture || p.renderingOff) return;
    alpha = Graphics_ClampByte(alpha);
    if (alpha == 0) return;
    const float s = p.layoutScale;
    const SDL_Rect dest = {BoxCorner(x * s, w * s) + prepared->left,
                           BoxCorner(y * s, h * s) + prepared->top, prepared->width,
                           prepared->height};
    SDL_SetTextureAlphaMod(prepared->texture, static_cast<Uint8>(alpha));
    SDL_RenderCopy(p.renderer, prepared->texture, nullptr, &dest);
}
