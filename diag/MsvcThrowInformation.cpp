#include "diag/ThrownObject.h"

// The x64 throw information of MSVC: every reference is a 32-bit offset from the throwing module's
// image base. Only the first catchable type, the thrown type itself, is read.
namespace
{
constexpr uint64_t g_CatchableTypeArrayOffset = 12;
constexpr uint64_t g_FirstCatchableTypeOffset = 4;
constexpr uint64_t g_TypeDescriptorOffset = 4;
constexpr uint64_t g_ObjectSizeOffset = 20;
constexpr uint64_t g_TypeNameOffset = 16;
constexpr size_t g_TypeNameSize = 1008;

bool ReadOffset(const ParentProcessDebug::DebuggeeReader& Reader, uint64_t ImageBase, uint64_t Address, uint64_t& Result)
{
    int32_t Offset;
    if(!Reader.ReadValue(Address, Offset))
        return false;
    Result = ImageBase + static_cast<uint32_t>(Offset);
    return true;
}
} // namespace

ParentProcessDebug::ThrownObject ParentProcessDebug::ThrownObject::ReadMsvc(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record)
{
    ThrownObject Object;
    Object.m_Address = ExceptionParameter(Record, 1);
    Object.m_ModuleAddress = ExceptionParameter(Record, 3);
    uint64_t const ImageBase = Object.m_ModuleAddress;
    uint64_t CatchableTypes, CatchableType, TypeDescriptor;
    uint32_t Size;
    if(!ReadOffset(Reader, ImageBase, ExceptionParameter(Record, 2) + g_CatchableTypeArrayOffset, CatchableTypes)
        || !ReadOffset(Reader, ImageBase, CatchableTypes + g_FirstCatchableTypeOffset, CatchableType)
        || !ReadOffset(Reader, ImageBase, CatchableType + g_TypeDescriptorOffset, TypeDescriptor)
        || !Reader.ReadValue(CatchableType + g_ObjectSizeOffset, Size)
        || !Reader.ReadText(TypeDescriptor + g_TypeNameOffset, g_TypeNameSize, Object.m_Type))
        return Object;
    Object.m_Size = Size;
    return Object;
}
