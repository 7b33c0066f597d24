// Vector and matrix rules the camera and the ship's thrust depend on.
#include <gtest/gtest.h>

#include "platform/tessera.h"

TEST(Math, RotationTurnsClockwiseOnAYDownScreen) {
    // Screen x right, y down: rotating "right" by 90 sends right to down.
    const TS_Vec2 v = TS_Vector_MatrixMultiply(TS_Matrix_Rotate(90.0f), TS_Vector_Set(1, 0));
    EXPECT_NEAR(v.x, 0.0f, 1e-6f);
    EXPECT_NEAR(v.y, 1.0f, 1e-6f);
}

TEST(Math, InverseUndoesACameraLikeTransform) {
    const TS_Matrix flip =
        TS_Matrix_FromVector(TS_Vector_Set(1, 0), TS_Vector_Set(0, -1), TS_Vector_Zero());
    const TS_Matrix m = TS_Matrix_Multiply(
        TS_Matrix_Translate(TS_Vector_Set(640, 360)),
        TS_Matrix_Multiply(TS_Matrix_Scale(TS_Vector_Set(0.5f, 0.5f)),
                           TS_Matrix_Multiply(flip, TS_Matrix_Translate(TS_Vector_Set(-30, 40)))));
    const TS_Vec2 p = TS_Vector_Set(123.5f, -77.25f);
    const TS_Vec2 screen = TS_Vector_MatrixMultiply(m, p);
    EXPECT_NEAR(screen.x, 640 + 0.5f * (123.5f - 30), 1e-3f);
    EXPECT_NEAR(screen.y, 360 - 0.5f * (-77.25f + 40), 1e-3f);
    const TS_Vec2 back = TS_Vector_MatrixMultiply(TS_Matrix_Inverse(m), screen);
    EXPECT_NEAR(back.x, p.x, 1e-3f);
    EXPECT_NEAR(back.y, p.y, 1e-3f);
}

TEST(Math, NormalizeAndClamps) {
    const TS_Vec2 n = TS_Vector_Normalize(TS_Vector_Set(3, 4));
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    const TS_Vec2 zero = TS_Vector_Normalize(TS_Vector_Zero());
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(TS_Math_ClampInt(110, 0, 100), 100);
    EXPECT_EQ(TS_Math_ClampInt(-5, 0, 100), 0);
    EXPECT_FLOAT_EQ(TS_Math_ClampFloat(1.5f, 0, 1), 1.0f);
    EXPECT_NEAR(TS_Math_Degrees(3.14159265f), 180.0f, 1e-4f);
}
