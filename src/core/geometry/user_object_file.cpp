#include "geometry/user_object_file.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string_view>
#include <system_error>

#include "platform/text_format.h"

namespace elix {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

enum class ScanResult { Number, End, NotANumber };

// One "%lf" read at pos: white space is skipped, then the longest number
// (optional sign, decimal or 0x hexadecimal significand, exponent, inf or
// nan) is taken. End when only white space is left. Independent of the
// process locale.
ScanResult ScanNumber(std::string_view text, std::size_t& pos, double& value) {
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    if (pos == text.size()) return ScanResult::End;
    std::size_t at = pos;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) return ScanResult::NotANumber;
    const std::size_t unsignedStart = at;
    std::chars_format format = std::chars_format::general;
    if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        format = std::chars_format::hex;
        at += 2;
    }
    double magnitude = 0.0;
    const std::from_chars_result result =
        std::from_chars(text.data() + at, text.data() + text.size(), magnitude, format);
    // Out-of-range values are still numbers to "%lf" (it gives the limit).
    if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) return ScanResult::NotANumber;
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; a long mantissa or exponent
        // that overflows reads as infinity, one that underflows as 0.
        const std::string_view digits(text.data() + unsignedStart,
                                      static_cast<std::size_t>(result.ptr - (text.data() + unsignedStart)));
        double parsed = 0.0;
        magnitude = ParseDouble(digits, parsed) ? std::fabs(parsed) : 0.0;
    }
    value = negative ? -magnitude : magnitude;
    pos = static_cast<std::size_t>(result.ptr - text.data());
    return ScanResult::Number;
}

}  // namespace

bool ReadUserObjectFile(const std::string& path, UserObjectPoints& points, std::string& message) {
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        message = "Unable to open user object file.";
        return false;
    }
    const std::string refused = Format("User object file '%s' has too many points or wrong format.", path);
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        message = refused;
        return false;
    }

    std::vector<double> numbers;
    std::size_t pos = 0;
    for (;;) {
        double value = 0.0;
        const ScanResult result = ScanNumber(text, pos, value);
        if (result == ScanResult::End) break;
        // A number beyond the limit, or text that is no number: both are
        // reads that do not reach the end of the file.
        if (result == ScanResult::NotANumber || numbers.size() == kMaxUserObjectNumbers) {
            message = refused;
            return false;
        }
        numbers.push_back(value);
    }

    UserObjectPoints read;
    for (std::size_t k = 0; k + 1 < numbers.size(); k += 2) {
        read.xs.push_back(numbers[k]);
        read.ys.push_back(numbers[k + 1]);
    }
    points = std::move(read);
    return true;
}

UserObjectPoints TransformUserObject(const UserObjectPoints& points, const UserObjectTransform& transform) {
    UserObjectPoints placed = points;
    if (points.xs.empty() || points.xs.size() != points.ys.size()) return placed;
    const double c = std::cos(transform.thetaRadians);
    const double s = std::sin(transform.thetaRadians);
    const double px = points.xs.front();
    const double py = points.ys.front();
    for (std::size_t k = 0; k < points.xs.size(); ++k) {
        const double dx = points.xs[k] - px;
        const double dy = points.ys[k] - py;
        const double x = px + dx * c - dy * s;
        const double y = py + dx * s + dy * c;
        placed.xs[k] = x * transform.xScale + transform.xOffset;
        placed.ys[k] = y * transform.yScale + transform.yOffset;
    }
    return placed;
}

}  // namespace elix
