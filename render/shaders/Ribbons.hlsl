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


// One ribbon on both branches of the curve. Head is the (cosine, sine) of the curve parameter at
// the ribbon's head; the pixel's parameter on a branch has the cosine Along.x or -Along.x and the
// sine Along.y. The trail covers half a loop behind the head and dims toward its end; Shape and
// Centre are the branches' glow and white core, which Glow and Core add up along the trail.
#define RIBBON(Head, Glow, Core) \
{ \
    float Level = Head.x * Along.x; \
    float Ahead = Head.y * Along.y; \
    float2 Trail = saturate(0.5 + 0.5 * float2(Ahead + Level, Ahead - Level)); \
    float Cross = Head.y * Along.x; \
    float Lag = Head.x * Along.y; \
    Trail = Trail * Trail * saturate(10.0 * float2(Cross - Lag, -Cross - Lag) + 0.5); \
    Glow += dot(Trail, Shape); \
    Core += dot(Trail, Centre); \
}

float4 PS(VS_Output Input) : SV_Target
{
    float Aspect = Resolution.x / Resolution.y;
    float2 Point = (Input.Color.rg - 0.5) * float2(Aspect, 1.0);
    // Sines of the curve's sway and the cosine of the first head's angle, then the sines of both
    // heads' angles and the second's cosine, a parabola per half turn; the second head falls
    // behind the first and catches up.
    float4 Angle = Time * float4(0.058887, 0.036606, 0.049338, 0.143239) + float4(0.0, 0.0, 0.0, 0.25);
    Angle = Angle - floor(Angle + 0.5);
    float4 Sway = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    float3 Heads = Time * 0.143239 - float3(0.0, 0.413803, 0.163803) - float3(0.0, 0.079577, 0.079577) * Sway.x;
    Heads = Heads - floor(Heads + 0.5);
    Heads = 8.0 * Heads - 16.0 * Heads * abs(Heads);
    float2 First = float2(Sway.w, Heads.x);
    float2 Second = float2(Heads.z, Heads.y);
    // The curve is the figure-eight x = sin t, y = sin t cos t, that is y^2 = x^2 - x^4, turned a
    // little, drawn with a bigger, taller left loop and made smaller in narrow frames.
    float Tilt = 0.12 * Sway.y;
    float2 Curve = float2(Point.x + Tilt * Point.y, Point.y - Tilt * Point.x) * max(1.45, 2.6 / Aspect);
    float Lean = 0.10 + 0.04 * Sway.z;
    Curve = float2(Curve.x + Lean * Curve.x * Curve.x, Curve.y * (1.0 + 1.2 * Lean * Curve.x));
    // Its two branches y = x c and y = -x c, c = sqrt(1 - x^2) being cos t, cross at the origin and
    // meet at the loops' ends. The distance to a branch is its height over the pixel across its
    // slope, never less than the distance to the nearer branch from the curve's equation, which
    // holds at the loops' ends where the branches stand upright and the height counts less. Both
    // are taken times c, so that c appears once and a cubic in x^2 is near enough for it.
    float X2 = Curve.x * Curve.x;
    float Square = 1.0 - X2;
    float Cosine = 1.0013 + X2 * (-0.5503 + X2 * (0.1354 - 0.4054 * X2));
    float2 Gradient = float2((4.0 * X2 - 2.0) * Curve.x, 2.0 * Curve.y);
    float Nearest = 0.69 * abs(Curve.y * Curve.y - X2 * Square) / max(length(Gradient), 0.05);
    float Across = 0.69 * saturate(Square * 4.0) / length(float2(2.0 * X2 - 1.25, 0.6614378));
    float2 Distance = max(abs(Curve.y * Cosine + float2(-1.0, 1.0) * Curve.x * Square) * Across, Nearest);
    // The branches' (cosine, sine) of the curve parameter, not quite of unit length, are
    // (Along.x, Along.y) and (-Along.x, Along.y).
    float2 Along = float2(Square, Curve.x);
    float2 Shape = 0.0001 / (Distance * Distance + 0.0001);
    float2 Centre = saturate(Shape * 8.0 - 6.9);
    float Purple = 0.0;
    float Blue = 0.0;
    float Core = 0.0;
    RIBBON(First, Purple, Core)
    RIBBON(Second, Blue, Core)
    // Where the branches meet they are one: each counts half.
    float Share = saturate(0.5 + 18.0 * Square);
    float3 Colour = float3(0.62, 0.22, 1.0) * (Purple * Share) + float3(0.16, 0.42, 1.0) * (Blue * Share) + (Core * Share - 0.02);
    return float4(saturate(Colour), 1.0);
}
