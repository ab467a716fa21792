#pragma once

#include <windows.h>

// The passes of one frame. Each pass calls Pass(Presents), which reads the full-screen state and,
// when Presents, draws, presents and returns the present's result. Pass 0 presents unless Resize asks
// for the buffers to be resized first. A failed present is answered by ResizeBuffers(Failure), which
// prints the failure line when Failure is a failure code (it is S_OK for the asked-for resize), and
// by one more pass. Returns the last present's result: a failure after two failed passes.
template<typename PassFunction, typename ResizeFunction>
HRESULT PresentPasses(BOOL Resize, PassFunction&& Pass, ResizeFunction&& ResizeBuffers)
{
    HRESULT PresentResult = S_OK;
    for(UINT Index = 0; Index < 2; ++Index)
    {
        bool const Presents = !Resize || Index > 0;
        HRESULT const Result = Pass(Presents);
        if(Presents)
        {
            PresentResult = Result;
            if(SUCCEEDED(PresentResult))
                break;
        }
        ResizeBuffers(Resize ? S_OK : PresentResult);
        Resize = FALSE;
    }
    return PresentResult;
}
