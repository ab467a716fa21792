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
