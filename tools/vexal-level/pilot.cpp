// vexal-level pilot: flies a level along waypoints with a simple autopilot and
// writes what it pressed as a replay, so authors can prove a route beatable
// and then polish the replay by hand.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/automation.h"
#include "play/replay_run.h"
#include "tool.h"

namespace {

const char* const kUsage =
    "pilot LEVEL [--out REPLAY] [--frames N] [--thrust-only] WAYPOINT...\n"
    "  WAYPOINT is x,y[,speed[,radius]]: fly there at about `speed` units per frame\n"
    "  (default 6) and take the next one within `radius` units (default 80)";

const int kThrustKey = TS_KEY_SPACE;  // the replay's scheme 2: ArrowSpace
const int kLeftKey = TS_KEY_LEFT;
const int kRightKey = TS_KEY_RIGHT;
const int kSkipKey = TS_KEY_X;

struct Waypoint {
    float x, y, speed, radius;
};

struct Pilot {
    std::vector<Waypoint> route;
    size_t next = 0;
    bool thrustOnly = false;
    bool held[TS_KEY_COUNT] = {};
    std::vector<ReplayEvent> events;
};

void Press(Pilot* pilot, int key, bool down, int32_t frame) {
    if (pilot->held[key] == down) return;
    pilot->held[key] = down;
    if (down) Automation_KeyDown(key);
    else Automation_KeyUp(key);
    pilot->events.push_back(ReplayEvent{frame, key, static_cast<uint8_t>(down ? 1 : 0)});
}

float WrapDegrees(float degrees) {
    degrees = std::fmod(degrees, 360.0f);
    if (degrees > 180.0f) degrees -= 360.0f;
    if (degrees < -180.0f) degrees += 360.0f;
    return degrees;
}

// Decides the keys for the next frame from where the ship is now.
void Steer(const ReplayState* state, void* context) {
    Pilot* pilot = static_cast<Pilot*>(context);
    const int32_t frame = state->frames;  // keys pressed now act in this frame
    if (pilot->held[kSkipKey]) Press(pilot, kSkipKey, false, frame);
    if (state->phase == 0) {
        Press(pilot, kSkipKey, true, frame);
        return;
    }
    if (state->phase != 1 || pilot->route.empty()) {
        Press(pilot, kThrustKey, false, frame);
        Press(pilot, kLeftKey, false, frame);
        Press(pilot, kRightKey, false, frame);
        return;
    }
    while (pilot->next + 1 < pilot->route.size()) {
        const Waypoint& w = pilot->route[pilot->next];
        const float dx = w.x - state->position.x, dy = w.y - state->position.y;
        if (dx * dx + dy * dy > w.radius * w.radius) break;
        ++pilot->next;
    }
    const Waypoint& target = pilot->route[pilot->next];
    const float dx = target.x - state->position.x, dy = target.y - state->position.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    float wantX = 0.0f, wantY = 0.0f;
    if (distance > 1e-3f) {
        wantX = dx / distance * target.speed;
        wantY = dy / distance * target.speed;
    }
    const float steerX = wantX - state->velocity.x, steerY = wantY - state->velocity.y;
    const float need = std::sqrt(steerX * steerX + steerY * steerY);
    // Rotation 0 thrusts along +y; rotation grows clockwise.
    const float heading = std::atan2(steerX, steerY) * 180.0f / TS_PI_F;
    const float off = WrapDegrees(heading - state->rotation);
    const bool turning = !pilot->thrustOnly && need > 0.25f;
    Press(pilot, kRightKey, turning && off > 2.5f, frame);
    Press(pilot, kLeftKey, turning && off < -2.5f, frame);
    const bool aligned = pilot->thrustOnly || std::fabs(off) < 12.0f;
    Press(pilot, kThrustKey, aligned && need > 0.25f && state->fuel > 0.0f, frame);
}

bool ParseWaypoint(const char* text, Waypoint* out) {
    float values[4] = {0.0f, 0.0f, 6.0f, 80.0f};
    const char* p = text;
    for (int i = 0; i < 4 && *p; ++i) {
        char* end = nullptr;
        values[i] = std::strtof(p, &end);
        if (end == p || !std::isfinite(values[i])) return false;
        p = end;
        if (*p == ',') ++p;
        else if (*p) return false;
    }
    *out = Waypoint{values[0], values[1], values[2], values[3]};
    return true;
}

bool WriteReplay(const char* path, const Pilot& pilot) {
    FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fputs("# vexal replay 1\nscheme 2\n", out);
    for (const ReplayEvent& event : pilot.events) {
        std::fprintf(out, "%d %s %d\n", event.frame, event.down ? "down" : "up", event.key);
    }
    return std::fclose(out) == 0;
}

}  // namespace

int Pilot_Run(int argc, char** argv) {
    const char* levelPath = nullptr;
    const char* outPath = nullptr;
    long frames = REPLAY_DEFAULT_FRAMES;
    Pilot pilot;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out")) {
            if (++i >= argc) return Tool_UsageError("--out needs a file", kUsage);
            outPath = argv[i];
        } else if (!std::strcmp(argv[i], "--frames")) {
            if (++i >= argc) return Tool_UsageError("--frames needs a number", kUsage);
            char* end = nullptr;
            errno = 0;
            frames = std::strtol(argv[i], &end, 10);
            if (errno || *end || frames < 0 || frames > REPLAY_MAX_FRAME) {
                return Tool_UsageError("--frames needs a whole number", kUsage);
            }
        } else if (!std::strcmp(argv[i], "--thrust-only")) {
            pilot.thrustOnly = true;
        } else if (!levelPath) {
            levelPath = argv[i];
        } else {
            Waypoint waypoint;
            if (!ParseWaypoint(argv[i], &waypoint)) {
                return Tool_UsageError("a waypoint is x,y[,speed[,radius]]", kUsage);
            }
            pilot.route.push_back(waypoint);
        }
    }
    if (!levelPath) return Tool_UsageError("which level?", kUsage);

    Automation_Start();
    ReplayState state;
    const int error =
        Replay_Run(levelPath, nullptr, static_cast<int32_t>(frames), Steer, &pilot, &state);
    Automation_Stop();
    if (error != 0) {
        Tool_ReportFileError("read", levelPath, error);
        return EXIT_PROBLEM;
    }
    // Close the replay with every key let go.
    for (int key = 0; key < TS_KEY_COUNT; ++key) {
        if (pilot.held[key]) pilot.events.push_back(ReplayEvent{state.frames, key, 0});
    }
    if (outPath && !WriteReplay(outPath, pilot)) {
        Tool_ReportFileError("write", outPath, errno ? errno : EIO);
        return EXIT_PROBLEM;
    }
    std::printf(
        "{\"frames\": %d, \"phase\": %d, \"levelComplete\": %s, \"stranded\": %s, "
        "\"levelTime\": %.3f, \"fuel\": %.2f, \"levelScore\": %d, \"waypointsReached\": %zu}\n",
        state.frames, state.phase, state.levelComplete ? "true" : "false",
        state.stranded ? "true" : "false", state.levelTime, state.fuel, state.levelScore,
        pilot.next);
    return state.levelComplete ? EXIT_OK : EXIT_PROBLEM;
}
