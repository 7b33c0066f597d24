// The screenshot tour: plays the game headless as a player would (keys on
// the menus, the game's own buttons and popups), from a scratch save folder
// seeded with a top-ten table and a few level files, and saves a picture at
// every screen and popup on the way.
#include "game/tour.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/assets.h"
#include "app/bindings.h"
#include "app/config.h"
#include "app/preferences.h"
#include "app/safe_file.h"
#include "app/screens.h"
#include "app/window.h"
#include "editor/editor.h"
#include "game/game.h"
#include "play/campaign.h"
#include "play/custom_level.h"
#include "play/pause.h"
#include "play/results.h"
#include "play/score_table.h"
#include "platform/automation.h"
#include "platform/native.h"
#include "ui/help_page.h"
#include "world/world.h"

namespace fs = std::filesystem;

namespace {

// In visiting order; each is one picture.
const std::vector<std::string> kStops = {
    "splash",
    "splash-audio",
    "main-menu",
    "quit-question",
    "options",
    "controls",
    "controls-waiting-for-key",
    "settings-not-saved",
    "help",
    "credits",
    "flight-intro",
    "flight",
    "results-new-record",
    "map-view",
    "pause-menu",
    "pause-restart-question",
    "pause-help",
    "pause-exit-question",
    "level-select",
    "watch-run",
    "watch-run-end",
    "file-chooser-open",
    "level-select-load-error",
    "results-game-over",
    "results-custom-new-record",
    "results-level-complete",
    "results-name-entry",
    "results-score-not-saved",
    "results-top-scores",
    "editor-empty",
    "editor-help",
    "editor-save-warning",
    "editor-open-failed",
    "editor-test-play-stranded",
    "editor-level",
    "editor-selection",
    "editor-level-panel",
    "editor-test-play",
    "editor-goal-reached",
    "file-chooser-save",
    "editor-overwrite-question",
    "editor-saved",
    "editor-unsaved-changes",
};

// The scratch save folder's level files, in the order the file chooser
// lists them after "..": the ship starts touching the goal, a file that is
// no level, and a level whose ship is stranded at once.
const char* const kGoalLevelName = "asteroid hop.vexl";
const char* const kGoalLevel =
    ".12\nA,-250,150,20,80,80\nA,300,-100,0,60,60\nF,-200,-150,0,50,50\n"
    "E,0,50,0,50,50\nT,0,-200,0,400,25,Reach the goal!\n";
const char* const kBrokenLevelName = "broken level.vexl";
// A level saved as UTF-16 by some text editor: "E,0,50,0,50,50".
const std::string kBrokenLevel(
    "\xFF\xFE"
    "E\0,\0"
    "0\0,\0"
    "5\0"
    "0\0\n\0",
    16);
const char* const kStrandedLevelName = "out of fuel.vexl";
const char* const kStrandedLevel = "%5\nA,0,-50,0,50,50\nE,0,300,0,50,50\n";
enum { GOAL_ROW = 1, BROKEN_ROW = 2, STRANDED_ROW = 3 };  // row 0 is ".."

// A full top-ten table the tour's score enters, below its best.
const char* const kScoreTable =
    "Nova       2400\nComet      1800\nOrbit      1200\nVega        900\nAtlas       700\n"
    "Lyra        600\nPulsar      500\nQuasar      400\nNebula      300\nZenith      200\n";

// Frames of 1/60 s.
const int kSecond = 60;
// Long enough for a popup or a screen to be fully in place.
const int kSettle = kSecond / 4;

struct Tour {
    TourOptions options;
    std::string scratch;  // the scratch folder; the save folder is inside it
    std::string levels;   // the save folder's levels/
    std::string why;      // the first failure
    size_t nextStop = 0;
    std::vector<std::string> goalPaths;  // the last level's stand-in, 19 times
};

Tour* tour = nullptr;

// ---- Driving the game ---------------------------------------------------------

void Frames(int n) { Automation_RunFrames(n); }

// Frames of which only the last is drawn: for long waits on screens that
// draw plain pictures (not prepared ones, which are made only when drawn).
void FramesUnseen(int n) {
    if (n <= 0) return;
    Automation_SetRendering(false);
    Frames(n - 1);
    Automation_SetRendering(tour->options.render);
    Frames(1);
}

void Tap(int key) {
    Automation_KeyDown(key);
    Frames(1);
    Automation_KeyUp(key);
    Frames(1);
}

void Click(TS_Vec2 at) {
    Automation_MouseMove(at.x, at.y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Frames(1);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Frames(1);
    // Out of the way, so the keyboard's selection is what shows.
    Automation_MouseMove(1, 1);
}

// A fresh menu's buttons: the first arrow selects the first button, each
// further one the next, and Enter presses it.
void MenuChoose(int index) {
    for (int i = 0; i <= index; ++i) Tap(TS_KEY_RIGHT);
    Tap(TS_KEY_ENTER);
}

bool Fail(const std::string& why) {
    if (tour->why.empty()) tour->why = why;
    return false;
}

bool IsOpen(const Popup* popup) { return popup && popup->open; }

// Whether the last frame drew this text: for popups a screen keeps to itself.
bool Drew(const char* text) {
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == text) return true;
    }
    return false;
}

bool Shows(const char* text, const char* stop) {
    return Drew(text) || Fail(std::string("no \"") + text + "\" for the stop " + stop);
}

// Moves an open popup's keyboard selection to its button `index` and presses it.
bool PopupChoose(Popup* popup, int index, const char* what) {
    if (!IsOpen(popup) || !popup->buttonList) return Fail(std::string(what) + " is not open");
    for (int i = 0; i < 16 && popup->buttonList->selected != index; ++i) Tap(TS_KEY_RIGHT);
    if (popup->buttonList->selected != index) {
        return Fail(std::string("no way to the button of ") + what);
    }
    Tap(TS_KEY_ENTER);
    return true;
}

template <typename Predicate>
bool WaitFor(Predicate done, int limit, const std::string& what) {
    for (int i = 0; i < limit && !done(); ++i) Frames(1);
    return done() || Fail("waited in vain for " + what);
}

bool WaitForScreen(const char* name, int limit = 10) {
    return WaitFor([name] { return std::strcmp(Screen_CurrentName(), name) == 0; }, limit,
                   std::string("the ") + name + " screen (on " + Screen_CurrentName() + ")");
}

// Skips the intro and the goal capture with X (the skip key) until the
// level's results popup opens.
bool SkipToResults(Popup* const* results, const std::string& what) {
    for (int frame = 0; frame < 10 * kSecond; ++frame) {
        if (IsOpen(*results)) return true;
        if (world.phase == PHASE_INTRO || world.phase == PHASE_CAPTURE) Tap(TS_KEY_X);
        else Frames(1);
    }
    return Fail("waited in vain for " + what);
}

// ---- Pictures -------------------------------------------------------------------

std::string PictureName(size_t index) {
    char number[8];
    std::snprintf(number, sizeof number, "%02zu-", index + 1);
    return number + kStops[index] + ".png";
}

// The last presented frame is the stop `name`, the next one on the list.
bool Stop(const char* name) {
    if (!tour->why.empty()) return false;
    if (tour->nextStop >= kStops.size() || kStops[tour->nextStop] != name) {
        return Fail(std::string("stop ") + name + " is out of turn");
    }
    const std::string file = PictureName(tour->nextStop);
    ++tour->nextStop;
    if (tour->options.savePictures) {
        const std::string path = tour->options.folder + "/" + file;
        if (!Automation_SaveFrame(path.c_str())) return Fail("cannot write " + path);
        if (tour->options.printPictures) std::printf("%s\n", path.c_str());
    }
    if (tour->options.onStop) tour->options.onStop(name);
    return true;
}

// ---- The file chooser, which runs frames of its own --------------------------------

// What the tour does in the next file chooser: move down the list, type a
// name, take a picture, then open the selection or cancel.
struct ChooserPlan {
    int row;           // the row to select (0 is ".."), or -1 to leave it
    const char* name;  // typed into the save chooser's name, or null
    const char* stop;  // the picture, or null
    bool open;         // Enter; otherwise Escape
    bool pictureTaken;
};
ChooserPlan plan = {};

// The list opens on its first file; three presses of Up reach ".." from
// any row of the scratch folder's list, then Down goes row by row.
const int kChooserRows = 3;

void ChooserFrame(int frame) {
    if (frame == 1) {
        // Whatever opened it is let go first.
        Automation_KeyUp(TS_KEY_ENTER);
        Automation_MouseUp(TS_MOUSE_LEFT);
        Automation_MouseMove(1, 1);
        return;
    }
    const int presses = plan.row < 0 ? 0 : kChooserRows + plan.row;
    const int moved = 2 + 2 * presses;
    if (frame < moved) {
        const int key = (frame - 2) / 2 < kChooserRows ? TS_KEY_UP : TS_KEY_DOWN;
        if (frame % 2 == 0) Automation_KeyDown(key);
        else Automation_KeyUp(key);
        return;
    }
    if (frame == moved && plan.name) Automation_TypeText(plan.name);
    if (frame == moved + 4 && plan.stop) plan.pictureTaken = Stop(plan.stop);
    if (frame == moved + 5) Automation_KeyDown(plan.open ? TS_KEY_ENTER : TS_KEY_ESCAPE);
}

void PlanChooser(int row, const char* name, const char* stop, bool open) {
    plan = ChooserPlan{row, name, stop, open, false};
    Automation_SetModalHook(ChooserFrame);
}

// After the chooser has closed: its keys let go, its picture checked.
bool ChooserDone(void) {
    Automation_SetModalHook(nullptr);
    Automation_KeyUp(TS_KEY_ENTER);
    Automation_KeyUp(TS_KEY_ESCAPE);
    Frames(2);
    if (plan.stop && !plan.pictureTaken) {
        return Fail(std::string("no file chooser for ") + plan.stop);
    }
    return tour->why.empty();
}

// ---- The scratch save folder -----------------------------------------------------

bool WriteScratchFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out) || Fail("cannot write the scratch file " + path);
}

bool MakeScratch(void) {
    std::error_code failed;
    const fs::path temp = fs::temp_directory_path(failed);
    if (failed) return Fail("no folder for temporary files: " + failed.message());
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 20 && tour->scratch.empty(); ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, "vexal-tour-%08x", static_cast<unsigned>(random()));
        const fs::path folder = temp / name;
        if (fs::create_directory(folder, failed) && !failed) {
            tour->scratch = folder.generic_string();
        }
    }
    if (tour->scratch.empty()) return Fail("cannot make a scratch folder in " + temp.string());
    const std::string save = tour->scratch + "/save/";
    tour->levels = save + "levels/";
    fs::create_directories(tour->levels, failed);
    if (failed) return Fail("cannot make the scratch save folder: " + failed.message());
    Native_SetSaveFolder(save.c_str());
    // Full screen on a display of the tour's size (as a player starts), the
    // sounds and music on, the Arrow + Space scheme.
    return WriteScratchFile(save + "user.cfg", "1 100 100 2 ") &&
           WriteScratchFile(save + "score.vex", kScoreTable) &&
           WriteScratchFile(tour->levels + kGoalLevelName, kGoalLevel) &&
           WriteScratchFile(tour->levels + kBrokenLevelName, kBrokenLevel) &&
           WriteScratchFile(tour->levels + kStrandedLevelName, kStrandedLevel);
}

void RemoveScratch(void) {
    Native_SetSaveFolder(nullptr);
    if (tour->scratch.empty()) return;
    std::error_code ignored;
    fs::remove_all(tour->scratch, ignored);
}

bool CheckPictureFolder(void) {
    if (!tour->options.savePictures) return true;
    if (tour->options.folder.empty()) return Fail("no folder for the pictures");
    std::error_code failed;
    fs::create_directories(tour->options.folder, failed);
    if (failed || !fs::is_directory(tour->options.folder, failed)) {
        return Fail("cannot make the folder " + tour->options.folder +
                    (failed ? ": " + failed.message() : ""));
    }
    // Written and removed again, so a folder that takes no files is known
    // before the first stop.
    const std::string probe = tour->options.folder + "/.vexal-tour-probe";
    {
        std::ofstream out(probe, std::ios::binary);
        out << "probe";
        out.close();
        if (!out) return Fail("cannot write into " + tour->options.folder);
    }
    fs::remove(probe, failed);
    return true;
}

// ---- The stops ---------------------------------------------------------------------

bool VisitStart(void) {
    Game_Start();
    if (!WaitForScreen("Splash")) return false;
    if (TS_System_GetWindowPixelWidth() != tour->options.width ||
        TS_System_GetWindowPixelHeight() != tour->options.height) {
        return Fail("the window did not take the size asked for");
    }
    // Full screen, the splash first waits five seconds in black for the
    // display: one long frame spends them. Then each logo shows fully between
    // 1 and 1.5 s of its 2.5.
    Automation_SetFrameTime(5.0f);
    Frames(1);
    Automation_SetFrameTime(1.0f / kSecond);
    FramesUnseen(kSecond + kSecond / 4);
    if (!Stop("splash")) return false;
    FramesUnseen(150);
    if (!Stop("splash-audio")) return false;
    Tap(TS_KEY_ENTER);
    if (!WaitForScreen("MainMenu")) return false;
    Frames(kSecond / 3);
    if (!Stop("main-menu")) return false;
    MenuChoose(6);  // Quit
    Frames(2);
    if (!Shows("Quit Game", "quit-question") || !Stop("quit-question")) return false;
    Tap(TS_KEY_ESCAPE);
    return WaitForScreen("MainMenu");
}

bool VisitOptions(void) {
    MenuChoose(2);
    if (!WaitForScreen("Options")) return false;
    Frames(10);
    if (!Stop("options")) return false;
    MenuChoose(8);  // Controls
    if (!WaitForScreen("Controls")) return false;
    Frames(10);
    if (!Stop("controls")) return false;
    MenuChoose(0);  // the thrust key
    Frames(10);
    if (!Shows("Press the new key for Thrust  (Escape cancels)", "controls-waiting-for-key") ||
        !Stop("controls-waiting-for-key")) {
        return false;
    }
    Tap(TS_KEY_ESCAPE);  // no new key after all
    Tap(TS_KEY_LEFT);    // from the first button round to Back
    Tap(TS_KEY_ENTER);
    if (!WaitForScreen("Options")) return false;
    // A full disk at the moment of leaving: the player is asked what to do.
    SafeFile_FailNextCommitForTests(ENOSPC);
    Tap(TS_KEY_ESCAPE);
    Frames(2);
    if (!Shows("Settings Not Saved", "settings-not-saved") || !Stop("settings-not-saved")) {
        return false;
    }
    MenuChoose(0);  // Try Again, which saves
    return WaitForScreen("MainMenu");
}

bool VisitHelpAndCredits(void) {
    MenuChoose(3);
    if (!WaitForScreen("Help")) return false;
    Frames(kSecond / 2);  // the demo ships under way
    if (!Stop("help")) return false;
    Tap(TS_KEY_ESCAPE);
    if (!WaitForScreen("MainMenu")) return false;
    MenuChoose(5);
    if (!WaitForScreen("Credits")) return false;
    Frames(kSecond / 3);
    if (!Stop("credits")) return false;
    Tap(TS_KEY_ESCAPE);
    return WaitForScreen("MainMenu", 2 * kSecond);
}

// The pause menu, its two questions and the help over the game; leaves the
// game by "Exit" and "Yes".
bool VisitPause(void) {
    Tap(TS_KEY_ESCAPE);
    if (!IsOpen(pausePopup)) return Fail("Escape did not pause the game");
    Frames(10);
    if (!Stop("pause-menu")) return false;
    if (!PopupChoose(pausePopup, 1, "the pause menu")) return false;
    Frames(2);
    if (!IsOpen(restartPopup)) return Fail("no Restart question");
    if (!Stop("pause-restart-question")) return false;
    Tap(TS_KEY_ESCAPE);  // No: back to the pause menu
    if (!PopupChoose(pausePopup, 2, "the pause menu")) return false;
    Frames(kSecond / 2);
    if (!Help_OverlayOpen()) return Fail("no help over the game");
    if (!Stop("pause-help")) return false;
    Tap(TS_KEY_ESCAPE);
    if (Help_OverlayOpen()) return Fail("the help over the game did not close");
    if (!PopupChoose(pausePopup, 3, "the pause menu")) return false;
    Frames(2);
    if (!IsOpen(exitPopup)) return Fail("no Exit question");
    if (!Stop("pause-exit-question")) return false;
    if (!PopupChoose(exitPopup, 0, "the Exit question")) return false;
    return WaitForScreen("MainMenu", 2 * kSecond);
}

// "Play": the first tutorial, flown as its author does (thrust for a second,
// then drift into the goal), which sets its first record and medal; then
// the second tutorial's map view and the pause menu.
bool VisitCampaign(void) {
    MenuChoose(0);
    if (!WaitForScreen("Campaign")) return false;
    Frames(kSecond / 2);
    if (world.phase != PHASE_INTRO) return Fail("the level did not open with its intro");
    if (!Stop("flight-intro")) return false;
    Tap(TS_KEY_X);
    if (world.phase != PHASE_FLYING) return Fail("X did not skip the intro");
    Automation_KeyDown(TS_KEY_SPACE);
    Frames(kSecond / 2);
    if (!Stop("flight")) return false;
    Frames(kSecond / 2);
    Automation_KeyUp(TS_KEY_SPACE);
    if (!WaitFor([] { return world.phase == PHASE_CAPTURE; }, 10 * kSecond, "the goal")) {
        return false;
    }
    Tap(TS_KEY_X);
    if (!WaitFor([] { return IsOpen(levelWinPopup); }, 5 * kSecond, "You Win!")) return false;
    Frames(kSettle);
    if (!Stop("results-new-record")) return false;
    if (!PopupChoose(levelWinPopup, 0, "You Win!")) return false;  // Next Level
    if (!WaitFor([] { return world.phase == PHASE_INTRO; }, kSecond, "the next level")) {
        return false;
    }
    Tap(TS_KEY_X);
    Automation_KeyDown(TS_KEY_M);
    Frames(kSecond * 3 / 4);
    if (!Stop("map-view")) return false;
    Automation_KeyUp(TS_KEY_M);
    Frames(kSecond / 3);
    return VisitPause();
}

// The level select with the first tutorial's medal, and its best run watched.
bool VisitLevelSelect(void) {
    MenuChoose(1);
    if (!WaitForScreen("LevelSelect")) return false;
    Frames(10);
    if (!Stop("level-select")) return false;
    // "Watch" is for the mouse: it is clicked where the frame drew it.
    TS_Vec2 watch = {-1.0f, -1.0f};
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == "Watch") watch = TS_Vector_Set(call.x, call.y);
    }
    if (watch.x < 0.0f) return Fail("the level select offers no best run to watch");
    Click(watch);
    if (!WaitForScreen("WatchRun")) return false;
    Frames(kSecond);
    if (!Stop("watch-run")) return false;
    Tap(TS_KEY_X);  // to the end
    Frames(kSecond / 2);
    if (!Stop("watch-run-end")) return false;
    Tap(TS_KEY_ESCAPE);
    return WaitForScreen("LevelSelect", kSecond);
}

// The level select's "Select a Custom Level from a File" (button 19) with
// the chooser's row `row`.
bool ChooseCustomLevel(int row, const char* stop) {
    PlanChooser(row, nullptr, stop, true);
    MenuChoose(19);
    return ChooserDone();
}

bool VisitCustomLevels(void) {
    if (!ChooseCustomLevel(BROKEN_ROW, "file-chooser-open")) return false;
    Frames(2);
    if (std::strcmp(Screen_CurrentName(), "LevelSelect") != 0) {
        return Fail("the broken level was not refused");
    }
    if (!Stop("level-select-load-error")) return false;
    Tap(TS_KEY_ESCAPE);  // Ok
    // Back to the main menu and in again, so the level select's keys start
    // from no selection.
    Tap(TS_KEY_ESCAPE);
    if (!WaitForScreen("MainMenu")) return false;
    MenuChoose(1);
    if (!WaitForScreen("LevelSelect")) return false;
    if (!ChooseCustomLevel(STRANDED_ROW, nullptr)) return false;
    if (!WaitForScreen("CustomLevel", kSecond)) return false;
    if (!SkipToResults(&customGameOverPopup, "Game Over")) return false;
    Frames(kSettle);
    if (!Stop("results-game-over")) return false;
    if (!PopupChoose(customGameOverPopup, 1, "Game Over")) return false;  // Exit
    if (!WaitForScreen("MainMenu", kSecond)) return false;
    MenuChoose(1);
    if (!WaitForScreen("LevelSelect")) return false;
    if (!ChooseCustomLevel(GOAL_ROW, nullptr)) return false;
    if (!WaitForScreen("CustomLevel", kSecond)) return false;
    if (!SkipToResults(&customWinPopup, "You Win!")) return false;
    Frames(kSettle);
    if (!Stop("results-custom-new-record")) return false;
    // Flown again as fast, it is no new record: the plain "You Win!".
    if (!PopupChoose(customWinPopup, 0, "You Win!")) return false;  // Play Again
    if (!WaitFor([] { return !IsOpen(customWinPopup); }, kSecond, "the level again")) return false;
    if (!SkipToResults(&customWinPopup, "You Win!")) return false;
    Frames(kSettle);
    if (!Stop("results-level-complete")) return false;
    if (!PopupChoose(customWinPopup, 1, "You Win!")) return false;  // Exit
    return WaitForScreen("MainMenu", kSecond);
}

// The campaign's last level, stood in for by a level whose ship starts on
// the goal: the name entry for the top ten, then the table.
bool VisitVictory(void) {
    static const char* paths[CAMPAIGN_LEVEL_COUNT];
    tour->goalPaths.assign(CAMPAIGN_LEVEL_COUNT, tour->levels + kGoalLevelName);
    for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) paths[i] = tour->goalPaths[i].c_str();
    MenuChoose(1);
    if (!WaitForScreen("LevelSelect")) return false;
    Campaign_SetLevelPathsForTests(paths);
    MenuChoose(CAMPAIGN_LEVEL_COUNT - 1);
    if (!WaitForScreen("Campaign")) return false;
    if (!SkipToResults(&victoryEntryPopup, "the name entry")) return false;
    for (int i = 0; i < 6; ++i) Tap(TS_KEY_BACKSPACE);  // "Player"
    Automation_TypeText("Tour");
    Frames(kSettle);
    if (!Stop("results-name-entry")) return false;
    // A full disk as the table is written: the score is kept on screen.
    SafeFile_FailNextCommitForTests(ENOSPC);
    if (!PopupChoose(victoryEntryPopup, 0, "the name entry")) return false;  // Save Score
    if (!WaitFor([] { return IsOpen(scoreNotSavedPopup); }, kSecond, "Score Not Saved")) {
        return false;
    }
    Frames(kSettle);
    if (!Stop("results-score-not-saved")) return false;
    if (!PopupChoose(scoreNotSavedPopup, 0, "Score Not Saved")) return false;  // Try Again
    if (!WaitFor([] { return IsOpen(topScoresPopup); }, kSecond, "Top Scores")) return false;
    Frames(kSettle);
    if (!Stop("results-top-scores")) return false;
    if (!PopupChoose(topScoresPopup, 0, "Top Scores")) return false;
    const bool left = WaitForScreen("MainMenu", kSecond);
    Campaign_SetLevelPathsForTests(nullptr);
    return left;
}

// The editor's top-bar button, clicked where it stands.
void ClickEditorButton(const Button* button) {
    if (button) Click(button->position);
}

// Opens a level file in the editor through "Open" and the chooser's row `row`.
bool EditorOpen(int row, const char* stop) {
    PlanChooser(row, nullptr, stop, true);
    ClickEditorButton(editor.openButton);
    return ChooserDone();
}

// Test play from the editor up to its report.
bool EditorTestPlay(Popup* const* report, const char* what) {
    Tap(TS_KEY_F5);
    if (!editor.playMode) return Fail("F5 did not start test play");
    return SkipToResults(report, what);
}

bool VisitEditorSaving(void);

bool VisitEditor(void) {
    MenuChoose(4);
    if (!WaitForScreen("Editor")) return false;
    Frames(10);
    if (!Stop("editor-empty")) return false;
    Tap(TS_KEY_F1);
    if (!IsOpen(editor.helpPopup)) return Fail("F1 did not open the editor's help");
    if (!Stop("editor-help")) return false;
    Tap(TS_KEY_ESCAPE);
    ClickEditorButton(editor.saveButton);  // a level without a goal
    if (!IsOpen(editor.saveWarningPopup)) return Fail("no warning for a level without a goal");
    if (!Stop("editor-save-warning")) return false;
    Tap(TS_KEY_ESCAPE);
    if (!EditorOpen(BROKEN_ROW, nullptr)) return false;
    if (!IsOpen(editor.resultPopup)) return Fail("opening a broken level said nothing");
    if (!Stop("editor-open-failed")) return false;
    Tap(TS_KEY_ESCAPE);
    if (!EditorOpen(STRANDED_ROW, nullptr)) return false;
    if (!EditorTestPlay(&editor.strandedPopup, "the stranded report")) return false;
    Frames(kSettle);
    if (!Stop("editor-test-play-stranded")) return false;
    if (!PopupChoose(editor.strandedPopup, 1, "the stranded report")) return false;
    if (!EditorOpen(GOAL_ROW, nullptr)) return false;
    if (editor.editedLevel.objectCapacity == 0) return Fail("the editor opened no level");
    Frames(10);
    if (!Stop("editor-level")) return false;
    LevelObject* first = nullptr;
    for (uint64_t i = 0; i < editor.editedLevel.objectCapacity && !first; ++i) {
        first = editor.editedLevel.objects[i];
    }
    if (!first) return Fail("the opened level has nothing to select");
    Editor_Select(first, false);
    Frames(2);
    if (!Stop("editor-selection")) return false;
    Tap(TS_KEY_L);
    if (!IsOpen(LevelPanel_Popup())) return Fail("L did not open the Level panel");
    if (!Stop("editor-level-panel")) return false;
    Tap(TS_KEY_ESCAPE);
    Tap(TS_KEY_F5);
    if (!editor.playMode) return Fail("F5 did not start test play");
    Frames(kSecond / 2);
    if (!Stop("editor-test-play")) return false;
    if (!SkipToResults(&editor.runPopup, "Goal Reached")) return false;
    Frames(kSettle);
    if (!Stop("editor-goal-reached")) return false;
    if (!PopupChoose(editor.runPopup, 2, "Goal Reached")) return false;  // Back to Editing
    return VisitEditorSaving();
}

// Saving over the opened file is asked about and cancelled; saved under a
// new name (in the scratch folder) it is reported; moved again, leaving asks.
bool VisitEditorSaving(void) {
    PlanChooser(-1, "asteroid hop", "file-chooser-save", true);
    ClickEditorButton(editor.saveButton);
    if (!ChooserDone()) return false;
    if (!IsOpen(editor.overwritePopup)) return Fail("saving over a file asked nothing");
    if (!Stop("editor-overwrite-question")) return false;
    Tap(TS_KEY_ESCAPE);  // Cancel
    PlanChooser(-1, "my first level", nullptr, true);
    ClickEditorButton(editor.saveButton);
    if (!ChooserDone()) return false;
    if (!IsOpen(editor.resultPopup)) return Fail("saving said nothing");
    if (!Stop("editor-saved")) return false;
    Tap(TS_KEY_ESCAPE);  // Ok
    Tap(TS_KEY_RIGHT);   // the selection moves: a change not saved
    Tap(TS_KEY_ESCAPE);
    if (!IsOpen(editor.unsavedPopup)) return Fail("leaving unsaved changes asked nothing");
    if (!Stop("editor-unsaved-changes")) return false;
    if (!PopupChoose(editor.unsavedPopup, 0, "the unsaved question")) return false;
    return WaitForScreen("MainMenu", kSecond);
}

bool VisitAll(void) {
    return VisitStart() && VisitOptions() && VisitHelpAndCredits() && VisitCampaign() &&
           VisitLevelSelect() && VisitCustomLevels() && VisitVictory() && VisitEditor();
}

// What the game keeps between runs in one process, forgotten, so the tour
// reads only its scratch folder and leaves nothing of it behind.
void ForgetSavedState(void) {
    Settings_ResetForTests();
    Preferences_ResetForTests();
    Bindings_ResetForTests();
    ScoreTable_ResetForTests();
    Campaign_SetLevelPathsForTests(nullptr);
    Help_CloseOverlay();
    LayoutHook = FocusGainedHook = FocusLostHook = nullptr;
}

void Idle(void) {}

const char* const kSizeRule = "the size must be from 640x360 to 7680x4320";

bool SizeAllowed(int width, int height) {
    return width >= 640 && height >= 360 && width <= 7680 && height <= 4320;
}

int BadArguments(std::string* error, const std::string& why) {
    if (error) *error = why;
    return -1;
}

}  // namespace

const std::vector<std::string>& Tour_StopNames(void) { return kStops; }

bool Tour_Run(const TourOptions& options, std::string* error) {
    Tour run;
    run.options = options;
    tour = &run;
    if (!SizeAllowed(options.width, options.height)) Fail(kSizeRule);
    if (options.savePictures && !options.render) Fail("pictures need rendering");
    if (run.why.empty() && CheckPictureFolder() && MakeScratch()) {
        ForgetSavedState();
        AutomationOptions automation;
        automation.displayWidth = options.width;
        automation.displayHeight = options.height;
        Automation_Start(automation);
        Automation_SetRendering(options.render);
        Automation_RecordDraws(true);  // what the screens draw tells some stops apart
        Automation_MouseMove(1, 1);
        VisitAll();
        if (run.why.empty() && run.nextStop != kStops.size()) {
            Fail("the tour ended before the stop " + kStops[run.nextStop]);
        }
        Automation_SetModalHook(nullptr);
        // The last screen's exit frees what it made.
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Frames(1);
        Game_Finish();
        Automation_Stop();
        ForgetSavedState();
    }
    RemoveScratch();
    tour = nullptr;
    if (error) *error = run.why;
    return run.why.empty();
}

int Tour_ParseArguments(int argc, const char* const* argv, TourOptions* options,
                        std::string* error) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        asked = asked || argument == "--tour" || argument == "--size";
    }
    // Without the tour the game takes no arguments and, as ever, minds none.
    if (!asked) return 0;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (argument == "--tour") {
            if (!value || !*value) return BadArguments(error, "--tour needs a folder");
            std::error_code failed;
            const fs::path folder = fs::absolute(value, failed);
            if (failed) return BadArguments(error, "no such folder: " + std::string(value));
            options->folder = folder.generic_string();
            folderGiven = true;
        } else if (argument == "--size") {
            int width = 0, height = 0;
            char rest = 0;
            if (!value || std::sscanf(value, "%dx%d%c", &width, &height, &rest) != 2) {
                return BadArguments(error, "--size needs WIDTHxHEIGHT, such as 1920x1080");
            }
            options->width = width;
            options->height = height;
        } else {
            return BadArguments(error, "unknown argument " + argument);
        }
        ++i;
    }
    if (!folderGiven) return BadArguments(error, "--size is for --tour DIR");
    if (!SizeAllowed(options->width, options->height)) return BadArguments(error, kSizeRule);
    return 1;
}
