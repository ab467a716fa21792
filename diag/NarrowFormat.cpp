#include "diag/CodePage.h"
#include "diag/FormatText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

// The runtime libraries convert the wide arguments of a narrow format in the C library's locale, and
// msvcrt drops the rest of the text at the first character that the locale cannot take. So a narrow
// format is walked here: the system puts each wide text in the code page, and every other conversion
// goes to snprintf on its own with its one argument.
namespace
{
// The argument that one conversion takes.
enum class ArgumentKind
{
    Int,
    Long,
    LongLong,
    IntMax,
    Size,
    PtrDiff,
};

struct SizeModifier
{
    const char* m_Text;
    // The standard spelling handed to snprintf.
    const char* m_Standard;
    ArgumentKind m_Integer;
};

// Longer spellings before their prefixes.
constexpr SizeModifier g_SizeModifiers[] = {
    { "I64", "ll", ArgumentKind::LongLong }, { "I32", "", ArgumentKind::Int }, { "hh", "hh", ArgumentKind::Int },
    { "ll", "ll", ArgumentKind::LongLong }, { "h", "h", ArgumentKind::Int }, { "l", "l", ArgumentKind::Long },
    { "w", "l", ArgumentKind::Long }, { "j", "j", ArgumentKind::IntMax }, { "z", "z", ArgumentKind::Size },
    { "t", "t", ArgumentKind::PtrDiff }, { "I", "z", ArgumentKind::Size }, { "L", "L", ArgumentKind::Int },
};

constexpr char g_Null[] = "(null)";
constexpr wchar_t g_WideNull[] = L"(null)";

const SizeModifier* ReadSizeModifier(const char*& Format) noexcept
{
    for(const SizeModifier& Modifier : g_SizeModifiers)
    {
        size_t const Length = strlen(Modifier.m_Text);
        if(strncmp(Format, Modifier.m_Text, Length) == 0)
        {
            Format += Length;
            return &Modifier;
        }
    }
    return nullptr;
}

class NarrowFormatter
{
public:
    NarrowFormatter(unsigned int CodePage, va_list Arguments) noexcept : m_CodePage(CodePage)
    {
        va_copy(m_Arguments, Arguments);
    }
    NarrowFormatter(const NarrowFormatter&) = delete;
    NarrowFormatter& operator=(const NarrowFormatter&) = delete;
    ~NarrowFormatter()
    {
        va_end(m_Arguments);
    }

    std::string Format(const char* Format)
    {
        while(Format && *Format)
        {
            const char* const Percent = strchr(Format, '%');
            if(!Percent)
            {
                Append(Format, strlen(Format));
                break;
            }
            Append(Format, static_cast<size_t>(Percent - Format));
            if(Percent[1] == '%')
            {
                Append("%", 1);
                Format = Percent + 2;
            }
            else
                Format = Convert(Percent + 1);
        }
        return std::string(m_Buffer, m_Length);
    }

private:
    // Formats the conversion that Format begins after its "%"; returns what follows it, or null
    // when the conversion is unknown.
    const char* Convert(const char* Format)
    {
        std::string Spec = "%";
        size_t const Flags = strspn(Format, "-+ #0");
        Spec.append(Format, Flags);
        Format = CopyField(Format + Flags, Spec, false);
        if(*Format == '.')
        {
            Spec += '.';
            Format = CopyField(Format + 1, Spec, true);
        }
        const SizeModifier* const Modifier = ReadSizeModifier(Format);
        bool const WideModifier = Modifier && (strcmp(Modifier->m_Text, "l") == 0 || strcmp(Modifier->m_Text, "w") == 0);
        char const Letter = *Format++;
        switch(Letter)
        {
        case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
            Spec += Modifier ? Modifier->m_Standard : "";
            AppendInteger(Spec + Letter, Modifier ? Modifier->m_Integer : ArgumentKind::Int);
            return Format;
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
            if(Modifier && strcmp(Modifier->m_Text, "L") == 0)
                AppendFormatted(Spec + 'L' + Letter, va_arg(m_Arguments, long double));
            else
                AppendFormatted(Spec + Letter, va_arg(m_Arguments, double));
            return Format;
        case 'p':
            AppendFormatted(Spec + Letter, va_arg(m_Arguments, void*));
            return Format;
        case 'c': case 'C':
            if(Letter == 'C' || WideModifier)
            {
                // A wide character reaches a variadic function promoted to int.
                wchar_t const Character = static_cast<wchar_t>(va_arg(m_Arguments, int));
                AppendWide(Spec, &Character, 1);
            }
            else
                AppendFormatted(Spec + 'c', va_arg(m_Arguments, int));
            return Format;
        case 's': case 'S':
            if(Letter == 'S' || WideModifier)
            {
                const wchar_t* Text = va_arg(m_Arguments, const wchar_t*);
                Text = Text ? Text : g_WideNull;
                AppendWide(Spec, Text, wcslen(Text));
            }
            else
            {
                const char* const Text = va_arg(m_Arguments, const char*);
                AppendFormatted(Spec + 's', Text ? Text : g_Null);
            }
            return Format;
        default:
            return nullptr;
        }
    }

    // Copies a width or a precision, taking "*" from the arguments; a negative precision counts as none.
    const char* CopyField(const char* Format, std::string& Spec, bool Precision)
    {
        if(*Format == '*')
        {
            int const Value = va_arg(m_Arguments, int);
            if(Precision && Value < 0)
                Spec.pop_back();
            else
                Spec += std::to_string(Value);
            return Format + 1;
        }
        size_t const Digits = strspn(Format, "0123456789");
        Spec.append(Format, Digits);
        return Format + Digits;
    }

    void AppendInteger(const std::string& Spec, ArgumentKind Kind)
    {
        switch(Kind)
        {
        case ArgumentKind::Int:
            AppendFormatted(Spec, va_arg(m_Arguments, int));
            break;
        case ArgumentKind::Long:
            AppendFormatted(Spec, va_arg(m_Arguments, long));
            break;
        case ArgumentKind::LongLong:
            AppendFormatted(Spec, va_arg(m_Arguments, long long));
            break;
        case ArgumentKind::IntMax:
            AppendFormatted(Spec, va_arg(m_Arguments, intmax_t));
            break;
        case ArgumentKind::Size:
            AppendFormatted(Spec, va_arg(m_Arguments, size_t));
            break;
        case ArgumentKind::PtrDiff:
            AppendFormatted(Spec, va_arg(m_Arguments, ptrdiff_t));
            break;
        }
    }

    // Wide text goes in the code page, then through the conversion's width and precision as narrow text.
    void AppendWide(const std::string& Spec, const wchar_t* Text, size_t Length)
    {
        std::string const Narrow = NarrowText(m_CodePage, Text, Length);
        AppendFormatted(Spec + 's', Narrow.c_str());
    }

    template <typename Value>
    void AppendFormatted(const std::string& Spec, Value Argument)
    {
        size_t const Room = sizeof m_Buffer - m_Length;
        int const Written = std::snprintf(m_Buffer + m_Length, Room, Spec.c_str(), Argument);
        if(Written > 0)
            m_Length += std::min(static_cast<size_t>(Written), Room - 1);
    }

    void Append(const char* Text, size_t Length) noexcept
    {
        Length = std::min(Length, sizeof m_Buffer - 1 - m_Length);
        memcpy(m_Buffer + m_Length, Text, Length);
        m_Length += Length;
    }

    unsigned int m_CodePage;
    va_list m_Arguments;
    char m_Buffer[g_NarrowFormatTextSize];
    size_t m_Length = 0;
};
} // namespace

std::string FormatTextInCodePage(unsigned int CodePage, const char* Format, va_list Arguments)
{
    NarrowFormatter Formatter(CodePage, Arguments);
    return Formatter.Format(Format);
}
