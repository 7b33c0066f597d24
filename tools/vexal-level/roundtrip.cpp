// vexal-level roundtrip: reads a level file and writes it back out, as the
// editor does when it opens and saves a level.
#include "level/level.h"
#include "tool.h"

int Roundtrip_Run(int argc, char** argv) {
    if (argc != 2)
        return Tool_UsageError("roundtrip needs an input and an output file", "roundtrip IN OUT");
    Level level;
    int result = ReadLevelFile(argv[0], &level, false);
    if (result != 0) {
        Tool_ReportFileError("read", argv[0], result);
        FreeLevel(&level);
        return EXIT_PROBLEM;
    }
    result = WriteLevelFile(argv[1], &level);
    FreeLevel(&level);
    if (result != 0) {
        Tool_ReportFileError("write", argv[1], result);
        return EXIT_PROBLEM;
    }
    return EXIT_OK;
}
