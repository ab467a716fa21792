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


// One ribbon seen from a point of the curve at distance Distance: Head is the (cosine, sine) of
// the curve parameter at the ribbon's head, Along the same at the point. The trail covers half a
// loop behind the head, thinning and dimming toward its end; a white core runs inside the glow.
#define RIBBON(Head, Along, Distance, Tint) \
{ \
    float Behind = Head.y * Along.x - Head.x * Along.y; \
    float Trail = saturate(0.5 + 0.5 * dot(Head, Along)); \
    Trail = Trail * Trail * saturate(Behind * 10.0 + 0.5); \
    float Width = 0.005 + 0.013 * Trail; \
    float Glow = saturate(Width * Width / (Distance * Distance + Width * Width) - 0.02); \
    float Halo = saturate(0.06 - Distance) * 6.0; \
    float Core = saturate(1.0 - Distance / (Width * 0.4)); \
    Colour += (Tint * (Glow + Halo * Halo) + Core) * Trail; \
}

float4 PS(VS_Output Input) : SV_Target
{
    float Aspect = Resolution.x / Resolution.y;
    float2 Point = (Input.Color.rg - 0.5) * float2(Aspect, 1.0);
    // Sines for the curve's sway, then for the two heads; the second head falls behind and catches up.
    float4 Angle = float4(Time * 0.37, Time * 0.23, Time * 0.31, 0.0) * 0.15915494;
    Angle = Angle - floor(Angle + 0.5);
    float4 Sway = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    Sway = 0.225 * (Sway * abs(Sway) - Sway) + Sway;
    float First = Time * 0.9;
    float Second = First - 2.6 - 0.5 * Sway.x;
    Angle = float4(First, First + 1.5707963, Second, Second + 1.5707963) * 0.15915494;
    Angle = Angle - floor(Angle + 0.5);
    float4 Heads = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    Heads = 0.225 * (Heads * abs(Heads) - Heads) + Heads;
    // The curve is the figure-eight x = sin t, y = sin t cos t, that is y^2 = x^2 - x^4, turned a
    // little, drawn with a bigger, taller left loop and made smaller in narrow frames.
    float Tilt = 0.12 * Sway.y;
    float2 Curve = float2(Point.x + Tilt * Point.y, Point.y - Tilt * Point.x) * max(1.45, 2.6 / Aspect);
    float Lean = 0.10 + 0.04 * Sway.z;
    Curve = float2(Curve.x + Lean * Curve.x * Curve.x, Curve.y * (1.0 + 1.2 * Lean * Curve.x));
    float X2 = Curve.x * Curve.x;
    float Field = Curve.y * Curve.y - X2 + X2 * X2;
    float2 Gradient = float2(4.0 * X2 * Curve.x - 2.0 * Curve.x, 2.0 * Curve.y);
    float Slope = clamp(Curve.y / (Curve.x + 0.00001), -1.0, 1.0);
    // Around the crossing both branches count, close to the lines y = x (t near 0) and y = -x
    // (t near pi); farther out only the nearest point of the curve does.
    float Near = saturate(dot(Curve, Curve) * 20.0 - 0.4);
    float Side = saturate(Curve.x * Curve.y * 100000.0) * 2.0 - 1.0;
    float Rising = abs(Curve.y - Curve.x) * 0.7071;
    float Falling = abs(Curve.y + Curve.x) * 0.7071;
    float Nearer = lerp(min(Rising, Falling), abs(Field) / max(length(Gradient), 0.05), Near) * 0.69;
    float Farther = lerp(max(Rising, Falling), 1.0, Near) * 0.69;
    float2 NearerAlong = normalize(float2(lerp(Side, Slope, Near), Curve.x));
    float2 FartherAlong = normalize(float2(-Side, Curve.x));
    float3 Colour = float3(0.0, 0.0, 0.0);
    RIBBON(Heads.yx, NearerAlong, Nearer, float3(0.62, 0.22, 1.0))
    RIBBON(Heads.yx, FartherAlong, Farther, float3(0.62, 0.22, 1.0))
    RIBBON(Heads.wz, NearerAlong, Nearer, float3(0.16, 0.42, 1.0))
    RIBBON(Heads.wz, FartherAlong, Farther, float3(0.16, 0.42, 1.0))
    return float4(saturate(Colour), 1.0);
}
