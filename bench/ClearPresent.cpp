// The least a flip-model presentation loop does, for comparison with the program's frame rate:
//   ClearPresent <width> <height> <seconds>
// opens a window whose client area is width x height, clears and presents a flip-discard swap
// chain of two B8G8R8A8 buffers with sync interval 0 for the given time and prints
// "ClearPresent: <presents> presents in <seconds> s (<rate> per second)".
#include "diag/Check.h"

#include <d3d11.h>
#include <dxgi1_2.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>

using Microsoft::WRL::ComPtr;

namespace
{
LRESULT CALLBACK WindowProcedure(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if(Message == WM_DESTROY)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}

HWND CreateOutputWindow(UINT Width, UINT Height)
{
    WNDCLASSEXW Class {};
    Class.cbSize = sizeof Class;
    Class.lpfnWndProc = WindowProcedure;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Class.lpszClassName = L"ClearPresentWindowClass";
    CHECK_WIN32(RegisterClassExW(&Class));
    RECT Rectangle { 0, 0, static_cast<LONG>(Width), static_cast<LONG>(Height) };
    DWORD const Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    CHECK_WIN32(AdjustWindowRect(&Rectangle, Style, FALSE));
    HWND const Window = CreateWindowExW(0, Class.lpszClassName, L"ClearPresent", Style, CW_USEDEFAULT, CW_USEDEFAULT,
        Rectangle.right - Rectangle.left, Rectangle.bottom - Rectangle.top, nullptr, nullptr, Class.hInstance, nullptr);
    CHECK_WIN32(Window);
    ShowWindow(Window, SW_SHOWNORMAL);
    return Window;
}

// False once the window has been closed.
bool PumpMessages()
{
    MSG Message;
    while(PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE))
    {
        if(Message.message == WM_QUIT)
            return false;
        DispatchMessageW(&Message);
    }
    return true;
}

class Presenter
{
public:
    Presenter(HWND Window, UINT Width, UINT Height)
    {
        CHECK_HRESULT(D3D11CreateDevice(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, D3D11_CREATE_DEVICE_BGRA_SUPPORT, nullptr, 0,
            D3D11_SDK_VERSION, m_Device.GetAddressOf(), nullptr, m_DeviceContext.GetAddressOf()));
        ComPtr<IDXGIDevice> Device;
        CHECK_HRESULT(m_Device.As(&Device));
        ComPtr<IDXGIAdapter> Adapter;
        CHECK_HRESULT(Device->GetAdapter(Adapter.GetAddressOf()));
        ComPtr<IDXGIFactory2> Factory;
        CHECK_HRESULT(Adapter->GetParent(IID_PPV_ARGS(Factory.GetAddressOf())));
        DXGI_SWAP_CHAIN_DESC1 Description {};
        Description.Width = Width;
        Description.Height = Height;
        Description.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
        Description.SampleDesc.Count = 1;
        Description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
        Description.BufferCount = 2;
        Description.SwapEffect = DXGI_SWAP_EFFECT_FLIP_DISCARD;
        CHECK_HRESULT(Factory->CreateSwapChainForHwnd(m_Device.Get(), Window, &Description, nullptr, nullptr, m_SwapChain.GetAddressOf()));
    }

    // Takes the back buffer and a view of it every frame, as the program's frames do.
    void Present(unsigned Frame)
    {
        ComPtr<ID3D11Texture2D> BackBuffer;
        CHECK_HRESULT(m_SwapChain->GetBuffer(0, IID_PPV_ARGS(BackBuffer.GetAddressOf())));
        ComPtr<ID3D11RenderTargetView> View;
        CHECK_HRESULT(m_Device->CreateRenderTargetView(BackBuffer.Get(), nullptr, View.GetAddressOf()));
        float const Shade = static_cast<float>(Frame % 256) / 255.0f;
        float const Colour[4] { Shade, 0.25f, 1.0f - Shade, 1.0f };
        m_DeviceContext->ClearRenderTargetView(View.Get(), Colour);
        CHECK_HRESULT(m_SwapChain->Present(0, 0));
    }

private:
    ComPtr<ID3D11Device> m_Device;
    ComPtr<ID3D11DeviceContext> m_DeviceContext;
    ComPtr<IDXGISwapChain1> m_SwapChain;
};

double Seconds(const LARGE_INTEGER& Start, const LARGE_INTEGER& Frequency)
{
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    return static_cast<double>(Now.QuadPart - Start.QuadPart) / static_cast<double>(Frequency.QuadPart);
}
} // namespace

int main(int ArgumentCount, char** Arguments)
{
    if(ArgumentCount != 4)
    {
        std::fprintf(stderr, "usage: ClearPresent <width> <height> <seconds>\n");
        return 2;
    }
    try
    {
        UINT const Width = static_cast<UINT>(std::atoi(Arguments[1]));
        UINT const Height = static_cast<UINT>(std::atoi(Arguments[2]));
        double const Duration = std::atof(Arguments[3]);
        HWND const Window = CreateOutputWindow(Width, Height);
        Presenter Presenter(Window, Width, Height);
        LARGE_INTEGER Frequency, Start;
        QueryPerformanceFrequency(&Frequency);
        QueryPerformanceCounter(&Start);
        unsigned Presents = 0;
        while(PumpMessages() && Seconds(Start, Frequency) < Duration)
            Presenter.Present(Presents++);
        double const Elapsed = Seconds(Start, Frequency);
        std::printf("ClearPresent: %u presents in %.2f s (%.2f per second)\n", Presents, Elapsed, Presents / Elapsed);
        return 0;
    }
    catch(const ComException& Exception)
    {
        std::printf("Exception: 0x%08X %s\n", static_cast<unsigned>(Exception.m_Result), Exception.what());
        return 1;
    }
}
