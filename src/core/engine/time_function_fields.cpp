#include "engine/time_function_fields.h"

#include <algorithm>
#include <utility>

namespace elix {
namespace {

constexpr double kHzPerMHz = 1e6;
constexpr double kMicrosecondsPerSecond = 1e6;

bool Shows(const std::vector<TimeFunctionField>& fields, TimeFunctionField field) {
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

}  // namespace

const char* TimeFunctionFieldLabel(TimeFunctionField field) {
    switch (field) {
        case TimeFunctionField::Amplitude: return "Amplitude";
        case TimeFunctionField::Frequency: return "Freq. (MHz)";
        case TimeFunctionField::Shape: return "a (us)";
        case TimeFunctionField::Width: return "Width (us)";
        case TimeFunctionField::Cycles: return "Cycles";
    }
    return "";
}

std::vector<TimeFunctionField> TimeFunctionFieldsOf(TimeFunctionKind kind) {
    using F = TimeFunctionField;
    switch (kind) {
        case TimeFunctionKind::Fixed:
        case TimeFunctionKind::None:
        case TimeFunctionKind::Zero: return {};
        case TimeFunctionKind::SineContinuous: return {F::Amplitude, F::Frequency};
        case TimeFunctionKind::SinePulse:
        case TimeFunctionKind::SineSinePulse:
        case TimeFunctionKind::SineCosinePulse: return {F::Amplitude, F::Frequency, F::Cycles};
        case TimeFunctionKind::SineGaussianPulse:
        case TimeFunctionKind::SineExponentialPulse: return {F::Amplitude, F::Frequency, F::Shape, F::Cycles};
        case TimeFunctionKind::SquarePulse: return {F::Amplitude, F::Width};
        case TimeFunctionKind::GaussianPulse:
        case TimeFunctionKind::User1:
        case TimeFunctionKind::User2:
        case TimeFunctionKind::File: return {F::Amplitude};
    }
    return {};
}

FieldRange TimeFunctionFieldRange(TimeFunctionField field) {
    return field == TimeFunctionField::Amplitude ? kAmplitudeRange : kPositiveRange;
}

bool UsesWaveformFile(TimeFunctionKind kind) {
    return kind == TimeFunctionKind::User1 || kind == TimeFunctionKind::User2 || kind == TimeFunctionKind::File;
}

TimeFunctionDetail ShowTimeFunctionDetail(const TimeFunctionSpec& function, double durationSeconds) {
    TimeFunctionDetail d;
    d.amplitude = function.p[0];
    d.frequencyMHz = function.p[1] / kHzPerMHz;
    const double shape = function.shapeFromDuration ? durationSeconds / 4.0 : function.p[2];
    d.shapeUs = shape * kMicrosecondsPerSecond;
    d.cycles = durationSeconds * function.p[1];
    return d;
}

bool TakeTimeFunctionDetail(const TimeFunctionDetail& d, TimeFunctionSpec& function, double& durationSeconds,
                            const FieldReport& report) {
    const std::vector<TimeFunctionField> fields = TimeFunctionFieldsOf(function.kind);
    const std::pair<TimeFunctionField, double> values[] = {
        {TimeFunctionField::Amplitude, d.amplitude}, {TimeFunctionField::Frequency, d.frequencyMHz},
        {TimeFunctionField::Shape, d.shapeUs},       {TimeFunctionField::Width, d.shapeUs},
        {TimeFunctionField::Cycles, d.cycles},
    };
    for (const auto& [field, value] : values)
        if (Shows(fields, field) && !CheckFieldRange(value, TimeFunctionFieldRange(field), report)) return false;

    TimeFunctionSpec taken = function;
    // The shape shown for an envelope that follows the duration is taken
    // as an explicit value, so the text form must carry all parameters.
    if (taken.shapeFromDuration) taken.p[2] = ShowTimeFunctionDetail(function, durationSeconds).shapeUs / 1e6;
    taken.shapeFromDuration = false;
    taken.count = std::max(taken.count, DefaultTimeFunction(taken.kind).count);
    if (Shows(fields, TimeFunctionField::Amplitude)) taken.p[0] = d.amplitude;
    if (Shows(fields, TimeFunctionField::Frequency)) taken.p[1] = d.frequencyMHz * kHzPerMHz;
    if (Shows(fields, TimeFunctionField::Shape) || Shows(fields, TimeFunctionField::Width))
        taken.p[2] = d.shapeUs / kMicrosecondsPerSecond;
    if (Shows(fields, TimeFunctionField::Cycles)) durationSeconds = d.cycles / taken.p[1];
    function = taken;
    return true;
}

}  // namespace elix
