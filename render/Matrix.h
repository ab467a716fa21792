#pragma once

// Small 4 x 4 single-precision math in row-vector convention: a point p is a row vector and is
// transformed as p x M, so translations live in the fourth row.
struct Float3
{
    float X;
    float Y;
    float Z;
};

struct alignas(16) Float4x4
{
    float m[4][4];
};

static_assert(sizeof(Float4x4) == 64, "a matrix is 16 packed floats");
static_assert(alignof(Float4x4) == 16, "matrices are 16-byte aligned");

Float4x4 IdentityMatrix() noexcept;
Float4x4 TransposeMatrix(const Float4x4& Matrix) noexcept;
Float4x4 MultiplyMatrix(const Float4x4& A, const Float4x4& B) noexcept;

// Left-handed view matrix with the eye at Eye looking at Focus.
Float4x4 LookAtLeftHandedMatrix(const Float3& Eye, const Float3& Focus, const Float3& Up) noexcept;

// Left-handed perspective projection: vertical field of view in radians, aspect width / height,
// depth mapped from NearZ..FarZ to 0..1.
Float4x4 PerspectiveFovLeftHandedMatrix(float FovAngleY, float AspectRatio, float NearZ, float FarZ) noexcept;

// Row vector (X, Y, Z, W) times Matrix.
void TransformRowVector(const float (&Vector)[4], const Float4x4& Matrix, float (&Result)[4]) noexcept;
