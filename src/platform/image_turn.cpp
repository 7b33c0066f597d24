// Turned images drawn without temporary surfaces: the ship, its flames and the
// compass arrow turn to a new angle nearly every frame, and SDL's software
// renderer makes and frees three surfaces (nine allocations) for every turned
// draw. The same arithmetic runs here, pixel for pixel, into kept buffers.
#include <cmath>
#include <cstring>

#include "platform/platform_internal.h"

// An image's pixels of one source rectangle at one drawn size: what SDL's
// renderer scales to before it turns.
struct TurnSource {
    SDL_Rect rect;
    int width;
    int height;
    unsigned lastUse;
    std::vector<Uint32> pixels;  // width x height, ARGB
};

struct ImageTurnSources {
    std::vector<TurnSource> sizes;
};

bool imageTurnThroughSdl = false;

namespace {

// An image is seldom drawn turned at more sizes than this at once: the flames'
// four frames at the zoom of play, and a few more while the camera zooms.
const size_t kSourcesPerImage = 12;
// Turned draws of a frame each get their own output, so that none is written
// while an earlier draw still waits in the renderer's queue.
const int kOutputs = 8;

struct TurnOutput {
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
};

TurnOutput outputs[kOutputs];
int nextOutput = 0;
unsigned outputsRenderer = 0;
unsigned useClock = 0;

// The whole-pixel box a turn of a w x h picture about `centre` covers, and the
// sine and cosine in 1/65536 steps, computed exactly as SDL's rotozoom does.
struct Turn {
    SDL_Rect box;
    int isin;
    int icos;
};

void Rotate(double sx, double sy, double s, double c, const SDL_FPoint& centre, double* dx,
            double* dy) {
    sx -= centre.x;
    sy -= centre.y;
    *dx = c * sx - s * sy;
    *dy = s * sx + c * sy;
    *dx += centre.x;
    *dy += centre.y;
}

Turn TurnOf(int width, int height, double angle, const SDL_FPoint& centre) {
    const double radians = angle * (TS_PI / 180.0);
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    double x[4], y[4];
    Rotate(0.5, 0.5, s, c, centre, &x[0], &y[0]);
    Rotate(width - 0.5, 0.5, s, c, centre, &x[1], &y[1]);
    Rotate(0.5, height - 0.5, s, c, centre, &x[2], &y[2]);
    Rotate(width - 0.5, height - 0.5, s, c, centre, &x[3], &y[3]);
    const int minx =
        static_cast<int>(std::floor(std::fmin(std::fmin(x[0], x[1]), std::fmin(x[2], x[3]))));
    const int maxx =
        static_cast<int>(std::ceil(std::fmax(std::fmax(x[0], x[1]), std::fmax(x[2], x[3]))));
    const int miny =
        static_cast<int>(std::floor(std::fmin(std::fmin(y[0], y[1]), std::fmin(y[2], y[3]))));
    const int maxy =
        static_cast<int>(std::ceil(std::fmax(std::fmax(y[0], y[1]), std::fmax(y[2], y[3]))));
    Turn turn;
    turn.box = SDL_Rect{minx, miny, maxx - minx, maxy - miny};
    // Clockwise on screen: the sine is reversed.
    turn.isin = static_cast<int>(-s * 65536.0);
    turn.icos = static_cast<int>(c * 65536.0);
    return turn;
}

// Bilinear turn of `source` into `out` (the turn's box, `pitch` bytes a row):
// pixels whose neighbourhood leaves the source stay clear.
void TurnPixels(const TurnSource& source, const Turn& turn, const SDL_FPoint& centre, Uint8* out,
                int pitch) {
    const int sw = source.width, sh = source.height;
    const int cx = static_cast<int>(centre.x * 65536.0);
    const int cy = static_cast<int>(centre.y * 65536.0);
    const int half = 1 << 15;
    const Uint8* pixels = reinterpret_cast<const Uint8*>(source.pixels.data());
    const int srcPitch = sw * 4;
    for (int y = 0; y < turn.box.h; ++y) {
        Uint8* pc = out + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        std::memset(pc, 0, static_cast<size_t>(turn.box.w) * 4u);
        const double srcX = (turn.box.x + 0 + 0.5 - centre.x);
        const double srcY = (turn.box.y + y + 0.5 - centre.y);
        int sdx = static_cast<int>((turn.icos * srcX - turn.isin * srcY) + cx - half);
        int sdy = static_cast<int>((turn.isin * srcX + turn.icos * srcY) + cy - half);
        for (int x = 0; x < turn.box.w; ++x, pc += 4, sdx += turn.icos, sdy += turn.isin) {
            const int dx = sdx >> 16;
            const int dy = sdy >> 16;
            if (!(dx > -1 && dy > -1 && dx < sw - 1 && dy < sh - 1)) continue;
            const Uint8* c00 = pixels + dy * srcPitch + dx * 4;
            const Uint8* c01 = c00 + 4;
            const Uint8* c10 = c00 + srcPitch;
            const Uint8* c11 = c10 + 4;
            const int ex = sdx & 0xffff;
            const int ey = sdy & 0xffff;
            for (int k = 0; k < 4; ++k) {
                const int t1 = ((((c01[k] - c00[k]) * ex) >> 16) + c00[k]) & 0xff;
                const int t2 = ((((c11[k] - c10[k]) * ex) >> 16) + c10[k]) & 0xff;
                pc[k] = static_cast<Uint8>((((t2 - t1) * ey) >> 16) + t1);
            }
        }
    }
}

// The texture's pixels of `rect`, copied as they are through a scratch target.
bool ReadTexture(SDL_Texture* texture, const SDL_Rect& rect, std::vector<Uint32>* pixels) {
    SDL_Renderer* renderer = Platform().renderer;
    SDL_Texture* scratch = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_TARGET, rect.w, rect.h);
    if (!scratch) return false;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    Uint8 alpha = 255;
    SDL_GetTextureBlendMode(texture, &mode);
    SDL_GetTextureAlphaMod(texture, &alpha);
    bool ok = SDL_SetRenderTarget(renderer, scratch) == 0;
    if (ok) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureAlphaMod(texture, 255);
        pixels->assign(static_cast<size_t>(rect.w) * static_cast<size_t>(rect.h), 0);
        ok = SDL_RenderCopy(renderer, texture, &rect, nullptr) == 0 &&
             SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels->data(),
                                  rect.w * 4) == 0;
        SDL_SetTextureBlendMode(texture, mode);
        SDL_SetTextureAlphaMod(texture, alpha);
    }
    SDL_SetRenderTarget(renderer, previous);
    SDL_DestroyTexture(scratch);
    return ok;
}

// What SDL scales the source rectangle to before it turns it: a plain copy at
// the same size, otherwise its linear stretch.
bool MakeSource(SDL_Texture* texture, TurnSource* source) {
    std::vector<Uint32> read;
    if (!ReadTexture(texture, source->rect, &read)) return false;
    if (source->rect.w == source->width && source->rect.h == source->height) {
        source->pixels.swap(read);
        return true;
    }
    SDL_Surface* from =
        SDL_CreateRGBSurfaceWithFormatFrom(read.data(), source->rect.w, source->rect.h, 32,
                                           source->rect.w * 4, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormat(0, source->width, source->height, 32,
                                                     SDL_PIXELFORMAT_ARGB8888);
    bool ok = from && to && SDL_SoftStretchLinear(from, nullptr, to, nullptr) == 0;
    if (ok) {
        source->pixels.resize(static_cast<size_t>(source->width) *
                              static_cast<size_t>(source->height));
        for (int y = 0; y < source->height; ++y) {
            std::memcpy(source->pixels.data() + static_cast<size_t>(y) * source->width,
                        static_cast<const Uint8*>(to->pixels) + y * to->pitch,
                        static_cast<size_t>(source->width) * 4u);
        }
    }
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
    return ok;
}

const TurnSource* SourceFor(ImageTurnSources** sources, SDL_Texture* texture, const SDL_Rect& rect,
                            int width, int height) {
    if (!*sources) *sources = new ImageTurnSources();
    std::vector<TurnSource>& sizes = (*sources)->sizes;
    ++useClock;
    for (TurnSource& source : sizes) {
        if (source.width == width && source.height == height && source.rect.x == rect.x &&
            source.rect.y == rect.y && source.rect.w == rect.w && source.rect.h == rect.h) {
            source.lastUse = useClock;
            return &source;
        }
    }
    TurnSource made{rect, width, height, useClock, {}};
    if (!MakeSource(texture, &made)) return nullptr;
    if (sizes.size() < kSourcesPerImage) {
        sizes.push_back(std::move(made));
        return &sizes.back();
    }
    TurnSource* oldest = &sizes[0];
    for (TurnSource& source : sizes) {
        if (source.lastUse < oldest->lastUse) oldest = &source;
    }
    *oldest = std::move(made);
    return oldest;
}

TurnOutput* OutputFor(int width, int height) {
    if (outputsRenderer != Platform_RendererGeneration()) {
        // The textures went with the renderer that made them.
        for (TurnOutput& output : outputs) output = TurnOutput{};
        outputsRenderer = Platform_RendererGeneration();
    }
    TurnOutput* output = &outputs[nextOutput];
    nextOutput = (nextOutput + 1) % kOutputs;
    if (output->texture && output->width >= width && output->height >= height) return output;
    const int w = output->width > width ? output->width : width;
    const int h = output->height > height ? output->height : height;
    SDL_Texture* texture = SDL_CreateTexture(Platform().renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!texture) return nullptr;
    if (output->texture) SDL_DestroyTexture(output->texture);
    *output = TurnOutput{texture, w, h};
    return output;
}

}  // namespace

bool ImageTurn_Draw(ImageTurnSources** sources, SDL_Texture* texture, const SDL_Rect* source,
                    const SDL_FRect& dest, double angle, const SDL_FPoint& centre,
                    SDL_RendererFlip flip) {
    PlatformState& p = Platform();
    // Flips, quarter turns (SDL copies those without filtering) and anything
    // but linear filtering at the renderer's own scale stay SDL's.
    if (flip != SDL_FLIP_NONE || static_cast<int>(angle / 90) == angle / 90) return false;
    float scaleX = 1.0f, scaleY = 1.0f;
    SDL_RenderGetScale(p.renderer, &scaleX, &scaleY);
    SDL_ScaleMode scaleMode = SDL_ScaleModeNearest;
    Uint8 r = 0, g = 0, b = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint32 format = 0;
    int access = 0, textureW = 0, textureH = 0;
    if (scaleX != 1.0f || scaleY != 1.0f || SDL_GetTextureScaleMode(texture, &scaleMode) != 0 ||
        scaleMode != SDL_ScaleModeLinear || SDL_GetTextureColorMod(texture, &r, &g, &b) != 0 ||
        (r & g & b) != 255 || SDL_GetTextureBlendMode(texture, &blend) != 0 ||
        blend != SDL_BLENDMODE_BLEND ||
        SDL_QueryTexture(texture, &format, &access, &textureW, &textureH) != 0 ||
        format != SDL_PIXELFORMAT_ARGB8888) {
        return false;
    }
    SDL_Rect rect = {0, 0, textureW, textureH};
    if (source && !SDL_IntersectRect(source, &rect, &rect)) return false;
    // The renderer truncates the box to whole pixels.
    const int left = static_cast<int>(dest.x), top = static_cast<int>(dest.y);
    const int width = static_cast<int>(dest.w), height = static_cast<int>(dest.h);
    if (width < 1 || height < 1 || width > 4096 || height > 4096) return false;
    const Turn turn = TurnOf(width, height, angle, centre);
    if (turn.box.w < 1 || turn.box.h < 1) return false;

    const TurnSource* pixels = SourceFor(sources, texture, rect, width, height);
    TurnOutput* output = pixels ? OutputFor(turn.box.w, turn.box.h) : nullptr;
    if (!output) return false;
    const SDL_Rect area = {0, 0, turn.box.w, turn.box.h};
    void* locked = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(output->texture, &area, &locked, &pitch) != 0) return false;
    TurnPixels(*pixels, turn, centre, static_cast<Uint8*>(locked), pitch);
    SDL_UnlockTexture(output->texture);

    Uint8 alpha = 255;
    SDL_GetTextureAlphaMod(texture, &alpha);
    SDL_SetTextureBlendMode(output->texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(output->texture, alpha);
    const SDL_Rect at = {left + turn.box.x, top + turn.box.y, turn.box.w, turn.box.h};
    Platform_CheckDraw(SDL_RenderCopy(p.renderer, output->texture, &area, &at));
    return true;
}

void ImageTurn_FreeSources(ImageTurnSources** sources) {
    delete *sources;
    *sources = nullptr;
}
