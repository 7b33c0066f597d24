// Reading a folder for the file chooser: sub-folders and level files only,
// folders first, each group in natural name order.
#include "ui/folder_listing.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

const int kFirstCapacity = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Folded(char c) { return std::tolower(static_cast<unsigned char>(c)); }

// Compares the digit runs that start at *a and *b by their value, whatever
// their length or leading zeros, and moves both past their run.
int CompareNumbers(const char** a, const char** b) {
    const char* x = *a;
    const char* y = *b;
    while (*x == '0') ++x;
    while (*y == '0') ++y;
    const char* xEnd = x;
    const char* yEnd = y;
    while (IsDigit(*xEnd)) ++xEnd;
    while (IsDigit(*yEnd)) ++yEnd;
    *a = xEnd;
    *b = yEnd;
    // Without leading zeros, the longer number is the larger.
    if (xEnd - x != yEnd - y) return xEnd - x < yEnd - y ? -1 : 1;
    for (; x < xEnd; ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

// Natural order ignoring letter case: equal for "Level_01" and "level_1".
int CompareFolded(const char* a, const char* b) {
    while (*a || *b) {
        if (IsDigit(*a) && IsDigit(*b)) {
            const int numbers = CompareNumbers(&a, &b);
            if (numbers != 0) return numbers;
            continue;
        }
        const int ca = Folded(*a);
        const int cb = Folded(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        ++a;
        ++b;
    }
    return 0;
}

// The listing's order: ".." first, then folders, then files.
bool EntryBefore(const FolderEntry& a, const FolderEntry& b) {
    if (a.isParent != b.isParent) return a.isParent;
    if (a.isFolder != b.isFolder) return a.isFolder;
    return FolderName_Compare(a.name, b.name) < 0;
}

void SetEntry(FolderEntry* entry, const char* name, bool isFolder, bool isParent) {
    std::strncpy(entry->name, name, FOLDER_NAME_SIZE - 1);
    entry->name[FOLDER_NAME_SIZE - 1] = '\0';
    entry->isFolder = isFolder;
    entry->isParent = isParent;
    entry->shownBytes = -1;
    entry->fittedWidth = -1.0f;
}

bool Grow(FolderListing* listing) {
    if (listing->capacity >= listing->limit) return false;
    int wanted = listing->capacity > 0 ? listing->capacity * 2 : kFirstCapacity;
    if (wanted > listing->limit) wanted = listing->limit;
    void* grown = std::realloc(listing->entries, static_cast<size_t>(wanted) * sizeof(FolderEntry));
    if (!grown) return false;
    listing->entries = static_cast<FolderEntry*>(grown);
    listing->capacity = wanted;
    return true;
}

// Adds an entry while the table has room or can grow. Once it cannot (the
// limit, or no memory), the table keeps the entries that come first in the
// listing's order, as a heap whose top is the last of them: what goes missing
// is the end of the list, never whatever the folder happened to give last.
void AddEntry(FolderListing* listing, const FolderEntry& entry, bool* heaped) {
    const int room = std::min(listing->capacity, listing->limit);
    if (!*heaped && (listing->count < room || (listing->count == room && Grow(listing)))) {
        listing->entries[listing->count++] = entry;
        return;
    }
    listing->truncated = true;
    if (listing->count == 0) return;
    FolderEntry* first = listing->entries;
    FolderEntry* end = first + listing->count;
    if (!*heaped) {
        std::make_heap(first, end, EntryBefore);
        *heaped = true;
    }
    if (!EntryBefore(entry, *first)) return;
    std::pop_heap(first, end, EntryBefore);
    end[-1] = entry;
    std::push_heap(first, end, EntryBefore);
}

// Reads the entries of listing->folder; false when the folder cannot be read
// to the end. Nothing thrown while reading gets past here.
bool ReadEntries(FolderListing* listing, bool* heaped) {
    namespace fs = std::filesystem;
    try {
        std::error_code error;
        // The game's paths are UTF-8; u8path and u8string convert them where
        // the system's own are not (UTF-16 on Windows).
        fs::directory_iterator it(fs::u8path(listing->folder), error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            const std::string name = it->path().filename().u8string();
            const char* text = name.c_str();
            if (text[0] == '\0' || text[0] == '.' || std::strlen(text) >= FOLDER_NAME_SIZE) {
                continue;
            }
            std::error_code statusError;
            const fs::file_status status = it->status(statusError);  // follows links
            if (statusError) continue;
            const bool isFolder = fs::is_directory(status);
            if (!isFolder && !(fs::is_regular_file(status) && IsLevelFileName(text))) continue;
            FolderEntry entry;
            SetEntry(&entry, text, isFolder, false);
            AddEntry(listing, entry, heaped);
        }
        return !error;
    } catch (...) {
        return false;
    }
}

}  // namespace

int FolderName_Compare(const char* a, const char* b) {
    const int folded = CompareFolded(a, b);
    if (folded != 0) return folded;
    const int bytes = std::strcmp(a, b);
    return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

bool FolderListing_Create(FolderListing* listing) {
    listing->folder[0] = '\0';
    listing->entries = nullptr;
    listing->count = 0;
    listing->capacity = 0;
    listing->limit = FOLDER_MAX_ENTRIES;
    listing->truncated = false;
    listing->unreadable = false;
    return Grow(listing);
}

void FolderListing_Free(FolderListing* listing) {
    std::free(listing->entries);
    listing->entries = nullptr;
    listing->count = 0;
    listing->capacity = 0;
}

bool IsLevelFileName(const char* name) {
    const size_t length = std::strlen(name);
    if (length < 5) return false;
    const char* extension = name + length - 5;
    for (int i = 0; i < 5; ++i) {
        if (Folded(extension[i]) != ".vexl"[i]) return false;
    }
    return true;
}

bool Folder_Parent(const char* folder, char* out, size_t outSize) {
    size_t length = std::strlen(folder);
    if (length < 2 || folder[length - 1] != '/') return false;
    // Drop the trailing '/', then everything after the previous one.
    size_t cut = length - 1;
    while (cut > 0 && folder[cut - 1] != '/') --cut;
    if (cut == 0) return false;
    const char* last = folder + cut;
    const size_t lastLength = length - 1 - cut;
    // "./" and "../" lead nowhere sensible by cutting; go one level further up.
    if ((lastLength == 1 && last[0] == '.') ||
        (lastLength == 2 && last[0] == '.' && last[1] == '.')) {
        return false;
    }
    if (cut + 1 > outSize) return false;
    std::memcpy(out, folder, cut);
    out[cut] = '\0';
    return true;
}

const char* Folder_LastName(const char* folder, size_t* length) {
    size_t end = std::strlen(folder);
    if (end > 0 && folder[end - 1] == '/') --end;
    size_t start = end;
    while (start > 0 && folder[start - 1] != '/') --start;
    *length = end - start;
    return folder + start;
}

bool FolderListing_Read(FolderListing* listing, const char* folder) {
    const size_t folderLength = std::strlen(folder);
    if (folderLength == 0 || folderLength >= FOLDER_PATH_SIZE) return false;
    std::memcpy(listing->folder, folder, folderLength + 1);
    listing->count = 0;
    listing->truncated = false;
    listing->unreadable = false;
    bool heaped = false;
    char parent[FOLDER_PATH_SIZE];
    const bool hasParent = Folder_Parent(folder, parent, sizeof parent);
    if (hasParent) {
        FolderEntry up;
        SetEntry(&up, "..", true, true);
        AddEntry(listing, up, &heaped);
    }
    if (!ReadEntries(listing, &heaped)) {
        // Only the way up is left; a part read is not shown as if it were all.
        listing->unreadable = true;
        listing->truncated = false;
        listing->count = 0;
        if (hasParent && listing->capacity > 0) {
            SetEntry(&listing->entries[0], "..", true, true);
            listing->count = 1;
        }
        return false;
    }
    std::sort(listing->entries, listing->entries + listing->count, EntryBefore);
    return true;
}
