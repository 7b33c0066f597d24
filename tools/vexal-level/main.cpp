// vexal-level entry: picks the subcommand named by the first argument.
#include <cstring>

#include "app/text_file.h"
#include "tool.h"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

const Subcommand subcommands[] = {
    {"info", Info_Run, "info [--scheme N] FILE   the level as JSON (keys of scheme N)"},
    {"roundtrip", Roundtrip_Run, "roundtrip IN OUT         read IN and write it to OUT"},
    {"lint", Lint_Run, "lint FILE                what the reader would quietly skip or repair"},
    {"run", Run_Run,
     "run LEVEL [--replay FILE] [--frames N] [--trace]   fly it headless, JSON out"},
    {"pilot", Pilot_Run,
     "pilot LEVEL [--out REPLAY] WAYPOINT...   autopilot a route, write its replay"},
};

int PrintUsage(FILE* out) {
    std::fprintf(out, "usage: vexal-level SUBCOMMAND ...\n");
    for (const Subcommand& subcommand : subcommands) std::fprintf(out, "  %s\n", subcommand.usage);
    return out == stdout ? EXIT_OK : EXIT_USAGE;
}

}  // namespace

void Tool_ReportFileError(const char* action, const char* path, int error) {
    std::fprintf(stderr, "vexal-level: cannot %s %s: %s\n", action, path, FileError_Text(error));
}

int Tool_UsageError(const char* message, const char* usage) {
    std::fprintf(stderr, "vexal-level: %s\nusage: vexal-level %s\n", message, usage);
    return EXIT_USAGE;
}

int main(int argc, char** argv) {
    if (argc < 2) return PrintUsage(stderr);
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help")) return PrintUsage(stdout);
    for (const Subcommand& subcommand : subcommands) {
        if (!std::strcmp(argv[1], subcommand.name)) return subcommand.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "vexal-level: unknown subcommand '%s'\n", argv[1]);
    return PrintUsage(stderr);
}
