// Test fixtures for level files: a scratch folder that cleans up after
// itself, and small helpers to write and read whole files.
#pragma once

#include <dirent.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/config.h"
#include "level/level.h"
#include "support/portable.h"

// A fresh folder under /tmp, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/vexal-level-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "";
    }
    ~ScratchFolder() {
        for (const std::string& name : Files()) std::remove(File(name).c_str());
        rmdir(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    // Names of the files in the folder (no "." and "..").
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        DIR* folder = opendir(path_.c_str());
        if (!folder) return names;
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(folder);
        return names;
    }

private:
    std::string path_;
};

inline void WriteWholeFile(const std::string& path, const std::string& contents) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);
}

inline std::string ReadWholeFile(const std::string& path) {
    std::string contents;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return contents;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    std::fclose(file);
    return contents;
}

// The level file that the level format's own example shows, as the writer
// produces it.
inline const char* WorkedExampleLevel() {
    return "/0\n"
           ".30.000000\n"
           "%150.000000\n"
           "^90.000000\n"
           "A,200.000000,150.000000,0.000000,50.000000,50.000000\n"
           "F,-120.000000,80.000000,0.000000,50.000000,50.000000\n"
           "W,0.000000,300.000000,45.000000,400.000000,40.000000\n"
           "E,600.000000,-40.000000,0.000000,50.000000,50.000000\n"
           "T,0.000000,-120.000000,0.000000,280.000000,20.000000,Fly to the $TRIGHT_KEY$ side\n";
}

// A Level read from a few lines of text, released at the end of the test;
// the player's control scheme is put back as it was.
class LevelFileTest : public ::testing::Test {
protected:
    LevelFileTest() : savedScheme_(userConfig.controlScheme) { InitLevel(&level); }
    ~LevelFileTest() override {
        FreeLevel(&level);
        userConfig.controlScheme = savedScheme_;
    }

    int Read(const std::string& contents, bool substituteKeys = false) {
        const std::string path = folder.File("level.vexl");
        WriteWholeFile(path, contents);
        FreeLevel(&level);
        return ReadLevelFile(path.c_str(), &level, substituteKeys);
    }

    // The number of filled slots of a table.
    template <typename Entry>
    static int Filled(Entry** table, uint64_t capacity) {
        int count = 0;
        for (uint64_t i = 0; table && i < capacity; ++i) count += table[i] ? 1 : 0;
        return count;
    }
    int ObjectCount() const { return Filled(level.objects, level.objectCapacity); }
    int TextCount() const { return Filled(level.texts, level.textCapacity); }

    ScratchFolder folder;
    Level level;

private:
    int savedScheme_;
};
