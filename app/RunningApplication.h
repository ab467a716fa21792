#pragma once

class Application;

// The Application whose run is in progress, for the window procedure; set when the run starts and
// never cleared. Used on the run loop's thread only. Defined here, so that the window needs nothing
// of the run's code but this header.
inline Application*& RunningApplication() noexcept
{
    static Application* g_Application = nullptr;
    return g_Application;
}

inline Application* GetRunningApplication() noexcept
{
    return RunningApplication();
}

inline void SetRunningApplication(Application* Application) noexcept
{
    RunningApplication() = Application;
}
