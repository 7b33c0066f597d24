// Game pads: SDL's game controllers, plugged in or out while the game runs,
// become the game's digital pad buttons with per-frame edges and repeats.
#include <SDL.h>

#include <cstring>

#include "platform/platform_internal.h"

namespace {

// The stick and the triggers as buttons: on past half way, off again only
// below about a third, so a value hovering at the threshold does not flicker.
// Inside the dead zone a stick counts as untouched, even for "last used".
const int kAxisOn = 16384;
const int kAxisOff = 11468;
const int kDeadZone = 8192;

// Holding a button repeats it after this long, then at this interval.
const float kRepeatDelay = 0.4f;
const float kRepeatInterval = 0.12f;

struct ButtonPair {
    int sdl;
    int pad;
};

const ButtonPair kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, TS_PAD_A},
    {SDL_CONTROLLER_BUTTON_B, TS_PAD_B},
    {SDL_CONTROLLER_BUTTON_X, TS_PAD_X},
    {SDL_CONTROLLER_BUTTON_Y, TS_PAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, TS_PAD_BACK},
    {SDL_CONTROLLER_BUTTON_START, TS_PAD_START},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, TS_PAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, TS_PAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, TS_PAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, TS_PAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, TS_PAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, TS_PAD_RIGHT},
};

bool ValidButton(int button) { return button >= 0 && button < TS_PAD_BUTTON_COUNT; }

PadSlot* FindSlot(SDL_JoystickID id) {
    for (PadSlot& slot : Platform().pads) {
        if (slot.controller && slot.id == id) return &slot;
    }
    return nullptr;
}

// Sets one pad's button; the game's button is down while any pad holds it.
void SetButton(PadSlot* slot, int button, bool down) {
    PlatformState& p = Platform();
    if (slot->down[button] == down) return;
    slot->down[button] = down;
    bool any = false;
    for (const PadSlot& other : p.pads) any = any || (other.controller && other.down[button]);
    if (any && !p.padDown[button]) {
        p.padTriggered[button] = true;
        p.padRepeated[button] = true;
        p.padHeld[button] = 0.0f;
    }
    p.padDown[button] = any;
}

void Touch(const PadSlot* slot) {
    PlatformState& p = Platform();
    p.padInUse = slot->id;
    p.padLastUsed = true;
}

// One direction of an axis with its hysteresis: `amount` is how far the axis
// is pushed that way (negative when pushed the other way).
void SetAxisButton(PadSlot* slot, int button, int amount) {
    const bool on = slot->down[button] ? amount >= kAxisOff : amount > kAxisOn;
    SetButton(slot, button, on);
}

void OnAxis(const SDL_ControllerAxisEvent& event) {
    PadSlot* slot = FindSlot(event.which);
    if (!slot) return;
    const int value = event.value;
    switch (event.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            SetAxisButton(slot, TS_PAD_STICK_RIGHT, value);
            SetAxisButton(slot, TS_PAD_STICK_LEFT, -value);
            break;
        case SDL_CONTROLLER_AXIS_LEFTY:  // down is positive
            SetAxisButton(slot, TS_PAD_STICK_DOWN, value);
            SetAxisButton(slot, TS_PAD_STICK_UP, -value);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
            SetAxisButton(slot, TS_PAD_LEFT_TRIGGER, value);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            SetAxisButton(slot, TS_PAD_RIGHT_TRIGGER, value);
            break;
        default: return;  // the right stick flies nothing
    }
    if (value > kDeadZone || value < -kDeadZone) Touch(slot);
}

void OnButton(const SDL_ControllerButtonEvent& event, bool down) {
    PadSlot* slot = FindSlot(event.which);
    if (!slot) return;
    for (const ButtonPair& pair : kButtons) {
        if (pair.sdl != event.button) continue;
        SetButton(slot, pair.pad, down);
        break;
    }
    if (down) Touch(slot);
}

void ReleaseSlot(PadSlot* slot) {
    for (int button = 0; button < TS_PAD_BUTTON_COUNT; ++button) SetButton(slot, button, false);
}

void Open(int deviceIndex) {
    PlatformState& p = Platform();
    if (!SDL_IsGameController(deviceIndex)) return;
    if (FindSlot(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
    PadSlot* empty = nullptr;
    for (PadSlot& slot : p.pads) {
        if (!slot.controller) {
            empty = &slot;
            break;
        }
    }
    if (!empty) return;  // more pads than anyone holds at once
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    *empty = PadSlot();
    empty->controller = controller;
    empty->id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
}

void Close(SDL_JoystickID id) {
    PlatformState& p = Platform();
    PadSlot* slot = FindSlot(id);
    if (!slot) return;
    ReleaseSlot(slot);
    SDL_GameControllerClose(slot->controller);
    *slot = PadSlot();
    if (p.padInUse == id) {
        p.padInUse = -1;
        p.padLastUsed = false;
        p.padLost = true;
    }
}

void OpenKnownPads() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) Open(index);
}

int RepeatTicks(float held) {
    if (held < kRepeatDelay) return 0;
    return 1 + static_cast<int>((held - kRepeatDelay) / kRepeatInterval);
}

// Whether a mapping line is meant for another system ("platform:Windows,").
bool ForOtherPlatform(const char* line) {
    const char* field = std::strstr(line, "platform:");
    if (!field) return false;
    field += std::strlen("platform:");
    const char* platform = SDL_GetPlatform();
    const size_t length = std::strlen(platform);
    return std::strncmp(field, platform, length) != 0 ||
           (field[length] != ',' && field[length] != '\0');
}

}  // namespace

void Pad_Start() {
    PlatformState& p = Platform();
    // Under automation the hidden window never has the focus, and SDL would
    // hold back the pad events of a test's virtual pad.
    if (p.automation) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        SDL_Log("Vexal: game pads are not available: %s", SDL_GetError());
        return;
    }
    p.padsStarted = true;
    OpenKnownPads();
}

void Pad_BeginFrame(float dt) {
    PlatformState& p = Platform();
    p.padLost = false;
    for (int button = 0; button < TS_PAD_BUTTON_COUNT; ++button) {
        p.padTriggered[button] = false;
        p.padRepeated[button] = false;
        if (!p.padDown[button]) continue;
        const float before = p.padHeld[button];
        p.padHeld[button] = before + dt;
        p.padRepeated[button] = RepeatTicks(p.padHeld[button]) > RepeatTicks(before);
    }
}

void Pad_HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN: OnButton(event.cbutton, true); break;
        case SDL_CONTROLLERBUTTONUP: OnButton(event.cbutton, false); break;
        case SDL_CONTROLLERAXISMOTION: OnAxis(event.caxis); break;
        case SDL_KEYDOWN:
        case SDL_MOUSEBUTTONDOWN: Platform().padLastUsed = false; break;
        default: break;
    }
}

void Pad_ReleaseAll() {
    for (PadSlot& slot : Platform().pads) {
        if (slot.controller) ReleaseSlot(&slot);
    }
}

void Pad_CloseAll() {
    PlatformState& p = Platform();
    for (PadSlot& slot : p.pads) {
        if (slot.controller) SDL_GameControllerClose(slot.controller);
        slot = PadSlot();
    }
    p.padsStarted = false;
}

bool TS_Pad_ButtonDown(int button) { return ValidButton(button) && Platform().padDown[button]; }

bool TS_Pad_ButtonTriggered(int button) {
    return ValidButton(button) && Platform().padTriggered[button];
}

bool TS_Pad_ButtonRepeated(int button) {
    return ValidButton(button) && Platform().padRepeated[button];
}

bool TS_Pad_Connected(void) {
    for (const PadSlot& slot : Platform().pads) {
        if (slot.controller) return true;
    }
    return false;
}

bool TS_Pad_LastUsed(void) { return Platform().padLastUsed; }

bool TS_Pad_Lost(void) { return Platform().padLost; }

const char* TS_Pad_Name(void) {
    PlatformState& p = Platform();
    const PadSlot* named = FindSlot(p.padInUse);
    for (const PadSlot& slot : p.pads) {
        if (!named && slot.controller) named = &slot;
    }
    const char* name = named ? SDL_GameControllerName(named->controller) : nullptr;
    return name ? name : "";
}

bool TS_Pad_AddMapping(const char* line) {
    Platform_EnsureInit();
    if (!line) return false;
    while (*line == ' ' || *line == '\t') ++line;
    if (*line == '\0' || *line == '#') return true;
    if (ForOtherPlatform(line)) return true;
    if (!Platform().padsStarted || SDL_GameControllerAddMapping(line) < 0) return false;
    OpenKnownPads();
    return true;
}
