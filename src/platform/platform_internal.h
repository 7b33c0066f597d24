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
    int windowWidth = 1280;
    int windowHeight = 720;
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
    int mouseWheel = 0;  // notches this frame, away from the player positive

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
