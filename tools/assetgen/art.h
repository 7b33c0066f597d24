// Every picture the game shows, each drawn at the pixel size it is displayed at.
#pragma once

#include "canvas.h"

// The ship and its engine flames. A flame strip is frameCount frames of
// 1000 x 1000 side by side; each frame is drawn over the ship's 65 px box.
Canvas Art_Ship(int size);
enum FlameSide { FLAME_BOTTOM = 0, FLAME_RIGHT = 1, FLAME_LEFT = 2 };
Canvas Art_FlameStrip(FlameSide side, int frameCount);
// The ship on a dark tile, for the window icon.
Canvas Art_AppIcon(int size);

// Things placed in levels.
Canvas Art_Asteroid(int size, unsigned seed);
Canvas Art_FuelCell(int size);
Canvas Art_Goal(int size);
Canvas Art_Wall(int size);
Canvas Art_LaserTrap(int size);
Canvas Art_LaserBeam(int width, int height);
Canvas Art_MissileTrap(int size);
Canvas Art_Missile(int size);

// Interface pieces.
Canvas Art_CompassArrow(int size);
Canvas Art_HelpArrow(int width, int height);
Canvas Art_TextBoxIcon(int size);
Canvas Art_Placeholder(int size);
Canvas Art_SpriteSheet(int frameSize);
Canvas Art_ErrorImage(int size);

// Lettering.
Canvas Art_TitleLogo(int width, int height);
Canvas Art_StudioLogo(int width, int height, bool red);
Canvas Art_AudioCredit(int width, int height);

// Space backdrops and the help page's miniature map.
Canvas Art_GameplayBackground(int width, int height);
Canvas Art_MenuBackground(int width, int height);
Canvas Art_MapDemo(int width, int height);
