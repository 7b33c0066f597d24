// What the file chooser shows of a folder: its sub-folders and level files,
// in natural name order, and the path arithmetic for moving between folders.
#pragma once

#include <cstddef>

enum {
    FOLDER_PATH_SIZE = 4096,  // folders may be deeper than a level path may be long
    FOLDER_NAME_SIZE = 256,
    // Far beyond any real folder of levels; past it the chooser keeps the
    // entries that come first by name and says that some are missing.
    FOLDER_MAX_ENTRIES = 100000
};

struct FolderEntry {
    char name[FOLDER_NAME_SIZE];
    bool isFolder;
    bool isParent;      // the ".." entry that leads up
    int shownBytes;     // how much of the name fits its row (with an ellipsis)
    float fittedWidth;  // the row width shownBytes was measured for
};

struct FolderListing {
    char folder[FOLDER_PATH_SIZE];  // always ends with '/'
    FolderEntry* entries;           // grows as a folder is read
    int count;
    int capacity;     // slots in entries
    int limit;        // most entries kept (FOLDER_MAX_ENTRIES)
    bool truncated;   // the folder held more than could be kept
    bool unreadable;  // the folder could not be read: only ".." is listed
};

bool FolderListing_Create(FolderListing* listing);
void FolderListing_Free(FolderListing* listing);
// Lists `folder`: a ".." entry first when it has a parent, then folders, then
// ".vexl" files in any letter case, each group in natural name order; hidden
// entries are left out. A folder that cannot be read (no permission, gone,
// not a folder, out of memory) still becomes the listing, with only its ".."
// entry and `unreadable` set, so the player can see why and go up. Returns
// true when the folder's entries were read; false with the listing untouched
// when `folder` is empty or too long, otherwise false with `unreadable` set.
bool FolderListing_Read(FolderListing* listing, const char* folder);

// Natural name order: runs of digits compare by their value ("level_2"
// before "level_10"), other characters ignoring letter case; names equal in
// that sense are ordered by their bytes, so no two names tie.
int FolderName_Compare(const char* a, const char* b);

// Whether the name ends in ".vexl", in any letter case.
bool IsLevelFileName(const char* name);
// The parent of a folder path ending in '/'; false for the root or a path
// without one.
bool Folder_Parent(const char* folder, char* out, size_t outSize);
// The last component of a folder path ending in '/' ("levels" of "/a/levels/").
const char* Folder_LastName(const char* folder, size_t* length);
