#pragma once

#include "common/Arguments.h"
#include "diag/ScopedHandle.h"

#include <windows.h>
#include <dxgiformat.h>

#include <string>

// One rendering run: the configuration taken from the command line, the termination event and the
// pending full-screen request.
class Application
{
public:
    class Window;
    class Context;
    class OverlayTexture;
    class FrameTimes;

    struct Configuration
    {
        UINT m_AdapterIndex = 0;
        UINT m_OutputIndex = 0;
        UINT m_FrameSizeW = 1920;
        UINT m_FrameSizeH = 1080;
        DXGI_FORMAT m_Format = DXGI_FORMAT_B8G8R8A8_UNORM;
        UINT m_SwapChainBufferCount = 2;
        INT m_AllowModeSwitchMode = 0;
        INT m_WaitiableObjectMode = 0;
        INT m_AllowTearingMode = 0;
        BOOL m_FullscreenMode = FALSE;
        UINT m_FrameRateN = 144;
        UINT m_FrameRateD = 1;
        INT m_ShaderIndex = 0;
        INT m_OverlayMode = 0;
        INT m_PresentSyncInterval = -1;
        // Where -FrameTimes records every frame's times; empty without it.
        std::wstring m_FrameTimesPath;

        // The rules that tie fields together.
        void Validate() const;
    };

    explicit Application(const Arguments& Arguments);

    // The rendering run; failures of the run are reported here, earlier ones are thrown.
    void Do();

    // The console control handler's work: reports the event and sets the running Application's
    // termination event. It reaches the event without the object, which may already be gone.
    static BOOL InternalHandlerRoutine(DWORD ControlType);

    Configuration m_Configuration;
    ScopedHandle m_TerminationEvent;
    LONG m_FullscreenRequest = 0;
};
