// The screenshot tour: the game driven headless through every screen and
// popup, one picture of each, from a scratch save folder that is removed
// afterwards. `vexal --tour DIR [--size WxH]` runs it; tests call Tour_Run.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TourOptions {
    std::string folder;  // where the pictures go (created when missing)
    int width = 1280;    // the window, in pixels
    int height = 720;
    bool savePictures = true;  // false: only walk the stops, writing nothing
    // false: frames are stepped and their draw calls recorded, but nothing is
    // rasterised (a quicker walk; pictures cannot be saved then)
    bool render = true;
    bool printPictures = false;  // one line on standard output per picture written
    // Called at every stop once its frame is presented, with the stop's name
    // ("options", "pause-menu").
    std::function<void(const std::string& stop)> onStop;
};

// The stops in the order the tour visits them; picture N is
// "NN-<name>.png" for the Nth name.
const std::vector<std::string>& Tour_StopNames(void);

// Runs the whole tour. False with the reason in `error` when an argument is
// bad, the folder cannot be written, or a stop could not be reached.
bool Tour_Run(const TourOptions& options, std::string* error);

// Reads the tour's command line: "--tour DIR" and an optional "--size WxH".
// Returns 1 when the tour was asked for (options filled), 0 when the
// arguments do not mention it, -1 with `error` for a bad command line. A
// relative DIR is made absolute here, before the game changes folder.
int Tour_ParseArguments(int argc, const char* const* argv, TourOptions* options,
                        std::string* error);
