// Program entry pieces shared by main() and the tests that run the whole game.
#pragma once

// What main() does before the frame loop: window size, frame rate, and the
// Startup screen as the first one.
void Game_Start(void);

// What main() does after the loop ends: free the menu background.
void Game_Finish(void);

// The quit action's "Yes": free the menu music and end the frame loop.
void Game_Quit(void);

// The music volume as a sound-group volume (0..1).
float MusicGroupVolume(void);
// Sets both music groups (menu and gameplay) to the music volume.
void ApplyMusicVolume(void);
