// Clamps, vectors and 3 x 3 matrices for 2D transforms.
#include <cmath>

#include "platform/tessera.h"

int TS_Math_ClampInt(int value, int min, int max) {
    return value < min ? min : (value > max ? max : value);
}

float TS_Math_ClampFloat(float value, float min, float max) {
    return value < min ? min : (value > max ? max : value);
}

float TS_Math_Degrees(float radians) { return radians * (180.0f / TS_PI_F); }

TS_Vec2 TS_Vector_Set(float x, float y) { return TS_Vec2{x, y}; }
TS_Vec2 TS_Vector_Zero(void) { return TS_Vec2{0.0f, 0.0f}; }
TS_Vec2 TS_Vector_Add(TS_Vec2 a, TS_Vec2 b) { return TS_Vec2{a.x + b.x, a.y + b.y}; }
TS_Vec2 TS_Vector_Subtract(TS_Vec2 a, TS_Vec2 b) { return TS_Vec2{a.x - b.x, a.y - b.y}; }
TS_Vec2 TS_Vector_Scale(TS_Vec2 v, float s) { return TS_Vec2{v.x * s, v.y * s}; }
TS_Vec2 TS_Vector_Negate(TS_Vec2 v) { return TS_Vec2{-v.x, -v.y}; }
float TS_Vector_DotProduct(TS_Vec2 a, TS_Vec2 b) { return a.x * b.x + a.y * b.y; }
float TS_Vector_Length(TS_Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

TS_Vec2 TS_Vector_Normalize(TS_Vec2 v) {
    const float length = TS_Vector_Length(v);
    if (length <= 0.0f || !std::isfinite(length)) return TS_Vec2{0.0f, 0.0f};
    return TS_Vec2{v.x / length, v.y / length};
}

TS_Vec2 TS_Vector_MatrixMultiply(TS_Matrix m, TS_Vec2 p) {
    return TS_Vec2{m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2],
                   m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2]};
}

TS_Matrix TS_Matrix_Identity(void) { return TS_Matrix{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }

TS_Matrix TS_Matrix_FromVector(TS_Vec2 xAxis, TS_Vec2 yAxis, TS_Vec2 origin) {
    return TS_Matrix{{{xAxis.x, yAxis.x, origin.x}, {xAxis.y, yAxis.y, origin.y}, {0, 0, 1}}};
}

TS_Matrix TS_Matrix_Translate(TS_Vec2 offset) {
    return TS_Matrix{{{1, 0, offset.x}, {0, 1, offset.y}, {0, 0, 1}}};
}

namespace {

#ifdef _WIN32
// mingw's sin and cos are the x87's fsin and fcos, whose own pi has only 66
// bits: near a multiple of pi/2 they are wrong from the fifth digit on
// (cos 90 degrees gives 6.12303e-17, not 6.12323e-17), and a ship that
// thrusts straight along an axis drifts off the path it flies on Linux, so
// replays part. The angle is first brought to within pi/4 of a multiple of
// pi/2 with pi/2 in three parts (the first two short enough that their
// multiples are exact), where the x87 is right to the last bit, as glibc is.
void SinCos(double radians, double* sine, double* cosine) {
    const double kPiOver2High = 1.57079632673412561417e+00;
    const double kPiOver2Middle = 6.07710050630396597660e-11;
    const double kPiOver2Low = 2.02226624879595063154e-21;
    const double quarters = std::nearbyint(radians * (2.0 / TS_PI));
    const double r =
        ((radians - quarters * kPiOver2High) - quarters * kPiOver2Middle) - quarters * kPiOver2Low;
    const double s = std::sin(r), c = std::cos(r);
    switch (static_cast<long long>(quarters) & 3) {
        case 0: *sine = s, *cosine = c; break;
        case 1: *sine = c, *cosine = -s; break;
        case 2: *sine = -s, *cosine = -c; break;
        default: *sine = -c, *cosine = s; break;
    }
}
#else
void SinCos(double radians, double* sine, double* cosine) {
    *sine = std::sin(radians);
    *cosine = std::cos(radians);
}
#endif

}  // namespace

TS_Matrix TS_Matrix_Rotate(float degrees) {
    const double radians = static_cast<double>(degrees) * TS_PI / 180.0;
    double sine = 0.0, cosine = 0.0;
    SinCos(radians, &sine, &cosine);
    const float c = static_cast<float>(cosine);
    const float s = static_cast<float>(sine);
    return TS_Matrix{{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

TS_Matrix TS_Matrix_Scale(TS_Vec2 scale) {
    return TS_Matrix{{{scale.x, 0, 0}, {0, scale.y, 0}, {0, 0, 1}}};
}

TS_Matrix TS_Matrix_Multiply(TS_Matrix a, TS_Matrix b) {
    TS_Matrix r = {};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            float sum = 0.0f;
            for (int k = 0; k < 3; ++k) sum += a.m[row][k] * b.m[k][col];
            r.m[row][col] = sum;
        }
    }
    return r;
}

TS_Matrix TS_Matrix_Inverse(TS_Matrix m) {
    const double a = m.m[0][0], b = m.m[0][1], c = m.m[0][2];
    const double d = m.m[1][0], e = m.m[1][1], f = m.m[1][2];
    const double g = m.m[2][0], h = m.m[2][1], i = m.m[2][2];
    const double A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const double det = a * A + b * B + c * C;
    if (det == 0.0 || !std::isfinite(det)) return TS_Matrix_Identity();
    const double inv = 1.0 / det;
    TS_Matrix r;
    r.m[0][0] = static_cast<float>(A * inv);
    r.m[0][1] = static_cast<float>(-(b * i - c * h) * inv);
    r.m[0][2] = static_cast<float>((b * f - c * e) * inv);
    r.m[1][0] = static_cast<float>(B * inv);
    r.m[1][1] = static_cast<float>((a * i - c * g) * inv);
    r.m[1][2] = static_cast<float>(-(a * f - c * d) * inv);
    r.m[2][0] = static_cast<float>(C * inv);
    r.m[2][1] = static_cast<float>(-(a * h - b * g) * inv);
    r.m[2][2] = static_cast<float>((a * e - b * d) * inv);
    return r;
}
