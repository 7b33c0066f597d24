// Pictures kept at the size they are drawn at: away from 1280 x 720 every
// upright image is stretched by the layout scale, and SDL's software renderer
// makes and frees temporary surfaces for every stretched copy. A copy made
// once at the drawn size is then copied plainly, pixel for pixel.
#include <SDL.h>

#include "platform/platform_internal.h"

namespace {

// Icons, buttons' pictures and an animation's frames at one or two sizes;
// larger sets of sizes (a zoom in progress) are drawn stretched directly.
const int kCopySlots = 96;
// Bigger copies are not worth their memory: backgrounds have their own.
const long kLargestCopyPixels = 1024L * 1024L;

struct ImageCopy {
    const void* owner = nullptr;  // the image record
    SDL_Texture* texture = nullptr;
    SDL_Rect source = {0, 0, 0, 0};  // all zero for the whole picture
    int width = 0;
    int height = 0;
    unsigned lastUse = 0;
};

ImageCopy copies[kCopySlots];
unsigned copiesRenderer = 0;
unsigned useClock = 0;
unsigned frameStartClock = 0;

bool SameSource(const SDL_Rect& a, const SDL_Rect* b) {
    if (!b) return a.w == 0 && a.h == 0;
    return a.x == b->x && a.y == b->y && a.w == b->w && a.h == b->h;
}

void Release(ImageCopy& copy) {
    if (copy.texture && Platform().renderer && copiesRenderer == Platform_RendererGeneration()) {
        SDL_DestroyTexture(copy.texture);
    }
    copy = ImageCopy{};
}

// Stretches `source` of `texture` into a new texture of width x height, the
// way the renderer would stretch it onto the window, pixels and alpha as they
// are. Null when any step fails.
SDL_Texture* MakeCopy(SDL_Texture* texture, const SDL_Rect* source, int width, int height) {
    SDL_Renderer* renderer = Platform().renderer;
    SDL_Texture* copy = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, width, height);
    if (!copy) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    Uint8 alpha = 255;
    SDL_GetTextureBlendMode(texture, &mode);
    SDL_GetTextureAlphaMod(texture, &alpha);
    bool ok = SDL_SetRenderTarget(renderer, copy) == 0;
    if (ok) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureAlphaMod(texture, 255);
        ok = SDL_RenderCopy(renderer, texture, source, nullptr) == 0;
        SDL_SetTextureBlendMode(texture, mode);
        SDL_SetTextureAlphaMod(texture, alpha);
    }
    SDL_SetRenderTarget(renderer, previous);
    if (!ok) {
        SDL_DestroyTexture(copy);
        return nullptr;
    }
    SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_BLEND);
    return copy;
}

}  // namespace

SDL_Texture* ImageCopies_Get(const void* owner, SDL_Texture* texture, const SDL_Rect* source,
                             int width, int height) {
    if (width <= 0 || height <= 0 || static_cast<long>(width) * height > kLargestCopyPixels) {
        return nullptr;
    }
    if (copiesRenderer != Platform_RendererGeneration()) {
        // The textures went with the renderer that made them.
        for (ImageCopy& copy : copies) copy = ImageCopy{};
        copiesRenderer = Platform_RendererGeneration();
    }
    ++useClock;
    ImageCopy* oldest = &copies[0];
    for (ImageCopy& copy : copies) {
        if (copy.texture && copy.owner == owner && copy.width == width && copy.height == height &&
            SameSource(copy.source, source)) {
            copy.lastUse = useClock;
            return copy.texture;
        }
        if (copy.lastUse < oldest->lastUse) oldest = &copy;
    }
    // More sizes in one frame than slots: the rest are drawn stretched, rather
    // than making and dropping copies every frame.
    if (oldest->texture && oldest->lastUse > frameStartClock) return nullptr;
    SDL_Texture* made = MakeCopy(texture, source, width, height);
    if (!made) return nullptr;
    Release(*oldest);
    oldest->owner = owner;
    oldest->texture = made;
    oldest->source = source ? *source : SDL_Rect{0, 0, 0, 0};
    oldest->width = width;
    oldest->height = height;
    oldest->lastUse = useClock;
    return made;
}

void ImageCopies_Forget(const void* owner) {
    for (ImageCopy& copy : copies) {
        if (copy.owner == owner) Release(copy);
    }
}

void ImageCopies_BeginFrame() { frameStartClock = useClock; }

void ImageCopies_Shutdown() {
    for (ImageCopy& copy : copies) Release(copy);
}

int ImageCopies_Count() {
    int count = 0;
    for (const ImageCopy& copy : copies) count += copy.texture ? 1 : 0;
    return count;
}
