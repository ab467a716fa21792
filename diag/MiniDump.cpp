#include "common/Text.h"
#include "diag/Check.h"
#include "diag/ParentProcessDebug.h"

#include <dbghelp.h>
#include <shlwapi.h>

#include <algorithm>

namespace
{
// A dump whose name is taken goes under the name with "-0002", "-0003"... up to this number.
constexpr unsigned int g_LastDiscriminator = 9999;
// "MDMP", a dump's first four bytes (the SDK's constant is a multi-character literal).
constexpr ULONG32 g_DumpSignature = 0x504D444D;

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

// Creates the dump's file and never replaces one: when an earlier run's dump holds the name (the
// same process id comes back, under Wine nearly always), the dump goes under the first free
// discriminated name. Path becomes the path of the file created.
ScopedFileHandle CreateDumpFile(std::wstring& Path)
{
    std::wstring const Name = Path;
    for(unsigned int Number = 1;; ++Number)
    {
        Path = ParentProcessDebug::DiscriminatedDumpPath(Name, Number);
        if(Path.size() >= MAX_PATH)
            throw static_cast<HRESULT>(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
        // Read access too, to check afterwards what reached the disk.
        ScopedFileHandle File(CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        if(File.IsValid())
            return File;
        DWORD const Error = GetLastError();
        if((Error != ERROR_FILE_EXISTS && Error != ERROR_ALREADY_EXISTS) || Number == g_LastDiscriminator)
            throw LastErrorResult(Error);
    }
}

// Under Wine the writer reports success although the file system refused its bytes: a dump is taken
// as written only when the file holds all that its own header and directory say. Missing: how many
// bytes it lacks, at least 1 when it is not whole.
bool IsWholeDump(HANDLE File, uint64_t& Missing)
{
    LARGE_INTEGER Size {};
    if(!GetFileSizeEx(File, &Size))
        Size.QuadPart = 0;
    uint64_t const Extent = ParentProcessDebug::MiniDumpExtent([File](uint64_t Offset, void* Buffer, DWORD Count)
    {
        OVERLAPPED At {};
        At.Offset = static_cast<DWORD>(Offset);
        At.OffsetHigh = static_cast<DWORD>(Offset >> 32);
        DWORD Read = 0;
        return ReadFile(File, Buffer, Count, &Read, &At) && Read == Count;
    });
    uint64_t const Held = static_cast<uint64_t>(Size.QuadPart);
    // Not even a header of a dump: it lacks at least a byte.
    Missing = !Extent ? 1 : Extent > Held ? Extent - Held : 0;
    return !Missing;
}

// Whether the dump's volume has room for that many more bytes.
bool HasFreeSpace(const std::wstring& Path, uint64_t Bytes)
{
    std::wstring Folder = Path;
    Folder.resize(PathFindFileNameW(Path.c_str()) - Path.c_str());
    ULARGE_INTEGER Free {};
    return GetDiskFreeSpaceExW(Folder.c_str(), &Free, nullptr, nullptr) && Free.QuadPart >= Bytes;
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

std::wstring ParentProcessDebug::DiscriminatedDumpPath(const std::wstring& Path, unsigned int Number)
{
    if(Number <= 1)
        return Path;
    size_t const Extension = Path.size() - std::min<size_t>(Path.size(), 4);
    return Path.substr(0, Extension) + FormatText(L"-%04u", Number) + Path.substr(Extension);
}

uint64_t ParentProcessDebug::MiniDumpExtent(const std::function<bool(uint64_t Offset, void* Buffer, DWORD Count)>& Read)
{
    MINIDUMP_HEADER Header {};
    if(!Read(0, &Header, sizeof Header) || Header.Signature != g_DumpSignature)
        return 0;
    uint64_t Extent = static_cast<uint64_t>(Header.StreamDirectoryRva) + uint64_t { sizeof(MINIDUMP_DIRECTORY) } * Header.NumberOfStreams;
    auto const Cover = [&Extent](uint64_t Rva, uint64_t Size) { Extent = std::max(Extent, Rva + Size); };
    for(ULONG32 Index = 0; Index < Header.NumberOfStreams; ++Index)
    {
        MINIDUMP_DIRECTORY Directory {};
        if(!Read(Header.StreamDirectoryRva + uint64_t { sizeof Directory } * Index, &Directory, sizeof Directory))
            return 0;
        Cover(Directory.Location.Rva, Directory.Location.DataSize);
        // The memory ranges' bytes lie outside their lists: the full memory's after everything else.
        if(Directory.StreamType == MemoryListStream)
        {
            ULONG32 Count = 0;
            if(!Read(Directory.Location.Rva, &Count, sizeof Count))
                return 0;
            for(ULONG32 Range = 0; Range < Count; ++Range)
            {
                MINIDUMP_MEMORY_DESCRIPTOR Memory {};
                if(!Read(Directory.Location.Rva + sizeof Count + uint64_t { sizeof Memory } * Range, &Memory, sizeof Memory))
                    return 0;
                Cover(Memory.Memory.Rva, Memory.Memory.DataSize);
            }
        }
        else if(Directory.StreamType == Memory64ListStream)
        {
            MINIDUMP_MEMORY64_LIST List {};
            if(!Read(Directory.Location.Rva, &List, offsetof(MINIDUMP_MEMORY64_LIST, MemoryRanges)))
                return 0;
            uint64_t Bytes = 0;
            for(ULONG64 Range = 0; Range < List.NumberOfMemoryRanges; ++Range)
            {
                MINIDUMP_MEMORY_DESCRIPTOR64 Memory {};
                if(!Read(Directory.Location.Rva + offsetof(MINIDUMP_MEMORY64_LIST, MemoryRanges) + sizeof Memory * Range, &Memory, sizeof Memory))
                    return 0;
                Bytes += Memory.DataSize;
            }
            Cover(List.BaseRva, Bytes);
        }
    }
    return Extent;
}

void ParentProcessDebug::WriteMiniDump(DWORD ProcessId, const ScopedHandle& Process, DWORD ThreadId, EXCEPTION_RECORD* ExceptionRecord,
    const std::vector<std::wstring>& NameParts, DWORD DumpType, std::wstring* WrittenPath)
{
    std::wstring Path = DumpFilePath(DumpFileName(NameParts));
    ScopedFileHandle File = CreateDumpFile(Path);
    if(WrittenPath)
        *WrittenPath = Path;
    bool const Written = ThreadId && WriteExceptionDump(ProcessId, Process.Get(), File.Get(), ThreadId, ExceptionRecord, DumpType);
    HRESULT Result = S_OK;
    if(!Written && !MiniDumpWriteDump(Process.Get(), ProcessId, File.Get(), static_cast<MINIDUMP_TYPE>(DumpType), nullptr, nullptr, nullptr))
        Result = LastErrorResult();
    uint64_t Missing = 0;
    if(IsWholeDump(File.Get(), Missing) && SUCCEEDED(Result))
        return;
    if(SUCCEEDED(Result))
        Result = HasFreeSpace(Path, Missing) ? HRESULT_FROM_WIN32(ERROR_WRITE_FAULT) : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    // What the disk could not hold is no dump: it goes, so that no cut file passes for a whole one
    // and its space is there for the next dump.
    File.Close();
    DeleteFileW(Path.c_str());
    throw Result;
}
