// PNG output through SDL surfaces and a hand-written BMP-style icon writer.
#include "image_files.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>

#include "shapes.h"

namespace {

uint8_t ToByte(float v, float dither) {
    const float s = Clamp01(v) * 255.0f + dither;
    return static_cast<uint8_t>(std::clamp(static_cast<int>(std::floor(s + 0.5f)), 0, 255));
}

// Straight 8-bit RGBA, row by row.
std::vector<uint8_t> ToBytes(const Canvas& c, bool dither) {
    std::vector<uint8_t> out(static_cast<size_t>(c.width) * c.height * 4);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const Rgba p = c.Get(x, y);
            const float d = dither ? (Hash01(x, y, 7u) + Hash01(x, y, 11u) - 1.0f) : 0.0f;
            uint8_t* o = &out[(static_cast<size_t>(y) * c.width + x) * 4];
            const uint8_t a = ToByte(p.a, 0);
            o[0] = a ? ToByte(p.r, d) : 0;
            o[1] = a ? ToByte(p.g, d) : 0;
            o[2] = a ? ToByte(p.b, d) : 0;
            o[3] = a;
        }
    }
    return out;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 255);
    b.push_back((v >> 8) & 255);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

}  // namespace

bool MakeParentFolder(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return true;
    std::filesystem::create_directories(parent, ec);
    return !ec;
}

bool SavePng(const Canvas& canvas, const std::string& path, bool dither) {
    if (!MakeParentFolder(path)) return false;
    const std::vector<uint8_t> bytes = ToBytes(canvas, dither);
    bool opaque = true;
    for (size_t i = 3; i < bytes.size() && opaque; i += 4) opaque = bytes[i] == 255;
    // Opaque pictures are stored without an alpha channel: a quarter smaller, faster to load.
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, canvas.width, canvas.height, opaque ? 24 : 32,
                                       opaque ? SDL_PIXELFORMAT_RGB24 : SDL_PIXELFORMAT_RGBA32);
    if (!s) return false;
    for (int y = 0; y < canvas.height; ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        const uint8_t* src = &bytes[static_cast<size_t>(y) * canvas.width * 4];
        for (int x = 0; x < canvas.width; ++x) {
            if (opaque) {
                for (int i = 0; i < 3; ++i) row[x * 3 + i] = src[x * 4 + i];
            } else {
                for (int i = 0; i < 4; ++i) row[x * 4 + i] = src[x * 4 + i];
            }
        }
    }
    const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    if (!ok) std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), IMG_GetError());
    return ok;
}

bool SaveIco(const std::vector<Canvas>& images, const std::string& path) {
    if (!MakeParentFolder(path)) return false;
    std::vector<uint8_t> file;
    Put16(file, 0);  // reserved
    Put16(file, 1);  // type: icon
    Put16(file, static_cast<uint32_t>(images.size()));
    std::vector<std::vector<uint8_t>> bodies;
    for (const Canvas& c : images) {
        const int n = c.width;
        const std::vector<uint8_t> rgba = ToBytes(c, false);
        std::vector<uint8_t> body;
        Put32(body, 40);     // BITMAPINFOHEADER size
        Put32(body, n);      // width
        Put32(body, n * 2);  // height: colour image and mask together
        Put16(body, 1);      // planes
        Put16(body, 32);     // bits per pixel
        Put32(body, 0);      // no compression
        const int maskRow = ((n + 31) / 32) * 4;
        Put32(body, n * n * 4 + maskRow * n);
        for (int i = 0; i < 4; ++i) Put32(body, 0);
        for (int y = n - 1; y >= 0; --y) {  // bottom-up BGRA
            for (int x = 0; x < n; ++x) {
                const uint8_t* p = &rgba[(static_cast<size_t>(y) * n + x) * 4];
                body.push_back(p[2]);
                body.push_back(p[1]);
                body.push_back(p[0]);
                body.push_back(p[3]);
            }
        }
        // The AND mask: a set bit lets the pixel's own alpha through, so every
        // pixel that is not fully opaque sets it (loaders force the rest opaque).
        for (int y = n - 1; y >= 0; --y) {
            std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
            for (int x = 0; x < n; ++x)
                if (rgba[(static_cast<size_t>(y) * n + x) * 4 + 3] < 255)
                    row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(body);
    }
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int n = images[i].width;
        file.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
        file.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
        file.push_back(0);  // no palette
        file.push_back(0);
        Put16(file, 1);   // planes
        Put16(file, 32);  // bits per pixel
        Put32(file, static_cast<uint32_t>(bodies[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& b : bodies) file.insert(file.end(), b.begin(), b.end());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
