#pragma once

#include "diag/DebuggeeReader.h"

#include <cstdint>
#include <string>

// The object of a thrown-object exception, as its throw information describes it.
struct ParentProcessDebug::ThrownObject
{
    uint64_t m_Address = 0;
    size_t m_Size = 0;
    // The type's decorated name as MSVC spells it (".J", ".?AVComException@@"); empty when unreadable.
    std::string m_Type;
    // An address within the module that threw.
    uint64_t m_ModuleAddress = 0;

    // The object of an MSVC throw (exception code 0xE06D7363).
    static ThrownObject ReadMsvc(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record);
    // The object of a GCC throw (exception code 0x20474343); false when the record carries no
    // C++ exception of the GCC runtime.
    static bool ReadGcc(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record, ThrownObject& Object);
};

// ExceptionInformation[Index] of the record, or 0 beyond its NumberParameters.
uint64_t ExceptionParameter(const EXCEPTION_RECORD& Record, DWORD Index) noexcept;

// An Itanium type name ("l", "12ComException", "N3ATL13CAtlExceptionE", "St13runtime_error") spelt as
// MSVC decorates it (".J", ".?AVComException@@", ".?AVCAtlException@ATL@@", ".?AVruntime_error@std@@");
// a name it cannot translate is kept.
std::string MsvcTypeName(const std::string& ItaniumName);
