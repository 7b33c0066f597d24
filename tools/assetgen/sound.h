// Every sound file: the engine loops, the one-shot effects and the two music loops.
#pragma once

#include <string>

bool Sound_Thruster(const std::string& path);
bool Sound_Adjuster(const std::string& path);
bool Sound_Collision(const std::string& path);
bool Sound_FuelPickup(const std::string& path);
bool Sound_Warning(const std::string& path);
bool Sound_WinSpin(const std::string& path);
bool Sound_WinWhoosh(const std::string& path);
bool Sound_MenuMusic(const std::string& path);
bool Sound_GameMusic(const std::string& path);
