#pragma once

#include "render/Matrix.h"

#include <d3d11.h>

#include <array>
#include <cstddef>
#include <cstdint>

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
