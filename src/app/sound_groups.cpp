// The music groups follow the player's music volume setting.
#include "app/sound_groups.h"

#include "app/config.h"

float MusicGroupVolume(void) { return static_cast<float>(userConfig.musicVolume) / 100.0f; }

void ApplyMusicVolume(void) { MusicGroups_SetVolume(MusicGroupVolume()); }
