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


// Each layer of the network is a triangular lattice whose three families of links are the lines
// where one of its three coordinates (X, Y, Z = Y - X) is a whole number, and whose points are
// where all three are. The layers are evaluated side by side, one per vector component.
float4 PS(VS_Output Input) : SV_Target
{
    float2 Centred = Input.Color.rg - 0.5;
    // The lattice looks the same after a sixth of a turn about one of its points, and the middle
    // of the frame is a point of every layer, so the picture turns about it by atan(1.1547 Turn)
    // with Turn a sawtooth from -0.5 to 0.5, which leaves it stretched by up to 15 %. Across holds
    // the three coordinates of the turned picture for a lattice step of one frame height, the
    // aspect ratio fixed at 1920/1080.
    float Turn = Time * 0.025;
    Turn = Turn - round(Turn);
    float3 Across;
    Across.x = Centred.y + Centred.x * (Turn * 2.0528009);
    Across.y = Centred.x * (1.5396007 + Turn * 1.0264004) + Centred.y * (0.5 - Turn);
    Across.z = Across.y - Across.x;
    // The layers come nearer as their depth (Zoom + index) / 4 grows from 0 to 1, with 14 down to 4
    // steps to the frame height; Near, the half-width of their links, grows and then falls with
    // depth, so that the four layers take over from each other without a seam.
    float Zoom = Time * 0.1;
    Zoom = Zoom - floor(Zoom);
    float4 Scale = (14.0 - 2.5 * Zoom) - float4(0.0, 2.5, 5.0, 7.5);
    float4 Near = (Zoom + float4(0.0, 1.0, 2.0, 3.0)) * (float4(0.0125, 0.009375, 0.00625, 0.003125) - Zoom * 0.003125);
    // In every 230 s the picture fades in over the first 20 s and out between 200 s and 224 s; the
    // tint moves across the cycle and starts again while the picture is black.
    float Cycle = Time - floor(Time * (1.0 / 230.0)) * 230.0;
    float Fade = saturate(min(Cycle * 0.05, 9.3333333 - Cycle * 0.0416667));
    float3 Tint = float3(19.2, 29.76, 43.2) + Cycle * float3(0.0672, -0.0192, -0.0384);
    // The points twinkle with a triangle wave of a phase that changes quickly across the frame and
    // runs with the time, so that neighbouring points twinkle apart.
    float Phase = Centred.x * 41.0 + Centred.y * 27.0 + (Centred.x * Centred.y) * 90.0 + Time * 0.3;
    float Glint = abs(Phase - round(Phase)) * 8.0;
    float4 X = Across.x * Scale;
    float4 Y = Across.y * Scale;
    float4 Z = Across.z * Scale;
    float4 OffX = abs(X - round(X));
    float4 OffY = abs(Y - round(Y));
    float4 OffZ = abs(Z - round(Z));
    // A link glows as far as Near from its line, a point up to Near * Glint from its place; of the
    // four layers, the brightest link and point show.
    float4 Lines = Near - min(min(OffX, OffY), OffZ);
    float4 Sparks = Near * Glint - (OffX + OffY);
    float Line = max(max(Lines.x, Lines.y), max(Lines.z, max(Lines.w, 0.0005)));
    float Spark = max(max(Sparks.x, Sparks.y), max(Sparks.z, max(Sparks.w, 0.0)));
    return float4(min(Tint * Line + Spark * 40.0, 1.0) * Fade, 1.0);
}
