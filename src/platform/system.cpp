// The window: size, fullscreen, title, frame rate and frame time.
#include <SDL.h>

#include "platform/platform_internal.h"

namespace {

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

void TS_System_SetWindowSize(int width, int height) {
    PlatformState& p = Platform();
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    p.windowWidth = width;
    p.windowHeight = height;
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
    p.windowWidth = width;
    p.windowHeight = height;
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

int TS_System_GetWindowWidth(void) { return Platform().windowWidth; }
int TS_System_GetWindowHeight(void) { return Platform().windowHeight; }

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
