// The game's actions — flying, the map, skipping, pausing, restarting and
// moving through menus — from the keyboard or a game pad alike: the one place
// that says which keys and pad buttons do what.
#pragma once

// The first seven take the player's own key and pad button (app/bindings.h);
// what a fresh player gets is written beside them.
enum GameAction {
    CONTROL_THRUST = 0,  // the scheme's thrust key; pad A or the right trigger
    CONTROL_TURN_LEFT,   // the scheme's key; D-pad or stick left
    CONTROL_TURN_RIGHT,  // the scheme's key; D-pad or stick right
    CONTROL_MAP,         // M; left shoulder or Y
    CONTROL_SKIP,        // X skips the intro or the capture; pad X
    CONTROL_PAUSE,       // Escape (whatever else is bound); Start
    CONTROL_RESTART,     // R; Back (View)
    // Menus. The arrow keys always move in a menu, so in the Arrow scheme Up
    // moves rather than accepts (Space and Enter still accept). On a pad a
    // held direction repeats.
    CONTROL_MENU_UP,      // Up; D-pad or stick up
    CONTROL_MENU_DOWN,    // Down; D-pad or stick down
    CONTROL_MENU_LEFT,    // Left or the bound turn-left key; D-pad or stick
    CONTROL_MENU_RIGHT,   // Right or the bound turn-right key; D-pad or stick
    CONTROL_MENU_ACCEPT,  // Space, Enter (not Alt+Enter) or a bound thrust key not on an arrow; A
    CONTROL_MENU_BACK,    // Escape; B
    // Spelling a name on a pad: the pad only, as the keyboard types instead.
    CONTROL_NAME_ADD,          // X adds a letter
    CONTROL_NAME_REMOVE,       // Y takes the last one away
    CONTROL_NAME_LETTER_UP,    // D-pad or stick up turns the last letter back
    CONTROL_NAME_LETTER_DOWN,  // D-pad or stick down turns it on
    CONTROL_ACTION_COUNT
};

// Restarts the level at once unless the player bound another key; no
// control scheme uses it for anything else.
const int kRestartKey = 'R';

// Held now, on any key or pad button of the action.
bool Controls_Down(int action);
// Went down this frame (a menu direction held on a pad also repeats).
bool Controls_Pressed(int action);
// The keyboard key a flight action (thrust, turns, map, skip) stands for in
// a recorded run, in the current control scheme: a run flown with a pad is
// recorded as the same run flown on the keyboard. 0 for other actions.
int Controls_Key(int action);

// The pad being flown with was unplugged this frame.
bool Controls_PadLost(void);
// Whether the player last touched a pad rather than the keyboard or mouse.
bool Controls_PadInUse(void);

enum { PAD_MAPPINGS_FILE_LIMIT = 4 * 1024 * 1024 };  // bytes; the public list is well under

// Adds the pad descriptions of gamecontrollerdb.txt in the save folder, when
// the player put one there, to those SDL knows. A line that is not a mapping
// is passed over; a file that cannot be read is left alone. Returns the
// lines refused, or -1 when the file exists but cannot be read.
int Controls_LoadPadMappings(void);
