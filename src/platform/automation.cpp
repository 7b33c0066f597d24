// Test control of the framework: headless start, fixed frame time, injected
// events, frame capture and the records of draw calls and sound activity.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>

#include "platform/platform_internal.h"

void Automation_ResetSound();

namespace {

bool recordSounds = true;
float injectedMouseX = 0.0f;  // where injected button events happen
float injectedMouseY = 0.0f;

void PushKey(int key, bool down, bool repeat = false) {
    Platform_EnsureInit();
    const SDL_Keycode sym = Input_SdlFromKeyCode(key);
    if (sym == SDLK_UNKNOWN) return;
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    event.key.repeat = repeat ? 1 : 0;
    event.key.windowID = SDL_GetWindowID(Platform().window);
    SDL_PushEvent(&event);
}

void PushMouseButton(int button, bool down) {
    Platform_EnsureInit();
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = button == TS_MOUSE_RIGHT ? SDL_BUTTON_RIGHT
                          : button == 2            ? SDL_BUTTON_MIDDLE
                                                   : SDL_BUTTON_LEFT;
    event.button.x = static_cast<Sint32>(injectedMouseX);
    event.button.y = static_cast<Sint32>(injectedMouseY);
    event.button.windowID = SDL_GetWindowID(Platform().window);
    SDL_PushEvent(&event);
}

void PushWindowEvent(Uint8 kind, int a, int b) {
    Platform_EnsureInit();
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.data1 = a;
    event.window.data2 = b;
    event.window.windowID = SDL_GetWindowID(Platform().window);
    SDL_PushEvent(&event);
}

// The virtual pad: SDL's handle for setting its buttons and axes.
SDL_Joystick* virtualPad = nullptr;
int virtualPadIndex = -1;

const SDL_GameControllerButton kPadButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};

Sint16 AxisValue(float amount, float low) {
    const float clamped = amount < low ? low : (amount > 1.0f ? 1.0f : amount);
    return static_cast<Sint16>(clamped * 32767.0f);
}

}  // namespace

bool Automation_AttachVirtualPad(const char* name) {
    Platform_EnsureInit();
    if (virtualPad) return false;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    virtualPadIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (virtualPadIndex < 0) return false;
    virtualPad = SDL_JoystickOpen(virtualPadIndex);
    if (!virtualPad) {
        SDL_JoystickDetachVirtual(virtualPadIndex);
        virtualPadIndex = -1;
        return false;
    }
    return true;
}

void Automation_DetachVirtualPad(void) {
    if (!virtualPad) return;
    // Device indices shift as pads come and go; the instance stays.
    const SDL_JoystickID id = SDL_JoystickInstanceID(virtualPad);
    SDL_JoystickClose(virtualPad);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
    }
    virtualPad = nullptr;
    virtualPadIndex = -1;
}

void Automation_SetPadButton(int button, bool down) {
    if (!virtualPad || button < 0 || button >= static_cast<int>(SDL_arraysize(kPadButtons))) return;
    SDL_JoystickSetVirtualButton(virtualPad, kPadButtons[button], down ? 1 : 0);
}

void Automation_SetPadStick(float x, float y) {
    if (!virtualPad) return;
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_LEFTX, AxisValue(x, -1.0f));
    SDL_JoystickSetVirtualAxis(virtualPad, SDL_CONTROLLER_AXIS_LEFTY, AxisValue(y, -1.0f));
}

void Automation_SetPadTrigger(bool right, float amount) {
    if (!virtualPad) return;
    // A virtual trigger's raw range is the whole axis; the pad reads it as 0..1.
    const float clamped = amount < 0.0f ? 0.0f : (amount > 1.0f ? 1.0f : amount);
    const Sint16 raw = static_cast<Sint16>(-32768.0f + clamped * 65535.0f);
    SDL_JoystickSetVirtualAxis(
        virtualPad, right ? SDL_CONTROLLER_AXIS_TRIGGERRIGHT : SDL_CONTROLLER_AXIS_TRIGGERLEFT,
        raw);
}

void Automation_Start(const AutomationOptions& options) {
    PlatformState& p = Platform();
    p.automation = true;
    p.headless = options.headless;
    p.fixedDt = options.frameTime;
    p.dt = options.frameTime;
    p.headlessDisplayWidth = options.displayWidth;
    p.headlessDisplayHeight = options.displayHeight;
    if (options.headless) {
#ifdef _WIN32
        _putenv_s("SDL_VIDEODRIVER", "dummy");
        _putenv_s("SDL_AUDIODRIVER", "dummy");
#else
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
#endif
    }
    Platform_EnsureInit();
}

void Automation_Stop(void) {
    Automation_DetachVirtualPad();
    Platform_Shutdown();
    // Every test starts from a fresh framework: no keys held, default settings.
    Platform() = PlatformState();
    Automation_ResetSound();
}

bool Automation_Active(void) { return Platform().automation; }

long Automation_FailedDrawCount(void) { return Platform().failedDraws; }
const char* Automation_FirstDrawFailure(void) { return Platform().firstDrawFailure.c_str(); }

void Automation_RunFrames(int n) {
    for (int i = 0; i < n; ++i) TS_Engine_Frame();
}

void Automation_SetFrameTime(float seconds) {
    Platform().fixedDt = seconds;
    Platform().dt = seconds;
}

void Automation_KeyDown(int key) { PushKey(key, true); }
void Automation_KeyUp(int key) { PushKey(key, false); }

void Automation_MouseMove(float x, float y) {
    Platform_EnsureInit();
    SDL_Event event;
    SDL_zero(event);
    // Tests move in layout units, as the game reads the mouse; SDL's events
    // are in real pixels.
    const float scale = Platform().layoutScale;
    x *= scale;
    y *= scale;
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Sint32>(x);
    event.motion.y = static_cast<Sint32>(y);
    event.motion.windowID = SDL_GetWindowID(Platform().window);
    SDL_PushEvent(&event);
    // Later button events happen at the new spot.
    injectedMouseX = x;
    injectedMouseY = y;
}

void Automation_KeyRepeat(int key) { PushKey(key, true, true); }

void Automation_MouseWheel(float steps) {
    Platform_EnsureInit();
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = static_cast<Sint32>(steps);
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    event.wheel.windowID = SDL_GetWindowID(Platform().window);
    SDL_PushEvent(&event);
}

void Automation_TypeText(const char* utf8) {
    Platform_EnsureInit();
    const char* rest = utf8 ? utf8 : "";
    while (*rest) {
        SDL_Event event;
        SDL_zero(event);
        event.type = SDL_TEXTINPUT;
        event.text.windowID = SDL_GetWindowID(Platform().window);
        // One event holds 31 bytes; a character is never cut in two.
        size_t length = 0;
        const size_t room = sizeof event.text.text - 1;
        while (rest[length]) {
            size_t next = length + 1;
            while (rest[next] && (static_cast<unsigned char>(rest[next]) & 0xC0) == 0x80) ++next;
            if (next > room) break;
            length = next;
        }
        if (length == 0) break;
        std::memcpy(event.text.text, rest, length);
        SDL_PushEvent(&event);
        rest += length;
    }
}

void Automation_MouseDown(int button) { PushMouseButton(button, true); }
void Automation_MouseUp(int button) { PushMouseButton(button, false); }
void Automation_FocusLost(void) { PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 0, 0); }
void Automation_FocusGained(void) { PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, 0, 0); }
void Automation_WindowResized(int width, int height) {
    PushWindowEvent(SDL_WINDOWEVENT_RESIZED, width, height);
}

bool Automation_SaveFrame(const char* path) {
    Platform_EnsureInit();
    PlatformState& p = Platform();
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(p.renderer, &width, &height) != 0) return false;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return false;
    bool ok = SDL_RenderReadPixels(p.renderer, nullptr, SDL_PIXELFORMAT_RGBA32, surface->pixels,
                                   surface->pitch) == 0;
    if (ok) {
        // The frame is opaque; the clear colour's alpha means nothing on screen.
        Uint8* pixels = static_cast<Uint8*>(surface->pixels);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels[y * surface->pitch + x * 4 + 3] = 255;
        }
        ok = IMG_SavePNG(surface, path) == 0;
    }
    SDL_FreeSurface(surface);
    return ok;
}

unsigned Automation_ReadPixel(int x, int y) {
    Platform_EnsureInit();
    Uint8 rgba[4] = {0, 0, 0, 0};
    SDL_Rect rect = {x, y, 1, 1};
    if (SDL_RenderReadPixels(Platform().renderer, &rect, SDL_PIXELFORMAT_RGBA32, rgba, 4) != 0) {
        return 0;
    }
    return (unsigned(rgba[0]) << 24) | (unsigned(rgba[1]) << 16) | (unsigned(rgba[2]) << 8) | 255u;
}

AutomationDrawCall* Record_Draw(AutomationDrawKind kind) {
    PlatformState& p = Platform();
    if (!p.recordDraws) return nullptr;
    AutomationDrawCall call = {};
    call.kind = kind;
    call.fill = p.fill;
    call.stroke = p.stroke;
    call.filled = p.filling;
    call.stroked = p.stroking;
    call.textSize = p.textSize;
    call.alignH = p.alignH;
    call.alignV = p.alignV;
    call.mode = (kind == DRAW_IMAGE || kind == DRAW_SUBIMAGE) ? p.imageMode : p.rectMode;
    p.drawCalls.push_back(call);
    return &p.drawCalls.back();
}

void Automation_SetRendering(bool on) { Platform().renderingOff = !on; }

void Automation_TurnImagesThroughSdl(bool on) { imageTurnThroughSdl = on; }

void Automation_RecordDraws(bool on) {
    Platform().recordDraws = on;
    if (!on) Platform().drawCalls.clear();
}

const std::vector<AutomationDrawCall>& Automation_DrawCalls(void) { return Platform().drawCalls; }
void Automation_ClearDrawCalls(void) { Platform().drawCalls.clear(); }

const std::vector<AutomationSoundEvent>& Automation_SoundLog(void) { return Platform().soundLog; }
void Automation_ClearSoundLog(void) { Platform().soundLog.clear(); }

void Automation_LogSounds(bool on) { recordSounds = on; }
bool Automation_LoggingSounds(void) { return recordSounds; }
