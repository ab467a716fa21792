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


// One layer of blossoms. The frame, turned by the angle whose cosine and sine are Tilt, is cut
// into cells of 1 / Scale with rows shifted against each other; each cell holds at most one
// five-petalled blossom that sways, tilts and turns while the layer scrolls down and sideways.
// Spin is the layer's turn as (cosine, sine) of five times its angle and Sway the (sine, cosine)
// of its sway angle; each blossom adds its own phase and turns one way or the other.
// Blur widens the edges toward the top and bottom of the frame; Weight below 1 lets the sky
// show through the far layers.
#define BLOSSOM_LAYER(Scale, Tilt, Fall, Drift, Seed, Spin, Sway, Blur, Weight) \
{ \
    float2 Cell = float2(dot(Point, Tilt), dot(Point, float2(-Tilt.y, Tilt.x))) * Scale; \
    Cell += float2(Time * Drift + Seed, Time * Fall + Seed * 1.37); \
    Cell.x += floor(Cell.y) * 0.37; \
    float2 Index = floor(Cell); \
    float2 Local = Cell - Index - 0.5; \
    float3 Hash = float3(Index.x, Index.y, Index.x + Index.y + Seed) * float3(0.1031, 0.1030, 0.0973); \
    Hash = Hash - floor(Hash); \
    Hash += dot(Hash, Hash.yzx + 33.33); \
    Hash = (Hash.xxy + Hash.yzz) * Hash.zyx; \
    Hash = Hash - floor(Hash); \
    float2 Phase = normalize(Hash.xy - 0.499); \
    float Turn = floor(Hash.z * 2.0) * 2.0 - 1.0; \
    float2 Rotation = float2(Phase.x * Spin.x - Phase.y * Spin.y * Turn, Phase.y * Spin.x + Phase.x * Spin.y * Turn); \
    float Swing = Phase.x * Sway.x + Phase.y * Sway.y; \
    float Radius = 0.12 + 0.05 * Hash.z; \
    float2 Delta = Local - (Hash.xy - 0.5) * 0.3 - float2(Swing * 0.04, 0.0); \
    Delta.x = Delta.x * (1.15 + 0.15 * Swing); \
    float Distance = length(Delta); \
    float2 Direction = Delta * (1.0 / max(Distance, 0.0001)); \
    float C2 = Direction.x * Direction.x; \
    float S2 = Direction.y * Direction.y; \
    float Cos5 = Direction.x * (16.0 * C2 * C2 - 20.0 * C2 + 5.0); \
    float Sin5 = Direction.y * (16.0 * S2 * S2 - 20.0 * S2 + 5.0); \
    float Petal = 0.5 + 0.5 * (Cos5 * Rotation.x + Sin5 * Rotation.y); \
    float Gap = (1.0 - Petal) * (1.0 - Petal); \
    float Tip = Petal * Petal; \
    Tip = Tip * Tip; \
    Tip = Tip * Tip; \
    float Outline = Radius * (1.0 - 0.5 * Gap * Gap - 0.12 * Tip * Tip); \
    float Edge = Scale / Resolution.y * 1.5 + Focus * Focus * Blur; \
    float Cover = saturate((Outline - Distance) / Edge + 0.5) * saturate((0.68 - Hash.z) * 200.0); \
    float Shade = saturate(Distance / Radius); \
    float3 Bloom = float3(0.90, 0.38, 0.58) + float3(0.10, 0.50, 0.35) * Shade; \
    Bloom += float3(0.1, 0.42, -0.5) * saturate(0.7 - Shade * 4.0); \
    Colour = lerp(Colour, Bloom, Cover * Weight); \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Picture = Input.Color.rg;
    float2 Point = float2(Picture.x * Resolution.x / Resolution.y, Picture.y);
    float3 Colour = lerp(float3(0.97, 0.98, 1.0), float3(0.16, 0.40, 0.84), Picture.y * (1.25 - 0.25 * Picture.y));
    // 0 on the frame's middle row, 1 at its top and bottom edges.
    float Focus = abs(Picture.y - 0.5) * 2.0;
    // Sines of the turn and sway angles: a parabola per half turn, corrected once.
    float4 Angle = float4(Time * 1.5, Time * 1.5 + 1.5707963, Time * 0.8, Time * 0.8 + 1.5707963) * 0.15915494;
    Angle = Angle - floor(Angle + 0.5);
    float4 Wave = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    Wave = 0.225 * (Wave * abs(Wave) - Wave) + Wave;
    float2 Spin = Wave.yx;
    float2 Sway = Wave.zw;
    float2 FastSway = float2(2.0 * Wave.z * Wave.w, Wave.w * Wave.w - Wave.z * Wave.z);
    BLOSSOM_LAYER(9.0, float2(0.985, 0.174), 0.030, 0.012, 3.1, Spin, Sway, 0.04, 0.55)
    BLOSSOM_LAYER(5.5, float2(0.966, -0.259), 0.050, -0.018, 11.7, float2(Spin.x, -Spin.y), FastSway, 0.09, 0.78)
    BLOSSOM_LAYER(3.2, float2(1.0, 0.0), 0.085, 0.025, 27.3, Spin, FastSway, 0.16, 1.0)
    return float4(Colour, 1.0);
}
