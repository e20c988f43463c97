#include "model/field_range.h"

#include "platform/text_format.h"

namespace elix {
namespace {

MessageAnswer Show(const FieldReport& report, const std::string& text) {
    return report ? report(text, MessageStyle::Exclamation) : MessageAnswer::Ok;
}

}  // namespace

bool IsInFieldRange(double value, FieldRange range) {
    // Written so that NaN fails both comparisons and is refused.
    return value >= range.low && value <= range.high;
}

std::string FieldRangeMessage(FieldRange range) {
    return Format("Please enter a number between %s and %s.", Format("%g", range.low), Format("%g", range.high));
}

bool CheckFieldRange(double value, FieldRange range, const FieldReport& report) {
    if (IsInFieldRange(value, range)) return true;
    Show(report, FieldRangeMessage(range));
    return false;
}

}  // namespace elix
