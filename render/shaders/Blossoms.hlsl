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


// One layer of blossoms. The frame is cut into cells of 1 / Scale that scroll and sway with Shift;
// each cell holds at most one five-petalled blossom, placed and sized by one hash of the cell.
// Lobes is r cos 5a of the pixel's place around the blossom's centre (the real part of its fifth
// power over r^4), so the rim r = Rim, with Turn times Lobes in it, has five petals, which point
// right or left by the sign of Turn. Its edge, Sharp at the frame's middle row, widens toward the
// top and bottom by Blur. The blossom covers the layers behind it by Weight (below 1 lets the sky
// show through far ones), and its rim is paler than its middle.
#define BLOSSOM_LAYER(Scale, Shift, Seed, Turn, Sharp, Blur, Weight) \
{ \
    float2 Cell = Point * Scale + Shift; \
    float2 Index = floor(Cell); \
    float Hash = dot(Index, float2(3.1031, 7.3717)) * Index.x + Index.y * 0.4137 + Seed; \
    Hash = Hash - floor(Hash); \
    float Other = Hash * 7.31; \
    Other = Other - floor(Other); \
    float2 Delta = Cell - Index - float2(Hash, Other) * 0.3 - 0.35; \
    float2 Square = Delta * Delta; \
    float Radius2 = Square.x + Square.y; \
    float Lobes = Delta.x * (Square.x * (Square.x - 10.0 * Square.y) + 5.0 * Square.y * Square.y) / (Radius2 * Radius2 + 1e-9); \
    float Rim = 0.11 + 0.04 * Other + Turn * Lobes; \
    float Cover = saturate((Rim * Rim - Radius2) * (Sharp - Focus * Blur) + min((0.68 - Hash) * 2000.0, 0.5)) * Weight; \
    Amount = Amount + Cover * (1.0 - Amount); \
    Pale = Pale + Cover * (Radius2 - Pale); \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Picture = Input.Color.rg;
    float2 Point = float2(Picture.x * (Resolution.x / Resolution.y), Picture.y);
    // 0 on the frame's middle row, 1 at its top and bottom edges.
    float Focus = abs(Picture.y * 2.0 - 1.0);
    // The sway's sine, a parabola per half turn; the near layers sway twice as fast.
    float2 Angle = Time * float2(0.127324, 0.254648);
    Angle = Angle - round(Angle);
    float2 Sway = Angle * (0.64 - 1.28 * abs(Angle));
    float Amount = 0.0;
    float Pale = 0.0;
    BLOSSOM_LAYER(9.0, float2(Time * 0.012 + 3.1 + Sway.x, Time * 0.030 + 4.247), 0.31, 0.22, 500.0, 410.0, 0.55)
    BLOSSOM_LAYER(5.5, float2(Time * -0.018 + 11.7 + Sway.y, Time * 0.050 + 16.03), 0.57, -0.22, 500.0, 460.0, 0.78)
    BLOSSOM_LAYER(3.2, float2(Time * 0.025 + 27.3 + Sway.y, Time * 0.085 + 37.4), 0.83, 0.22, 500.0, 480.0, 1.0)
    // The sky runs from white at the bottom to blue at the top; blossoms are pink, paler at the rim.
    float3 Sky = lerp(float3(0.97, 0.98, 1.0), float3(0.16, 0.40, 0.84), Picture.y * (1.25 - 0.25 * Picture.y));
    float3 Blossom = float3(0.868, 0.22, 0.468) + float3(8.0, 40.0, 28.0) * Pale;
    return float4(lerp(Sky, Blossom, Amount), 1.0);
}
