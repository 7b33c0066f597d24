// vexal_bench: what a frame of each screen costs, and the other figures of
// the game's speed, measured headless on SDL's software renderer. Prints one
// table; exits non-zero when any run was unsound (a drawing call failed, a
// screen was not what it should be).
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench.h"
#include "support/malloc_counter.h"

namespace {

const char* const kUsage =
    "usage: vexal_bench [options]\n"
    "  --figure=NAME   screens, level-size, entry, idle, first-frame (repeatable;\n"
    "                  default: all of them)\n"
    "  --only=TEXT     only rows whose name contains TEXT\n"
    "  --frames=N      measured frames per run (3000)\n"
    "  --warmup=N      frames run before measuring (120)\n"
    "  --budget=S      a run stops early after S seconds of frame CPU, its\n"
    "                  warm-up after a quarter of that (30)\n"
    "  --size=WxH      window size (repeatable; default 1280x720 and 1920x1080)\n"
    "  --repeats=N     fresh starts for the entry figure (5)\n"
    "  --launches=N    game launches for the first-frame figure (10)\n"
    "  --idle=S        seconds of idle main menu measured (4)\n"
    "  --shots=DIR     save each screen's last measured frame there (PNG)\n"
    "  --tsv           tab-separated rows for scripts\n";

bool Value(const char* arg, const char* name, std::string* value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0 || arg[length] != '=') return false;
    *value = arg + length + 1;
    return true;
}

bool ParseOptions(int argc, char** argv, BenchOptions* options) {
    bool sizeGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (std::strcmp(argv[i], "--tsv") == 0) options->tsv = true;
        else if (Value(argv[i], "--figure", &value)) options->figures.push_back(value);
        else if (Value(argv[i], "--only", &value)) options->only = value;
        else if (Value(argv[i], "--shots", &value)) options->shots = value;
        else if (Value(argv[i], "--frames", &value)) options->frames = std::atoi(value.c_str());
        else if (Value(argv[i], "--warmup", &value)) options->warmup = std::atoi(value.c_str());
        else if (Value(argv[i], "--budget", &value))
            options->budgetSeconds = std::atof(value.c_str());
        else if (Value(argv[i], "--repeats", &value))
            options->entryRepeats = std::atoi(value.c_str());
        else if (Value(argv[i], "--launches", &value)) options->launches = std::atoi(value.c_str());
        else if (Value(argv[i], "--idle", &value)) options->idleSeconds = std::atof(value.c_str());
        else if (Value(argv[i], "--size", &value)) {
            BenchSize size = {0, 0};
            if (std::sscanf(value.c_str(), "%dx%d", &size.width, &size.height) != 2 ||
                size.width < 1 || size.height < 1) {
                return false;
            }
            if (!sizeGiven) options->sizes.clear();
            sizeGiven = true;
            options->sizes.push_back(size);
        } else {
            return false;
        }
    }
    return options->frames > 0 && options->warmup >= 0 && options->entryRepeats > 0 &&
           options->launches > 0;
}

bool Wanted(const BenchOptions& options, const char* figure) {
    if (options.figures.empty()) return true;
    for (const std::string& name : options.figures) {
        if (name == figure) return true;
    }
    return false;
}

// The bench runs where it was built: the game, the probe and the Assets
// folder are beside it.
std::string OwnFolder(void) {
    char path[PATH_MAX] = {0};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    std::string folder(path, static_cast<size_t>(length));
    return folder.substr(0, folder.rfind('/'));
}

}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* const known[] = {"screens", "level-size", "entry", "idle", "first-frame"};
    for (const std::string& name : options.figures) {
        bool found = false;
        for (const char* figure : known) found = found || name == figure;
        if (!found) {
            std::fprintf(stderr, "vexal_bench: no figure called %s\n%s", name.c_str(), kUsage);
            return 2;
        }
    }
    if (!options.shots.empty() && options.shots[0] != '/') {
        char here[PATH_MAX] = {0};
        if (getcwd(here, sizeof here)) options.shots = std::string(here) + "/" + options.shots;
    }
    options.folder = OwnFolder();
    if (chdir(options.folder.c_str()) != 0) {
        std::fprintf(stderr, "vexal_bench: cannot enter %s\n", options.folder.c_str());
        return 2;
    }
    // Saves and settings go to a folder of the bench's own.
    char pattern[] = "/tmp/vexal-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    setenv("XDG_DATA_HOME", pattern, 1);
    if (!options.tsv) {
        std::printf("%-34s %9s %9s %-3s %12s %8s\n", "figure", "p50", "p99", "", "allocs/frame",
                    "samples");
    }
    if (!MallocCounter_Available()) std::fputs("vexal_bench: allocations not counted\n", stderr);

    bool sound = true;
    if (Wanted(options, "screens")) sound = Bench_Screens(options) && sound;
    if (Wanted(options, "level-size")) sound = Bench_LevelSize(options) && sound;
    if (Wanted(options, "entry")) sound = Bench_Entry(options) && sound;
    if (Wanted(options, "first-frame")) sound = Bench_FirstFrame(options) && sound;
    if (Wanted(options, "idle")) sound = Bench_Idle(options) && sound;

    if (std::system((std::string("rm -rf '") + pattern + "'").c_str()) != 0) {
        // Leftovers in /tmp are harmless.
    }
    if (!sound) std::fputs("vexal_bench: some runs FAILED (see above)\n", stderr);
    return sound ? 0 : 1;
}
