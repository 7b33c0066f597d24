// The game's sound groups, by what plays in them: a group is stopped or
// quietened as one, so each kind of sound that must be gets its own.
#pragma once

#include "platform/tessera.h"

enum class SoundGroup {
    MenuMusic = 0,
    GameMusic = 1,
    ThrusterLoop = 2,
    TurningLoop = 3,
    Effects = 4,      // collisions and fuel pick-ups
    CaptureSpin = 5,  // the goal spinning up around the captured ship
    CaptureExit = 6,  // the whoosh of the ship leaving the goal
};

// The framework's number for a group.
inline int SoundGroup_Id(SoundGroup group) { return static_cast<int>(group); }

// Plays `sound` at its own pitch in `group`.
inline void SoundGroup_Play(SoundGroup group, TS_Sound sound, float volume, bool looping) {
    TS_Sound_PlayAdvanced(sound, volume, 1.0f, looping, SoundGroup_Id(group));
}

inline void SoundGroup_SetVolume(SoundGroup group, float volume) {
    TS_Sound_SetGroupVolume(SoundGroup_Id(group), volume);
}

inline void SoundGroup_Stop(SoundGroup group) { TS_Sound_StopGroup(SoundGroup_Id(group)); }

// The menu and the gameplay music always share one volume.
inline void MusicGroups_SetVolume(float volume) {
    SoundGroup_SetVolume(SoundGroup::MenuMusic, volume);
    SoundGroup_SetVolume(SoundGroup::GameMusic, volume);
}

// The music volume setting as a sound-group volume (0..1).
float MusicGroupVolume(void);
// Sets both music groups (menu and gameplay) to the music volume setting.
void ApplyMusicVolume(void);
