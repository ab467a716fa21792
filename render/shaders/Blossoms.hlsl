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


// One layer of blossoms. The frame is cut into cells of 1 / Scale that scroll with Shift; each
// cell holds at most one five-petalled blossom, placed and sized by two hashes of the cell. Lobes
// is r cos 5a of the pixel's place around the blossom's centre (the real part of its fifth power
// over r^4), so the rim r = Rim, with Turn times Lobes in it, has five petals, which point right
// or left by the sign of Turn. Its edge, Sharp at the frame's middle row, widens toward the top
// and bottom by Blur. Clear is the share of the layers behind that the blossom leaves: Weight
// below 1 lets the sky show through far ones. Rim paleness goes into Pale. The steps are laid out
// so that few of them wait on each other, which is what costs on a software rasteriser.
#define BLOSSOM_LAYER(Scale, Shift, Seed, Turn, Sharp, Blur, Weight, Clear, Pale) \
{ \
    float2 Cell = Point * Scale + Shift; \
    float2 Index = floor(Cell); \
    float2 Hash = Index.x * float2(0.1031, 0.2713) + Index.y * float2(0.3717, 0.1547) + Seed; \
    Hash = Hash * (Hash + 19.19); \
    Hash = Hash - floor(Hash); \
    float2 Delta = (Cell - Index - 0.35) - Hash * 0.3; \
    float2 Square = Delta * Delta; \
    float Radius2 = Square.x + Square.y; \
    float Lobes = (Delta.x * Square.x) * (Square.x - 10.0 * Square.y) + (5.0 * Delta.x) * (Square.y * Square.y); \
    Lobes = Lobes / (Radius2 * Radius2 + 1e-9); \
    float Rim = (0.11 + 0.04 * Hash.y) + Turn * Lobes; \
    float Edge = (Rim * Rim - Radius2) * (Sharp - Focus * Blur) + min((0.68 - Hash.x) * 2000.0, 0.5); \
    Clear = 1.0 - min(max(Edge * Weight, 0.0), Weight); \
    Pale = (1.0 - Clear) * Radius2; \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Picture = Input.Color.rg;
    float2 Point = float2(Picture.x * (Resolution.x / Resolution.y), Picture.y);
    // 0 on the frame's middle row, 1 at its top and bottom edges.
    float Focus = abs(Picture.y * 2.0 - 1.0);
    float Far;
    float Middle;
    float Near;
    float FarPale;
    float MiddlePale;
    float NearPale;
    BLOSSOM_LAYER(9.0, float2(Time * 0.012 + 3.1, Time * 0.030 + 4.247), 0.31, 0.22, 500.0, 410.0, 0.55, Far, FarPale)
    BLOSSOM_LAYER(5.5, float2(Time * -0.018 + 11.7, Time * 0.050 + 16.03), 0.57, -0.22, 500.0, 460.0, 0.78, Middle, MiddlePale)
    BLOSSOM_LAYER(3.2, float2(Time * 0.025 + 27.3, Time * 0.085 + 37.4), 0.83, 0.22, 500.0, 480.0, 1.0, Near, NearPale)
    // The sky runs from white at the bottom to blue at the top; blossoms are pink, paler at the rim,
    // the near layer's rim in front of the others.
    float3 Sky = lerp(float3(0.97, 0.98, 1.0), float3(0.16, 0.40, 0.84), Picture.y * (1.25 - 0.25 * Picture.y));
    float3 Blossom = float3(0.868, 0.22, 0.468) + float3(8.0, 40.0, 28.0) * (NearPale + Near * max(FarPale, MiddlePale));
    float Amount = 1.0 - (Far * Middle) * Near;
    return float4(Sky + (Blossom - Sky) * Amount, 1.0);
}
