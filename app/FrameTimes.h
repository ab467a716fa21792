#pragma once

#include "app/Application.h"
#include "diag/ScopedHandle.h"

#include <cstdint>
#include <string>

// The record of -FrameTimes: one CSV row per frame with when it started, in milliseconds since the
// run loop started, the interval since the previous frame's start, the time spent waiting on the
// frame-latency object and in the present call, and the present's result. Rows are kept in a small
// buffer that goes to the file whenever it fills, at every statistics period and when the record
// ends, however the run ends; the file's writes are a few kilobytes each, so that writing never
// holds up a frame.
class Application::FrameTimes
{
public:
    static constexpr const char* Header = "Frame,StartMs,IntervalMs,WaitMs,PresentMs,Result";

    // What one frame took, in counts of the performance counter.
    struct Frame
    {
        int64_t m_Start = 0;
        int64_t m_Wait = 0;
        int64_t m_Present = 0;
        HRESULT m_Result = S_OK;
    };

    // Without a path nothing is recorded. Otherwise creates (or replaces) the file and writes its
    // header; a file that cannot be created fails the run before its first frame.
    explicit FrameTimes(const std::wstring& Path);
    FrameTimes(const FrameTimes&) = delete;
    FrameTimes& operator=(const FrameTimes&) = delete;
    // Writes what is left.
    ~FrameTimes();

    // The run loop starts at Start.
    void Start(int64_t Start) noexcept;
    void Add(const Frame& Frame);
    // Writes the buffered rows.
    void Flush();

    // One row: the frame's number, its times in milliseconds and its present's result.
    static std::string FormatRow(uint64_t Number, double StartMs, double IntervalMs, double WaitMs, double PresentMs, HRESULT Result);

private:
    double Milliseconds(int64_t Counts) const noexcept;

    ScopedFileHandle m_File;
    double m_CountsPerMillisecond = 1.0;
    int64_t m_LoopStart = 0;
    int64_t m_PreviousStart = 0;
    uint64_t m_Number = 0;
    std::string m_Buffer;
};
