#include "app/Application.h"

#include "diag/Check.h"

namespace
{
// The running Application, for the console control handler and the window procedure.
Application* g_Application = nullptr;
} // namespace

void Application::Do()
{
    g_Application = this;
    m_TerminationEvent.Attach(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CHECK_WIN32(m_TerminationEvent.IsValid());
    m_FullscreenRequest = 0;
    m_Configuration.Validate();
}
