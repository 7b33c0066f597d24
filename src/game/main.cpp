// Vexal: fly a momentum-driven ship through hand-built levels.
#include "game/game.h"
#include "platform/native.h"
#include "platform/tessera.h"

int main(int, char**) {
    Native_ChangeToGameFolder();
    Game_Start();
    TS_Engine_Run();
    Game_Finish();
    return 0;
}
