// Replays saved inputs through a fuzz target without libFuzzer, so every
// ordinary build and its ctest run check the seeds and past crashes again.
//
//   level_roundtrip_replay tests/fuzz/corpus/level_roundtrip tests/fuzz/regressions/level_roundtrip
//
// Each argument is a folder (read recursively, files in name order, hidden
// files such as .gitkeep skipped) or a single file. Arguments starting with
// '-' are libFuzzer options and are ignored, so a fuzzer's command line works
// here too. A missing folder or file is an error: a mistyped path must not
// quietly replay nothing.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Optional in a target; weak, so it is null where a target leaves it out.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Every regular file under `folder`, in name order at each level.
bool CollectFiles(const std::string& folder, std::vector<std::string>* files) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        if (IsFolder(path)) {
            if (!CollectFiles(path, files)) return false;
        } else if (IsFile(path)) {
            files->push_back(path);
        }
    }
    return true;
}

// The input in a heap block of exactly its size, as libFuzzer hands it over,
// so AddressSanitizer catches a target reading one byte past the end.
bool RunOne(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::string contents;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return false;
    std::unique_ptr<uint8_t[]> data(new uint8_t[contents.size()]);
    std::memcpy(data.get(), contents.data(), contents.size());
    LLVMFuzzerTestOneInput(data.get(), contents.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::string> inputs;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        if (path.empty() || path[0] == '-') continue;
        if (IsFolder(path)) {
            if (!CollectFiles(path, &inputs)) {
                std::fprintf(stderr, "%s: cannot read folder %s\n", argv[0], path.c_str());
                status = 1;
            }
        } else if (IsFile(path)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "%s: no such folder or file: %s\n", argv[0], path.c_str());
            status = 1;
        }
    }
    int ran = 0;
    for (const std::string& input : inputs) {
        // Named before it runs: a crash leaves the culprit as the last line.
        std::fprintf(stderr, "input %s\n", input.c_str());
        if (!RunOne(input)) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.c_str());
            status = 1;
            continue;
        }
        ++ran;
    }
    std::printf("%s: %d inputs ran\n", argv[0], ran);
    return status;
}
