#include "render/ConstantBuffer.h"

void StoreMatrices(ConstantBuffer& Data, const Float4x4& World, const Float4x4& View, const Float4x4& Projection) noexcept
{
    Data.World = TransposeMatrix(World);
    Data.View = TransposeMatrix(View);
    Data.Projection = TransposeMatrix(Projection);
}
