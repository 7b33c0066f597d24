// Reading a folder for the file chooser: sub-folders and level files only,
// sorted so that folders come first.
#include "ui/folder_listing.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

int CompareNames(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int ca = std::tolower(static_cast<unsigned char>(*a));
        const int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || ca == 0) return ca - cb;
    }
}

int CompareEntries(const void* left, const void* right) {
    const FolderEntry* a = static_cast<const FolderEntry*>(left);
    const FolderEntry* b = static_cast<const FolderEntry*>(right);
    if (a->isParent != b->isParent) return a->isParent ? -1 : 1;
    if (a->isFolder != b->isFolder) return a->isFolder ? -1 : 1;
    const int folded = CompareNames(a->name, b->name);
    return folded != 0 ? folded : std::strcmp(a->name, b->name);
}

void SetEntry(FolderEntry* entry, const char* name, bool isFolder, bool isParent) {
    std::strncpy(entry->name, name, FOLDER_NAME_SIZE - 1);
    entry->name[FOLDER_NAME_SIZE - 1] = '\0';
    entry->isFolder = isFolder;
    entry->isParent = isParent;
    entry->shownBytes = -1;
    entry->fittedWidth = -1.0f;
}

}  // namespace

bool FolderListing_Create(FolderListing* listing) {
    listing->folder[0] = '\0';
    listing->count = 0;
    listing->truncated = false;
    listing->entries =
        static_cast<FolderEntry*>(std::calloc(FOLDER_MAX_ENTRIES, sizeof(FolderEntry)));
    return listing->entries != nullptr;
}

void FolderListing_Free(FolderListing* listing) {
    std::free(listing->entries);
    listing->entries = nullptr;
    listing->count = 0;
}

bool IsLevelFileName(const char* name) {
    const size_t length = std::strlen(name);
    if (length < 5) return false;
    return CompareNames(name + length - 5, ".vexl") == 0;
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
    namespace fs = std::filesystem;
    const size_t folderLength = std::strlen(folder);
    if (folderLength == 0 || folderLength >= FOLDER_PATH_SIZE) return false;
    std::error_code error;
    fs::directory_iterator it(fs::path(folder), fs::directory_options::skip_permission_denied,
                              error);
    if (error) return false;

    std::memcpy(listing->folder, folder, folderLength + 1);
    listing->count = 0;
    listing->truncated = false;
    char parent[FOLDER_PATH_SIZE];
    if (Folder_Parent(folder, parent, sizeof parent)) {
        SetEntry(&listing->entries[listing->count++], "..", true, true);
    }
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || name.size() >= FOLDER_NAME_SIZE) continue;
        std::error_code statusError;
        const fs::file_status status = it->status(statusError);  // follows links
        if (statusError) continue;
        const bool isFolder = fs::is_directory(status);
        if (!isFolder && !(fs::is_regular_file(status) && IsLevelFileName(name.c_str()))) {
            continue;
        }
        if (listing->count >= FOLDER_MAX_ENTRIES) {
            listing->truncated = true;
            break;
        }
        SetEntry(&listing->entries[listing->count++], name.c_str(), isFolder, false);
    }
    std::qsort(listing->entries, static_cast<size_t>(listing->count), sizeof(FolderEntry),
               CompareEntries);
    return true;
}
