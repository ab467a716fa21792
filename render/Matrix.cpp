#include "render/Matrix.h"

#include <cmath>

namespace
{
Float3 Subtract(const Float3& A, const Float3& B) noexcept
{
    return { A.X - B.X, A.Y - B.Y, A.Z - B.Z };
}

float Dot(const Float3& A, const Float3& B) noexcept
{
    return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
}

Float3 Cross(const Float3& A, const Float3& B) noexcept
{
    return { A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X };
}

Float3 Normalize(const Float3& A) noexcept
{
    float const Length = std::sqrt(Dot(A, A));
    if(Length == 0.0f)
        return A;
    return { A.X / Length, A.Y / Length, A.Z / Length };
}
} // namespace

Float4x4 IdentityMatrix() noexcept
{
    return { { { 1, 0, 0, 0 }, { 0, 1, 0, 0 }, { 0, 0, 1, 0 }, { 0, 0, 0, 1 } } };
}

Float4x4 TransposeMatrix(const Float4x4& Matrix) noexcept
{
    Float4x4 Result;
    for(int Row = 0; Row < 4; ++Row)
        for(int Column = 0; Column < 4; ++Column)
            Result.m[Row][Column] = Matrix.m[Column][Row];
    return Result;
}

Float4x4 MultiplyMatrix(const Float4x4& A, const Float4x4& B) noexcept
{
    Float4x4 Result;
    for(int Row = 0; Row < 4; ++Row)
        for(int Column = 0; Column < 4; ++Column)
        {
            float Sum = 0.0f;
            for(int Index = 0; Index < 4; ++Index)
                Sum += A.m[Row][Index] * B.m[Index][Column];
            Result.m[Row][Column] = Sum;
        }
    return Result;
}

Float4x4 LookAtLeftHandedMatrix(const Float3& Eye, const Float3& Focus, const Float3& Up) noexcept
{
    Float3 const AxisZ = Normalize(Subtract(Focus, Eye));
    Float3 const AxisX = Normalize(Cross(Up, AxisZ));
    Float3 const AxisY = Cross(AxisZ, AxisX);
    Float3 const NegativeEye { -Eye.X, -Eye.Y, -Eye.Z };
    return { {
        { AxisX.X, AxisY.X, AxisZ.X, 0 },
        { AxisX.Y, AxisY.Y, AxisZ.Y, 0 },
        { AxisX.Z, AxisY.Z, AxisZ.Z, 0 },
        { Dot(AxisX, NegativeEye), Dot(AxisY, NegativeEye), Dot(AxisZ, NegativeEye), 1 },
    } };
}

Float4x4 PerspectiveFovLeftHandedMatrix(float FovAngleY, float AspectRatio, float NearZ, float FarZ) noexcept
{
    // The cotangent is taken in double precision from the single-precision half angle, which for a
    // right angle gives 0.99999994 rather than 1.
    double const HalfAngle = 0.5f * FovAngleY;
    float const Height = static_cast<float>(std::cos(HalfAngle) / std::sin(HalfAngle));
    float const Width = Height / AspectRatio;
    float const Range = FarZ / (FarZ - NearZ);
    return { {
        { Width, 0, 0, 0 },
        { 0, Height, 0, 0 },
        { 0, 0, Range, 1 },
        { 0, 0, -Range * NearZ, 0 },
    } };
}

void TransformRowVector(const float (&Vector)[4], const Float4x4& Matrix, float (&Result)[4]) noexcept
{
    for(int Column = 0; Column < 4; ++Column)
    {
        float Sum = 0.0f;
        for(int Index = 0; Index < 4; ++Index)
            Sum += Vector[Index] * Matrix.m[Index][Column];
        Result[Column] = Sum;
    }
}
