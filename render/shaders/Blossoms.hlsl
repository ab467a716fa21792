// Blossoms drifting down in three parallax layers over a sky that runs from blue at the top to
// white at the bottom; the layers go out of focus toward the top and bottom of the frame.


cbuffer ConstantBuffer : register(b0)
{
    matrix World;
    matrix View;
    matrix Projection;
    float2 Resolution;
    float Time;
};

struct VS_Input
{
    float4 Position : POSITION;
    float4 Color : COLOR;
    float2 TexturePosition : TEXCOORD;
};

struct VS_Output
{
    float4 InputPosition : POSITION;
    float2 TexturePosition : TEXCOORD;
    float4 Position : SV_Position;
    float4 Color : COLOR;
};

VS_Output VS(VS_Input Input)
{
    VS_Output Output;
    Output.InputPosition = Input.Position;
    Output.TexturePosition = Input.TexturePosition;
    Output.Color = Input.Color;
    Output.Position = mul(mul(mul(Input.Position, World), View), Projection);
    return Output;
}

// One layer of blossoms. Turned is the pixel's place in a frame turned by 20 degrees, so that the
// blossoms do not stand in rows; the layer cuts it into cells of 1 / Scale that drift along the
// turned vertical with Speed. The cell nearest the pixel holds at most one blossom, at its centre,
// sized by a hash of the cell (its place times Key): cells with a small hash stay empty. The
// layer's Clear is the share of the layers behind that it leaves, 1 - Weight inside a blossom (the
// sky shows through far ones), and its edge is Steep wide (blurred toward the top and bottom of the
// frame). The layer macros name their arguments for NEAREST_CELL, since the compiler cannot pass a
// macro's argument on to another macro.
#define NEAREST_CELL \
    float2 Cell = float2(Turned.x * Scale, Turned.y * Scale + Time * Speed); \
    float2 Index = round(Cell); \
    float2 Delta = Cell - Index; \
    float Hash = dot(Index, Key); \
    Hash = Hash - floor(Hash);

// A layer of round discs.
#define ROUND_LAYER(LayerScale, LayerSpeed, LayerKey, Weight, Clear) \
{ \
    float Scale = LayerScale; \
    float Speed = LayerSpeed; \
    float2 Key = LayerKey; \
    NEAREST_CELL \
    float Radius2 = dot(Delta, Delta); \
    Clear = clamp((Radius2 - (Hash * 0.03 - 0.009)) * Steep + 1.0, 1.0 - Weight, 1.0); \
}

// A layer of five-petalled blossoms. Lobes is r cos 5a of the pixel's place around the blossom's
// centre (the real part of its fifth power over r^4); Turn times Lobes widens the rim into five
// petals, which point along or against the cell's axis by the sign of Turn. Radius2 is kept for
// the rim's paleness.
#define BLOSSOM_LAYER(LayerScale, LayerSpeed, LayerKey, Turn, Weight, Clear, Radius2) \
{ \
    float Scale = LayerScale; \
    float Speed = LayerSpeed; \
    float2 Key = LayerKey; \
    NEAREST_CELL \
    float2 Square = Delta * Delta; \
    Radius2 = Square.x + Square.y; \
    float Lobes = ((Delta.x * Square.x) * (Square.x - 10.0 * Square.y) + (5.0 * Delta.x) * (Square.y * Square.y)) * (1.0 / (Radius2 * Radius2 + 1e-9)); \
    float Size2 = min(Hash - 0.3, 0.0095 + 0.012 * Hash); \
    Clear = clamp((Radius2 - Size2 - Lobes * Turn) * Steep + 1.0, 1.0 - Weight, 1.0); \
}

// Every operation counts for every pixel of every frame, and on a software rasteriser that is the
// frame rate: the layers share one turned frame, drift along one axis, and take their hash from a
// single product of the cell with an irrational pair.
float4 PS(VS_Output Input) : SV_Target
{
    float2 Picture = Input.Color.rg;
    float Across = Picture.x * (Resolution.x / Resolution.y);
    float2 Turned = float2(Across * 0.94 + Picture.y * 0.34, Picture.y * 0.94 - Across * 0.34);
    // Sharp in the frame's middle row, softer toward its top and bottom edges.
    float Steep = 500.0 - 460.0 * abs(Picture.y * 2.0 - 1.0);
    float Far;
    float Middle;
    float Near;
    float MiddleRadius2;
    float NearRadius2;
    ROUND_LAYER(9.0, 0.03, float2(0.7548777, 0.5698403), 0.55, Far)
    BLOSSOM_LAYER(5.5, 0.05, float2(0.5698403, 0.7548777), -0.057, 0.78, Middle, MiddleRadius2)
    BLOSSOM_LAYER(3.2, 0.085, float2(0.3247, 0.4302), 0.057, 1.0, Near, NearRadius2)
    // The sky runs from white at the bottom to blue at the top, taken here as its difference from
    // the blossoms' pink; the near blossoms pale toward their rims.
    float3 SkyFromPink = float3(0.102, 0.76, 0.532) + float3(-0.81, -0.58, -0.16) * Picture.y;
    float3 Colour = float3(0.868, 0.22, 0.468) + SkyFromPink * ((Far * Middle) * Near) + (1.0 - Near) * NearRadius2 * 30.0;
    return float4(Colour, 1.0);
}
