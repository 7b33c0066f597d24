// The POSIX calls the tests make to lay out files and folders, also on
// Windows, where the Windows build's tests run; and the one way a test says
// it checks something Windows does not have.
#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

// A new folder named by `pattern` with its trailing XXXXXX made unique.
inline char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = length - 6; i < length; ++i) pattern[i] = kLetters[random() % 36];
        if (_mkdir(pattern) == 0) return pattern;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// Windows folders have no mode bits to set.
inline int mkdir(const char* path, int /*mode*/) { return _mkdir(path); }

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name)) return 0;
    return _putenv_s(name, value);
}

// Windows drops a variable set to nothing.
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }

// pclose answers the program's exit code itself.
#define WIFEXITED(status) ((status) != -1)
#define WEXITSTATUS(status) (status)

// Windows has no links: a path is always the file itself.
inline int lstat(const char* path, struct stat* info) { return stat(path, info); }

inline int ftruncate(int file, long long size) { return _chsize_s(file, size) == 0 ? 0 : -1; }

inline int truncate(const char* path, long long size) {
    const int file = _open(path, _O_WRONLY | _O_BINARY);
    if (file < 0) return -1;
    const int result = ftruncate(file, size);
    _close(file);
    return result;
}

// Tests that need these skip on Windows; were one to run, it fails here.
inline int symlink(const char*, const char*) {
    errno = ENOSYS;
    return -1;
}
inline int mkfifo(const char*, int) {
    errno = ENOSYS;
    return -1;
}

#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << "not on Windows: " << why
#else
#include <sys/stat.h>
#include <unistd.h>

#define SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif

// Removes a test's folder with everything in it; leftovers in the temporary
// folder are harmless, so a failure is not the test's.
#ifdef _WIN32
inline void TestFolder_Remove(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(folder), ignored);
}
#else
inline void TestFolder_Remove(const std::string& folder) {
    if (std::system(("rm -rf '" + folder + "'").c_str()) != 0) {
    }
}
#endif

// The reasons, shared by the tests they skip.
#define WINDOWS_NO_PERMISSION_BITS "files have no POSIX permission bits to take away"
#define WINDOWS_NO_DEVICE_FILES \
    "there is no /dev/zero, no FIFO and no symbolic link an ordinary user may make"
#define WINDOWS_NO_FORK "a test cannot fork a copy of itself"
