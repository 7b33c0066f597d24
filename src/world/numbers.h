// Number helpers for the world's texts and the score: float to int without
// the undefined behaviour of out-of-range casts (a level file may hold any number).
#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero, saturating at the int range; NaN gives 0.
inline int TruncateToInt(float value) {
    if (!(value == value)) return 0;
    if (value >= 2147483520.0f) return INT_MAX;  // the largest float below 2^31
    if (value <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(value);
}
