// The range check of dialog fields. Every numeric field of an editor has a
// closed range; a value outside it is refused with one message before any
// action runs, and nothing is changed. Dialogs of every subsystem use this.
#pragma once

#include <functional>
#include <string>

#include "model/user_interface.h"

namespace elix {

// Shows a message and returns the answer (an editor host's report, a
// document's ReportMessage wrapped in a lambda, ...).
using FieldReport = std::function<MessageAnswer(const std::string& text, MessageStyle style)>;

// A closed range [low, high] of a field.
struct FieldRange {
    double low;
    double high;
};

// The ranges the editors use, in the units shown in the dialogs.
inline constexpr FieldRange kPositiveRange{1e-20, 1e20};  // density, frequency, ...
inline constexpr FieldRange kNonNegativeRange{0.0, 1e20};  // Lame constants, viscosities, sizes
inline constexpr FieldRange kAnyRange{-1e20, 1e20};        // offsets, coordinates
inline constexpr FieldRange kGrayLevelRange{0.0, 255.0};

// True when low <= value <= high. A value that is not a number is outside
// every range.
bool IsInFieldRange(double value, FieldRange range);

// "Please enter a number between %s and %s." with both bounds formatted
// with "%g".
std::string FieldRangeMessage(FieldRange range);

// Checks one field: inside its range it returns true; outside, it shows
// FieldRangeMessage as a warning through report and returns false.
bool CheckFieldRange(double value, FieldRange range, const FieldReport& report);

}  // namespace elix
