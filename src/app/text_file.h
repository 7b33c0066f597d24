// Reading the text files a player can hand the game (levels, user.cfg,
// score.vex, replays): bounded lines, a bounded file size, and every failure
// as an error number, so a strange file is refused instead of read forever.
#pragma once

#include <cstddef>
#include <cstdint>

// Errors of our own, beside the system's errno values. Every reader returns
// one of these or an errno value; FileError_Text turns either into words.
enum FileError {
    FILE_ERROR_NO_MEMORY = -1,      // the tables the file is read into
    FILE_ERROR_NOT_A_FILE = 10001,  // a FIFO, a device or a socket
    FILE_ERROR_TOO_LARGE = 10002,   // far larger than this kind of file can be
    FILE_ERROR_UTF16 = 10003,       // saved as UTF-16 text instead of UTF-8
};

// The words for an error number: ours, or the system's text for errno values.
const char* FileError_Text(int error);

enum { TEXT_FILE_BUFFER = 4096 };

struct TextFile {
    int fd;
    uint64_t limit;     // bytes the file may hold
    uint64_t consumed;  // bytes taken from the file so far
    int error;          // 0, or why reading stopped early
    bool atStart;       // nothing read yet: a byte-order mark may follow
    bool ended;         // the end of the file was reached
    bool lastWasCR;     // the previous line ended in '\r' ('\n' next is its partner)
    size_t bufferUsed;
    size_t bufferNext;
    unsigned char buffer[TEXT_FILE_BUFFER];
};

// Opens `path` for reading. Never blocks (a FIFO is refused, not waited on),
// refuses what is not a regular file (EISDIR for a folder,
// FILE_ERROR_NOT_A_FILE otherwise) and a file of more than `maxBytes`
// (FILE_ERROR_TOO_LARGE), and a UTF-16 file (FILE_ERROR_UTF16). Returns 0, or
// the error; on error nothing is left open.
int TextFile_Open(TextFile* file, const char* path, uint64_t maxBytes);

// The next line, without its end ("\n", "\r\n" or a lone "\r"); a UTF-8
// byte-order mark at the start of the file is skipped. `buffer` holds `size`
// bytes and always ends in a zero; `*length` counts the bytes of the line that
// were kept, NUL bytes included, so a NUL inside a line cannot hide its
// length. A line longer than size - 1 bytes is cut: `*cut` is set and the rest
// of it is skipped. Returns false at the end of the file or when reading
// failed or went past the size limit; TextFile_Close then tells which.
bool TextFile_ReadLine(TextFile* file, char* buffer, size_t size, size_t* length, bool* cut);

// Closes the file. Returns 0 when every line was read, otherwise the error
// that stopped the reading.
int TextFile_Close(TextFile* file);

// Whether anything exists at `path` (a file, a folder, a FIFO; a link counts
// as what it points at), decided by the file system, not by whether the file
// can be opened. Returns 0 when something is there, ENOENT when nothing is,
// or the error that keeps us from knowing (EACCES on the folder, say).
int File_Exists(const char* path);
