// vexal-level run: flies a level headlessly, optionally under a replay, and
// prints where the World ended up as JSON (and, with --trace, every frame).
// The replay may be one the game saved (a best run in its records): one that
// names the flight hash of another level is refused, as the game refuses it.
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "level/level.h"
#include "platform/automation.h"
#include "play/replay_run.h"
#include "tool.h"

namespace {

const char* const kUsage = "run LEVEL [--replay FILE] [--frames N] [--trace]";

void WriteVector(FILE* out, TS_Vec2 v) {
    std::fputc('[', out);
    Json_WriteNumber(out, v.x);
    std::fputs(", ", out);
    Json_WriteNumber(out, v.y);
    std::fputc(']', out);
}

void WriteState(const ReplayState* state, void* context) {
    FILE* out = static_cast<FILE*>(context);
    std::fprintf(out, "{\"frames\": %d, \"phase\": %d, \"levelComplete\": %s, \"stranded\": %s, ",
                 state->frames, state->phase, state->levelComplete ? "true" : "false",
                 state->stranded ? "true" : "false");
    std::fputs("\"levelTime\": ", out);
    Json_WriteNumber(out, state->levelTime);
    std::fputs(", \"fuel\": ", out);
    Json_WriteNumber(out, state->fuel);
    std::fprintf(out, ", \"levelScore\": %d, \"position\": ", state->levelScore);
    WriteVector(out, state->position);
    std::fputs(", \"velocity\": ", out);
    WriteVector(out, state->velocity);
    std::fputs(", \"rotation\": ", out);
    Json_WriteNumber(out, state->rotation);
    std::fputs("}\n", out);
}

// Whether the replay may fly this level: a replay that names a level's flight
// hash flies only that level. Reports why not on stderr.
bool FitsLevel(const Replay& replay, const char* replayPath, const char* levelPath) {
    if (!replay.hasLevelHash) return true;
    Level level;
    const int error = ReadLevelFile(levelPath, &level, false);
    const uint64_t hash = error == 0 ? Level_FlightHash(&level) : 0;
    FreeLevel(&level);
    if (error != 0) {
        Tool_ReportFileError("read", levelPath, error);
        return false;
    }
    if (Replay_FitsLevel(&replay, hash)) return true;
    std::fprintf(stderr,
                 "vexal-level: %s was flown on another level than %s (its hash %016llx, the "
                 "level's %016llx): the level has changed since, and the run would not fly the "
                 "same\n",
                 replayPath, levelPath, static_cast<unsigned long long>(replay.levelHash),
                 static_cast<unsigned long long>(hash));
    return false;
}

}  // namespace

int Run_Run(int argc, char** argv) {
    const char* levelPath = nullptr;
    const char* replayPath = nullptr;
    long frames = REPLAY_DEFAULT_FRAMES;
    bool trace = false;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--replay")) {
            if (++i >= argc) return Tool_UsageError("--replay needs a file", kUsage);
            replayPath = argv[i];
        } else if (!std::strcmp(argv[i], "--frames")) {
            if (++i >= argc) return Tool_UsageError("--frames needs a number", kUsage);
            char* end = nullptr;
            errno = 0;
            frames = std::strtol(argv[i], &end, 10);
            if (errno || !*argv[i] || *end || frames < 0 || frames > REPLAY_MAX_FRAME) {
                return Tool_UsageError("--frames needs a whole number from 0 to 100000000", kUsage);
            }
        } else if (!std::strcmp(argv[i], "--trace")) {
            trace = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return Tool_UsageError("unknown option", kUsage);
        } else if (!levelPath) {
            levelPath = argv[i];
        } else {
            return Tool_UsageError("only one level file, please", kUsage);
        }
    }
    if (!levelPath) return Tool_UsageError("which level?", kUsage);

    Replay replay;
    InitReplay(&replay);
    if (replayPath) {
        const int error = ReadReplayFile(replayPath, &replay);
        if (error != 0) {
            Tool_ReportFileError("read", replayPath, error);
            return EXIT_PROBLEM;
        }
        if (replay.badLines) {
            std::fprintf(stderr, "vexal-level: %s: %u line(s) ignored; first at line %u: %s\n",
                         replayPath, replay.badLines, replay.firstBadLine, replay.firstBadReason);
        }
        if (!FitsLevel(replay, replayPath, levelPath)) {
            FreeReplay(&replay);
            return EXIT_PROBLEM;
        }
    }

    Automation_Start();
    ReplayState state;
    const int error =
        Replay_Run(levelPath, replayPath ? &replay : nullptr, static_cast<int32_t>(frames),
                   trace ? WriteState : nullptr, stdout, &state);
    FreeReplay(&replay);
    if (error != 0) {
        Automation_Stop();
        Tool_ReportFileError("read", levelPath, error);
        return EXIT_PROBLEM;
    }
    WriteState(&state, stdout);
    std::fflush(stdout);
    Automation_Stop();
    return EXIT_OK;
}
