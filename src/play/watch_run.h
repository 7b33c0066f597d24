// The WatchRun screen: a level's best run played back in the running game
// with the normal camera, its keys taken from the records instead of the
// keyboard; X skips to the end, Escape goes back, and the run's time shows at
// its end.
#pragma once

#include <cstdint>

#include "app/screens.h"

// Which campaign level to watch (0..18), set by the level select before it
// reports ScreenResult::WatchBestRun.
void WatchRun_Choose(int32_t campaignIndex);
// Whether a shipped level has a best run to watch (its records hold one that
// fits the level as shipped).
bool WatchRun_HasBestRun(int32_t campaignIndex);

extern const GameState WatchRunScreen;
