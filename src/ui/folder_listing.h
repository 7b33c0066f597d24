// What the file chooser shows of a folder: its sub-folders and level files,
// sorted, and the path arithmetic for moving between folders.
#pragma once

#include <cstddef>

enum {
    FOLDER_PATH_SIZE = 4096,  // folders may be deeper than a level path may be long
    FOLDER_NAME_SIZE = 256,
    FOLDER_MAX_ENTRIES = 1000
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
    FolderEntry* entries;           // FOLDER_MAX_ENTRIES slots
    int count;
    bool truncated;  // the folder held more than fits
};

bool FolderListing_Create(FolderListing* listing);
void FolderListing_Free(FolderListing* listing);
// Lists `folder` (a ".." entry first when it has a parent, then folders, then
// ".vexl" files in any letter case, each group by name; hidden entries are
// left out). Returns false and leaves the listing as it was when the folder
// cannot be opened.
bool FolderListing_Read(FolderListing* listing, const char* folder);

// Whether the name ends in ".vexl", in any letter case.
bool IsLevelFileName(const char* name);
// The parent of a folder path ending in '/'; false for the root or a path
// without one.
bool Folder_Parent(const char* folder, char* out, size_t outSize);
// The last component of a folder path ending in '/' ("levels" of "/a/levels/").
const char* Folder_LastName(const char* folder, size_t* length);
