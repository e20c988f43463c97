#include "platform/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

namespace elix {
namespace {

struct Conversion {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
    char conversion = 0;
};

void Pad(std::string& out, std::string body, const Conversion& conversion, bool numeric) {
    const int len = static_cast<int>(body.size());
    if (conversion.width <= len) {
        out += body;
        return;
    }
    const auto fill = static_cast<std::size_t>(conversion.width - len);
    if (conversion.left) {
        out += body;
        out.append(fill, ' ');
    } else if (conversion.zero && numeric) {
        // Zeros go after the sign (and after "0x").
        std::size_t prefix = 0;
        if (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) prefix = 1;
        if (body.size() >= prefix + 2 && body[prefix] == '0' &&
            (body[prefix + 1] == 'x' || body[prefix + 1] == 'X'))
            prefix += 2;
        body.insert(prefix, fill, '0');
        out += body;
    } else {
        out.append(fill, ' ');
        out += body;
    }
}

std::string FormatFloating(double value, const Conversion& conversion) {
    char buffer[512];
    const char c = conversion.conversion;
    const int precision = conversion.precision < 0 ? 6 : conversion.precision;
    std::string body;
    if (!std::isfinite(value)) {
        body = std::isnan(value) ? "nan" : "inf";
        if (std::signbit(value)) body.insert(body.begin(), '-');
    } else {
        std::chars_format format = std::chars_format::general;
        int p = precision;
        if (c == 'e' || c == 'E') format = std::chars_format::scientific;
        else if (c == 'f' || c == 'F') format = std::chars_format::fixed;
        else if (p == 0) p = 1;  // "%.0g" means one significant digit
        // Fixed notation of a huge value needs more room than the buffer;
        // fall back to the longest exact form the buffer holds.
        auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, p);
        if (result.ec != std::errc()) {
            result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, p);
        }
        body.assign(buffer, result.ptr);
        if (conversion.alt && p == 0 && format != std::chars_format::general &&
            body.find('.') == std::string::npos) {
            const auto e = body.find('e');
            body.insert(e == std::string::npos ? body.size() : e, ".");
        }
    }
    if (c == 'E' || c == 'G' || c == 'F')
        for (char& ch : body) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (body[0] != '-') {
        if (conversion.plus) body.insert(body.begin(), '+');
        else if (conversion.space) body.insert(body.begin(), ' ');
    }
    return body;
}

std::string FormatIntegral(const FormatArg* arg, const Conversion& conversion) {
    // Integer conversions do not depend on the locale, so snprintf is safe.
    std::string f = "%";
    if (conversion.plus) f += '+';
    if (conversion.space) f += ' ';
    if (conversion.alt) f += '#';
    if (conversion.precision >= 0) f += "." + std::to_string(conversion.precision);
    f += "ll";
    f += conversion.conversion == 'i' ? 'd' : conversion.conversion;
    long long signedValue = 0;
    unsigned long long unsignedValue = 0;
    if (arg) {
        switch (arg->kind) {
            case FormatArg::Kind::Integer: signedValue = arg->i; unsignedValue = static_cast<unsigned long long>(arg->i); break;
            case FormatArg::Kind::Unsigned: signedValue = static_cast<long long>(arg->u); unsignedValue = arg->u; break;
            case FormatArg::Kind::Floating:
                signedValue = std::isfinite(arg->d) ? static_cast<long long>(arg->d) : 0;
                unsignedValue = static_cast<unsigned long long>(signedValue);
                break;
            case FormatArg::Kind::String: break;
        }
    }
    char buffer[64];
    if (conversion.conversion == 'd' || conversion.conversion == 'i')
        std::snprintf(buffer, sizeof buffer, f.c_str(), signedValue);
    else
        std::snprintf(buffer, sizeof buffer, f.c_str(), unsignedValue);
    return buffer;
}

}  // namespace

std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args) {
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t next = 0;
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] != '%') {
            out += format[k];
            continue;
        }
        const std::size_t start = k;
        std::size_t p = k + 1;
        if (p < format.size() && format[p] == '%') {
            out += '%';
            k = p;
            continue;
        }
        Conversion conversion;
        for (; p < format.size(); ++p) {
            const char ch = format[p];
            if (ch == '-') conversion.left = true;
            else if (ch == '+') conversion.plus = true;
            else if (ch == ' ') conversion.space = true;
            else if (ch == '0') conversion.zero = true;
            else if (ch == '#') conversion.alt = true;
            else break;
        }
        while (p < format.size() && format[p] >= '0' && format[p] <= '9')
            conversion.width = conversion.width * 10 + (format[p++] - '0');
        if (p < format.size() && format[p] == '.') {
            conversion.precision = 0;
            ++p;
            while (p < format.size() && format[p] >= '0' && format[p] <= '9')
                conversion.precision = conversion.precision * 10 + (format[p++] - '0');
        }
        while (p < format.size() && (format[p] == 'h' || format[p] == 'l' || format[p] == 'L' ||
                                     format[p] == 'z' || format[p] == 'j' || format[p] == 't'))
            ++p;
        if (p >= format.size()) {  // a lone "%" at the end is kept as written
            out.append(format.substr(k));
            break;
        }
        conversion.conversion = format[p];
        k = p;
        const FormatArg* arg = next < args.size() ? &args[next] : nullptr;
        ++next;
        switch (conversion.conversion) {
            case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
                Pad(out, FormatIntegral(arg, conversion), conversion, conversion.precision < 0);
                break;
            case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': {
                double v = 0.0;
                if (arg) {
                    if (arg->kind == FormatArg::Kind::Floating) v = arg->d;
                    else if (arg->kind == FormatArg::Kind::Integer) v = static_cast<double>(arg->i);
                    else if (arg->kind == FormatArg::Kind::Unsigned) v = static_cast<double>(arg->u);
                }
                Pad(out, FormatFloating(v, conversion), conversion, std::isfinite(v));
                break;
            }
            case 'c': {
                std::string body;
                if (arg && arg->kind == FormatArg::Kind::Integer) body += static_cast<char>(arg->i);
                else if (arg && arg->kind == FormatArg::Kind::Unsigned) body += static_cast<char>(arg->u);
                Pad(out, body, conversion, false);
                break;
            }
            case 's': {
                std::string body;
                if (arg && arg->kind == FormatArg::Kind::String) body.assign(arg->s);
                else if (arg && arg->kind == FormatArg::Kind::Integer) body = std::to_string(arg->i);
                else if (arg && arg->kind == FormatArg::Kind::Unsigned) body = std::to_string(arg->u);
                else if (arg && arg->kind == FormatArg::Kind::Floating) body = FormatFloating(arg->d, Conversion{.conversion = 'g'});
                if (conversion.precision >= 0 && body.size() > static_cast<std::size_t>(conversion.precision))
                    body.resize(static_cast<std::size_t>(conversion.precision));
                Pad(out, body, conversion, false);
                break;
            }
            default:  // unknown conversion: keep the text as written
                out.append(format.substr(start, p - start + 1));
                --next;
                break;
        }
    }
    return out;
}

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool StartsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[k])) != word[k]) return false;
    return true;
}

}  // namespace

bool ParseDouble(std::string_view text, double& value) {
    std::size_t p = 0;
    while (p < text.size() && IsSpace(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    std::string_view rest = text.substr(p);
    double v = 0.0;
    if (StartsWithNoCase(rest, "inf")) {
        v = std::numeric_limits<double>::infinity();
    } else if (StartsWithNoCase(rest, "nan")) {
        v = std::numeric_limits<double>::quiet_NaN();
    } else if (StartsWithNoCase(rest, "0x") && rest.size() > 2 &&
               (std::isxdigit(static_cast<unsigned char>(rest[2])) ||
                (rest[2] == '.' && rest.size() > 3 && std::isxdigit(static_cast<unsigned char>(rest[3]))))) {
        const auto r = std::from_chars(rest.data() + 2, rest.data() + rest.size(), v, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument) return false;
    } else {
        // from_chars reports out-of-range values without setting v; strtod
        // gives +-HUGE_VAL or 0 there, which we follow.
        const auto r = std::from_chars(rest.data(), rest.data() + rest.size(), v, std::chars_format::general);
        if (r.ec == std::errc::invalid_argument) return false;
        if (r.ec == std::errc::result_out_of_range) {
            // Decide between overflow and underflow from the exponent sign.
            std::string_view number(rest.data(), static_cast<std::size_t>(r.ptr - rest.data()));
            const auto e = number.find_first_of("eE");
            const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
            v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        }
    }
    value = negative ? -v : v;
    return true;
}

bool ParseFloat(std::string_view text, float& value) {
    double v = 0.0;
    if (!ParseDouble(text, v)) return false;
    value = static_cast<float>(v);
    return true;
}

bool ParseInteger(std::string_view text, long long& value) {
    std::size_t p = 0;
    while (p < text.size() && IsSpace(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
    unsigned long long magnitude = 0;
    bool overflow = false;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
        const unsigned digit = static_cast<unsigned>(text[p] - '0');
        if (magnitude > (std::numeric_limits<unsigned long long>::max() - digit) / 10) overflow = true;
        else magnitude = magnitude * 10 + digit;
    }
    constexpr auto maxPositive = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (negative) {
        value = (overflow || magnitude > maxPositive + 1) ? std::numeric_limits<long long>::min()
                : magnitude == maxPositive + 1              ? std::numeric_limits<long long>::min()
                                                            : -static_cast<long long>(magnitude);
    } else {
        value = (overflow || magnitude > maxPositive) ? std::numeric_limits<long long>::max()
                                                      : static_cast<long long>(magnitude);
    }
    return true;
}

std::string CalendarTimeText(std::int64_t secondsSinceEpoch) {
    // asctime's layout, with English names whatever LC_TIME says:
    // "%.3s %.3s%3d %.2d:%.2d:%.2d %d".
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&t, &local);
    return Format("%s %s%3d %.2d:%.2d:%.2d %d", kDays[local.tm_wday % 7], kMonths[local.tm_mon % 12],
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
}

std::string CurrentCalendarTimeText() { return CalendarTimeText(static_cast<std::int64_t>(std::time(nullptr))); }

}  // namespace elix
