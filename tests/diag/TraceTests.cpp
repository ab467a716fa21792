#include "diag/Trace.h"
#include "diag/TraceProvider.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string FunctionName(const char* Signature)
{
    char Buffer[64];
    TraceFunctionName(Signature, Buffer, sizeof Buffer);
    return Buffer;
}

struct Probe
{
    static std::string Name()
    {
        return FunctionName(TRACE_FUNCTION);
    }
};
} // namespace

TEST(Trace, FileNameDropsFolders)
{
    EXPECT_STREQ(TraceFileName("C:\\src\\app\\Main.cpp"), "Main.cpp");
    EXPECT_STREQ(TraceFileName("/work/main/render/Window.cpp"), "Window.cpp");
    EXPECT_STREQ(TraceFileName("Window.cpp"), "Window.cpp");
    EXPECT_EQ(TraceFileName(nullptr), nullptr);
}

TEST(Trace, FunctionNameIsTheQualifiedName)
{
    EXPECT_EQ(FunctionName("void Application::Window::Initialize(Application&)"), "Application::Window::Initialize");
    EXPECT_EQ(FunctionName("Application::Application(const Arguments&)"), "Application::Application");
    EXPECT_EQ(FunctionName("int main()"), "main");
    EXPECT_EQ(FunctionName("static BOOL Application::InternalHandlerRoutine(DWORD)"), "Application::InternalHandlerRoutine");
    EXPECT_EQ(Probe::Name(), "{anonymous}::Probe::Name");
    char Small[5];
    EXPECT_EQ(TraceFunctionName("void Application::Do()", Small, sizeof Small), 4u);
    EXPECT_STREQ(Small, "Appl");
}

TEST(TraceProvider, EnableCallbackLevels)
{
    TraceProvider::State State {};
    auto Enable = [&](UCHAR Level) {
        TraceProvider::EnableCallback(nullptr, 1, Level, 0x10, 0x20, nullptr, &State);
        return TraceProvider::IsEventEnabled(State);
    };
    EXPECT_FALSE(TraceProvider::IsEventEnabled(State));
    // The trace's events are verbose (5): enabled from that level up, and by level 0 (all).
    EXPECT_FALSE(Enable(4));
    EXPECT_TRUE(Enable(5));
    EXPECT_TRUE(Enable(255));
    EXPECT_TRUE(Enable(0));
    TraceProvider::EnableCallback(nullptr, 2, 1, 0, 0, nullptr, &State);
    EXPECT_TRUE(TraceProvider::IsEventEnabled(State));
    TraceProvider::EnableCallback(nullptr, 0, 0, 0, 0, nullptr, &State);
    EXPECT_FALSE(TraceProvider::IsEventEnabled(State));
}
