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


// One layer of blossoms. The frame is cut into cells of 1 / Scale with rows shifted against each
// other; each cell holds at most one five-petalled blossom, set by one hash of the cell, while the
// layer scrolls and sways by Shift. Turn (+0.5 or -0.5) sets the way the petals point; a blossom is
// pink, paler toward the rim. Its edge widens toward the top and bottom of the frame by Blur;
// Weight below 1 lets the sky show through the far layers.
#define BLOSSOM_LAYER(Scale, Shift, Seed, Turn, Blur, Weight) \
{ \
    float2 Cell = Point * Scale + Shift; \
    Cell.x += floor(Cell.y) * 0.37; \
    float2 Index = floor(Cell); \
    float Hash = dot(Index, float2(0.1031, 0.3717)) + Seed; \
    Hash = Hash - floor(Hash); \
    Hash = Hash * (Hash + 19.19); \
    Hash = Hash - floor(Hash); \
    float Other = Hash * 7.31; \
    Other = Other - floor(Other); \
    float2 Delta = Cell - Index - float2(Hash, Other) * 0.3 - 0.35; \
    float Distance = length(Delta); \
    float Across = Delta.x / Distance; \
    float C2 = Across * Across; \
    float Petal = 0.5 + Turn * Across * ((16.0 * C2 - 20.0) * C2 + 5.0); \
    float Gap = (1.0 - Petal) * (1.0 - Petal); \
    float Radius = 0.12 + 0.05 * Other; \
    float Sharpness = 1.0 / (Scale / Resolution.y * 1.5 + Focus * Blur); \
    float Cover = saturate((Radius - Radius * 0.5 * Gap * Gap - Distance) * Sharpness + 0.5); \
    Cover = Cover * saturate((0.68 - Hash) * 200.0) * Weight; \
    Colour += Cover * (float3(0.868, 0.22, 0.468) - Colour + float3(0.8, 4.0, 2.8) * Distance); \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Picture = Input.Color.rg;
    float2 Point = float2(Picture.x * Resolution.x / Resolution.y, Picture.y);
    float3 Colour = lerp(float3(0.97, 0.98, 1.0), float3(0.16, 0.40, 0.84), Picture.y * (1.25 - 0.25 * Picture.y));
    // 0 on the frame's middle row, 1 at its top and bottom edges, growing faster toward them.
    float Focus = Picture.y * 2.0 - 1.0;
    Focus = Focus * Focus;
    // The sway's sine, a parabola per half turn; the near layers sway twice as fast.
    float2 Angle = Time * float2(0.127324, 0.254648);
    Angle = Angle - floor(Angle + 0.5);
    float2 Sway = (8.0 * Angle - 16.0 * Angle * abs(Angle)) * 0.08;
    BLOSSOM_LAYER(9.0, float2(Time * 0.012 + 3.1 + Sway.x, Time * 0.030 + 4.247), 0.31, 0.5, 0.04, 0.55)
    BLOSSOM_LAYER(5.5, float2(Time * -0.018 + 11.7 + Sway.y, Time * 0.050 + 16.03), 0.57, -0.5, 0.09, 0.78)
    BLOSSOM_LAYER(3.2, float2(Time * 0.025 + 27.3 + Sway.y, Time * 0.085 + 37.4), 0.83, 0.5, 0.16, 1.0)
    return float4(Colour, 1.0);
}
