// The framework layer: window, frame loop, input, drawing, text, images, sound
// groups and vector/matrix math. The whole game speaks to the machine through
// this header; everything behind it is SDL2.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Value types -----------------------------------------------------------

struct TS_Vec2 {
    float x;
    float y;
};

// 3 x 3, row-major: m[row][column]. Points are columns (x, y, 1).
struct TS_Matrix {
    float m[3][3];
};

struct TS_Color {
    int32_t r;
    int32_t g;
    int32_t b;
    int32_t a;
};

struct TS_ImageRecord;
struct TS_ImageLoadRecord;
struct TS_SoundRecord;
typedef TS_ImageRecord* TS_Image;          // null when absent
typedef TS_ImageLoadRecord* TS_ImageLoad;  // a picture being read ahead
typedef TS_SoundRecord* TS_Sound;          // null when absent

typedef void (*TS_Callback)(void);

// ---- Key codes ------------------------------------------------------------

// A letter key's code is its upper-case ASCII code (TS_KEY_W == 'W'), and a
// digit key's is its digit's (TS_KEY_0 + 7 == '7'), so both run in order.
enum {
    TS_KEY_ANY = 0,
    TS_KEY_SPACE = 32,
    TS_KEY_MINUS = 45,
    TS_KEY_0 = '0',
    TS_KEY_9 = '9',
    TS_KEY_A = 'A',
    TS_KEY_B = 'B',
    TS_KEY_C = 'C',
    TS_KEY_D = 'D',
    TS_KEY_E = 'E',
    TS_KEY_F = 'F',
    TS_KEY_G = 'G',
    TS_KEY_H = 'H',
    TS_KEY_I = 'I',
    TS_KEY_J = 'J',
    TS_KEY_K = 'K',
    TS_KEY_L = 'L',
    TS_KEY_M = 'M',
    TS_KEY_N = 'N',
    TS_KEY_O = 'O',
    TS_KEY_P = 'P',
    TS_KEY_Q = 'Q',
    TS_KEY_R = 'R',
    TS_KEY_S = 'S',
    TS_KEY_T = 'T',
    TS_KEY_U = 'U',
    TS_KEY_V = 'V',
    TS_KEY_W = 'W',
    TS_KEY_X = 'X',
    TS_KEY_Y = 'Y',
    TS_KEY_Z = 'Z',
    TS_KEY_ESCAPE = 256,
    TS_KEY_ENTER = 257,
    TS_KEY_TAB = 258,
    TS_KEY_BACKSPACE = 259,
    TS_KEY_DELETE = 261,
    TS_KEY_RIGHT = 262,
    TS_KEY_LEFT = 263,
    TS_KEY_DOWN = 264,
    TS_KEY_UP = 265,
    TS_KEY_HOME = 268,
    TS_KEY_END = 269,
    TS_KEY_F1 = 290,
    TS_KEY_F3 = 292,
    TS_KEY_F5 = 294,
    TS_KEY_F12 = 301,
    TS_KEY_KP_0 = 320,
    TS_KEY_KP_9 = 329,
    TS_KEY_LEFT_SHIFT = 340,
    TS_KEY_LEFT_CONTROL = 341,
    TS_KEY_LEFT_ALT = 342,
    TS_KEY_RIGHT_SHIFT = 344,
    TS_KEY_RIGHT_CONTROL = 345,
    TS_KEY_RIGHT_ALT = 346,
    TS_KEY_COUNT = 350
};

enum { TS_MOUSE_LEFT = 0, TS_MOUSE_RIGHT = 1 };

// Placement modes for rectangles and images.
enum { TS_MODE_CENTER = 0, TS_MODE_CORNER = 1 };

// Text alignment codes: one horizontal, one vertical.
enum {
    TS_ALIGN_LEFT = 1,
    TS_ALIGN_CENTER = 2,
    TS_ALIGN_RIGHT = 4,
    TS_ALIGN_MIDDLE = 16,
    TS_ALIGN_BOTTOM = 32
};

// ---- Engine ----------------------------------------------------------------

// Requests a screen change; it takes effect after the current update returns:
// the old screen's exit runs, then the new screen's init.
void TS_Engine_SetNextGameState(TS_Callback init, TS_Callback update, TS_Callback exit);
// Runs frames until TS_Engine_Terminate; then runs the current screen's exit.
void TS_Engine_Run(void);
void TS_Engine_Terminate(void);
// One frame: events, input edges, screen change, update, present, pacing.
void TS_Engine_Frame(void);
bool TS_Engine_IsRunning(void);
// One frame for a modal dialog that runs its own loop inside an update (the
// file chooser): events, input edges, `frame` instead of the screen's update,
// present and pacing. Screen changes wait until the dialog returns.
void TS_Engine_ModalFrame(TS_Callback frame);
// The update callback of the screen that is current (null before the first).
TS_Callback TS_Engine_CurrentUpdate(void);

// ---- System ----------------------------------------------------------------

void TS_System_SetWindowSize(int width, int height);
void TS_System_Fullscreen(void);
void TS_System_SetFrameRate(float framesPerSecond);
void TS_System_SetWindowTitle(const char* title);
void* TS_System_GetWindowHandle(void);  // the SDL_Window
// Every screen is composed in layout units: the 1280 x 720 the game was
// designed at, stretched evenly to fill the window, so that a button is the
// same share of the screen at any resolution. The scale is
// min(pixelWidth / 1280, pixelHeight / 720), and the window measures
// pixelWidth / scale x pixelHeight / scale units, rounded up: a wider window
// is wider than 1280 units, a taller one taller than 720. Everything the game
// draws, the text sizes and the mouse are in these units.
int TS_System_GetWindowWidth(void);  // layout units
int TS_System_GetWindowHeight(void);
int TS_System_GetWindowPixelWidth(void);  // real pixels
int TS_System_GetWindowPixelHeight(void);
float TS_System_GetLayoutScale(void);  // real pixels per layout unit
int TS_System_GetDisplayWidth(void);   // real pixels
int TS_System_GetDisplayHeight(void);
float TS_System_GetDt(void);  // seconds the previous frame took
// Registers a function that empties a cache of images or sounds. The framework
// calls it when it shuts down, before its renderer and audio go, so a cache
// never keeps a picture whose renderer is gone (a later start loads afresh).
// Registering the same function again changes nothing; eight at most.
void TS_System_OnShutdown(TS_Callback release);

// ---- Input (edges are per frame) -------------------------------------------

bool TS_Input_KeyTriggered(int key);  // went down this frame; 0 = any key
bool TS_Input_KeyDown(int key);       // held; 0 = any key
bool TS_Input_KeyReleased(int key);   // went up this frame; 0 = any key
bool TS_Input_MouseTriggered(int button);
bool TS_Input_MouseDown(int button);
float TS_Input_GetMouseX(void);  // layout units, y down
float TS_Input_GetMouseY(void);
float TS_Input_GetMousePreviousX(void);
float TS_Input_GetMousePreviousY(void);
float TS_Input_GetMouseDeltaX(void);
float TS_Input_GetMouseDeltaY(void);
// The mouse wheel's turn this frame in notches, positive away from the player.
float TS_Input_GetMouseWheel(void);
// Went down this frame, or is held and the system's key repeat fired: the
// editing keys of a text field (Backspace, the arrows) repeat as they should.
bool TS_Input_KeyRepeated(int key);
// The text typed this frame in UTF-8 ("" when none), every character in the
// order it came, as the keyboard layout and input method made it (accents,
// dead keys, composed characters). Calling it says a text field has the focus:
// the system's text input runs from the first call and stops by itself the
// frame after the last, so a field that loses the focus needs nothing more.
const char* TS_Input_TypedText(void);

// ---- Game pads (edges are per frame) ----------------------------------------

// A pad as the game sees it: digital buttons. The left stick and the two
// triggers count as buttons once pushed past a threshold (on above half way,
// off again below about a third), so a resting or slightly worn pad never
// turns or thrusts. Every connected pad adds to the same buttons.
enum {
    TS_PAD_A = 0,
    TS_PAD_B,
    TS_PAD_X,
    TS_PAD_Y,
    TS_PAD_BACK,  // "Back", "View", "Select" or "-" by the maker
    TS_PAD_START,
    TS_PAD_LEFT_SHOULDER,
    TS_PAD_RIGHT_SHOULDER,
    TS_PAD_UP,  // the D-pad
    TS_PAD_DOWN,
    TS_PAD_LEFT,
    TS_PAD_RIGHT,
    TS_PAD_STICK_UP,  // the left stick
    TS_PAD_STICK_DOWN,
    TS_PAD_STICK_LEFT,
    TS_PAD_STICK_RIGHT,
    TS_PAD_LEFT_TRIGGER,
    TS_PAD_RIGHT_TRIGGER,
    TS_PAD_BUTTON_COUNT
};

bool TS_Pad_ButtonDown(int button);
bool TS_Pad_ButtonTriggered(int button);  // went down this frame
// Went down this frame, or is held long enough to repeat this frame (after
// 0.4 s, then every 0.12 s): moving through a menu by holding a direction.
bool TS_Pad_ButtonRepeated(int button);
bool TS_Pad_Connected(void);  // at least one pad is plugged in
// Whether the last thing the player touched was a pad rather than the
// keyboard or the mouse (a stick inside its dead zone touches nothing).
bool TS_Pad_LastUsed(void);
// The pad in use (the last one touched) was unplugged this frame.
bool TS_Pad_Lost(void);
// The name of the pad in use, or of any connected one; "" without a pad.
const char* TS_Pad_Name(void);
// Adds one line of SDL's game-controller mapping format (a line for another
// platform, a comment or an empty line is passed over). Pads that the new
// mapping makes known are opened at once. Returns false for a line that is
// not a mapping.
bool TS_Pad_AddMapping(const char* line);

// ---- Drawing settings (kept until changed) ---------------------------------

TS_Color TS_Color_Create(int r, int g, int b, int a);
void TS_Settings_Background(TS_Color color);  // clears the frame
void TS_Settings_Fill(TS_Color color);
void TS_Settings_NoFill(void);
void TS_Settings_Stroke(TS_Color color);
void TS_Settings_NoStroke(void);
void TS_Settings_RectMode(int mode);
void TS_Settings_ImageMode(int mode);
void TS_Settings_TextAlignment(int horizontal, int vertical);
void TS_Settings_TextSize(float pixels);
void TS_Settings_ApplyMatrix(TS_Matrix matrix);  // current = current x matrix
void TS_Settings_ResetMatrix(void);

// ---- Primitives (layout units, through the current matrix) ----------------

void TS_Graphics_DrawRect(float x, float y, float w, float h);
// Rotated by `rotation` degrees (clockwise on screen) about its anchor point.
void TS_Graphics_DrawRectAdvanced(float x, float y, float w, float h, float rotation,
                                  float cornerRadius);
void TS_Graphics_DrawEllipse(float x, float y, float w, float h);
void TS_Graphics_DrawEllipseAdvanced(float x, float y, float w, float h, float rotation);
void TS_Graphics_DrawQuad(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                          float y3);
// Rotated by `rotation` degrees about the triangle's centroid.
void TS_Graphics_DrawTriangleAdvanced(float x0, float y0, float x1, float y1, float x2, float y2,
                                      float rotation);
void TS_Font_DrawText(const char* text, float x, float y);
// Draws a text that changes every frame (the level clock) as TS_Font_DrawText
// would, pixel for pixel, but put together from its single characters, which
// stay in the text cache: nothing new is rasterised. Texts outside plain
// ASCII, and fonts whose characters would not add up, are drawn whole.
void TS_Font_DrawChangingText(const char* text, float x, float y);
// Width in layout units of `text` at the current text size.
float TS_Font_TextWidth(const char* text);

// ---- Images ----------------------------------------------------------------

TS_Image TS_Image_Load(const char* path);
void TS_Image_Free(TS_Image* image);  // frees and sets the handle to null
// Reading a picture ahead without holding up the frames: the file is decoded
// on a helper thread (and, for a fitHeight above 0, a large picture also
// scaled to that height at its own aspect, as a background is shown); Finish
// then makes the image on this thread, waiting for the decoding if it is not
// Ready yet. Finish returns what TS_Image_Load would have (null for a missing
// file) and ends the load; every load started must be finished.
TS_ImageLoad TS_Image_LoadAhead(const char* path, float fitHeight);
bool TS_Image_LoadReady(TS_ImageLoad load);
TS_Image TS_Image_LoadFinish(TS_ImageLoad load);
// A large picture keeps its full-size pixels, from which copies at the size
// it is shown whole are made (backgrounds). A picture only ever drawn by parts
// (an animation strip) never needs them: this lets them go.
void TS_Image_ReleasePixels(TS_Image image);
// The bytes of pixels it keeps besides its textures.
size_t TS_Image_KeptPixelBytes(TS_Image image);
int TS_Image_GetWidth(TS_Image image);
int TS_Image_GetHeight(TS_Image image);
void TS_Image_Draw(TS_Image image, float x, float y, float w, float h, int alpha);
void TS_Image_DrawAdvanced(TS_Image image, float x, float y, float w, float h, int alpha,
                           float rotation);
// Draws the image upright at full alpha as if under a black layer of alpha
// `dim` (0-255) covering its box: the dim of a menu behind its buttons. A
// large opaque picture keeps its dimmed copy, so the dim costs nothing more.
void TS_Image_DrawDimmed(TS_Image image, float x, float y, float w, float h, int dim);
// Draws the source pixel rectangle (u0, v0)-(u1, v1) of the image into the
// destination box at (x, y) of size (w, h).
void TS_Image_DrawSubImage(TS_Image image, float x, float y, float w, float h, float u0, float v0,
                           float u1, float v1, int alpha);

// ---- Prepared images ---------------------------------------------------------

// An image drawn once at a fixed size and turn, kept to be copied plainly.
struct TS_PreparedImageRecord;
typedef TS_PreparedImageRecord* TS_PreparedImage;  // null when absent

// Draws `image` centred in a w x h box turned by `rotation` degrees, as
// TS_Image_DrawAdvanced would, and keeps the result. Null when it cannot be
// made (no renderer, rendering off, a flipped or huge box, no memory). It
// switches the render target: make prepared images before a frame's drawing
// starts, never between its draw calls.
TS_PreparedImage TS_PreparedImage_Create(TS_Image image, float w, float h, float rotation);
void TS_PreparedImage_Free(TS_PreparedImage* prepared);  // frees and sets it to null
// The memory its pixels take.
size_t TS_PreparedImage_Bytes(TS_PreparedImage prepared);
// Draws it at the centre (x, y); the other arguments are those it was made
// from and are recorded as TS_Image_DrawAdvanced records them. Under a matrix
// or in corner mode it draws `image` directly instead.
void TS_PreparedImage_Draw(TS_PreparedImage prepared, TS_Image image, float x, float y, float w,
                           float h, int alpha, float rotation);

// ---- Sound -----------------------------------------------------------------

TS_Sound TS_Sound_Load(const char* path);
TS_Sound TS_Sound_LoadMusic(const char* path);
void TS_Sound_Free(TS_Sound sound);
void TS_Sound_PlayAdvanced(TS_Sound sound, float volume, float pitch, bool looping, int group);
void TS_Sound_SetGroupVolume(int group, float volume);
void TS_Sound_StopGroup(int group);

// ---- Math ------------------------------------------------------------------

// Pi, for double and for float arithmetic.
constexpr double TS_PI = 3.14159265358979323846;
constexpr float TS_PI_F = static_cast<float>(TS_PI);

int TS_Math_ClampInt(int value, int min, int max);
float TS_Math_ClampFloat(float value, float min, float max);
float TS_Math_Degrees(float radians);

TS_Vec2 TS_Vector_Set(float x, float y);
TS_Vec2 TS_Vector_Zero(void);
TS_Vec2 TS_Vector_Add(TS_Vec2 a, TS_Vec2 b);
TS_Vec2 TS_Vector_Subtract(TS_Vec2 a, TS_Vec2 b);
TS_Vec2 TS_Vector_Scale(TS_Vec2 v, float s);
TS_Vec2 TS_Vector_Negate(TS_Vec2 v);
TS_Vec2 TS_Vector_Normalize(TS_Vec2 v);  // the zero vector stays zero
float TS_Vector_Length(TS_Vec2 v);
float TS_Vector_DotProduct(TS_Vec2 a, TS_Vec2 b);
TS_Vec2 TS_Vector_MatrixMultiply(TS_Matrix m, TS_Vec2 point);

TS_Matrix TS_Matrix_Identity(void);
// Columns: the images of the x axis, the y axis and the origin.
TS_Matrix TS_Matrix_FromVector(TS_Vec2 xAxis, TS_Vec2 yAxis, TS_Vec2 origin);
TS_Matrix TS_Matrix_Translate(TS_Vec2 offset);
// Counter-clockwise in a y-up frame, which is clockwise on a y-down screen.
TS_Matrix TS_Matrix_Rotate(float degrees);
TS_Matrix TS_Matrix_Scale(TS_Vec2 scale);
TS_Matrix TS_Matrix_Multiply(TS_Matrix a, TS_Matrix b);  // a x b
TS_Matrix TS_Matrix_Inverse(TS_Matrix m);
