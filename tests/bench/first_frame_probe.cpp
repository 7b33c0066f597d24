// Loaded into the game program by the benchmark (LD_PRELOAD): when the game
// presents its first frame, writes the monotonic clock's time to the file
// named by VEXAL_FIRST_FRAME_FILE and ends the program. The game itself
// carries nothing for this, so every version of it can be timed alike.
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct SDL_Renderer;

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    using Present = void (*)(SDL_Renderer*);
    static Present real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    if (real) real(renderer);
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* path = std::getenv("VEXAL_FIRST_FRAME_FILE");
    if (!path) return;
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld.%09ld\n",
                                     static_cast<long long>(now.tv_sec), now.tv_nsec);
    const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (file >= 0) {
        if (write(file, line, static_cast<size_t>(length)) != length) {
            // The bench then finds no time and says so.
        }
        close(file);
    }
    _exit(0);
}
