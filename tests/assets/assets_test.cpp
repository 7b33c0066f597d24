// The generated assets: every file the game opens exists and loads, and keeps the size,
// placement and sound rules that the drawing and sound code rely on.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/assets.h"
#include "support/portable.h"

namespace {

namespace fs = std::filesystem;

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Loads an image as straight RGBA bytes, or null.
// Where the game finds a picture of the sprite table.
std::string ShippedSprite(const char* file) { return std::string(defaultAssetRoot) + file; }

Surface LoadRgba(const std::string& path) {
    Surface raw(IMG_Load(path.c_str()));
    if (!raw) return nullptr;
    return Surface(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

uint8_t Alpha(const SDL_Surface* s, int x, int y) {
    return static_cast<const uint8_t*>(s->pixels)[static_cast<size_t>(y) * s->pitch + x * 4 + 3];
}

// Alpha-weighted centre of a rectangle of the image, in pixels relative to the rectangle.
struct Centroid {
    double x = 0, y = 0, mass = 0;
};
Centroid InkCentre(const SDL_Surface* s, int x0, int y0, int w, int h) {
    Centroid c;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double a = Alpha(s, x0 + x, y0 + y);
            c.x += a * x;
            c.y += a * y;
            c.mass += a;
        }
    if (c.mass > 0) {
        c.x /= c.mass;
        c.y /= c.mass;
    }
    return c;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

struct Wav {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

// Reads a RIFF WAVE file, walking its chunks.
Wav ReadWav(const std::string& path) {
    Wav w;
    const std::vector<uint8_t> b = ReadBytes(path);
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return w;
    size_t at = 12;
    bool haveFormat = false;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(at),
                             b.begin() + static_cast<long>(at) + 4);
        const size_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return w;
        if (id == "fmt ") {
            w.format = static_cast<int>(Le(b, at + 8, 2));
            w.channels = static_cast<int>(Le(b, at + 10, 2));
            w.rate = static_cast<int>(Le(b, at + 12, 4));
            w.bits = static_cast<int>(Le(b, at + 22, 2));
            haveFormat = true;
        } else if (id == "data" && haveFormat && w.bits == 16) {
            for (size_t i = 0; i + 1 < size; i += 2)
                w.samples.push_back(static_cast<int16_t>(Le(b, at + 8 + i, 2)));
            w.ok = true;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

// A loop clicks when its last sample does not lead into its first the way its
// neighbouring samples lead into each other.
void ExpectSeamless(const std::string& path) {
    const Wav w = ReadWav(path);
    ASSERT_TRUE(w.ok) << path;
    const std::vector<int16_t>& s = w.samples;
    const size_t n = s.size();
    ASSERT_GT(n, 256u) << path;
    double sumSq = 0;
    int count = 0;
    for (size_t i = 0; i < 64; ++i) {
        const double head = s[i + 1] - s[i], tail = s[n - 1 - i] - s[n - 2 - i];
        sumSq += head * head + tail * tail;
        count += 2;
    }
    const double localStep = std::sqrt(sumSq / count);
    const double seam = std::abs(static_cast<double>(s[0]) - s[n - 1]);
    EXPECT_LE(seam, 4.0 * localStep + 0.01 * 32768)
        << path << ": the loop jumps by " << seam << " where steps are about " << localStep;
}

class GeneratedAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() { IMG_Init(IMG_INIT_PNG); }
};

}  // namespace

TEST_F(GeneratedAssets, EveryImageTheGameOpensLoads) {
    std::vector<std::string> paths;
    for (const char* file : spriteFiles) paths.push_back(ShippedSprite(file));
    paths.insert(paths.end(), flameStripPaths, flameStripPaths + 3);
    paths.push_back(ShippedSprite(errorImageFile));
    paths.push_back(appIconPath);
    for (const std::string& path : paths) {
        ASSERT_TRUE(fs::exists(path)) << path;
        const Surface s = LoadRgba(path);
        ASSERT_TRUE(s) << path << ": " << IMG_GetError();
        EXPECT_GT(s->w, 0) << path;
        EXPECT_GT(s->h, 0) << path;
    }
}

TEST_F(GeneratedAssets, FlameStripsAreRowsOfThousandPixelFramesPlacedOnTheShip) {
    // Frames are drawn over the ship's box: the main flame below its tail, each steering
    // jet on its own side. Every frame must show something.
    for (int strip = 0; strip < 3; ++strip) {
        const Surface s = LoadRgba(flameStripPaths[strip]);
        ASSERT_TRUE(s) << flameStripPaths[strip];
        EXPECT_EQ(s->h, 1000);
        EXPECT_EQ(s->w % 1000, 0);
        EXPECT_GE(s->w, 2000);
        EXPECT_LE(s->w, 4000);
        for (int frame = 0; frame < s->w / 1000; ++frame) {
            const Centroid c = InkCentre(s.get(), frame * 1000, 0, 1000, 1000);
            ASSERT_GT(c.mass, 0) << flameStripPaths[strip] << " frame " << frame << " is empty";
            if (strip == 0) {
                EXPECT_GT(c.y, 750) << "the main flame sits below the tail";
                EXPECT_NEAR(c.x, 500, 30) << "the main flame is centred";
            } else {
                EXPECT_LT(c.y, 500) << "steering jets sit on the front half";
                if (strip == 1) {
                    EXPECT_GT(c.x, 560) << "the right strip is on the right";
                } else {
                    EXPECT_LT(c.x, 440) << "the left strip is on the left";
                }
            }
        }
    }
}

TEST_F(GeneratedAssets, ShipPointsUpAndLeavesRoomForItsFlame) {
    const Surface ship = LoadRgba(ShippedSprite(spriteFiles[SPRITE_PLAYER]));
    ASSERT_TRUE(ship);
    ASSERT_EQ(ship->w, ship->h);
    const int n = ship->w;
    int top = n, bottom = -1;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (Alpha(ship.get(), x, y) > 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_LT(top, n / 8) << "the nose reaches the top of the box";
    EXPECT_LT(bottom, n * 8 / 10) << "the bottom fifth is left for the engine flame";
    // The nose: the top rows are narrow and centred.
    const Centroid nose = InkCentre(ship.get(), 0, top, n, n / 10);
    EXPECT_NEAR(nose.x, n / 2.0, n / 40.0);
}

TEST_F(GeneratedAssets, BackgroundsCoverWideWindowsAtWindowHeight) {
    const Surface play = LoadRgba(ShippedSprite(spriteFiles[SPRITE_GAMEPLAY_BACKGROUND]));
    const Surface menu = LoadRgba(ShippedSprite(spriteFiles[SPRITE_MENU_BACKGROUND]));
    ASSERT_TRUE(play);
    ASSERT_TRUE(menu);
    // The menu picture pans between a quarter and the whole window width.
    EXPECT_GE(static_cast<double>(play->w) / play->h, 2.4);
    EXPECT_GE(static_cast<double>(menu->w) / menu->h, 3.6);
    for (const SDL_Surface* s : {play.get(), menu.get()}) {
        EXPECT_GE(s->h, 720);
        EXPECT_LE(s->h, 1080);
        EXPECT_EQ(Alpha(s, s->w / 2, s->h / 2), 255) << "backgrounds are opaque";
    }
}

TEST_F(GeneratedAssets, AppIconHoldsSmallMediumAndLargeImagesWithTransparency) {
    const std::vector<uint8_t> ico = ReadBytes(appIconPath);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le(ico, 0, 2), 0u);
    EXPECT_EQ(Le(ico, 2, 2), 1u) << "an icon, not a cursor";
    std::set<int> sizes;
    const uint32_t count = Le(ico, 4, 2);
    ASSERT_GE(ico.size(), 6u + 16u * count);
    for (uint32_t i = 0; i < count; ++i) sizes.insert(static_cast<int>(ico[6 + 16 * i]));
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
    // The loader keeps alpha only where the mask allows it: the rounded corners must stay clear.
    const Surface s = LoadRgba(appIconPath);
    ASSERT_TRUE(s);
    EXPECT_EQ(Alpha(s.get(), 0, 0), 0);
    EXPECT_EQ(Alpha(s.get(), s->w / 2, s->h / 2), 255);
}

TEST_F(GeneratedAssets, SoundsAreMonoSixteenBitPcmAtFullLevelWithoutClipping) {
    for (const char* path : soundPaths) {
        const Wav w = ReadWav(path);
        ASSERT_TRUE(w.ok) << path;
        EXPECT_EQ(w.format, 1) << path;
        EXPECT_EQ(w.channels, 1) << path;
        EXPECT_EQ(w.bits, 16) << path;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << path;
        int peak = 0;
        for (int16_t v : w.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LT(peak, 32767) << path << " clips";
        EXPECT_GT(peak, 32768 / 4) << path << " is nearly silent";
    }
}

TEST_F(GeneratedAssets, MusicAndEngineSoundsLoopSeamlessly) {
    for (int slot : {SOUND_MENU_MUSIC, SOUND_GAME_MUSIC})
        EXPECT_GE(ReadWav(soundPaths[slot]).Seconds(), 60.0) << soundPaths[slot];
    for (int slot : {SOUND_MENU_MUSIC, SOUND_GAME_MUSIC, SOUND_THRUSTER, SOUND_ADJUSTER})
        ExpectSeamless(soundPaths[slot]);
}

TEST_F(GeneratedAssets, GeneratorWritesTheSameBytesEveryRun) {
    SKIP_ON_WINDOWS("the asset generator is a Linux program; the Windows build ships its output");
    // The build's Assets came from one run; a second run into a fresh folder must match it.
    const fs::path fresh =
        fs::temp_directory_path() / ("vexal_assetgen_" + std::to_string(getpid()));
    fs::remove_all(fresh);
    const std::string command = std::string("\"") +
                                VEXAL_BINARY_DIR "/tools/assetgen/assetgen\" \"" + fresh.string() +
                                "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    int compared = 0;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(fresh)) {
        if (!e.is_regular_file()) continue;
        const fs::path relative = fs::relative(e.path(), fresh);
        EXPECT_TRUE(ReadBytes(e.path()) == ReadBytes(fs::path("Assets") / relative))
            << relative << " differs between runs";
        ++compared;
    }
    EXPECT_GE(compared, SPRITE_COUNT + SOUND_COUNT + 5);
    fs::remove_all(fresh);
}
