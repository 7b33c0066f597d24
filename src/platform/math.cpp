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

TS_Matrix TS_Matrix_Rotate(float degrees) {
    const double radians = static_cast<double>(degrees) * TS_PI / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
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
