// The text-fits checker: where each drawn text lies, measured with the font,
// against the window, the box it is drawn on and the boxes drawn after it.
#include "support/text_fit_check.h"

#include "support/headless.h"

#include <cmath>
#include <cstdio>

namespace {

// How far a text may reach past an edge before it counts: text positions are
// rounded to whole pixels when drawn.
const float kTolerance = 1.0f;
// A text on a box keeps this far inside it: a label touching its button's
// outline reads as leaving it.
const float kBoxMargin = 2.0f;
// Rects thinner than this are lines (a caret, a grid line, a scroll bar's
// track), not boxes a text could be drawn on or hidden under.
const float kThinnest = 4.0f;

struct Area {
    float left, top, right, bottom;
};

float Width(const Area& a) { return a.right - a.left; }
float Height(const Area& a) { return a.bottom - a.top; }

bool Contains(const Area& a, float x, float y) {
    return x >= a.left && x <= a.right && y >= a.top && y <= a.bottom;
}

// How deep two areas overlap: the smaller of the overlaps along each axis
// (0 or less when they do not meet).
float Overlap(const Area& a, const Area& b) {
    const float across = std::fmin(a.right, b.right) - std::fmax(a.left, b.left);
    const float down = std::fmin(a.bottom, b.bottom) - std::fmax(a.top, b.top);
    return std::fmin(across, down);
}

// How far `inner` reaches past `outer` on its worst side, and which side.
float Excess(const Area& inner, const Area& outer, const char** side) {
    const float past[4] = {outer.left - inner.left, inner.right - outer.right,
                           outer.top - inner.top, inner.bottom - outer.bottom};
    const char* const names[4] = {"left", "right", "top", "bottom"};
    float worst = past[0];
    *side = names[0];
    for (int i = 1; i < 4; ++i) {
        if (past[i] > worst) {
            worst = past[i];
            *side = names[i];
        }
    }
    return worst;
}

Area RectArea(const AutomationDrawCall& call) {
    float left = call.x, top = call.y;
    if (call.mode == TS_MODE_CENTER) {
        left -= call.w * 0.5f;
        top -= call.h * 0.5f;
    }
    return Area{std::fmin(left, left + call.w), std::fmin(top, top + call.h),
                std::fmax(left, left + call.w), std::fmax(top, top + call.h)};
}

// A box is an upright rect filled with an opaque colour: what a text can be
// drawn on, and what hides a text drawn before it.
bool IsBox(const AutomationDrawCall& call) {
    if (call.kind != DRAW_RECT || !call.filled || call.fill.a != 255) return false;
    if (call.rotation != 0.0f) return false;
    const Area area = RectArea(call);
    return Width(area) >= kThinnest && Height(area) >= kThinnest;
}

// A translucent rect over the whole window dims what is drawn so far: what
// comes after (a popup, a pause menu) is a new layer on top, free to cover
// the layer below. An opaque picture over the whole window (the help page
// opened over the pause menu) hides it altogether: a new layer too.
bool StartsLayer(const AutomationDrawCall& call, float width, float height) {
    if (call.kind == DRAW_CLEAR) return true;
    const bool dim =
        call.kind == DRAW_RECT && call.filled && call.fill.a != 255 && call.fill.a != 0;
    const bool cover = call.kind == DRAW_IMAGE && call.alpha == 255 && call.rotation == 0.0f;
    if (!dim && !cover) return false;
    const Area area = RectArea(call);
    return area.left <= 0.0f && area.top <= 0.0f && area.right >= width && area.bottom >= height;
}

// What the eye reads as a line's height, as a share of its size: the font's
// capitals and digits (its descenders and line spacing reach further, but a
// number filling a gauge's bar reads as inside it).
const float kLetterHeight = 0.75f;

// Where a text's line lies: as wide as the font measures it at the recorded
// size, as tall as its letters, placed by its recorded alignment (the
// framework centres the whole line, so the letters sit about its middle).
Area TextArea(const AutomationDrawCall& call) {
    TS_Settings_TextSize(call.textSize);
    const float w = TS_Font_TextWidth(call.text.c_str());
    const float h = call.textSize * kLetterHeight;
    float left = call.x;
    if (call.alignH == TS_ALIGN_CENTER) left -= w * 0.5f;
    else if (call.alignH == TS_ALIGN_RIGHT) left -= w;
    float top = call.y;
    if (call.alignV == TS_ALIGN_MIDDLE) top -= h * 0.5f;
    else if (call.alignV == TS_ALIGN_BOTTOM) top -= h;
    return Area{left, top, left + w, top + h};
}

std::string Describe(const Area& a) {
    char text[96];
    std::snprintf(text, sizeof text, "%.0f x %.0f at (%.0f, %.0f)", Width(a), Height(a), a.left,
                  a.top);
    return text;
}

std::string Problem(const char* stop, const std::string& text, const std::string& what) {
    return std::string(stop) + ": '" + text + "' " + what;
}

std::string Pixels(float amount) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f px", std::ceil(amount));
    return text;
}

struct Placed {
    size_t call;  // index in the record
    Area area;
    int box;  // index of the box it is drawn on, -1 for none (the window)
};

}  // namespace

std::vector<std::string> TextFitCheck_Calls(const char* stop,
                                            const std::vector<AutomationDrawCall>& calls,
                                            float width, float height) {
    std::vector<std::string> problems;
    const Area window = {0.0f, 0.0f, width, height};
    size_t layerStart = 0;
    std::vector<Placed> texts;
    for (size_t i = 0; i < calls.size(); ++i) {
        const AutomationDrawCall& call = calls[i];
        if (StartsLayer(call, width, height)) {
            layerStart = i + 1;
            texts.clear();  // the dimmed texts below are free to be covered
        }
        if (call.kind != DRAW_TEXT || call.text.empty() || !call.filled || call.fill.a == 0) {
            continue;
        }
        Placed placed = {i, TextArea(call), -1};
        if (Width(placed.area) <= 0.0f) continue;  // nothing the font could draw
        const char* side = "";

        // Every text lies within the window.
        const float outside = Excess(placed.area, window, &side);
        if (outside > kTolerance) {
            problems.push_back(Problem(
                stop, call.text, "leaves the window by " + Pixels(outside) + " (" + side + ")"));
        }

        // A text drawn on a box (the last box of its layer drawn before it
        // under its anchor point) lies inside it, a little in from its edges.
        for (size_t b = i; b-- > layerStart;) {
            if (IsBox(calls[b]) && Contains(RectArea(calls[b]), call.x, call.y)) {
                placed.box = static_cast<int>(b);
                break;
            }
        }
        if (placed.box >= 0) {
            Area inner = RectArea(calls[static_cast<size_t>(placed.box)]);
            inner = {inner.left + kBoxMargin, inner.top + kBoxMargin, inner.right - kBoxMargin,
                     inner.bottom - kBoxMargin};
            const float past = Excess(placed.area, inner, &side);
            if (past > kTolerance) {
                problems.push_back(Problem(
                    stop, call.text,
                    "leaves its box " + Describe(RectArea(calls[static_cast<size_t>(placed.box)])) +
                        " by " + Pixels(past) + " (" + side + ")"));
            }
        }

        // Other boxes of its layer that it reaches into: one drawn before it
        // that it is not drawn on (the path over a button beside the title),
        // or one drawn after it that hides part of it.
        for (size_t b = layerStart; b < calls.size(); ++b) {
            if (b == i) continue;
            if (b > i && StartsLayer(calls[b], width, height)) break;
            if (!IsBox(calls[b])) continue;
            const Area area = RectArea(calls[b]);
            if (b < i && Contains(area, call.x, call.y)) continue;  // a box it is drawn on
            const float depth = Overlap(placed.area, area);
            if (depth <= kTolerance) continue;
            problems.push_back(Problem(stop, call.text,
                                       (b < i ? "reaches over the box " : "runs under the box ") +
                                           Describe(area) + " by " + Pixels(depth)));
        }

        // Texts drawn on the same box (or straight on the window) keep apart.
        for (const Placed& other : texts) {
            if (other.box != placed.box) continue;
            const AutomationDrawCall& before = calls[other.call];
            if (before.text == call.text && std::fabs(before.x - call.x) < 4.0f &&
                std::fabs(before.y - call.y) < 4.0f) {
                continue;  // the same text twice: a shadow under its letters
            }
            const float depth = Overlap(placed.area, other.area);
            if (depth > kTolerance) {
                problems.push_back(
                    Problem(stop, call.text, "overlaps '" + before.text + "' by " + Pixels(depth)));
            }
        }
        texts.push_back(placed);
    }
    return problems;
}

std::vector<std::string> TextFitCheck_Frame(const char* stop) {
    return TextFitCheck_Calls(stop, Automation_DrawCalls(),
                              static_cast<float>(TS_System_GetWindowWidth()),
                              static_cast<float>(TS_System_GetWindowHeight()));
}

std::string TextFitCheck_Report(const std::vector<std::string>& problems) {
    std::string report;
    for (const std::string& problem : problems) report += problem + "\n";
    return report;
}

void TextFitCheck_SaveFrame(const char* stop) {
    std::string name = "text_fit_";
    for (const char* c = stop; *c; ++c) {
        const bool plain =
            (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
        name += plain ? *c : '_';
    }
    Automation_SaveFrame(ScreenshotPath(name + ".png").c_str());
}
