#include "diag/ThrownObject.h"

#include "diag/ThrownTypes.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace
{
// The longest decorated type name that the report reads.
constexpr size_t g_TypeNameSize = 1008;
} // namespace

uint64_t ExceptionParameter(const EXCEPTION_RECORD& Record, DWORD Index) noexcept
{
    if(Index >= Record.NumberParameters || Index >= EXCEPTION_MAXIMUM_PARAMETERS)
        return 0;
    return Record.ExceptionInformation[Index];
}

// The x64 throw information of MSVC: every reference is a 32-bit offset from the throwing module's
// image base. Only the first catchable type, the thrown type itself, is read.
namespace
{
constexpr uint64_t g_CatchableTypeArrayOffset = 12;
constexpr uint64_t g_FirstCatchableTypeOffset = 4;
constexpr uint64_t g_TypeDescriptorOffset = 4;
constexpr uint64_t g_ObjectSizeOffset = 20;
constexpr uint64_t g_TypeNameOffset = 16;

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

// The GCC runtime on SEH raises 0x20474343 with the address of the exception's unwind header. In
// libstdc++ that header ends the runtime's record of the exception, which begins with the thrown
// type's type_info pointer, and the thrown object follows it. Its type_info gives the Itanium name
// of the type but not its size, which the table of thrown types gives for those the report reads.
namespace
{
constexpr uint64_t g_GccExceptionClass = 0x474E5543432B2B00; // "GNUCC++\0"
constexpr uint64_t g_TypeInfoFromHeader = 80;
constexpr uint64_t g_ObjectFromHeader = 64;
constexpr uint64_t g_TypeInfoNameOffset = 8;

struct BuiltinName
{
    char m_Itanium;
    const char* m_Msvc;
};

constexpr BuiltinName g_BuiltinNames[] = {
    { 'c', ".D" }, { 'a', ".C" }, { 'h', ".E" }, { 's', ".F" }, { 't', ".G" }, { 'i', ".H" }, { 'j', ".I" },
    { 'l', ".J" }, { 'm', ".K" }, { 'x', "._J" }, { 'y', "._K" }, { 'f', ".M" }, { 'd', ".N" }, { 'b', "._N" },
    { 'w', "._W" },
};

// What the standard library's abbreviations stand for, as c++filt spells them.
struct StandardName
{
    const char* m_Itanium;
    const char* m_Class;
};

constexpr char g_StandardNamespace[] = "std";
constexpr char g_StandardPrefix[] = "St";
constexpr StandardName g_StandardNames[] = {
    { "Sa", "allocator" }, { "Sb", "basic_string" }, { "Ss", "string" }, { "Si", "istream" }, { "So", "ostream" }, { "Sd", "iostream" },
};

// Reads "<length><identifier>" at Position; false when the text holds no such name there.
bool ReadSourceName(const std::string& Name, size_t& Position, std::string& Identifier)
{
    size_t Length = 0;
    size_t Start = Position;
    while(Position < Name.size() && std::isdigit(static_cast<unsigned char>(Name[Position])))
        Length = Length * 10 + static_cast<size_t>(Name[Position++] - '0');
    if(Position == Start || Length == 0 || Name.size() - Position < Length)
        return false;
    Identifier = Name.substr(Position, Length);
    Position += Length;
    return true;
}

bool ReadPrefix(const std::string& Name, size_t& Position, const char* Prefix)
{
    size_t const Length = strlen(Prefix);
    if(Name.compare(Position, Length, Prefix) != 0)
        return false;
    Position += Length;
    return true;
}

// Reads one name at Position: a class of the standard library by its abbreviation, or a source name
// with its ABI tags ("B5cxx11"), which only tell versions of a name apart and are left out.
bool ReadComponent(const std::string& Name, size_t& Position, std::vector<std::string>& Identifiers)
{
    for(const StandardName& Standard : g_StandardNames)
        if(ReadPrefix(Name, Position, Standard.m_Itanium))
        {
            Identifiers.insert(Identifiers.end(), { g_StandardNamespace, Standard.m_Class });
            return true;
        }
    std::string Identifier;
    if(!ReadSourceName(Name, Position, Identifier))
        return false;
    Identifiers.push_back(Identifier);
    std::string Tag;
    while(ReadPrefix(Name, Position, "B"))
        if(!ReadSourceName(Name, Position, Tag))
            return false;
    return true;
}

// The names from the outermost in: "N" names "E" when nested, else one name; in either form "St"
// first stands for the namespace std.
bool ReadNames(const std::string& Name, std::vector<std::string>& Identifiers)
{
    size_t Position = 0;
    bool const Nested = ReadPrefix(Name, Position, "N");
    if(ReadPrefix(Name, Position, g_StandardPrefix))
        Identifiers.push_back(g_StandardNamespace);
    size_t const Prefixes = Identifiers.size();
    if(!Nested)
        return ReadComponent(Name, Position, Identifiers) && Position == Name.size();
    while(Position < Name.size() && Name[Position] != 'E')
        if(!ReadComponent(Name, Position, Identifiers))
            return false;
    return Identifiers.size() > Prefixes && Position + 1 == Name.size();
}

} // namespace

std::string MsvcTypeName(const std::string& ItaniumName)
{
    if(ItaniumName.size() == 1)
        for(const BuiltinName& Builtin : g_BuiltinNames)
            if(ItaniumName[0] == Builtin.m_Itanium)
                return Builtin.m_Msvc;
    std::vector<std::string> Identifiers;
    if(!ReadNames(ItaniumName, Identifiers))
        return ItaniumName;
    std::string Result = ".?AV";
    for(auto Identifier = Identifiers.rbegin(); Identifier != Identifiers.rend(); ++Identifier)
        Result += *Identifier + "@";
    return Result + "@";
}

bool ParentProcessDebug::ThrownObject::ReadGcc(const DebuggeeReader& Reader, const EXCEPTION_RECORD& Record, ThrownObject& Object)
{
    uint64_t const Header = ExceptionParameter(Record, 0);
    uint64_t ExceptionClass, TypeInfo, Name;
    if(!Reader.ReadValue(Header, ExceptionClass) || ExceptionClass != g_GccExceptionClass)
        return false;
    Object = {};
    Object.m_Address = Header + g_ObjectFromHeader;
    std::string ItaniumName;
    if(!Reader.ReadValue(Header - g_TypeInfoFromHeader, TypeInfo) || !Reader.ReadValue(TypeInfo + g_TypeInfoNameOffset, Name)
        || !Reader.ReadText(Name, g_TypeNameSize, ItaniumName))
        return true;
    // A leading '*' marks a type of internal linkage.
    if(!ItaniumName.empty() && ItaniumName[0] == '*')
        ItaniumName.erase(0, 1);
    Object.m_ModuleAddress = TypeInfo;
    Object.m_Type = MsvcTypeName(ItaniumName);
    const ThrownType* const Known = FindThrownType(Object.m_Type);
    Object.m_Size = Known ? Known->m_Size : 0;
    return true;
}
