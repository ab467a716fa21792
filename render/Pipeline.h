#pragma once

// The shader pipeline's data: the four embedded HLSL sources, the screen-filling quad that they draw
// on, and the constant buffer that gives them the matrices, the frame size and the time.

// The four embedded HLSL sources, RT_RCDATA resources for -ShaderIndex 0 to 3 in this order. The
// resource scripts include this file too: the numbers are macros, and the rest is hidden from them.
#define SHADER_RESOURCE_BLOSSOMS 110
#define SHADER_RESOURCE_RIBBONS 111
#define SHADER_RESOURCE_NETWORK 112
#define SHADER_RESOURCE_OUTLINES 113

#ifndef RC_INVOKED

#include "render/Matrix.h"

#include <d3d11.h>

#include <array>
#include <cstddef>
#include <cstdint>

constexpr unsigned short g_ShaderResources[] = { SHADER_RESOURCE_BLOSSOMS, SHADER_RESOURCE_RIBBONS, SHADER_RESOURCE_NETWORK, SHADER_RESOURCE_OUTLINES };

// One vertex of the screen-filling quad; the colour's red and green are the picture coordinates.
struct Vertex
{
    float Position[3];
    float Color[4];
};

static_assert(offsetof(Vertex, Position) == 0, "Position at byte 0");
static_assert(offsetof(Vertex, Color) == 12, "Color at byte 12");
static_assert(sizeof(Vertex) == 28, "a vertex is 28 bytes");

using QuadVertices = std::array<Vertex, 4>;
using QuadIndices = std::array<uint16_t, 6>;

// The quad in world units of one pixel: it spans Width x Height around the origin.
QuadVertices MakeQuadVertices(float Width, float Height) noexcept;
// Two clockwise triangles.
QuadIndices MakeQuadIndices() noexcept;

// The vertex input: POSITION, COLOR and TEXCOORD, appended in slot 0. The vertex record carries no
// texture position; the shaders declare one but none reads it.
constexpr UINT g_QuadInputElementCount = 3;
extern const D3D11_INPUT_ELEMENT_DESC g_QuadInputElements[g_QuadInputElementCount];

// The view and projection that put the quad's corners on the corners of clip space.
Float4x4 MakeQuadViewMatrix(float Height) noexcept;
Float4x4 MakeQuadProjectionMatrix(float Width, float Height) noexcept;

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

#endif
