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
// 1 at the focus) are Start + Behind / 5 and the steps of a fifth from it. The outlines stay smaller
// than half their distance from each other, so that only the one whose centre is nearest along the
// way can touch the pixel. Ahead is five times the pixel's place along the way past Start, so Ahead -
// Behind less its nearest whole number is how far, in fifths of the way, the pixel lies past that
// outline's centre. The outline's frame (Offset) lies along the way, in half-widths of the line.
// Measure is the shape's measure of the pixel in it, which is Size on the line; Near becomes the
// pixel's distance from the nearest line of all.
#define OUTLINE(Behind, Measure, Size) \
{ \
    float Past = Ahead - Behind; \
    float2 Offset = float2((Past - round(Past)) * Step, Across); \
    Near = min(Near, abs((Measure) - (Size))); \
}

#define SQUARE max(abs(Offset.x), abs(Offset.y))
#define TRIANGLE max(0.8660254 * abs(Offset.x) + 0.5 * Offset.y, -Offset.y)
#define CIRCLE dot(Offset, Offset) * Curve

float4 PS(VS_Output Input) : SV_Target
{
    float Aspect = Resolution.x / Resolution.y;
    // One angle moves the anchor and the focus: its sine, a parabola per half turn, drifts the
    // anchor and, with a triangle wave along, takes the focus round a lens.
    float Angle = Time * 0.05;
    Angle = Angle - round(Angle);
    float Sine = Angle - 2.0 * Angle * abs(Angle);
    float Drift = 252.0 * Sine;
    // The anchor, 0.25 frame heights beyond the left edge, moves up and down by 0.45; the focus
    // circles right of the middle. The outlines stream along the straight way between them; Late
    // is the pixel's place along it. Lengths are in half-widths of the outlines' line, 1/70 of the
    // frame height.
    float2 FromAnchor = float2(Input.Color.r * (Aspect * 70.0) + 17.5, Input.Color.g * 70.0 - (Drift + 35.0));
    float2 Way = float2((48.3 + Aspect * 35.0) - 39.2 * abs(Angle), -173.6 * Sine);
    // Late divides by the way's squared length, whose reciprocal a line through the middle of the
    // lengths that the way takes gives to within a tenth; the focus, where the stream ends, moves
    // with that.
    float Reciprocal = 0.00018553 - 8.6045e-9 * dot(Way, Way);
    float Late = dot(FromAnchor, Way) * Reciprocal;
    // Across is the pixel's distance from the way, and Step a fifth of the way's length, which is
    // within a fortieth of its component across the frame.
    float Across = (FromAnchor.y * Way.x - FromAnchor.x * Way.y) * (Reciprocal * Way.x);
    float Step = 0.2 * Way.x;
    // An outline's size and brightness follow the pixel's place along the way rather than its own,
    // which tapers each shape a little toward the focus; the outlines are brightest a little past
    // halfway. A circle's measure is the pixel's squared distance from its centre times Curve,
    // about 1 / Size from a parabola, so that it is Size on the line.
    float Size = 5.25 - 4.41 * Late;
    float LateSquare = Late * Late;
    float Curve = 0.2338 - 0.37 * Late + 1.1276 * LateSquare;
    float Start = Time * 0.07;
    Start = Start - floor(Start);
    float Ahead = Late * 5.0 - Start * 5.0;
    float Near = 1.0;
    OUTLINE(0.0, SQUARE, Size)
    OUTLINE(1.0 / 3.0, TRIANGLE, Size * 0.6)
    OUTLINE(2.0 / 3.0, CIRCLE, Size)
    // The line is hottest at its middle. The outlines turn from green to purple on their way from
    // the anchor to the focus, and so does the glow at the anchor, which falls to a dark ground.
    float Total = (1.0 - Near) * max(Late - LateSquare * Late, 0.0);
    float Source = max(1.0 - dot(FromAnchor, FromAnchor) * 0.00061224, 0.1);
    float Light = Total * (Total * 10.0 + 0.7) + Source * Source;
    float3 Hue = float3(0.2, 1.0, 0.45) + float3(1.0, -0.95, 1.1) * Late;
    return float4(min(Hue * Light, 1.0), 1.0);
}
