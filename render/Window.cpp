#include "render/Window.h"

#include "app/RunningApplication.h"
#include "diag/Check.h"

namespace
{
const wchar_t g_WindowClassName[] = L"LumivexWindowClass";

// Characters that the window turns into requests.
constexpr WPARAM g_CtrlCCharacter = 3;
constexpr WPARAM g_EscapeCharacter = 27;

void OnCharacter(WPARAM Character)
{
    Application* const Running = GetRunningApplication();
    if(!Running)
        return;
    switch(Character)
    {
    case g_CtrlCCharacter:
        SetEvent(Running->m_TerminationEvent.Get());
        break;
    case g_EscapeCharacter:
        Running->m_FullscreenRequest = -1;
        break;
    case 'F':
    case 'f':
        Running->m_FullscreenRequest = 1;
        break;
    default:
        break;
    }
}

LRESULT CALLBACK WindowProcedure(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    switch(Message)
    {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        return 0;
    case WM_PAINT:
    {
        PAINTSTRUCT Paint;
        BeginPaint(Window, &Paint);
        EndPaint(Window, &Paint);
        return 0;
    }
    case WM_CHAR:
        OnCharacter(WParam);
        return 0;
    default:
        return DefWindowProcW(Window, Message, WParam, LParam);
    }
}
} // namespace

void Application::Window::Initialize(Application& Application)
{
    HINSTANCE const Instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW Class {};
    Class.cbSize = sizeof Class;
    Class.style = CS_HREDRAW | CS_VREDRAW;
    Class.lpfnWndProc = WindowProcedure;
    Class.hInstance = Instance;
    Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    Class.lpszClassName = g_WindowClassName;
    CHECK_WIN32(RegisterClassEx(&Class));
    m_Class = Class;

    // The outer size is the one for the frame size in the overlapped-window style; the context measures
    // the client area that the window actually got.
    RECT Rect { 0, 0, static_cast<LONG>(Application.m_Configuration.m_FrameSizeW), static_cast<LONG>(Application.m_Configuration.m_FrameSizeH) };
    AdjustWindowRect(&Rect, WS_OVERLAPPEDWINDOW, FALSE);
    DWORD const Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    m_Handle = CreateWindowExW(0, g_WindowClassName, L"Lumivex", Style, CW_USEDEFAULT, CW_USEDEFAULT, Rect.right - Rect.left, Rect.bottom - Rect.top, nullptr, nullptr, Instance, nullptr);
    CHECK_WIN32(m_Handle);
    ShowWindow(m_Handle, SW_SHOWNORMAL);
}
