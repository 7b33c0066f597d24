// Keyboard and mouse (and, through pad.cpp, game pads): SDL events become held keys and per-frame
// edges under the game's key codes.
#include <SDL.h>

#include <cstring>

#include "platform/platform_internal.h"

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    int code;
};

// Keys outside the contiguous letter, digit and function-key runs.
const KeyPair kNamedKeys[] = {
    {SDLK_SPACE, 32},       {SDLK_QUOTE, 39},     {SDLK_COMMA, 44},        {SDLK_MINUS, 45},
    {SDLK_PERIOD, 46},      {SDLK_SLASH, 47},     {SDLK_SEMICOLON, 59},    {SDLK_EQUALS, 61},
    {SDLK_LEFTBRACKET, 91}, {SDLK_BACKSLASH, 92}, {SDLK_RIGHTBRACKET, 93}, {SDLK_BACKQUOTE, 96},
    {SDLK_ESCAPE, 256},     {SDLK_RETURN, 257},   {SDLK_KP_ENTER, 257},    {SDLK_TAB, 258},
    {SDLK_BACKSPACE, 259},  {SDLK_INSERT, 260},   {SDLK_DELETE, 261},      {SDLK_RIGHT, 262},
    {SDLK_LEFT, 263},       {SDLK_DOWN, 264},     {SDLK_UP, 265},          {SDLK_PAGEUP, 266},
    {SDLK_PAGEDOWN, 267},   {SDLK_HOME, 268},     {SDLK_END, 269},         {SDLK_KP_0, 320},
    {SDLK_KP_1, 321},       {SDLK_KP_2, 322},     {SDLK_KP_3, 323},        {SDLK_KP_4, 324},
    {SDLK_KP_5, 325},       {SDLK_KP_6, 326},     {SDLK_KP_7, 327},        {SDLK_KP_8, 328},
    {SDLK_KP_9, 329},       {SDLK_LSHIFT, 340},   {SDLK_LCTRL, 341},       {SDLK_LALT, 342},
    {SDLK_RSHIFT, 344},     {SDLK_RCTRL, 345},    {SDLK_RALT, 346},
};

void SetKey(int code, bool down) {
    PlatformState& p = Platform();
    if (code <= 0 || code >= TS_KEY_COUNT) return;
    if (down) {
        if (!p.keyDown[code]) {
            p.keyTriggered[code] = true;
            p.anyTriggered = true;
        }
        p.keyDown[code] = true;
    } else {
        if (p.keyDown[code]) {
            p.keyReleased[code] = true;
            p.anyReleased = true;
        }
        p.keyDown[code] = false;
    }
}

int MouseIndex(Uint8 sdlButton) {
    if (sdlButton == SDL_BUTTON_LEFT) return TS_MOUSE_LEFT;
    if (sdlButton == SDL_BUTTON_RIGHT) return TS_MOUSE_RIGHT;
    if (sdlButton == SDL_BUTTON_MIDDLE) return 2;
    return -1;
}

bool ValidKey(int key) { return key > 0 && key < TS_KEY_COUNT; }
bool ValidButton(int button) { return button >= 0 && button < 3; }

// Adds one text event's characters to the frame's text. Control characters
// never reach a field; a frame's text that would overflow keeps whole
// characters only.
void AddTypedText(const char* text) {
    PlatformState& p = Platform();
    const size_t room = sizeof p.typedText - 1;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c;) {
        size_t length = 1;
        while (c[length] && (c[length] & 0xC0) == 0x80) ++length;
        const bool control = *c < 0x20 || *c == 0x7F;
        if (!control) {
            if (p.typedLength + length > room) break;
            std::memcpy(p.typedText + p.typedLength, c, length);
            p.typedLength += length;
        }
        c += length;
    }
    p.typedText[p.typedLength] = '\0';
}

}  // namespace

int Input_KeyCodeFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 65 + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return 48 + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 290 + (key - SDLK_F1);
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.sdl == key) return pair.code;
    }
    return 0;
}

SDL_Keycode Input_SdlFromKeyCode(int code) {
    if (code >= 65 && code <= 90) return SDLK_a + (code - 65);
    if (code >= 48 && code <= 57) return SDLK_0 + (code - 48);
    if (code >= 290 && code <= 301) return SDLK_F1 + (code - 290);
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.code == code) return pair.sdl;
    }
    return SDLK_UNKNOWN;
}

void Input_BeginFrame() {
    PlatformState& p = Platform();
    std::memset(p.keyTriggered, 0, sizeof p.keyTriggered);
    std::memset(p.keyReleased, 0, sizeof p.keyReleased);
    std::memset(p.mouseTriggered, 0, sizeof p.mouseTriggered);
    std::memset(p.keyRepeated, 0, sizeof p.keyRepeated);
    p.wheel = 0.0f;
    p.typedLength = 0;
    p.typedText[0] = '\0';
    // No field asked for text last frame: the input method is put away.
    if (!p.textWanted && SDL_IsTextInputActive()) SDL_StopTextInput();
    p.textWanted = false;
    p.anyTriggered = false;
    p.anyReleased = false;
    p.previousMouseX = p.mouseX;
    p.previousMouseY = p.mouseY;
    Pad_BeginFrame(p.dt);
}

void Input_HandleEvent(const SDL_Event& event) {
    PlatformState& p = Platform();
    Pad_HandleEvent(event);
    switch (event.type) {
        case SDL_KEYDOWN: {
            const int code = Input_KeyCodeFromSdl(event.key.keysym.sym);
            if (!event.key.repeat) SetKey(code, true);
            if (ValidKey(code)) p.keyRepeated[code] = true;
            break;
        }
        case SDL_TEXTINPUT:
            if (SDL_IsTextInputActive()) AddTypedText(event.text.text);
            break;
        case SDL_MOUSEWHEEL: {
            const float steps = static_cast<float>(event.wheel.y);
            p.wheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -steps : steps;
            break;
        }
        case SDL_KEYUP: SetKey(Input_KeyCodeFromSdl(event.key.keysym.sym), false); break;
        case SDL_MOUSEMOTION:
            p.mouseX = static_cast<float>(event.motion.x);
            p.mouseY = static_cast<float>(event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN: {
            const int index = MouseIndex(event.button.button);
            p.mouseX = static_cast<float>(event.button.x);
            p.mouseY = static_cast<float>(event.button.y);
            if (index >= 0) {
                if (!p.mouseDown[index]) p.mouseTriggered[index] = true;
                p.mouseDown[index] = true;
            }
            break;
        }
        case SDL_MOUSEBUTTONUP: {
            const int index = MouseIndex(event.button.button);
            if (index >= 0) p.mouseDown[index] = false;
            break;
        }
        case SDL_WINDOWEVENT:
            // Keys held while the window loses focus never see their release.
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                for (int code = 1; code < TS_KEY_COUNT; ++code) SetKey(code, false);
                for (bool& down : p.mouseDown) down = false;
                Pad_ReleaseAll();
            }
            break;
        default: break;
    }
}

bool TS_Input_KeyTriggered(int key) {
    PlatformState& p = Platform();
    if (key == TS_KEY_ANY) return p.anyTriggered;
    return ValidKey(key) && p.keyTriggered[key];
}

bool TS_Input_KeyDown(int key) {
    PlatformState& p = Platform();
    if (key == TS_KEY_ANY) {
        for (int code = 1; code < TS_KEY_COUNT; ++code) {
            if (p.keyDown[code]) return true;
        }
        return false;
    }
    return ValidKey(key) && p.keyDown[key];
}

bool TS_Input_KeyReleased(int key) {
    PlatformState& p = Platform();
    if (key == TS_KEY_ANY) return p.anyReleased;
    return ValidKey(key) && p.keyReleased[key];
}

bool TS_Input_MouseTriggered(int button) {
    return ValidButton(button) && Platform().mouseTriggered[button];
}

bool TS_Input_MouseDown(int button) { return ValidButton(button) && Platform().mouseDown[button]; }

// The mouse is kept in real pixels, as SDL reports it, and told in layout
// units (division by a scale of 1 is exact).
float TS_Input_GetMouseX(void) { return Platform().mouseX / Platform().layoutScale; }
float TS_Input_GetMouseY(void) { return Platform().mouseY / Platform().layoutScale; }
float TS_Input_GetMousePreviousX(void) {
    return Platform().previousMouseX / Platform().layoutScale;
}
float TS_Input_GetMousePreviousY(void) {
    return Platform().previousMouseY / Platform().layoutScale;
}

float TS_Input_GetMouseDeltaX(void) {
    return (Platform().mouseX - Platform().previousMouseX) / Platform().layoutScale;
}
float TS_Input_GetMouseDeltaY(void) {
    return (Platform().mouseY - Platform().previousMouseY) / Platform().layoutScale;
}

float TS_Input_GetMouseWheel(void) { return Platform().wheel; }

bool TS_Input_KeyRepeated(int key) { return ValidKey(key) && Platform().keyRepeated[key]; }

const char* TS_Input_TypedText(void) {
    PlatformState& p = Platform();
    p.textWanted = true;
    if (!SDL_IsTextInputActive()) SDL_StartTextInput();
    return p.typedText;
}
