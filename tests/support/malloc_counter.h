// Counts every heap allocation the process makes while counting is on — the
// game's own, the C++ library's, SDL's and SDL_ttf's alike — by standing in
// for the C library's malloc family in the program that links this file.
#pragma once

// False in sanitizer builds, whose runtime owns malloc: nothing is counted
// there and tests that need the count skip.
bool MallocCounter_Available(void);

// Starts counting from zero (allocations on every thread are counted).
void MallocCounter_Start(void);
// Stops counting and returns how many blocks were allocated (malloc, calloc,
// realloc of a new or moved block, and the aligned forms) since the start.
long MallocCounter_Stop(void);
// The count so far, without stopping.
long MallocCounter_Count(void);
