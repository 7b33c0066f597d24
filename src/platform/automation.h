// Test and tool control of the framework: headless start, fixed frame time,
// injected input, frame capture, a record of draw calls and of sound activity.
// The shipped game calls it only for its screenshot tour (`vexal --tour`).
#pragma once

#include <string>
#include <vector>

#include "platform/tessera.h"

struct AutomationOptions {
    bool headless = true;            // dummy video and audio drivers
    float frameTime = 1.0f / 60.0f;  // every frame reports this dt; no pacing
    int displayWidth = 1920;         // the display size fullscreen takes (headless)
    int displayHeight = 1080;
};

// Starts the framework under automation. Call before any other TS_ function.
void Automation_Start(const AutomationOptions& options = AutomationOptions());
// Shuts SDL down again (tests that start the framework call it in TearDown).
void Automation_Stop(void);
bool Automation_Active(void);

// Runs n frames of the engine (each one a full TS_Engine_Frame).
void Automation_RunFrames(int n);
void Automation_SetFrameTime(float seconds);

// Input, delivered as real SDL events on the next frame.
void Automation_KeyDown(int key);
void Automation_KeyUp(int key);
void Automation_MouseMove(float x, float y);  // layout units, as the game reads them
void Automation_MouseDown(int button);
void Automation_MouseUp(int button);
// Turns the mouse wheel by `steps` notches (positive away from the player).
void Automation_MouseWheel(float steps);
// Text as the keyboard's input method delivers it (SDL_TEXTINPUT events, cut
// at character boundaries where one event cannot hold it all). It arrives only
// while a text field is asking for text, as typing does.
void Automation_TypeText(const char* utf8);
// The system's repeat of a held key (a key down event marked as a repeat).
void Automation_KeyRepeat(int key);
void Automation_FocusLost(void);
void Automation_FocusGained(void);
void Automation_WindowResized(int width, int height);

// A virtual game pad, seen by the game as a real one plugged in (SDL's own
// virtual game controller): its events arrive on the next frame, through the
// same path as a real pad's. One at a time; attaching again is refused.
bool Automation_AttachVirtualPad(const char* name = "Virtual Pad");
void Automation_DetachVirtualPad(void);
// A pad button TS_PAD_A .. TS_PAD_RIGHT (the stick and triggers are axes).
void Automation_SetPadButton(int button, bool down);
// The left stick, -1..1 each way (y down), and a trigger, 0..1.
void Automation_SetPadStick(float x, float y);
void Automation_SetPadTrigger(bool right, float amount);

// Called at the start of every modal frame (see TS_Engine_ModalFrame) with the
// count of modal frames since the hook was set, so a test can type into a
// dialog that runs its own loop. Null removes it.
void Automation_SetModalHook(void (*hook)(int frame));

// Saves the last presented frame as a PNG, in real pixels.
bool Automation_SaveFrame(const char* path);
// Reads one real pixel of the last presented frame (r, g, b, a packed as
// 0xRRGGBBAA).
unsigned Automation_ReadPixel(int x, int y);

// Draw-call record ---------------------------------------------------------
enum AutomationDrawKind {
    DRAW_CLEAR,
    DRAW_RECT,
    DRAW_ELLIPSE,
    DRAW_QUAD,
    DRAW_TRIANGLE,
    DRAW_IMAGE,
    DRAW_SUBIMAGE,
    DRAW_TEXT
};

struct AutomationDrawCall {
    AutomationDrawKind kind;
    float x, y, w, h;  // as passed (rects, ellipses, images, text position)
    float rotation;    // degrees, 0 where not applicable
    TS_Color fill;     // current fill (or the clear colour)
    TS_Color stroke;   // current stroke
    bool filled, stroked;
    int alpha;           // images
    float textSize;      // text
    int alignH, alignV;  // text
    int mode;            // rect or image mode in force
    TS_Image image;      // images
    std::string text;    // text
    float points[8];     // quad / triangle corners as passed
};

// Rendering can be switched off for long runs (whole-campaign replays): draw
// calls are still recorded, but nothing is rasterised.
void Automation_SetRendering(bool on);
// Turned images are drawn by the framework's own turn, pixel for pixel SDL's;
// tests turn this on to draw them through SDL itself, as a reference.
void Automation_TurnImagesThroughSdl(bool on);
void Automation_RecordDraws(bool on);
const std::vector<AutomationDrawCall>& Automation_DrawCalls(void);  // last frame's
void Automation_ClearDrawCalls(void);

// Sound activity ---------------------------------------------------------
enum AutomationSoundEventKind { SOUND_PLAY, SOUND_STOP_GROUP, SOUND_GROUP_VOLUME };

struct AutomationSoundEvent {
    AutomationSoundEventKind kind;
    int group;
    std::string path;  // the sound's file, for plays
    float volume;      // play volume or group volume
    bool looping;
};

float Automation_GroupVolume(int group);
// How many channels of the group are playing, and the file of the newest one.
int Automation_GroupPlayingCount(int group);
std::string Automation_GroupPlayingPath(int group);
const std::vector<AutomationSoundEvent>& Automation_SoundLog(void);
void Automation_ClearSoundLog(void);
// The log is on by default; allocation-counting tests switch it off.
void Automation_LogSounds(bool on);
bool Automation_LoggingSounds(void);

// How often this run has tried to open the sound device (once per start of
// the framework, however many sounds are played).
int Automation_AudioDeviceAttempts(void);

// Pictures read from disk (TS_Image_Load calls) since the program started.
long Automation_ImageLoadCount(void);

// Drawing and texture calls that failed since the framework started (a
// texture SDL calls invalid, a picture whose renderer is gone), and the first
// failure's message ("" when none failed). Tools built against several
// versions of the game test for the macro.
#define VEXAL_AUTOMATION_FAILED_DRAWS 1
long Automation_FailedDrawCount(void);
const char* Automation_FirstDrawFailure(void);

// Text rendering statistics: strings rasterised since start (cache misses).
long Automation_TextRasterCount(void);
