// Bounded reading of player-controlled text files, one line at a time.
#include "app/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>

#include "platform/native.h"
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

namespace {

#ifdef _WIN32
long ReadSome(int fd, unsigned char* buffer, size_t size) {
    return _read(fd, buffer, static_cast<unsigned>(size));
}
void CloseFile(int fd) { _close(fd); }

// Opens `path` if it is a regular file of at most `maxBytes`: 0 and `*fd`, or
// an error number. (Windows has no FIFOs to block on.)
int OpenRegularFile(const char* path, uint64_t maxBytes, int* fd) {
    wchar_t wide[4096];
    if (!Native_WidePath(path, wide, sizeof wide / sizeof wide[0])) return ENAMETOOLONG;
    *fd = _wopen(wide, _O_RDONLY | _O_BINARY);
    if (*fd < 0) {
        const int error = errno ? errno : EIO;
        // Windows will not open a folder at all and says "access denied";
        // the player is told what is really there, as elsewhere.
        struct _stat64 info;
        if (error == EACCES && _wstat64(wide, &info) == 0 && (info.st_mode & _S_IFDIR)) {
            return EISDIR;
        }
        return error;
    }
    struct _stat64 info;
    int error = 0;
    if (_fstat64(*fd, &info) != 0) {
        error = errno ? errno : EIO;
    } else if (info.st_mode & _S_IFDIR) {
        error = EISDIR;
    } else if (!(info.st_mode & _S_IFREG)) {
        error = FILE_ERROR_NOT_A_FILE;
    } else if (static_cast<uint64_t>(info.st_size) > maxBytes) {
        error = FILE_ERROR_TOO_LARGE;
    }
    if (error) {
        _close(*fd);
        *fd = -1;
    }
    return error;
}

int StatPath(const char* path) {
    wchar_t wide[4096];
    if (!Native_WidePath(path, wide, sizeof wide / sizeof wide[0])) return ENAMETOOLONG;
    struct _stat64 info;
    if (_wstat64(wide, &info) == 0) return 0;
    return errno ? errno : EIO;
}
#else
long ReadSome(int fd, unsigned char* buffer, size_t size) { return read(fd, buffer, size); }
void CloseFile(int fd) { close(fd); }

// Opens `path` if it is a regular file of at most `maxBytes`: 0 and `*fd`, or
// an error number.
int OpenRegularFile(const char* path, uint64_t maxBytes, int* fd) {
    // Non-blocking, so that opening a FIFO returns at once; the type check
    // below then refuses it.
    do {
        *fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (*fd < 0 && errno == EINTR);
    if (*fd < 0) return errno ? errno : EIO;

    struct stat info;
    int error = 0;
    if (fstat(*fd, &info) != 0) {
        error = errno ? errno : EIO;
    } else if (S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(info.st_mode)) {
        error = FILE_ERROR_NOT_A_FILE;
    } else if (static_cast<uint64_t>(info.st_size) > maxBytes) {
        error = FILE_ERROR_TOO_LARGE;
    } else {
        const int flags = fcntl(*fd, F_GETFL);
        if (flags == -1 || fcntl(*fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
            error = errno ? errno : EIO;
    }
    if (error) {
        close(*fd);
        *fd = -1;
    }
    return error;
}

int StatPath(const char* path) {
    struct stat info;
    if (stat(path, &info) == 0) return 0;
    return errno ? errno : EIO;
}
#endif

// Refills the buffer; false at the end of the file or on an error.
bool Fill(TextFile* file) {
    if (file->ended || file->error) return false;
    for (;;) {
        const long got = ReadSome(file->fd, file->buffer, sizeof file->buffer);
        if (got > 0) {
            file->bufferUsed = static_cast<size_t>(got);
            file->bufferNext = 0;
            return true;
        }
        if (got == 0) {
            file->ended = true;
            return false;
        }
        if (errno == EINTR) continue;
        file->error = errno ? errno : EIO;
        return false;
    }
}

// The next byte of the file, or -1 at its end, on an error or past the limit.
int NextByte(TextFile* file) {
    if (file->bufferNext == file->bufferUsed && !Fill(file)) return -1;
    if (file->consumed >= file->limit) {
        // The file grew past its size while we read it (or was never what
        // fstat said): stop rather than read on.
        file->error = FILE_ERROR_TOO_LARGE;
        return -1;
    }
    ++file->consumed;
    return file->buffer[file->bufferNext++];
}

// A file of UTF-16 text starts with its byte-order mark, or with an ASCII
// character and a zero byte (or the other way round, big-endian).
bool LooksLikeUtf16(const unsigned char* start, size_t length) {
    if (length < 2) return false;
    if ((start[0] == 0xFF && start[1] == 0xFE) || (start[0] == 0xFE && start[1] == 0xFF)) {
        return true;
    }
    return (start[0] != 0 && start[1] == 0) || (start[0] == 0 && start[1] != 0);
}

}  // namespace

const char* FileError_Text(int error) {
    switch (error) {
        case 0: return "No error";
        case FILE_ERROR_NO_MEMORY: return "Not enough memory to read the file";
        case FILE_ERROR_NOT_A_FILE: return "Not a regular file";
        case FILE_ERROR_TOO_LARGE: return "The file is far too large to be read";
        case FILE_ERROR_UTF16:
            return "The file is saved as UTF-16 text; save it as UTF-8 (or plain text) instead";
        default: return std::strerror(error);
    }
}

int TextFile_Open(TextFile* file, const char* path, uint64_t maxBytes) {
    file->fd = -1;
    file->limit = maxBytes;
    file->consumed = 0;
    file->error = 0;
    file->atStart = true;
    file->ended = false;
    file->lastWasCR = false;
    file->bufferUsed = 0;
    file->bufferNext = 0;

    int fd = -1;
    const int error = OpenRegularFile(path, maxBytes, &fd);
    if (error) return error;
    file->fd = fd;

    if (Fill(file) && LooksLikeUtf16(file->buffer, file->bufferUsed)) {
        TextFile_Close(file);
        return FILE_ERROR_UTF16;
    }
    if (file->error) {
        const int readError = file->error;
        TextFile_Close(file);
        return readError;
    }
    return 0;
}

bool TextFile_ReadLine(TextFile* file, char* buffer, size_t size, size_t* length, bool* cut) {
    *length = 0;
    *cut = false;
    if (size > 0) buffer[0] = '\0';
    if (file->fd < 0) return false;

    if (file->atStart) {
        file->atStart = false;
        static const unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};
        if (file->bufferUsed >= 3 && std::memcmp(file->buffer, kBom, 3) == 0) {
            file->bufferNext = 3;
            file->consumed = 3;
        }
    }

    int c = NextByte(file);
    // "\r\n" is one line end: the '\n' that follows a '\r' ends nothing more.
    if (file->lastWasCR && c == '\n') c = NextByte(file);
    file->lastWasCR = false;
    if (c < 0) return false;

    size_t kept = 0;
    while (c >= 0 && c != '\n' && c != '\r') {
        if (kept + 1 < size) {
            buffer[kept++] = static_cast<char>(c);
        } else {
            *cut = true;
        }
        c = NextByte(file);
    }
    if (c == '\r') file->lastWasCR = true;
    if (size > 0) buffer[kept] = '\0';
    *length = kept;
    // A line that ran into a read error or the size limit is not a line.
    return file->error == 0;
}

int TextFile_Close(TextFile* file) {
    if (file->fd >= 0) CloseFile(file->fd);
    file->fd = -1;
    return file->error;
}

int File_Exists(const char* path) { return StatPath(path); }
