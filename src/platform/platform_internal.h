// State shared by the framework layer's own files; nothing outside
// src/platform includes this header.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/automation.h"
#include "platform/frame_pacer.h"
#include "platform/native.h"
#include "platform/tessera.h"

// One open game pad and the game's buttons as it holds them.
struct PadSlot {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    bool down[TS_PAD_BUTTON_COUNT] = {};
};
const int kPadSlots = 8;

struct PlatformState {
    bool initialised = false;
    bool automation = false;
    bool headless = false;
    float fixedDt = 1.0f / 60.0f;

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    int windowWidth = 1280;  // real pixels
    int windowHeight = 720;
    // Screens are composed in layout units, a 1280 x 720 design stretched
    // evenly to the window: a unit is layoutScale pixels, and the window is
    // layoutWidth x layoutHeight units (rounded up, so it is always covered).
    float layoutScale = 1.0f;
    int layoutWidth = 1280;
    int layoutHeight = 720;
    int headlessDisplayWidth = 1920;
    int headlessDisplayHeight = 1080;
    std::string title = "Vexal~";

    // Engine
    float frameRate = 60.0f;
    float dt = 1.0f / 60.0f;
    FramePacer pacer;
    bool vsync = false;        // presents wait for the display's refresh
    float refreshRate = 0.0f;  // the display's, in Hz (0 when unknown)
    TS_Callback currentInit = nullptr;
    TS_Callback currentUpdate = nullptr;
    TS_Callback currentExit = nullptr;
    TS_Callback nextInit = nullptr;
    TS_Callback nextUpdate = nullptr;
    TS_Callback nextExit = nullptr;
    bool changePending = false;
    bool running = false;

    // Input
    bool keyDown[TS_KEY_COUNT] = {};
    bool keyTriggered[TS_KEY_COUNT] = {};
    bool keyReleased[TS_KEY_COUNT] = {};
    bool anyTriggered = false;
    bool anyReleased = false;
    bool mouseDown[3] = {};
    bool mouseTriggered[3] = {};
    float mouseX = 0, mouseY = 0;
    float previousMouseX = 0, previousMouseY = 0;
    float wheel = 0.0f;                   // wheel steps this frame, away from the player > 0
    bool keyRepeated[TS_KEY_COUNT] = {};  // went down, or the system repeated it, this frame

    // Typing: this frame's text in UTF-8, and whether a field asked for it
    // (SDL's text input runs only while some field keeps asking).
    char typedText[1024] = {};
    size_t typedLength = 0;
    bool textWanted = false;

    // Game pads: each open pad's own buttons, and all of them together.
    PadSlot pads[kPadSlots];
    bool padDown[TS_PAD_BUTTON_COUNT] = {};
    bool padTriggered[TS_PAD_BUTTON_COUNT] = {};
    bool padRepeated[TS_PAD_BUTTON_COUNT] = {};
    float padHeld[TS_PAD_BUTTON_COUNT] = {};  // seconds each button has been down
    SDL_JoystickID padInUse = -1;             // the pad last touched
    bool padLastUsed = false;                 // a pad, not the keyboard or mouse
    bool padLost = false;                     // the pad in use went this frame
    bool padsStarted = false;                 // SDL's game-controller part is running

    // Drawing settings
    TS_Color fill = {255, 255, 255, 255};
    TS_Color stroke = {0, 0, 0, 255};
    bool filling = true;
    bool stroking = true;
    int rectMode = TS_MODE_CENTER;
    int imageMode = TS_MODE_CENTER;
    int alignH = TS_ALIGN_LEFT;
    int alignV = TS_ALIGN_BOTTOM;
    float textSize = 20.0f;
    TS_Matrix matrix = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    bool matrixIsIdentity = true;

    NativeWindowHook windowHook = nullptr;
    void (*modalHook)(int frame) = nullptr;

    // Automation records
    bool recordDraws = false;
    bool renderingOff = false;  // automation: draw calls are recorded but not rasterised
    std::vector<AutomationDrawCall> drawCalls;
    std::vector<AutomationSoundEvent> soundLog;

    // Drawing and texture calls that failed since start, and the first one's
    // words, so a wrong frame is reported instead of silently left out.
    long failedDraws = 0;
    std::string firstDrawFailure;
};

PlatformState& Platform();

// Sets the window's size in real pixels and works out the layout from it.
void Platform_SetWindowPixels(int width, int height);
// The layout scale and size of a window of width x height real pixels.
void Layout_OfWindow(int width, int height, float* scale, int* layoutWidth, int* layoutHeight);

// Creates the window, renderer, fonts and audio on first need.
void Platform_EnsureInit();
void Platform_Shutdown();
// Counts each renderer the framework has made. Images remember the one they
// were made for; one from a renderer that is gone is never handed to SDL.
unsigned Platform_RendererGeneration();

// Notes a failed drawing or texture call. CheckDraw takes an SDL result
// (negative on failure) and returns whether the call worked.
void Platform_NoteDrawFailure(const char* what);
inline bool Platform_CheckDraw(int sdlResult) {
    if (sdlResult >= 0) return true;
    Platform_NoteDrawFailure(SDL_GetError());
    return false;
}

// Turned images drawn in software the way SDL's renderer turns them, without
// its temporary surfaces (image_turn.cpp). `sources` is the image's own store
// of scaled pixels. Returns false, having drawn nothing, for a draw it cannot
// match pixel for pixel; the caller then hands it to SDL.
struct ImageTurnSources;
bool ImageTurn_Draw(ImageTurnSources** sources, SDL_Texture* texture, const SDL_Rect* source,
                    const SDL_FRect& dest, double angle, const SDL_FPoint& centre,
                    SDL_RendererFlip flip);
void ImageTurn_FreeSources(ImageTurnSources** sources);
// Test reference: every turned image drawn by SDL itself while this is on.
extern bool imageTurnThroughSdl;
// Test reference: every see-through rectangle blended by SDL itself while on.
extern bool fillBlendThroughSdl;

// Upright images kept at the size the layout scale draws them (image_copies.cpp).
// Get returns the copy of `source` (null: the whole picture) of `texture` at
// width x height, making it on first use; null when it cannot be kept, and the
// caller then stretches the picture itself. Forget drops an image's copies.
SDL_Texture* ImageCopies_Get(const void* owner, SDL_Texture* texture, const SDL_Rect* source,
                             int width, int height);
void ImageCopies_Forget(const void* owner);
void ImageCopies_BeginFrame();
void ImageCopies_Shutdown();
int ImageCopies_Count();

// Per-file hooks the engine calls.
void Input_BeginFrame();
void Input_HandleEvent(const SDL_Event& event);
int Input_KeyCodeFromSdl(SDL_Keycode key);
// Game pads: SDL's game-controller part started (failing quietly: no pads),
// the per-frame repeat clock, pad events, and letting go of everything held
// (the window lost its focus, the framework shuts down).
void Pad_Start();
void Pad_BeginFrame(float dt);
void Pad_HandleEvent(const SDL_Event& event);
void Pad_ReleaseAll();
void Pad_CloseAll();
SDL_Keycode Input_SdlFromKeyCode(int code);

bool Audio_Open();
void Audio_Close();

bool Text_Init();
void Text_Shutdown();
void Text_EndFrame();

void Graphics_BeginFrame();
SDL_Color Graphics_SdlColor(TS_Color color);
int Graphics_ClampByte(int value);

// Appends a draw call to the record when recording is on.
AutomationDrawCall* Record_Draw(AutomationDrawKind kind);

double Clock_Seconds();
// Reads the refresh rate of the display the window is on (the pacer leaves
// the pacing to a vertical sync only on a display no faster than the game).
void Engine_ReadRefreshRate();
