// Fifteen glowing outlines, squares, triangles and circles in turn, streaming from an anchor
// that moves outside the frame toward a circling focus, green at the start and purple at the end,
// with a glow at the anchor.

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


// One outline of the stream, number Index of 15, whose distance to the pixel is Edge, in the
// outline's own frame (Offset, Size). Its life runs from 0 at the anchor to 1 at the focus along
// a bent path while it shrinks; life, place, size and width hang on the time alone, so that the
// pixel's share is its distance to the shape and the glow, which is summed in Total.
#define OUTLINE(Index, Edge) \
{ \
    float Life = Start + Index / 15.0; \
    Life = Life - floor(Life); \
    float2 Offset = Point - (Anchor + Life * (Bend + Life * Pull)); \
    float Size = 0.3 - 0.27 * Life; \
    float Width = 0.0015 + 0.01 * Size; \
    float Glow = Width * saturate(Life * 10.0) * saturate(6.0 - Life * 6.0) / (abs(Edge) + Width); \
    Total += Glow; \
}

#define SQUARE max(abs(Offset.x), abs(Offset.y)) - Size
#define TRIANGLE max(0.8660254 * abs(Offset.x) + 0.5 * Offset.y, -Offset.y) - Size * 0.6
#define CIRCLE length(Offset) - Size

float4 PS(VS_Output Input) : SV_Target
{
    float Aspect = Resolution.x / Resolution.y;
    float2 Point = (Input.Color.rg - 0.5) * float2(Aspect, 1.0);
    // Sines for the anchor's drift, the focus's circle and the path's bend, a parabola per half turn.
    float4 Angle = Time * float4(0.033423, 0.020690, 0.071620, 0.071620) + float4(0.0, 0.0, 0.0, 0.25);
    Angle = Angle - floor(Angle + 0.5);
    float4 Wave = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    // The anchor moves up and down beyond the left edge; the focus circles right of the middle.
    float2 Anchor = float2(-0.13 - 0.08 * Wave.y - Aspect * 0.5, 0.55 * Wave.x);
    float2 Focus = float2(0.3 + 0.14 * Wave.w, 0.14 * Wave.z);
    float2 Middle = (Anchor + Focus) * 0.5 + float2(0.1 * Wave.x, 0.3 * Wave.y);
    // The path is the quadratic curve from the anchor over Middle to the focus, in powers of life.
    float2 Bend = (Middle - Anchor) * 2.0;
    float2 Pull = Anchor - Middle * 2.0 + Focus;
    float Start = Time * 0.07;
    float Total = 0.0;
    OUTLINE(0.0, SQUARE)
    OUTLINE(1.0, TRIANGLE)
    OUTLINE(2.0, CIRCLE)
    OUTLINE(3.0, SQUARE)
    OUTLINE(4.0, TRIANGLE)
    OUTLINE(5.0, CIRCLE)
    OUTLINE(6.0, SQUARE)
    OUTLINE(7.0, TRIANGLE)
    OUTLINE(8.0, CIRCLE)
    OUTLINE(9.0, SQUARE)
    OUTLINE(10.0, TRIANGLE)
    OUTLINE(11.0, CIRCLE)
    OUTLINE(12.0, SQUARE)
    OUTLINE(13.0, TRIANGLE)
    OUTLINE(14.0, CIRCLE)
    // Overlaps shine brighter than the sum; the faint far glow is cut to black. The outlines turn
    // from green to purple on their way from the anchor to the focus.
    float Shine = Total * (Total + 0.25) - 0.012;
    float2 FromAnchor = Point - Anchor;
    float2 Way = Focus - Anchor;
    float Late = saturate(dot(FromAnchor, Way) / dot(Way, Way));
    float Source = 0.025 / (dot(FromAnchor, FromAnchor) + 0.025);
    float3 Colour = float3(0.01, 0.01, 0.03) + (float3(0.2, 1.0, 0.45) + float3(0.78, -0.74, 0.85) * Late) * Shine;
    Colour += float3(0.55, 1.0, 0.65) * Source;
    return float4(saturate(Colour), 1.0);
}
