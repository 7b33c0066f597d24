// The text-fits checker: reads the last presented frame's draw record and
// lists every text that leaves the window, its box (a button, a popup, a bar)
// or another text's room, or that a box drawn after it covers.
#pragma once

#include <string>
#include <vector>

#include "platform/automation.h"

// The problems of the last presented frame (recorded with
// Automation_RecordDraws on), each a sentence naming `stop` first:
// "options: 'Controls' leaves its box 130 x 50 at (1010, 400) by 12 px".
// Empty when every text fits. Measures with the framework's font, so the
// framework must still be running; it leaves the text size changed.
std::vector<std::string> TextFitCheck_Frame(const char* stop);

// The same for a given list of draw calls in a window of `width` x `height`.
std::vector<std::string> TextFitCheck_Calls(const char* stop,
                                            const std::vector<AutomationDrawCall>& calls,
                                            float width, float height);

// The problems joined one to a line, for a test's failure message.
std::string TextFitCheck_Report(const std::vector<std::string>& problems);

// Saves the last presented frame as build/screenshots/text_fit_<stop>.png
// (spaces and signs as '_'), so a failed check can be looked at.
void TextFitCheck_SaveFrame(const char* stop);
