#include "app/Application.h"

#include "app/FrameTimes.h"
#include "app/RunningApplication.h"
#include "common/NameTable.h"
#include "common/Text.h"
#include "common/Ticks.h"
#include "diag/Check.h"
#include "diag/ConsoleOutput.h"
#include "render/Context.h"
#include "render/PresentStatistics.h"
#include "render/Window.h"

#include <atomic>

namespace
{
// The console control handler runs on a thread of the system's and may fire while main destroys the
// Application, so it sets a duplicate of the termination event that stays open until the process
// ends (the system closes it then).
std::atomic<HANDLE> g_HandlerTerminationEvent { nullptr };

BOOL WINAPI HandlerRoutine(DWORD ControlType)
{
    return Application::InternalHandlerRoutine(ControlType);
}

void ShareTerminationEvent(HANDLE Event)
{
    HANDLE Duplicate = nullptr;
    CHECK_WIN32(DuplicateHandle(GetCurrentProcess(), Event, GetCurrentProcess(), &Duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS));
    HANDLE const Previous = g_HandlerTerminationEvent.exchange(Duplicate);
    if(Previous)
        CloseHandle(Previous);
}

// Windows answers the version test by the systems that the manifest declares, and it declares none.
void EnablePerMonitorDpiAwareness()
{
    OSVERSIONINFOEXW VersionInformation {};
    VersionInformation.dwOSVersionInfoSize = sizeof VersionInformation;
    VersionInformation.dwMajorVersion = 10;
    VersionInformation.dwMinorVersion = 0;
    VersionInformation.wServicePackMajor = 0;
    ULONGLONG ConditionMask = 0;
    ConditionMask = VerSetConditionMask(ConditionMask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    ConditionMask = VerSetConditionMask(ConditionMask, VER_MINORVERSION, VER_GREATER_EQUAL);
    ConditionMask = VerSetConditionMask(ConditionMask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    if(!VerifyVersionInfoW(&VersionInformation, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, ConditionMask))
        return;
    using SetThreadDpiAwarenessContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    FARPROC const Procedure = GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext");
    if(Procedure)
        reinterpret_cast<SetThreadDpiAwarenessContextFunction>(reinterpret_cast<void*>(Procedure))(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

// Acts on a pending full-screen request; returns TRUE when the next frame is to resize the buffers.
BOOL SwitchFullscreen(Application::Context& Context, HWND Window, LONG Request)
{
    BOOL Fullscreen = FALSE;
    Microsoft::WRL::ComPtr<IDXGIOutput> Output;
    if(FAILED(Context.m_SwapChain->GetFullscreenState(&Fullscreen, Output.GetAddressOf())))
        return FALSE;
    if(Request < 0 && Fullscreen)
    {
        CHECK_HRESULT(Context.m_SwapChain->SetFullscreenState(FALSE, nullptr));
        return TRUE;
    }
    if(Request > 0 && !Fullscreen)
    {
        SetFocus(Window);
        DXGI_SWAP_CHAIN_DESC1 SwapChainDesc1;
        CHECK_HRESULT(Context.m_SwapChain1->GetDesc1(&SwapChainDesc1));
        // A swap chain with the frame-latency waitable object stays windowed.
        if(SwapChainDesc1.Flags & DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT)
            return TRUE;
        DXGI_SWAP_CHAIN_FULLSCREEN_DESC SwapChainFullscreenDesc;
        CHECK_HRESULT(Context.m_SwapChain1->GetFullscreenDesc(&SwapChainFullscreenDesc));
        CHECK_HRESULT(Context.m_SwapChain->SetFullscreenState(TRUE, nullptr));
        return TRUE;
    }
    return FALSE;
}

// One run of the loop: a window message or a frame per pass until the termination event is set or
// the window is gone.
class RunLoop
{
public:
    RunLoop(Application& Application, Application::Window& Window, Application::Context& Context, Application::FrameTimes& FrameTimes) :
        m_Application(Application), m_Window(Window), m_Context(Context), m_FrameTimes(FrameTimes)
    {
    }

    void Run()
    {
        m_PresentStatistics.m_Valid = FALSE;
        m_Start = ReadPreciseTime();
        m_FrameTimes.Start(ReadPerformanceCounter());
        m_Period = StatisticsPeriod(m_Start);
        m_PresentStatistics.Update(m_Start, m_Context.m_SwapChain.Get(), FALSE);
        while(WaitForSingleObject(m_Application.m_TerminationEvent.Get(), 0) == WAIT_TIMEOUT)
        {
            MSG Message;
            if(PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE))
            {
                if(Message.message == WM_QUIT)
                    break;
                TranslateMessage(&Message);
                DispatchMessageW(&Message);
                ++m_PassCounter;
                continue;
            }
            Frame();
        }
    }

private:
    void Frame()
    {
        if(LONG const Request = m_Application.m_FullscreenRequest)
        {
            m_Application.m_FullscreenRequest = 0;
            if(SwitchFullscreen(m_Context, m_Window.m_Handle, Request))
                m_Resize = TRUE;
        }
        Application::FrameTimes::Frame Times;
        Times.m_Start = ReadPerformanceCounter();
        uint64_t const Now = ReadPreciseTime();
        uint64_t const Elapsed = Now - m_Start;
        if(m_Application.m_Configuration.m_OverlayMode)
            FeedOverlay(Elapsed);
        try
        {
            m_Context.Render(Elapsed, m_Resize);
        }
        catch(const ComException& Exception)
        {
            // The frame that ends the run is recorded with the failure that ends it.
            Record(Times, Exception.m_Result);
            throw;
        }
        Record(Times, m_Context.m_LastPresentResult);
        if(m_Period.Due(Now))
            Report(Now);
        m_Resize = FALSE;
        ++m_PassCounter;
    }

    void Record(Application::FrameTimes::Frame& Times, HRESULT Result)
    {
        Times.m_Wait = m_Context.m_LastWait;
        Times.m_Present = m_Context.m_LastPresent;
        Times.m_Result = Result;
        m_FrameTimes.Add(Times);
    }

    void FeedOverlay(uint64_t Elapsed)
    {
        Application::OverlayTexture& Overlay = m_Context.m_OverlayTexture;
        Overlay.m_FrameIndex = m_PassCounter;
        Overlay.m_FrameTime = Elapsed;
        m_Slots.CountFrame(Elapsed, Overlay.m_FrameRate);
    }

    void Report(uint64_t Now)
    {
        m_PresentStatistics.Update(Now, m_Context.m_SwapChain.Get(), TRUE);
        PrintLine(m_Period.Close(Now, m_Context.m_PresentCount));
        m_FrameTimes.Flush();
    }

    Application& m_Application;
    Application::Window& m_Window;
    Application::Context& m_Context;
    Application::FrameTimes& m_FrameTimes;
    PresentStatistics m_PresentStatistics;
    uint64_t m_Start = 0;
    StatisticsPeriod m_Period;
    BOOL m_Resize = FALSE;
    uint64_t m_PassCounter = 0;
    FrameRateSlots m_Slots;
};
} // namespace

void Application::Do()
{
    SetRunningApplication(this);
    m_TerminationEvent.Attach(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CHECK_WIN32(m_TerminationEvent.IsValid());
    m_FullscreenRequest = 0;
    m_Configuration.Validate();
    ShareTerminationEvent(m_TerminationEvent.Get());
    SetConsoleCtrlHandler(HandlerRoutine, TRUE);
    EnablePerMonitorDpiAwareness();
    Window Window;
    try
    {
        // A record that cannot be written ends the run before its window opens.
        FrameTimes FrameTimes(m_Configuration.m_FrameTimesPath);
        Window.Initialize(*this);
        Context Context(m_Configuration, Window);
        PrintLine("Press Ctrl+C to exit...");
        RunLoop(*this, Window, Context, FrameTimes).Run();
    }
    catch(const ComException& Exception)
    {
        PrintLine(FormatText("Exception: 0x%08X %hs", static_cast<unsigned int>(Exception.m_Result), Exception.what()));
    }
    catch(...)
    {
        PrintLine("Exception");
    }
}

BOOL Application::InternalHandlerRoutine(DWORD ControlType)
{
    std::string const Name = ToString(g_ConsoleControlNames, ControlType);
    TRACE(L"Type %hs\n", Name.c_str());
    PrintLine(FormatText("Stopping: %hs", Name.c_str()));
    SetEvent(g_HandlerTerminationEvent.load());
    return TRUE;
}
