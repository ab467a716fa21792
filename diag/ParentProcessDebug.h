#pragma once

#include "common/Arguments.h"
#include "diag/ScopedHandle.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Self-debugging: the process the user started launches a second copy of the program, which attaches
// to it as its debugger, shows its debug strings and exceptions, and writes a minidump per exception.
// Failures of the debugger side are thrown as plain HRESULT values.
class ParentProcessDebug
{
public:
    // What the exception filter learns of one exception; valid during the filter call only.
    struct ExceptionData
    {
        std::wstring m_Module;
        std::string m_Type;
        const void* m_Data = nullptr;
        size_t m_DataSize = 0;
        uint32_t m_Value = 0;
    };

    // What the first process tells its debugger copy.
    struct LaunchOptions
    {
        DWORD m_DumpType = 0;
        DWORD m_DisableDebugOutput = 0;
    };

    // What the debugger copy reads of its command line.
    struct Target
    {
        int32_t m_DisableDebugOutput = 0;
        DWORD m_ProcessId = 0;
        DWORD m_DumpType = 0;
        HANDLE m_ReadyEvent = nullptr;
    };

    class DebuggeeReader;
    class ProcessReader;
    class ModuleList;
    class DebugSession;
    class SymbolHandler;
    struct ThrownObject;

    // Serves as the debugger copy when the command line says so; TRUE after a debugging run.
    static BOOL RunDebugger(const Arguments& Arguments, std::function<void(ParentProcessDebug&)> Configure);
    // Launches the debugger copy when the command line holds -Debug.
    static void StartDebugger(const Arguments& Arguments);
    static BOOL LaunchDebugger(const LaunchOptions& Options);

    // The options of the first -Debug and of a -DisableDebugOutput before it; false without -Debug.
    static bool FindLaunchOptions(const Arguments& Arguments, LaunchOptions& Options);
    static DWORD DumpTypeFromValue(const std::wstring& Value);
    static std::wstring DebuggerCommandLine(const std::wstring& Path, const LaunchOptions& Options, DWORD ProcessId, HANDLE ReadyEvent);
    // The -ParentProcessDebug request of the command line; false when there is none or no process id.
    static bool FindTarget(const Arguments& Arguments, Target& Target);

    void DebugProcess(DWORD ProcessId, DWORD DumpType, HANDLE ReadyEvent);
    // Keeps the debugger copy through the console's control events, which reach its debuggee too.
    static void OutliveConsoleControl();
    // Whether the debuggee raised the exception for its debugger's sake on a Ctrl+C or Ctrl+Break.
    static bool IsConsoleControlException(DWORD Code) noexcept;
    // Prints the line of one exception when the filter accepts it; TRUE when it is to be dumped.
    BOOL DescribeException(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record, std::wstring& DumpTag);
    // Shows one debug string of the debuggee, trimmed, unless the output is disabled.
    void ShowDebugText(std::wstring Text) const;
    // Shows the line of a dump that could not be written.
    void ShowDumpFailure(HRESULT Result, const std::wstring& Path) const;

    // Writes a new dump file, never over an earlier one; WrittenPath: the path it took, known as soon
    // as the file is created (before a failure of the writing).
    static void WriteMiniDump(DWORD ProcessId, const ScopedHandle& Process, DWORD ThreadId, EXCEPTION_RECORD* ExceptionRecord,
        const std::vector<std::wstring>& NameParts, DWORD DumpType, std::wstring* WrittenPath = nullptr);
    static std::wstring DumpFileName(const std::vector<std::wstring>& NameParts);
    // The file's path in the folder of the running executable, also when it is too long for a path.
    static std::wstring DumpFilePath(const std::wstring& Name);
    // The dump's path for the Number-th dump of that name: the path itself for the first, then with
    // "-0002", "-0003"... before its extension, so that a folder listing keeps them in order.
    static std::wstring DiscriminatedDumpPath(const std::wstring& Path, unsigned int Number);
    // How many bytes a dump's header, stream directory and memory lists say the dump holds, read
    // through Read (false: those bytes are not there); 0 when it does not begin as a dump.
    static uint64_t MiniDumpExtent(const std::function<bool(uint64_t Offset, void* Buffer, DWORD Count)>& Read);
    static std::wstring InitialDumpTag(const EXCEPTION_RECORD& Record);

    int32_t m_DisableDebugOutput = 0;
    std::function<void(const wchar_t*)> m_OutputHandler;
    std::function<int(const ExceptionData&)> m_ExceptionFilter;

private:
    // Every line of the debugger copy goes out here, safe for a terminal whatever the debuggee wrote.
    void Show(const std::wstring& Text) const;
    BOOL FilterAndPrint(const ExceptionData& Data, const std::vector<std::wstring>& Parts) const;
    BOOL DescribeThrownObject(const DebuggeeReader& Reader, const ThrownObject& Object, std::wstring& DumpTag);
    BOOL ShowRuntimeError(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record) const;
};

// The thrown-object exception codes: what MSVC's throw raises, and what the GCC runtime on SEH raises.
constexpr DWORD g_MsvcThrowCode = 0xE06D7363;
constexpr DWORD g_GccThrowCode = 0x20474343;
constexpr DWORD g_RuntimeErrorCode = 0x40080201;
constexpr DWORD g_ClrExceptionCode = 0xE0434352;

// Cuts tabs, line ends, blanks and full stops off the end of a debug string; false when nothing is left.
bool TrimDebugText(std::wstring& Text);

// Text of the debuggee made safe for a terminal: tabs and line ends pass, every other control
// character (C0, DEL, C1; a carriage return not before a line feed) becomes "?", so that no escape
// sequence, bell or overwritten line reaches the person.
std::wstring TerminalSafeText(std::wstring Text);
