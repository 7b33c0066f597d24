// Writing a file so that a crash or a full disk never leaves it half-written:
// the bytes go to a hidden temporary file beside the target, which replaces the
// target only when every byte and the close succeeded.
#pragma once

#include <cstddef>
#include <cstdio>

// Returns 0 on success, otherwise an errno value; the old file is then intact.
// A target that is a symbolic link (or a chain of them) keeps the link: the
// file it points at is replaced, keeping that file's permission bits.
int WriteFileSafely(const char* path, const char* data, size_t size);

enum { SAFE_FILE_PATH_SIZE = 1024 };

// The same for writers that print line by line: open a temporary stream,
// print into it, then commit (rename over the target) or abandon it.
struct SafeFile {
    FILE* stream;
    char tempPath[SAFE_FILE_PATH_SIZE + 64];
    char finalPath[SAFE_FILE_PATH_SIZE];  // the target once links are followed
};

int SafeFile_Open(SafeFile* file, const char* path);  // 0 or errno
int SafeFile_Commit(SafeFile* file);                  // 0 or errno; always closes
void SafeFile_Abandon(SafeFile* file);

// Renames `from` to `to`, replacing a file already there (as POSIX's rename
// does; Windows' own rename refuses). Paths are UTF-8. 0 or an errno value.
int File_MoveOver(const char* from, const char* to);

// Removes the temporary files a crashed save left in `folder`: only our own
// hidden "*.vexal-tmp" files, owned by this user, whose game is no longer
// running (or that are over an hour old). Returns how many were removed.
int SafeFile_CleanLeftovers(const char* folder);

// Tests use this to make the next commit fail as a full disk would.
void SafeFile_FailNextCommitForTests(int errorNumber);
// Tests use this to fix the random part (lowercase hex, up to 32 digits) of
// the next temporary name tried, so they can plant something there first.
// Only the first try uses it; retries draw fresh random names.
void SafeFile_SetTempNameForTests(const char* randomPart);
