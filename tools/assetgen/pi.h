// Pi and the full turn, once for the whole generator: float for drawing,
// double for synthesis.
#pragma once

constexpr double kPiDouble = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPiDouble;
constexpr float kPi = static_cast<float>(kPiDouble);
constexpr float kTau = static_cast<float>(kTwoPi);
