// Desktop services: the window icon, the window-event hook and the per-user
// save folder.
#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <unistd.h>

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

bool Native_BuildSavePath(const char* fileName, char* out, size_t outSize) {
    if (!out || outSize == 0) return false;
    out[0] = '\0';
    if (!fileName) return false;
    // SDL creates "<data>/Orrinth/Vexal/" (XDG_DATA_HOME or ~/.local/share).
    char* folder = SDL_GetPrefPath("Orrinth", "Vexal");
    if (!folder) return false;
    const size_t folderLength = std::strlen(folder);
    const size_t nameLength = std::strlen(fileName);
    const bool fits = folderLength + nameLength + 1 <= outSize;
    if (fits) {
        std::memcpy(out, folder, folderLength);
        std::memcpy(out + folderLength, fileName, nameLength + 1);
    }
    SDL_free(folder);
    return fits;
}

void Native_ChangeToGameFolder(void) {
    SDL_RWops* probe = SDL_RWFromFile("./Assets/Sprites/error.png", "rb");
    if (probe) {
        SDL_RWclose(probe);
        return;
    }
    char* base = SDL_GetBasePath();
    if (!base) return;
    if (chdir(base) != 0) {
        // Stay where we are; missing images then show as the error image.
    }
    SDL_free(base);
}
