// Desktop services: the window icon, the window-event hook, the per-user
// save folder and finding the game's own files.
#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <direct.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/platform_internal.h"

bool Native_SetWindowIcon(const char* path) {
    Platform_EnsureInit();
    if (!path) return false;
    SDL_Surface* icon = IMG_Load(path);
    if (!icon) return false;
    SDL_SetWindowIcon(Platform().window, icon);
    SDL_FreeSurface(icon);
    return true;
}

void Native_InstallWindowHook(NativeWindowHook hook) { Platform().windowHook = hook; }

namespace {
std::string saveFolderInstead;

#ifdef _WIN32
// SDL's answer on Windows is always %APPDATA%\Orrinth\Vexal\. A set
// XDG_DATA_HOME moves the save folder there, as on Linux: that is how the
// tests give each case a fresh folder, and a portable copy its own saves.
char* PrefFolder(void) {
    wchar_t data[4096];
    const DWORD size = GetEnvironmentVariableW(L"XDG_DATA_HOME", data, 4096);
    if (size == 0 || size >= 4096) return SDL_GetPrefPath("Orrinth", "Vexal");
    const int length = WideCharToMultiByte(CP_UTF8, 0, data, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return nullptr;
    std::string folder(static_cast<size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, data, -1, &folder[0], length, nullptr, nullptr);
    for (const char* part : {"/Orrinth", "/Vexal"}) {
        folder += part;
        if (Native_MakeFolder(folder.c_str()) != 0) return nullptr;
    }
    folder += '/';
    return SDL_strdup(folder.c_str());
}
#else
char* PrefFolder(void) { return SDL_GetPrefPath("Orrinth", "Vexal"); }
#endif

}  // namespace

void Native_SetSaveFolder(const char* folder) { saveFolderInstead = folder ? folder : ""; }

bool Native_BuildSavePath(const char* fileName, char* out, size_t outSize) {
    if (!out || outSize == 0) return false;
    out[0] = '\0';
    if (!fileName) return false;
    // SDL creates "<data>/Orrinth/Vexal/" (XDG_DATA_HOME or ~/.local/share).
    char* folder = saveFolderInstead.empty() ? PrefFolder() : SDL_strdup(saveFolderInstead.c_str());
    if (!folder) return false;
    const size_t folderLength = std::strlen(folder);
    const size_t nameLength = std::strlen(fileName);
    const bool fits = folderLength + nameLength + 1 <= outSize;
    if (fits) {
        std::memcpy(out, folder, folderLength);
        std::memcpy(out + folderLength, fileName, nameLength + 1);
    }
    SDL_free(folder);
#ifdef _WIN32
    // SDL answers with '\\'; the game splits and joins paths at '/'.
    for (char* c = out; *c; ++c) {
        if (*c == '\\') *c = '/';
    }
#endif
    return fits;
}

#ifdef _WIN32
bool Native_WidePath(const char* path, wchar_t* out, size_t outSize) {
    if (!path || !out || outSize == 0 || outSize > 0x7fffffff) return false;
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, out,
                                           static_cast<int>(outSize));
    if (length <= 0) return false;
    for (wchar_t* c = out; *c; ++c) {
        if (*c == L'/') *c = L'\\';
    }
    return true;
}

const char* Native_HomeFolder(void) {
    static std::string home;
    const wchar_t* profile = _wgetenv(L"USERPROFILE");
    if (!profile || !*profile) return nullptr;
    const int length = WideCharToMultiByte(CP_UTF8, 0, profile, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return nullptr;
    home.assign(static_cast<size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, profile, -1, &home[0], length, nullptr, nullptr);
    for (char& c : home) {
        if (c == '\\') c = '/';
    }
    return home.c_str();
}

int Native_MakeFolder(const char* path) {
    wchar_t wide[4096];
    if (!Native_WidePath(path, wide, sizeof wide / sizeof wide[0])) return ENAMETOOLONG;
    if (CreateDirectoryW(wide, nullptr)) return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return 0;
    return error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
}
#else
const char* Native_HomeFolder(void) { return std::getenv("HOME"); }

int Native_MakeFolder(const char* path) {
    if (mkdir(path, 0755) == 0 || errno == EEXIST) return 0;
    return errno;
}
#endif

namespace {

// Where the game's Assets folder may be, relative to the executable's folder:
// beside it (a build folder, the Windows zip), or where an installed package
// puts it (/usr/games/vexal and /usr/share/games/vexal/Assets/).
const char* const kGameFolders[] = {"", "../share/games/vexal/"};
const char kAssetProbe[] = "Assets/Sprites/error.png";

bool FileExists(const std::string& path) {
    SDL_RWops* probe = SDL_RWFromFile(path.c_str(), "rb");
    if (!probe) return false;
    SDL_RWclose(probe);
    return true;
}

// Paths are UTF-8 throughout the game; Windows takes them as UTF-16.
bool ChangeFolder(const std::string& folder) {
#ifdef _WIN32
    wchar_t wide[4096];
    return Native_WidePath(folder.c_str(), wide, sizeof wide / sizeof wide[0]) &&
           _wchdir(wide) == 0;
#else
    return chdir(folder.c_str()) == 0;
#endif
}

}  // namespace

void Native_ChangeToGameFolder(void) {
    if (FileExists(std::string("./") + kAssetProbe)) return;
    char* base = SDL_GetBasePath();
    if (!base) {
        SDL_Log("Vexal: cannot tell where the game is: %s", SDL_GetError());
        return;
    }
    const std::string executableFolder = base;
    SDL_free(base);
    for (const char* relative : kGameFolders) {
        const std::string folder = executableFolder + relative;
        if (FileExists(folder + kAssetProbe) && ChangeFolder(folder)) return;
    }
    // Missing pictures then show as the error image, missing texts not at all.
    SDL_Log("Vexal: no Assets folder in %s or %s%s", executableFolder.c_str(),
            executableFolder.c_str(), kGameFolders[1]);
}
