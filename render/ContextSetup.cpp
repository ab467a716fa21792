#include "render/Context.h"

#include "diag/ConsoleOutput.h"
#include "render/Quad.h"
#include "render/Window.h"

#include <dxgi1_5.h>

void Application::Context::QueryAllowTearing()
{
    Microsoft::WRL::ComPtr<IDXGIFactory5> Factory5;
    if(FAILED(m_Factory2.As(&Factory5)))
    {
        PrintLine("Warning: No IDXGIFactory5 available");
        return;
    }
    BOOL Value = FALSE;
    if(SUCCEEDED(Factory5->CheckFeatureSupport(DXGI_FEATURE_PRESENT_ALLOW_TEARING, &Value, sizeof Value)))
        m_AllowTearing = Value;
    if(!Value)
        PrintLine("Warning: No support for DXGI_FEATURE_PRESENT_ALLOW_TEARING");
}

void Application::Context::CenterWindow(const RECT& ClientRect)
{
    LONG const Width = ClientRect.right - ClientRect.left;
    LONG const Height = ClientRect.bottom - ClientRect.top;
    RECT const& Desktop = m_OutputDesc.DesktopCoordinates;
    LONG const Left = (Desktop.left + Desktop.right) / 2 - Width / 2;
    LONG const Top = (Desktop.top + Desktop.bottom) / 2 - Height / 2;
    MoveWindow(m_Window.m_Handle, Left, Top, Width, Height, TRUE);
}

void Application::Context::BindQuad(float Width, float Height)
{
    m_DeviceContext->IASetInputLayout(m_VertexInputLayout.Get());
    UINT const Stride = sizeof(Vertex);
    UINT const Offset = 0;
    m_DeviceContext->IASetVertexBuffers(0, 1, m_VertexBuffer.GetAddressOf(), &Stride, &Offset);
    m_DeviceContext->IASetIndexBuffer(m_IndexBuffer.Get(), DXGI_FORMAT_R16_UINT, 0);
    m_DeviceContext->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    m_World = IdentityMatrix();
    m_View = MakeQuadViewMatrix(Height);
    m_Projection = MakeQuadProjectionMatrix(Width, Height);
}
