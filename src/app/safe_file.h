// Writing a file so that a crash or a full disk never leaves it half-written:
// the bytes go to a temporary file beside the target, which replaces the
// target only when every byte and the close succeeded.
#pragma once

#include <cstddef>
#include <cstdio>

// Returns 0 on success, otherwise an errno value; the old file is then intact.
int WriteFileSafely(const char* path, const char* data, size_t size);

// The same for writers that print line by line: open a temporary stream,
// print into it, then commit (rename over the target) or abandon it.
struct SafeFile {
    FILE* stream;
    char tempPath[300];
    char finalPath[280];
};

int SafeFile_Open(SafeFile* file, const char* path);  // 0 or errno
int SafeFile_Commit(SafeFile* file);                  // 0 or errno; always closes
void SafeFile_Abandon(SafeFile* file);

// Tests use this to make the next commit fail as a full disk would.
void SafeFile_FailNextCommitForTests(int errorNumber);
