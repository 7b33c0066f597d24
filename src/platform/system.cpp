// The window: size (in real pixels and in the layout units screens are
// composed in), fullscreen, title, frame rate and frame time.
#include <SDL.h>

#include <cmath>

#include "platform/platform_internal.h"

namespace {

// The size every screen was designed at; other windows show it scaled evenly.
const double kDesignWidth = 1280.0;
const double kDesignHeight = 720.0;

void DisplaySize(int* width, int* height) {
    PlatformState& p = Platform();
    if (p.headless) {
        *width = p.headlessDisplayWidth;
        *height = p.headlessDisplayHeight;
        return;
    }
    Platform_EnsureInit();
    int index = SDL_GetWindowDisplayIndex(p.window);
    if (index < 0) index = 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(index, &mode) == 0) {
        *width = mode.w;
        *height = mode.h;
    } else {
        *width = p.windowWidth;
        *height = p.windowHeight;
    }
}

}  // namespace

void Layout_OfWindow(int width, int height, float* scale, int* layoutWidth, int* layoutHeight) {
    const double sx = static_cast<double>(width) / kDesignWidth;
    const double sy = static_cast<double>(height) / kDesignHeight;
    const double s = sx < sy ? sx : sy;
    *scale = static_cast<float>(s);
    // A hair of slack so that a size the scale divides exactly is not rounded
    // up by the division's last bit.
    *layoutWidth = static_cast<int>(std::ceil(static_cast<double>(width) / s - 1e-6));
    *layoutHeight = static_cast<int>(std::ceil(static_cast<double>(height) / s - 1e-6));
    if (*layoutWidth < 1) *layoutWidth = 1;
    if (*layoutHeight < 1) *layoutHeight = 1;
}

void Platform_SetWindowPixels(int width, int height) {
    PlatformState& p = Platform();
    p.windowWidth = width;
    p.windowHeight = height;
    Layout_OfWindow(width, height, &p.layoutScale, &p.layoutWidth, &p.layoutHeight);
}

void TS_System_SetWindowSize(int width, int height) {
    PlatformState& p = Platform();
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    Platform_SetWindowPixels(width, height);
    if (!p.initialised) return;  // the window opens at this size
    if (!p.headless) SDL_SetWindowFullscreen(p.window, 0);
    SDL_SetWindowSize(p.window, width, height);
    if (!p.headless)
        SDL_SetWindowPosition(p.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    Engine_ReadRefreshRate();  // the window may now be on another display
}

void TS_System_Fullscreen(void) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    int width = 0, height = 0;
    DisplaySize(&width, &height);
    Platform_SetWindowPixels(width, height);
    if (p.headless) {
        SDL_SetWindowSize(p.window, width, height);
    } else {
        SDL_SetWindowFullscreen(p.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    Engine_ReadRefreshRate();
}

void TS_System_SetFrameRate(float framesPerSecond) {
    Platform().frameRate = framesPerSecond > 1.0f ? framesPerSecond : 1.0f;
}

void TS_System_SetWindowTitle(const char* title) {
    PlatformState& p = Platform();
    p.title = title ? title : "";
    if (p.window) SDL_SetWindowTitle(p.window, p.title.c_str());
}

void* TS_System_GetWindowHandle(void) {
    Platform_EnsureInit();
    return Platform().window;
}

int TS_System_GetWindowWidth(void) { return Platform().layoutWidth; }
int TS_System_GetWindowHeight(void) { return Platform().layoutHeight; }
int TS_System_GetWindowPixelWidth(void) { return Platform().windowWidth; }
int TS_System_GetWindowPixelHeight(void) { return Platform().windowHeight; }
float TS_System_GetLayoutScale(void) { return Platform().layoutScale; }

int TS_System_GetDisplayWidth(void) {
    int width = 0, height = 0;
    DisplaySize(&width, &height);
    return width;
}

int TS_System_GetDisplayHeight(void) {
    int width = 0, height = 0;
    DisplaySize(&width, &height);
    return height;
}

float TS_System_GetDt(void) { return Platform().dt; }
