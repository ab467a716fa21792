#include "render/Matrix.h"
#include "render/Pipeline.h"

#include <gtest/gtest.h>

namespace
{
// The clip-space position of a quad corner, as the vertex shader computes it.
void ToClipSpace(const Vertex& Vertex, const Float4x4& View, const Float4x4& Projection, float (&Clip)[4])
{
    float const Position[4] { Vertex.Position[0], Vertex.Position[1], Vertex.Position[2], 1.0f };
    float Viewed[4];
    TransformRowVector(Position, MultiplyMatrix(IdentityMatrix(), View), Viewed);
    TransformRowVector(Viewed, Projection, Clip);
}
} // namespace

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
