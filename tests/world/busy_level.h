// A full level for allocation checks: every one of the 100
// object lines used (99 objects and the goal) and all 20 text slots.
#pragma once

#include <cstdio>
#include <string>

inline std::string BusyLevelText() {
    // Unlimited fuel and no stranding: the ship can fly and bounce for ever.
    std::string text = "/5\n.60.000000\n";
    const char kinds[] = "AFWLM";
    char line[160];
    int placed = 0;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 10; ++column) {
            if (row == 4 && column == 4) continue;  // keep the start clear
            std::snprintf(line, sizeof line, "%c,%d,%d,%d,%d,%d\n", kinds[placed % 5],
                          (column - 4) * 260, (row - 4) * 220, (placed * 37) % 360,
                          50 + placed % 4 * 10, 50 + placed % 4 * 10);
            text += line;
            ++placed;
        }
    }
    text += "E,1300,1100,0,65,65\n";
    for (int i = 0; i < 20; ++i) {
        std::snprintf(line, sizeof line, "T,%d,%d,0,200,%d,Sign number %d: press $THRUST_KEY$\n",
                      (i % 5 - 2) * 400, (i / 5 - 2) * 300 + 100, 16 + i % 3 * 4, i);
        text += line;
    }
    return text;
}
