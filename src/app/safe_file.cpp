// Temporary-file-then-rename writing for every file the game saves (levels,
// score.vex, user.cfg), and the clean-up of temporaries a crash left behind.
#include "app/safe_file.h"

// Linux and Windows share the names and the order of the steps; the calls
// differ: on Windows the temporary file is created exclusively (_O_EXCL),
// flushed with _commit and moved over the target with MoveFileExW
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
#ifdef _WIN32
#define _CRT_RAND_S  // rand_s, from the system's random source
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdlib>

#include "platform/native.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

namespace {

int injectedCommitError = 0;
char forcedRandomPart[33] = "";

// Temporary files are named ".<target name>.<pid>-<random hex>.vexal-tmp":
// hidden, so the level chooser never lists them, and recognisable, so the
// clean-up can tell our leftovers from the player's own files.
const char kTempSuffix[] = ".vexal-tmp";
// Long target names are cut in the temporary name so it stays under the
// file system's 255-byte limit; the clean-up compares the cut name.
const size_t kTempTargetNameMax = 160;
const int kCreateAttempts = 8;
const int kMaxLinkHops = 40;  // as the kernel's own limit for path lookups
// A temporary file this old belongs to no running save, whatever its pid says
// (pids are reused).
const time_t kLeftoverAgeSeconds = 60 * 60;

bool CopyString(char* out, size_t outSize, const char* text, size_t length) {
    if (length + 1 > outSize) return false;
    std::memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

// The folder part of `path` ("." when there is none) and where its name starts.
bool SplitFolder(const char* path, char* folder, size_t folderSize, const char** name) {
    const char* slash = std::strrchr(path, '/');
    if (!slash) {
        *name = path;
        return CopyString(folder, folderSize, ".", 1);
    }
    *name = slash + 1;
    const size_t length = slash == path ? 1 : static_cast<size_t>(slash - path);
    return CopyString(folder, folderSize, path, length);
}

// Reads a temporary name back: the (cut) target name it was for and the pid
// of the game that made it. Anything else is not ours.
bool ParseTempName(const char* name, const char** target, size_t* targetLength, long* pid) {
    const size_t length = std::strlen(name);
    const size_t suffixLength = sizeof kTempSuffix - 1;
    if (length <= suffixLength + 1 || name[0] != '.') return false;
    if (std::strcmp(name + length - suffixLength, kTempSuffix) != 0) return false;
    const size_t stem = length - suffixLength;  // ".<target>.<pid>-<hex>"
    size_t dot = stem;
    while (dot > 1 && name[dot - 1] != '.') --dot;
    if (dot <= 2) return false;  // no '.' after a non-empty target name
    size_t at = dot;
    long value = 0;
    while (at < stem && name[at] >= '0' && name[at] <= '9' && at - dot < 10) {
        value = value * 10 + (name[at] - '0');
        ++at;
    }
    if (at == dot || value <= 0 || at >= stem || name[at] != '-') return false;
    const size_t hexStart = ++at;
    while (at < stem &&
           ((name[at] >= '0' && name[at] <= '9') || (name[at] >= 'a' && name[at] <= 'f'))) {
        ++at;
    }
    if (at != stem || at == hexStart || at - hexStart > 32) return false;
    *target = name + 1;
    *targetLength = dot - 2;
    *pid = value;
    return true;
}

#ifdef _WIN32
const int kWidePathSize = SAFE_FILE_PATH_SIZE + 64;

// Windows saves go to the named file itself; its links are not followed.
int ResolveLinks(const char* path, char* out, size_t outSize) {
    return CopyString(out, outSize, path, std::strlen(path)) ? 0 : ENAMETOOLONG;
}

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

void FillRandomHex(char* out, size_t digits) {
    static const char kHex[] = "0123456789abcdef";
    unsigned int word = 0;
    for (size_t i = 0; i < digits; ++i) {
        if (i % 8 == 0 && rand_s(&word) != 0) {
            // Guessable, but _O_EXCL still refuses anything planted at the name.
            word = static_cast<unsigned int>(GetTickCount64() * 2654435761ull) ^
                   static_cast<unsigned int>(ProcessId());
        }
        out[i] = kHex[word & 0xF];
        word >>= 4;
    }
    out[digits] = '\0';
}

bool GameIsRunning(long pid) {
    if (pid <= 0) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

bool Remove(const char* path) {
    wchar_t wide[kWidePathSize];
    return Native_WidePath(path, wide, kWidePathSize) && DeleteFileW(wide);
}

// Removes our leftovers in `folder`; with `targetName`, only those of that target.
int CleanFolder(const char* folder, const char* targetName) {
    char pattern[SAFE_FILE_PATH_SIZE + 8];
    const int written = std::snprintf(pattern, sizeof pattern, "%s/*", folder);
    if (written < 0 || static_cast<size_t>(written) >= sizeof pattern) return 0;
    wchar_t widePattern[kWidePathSize];
    if (!Native_WidePath(pattern, widePattern, kWidePathSize)) return 0;
    WIN32_FIND_DATAW found;
    HANDLE list = FindFirstFileW(widePattern, &found);
    if (list == INVALID_HANDLE_VALUE) return 0;
    size_t wantedLength = 0;
    if (targetName) {
        wantedLength = std::strlen(targetName);
        if (wantedLength > kTempTargetNameMax) wantedLength = kTempTargetNameMax;
    }
    FILETIME nowFile;
    GetSystemTimeAsFileTime(&nowFile);
    const unsigned long long now =
        (static_cast<unsigned long long>(nowFile.dwHighDateTime) << 32) | nowFile.dwLowDateTime;
    int removed = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char name[SAFE_FILE_PATH_SIZE];
        if (WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, name, sizeof name, nullptr,
                                nullptr) <= 0) {
            continue;
        }
        const char* target = nullptr;
        size_t targetLength = 0;
        long pid = 0;
        if (!ParseTempName(name, &target, &targetLength, &pid)) continue;
        if (targetName &&
            (targetLength != wantedLength || std::memcmp(target, targetName, wantedLength) != 0)) {
            continue;
        }
        const unsigned long long written =
            (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
            found.ftLastWriteTime.dwLowDateTime;
        const bool old = now > written && (now - written) / 10000000ull >
                                              static_cast<unsigned long long>(kLeftoverAgeSeconds);
        if (!old && GameIsRunning(pid)) continue;  // a save still in progress
        char path[SAFE_FILE_PATH_SIZE + 64];
        const int length = std::snprintf(path, sizeof path, "%s/%s", folder, name);
        if (length > 0 && static_cast<size_t>(length) < sizeof path && Remove(path)) ++removed;
    } while (FindNextFileW(list, &found));
    FindClose(list);
    return removed;
}

// Creates the file exclusively; the descriptor or -1 with `*error` set.
int CreateExclusive(const char* path, int /*mode*/, int* error) {
    wchar_t wide[kWidePathSize];
    if (!Native_WidePath(path, wide, kWidePathSize)) {
        *error = ENAMETOOLONG;
        return -1;
    }
    const int fd = _wopen(wide, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) *error = errno ? errno : EIO;
    return fd;
}

// What is at `path`: 0 and whether it is a folder or a regular file, or an errno value.
int Inspect(const char* path, bool* folder, bool* regular) {
    wchar_t wide[kWidePathSize];
    if (!Native_WidePath(path, wide, kWidePathSize)) return ENAMETOOLONG;
    struct _stat64 info;
    if (_wstat64(wide, &info) != 0) return errno ? errno : EIO;
    *folder = (info.st_mode & _S_IFDIR) != 0;
    *regular = (info.st_mode & _S_IFREG) != 0;
    return 0;
}

FILE* StreamOf(int fd) { return _fdopen(fd, "wb"); }
void CloseDescriptor(int fd) { _close(fd); }
#else
long ProcessId() { return static_cast<long>(getpid()); }

bool Remove(const char* path) { return unlink(path) == 0; }

// Follows `path` through symbolic links (absolute or relative to the link's
// own folder) to the file a save must replace, which may not exist yet.
int ResolveLinks(const char* path, char* out, size_t outSize) {
    if (!CopyString(out, outSize, path, std::strlen(path))) return ENAMETOOLONG;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info;
        if (lstat(out, &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        char link[SAFE_FILE_PATH_SIZE];
        const ssize_t length = readlink(out, link, sizeof link);
        if (length < 0) return errno;
        if (length == 0) return ENOENT;
        if (static_cast<size_t>(length) >= sizeof link) return ENAMETOOLONG;
        link[length] = '\0';
        if (link[0] == '/') {
            if (!CopyString(out, outSize, link, static_cast<size_t>(length))) return ENAMETOOLONG;
            continue;
        }
        const char* slash = std::strrchr(out, '/');
        const size_t keep = slash ? static_cast<size_t>(slash - out) + 1 : 0;
        if (keep + static_cast<size_t>(length) + 1 > outSize) return ENAMETOOLONG;
        std::memcpy(out + keep, link, static_cast<size_t>(length) + 1);
    }
    return ELOOP;
}

void FillRandomHex(char* out, size_t digits) {
    unsigned char bytes[16] = {0};
    const size_t count = (digits + 1) / 2 <= sizeof bytes ? (digits + 1) / 2 : sizeof bytes;
    bool filled = getrandom(bytes, count, GRND_NONBLOCK) == static_cast<ssize_t>(count);
    if (!filled) {
        const int urandom = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
        if (urandom >= 0) {
            filled = read(urandom, bytes, count) == static_cast<ssize_t>(count);
            close(urandom);
        }
    }
    if (!filled) {
        // Guessable, but O_EXCL still refuses anything planted at the name.
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        unsigned long mix = static_cast<unsigned long>(now.tv_nsec) * 2654435761ul ^
                            static_cast<unsigned long>(ProcessId());
        for (size_t i = 0; i < count; ++i, mix = mix * 6364136223846793005ul + 1) {
            bytes[i] = static_cast<unsigned char>(mix >> 33);
        }
    }
    static const char kHex[] = "0123456789abcdef";
    for (size_t i = 0; i < digits; ++i) {
        const unsigned char byte = bytes[i / 2];
        out[i] = kHex[i % 2 ? byte & 0xF : byte >> 4];
    }
    out[digits] = '\0';
}

bool GameIsRunning(long pid) {
    if (pid > INT_MAX) return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes our leftovers in the open folder; with `targetName`, only those of
// that target. Links are removed themselves, never followed.
int CleanFolder(int folderFd, const char* targetName) {
    const int listFd = dup(folderFd);
    if (listFd < 0) return 0;
    DIR* list = fdopendir(listFd);
    if (!list) {
        close(listFd);
        return 0;
    }
    size_t wantedLength = 0;
    if (targetName) {
        wantedLength = std::strlen(targetName);
        if (wantedLength > kTempTargetNameMax) wantedLength = kTempTargetNameMax;
    }
    const time_t now = std::time(nullptr);
    int removed = 0;
    while (const struct dirent* entry = readdir(list)) {
        const char* target = nullptr;
        size_t targetLength = 0;
        long pid = 0;
        if (!ParseTempName(entry->d_name, &target, &targetLength, &pid)) continue;
        if (targetName &&
            (targetLength != wantedLength || std::memcmp(target, targetName, wantedLength) != 0)) {
            continue;
        }
        struct stat info;
        if (fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) continue;
        // In a shared level folder, other players' files are theirs to clean.
        if (info.st_uid != geteuid()) continue;
        const bool old = now - info.st_mtime > kLeftoverAgeSeconds;
        if (!old && GameIsRunning(pid)) continue;  // a save still in progress
        if (unlinkat(folderFd, entry->d_name, 0) == 0) ++removed;
    }
    closedir(list);
    return removed;
}

int OpenFolder(const char* folder) { return open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

// Makes the rename itself survive a power cut. By then the new file is in
// place, so a failure here cannot be reported as "old file intact"; file
// systems that cannot sync a folder say EINVAL.
void SyncFolder(const char* path) {
    char folder[SAFE_FILE_PATH_SIZE];
    const char* name = nullptr;
    if (!SplitFolder(path, folder, sizeof folder, &name)) return;
    const int folderFd = OpenFolder(folder);
    if (folderFd < 0) return;
    fsync(folderFd);
    close(folderFd);
}

int CreateExclusive(const char* path, int mode, int* error) {
    const int fd =
        open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0) *error = errno;
    return fd;
}

#endif

// Creates the temporary file exclusively, never through a link, trying a few
// random names. Returns the descriptor, or -1 with `*error` set.
int CreateTempFile(SafeFile* file, const char* folder, const char* name, int mode, int* error) {
    const size_t nameLength = std::strlen(name);
    const int cutLength =
        static_cast<int>(nameLength > kTempTargetNameMax ? kTempTargetNameMax : nameLength);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        char random[33];
        if (attempt == 0 && forcedRandomPart[0]) {
            std::memcpy(random, forcedRandomPart, sizeof random);
            forcedRandomPart[0] = '\0';
        } else {
            FillRandomHex(random, 16);
        }
        const int written =
            std::snprintf(file->tempPath, sizeof file->tempPath, "%s/.%.*s.%ld-%s%s", folder,
                          cutLength, name, ProcessId(), random, kTempSuffix);
        if (written < 0 || static_cast<size_t>(written) >= sizeof file->tempPath) {
            *error = ENAMETOOLONG;
            break;
        }
        const int fd = CreateExclusive(file->tempPath, mode, error);
        if (fd >= 0) return fd;
        if (*error != EEXIST) break;
    }
    file->tempPath[0] = '\0';
    return -1;
}

}  // namespace

void SafeFile_FailNextCommitForTests(int errorNumber) { injectedCommitError = errorNumber; }

void SafeFile_SetTempNameForTests(const char* randomPart) {
    const size_t length = std::strlen(randomPart);
    const size_t kept = length < sizeof forcedRandomPart ? length : sizeof forcedRandomPart - 1;
    CopyString(forcedRandomPart, sizeof forcedRandomPart, randomPart, kept);
}

#ifdef _WIN32
int SafeFile_CleanLeftovers(const char* folder) { return CleanFolder(folder, nullptr); }

int File_MoveOver(const char* from, const char* to) {
    wchar_t wideFrom[kWidePathSize];
    wchar_t wideTo[kWidePathSize];
    if (!Native_WidePath(from, wideFrom, kWidePathSize) ||
        !Native_WidePath(to, wideTo, kWidePathSize)) {
        return ENAMETOOLONG;
    }
    if (MoveFileExW(wideFrom, wideTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return ENOENT;
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? EACCES : EIO;
}

int SafeFile_Open(SafeFile* file, const char* path) {
    file->stream = nullptr;
    file->tempPath[0] = '\0';
    file->finalPath[0] = '\0';
    const int resolveError = ResolveLinks(path, file->finalPath, sizeof file->finalPath);
    if (resolveError) return resolveError;
    bool isFolder = false, regular = false;
    const int inspectError = Inspect(file->finalPath, &isFolder, &regular);
    const bool replacing = inspectError == 0;
    if (!replacing && inspectError != ENOENT) return inspectError;
    if (replacing && isFolder) return EISDIR;
    if (replacing && !regular) return EINVAL;

    char folder[SAFE_FILE_PATH_SIZE];
    const char* name = nullptr;
    if (!SplitFolder(file->finalPath, folder, sizeof folder, &name)) return ENAMETOOLONG;
    if (name[0] == '\0') return EISDIR;
    CleanFolder(folder, name);

    int error = 0;
    const int fd = CreateTempFile(file, folder, name, 0, &error);
    if (fd < 0) return error;
    file->stream = StreamOf(fd);
    if (!file->stream) {
        error = errno ? errno : EIO;
        CloseDescriptor(fd);
        Remove(file->tempPath);
        file->tempPath[0] = '\0';
        return error;
    }
    return 0;
}

int SafeFile_Commit(SafeFile* file) {
    if (!file->stream) return EBADF;
    int error = 0;
    errno = 0;
    if (std::fflush(file->stream) != 0 || std::ferror(file->stream)) error = errno ? errno : EIO;
    if (!error && _commit(_fileno(file->stream)) != 0) error = errno ? errno : EIO;
    if (std::fclose(file->stream) != 0 && !error) error = errno ? errno : EIO;
    file->stream = nullptr;
    if (!error && injectedCommitError) {
        error = injectedCommitError;
        injectedCommitError = 0;
    }
    wchar_t temp[kWidePathSize];
    wchar_t target[kWidePathSize];
    if (!error && (!Native_WidePath(file->tempPath, temp, kWidePathSize) ||
                   !Native_WidePath(file->finalPath, target, kWidePathSize))) {
        error = ENAMETOOLONG;
    }
    // Write-through: the move is on the disk when it returns, as the
    // folder's fsync makes it on Linux.
    if (!error && !MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        error = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? EACCES
                : code == ERROR_DISK_FULL                                      ? ENOSPC
                                                                               : EIO;
        // A folder that took the file's place meanwhile refuses the move as
        // "access denied"; the player is told what is there instead.
        const DWORD attributes = GetFileAttributesW(target);
        if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            error = EISDIR;
        }
    }
    if (error) Remove(file->tempPath);
    file->tempPath[0] = '\0';
    return error;
}
#else
int File_MoveOver(const char* from, const char* to) {
    return std::rename(from, to) == 0 ? 0 : errno;
}

int SafeFile_CleanLeftovers(const char* folder) {
    const int folderFd = OpenFolder(folder);
    if (folderFd < 0) return 0;
    const int removed = CleanFolder(folderFd, nullptr);
    close(folderFd);
    return removed;
}

int SafeFile_Open(SafeFile* file, const char* path) {
    file->stream = nullptr;
    file->tempPath[0] = '\0';
    file->finalPath[0] = '\0';
    const int resolveError = ResolveLinks(path, file->finalPath, sizeof file->finalPath);
    if (resolveError) return resolveError;

    // Replacing a file keeps its permission bits (not set-id bits); a new file
    // gets 0666 less the umask, as fopen gives. The temporary file starts
    // private so nobody reads a half-written copy of a private file.
    struct stat old;
    const bool replacing = lstat(file->finalPath, &old) == 0;
    if (!replacing && errno != ENOENT) return errno;
    if (replacing && S_ISDIR(old.st_mode)) return EISDIR;
    if (replacing && !S_ISREG(old.st_mode)) return EINVAL;

    char folder[SAFE_FILE_PATH_SIZE];
    const char* name = nullptr;
    if (!SplitFolder(file->finalPath, folder, sizeof folder, &name)) return ENAMETOOLONG;
    if (name[0] == '\0') return EISDIR;
    const int folderFd = OpenFolder(folder);
    if (folderFd >= 0) {
        CleanFolder(folderFd, name);
        close(folderFd);
    }

    int error = 0;
    const int fd = CreateTempFile(file, folder, name, replacing ? 0600 : 0666, &error);
    if (fd < 0) return error;
    // Where a file system cannot change modes the file stays private: safe.
    if (replacing) fchmod(fd, old.st_mode & 0777);
    file->stream = fdopen(fd, "w");
    if (!file->stream) {
        error = errno ? errno : EIO;
        close(fd);
        Remove(file->tempPath);
        file->tempPath[0] = '\0';
        return error;
    }
    return 0;
}

int SafeFile_Commit(SafeFile* file) {
    if (!file->stream) return EBADF;
    int error = 0;
    errno = 0;
    if (std::fflush(file->stream) != 0 || std::ferror(file->stream)) error = errno ? errno : EIO;
    if (!error && fsync(fileno(file->stream)) != 0 && errno != EINVAL) error = errno;
    struct stat written {};
    if (!error && fstat(fileno(file->stream), &written) != 0) error = errno;
    if (std::fclose(file->stream) != 0 && !error) error = errno ? errno : EIO;
    file->stream = nullptr;
    if (!error && injectedCommitError) {
        error = injectedCommitError;
        injectedCommitError = 0;
    }
    // In a folder others can write to, the temporary file could have been
    // swapped for theirs since we closed it; only our own file may become
    // the target.
    struct stat current {};
    if (!error && lstat(file->tempPath, &current) != 0) error = errno;
    if (!error && (current.st_dev != written.st_dev || current.st_ino != written.st_ino)) {
        error = ESTALE;
    }
    if (!error && rename(file->tempPath, file->finalPath) != 0) error = errno ? errno : EIO;
    if (error) {
        Remove(file->tempPath);
    } else {
        SyncFolder(file->finalPath);
    }
    file->tempPath[0] = '\0';
    return error;
}

#endif

// Either system: the temporary file goes, and the file it would have
// replaced stays as it was.
void SafeFile_Abandon(SafeFile* file) {
    if (file->stream) std::fclose(file->stream);
    file->stream = nullptr;
    if (file->tempPath[0]) Remove(file->tempPath);
    file->tempPath[0] = '\0';
}

int WriteFileSafely(const char* path, const char* data, size_t size) {
    SafeFile file;
    int error = SafeFile_Open(&file, path);
    if (error) return error;
    errno = 0;
    if (size > 0 && std::fwrite(data, 1, size, file.stream) != size) {
        error = errno ? errno : EIO;
        SafeFile_Abandon(&file);
        return error;
    }
    return SafeFile_Commit(&file);
}
