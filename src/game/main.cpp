// Vexal: fly a momentum-driven ship through hand-built levels. With
// `--tour DIR [--size WxH]` it instead takes a picture of every screen.
#include <cstdio>
#include <string>

#include "game/game.h"
#include "game/tour.h"
#include "platform/native.h"
#include "platform/tessera.h"

int main(int argc, char** argv) {
    TourOptions tour;
    std::string error;
    const int touring = Tour_ParseArguments(argc, argv, &tour, &error);
    if (touring < 0) {
        std::fprintf(stderr, "vexal: %s\nusage: vexal [--tour DIR [--size WIDTHxHEIGHT]]\n",
                     error.c_str());
        return 2;
    }
    Native_ChangeToGameFolder();
    if (touring) {
        tour.printPictures = true;
        if (!Tour_Run(tour, &error)) {
            std::fprintf(stderr, "vexal: the tour stopped: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    Game_Start();
    TS_Engine_Run();
    Game_Finish();
    return 0;
}
