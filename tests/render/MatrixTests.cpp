#include "render/ConstantBuffer.h"
#include "render/Matrix.h"
#include "render/Quad.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
uint32_t Bits(float Value)
{
    uint32_t Result;
    std::memcpy(&Result, &Value, sizeof Result);
    return Result;
}

void ExpectMatrix(const Float4x4& Actual, const float (&Expected)[4][4])
{
    for(int Row = 0; Row < 4; ++Row)
        for(int Column = 0; Column < 4; ++Column)
            EXPECT_FLOAT_EQ(Actual.m[Row][Column], Expected[Row][Column]) << Row << "," << Column;
}

// The clip-space position of a quad corner, as the vertex shader computes it.
void ToClipSpace(const Vertex& Vertex, const Float4x4& View, const Float4x4& Projection, float (&Clip)[4])
{
    float const Position[4] { Vertex.Position[0], Vertex.Position[1], Vertex.Position[2], 1.0f };
    float Viewed[4];
    TransformRowVector(Position, MultiplyMatrix(IdentityMatrix(), View), Viewed);
    TransformRowVector(Viewed, Projection, Clip);
}
} // namespace

TEST(Matrix, MultiplyIsRowTimesColumn)
{
    Float4x4 const A { { { 1, 2, 0, 0 }, { 0, 1, 0, 0 }, { 0, 0, 1, 0 }, { 3, 0, 0, 1 } } };
    Float4x4 const B { { { 2, 0, 0, 0 }, { 0, 3, 0, 0 }, { 0, 0, 4, 0 }, { 0, 5, 0, 1 } } };
    float const Expected[4][4] { { 2, 6, 0, 0 }, { 0, 3, 0, 0 }, { 0, 0, 4, 0 }, { 6, 5, 0, 1 } };
    ExpectMatrix(MultiplyMatrix(A, B), Expected);
}

TEST(Matrix, ProjectionEntriesAsSinglePrecision)
{
    Float4x4 const Projection = MakeQuadProjectionMatrix(1920.0f, 1080.0f);
    EXPECT_EQ(Bits(Projection.m[1][1]), Bits(0.99999994f));
    EXPECT_EQ(Bits(Projection.m[0][0]), Bits(0.99999994f / (1920.0f / 1080.0f)));
    EXPECT_EQ(Bits(Projection.m[2][2]), 0x3F800004u);
    EXPECT_EQ(Projection.m[2][3], 1.0f);
    EXPECT_EQ(Bits(Projection.m[3][2]), 0xBA831273u);
    for(int Row = 0; Row < 4; ++Row)
        for(int Column = 0; Column < 4; ++Column)
        {
            bool const Set = (Row == Column && Row < 3) || (Row == 2 && Column == 3) || (Row == 3 && Column == 2);
            if(!Set)
            {
                EXPECT_EQ(Projection.m[Row][Column], 0.0f) << Row << "," << Column;
            }
        }
}

TEST(Matrix, QuadCornersLandOnClipSpaceCorners)
{
    for(float Height : { 360.0f, 1080.0f, 1440.0f })
    {
        float const Width = Height * 16 / 9;
        QuadVertices const Vertices = MakeQuadVertices(Width, Height);
        Float4x4 const View = MakeQuadViewMatrix(Height);
        Float4x4 const Projection = MakeQuadProjectionMatrix(Width, Height);
        float const ExpectedX[4] { -1, 1, 1, -1 };
        float const ExpectedY[4] { -1, -1, 1, 1 };
        for(size_t Index = 0; Index < Vertices.size(); ++Index)
        {
            float Clip[4];
            ToClipSpace(Vertices[Index], View, Projection, Clip);
            EXPECT_NEAR(Clip[0] / Clip[3], ExpectedX[Index], 1e-5) << Height << " " << Index;
            EXPECT_NEAR(Clip[1] / Clip[3], ExpectedY[Index], 1e-5) << Height << " " << Index;
            EXPECT_GT(Clip[2] / Clip[3], 0.0f);
            EXPECT_LT(Clip[2] / Clip[3], 1.0f);
        }
    }
}

TEST(ConstantBuffer, StoresMatricesTransposed)
{
    Float4x4 World = IdentityMatrix();
    World.m[3][0] = 7.0f;
    Float4x4 const View = MakeQuadViewMatrix(1080.0f);
    Float4x4 const Projection = MakeQuadProjectionMatrix(1920.0f, 1080.0f);
    ConstantBuffer Data {};
    StoreMatrices(Data, World, View, Projection);
    const unsigned char* const Bytes = reinterpret_cast<const unsigned char*>(&Data);
    auto FloatAt = [Bytes](size_t Offset) {
        float Value;
        std::memcpy(&Value, Bytes + Offset, sizeof Value);
        return Value;
    };
    // Row i of the stored block is column i of the CPU matrix: the translation moves to the last column.
    EXPECT_EQ(FloatAt(0 * 16 + 3 * 4), 7.0f);
    EXPECT_EQ(FloatAt(3 * 16 + 0 * 4), 0.0f);
    EXPECT_EQ(FloatAt(64 + 2 * 16 + 3 * 4), 540.0f);
    EXPECT_EQ(FloatAt(64 + 3 * 16 + 2 * 4), 0.0f);
    EXPECT_EQ(Bits(FloatAt(128 + 2 * 16 + 3 * 4)), 0xBA831273u);
    EXPECT_EQ(FloatAt(128 + 3 * 16 + 2 * 4), 1.0f);
}
