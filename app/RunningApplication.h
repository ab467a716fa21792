#pragma once

class Application;

// The Application whose run is in progress, for the window procedure; set when the run starts and
// never cleared. Used on the run loop's thread only.
Application* GetRunningApplication() noexcept;
void SetRunningApplication(Application* Application) noexcept;
