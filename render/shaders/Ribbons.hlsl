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


// Every operation counts for every pixel of every frame, and on a software rasteriser that is the
// frame rate, so the heads keep a fixed distance, the curve a fixed lean, and the place along the
// curve is read off a straight scale instead of an angle.
float4 PS(VS_Output Input) : SV_Target
{
    // The curve is the figure-eight x = sin t, y = sin t cos t, that is y^2 = x^2 - x^4, made smaller
    // in frames narrower than 16:9 (by a line that stays above 2.6 / Aspect down to square frames),
    // and drawn with a bigger left loop.
    float Aspect = Resolution.x / Resolution.y;
    float Scale = max(1.45, 4.2 - 1.55 * Aspect);
    float2 Curve = (Input.Color.rg - 0.5) * float2(Aspect * Scale, Scale);
    Curve.x = Curve.x * (1.0 + 0.12 * Curve.x);
    // The distance to the curve is its equation's value over the length of its gradient; the glow
    // is taken from the squares of both, so that no root is needed. The gradient comes scaled by the
    // glow's radius, 0.005.
    float X2 = Curve.x * Curve.x;
    float Y2 = Curve.y * Curve.y;
    float Level = Y2 - X2 * (1.0 - X2);
    float Slope = (0.02 * X2 - 0.01) * Curve.x;
    float Width = Slope * Slope + Y2 * 0.0001;
    float Shape = Width / (Level * Level + Width);
    // Where along the loop the pixel lies, in turns, up to a constant: a quarter turn per unit of x,
    // forward on the branch y = x cos t with x y > 0 (cos t > 0) and backward on the other one.
    // Trail holds how far each head is ahead of the pixel, in turns: the purple head runs 0.389 turns
    // before the blue one. Each trail covers half a loop behind its head, dimming toward its end, and
    // rises over the last sixtieth of a turn to its head, so that the head and its glow end softly
    // instead of along the line where the place along the loop starts again.
    float Branch = clamp(Curve.x * Curve.y * 20000.0, -0.25, 0.25);
    float2 Trail = (Time * 0.143239 + (1.0 - Curve.x) * Branch) + float2(0.75, 0.361);
    Trail = Trail - floor(Trail);
    Trail = saturate(min(1.0 - 2.0 * Trail, 60.0 * Trail));
    Trail = Trail * Trail;
    Trail = Trail * Shape;
    // Both colours are overexposed several times, so that the middle of a ribbon, where its
    // weakest channel reaches one, burns white, and the colour shows in the glow around it.
    float3 Colour = Trail.x * float3(5.0, 1.8, 8.0) + Trail.y * float3(1.7, 2.8, 8.0);
    return float4(min(Colour, 1.0), 1.0);
}
