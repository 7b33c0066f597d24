// Images: loading PNGs into textures and drawing them whole, rotated or as a
// sub-rectangle (animation frames), through the current matrix.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>

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
    // The scaled copy darkened by a dim layer (menu screens behind a dim),
    // so that the dim is paid for once instead of blended every frame.
    SDL_Texture* dimmed;
    int dimmedWidth;
    int dimmedHeight;
    int dimmedBy;
    // Every pixel fully covering (backgrounds): drawn whole and upright at full
    // alpha, it is copied over the frame without blending.
    bool opaque;
};

namespace {

const int kPrescaleMinPixels = 512 * 512;

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
    return texture;
}

SDL_Texture* ScaledTexture(TS_Image image, int width, int height) {
    if (!image->pixels || width <= 0 || height <= 0 || width > 8192 || height > 8192) {
        return nullptr;
    }
    if (image->scaled && image->scaledWidth == width && image->scaledHeight == height) {
        return image->scaled;
    }
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, image->pixels->format->format);
    if (!target) return nullptr;
    if (SDL_SoftStretchLinear(image->pixels, nullptr, target, nullptr) != 0) {
        SDL_FreeSurface(target);
        return nullptr;
    }
    SDL_Texture* texture = TextureOfCopy(image, target);
    SDL_FreeSurface(target);
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
    if (!image->pixels || !image->opaque || width <= 0 || height <= 0 || width > 8192 ||
        height > 8192) {
        return nullptr;
    }
    if (image->dimmed && image->dimmedWidth == width && image->dimmedHeight == height &&
        image->dimmedBy == dim) {
        return image->dimmed;
    }
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, image->pixels->format->format);
    if (!target) return nullptr;
    // The layer is blended the way the renderer blends a see-through shape:
    // a surface of the colour blitted over the picture.
    SDL_Surface* layer =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    bool made = layer && SDL_SoftStretchLinear(image->pixels, nullptr, target, nullptr) == 0;
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
    SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(alpha));
    const bool upright = angle == 0.0 && flip == SDL_FLIP_NONE;
    SDL_SetTextureBlendMode(texture, image->opaque && alpha == 255 && upright
                                         ? SDL_BLENDMODE_NONE
                                         : SDL_BLENDMODE_BLEND);
    if (upright) {
        SDL_RenderCopyF(p.renderer, texture, src, &dest);
    } else {
        SDL_RenderCopyExF(p.renderer, texture, src, &dest, angle, &pivot, flip);
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
    SDL_Surface* loaded = IMG_Load(path);
    if (!loaded) return nullptr;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!surface) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(Platform().renderer, surface);
    if (!texture) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    TS_Image image = new TS_ImageRecord();
    image->texture = texture;
    image->width = surface->w;
    image->height = surface->h;
    image->opaque = IsOpaque(surface);
    if (surface->w * surface->h >= kPrescaleMinPixels) {
        image->pixels = surface;
    } else {
        SDL_FreeSurface(surface);
    }
    return image;
}

void TS_Image_Free(TS_Image* image) {
    if (!image || !*image) return;
    TS_Image record = *image;
    if (Platform().renderer) {
        if (record->texture) SDL_DestroyTexture(record->texture);
        if (record->scaled) SDL_DestroyTexture(record->scaled);
        if (record->dimmed) SDL_DestroyTexture(record->dimmed);
    }
    if (record->pixels) SDL_FreeSurface(record->pixels);
    delete record;
    *image = nullptr;
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
