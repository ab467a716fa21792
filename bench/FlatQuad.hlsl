// The cheapest picture with the pictures' interface: the frame's coordinates as red and green, and
// blue that runs with the aspect ratio and the time, so that every input of a picture is read.

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

float4 PS(VS_Output Input) : SV_Target
{
    float Blue = Time * 0.1 + Resolution.x / Resolution.y;
    return float4(Input.Color.rg, Blue - floor(Blue), 1.0);
}
