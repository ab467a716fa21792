#pragma once

#include "app/Application.h"

#include <windows.h>

// The one top-level window of a run: the swap chain presents into it. It draws nothing itself and
// turns Ctrl+C, F and Escape into requests for the run loop.
class Application::Window
{
public:
    // Registers the class, creates the window for the configured frame size and shows it.
    void Initialize(Application& Application);

    WNDCLASSEXW m_Class {};
    HWND m_Handle = nullptr;
};
