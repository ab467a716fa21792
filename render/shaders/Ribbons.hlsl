// Two glowing ribbons, one purple and one blue, with white cores, chasing each other along a
// lopsided figure-eight on black.


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


// One ribbon: its trail covers half a loop behind its head, dimming toward its end. Head is the
// (cosine, sine) of the curve parameter at the head, Along those at the pixel; Trail becomes the
// ribbon's share of the glow there.
#define RIBBON(Head, Trail) \
{ \
    float Ahead = dot(Head, Along); \
    float Behind = Head.y * Along.x - Head.x * Along.y; \
    Trail = 0.5 + 0.5 * Ahead; \
    Trail = Trail * Trail * saturate(10.0 * Behind + 0.5); \
}

// Every operation counts for every pixel of every frame, and on a software rasteriser that is the
// frame rate, so the heads keep a fixed distance and the curve a fixed lean.
float4 PS(VS_Output Input) : SV_Target
{
    // The curve is the figure-eight x = sin t, y = sin t cos t, that is y^2 = x^2 - x^4, made smaller
    // in frames narrower than 16:9 (by a line that stays above 2.6 / Aspect down to square frames),
    // and drawn with a bigger left loop.
    float Aspect = Resolution.x / Resolution.y;
    float Scale = max(1.45, 4.2 - 1.55 * Aspect);
    float2 Curve = (Input.Color.rg - 0.5) * float2(Aspect * Scale, Scale);
    Curve.x = Curve.x * (1.0 + 0.12 * Curve.x);
    // The first head's angle: its sine and cosine, a parabola per half turn. The second head runs
    // 140 degrees behind: the first head's angle turned by the lag's cosine and sine.
    float2 Angle = Time * 0.143239 + float2(0.0, 0.25);
    Angle = Angle - round(Angle);
    float2 Wave = Angle * (8.0 - 16.0 * abs(Angle));
    float2 First = Wave.yx;
    float2 Second = float2(0.643 * Wave.x - 0.766 * Wave.y, -0.643 * Wave.y - 0.766 * Wave.x);
    // The distance to the curve is its equation's value over the length of its gradient; the glow
    // is taken from the squares of both, so that no root is needed.
    float X2 = Curve.x * Curve.x;
    float Y2 = Curve.y * Curve.y;
    float Square = 1.0 - X2;
    float Level = Y2 - X2 * Square;
    float Slope = (4.0 * X2 - 2.0) * Curve.x;
    float Width = Slope * Slope * 0.0001 + Y2 * 0.0004;
    float Shape = Width / (Level * Level + Width);
    float Centre = saturate(Shape * 8.0 - 6.9);
    // The branch y = x cos t, where x y > 0, has the positive cosine; on the other one it is
    // negative. (cos t squared, sin t) is near enough in direction for the trails.
    float2 Along = float2(Square * clamp(Curve.x * Curve.y * 2000.0, -1.0, 1.0), Curve.x);
    float Purple;
    float Blue;
    RIBBON(First, Purple)
    RIBBON(Second, Blue)
    float Core = (Purple + Blue) * Centre;
    Purple = Purple * Shape;
    Blue = Blue * Shape;
    float3 Colour = float3(0.62 * Purple + 0.16 * Blue, 0.22 * Purple + 0.42 * Blue, Purple + Blue) + Core;
    return float4(min(Colour, 1.0), 1.0);
}
