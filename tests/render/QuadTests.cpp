#include "render/Quad.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Quad, VerticesSpanTheFrameInPixels)
{
    QuadVertices const Vertices = MakeQuadVertices(642.0f, 362.0f);
    ASSERT_EQ(sizeof Vertices, 112u);
    float const Expected[4][3] { { -321, -181, 0 }, { 321, -181, 0 }, { 321, 181, 0 }, { -321, 181, 0 } };
    float const Colors[4][4] { { 0, 0, 0, 1 }, { 1, 0, 0, 1 }, { 1, 1, 0, 1 }, { 0, 1, 0, 1 } };
    for(size_t Index = 0; Index < 4; ++Index)
    {
        EXPECT_EQ(std::memcmp(Vertices[Index].Position, Expected[Index], sizeof Expected[Index]), 0) << Index;
        EXPECT_EQ(std::memcmp(Vertices[Index].Color, Colors[Index], sizeof Colors[Index]), 0) << Index;
    }
}

TEST(Quad, IndicesAreTwoTriangles)
{
    QuadIndices const Indices = MakeQuadIndices();
    ASSERT_EQ(sizeof Indices, 12u);
    uint16_t const Expected[6] { 0, 2, 1, 2, 0, 3 };
    EXPECT_EQ(std::memcmp(Indices.data(), Expected, sizeof Expected), 0);
}

TEST(Quad, InputLayoutIsAppendedInSlotZero)
{
    const char* const Semantics[3] { "POSITION", "COLOR", "TEXCOORD" };
    DXGI_FORMAT const Formats[3] { DXGI_FORMAT_R32G32B32_FLOAT, DXGI_FORMAT_R32G32B32A32_FLOAT, DXGI_FORMAT_R32G32_FLOAT };
    ASSERT_EQ(g_QuadInputElementCount, 3u);
    for(UINT Index = 0; Index < g_QuadInputElementCount; ++Index)
    {
        const D3D11_INPUT_ELEMENT_DESC& Element = g_QuadInputElements[Index];
        EXPECT_STREQ(Element.SemanticName, Semantics[Index]);
        EXPECT_EQ(Element.SemanticIndex, 0u);
        EXPECT_EQ(Element.Format, Formats[Index]);
        EXPECT_EQ(Element.InputSlot, 0u);
        EXPECT_EQ(Element.AlignedByteOffset, D3D11_APPEND_ALIGNED_ELEMENT);
        EXPECT_EQ(Element.InputSlotClass, D3D11_INPUT_PER_VERTEX_DATA);
        EXPECT_EQ(Element.InstanceDataStepRate, 0u);
    }
}
