#include "app/FrameTimes.h"

#include "common/Text.h"
#include "diag/Check.h"

#include <algorithm>
#include <cstdio>

namespace
{
// The buffer goes to the file once it holds this many bytes, about 70 rows.
constexpr size_t g_WriteSize = 4096;
// The longest row: a 20-digit number, four times of up to 16 characters and the result.
constexpr size_t g_RowSize = 128;
} // namespace

Application::FrameTimes::FrameTimes(const std::wstring& Path)
{
    if(Path.empty())
        return;
    m_File.Attach(CreateFileW(Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if(!m_File.IsValid())
    {
        HRESULT const Result = LastErrorResult();
        TRACE(L"Throwing an exception, 0x%08X, frame times file %ls\n", static_cast<unsigned int>(Result), Path.c_str());
        throw ComException(Result, ("Failed to create the frame times file " + EncodeUtf8(Path)).c_str());
    }
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    m_CountsPerMillisecond = static_cast<double>(Frequency.QuadPart) / 1000.0;
    m_Buffer.reserve(g_WriteSize + g_RowSize);
    m_Buffer.append(Header).append("\r\n");
    Flush();
}

Application::FrameTimes::~FrameTimes()
{
    // The run has ended, whichever way: what it recorded goes to the file if it can.
    if(m_File.IsValid() && !m_Buffer.empty())
    {
        DWORD Written = 0;
        WriteFile(m_File.Get(), m_Buffer.data(), static_cast<DWORD>(m_Buffer.size()), &Written, nullptr);
    }
}

void Application::FrameTimes::Start(int64_t Start) noexcept
{
    m_LoopStart = Start;
    m_PreviousStart = Start;
}

void Application::FrameTimes::Add(const Frame& Frame)
{
    if(!m_File.IsValid())
        return;
    double const Interval = m_Number ? Milliseconds(Frame.m_Start - m_PreviousStart) : 0.0;
    m_PreviousStart = Frame.m_Start;
    m_Buffer += FormatRow(++m_Number, Milliseconds(Frame.m_Start - m_LoopStart), Interval, Milliseconds(Frame.m_Wait),
        Milliseconds(Frame.m_Present), Frame.m_Result);
    if(m_Buffer.size() >= g_WriteSize)
        Flush();
}

void Application::FrameTimes::Flush()
{
    if(!m_File.IsValid() || m_Buffer.empty())
        return;
    DWORD Written = 0;
    CHECK_WIN32(WriteFile(m_File.Get(), m_Buffer.data(), static_cast<DWORD>(m_Buffer.size()), &Written, nullptr));
    m_Buffer.clear();
}

std::string Application::FrameTimes::FormatRow(uint64_t Number, double StartMs, double IntervalMs, double WaitMs, double PresentMs, HRESULT Result)
{
    char Row[g_RowSize];
    int const Length = std::snprintf(Row, sizeof Row, "%llu,%.3f,%.3f,%.3f,%.3f,0x%08X\r\n", static_cast<unsigned long long>(Number), StartMs,
        IntervalMs, WaitMs, PresentMs, static_cast<unsigned int>(Result));
    return std::string(Row, Length > 0 ? std::min(static_cast<size_t>(Length), sizeof Row - 1) : 0);
}

double Application::FrameTimes::Milliseconds(int64_t Counts) const noexcept
{
    return static_cast<double>(Counts) / m_CountsPerMillisecond;
}
