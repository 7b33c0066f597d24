// Sound effects and music on SDL_mixer channels, each channel tagged with the
// game's sound group so whole groups can be rescaled or stopped. Without an
// audio device every call quietly does nothing and the game runs on; whether
// there is one is decided once, on first need or just after the first frame.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <string>

#include "platform/platform_internal.h"

struct TS_SoundRecord {
    Mix_Chunk* chunk;
    std::string path;
};

namespace {

const int kChannels = 32;
const int kGroups = 16;

bool audioOpen = false;
bool audioDecided = false;  // the device was tried this run, opened or not
int deviceAttempts = 0;
float groupVolume[kGroups];
int channelGroup[kChannels];
float channelVolume[kChannels];
std::string channelPath[kChannels];
bool tablesReady = false;

void PrepareTables() {
    if (tablesReady) return;
    tablesReady = true;
    for (float& v : groupVolume) v = 1.0f;
    for (int i = 0; i < kChannels; ++i) {
        channelGroup[i] = -1;
        channelVolume[i] = 0.0f;
    }
}

int MixVolume(float volume) {
    if (!(volume > 0.0f)) return 0;
    if (volume > 1.0f) volume = 1.0f;
    return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME));
}

bool ValidGroup(int group) { return group >= 0 && group < kGroups; }

void Log(AutomationSoundEventKind kind, int group, const std::string& path, float volume,
         bool looping) {
    PlatformState& p = Platform();
    if (!p.automation || !Automation_LoggingSounds()) return;
    p.soundLog.push_back(AutomationSoundEvent{kind, group, path, volume, looping});
}

// Whether sounds play, trying the device if that is not decided yet (never
// before the framework has started).
bool AudioReady() {
    if (!audioDecided && Platform().initialised) Audio_Open();
    return audioOpen;
}

TS_Sound LoadChunk(const char* path) {
    if (!path) return nullptr;
    Platform_EnsureInit();
    if (!AudioReady()) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (!chunk) return nullptr;
    return new TS_SoundRecord{chunk, path};
}

}  // namespace

bool Audio_Open() {
    PrepareTables();
    if (audioDecided) return audioOpen;
    audioDecided = true;
    ++deviceAttempts;
    // One try at the player's sound device. Without one the game runs
    // silently: every group's volume and stop is still kept, nothing is mixed,
    // and no later sound asks the device again.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        Mix_Init(0);
        audioOpen = Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0;
    }
    if (audioOpen) {
        Mix_AllocateChannels(kChannels);
    } else {
        SDL_Log("Vexal: no sound device (%s); playing without sound", SDL_GetError());
    }
    return audioOpen;
}

void Audio_Close() {
    audioDecided = false;  // a framework started again asks the device again
    if (!audioOpen) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    audioOpen = false;
}

TS_Sound TS_Sound_Load(const char* path) { return LoadChunk(path); }
TS_Sound TS_Sound_LoadMusic(const char* path) { return LoadChunk(path); }

void TS_Sound_Free(TS_Sound sound) {
    if (!sound) return;
    if (audioOpen) {
        // A chunk must not be freed while a channel still plays it.
        for (int ch = 0; ch < kChannels; ++ch) {
            if (Mix_GetChunk(ch) == sound->chunk && Mix_Playing(ch)) Mix_HaltChannel(ch);
        }
        Mix_FreeChunk(sound->chunk);
    }
    delete sound;
}

void TS_Sound_PlayAdvanced(TS_Sound sound, float volume, float pitch, bool looping, int group) {
    (void)pitch;  // every sound of the game plays at its recorded pitch
    PrepareTables();
    if (!ValidGroup(group)) return;
    // Both sides name an existing string, so nothing is copied unless logged.
    static const std::string kNoPath;
    Log(SOUND_PLAY, group, sound ? sound->path : kNoPath, volume, looping);
    if (!sound || !AudioReady()) return;
    int channel = -1;
    for (int ch = 0; ch < kChannels; ++ch) {
        if (!Mix_Playing(ch)) {
            channel = ch;
            break;
        }
    }
    if (channel < 0) return;  // every channel busy: drop this one
    channelGroup[channel] = group;
    channelVolume[channel] = volume;
    channelPath[channel] = sound->path;
    Mix_Volume(channel, MixVolume(volume * groupVolume[group]));
    Mix_PlayChannel(channel, sound->chunk, looping ? -1 : 0);
}

void TS_Sound_SetGroupVolume(int group, float volume) {
    PrepareTables();
    if (!ValidGroup(group)) return;
    if (volume < 0.0f) volume = 0.0f;
    if (volume > 1.0f) volume = 1.0f;
    groupVolume[group] = volume;
    Log(SOUND_GROUP_VOLUME, group, std::string(), volume, false);
    if (!audioOpen) return;  // before the device is decided nothing plays yet
    for (int ch = 0; ch < kChannels; ++ch) {
        if (channelGroup[ch] == group) Mix_Volume(ch, MixVolume(channelVolume[ch] * volume));
    }
}

void TS_Sound_StopGroup(int group) {
    PrepareTables();
    if (!ValidGroup(group)) return;
    Log(SOUND_STOP_GROUP, group, std::string(), 0.0f, false);
    if (!audioOpen) return;
    for (int ch = 0; ch < kChannels; ++ch) {
        if (channelGroup[ch] == group) {
            Mix_HaltChannel(ch);
            channelGroup[ch] = -1;
        }
    }
}

float Automation_GroupVolume(int group) {
    PrepareTables();
    return ValidGroup(group) ? groupVolume[group] : 0.0f;
}

int Automation_GroupPlayingCount(int group) {
    if (!audioOpen || !ValidGroup(group)) return 0;
    int count = 0;
    for (int ch = 0; ch < kChannels; ++ch) {
        if (channelGroup[ch] == group && Mix_Playing(ch)) ++count;
    }
    return count;
}

std::string Automation_GroupPlayingPath(int group) {
    if (!audioOpen || !ValidGroup(group)) return std::string();
    for (int ch = kChannels - 1; ch >= 0; --ch) {
        if (channelGroup[ch] == group && Mix_Playing(ch)) return channelPath[ch];
    }
    return std::string();
}

int Automation_AudioDeviceAttempts(void) { return deviceAttempts; }

void Automation_ResetSound() {
    tablesReady = false;
    PrepareTables();
}
