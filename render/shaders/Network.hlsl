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


// One layer of the network: a triangular lattice whose three families of links are the lines where
// one of its three coordinates is a whole number, and whose points are where all three are. The
// layer comes nearer as Depth grows from 0 to 1 (Index quarters apart), brightening and then
// fading, so that the four layers take over from each other without a seam. Each point twinkles
// with a phase from its place. Of the four layers, the brightest link and point show.
#define NETWORK_LAYER(Index) \
{ \
    float Depth = (Zoom + Index) * 0.25; \
    float Near = Depth - Depth * Depth; \
    float2 Lattice = Across * (14.0 - 10.0 * Depth) + 0.37; \
    float3 Coordinate = float3(Lattice, Lattice.y - Lattice.x); \
    float3 Node = round(Coordinate); \
    float3 Off = Coordinate - Node; \
    float3 Square = Off * Off; \
    Lines = max(Lines, Near - 1700.0 * min(min(Square.x, Square.y), Square.z)); \
    float Twinkle = dot(Node.xy, float2(0.618034, 0.381966)) + Sparkle; \
    Twinkle = Twinkle - floor(Twinkle); \
    Sparks = max(Sparks, Near * Twinkle - 100.0 * (Square.x + Square.y)); \
}

float4 PS(VS_Output Input) : SV_Target
{
    float2 Point = (Input.Color.rg - 0.5) * float2(1920.0 / 1080.0, 1.0);
    // The lattice looks the same after a sixth of a turn, so the picture turns by atan(Turn) with
    // Turn a sawtooth from -tan(30) to tan(30), which leaves it stretched by sqrt(1 + Turn^2), as
    // much at one end of the tooth as at the other.
    float Turn = Time * 0.025;
    Turn = (Turn - round(Turn)) * 1.1547005;
    float2 Turned = float2(Point.x - Turn * Point.y, Point.y + Turn * Point.x);
    float2 Across = float2(Turned.y, dot(Turned, float2(0.8660254, 0.5)));
    // In every 230 s the picture fades in over the first 20 s and out between 200 s and 224 s; the
    // tint moves across the cycle and starts again while the picture is black.
    float Cycle = Time - floor(Time / 230.0) * 230.0;
    float Fade = saturate(min(Cycle * 0.05, (224.0 - Cycle) / 24.0));
    float3 Tint = float3(0.4, 0.62, 0.9) + Cycle * float3(0.0014, -0.0004, -0.0008);
    float Zoom = Time * 0.1;
    Zoom = Zoom - floor(Zoom);
    float Sparkle = Time * 0.3;
    float Lines = 0.01;
    float Sparks = 0.0;
    NETWORK_LAYER(0.0)
    NETWORK_LAYER(1.0)
    NETWORK_LAYER(2.0)
    NETWORK_LAYER(3.0)
    return float4(saturate(Tint * (Lines * Fade * 2.4) + Sparks * Fade * 8.0), 1.0);
}
