#include "app/FrameTimes.h"
#include "tests/Caught.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
std::string ReadAll(const std::filesystem::path& Path)
{
    std::ifstream File(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), {});
}
} // namespace

// Each row's times are taken from the loop's start and the previous row; the rows reach the file when
// the buffer fills, when flushed and when the record ends, and none is lost or doubled.
TEST(FrameTimes, RowsFromTheLoopStartReachTheFileWholeAndInOrder)
{
    EXPECT_EQ(Application::FrameTimes::FormatRow(12, 1.5, 0.25, 0.0, 16.6666, static_cast<HRESULT>(0x887A0005)),
        "12,1.500,0.250,0.000,16.667,0x887A0005\r\n");

    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    int64_t const Millisecond = Frequency.QuadPart / 1000;
    std::filesystem::path const Path = std::filesystem::temp_directory_path() / L"FrameTimesTests-\u65e5.csv";
    std::string Expected = std::string(Application::FrameTimes::Header) + "\r\n";
    {
        Application::FrameTimes Record(Path.wstring());
        EXPECT_EQ(ReadAll(Path), Expected);
        int64_t const Start = 1000 * Millisecond;
        Record.Start(Start);
        for(uint64_t Number = 1; Number <= 500; ++Number)
        {
            int64_t const Offset = static_cast<int64_t>(Number) * 2 * Millisecond;
            Record.Add({ Start + Offset, Millisecond, 3 * Millisecond, S_OK });
            Expected += Application::FrameTimes::FormatRow(Number, static_cast<double>(Offset) / Millisecond, Number > 1 ? 2.0 : 0.0, 1.0, 3.0, S_OK);
            if(Number == 200)
            {
                // Rows go out in pieces of a few kilobytes, whole rows only.
                std::string const Written = ReadAll(Path);
                EXPECT_GT(Written.size(), std::string(Application::FrameTimes::Header).size() + 2);
                EXPECT_EQ(Written, Expected.substr(0, Written.size()));
                EXPECT_EQ(Written.back(), '\n');
            }
        }
        Record.Flush();
        EXPECT_EQ(ReadAll(Path), Expected);
        Record.Add({ Start + 1001 * 2 * Millisecond, 0, 0, static_cast<HRESULT>(0x887A0001) });
        Expected += Application::FrameTimes::FormatRow(501, 2002.0, 1002.0, 0.0, 0.0, static_cast<HRESULT>(0x887A0001));
    }
    EXPECT_EQ(ReadAll(Path), Expected);
    std::filesystem::remove(Path);

    // A file that cannot be made fails the run; without a path nothing is written.
    EXPECT_EQ(Caught([] { Application::FrameTimes(L"Z:\\no\\such\\folder\\times.csv"); }).m_Result, static_cast<HRESULT>(0x80070003));
    Application::FrameTimes None(L"");
    None.Add({});
    None.Flush();
}
