#pragma once

#include "render/Matrix.h"

#include <cstddef>

// The shaders' constant buffer at register b0, as uploaded whole every frame. The shaders' matrix
// fields use column-major packing, so each matrix is stored as the transpose of the CPU's
// row-vector matrix.
struct ConstantBuffer
{
    Float4x4 World;
    Float4x4 View;
    Float4x4 Projection;
    float Resolution[2];
    float Time;
    float Padding;
};

static_assert(offsetof(ConstantBuffer, World) == 0, "World at byte 0");
static_assert(offsetof(ConstantBuffer, View) == 64, "View at byte 64");
static_assert(offsetof(ConstantBuffer, Projection) == 128, "Projection at byte 128");
static_assert(offsetof(ConstantBuffer, Resolution) == 192, "Resolution at byte 192");
static_assert(offsetof(ConstantBuffer, Time) == 200, "Time at byte 200");
static_assert(sizeof(ConstantBuffer) == 208, "the constant buffer is 208 bytes");

// The three matrices, transposed for the shaders.
void StoreMatrices(ConstantBuffer& Data, const Float4x4& World, const Float4x4& View, const Float4x4& Projection) noexcept;
