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


// The outlines of one shape, every third of the fifteen, five in all: their lives (0 at the anchor,
// 1 at the focus) are Phase and the steps of a fifth from it. The outlines stay smaller than half
// their distance from each other, so that only the one whose centre is nearest along the way can
// touch the pixel: that one, at Life, adds its line's glow to Total, brightest a little past
// halfway from the anchor to the focus. Edge is its distance to the pixel in its own frame
// (Offset, Size).
#define OUTLINE(Phase, Edge) \
{ \
    float Life = Phase + 0.2 * round(Late * 5.0 - (Phase) * 5.0); \
    float2 Offset = FromAnchor - Life * Way; \
    float Size = 0.075 - 0.063 * Life; \
    Total += max(1.0 - abs(Edge) * 70.0, 0.0) * max(Life - Life * Life * Life, 0.0); \
}

#define SQUARE max(abs(Offset.x), abs(Offset.y)) - Size
#define TRIANGLE max(0.8660254 * abs(Offset.x) + 0.5 * Offset.y, -Offset.y) - Size * 0.6
#define CIRCLE (dot(Offset, Offset) - Size * Size) * 0.5 / Size

float4 PS(VS_Output Input) : SV_Target
{
    float Aspect = Resolution.x / Resolution.y;
    // Sines for the anchor's drift and the focus's circle, a parabola per half turn.
    float3 Angle = Time * float3(0.033423, 0.071620, 0.071620) + float3(0.0, 0.0, 0.25);
    Angle = Angle - round(Angle);
    float3 Wave = Angle * (8.0 - 16.0 * abs(Angle));
    // The anchor moves up and down 0.25 beyond the left edge; the focus circles right of the
    // middle. The outlines stream along the straight way between them; Late is the pixel's place
    // along it. Lengths are in frame heights.
    float2 FromAnchor = float2(Input.Color.r * Aspect + 0.25, Input.Color.g - 0.5 - 0.45 * Wave.x);
    float2 Way = float2(0.55 + Aspect * 0.5 + 0.14 * Wave.z, 0.14 * Wave.y - 0.45 * Wave.x);
    // Late divides by the way's squared length, whose reciprocal two Newton steps from 1 / 2.2 give
    // to within a percent for the lengths that the way takes.
    float Reciprocal = 0.9091 - 0.2066 * dot(Way, Way);
    Reciprocal = Reciprocal * (2.0 - dot(Way, Way) * Reciprocal);
    float Late = dot(FromAnchor, Way) * Reciprocal;
    float Start = Time * 0.07;
    Start = Start - floor(Start);
    float Total = 0.0;
    OUTLINE(Start, SQUARE)
    OUTLINE(Start + 1.0 / 15.0, TRIANGLE)
    OUTLINE(Start + 2.0 / 15.0, CIRCLE)
    // Overlaps shine brighter than the sum. The outlines turn from green to purple on their way
    // from the anchor to the focus.
    float Shine = Total * (Total * 10.0 + 0.7);
    // The glow at the anchor falls to a dark ground.
    float Source = max(1.0 - dot(FromAnchor, FromAnchor) * 3.0, 0.15);
    Source = Source * Source;
    float3 Colour = float3(0.2, 1.0, 0.45) * Shine + float3(1.0, -0.95, 1.1) * (Late * Shine) + float3(0.5, 0.9, 0.6) * Source;
    return float4(min(Colour, 1.0), 1.0);
}
