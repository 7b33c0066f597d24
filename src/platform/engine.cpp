// The frame loop: events, screen changes, the current screen's update,
// presenting and pacing to the set frame rate.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>

#include "platform/frame_pacer.h"
#include "platform/platform_internal.h"

PlatformState& Platform() {
    static PlatformState state;
    return state;
}

double Clock_Seconds() {
    return static_cast<double>(Clock_Nanoseconds()) / static_cast<double>(kNanosecondsPerSecond);
}

void Engine_ReadRefreshRate() {
    PlatformState& p = Platform();
    p.refreshRate = 0.0f;
    if (!p.window) return;
    int index = SDL_GetWindowDisplayIndex(p.window);
    if (index < 0) index = 0;
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(index, &mode) == 0 && mode.refresh_rate > 0) {
        p.refreshRate = static_cast<float>(mode.refresh_rate);
    }
}

namespace {

// Outside PlatformState: both must outlive an automation restart, which
// resets that state.
unsigned rendererGeneration = 0;
const int kShutdownHookSlots = 8;
TS_Callback shutdownHooks[kShutdownHookSlots] = {};

void CreateWindowAndRenderer(PlatformState& p) {
    Uint32 flags = 0;
    if (p.headless) flags |= SDL_WINDOW_HIDDEN;
    p.window = SDL_CreateWindow(p.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                p.windowWidth, p.windowHeight, flags);
    if (!p.window) {
        SDL_Log("Vexal: cannot open a window: %s", SDL_GetError());
        std::exit(1);
    }
    if (!p.headless) {
        // Where the graphics card offers it, presents wait for the display's
        // refresh; the software renderer has no such wait and the pacer sleeps.
        p.renderer =
            SDL_CreateRenderer(p.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    }
    if (!p.renderer) p.renderer = SDL_CreateRenderer(p.window, -1, SDL_RENDERER_SOFTWARE);
    if (!p.renderer) {
        SDL_Log("Vexal: cannot create a renderer: %s", SDL_GetError());
        std::exit(1);
    }
    SDL_RendererInfo info;
    p.vsync = SDL_GetRendererInfo(p.renderer, &info) == 0 &&
              (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    Engine_ReadRefreshRate();
    SDL_SetRenderDrawBlendMode(p.renderer, SDL_BLENDMODE_BLEND);
    ++rendererGeneration;
}

// Runs a requested screen change: the old screen's exit, then the new init.
void ApplyStateChange(PlatformState& p) {
    // A screen's init may itself request a change; follow a few hops at most.
    for (int hops = 0; p.changePending && hops < 8; ++hops) {
        p.changePending = false;
        if (p.currentExit) p.currentExit();
        p.currentInit = p.nextInit;
        p.currentUpdate = p.nextUpdate;
        p.currentExit = p.nextExit;
        if (p.currentInit) p.currentInit();
    }
}

// Sleeps until the frame is due, then measures the frame time the world
// moves by. The sleep is on an absolute deadline, so the cadence stays even
// and the processor rests in between instead of polling the clock.
void PaceFrame(PlatformState& p) {
    if (p.automation) {
        p.dt = p.fixedDt;
        return;
    }
    p.pacer.period = FramePacer_Period(p.frameRate);
    const bool vsyncPaces = p.vsync && FramePacer_VsyncPaces(p.refreshRate, p.frameRate);
    const int64_t wake = FramePacer_WakeTime(&p.pacer, vsyncPaces);
    if (wake > Clock_Nanoseconds()) Clock_SleepUntil(wake);
    p.dt = FramePacer_EndFrame(&p.pacer, Clock_Nanoseconds());
}

}  // namespace

void Platform_EnsureInit() {
    PlatformState& p = Platform();
    if (p.initialised) return;
    p.initialised = true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (p.headless) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        SDL_Log("Vexal: cannot start SDL: %s", SDL_GetError());
        std::exit(1);
    }
    IMG_Init(IMG_INIT_PNG);
    CreateWindowAndRenderer(p);
    Pad_Start();
    Text_Init();
    FramePacer_Start(&p.pacer, Clock_Nanoseconds(), p.frameRate);
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit(Platform_Shutdown);
    }
}

unsigned Platform_RendererGeneration() { return rendererGeneration; }

void Platform_NoteDrawFailure(const char* what) {
    PlatformState& p = Platform();
    if (p.failedDraws++ == 0) p.firstDrawFailure = what ? what : "";
}

void TS_System_OnShutdown(TS_Callback release) {
    for (TS_Callback& slot : shutdownHooks) {
        if (slot == release) return;
        if (!slot) {
            slot = release;
            return;
        }
    }
    SDL_Log("Vexal: no room for another shutdown hook");
}

void Platform_Shutdown() {
    PlatformState& p = Platform();
    if (!p.initialised) return;
    // Caches of images and sounds empty first, while their renderer and audio
    // are still there to free them.
    for (TS_Callback release : shutdownHooks) {
        if (release) release();
    }
    ImageCopies_Shutdown();
    Audio_Close();
    Pad_CloseAll();
    Text_Shutdown();
    if (p.renderer) SDL_DestroyRenderer(p.renderer);
    if (p.window) SDL_DestroyWindow(p.window);
    p.renderer = nullptr;
    p.window = nullptr;
    IMG_Quit();
    SDL_Quit();
    p.initialised = false;
}

void TS_Engine_SetNextGameState(TS_Callback init, TS_Callback update, TS_Callback exit) {
    PlatformState& p = Platform();
    p.nextInit = init;
    p.nextUpdate = update;
    p.nextExit = exit;
    p.changePending = true;
}

void TS_Engine_Terminate(void) { Platform().running = false; }

bool TS_Engine_IsRunning(void) { return Platform().running; }

TS_Callback TS_Engine_CurrentUpdate(void) { return Platform().currentUpdate; }

namespace {

// Events, input edges and the window hook: the start of every frame.
void BeginFrame(PlatformState& p) {
    Input_BeginFrame();
    Graphics_BeginFrame();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            p.running = false;
            continue;
        }
        if (event.type == SDL_WINDOWEVENT && p.windowHook) {
            int native = 0;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED: native = NATIVE_FOCUS_GAINED; break;
                case SDL_WINDOWEVENT_FOCUS_LOST: native = NATIVE_FOCUS_LOST; break;
                case SDL_WINDOWEVENT_RESIZED:
                case SDL_WINDOWEVENT_SIZE_CHANGED: native = NATIVE_RESIZED; break;
                default: break;
            }
            if (native && p.windowHook(native)) continue;
        }
        Input_HandleEvent(event);
    }
}

void EndFrame(PlatformState& p) {
    SDL_RenderPresent(p.renderer);
    // The sound device is tried once the first picture is up (or sooner, when
    // something asks for a sound): a slow or missing device never delays the
    // window's first frame.
    Audio_Open();
    Text_EndFrame();
    PaceFrame(p);
}

int modalFrameCount = 0;

}  // namespace

void TS_Engine_Frame(void) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    BeginFrame(p);
    if (!p.currentUpdate && p.changePending) ApplyStateChange(p);
    if (p.currentUpdate) p.currentUpdate();
    if (p.changePending) ApplyStateChange(p);
    EndFrame(p);
}

void TS_Engine_ModalFrame(TS_Callback frame) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    if (p.modalHook) p.modalHook(modalFrameCount);
    ++modalFrameCount;
    BeginFrame(p);
    if (frame) frame();
    EndFrame(p);
}

void Automation_SetModalHook(void (*hook)(int frame)) {
    Platform().modalHook = hook;
    modalFrameCount = 0;
}

void TS_Engine_Run(void) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    p.running = true;
    FramePacer_Start(&p.pacer, Clock_Nanoseconds(), p.frameRate);
    while (p.running) TS_Engine_Frame();
    if (p.currentExit) p.currentExit();
    p.currentInit = p.currentUpdate = p.currentExit = nullptr;
}
