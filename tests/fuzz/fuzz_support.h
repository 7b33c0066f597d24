// What the fuzz targets share: one scratch folder per run (in memory where
// possible, since every save syncs to disk), and whole-file writing and
// reading for the inputs they hand to the game's readers.
#pragma once

#include <ftw.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz_support {

inline std::string& ScratchRoot() {
    static std::string root;
    return root;
}

inline int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    std::remove(path);
    return 0;
}

}  // namespace fuzz_support

// A folder of this run's own, removed with everything in it when the run ends.
inline const std::string& Fuzz_ScratchFolder() {
    std::string& root = fuzz_support::ScratchRoot();
    if (root.empty()) {
        char pattern[] = "/dev/shm/vexal-fuzz-XXXXXX";
        char fallback[] = "/tmp/vexal-fuzz-XXXXXX";
        const char* made = access("/dev/shm", W_OK) == 0 ? mkdtemp(pattern) : nullptr;
        if (!made) made = mkdtemp(fallback);
        if (!made) std::abort();
        root = made;
        std::atexit([] {
            nftw(fuzz_support::ScratchRoot().c_str(), fuzz_support::RemoveEntry, 16,
                 FTW_DEPTH | FTW_PHYS);
        });
    }
    return root;
}

// Writes the input as a whole file; a scratch folder that cannot take it
// ends the run, as nothing after it would mean anything.
inline void Fuzz_WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    const bool whole = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !whole) std::abort();
}

// The whole file, or "" when there is none.
inline std::string Fuzz_ReadFile(const std::string& path) {
    std::string contents;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return contents;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    std::fclose(file);
    return contents;
}

// The lines of a text file as the game's reader sees them, written plainly as
// a reference: a UTF-8 byte-order mark dropped, split at "\r\n", "\n" or a
// lone "\r", the last line kept even without an end.
inline std::vector<std::string> Fuzz_SplitLines(const std::string& file) {
    std::vector<std::string> lines;
    size_t at = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at < file.size()) {
        size_t end = at;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r') ++end;
        lines.push_back(file.substr(at, end - at));
        if (end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n') ++end;
        at = end + 1;
    }
    return lines;
}
