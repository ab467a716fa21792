#include "app/Join.h"
#include "diag/Check.h"
#include "diag/ParentProcessDebug.h"

#include <dbghelp.h>
#include <shlwapi.h>

namespace
{
// Writes the dump with the exception and the thread's context at it; false when that cannot be done.
bool WriteExceptionDump(DWORD ProcessId, HANDLE Process, HANDLE File, DWORD ThreadId, EXCEPTION_RECORD* ExceptionRecord, DWORD DumpType)
{
    ScopedHandle Thread(OpenThread(THREAD_GET_CONTEXT, FALSE, ThreadId));
    if(!Thread.IsValid())
        return false;
    CONTEXT Context {};
    Context.ContextFlags = CONTEXT_ALL;
    if(!GetThreadContext(Thread.Get(), &Context))
        return false;
    EXCEPTION_POINTERS ExceptionPointers { ExceptionRecord, &Context };
    MINIDUMP_EXCEPTION_INFORMATION ExceptionInformation { ThreadId, &ExceptionPointers, FALSE };
    return MiniDumpWriteDump(Process, ProcessId, File, static_cast<MINIDUMP_TYPE>(DumpType), &ExceptionInformation, nullptr, nullptr) != FALSE;
}
} // namespace

std::wstring ParentProcessDebug::DumpFileName(const std::vector<std::wstring>& NameParts)
{
    return Join(NameParts, L"-") + L".dmp";
}

std::wstring ParentProcessDebug::DumpFilePath(const std::wstring& Name)
{
    wchar_t Folder[MAX_PATH] {};
    GetModuleFileNameW(nullptr, Folder, MAX_PATH);
    PathRemoveFileSpecW(Folder);
    wchar_t Path[MAX_PATH] {};
    if(PathCombineW(Path, Folder, Name.c_str()))
        return Path;
    return std::wstring(Folder) + L"\\" + Name;
}

void ParentProcessDebug::WriteMiniDump(DWORD ProcessId, const ScopedHandle& Process, DWORD ThreadId, EXCEPTION_RECORD* ExceptionRecord,
    const std::vector<std::wstring>& NameParts, DWORD DumpType)
{
    std::wstring const Path = DumpFilePath(DumpFileName(NameParts));
    if(Path.size() >= MAX_PATH)
        throw static_cast<HRESULT>(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    ScopedFileHandle File(CreateFileW(Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if(!File.IsValid())
        throw LastErrorResult();
    if(ThreadId && WriteExceptionDump(ProcessId, Process.Get(), File.Get(), ThreadId, ExceptionRecord, DumpType))
        return;
    if(!MiniDumpWriteDump(Process.Get(), ProcessId, File.Get(), static_cast<MINIDUMP_TYPE>(DumpType), nullptr, nullptr, nullptr))
        throw LastErrorResult();
}
