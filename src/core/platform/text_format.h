// Locale-independent printf-style formatting and C-style number parsing.
//
// Every text file of the system is written with C printf conversions ("%e",
// "%d", "%.2f", "%g", ...) and read back as tokens. The C library honours
// LC_NUMERIC, so a comma-decimal locale would write "1,000000e+00". These
// helpers give the "C" locale's output whatever locale the process runs in:
// floating conversions go through std::to_chars, which is locale-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace elix {

// One argument of Format(). Integers, floating values and strings.
struct FormatArg {
    enum class Kind { Integer, Unsigned, Floating, String };
    Kind kind;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0.0;
    std::string_view s;

    template <class T>
        requires std::is_integral_v<T> && std::is_signed_v<T>
    FormatArg(T v) : kind(Kind::Integer), i(v) {}
    template <class T>
        requires std::is_integral_v<T> && std::is_unsigned_v<T>
    FormatArg(T v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(float v) : kind(Kind::Floating), d(v) {}
    FormatArg(double v) : kind(Kind::Floating), d(v) {}
    FormatArg(std::string_view v) : kind(Kind::String), s(v) {}
    FormatArg(const std::string& v) : kind(Kind::String), s(v) {}
    FormatArg(const char* v) : kind(Kind::String), s(v ? v : "(null)") {}
};

// Formats like snprintf in the "C" locale. Supports the flags "-+ 0#",
// width, precision ("*" not supported), the length modifiers h, hh, l, ll
// (ignored: the argument's own type decides) and the conversions
// d i u x X o c s e E f F g G and "%%". A conversion without a matching
// argument, or with an argument of the wrong kind, is converted as best it
// can (a missing argument prints nothing).
std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args);

template <class... Args>
std::string Format(std::string_view format, const Args&... args) {
    return FormatArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

// Parses the longest prefix of text that the C conversion "%f" accepts
// (optional sign, decimal or hexadecimal significand, optional exponent,
// "inf", "infinity", "nan"), after skipping leading white space. Returns
// false, leaving value unchanged, when no number starts the text.
bool ParseDouble(std::string_view text, double& value);
bool ParseFloat(std::string_view text, float& value);

// Parses the longest prefix that "%d" accepts (optional sign, decimal
// digits) after leading white space. Out-of-range values saturate, like
// strtol. Returns false, leaving value unchanged, when no digits start it.
bool ParseInteger(std::string_view text, long long& value);

// Narrowing used when a "%d" value is stored in a smaller field: the value
// keeps its low bits, as an assignment in C does.
template <class T>
T TruncateTo(long long v) {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<unsigned long long>(v)));
}

// The local time in the C library's 24-character calendar form
// ("Sun Dec  6 19:48:57 2026"), without the line break.
std::string CalendarTimeText(std::int64_t secondsSinceEpoch);
std::string CurrentCalendarTimeText();

}  // namespace elix
