#include "render/WindowedOnRelease.h"

WindowedOnRelease::~WindowedOnRelease()
{
    BOOL Fullscreen = FALSE;
    if(m_SwapChain && SUCCEEDED(m_SwapChain->GetFullscreenState(&Fullscreen, nullptr)) && Fullscreen)
        m_SwapChain->SetFullscreenState(FALSE, nullptr);
}
