// Temporary-file-then-rename writing for every file the game saves.
#include "app/safe_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
int injectedCommitError = 0;
}

void SafeFile_FailNextCommitForTests(int errorNumber) { injectedCommitError = errorNumber; }

int SafeFile_Open(SafeFile* file, const char* path) {
    file->stream = nullptr;
    file->tempPath[0] = '\0';
    file->finalPath[0] = '\0';
    const size_t length = std::strlen(path);
    if (length + 1 > sizeof file->finalPath) return ENAMETOOLONG;
    std::memcpy(file->finalPath, path, length + 1);
    const int written = std::snprintf(file->tempPath, sizeof file->tempPath, "%s.tmp%ld", path,
                                      static_cast<long>(getpid()));
    if (written < 0 || static_cast<size_t>(written) >= sizeof file->tempPath) return ENAMETOOLONG;
    errno = 0;
    file->stream = std::fopen(file->tempPath, "w");
    if (!file->stream) return errno ? errno : EIO;
    return 0;
}

void SafeFile_Abandon(SafeFile* file) {
    if (file->stream) std::fclose(file->stream);
    file->stream = nullptr;
    if (file->tempPath[0]) std::remove(file->tempPath);
}

int SafeFile_Commit(SafeFile* file) {
    if (!file->stream) return EBADF;
    int error = 0;
    if (std::fflush(file->stream) != 0 || std::ferror(file->stream)) error = errno ? errno : EIO;
    if (!error && fsync(fileno(file->stream)) != 0 && errno != EINVAL) error = errno;
    if (std::fclose(file->stream) != 0 && !error) error = errno ? errno : EIO;
    file->stream = nullptr;
    if (!error && injectedCommitError) {
        error = injectedCommitError;
        injectedCommitError = 0;
    }
    if (!error && std::rename(file->tempPath, file->finalPath) != 0) error = errno ? errno : EIO;
    if (error) std::remove(file->tempPath);
    return error;
}

int WriteFileSafely(const char* path, const char* data, size_t size) {
    SafeFile file;
    int error = SafeFile_Open(&file, path);
    if (error) return error;
    if (size > 0 && std::fwrite(data, 1, size, file.stream) != size) {
        error = errno ? errno : EIO;
        SafeFile_Abandon(&file);
        return error;
    }
    return SafeFile_Commit(&file);
}
