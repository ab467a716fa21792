#include "render/Pipeline.h"

namespace
{
constexpr float g_Pi = 3.141592654f;
constexpr float g_NearZ = 0.001f;
constexpr float g_FarZ = 2000.0f;
} // namespace

const D3D11_INPUT_ELEMENT_DESC g_QuadInputElements[g_QuadInputElementCount] = {
    { "POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT, D3D11_INPUT_PER_VERTEX_DATA, 0 },
    { "COLOR", 0, DXGI_FORMAT_R32G32B32A32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT, D3D11_INPUT_PER_VERTEX_DATA, 0 },
    { "TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT, D3D11_INPUT_PER_VERTEX_DATA, 0 },
};

QuadVertices MakeQuadVertices(float Width, float Height) noexcept
{
    QuadVertices Vertices { {
        { { -0.5f, -0.5f, 0.0f }, { 0.0f, 0.0f, 0.0f, 1.0f } },
        { { 0.5f, -0.5f, 0.0f }, { 1.0f, 0.0f, 0.0f, 1.0f } },
        { { 0.5f, 0.5f, 0.0f }, { 1.0f, 1.0f, 0.0f, 1.0f } },
        { { -0.5f, 0.5f, 0.0f }, { 0.0f, 1.0f, 0.0f, 1.0f } },
    } };
    for(Vertex& Vertex : Vertices)
    {
        Vertex.Position[0] *= Width;
        Vertex.Position[1] *= Height;
    }
    return Vertices;
}

QuadIndices MakeQuadIndices() noexcept
{
    return { 0, 2, 1, 2, 0, 3 };
}

Float4x4 MakeQuadViewMatrix(float Height) noexcept
{
    return LookAtLeftHandedMatrix({ 0.0f, 0.0f, -Height / 2 }, { 0.0f, 0.0f, 0.0f }, { 0.0f, 1.0f, 0.0f });
}

Float4x4 MakeQuadProjectionMatrix(float Width, float Height) noexcept
{
    return PerspectiveFovLeftHandedMatrix(g_Pi / 2, Width / Height, g_NearZ, g_FarZ);
}

void StoreMatrices(ConstantBuffer& Data, const Float4x4& World, const Float4x4& View, const Float4x4& Projection) noexcept
{
    Data.World = TransposeMatrix(World);
    Data.View = TransposeMatrix(View);
    Data.Projection = TransposeMatrix(Projection);
}
