// A slowly turning network of linked, sparkling points in four zooming layers under a slowly
// changing tint; in every 230 s it fades in over the first 20 s and out between 200 s and 224 s.

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


// The fractional part, for this compiler has no frac.
#define FRACTION(Value) ((Value) - floor(Value))

// One layer of the network at zoom phase Phase (0 to 1, repeating): a triangular lattice of
// jittered, twinkling points, each triangle's three links drawn as thin lines that fade with
// their length; a point brightens slowly and goes out at once. The layer comes nearer as its
// phase grows, fading in and out on the way, and takes a new lattice each time round.
#define NETWORK_LAYER(Offset) \
{ \
    float Phase = Offset; \
    float Depth = Zoom + Phase; \
    float Round = floor(Depth); \
    Depth = Depth - Round; \
    float Fade = Depth * (1.0 - Depth) * 4.0; \
    Fade = Fade * Fade; \
    float2 Grid = Turned * (14.0 - 10.0 * Depth) + FRACTION(float2(Round, Round + Phase) * float2(0.3183, 0.2357)) * 100.0; \
    float2 Skewed = Grid + (Grid.x + Grid.y) * 0.3660254; \
    float2 Corner = floor(Skewed); \
    float2 Inside = Skewed - Corner; \
    float Upper = saturate((Inside.y - Inside.x) * 10000.0); \
    float3 Column = Corner.x + float3(0.0, 1.0 - Upper, 1.0); \
    float3 Row = Corner.y + float3(0.0, Upper, 1.0); \
    float3 Hash = FRACTION(Column * 0.1031 + Row * 0.4137 + Round * 0.0719); \
    Hash = Hash * (Hash + 33.33); \
    Hash = Hash - floor(Hash); \
    float3 Other = Hash * 7.77; \
    Other = Other - floor(Other) - 0.5; \
    float2 Base = (Inside.x + Inside.y) * 0.2113249 - Inside; \
    float2 A = Base + float2(Hash.x - 0.5, Other.x) * 0.3; \
    float2 B = Base + float2(0.7886751 - Upper, Upper - 0.2113249) + float2(Hash.y - 0.5, Other.y) * 0.3; \
    float2 C = Base + 0.5773503 + float2(Hash.z - 0.5, Other.z) * 0.3; \
    float2 AB = B - A; \
    float2 BC = C - B; \
    float2 AC = C - A; \
    float3 Length = float3(dot(AB, AB), dot(BC, BC), dot(AC, AC)); \
    float2 QAB = A + AB * saturate(-dot(A, AB) / Length.x); \
    float2 QBC = B + BC * saturate(-dot(B, BC) / Length.y); \
    float2 QAC = A + AC * saturate(-dot(A, AC) / Length.z); \
    float3 Near = float3(dot(QAB, QAB), dot(QBC, QBC), dot(QAC, QAC)); \
    Lines += dot(saturate(0.0002 / (Near + 0.0002) - 0.02), saturate(1.6 - Length * 2.2)) * Fade; \
    float3 Twinkle = FRACTION(Hash * 5.3 + Time * 0.3); \
    Twinkle = Twinkle * Twinkle; \
    float3 Spot = float3(dot(A, A), dot(B, B), dot(C, C)); \
    Sparks += dot(saturate(0.002 / (Spot + 0.002) - 0.05), 0.3 + Twinkle * 1.5) * Fade; \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Point = (Input.Color.rg - 0.5) * float2(1920.0 / 1080.0, 1.0);
    // Sines of the network's turn and of the tint's two phases.
    float4 Angle = float4(Time * 0.03, Time * 0.03 + 1.5707963, Time * 0.07, Time * 0.05 + 2.0) * 0.15915494;
    Angle = Angle - floor(Angle + 0.5);
    float4 Wave = 8.0 * Angle - 16.0 * Angle * abs(Angle);
    Wave = 0.225 * (Wave * abs(Wave) - Wave) + Wave;
    float2 Turned = float2(Point.x * Wave.y - Point.y * Wave.x, Point.x * Wave.x + Point.y * Wave.y);
    float3 Tint = float3(0.45 + 0.3 * Wave.z, 0.6 + 0.35 * Wave.w, 0.9 - 0.25 * Wave.w);
    // In every 230 s the picture fades in over the first 20 s and out between 200 s and 224 s.
    float Cycle = Time - floor(Time / 230.0) * 230.0;
    float Fade = saturate(Cycle / 20.0) * saturate((224.0 - Cycle) / 24.0);
    float Zoom = Time * 0.025;
    float Lines = 0.0;
    float Sparks = 0.0;
    NETWORK_LAYER(0.0)
    NETWORK_LAYER(0.25)
    NETWORK_LAYER(0.5)
    NETWORK_LAYER(0.75)
    float3 Colour = float3(0.01, 0.015, 0.04) * (1.0 - Input.Color.g * 0.6) + Tint * Lines * 0.7 + lerp(Tint, float3(1.0, 1.0, 1.0), 0.6) * Sparks;
    return float4(saturate(Colour * Fade), 1.0);
}
