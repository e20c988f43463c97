#include "engine/time_functions.h"

#include <cmath>
#include <iterator>

#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// The constants of the formulas, as floats: 2 pi and pi of the pulses, and
// the phase shift of the raised-cosine envelope.
constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415925f;
constexpr double kCosineShift = 3.141592;

struct KindDefaults {
    TimeFunctionKind kind;
    const char* name;
    int count;
    double a, f, shape;
};

// The kinds with the parameters their name alone stands for.
constexpr KindDefaults kKinds[kTimeFunctionKindCount] = {
    {TimeFunctionKind::Fixed, "Fixed", 0, 0, 0, 0},
    {TimeFunctionKind::None, "None", 0, 0, 0, 0},
    {TimeFunctionKind::Zero, "Zero", 0, 0, 0, 0},
    {TimeFunctionKind::SineContinuous, "Sine Continuous", 2, 1, 1e6, 0},
    {TimeFunctionKind::SinePulse, "Sine Pulse", 2, 1, 1e6, 0},
    {TimeFunctionKind::SineGaussianPulse, "Sine Gaussian Pulse", 3, 1, 1e6, 0},        // a = T/4
    {TimeFunctionKind::SineExponentialPulse, "Sine Exponential Pulse", 3, 1, 1e6, 0},  // a = T/4
    {TimeFunctionKind::SquarePulse, "Square Pulse", 3, 1, 0, 1e-7},
    {TimeFunctionKind::GaussianPulse, "Gaussian Pulse", 3, 1, 1e6, 1e-6},
    {TimeFunctionKind::SineSinePulse, "Sine Sine Pulse", 2, 1, 1e6, 0},
    {TimeFunctionKind::SineCosinePulse, "Sine Cosine Pulse", 3, 1, 1e6, 1e-6},
    {TimeFunctionKind::User1, "User1", 1, 1, 0, 0},
    {TimeFunctionKind::User2, "User2", 1, 1, 0, 0},
    {TimeFunctionKind::File, "File", 1, 1, 0, 0},
};

// DefaultsOf indexes the table by the enumeration.
constexpr bool TableFollowsTheEnumeration() {
    for (int k = 0; k < kTimeFunctionKindCount; ++k)
        if (static_cast<int>(kKinds[k].kind) != k) return false;
    return true;
}
static_assert(TableFollowsTheEnumeration());

const KindDefaults& DefaultsOf(TimeFunctionKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return kKinds[index < std::size(kKinds) ? index : static_cast<std::size_t>(TimeFunctionKind::None)];
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

constexpr std::string_view kFilePrefix = "File<";

// Length of the kind part of text (which starts with a non-blank): up to the
// first comma, or for "File<...>" up to the first '>' that only blanks
// separate from a comma or the end.
std::size_t KindLength(std::string_view text) {
    if (text.starts_with(kFilePrefix)) {
        for (std::size_t k = kFilePrefix.size(); k < text.size(); ++k) {
            if (text[k] != '>') continue;
            std::size_t next = k + 1;
            while (next < text.size() && IsBlank(text[next])) ++next;
            if (next == text.size() || text[next] == ',') return k + 1;
        }
    }
    const std::size_t comma = text.find(',');
    return comma == std::string_view::npos ? text.size() : comma;
}

// The kind of a trimmed name, and the path of a File kind. False for an
// unknown name.
bool KindFromName(std::string_view name, TimeFunctionKind& kind, std::string& path) {
    if (name == "File" || (name.starts_with(kFilePrefix) && name.ends_with('>'))) {
        kind = TimeFunctionKind::File;
        path = name.size() > kFilePrefix.size()
                   ? std::string(name.substr(kFilePrefix.size(), name.size() - kFilePrefix.size() - 1))
                   : std::string();
        return true;
    }
    for (const KindDefaults& d : kKinds)
        if (name == d.name && d.kind != TimeFunctionKind::File) {
            kind = d.kind;
            path.clear();
            return true;
        }
    return false;
}

// The next comma-separated field of text (advanced past it and its comma).
std::string_view NextField(std::string_view& text) {
    const std::size_t comma = text.find(',');
    const std::string_view field = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    return field;
}

// Linear interpolation of the samples stretched over [0, T): x = tau/T (N - 1).
double SampledValue(const CWaveformTable& table, float tau, float duration) {
    const std::vector<float>& w = table.values;
    if (w.empty()) return 0.0;
    const std::size_t last = w.size() - 1;
    const double x = static_cast<double>(tau) / duration * static_cast<double>(last);
    const double whole = std::trunc(x);
    if (!(whole < static_cast<double>(last))) return w[last];  // also catches x rounding up to N - 1
    const auto k = static_cast<std::size_t>(whole < 0.0 ? 0.0 : whole);
    return w[k] + (x - static_cast<double>(k)) * (static_cast<double>(w[k + 1]) - w[k]);
}

}  // namespace

const char* TimeFunctionKindName(TimeFunctionKind kind) {
    return DefaultsOf(kind).name;
}

TimeFunctionSpec DefaultTimeFunction(TimeFunctionKind kind) {
    const KindDefaults& d = DefaultsOf(kind);
    TimeFunctionSpec function;
    function.kind = d.kind;
    function.count = d.count;
    if (d.count >= 1) function.p[0] = d.a;
    if (d.count >= 2) function.p[1] = d.f;
    if (d.count >= 3) function.p[2] = d.shape;
    function.shapeFromDuration =
        kind == TimeFunctionKind::SineGaussianPulse || kind == TimeFunctionKind::SineExponentialPulse;
    return function;
}

TimeFunctionSpec ParseTimeFunction(std::string_view text) {
    text = Trim(text);
    const std::size_t kindLength = KindLength(text);
    TimeFunctionKind kind = TimeFunctionKind::None;
    std::string path;
    const bool known = KindFromName(Trim(text.substr(0, kindLength)), kind, path);
    if (!known) kind = TimeFunctionKind::None;
    TimeFunctionSpec function = DefaultTimeFunction(kind);
    function.path = std::move(path);
    if (kindLength == text.size()) return function;  // no comma: the defaults

    function.count = 0;
    function.p = {};
    function.shapeFromDuration = false;
    std::string_view rest = text.substr(kindLength);
    const std::size_t comma = rest.find(',');  // the kind is followed by blanks, then the comma
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);

    long long count = 0;
    if (!ParseInteger(NextField(rest), count)) count = 0;
    function.count = static_cast<int>(count < 0                                  ? 0
                                      : count > TimeFunctionSpec::kMaxParameters ? TimeFunctionSpec::kMaxParameters
                                                                                 : count);
    for (int k = 0; k < function.count && !rest.empty(); ++k) {
        double value = 0.0;
        if (ParseDouble(NextField(rest), value) && std::isfinite(value))
            function.p[static_cast<std::size_t>(k)] = value;
    }
    return function;
}

std::string FormatTimeFunction(const TimeFunctionSpec& function) {
    std::string text =
        function.kind == TimeFunctionKind::File ? "File<" + function.path + ">" : TimeFunctionKindName(function.kind);
    if (function.shapeFromDuration || function.count < 1 || function.count > TimeFunctionSpec::kMaxParameters)
        return text;
    text += Format(",%d", function.count);
    for (int k = 0; k < function.count; ++k) text += Format(",%g", function.p[static_cast<std::size_t>(k)]);
    return text;
}

float EvaluateTimeFunction(int n, float dt, float t0, float duration, const TimeFunctionSpec& function,
                           const TimeFunctionContext& context) {
    const float t = static_cast<float>(n) * dt;
    const TimeFunctionKind kind = function.kind;

    // A File waveform is looked up at the first step even when the start
    // time lies later, so that a problem with it is always reported, once.
    const CWaveformFileEntry* file = nullptr;
    const auto lookUpFile = [&] {
        if (!file && context.waveforms)
            file = &context.waveforms->FindOrLoadFile(ResolveModelRelativePath(context.modelPath, function.path));
    };
    if (kind == TimeFunctionKind::File && t >= 0.0f && t - dt < 0.0f) {
        lookUpFile();
        if (file && file->status != WaveformStatus::Ok && context.report)
            context.report(SourceSignalFileMessage(file->status, file->path));
    }

    if (t0 > t) return 0.0f;
    const float tau = t - t0;
    if (kind != TimeFunctionKind::SineContinuous && !(tau < duration)) return 0.0f;  // the pulse is over

    const double amplitude = function.p[0];
    const double frequency = function.p[1];
    const double shape = function.shapeFromDuration ? static_cast<double>(duration / 4.0f) : function.p[2];
    const double carrier = std::sin(kTwoPi * frequency * tau);  // sin(2 pi f tau)
    const double centred = tau - duration / 2.0;                // tau - T/2
    double value = 0.0;
    switch (kind) {
        case TimeFunctionKind::Fixed:
        case TimeFunctionKind::None:
        case TimeFunctionKind::Zero:
            value = 0.0;
            break;
        case TimeFunctionKind::SineContinuous:
        case TimeFunctionKind::SinePulse:
            value = amplitude * carrier;
            break;
        case TimeFunctionKind::SineGaussianPulse:
            if (shape != 0.0) value = amplitude * carrier * std::exp(-((centred / shape) * (centred / shape)));
            break;
        case TimeFunctionKind::SineExponentialPulse:
            if (shape != 0.0) value = amplitude * carrier * std::exp(-std::fabs(tau / shape));
            break;
        case TimeFunctionKind::SquarePulse:
            value = tau < shape ? amplitude : 0.0;
            break;
        case TimeFunctionKind::GaussianPulse: {
            const double k = 8.0 / duration;
            value = amplitude * std::exp(-(k * k) * (centred * centred));
            break;
        }
        case TimeFunctionKind::SineSinePulse:
            value = amplitude * carrier * std::sin(static_cast<double>(kPi) * tau / duration);
            break;
        case TimeFunctionKind::SineCosinePulse:
            value = amplitude * carrier *
                    (1.0 + std::cos(static_cast<double>(kTwoPi) * tau / duration - kCosineShift)) / 2.0;
            break;
        case TimeFunctionKind::User1:
        case TimeFunctionKind::User2: {
            const CWaveformTable* table =
                context.waveforms ? context.waveforms->UserTable(kind == TimeFunctionKind::User1 ? 1 : 2) : nullptr;
            if (table) value = amplitude * SampledValue(*table, tau, duration);
            break;
        }
        case TimeFunctionKind::File:
            lookUpFile();
            if (file && file->status == WaveformStatus::Ok)
                value = amplitude * SampledValue(file->table, tau, duration);
            break;
    }
    return static_cast<float>(value);
}

}  // namespace elix
