// libFuzzer target: the waveform file reader (.wtf) and, on the same bytes,
// the time-function text form and its evaluation.
//
// Invariants checked:
// - a failed read leaves the table as it was;
// - a good read has at least one sample, all finite, and a comment that the
//   writer keeps as it is; writing the table and reading it back gives the
//   same comment and bit-identical samples;
// - the text form is stable after one format/parse round (numbers pass
//   through "%g" once), and keeps its kind and File path;
// - evaluation never gives NaN, gives 0 before the start time and, for
//   every kind but "Sine Continuous", from the end of the duration on.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/time_functions.h"
#include "engine/waveform_file.h"
#include "fuzz_check.h"

namespace {

using namespace elix;

void CheckWaveform(std::string_view text, CWaveformStore& store) {
    CWaveformTable table;
    table.values = {7.0f};
    table.comment = "#sentinel";
    const CWaveformTable sentinel = table;
    const WaveformStatus status = ParseWaveformText(text, table);
    if (status != WaveformStatus::Ok) {
        FUZZ_CHECK(table == sentinel);
        return;
    }
    FUZZ_CHECK(!table.values.empty());
    for (float v : table.values) FUZZ_CHECK(std::isfinite(v));
    FUZZ_CHECK(NormalizeWaveformComment(table.comment) == table.comment);

    CWaveformTable again;
    FUZZ_CHECK(ParseWaveformText(WaveformFileText(table), again) == WaveformStatus::Ok);
    FUZZ_CHECK(again.comment == table.comment);
    FUZZ_CHECK(again.values.size() == table.values.size());
    FUZZ_CHECK(std::memcmp(again.values.data(), table.values.data(), table.values.size() * sizeof(float)) == 0);

    store.user1 = table;
    store.user2 = std::move(table);
}

void CheckTimeFunction(std::string_view text, CWaveformStore& store, const std::uint8_t* data, std::size_t size) {
    const TimeFunctionSpec first = ParseTimeFunction(text);
    const TimeFunctionSpec second = ParseTimeFunction(FormatTimeFunction(first));
    const std::string stable = FormatTimeFunction(second);
    const TimeFunctionSpec third = ParseTimeFunction(stable);
    FUZZ_CHECK(FormatTimeFunction(third) == stable);
    FUZZ_CHECK(second.kind == first.kind && third.kind == first.kind);
    FUZZ_CHECK(second.path == first.path && third.path == first.path);
    FUZZ_CHECK(first.count >= 0 && first.count <= TimeFunctionSpec::kMaxParameters);

    // Time step, start time and duration picked by the first bytes; a File
    // waveform is evaluated without a store, so no file is ever opened.
    static constexpr float kSteps[] = {1e-8f, 3.3e-9f, 2.5e-7f, 1e-3f};
    static constexpr float kStarts[] = {0.0f, 5e-8f, 1e-6f, -1e-7f};
    static constexpr float kDurations[] = {1e-6f, 3e-6f, 0.0f, -1e-6f, 1e-30f};
    const float dt = kSteps[size > 0 ? data[0] % 4 : 0];
    const float t0 = kStarts[size > 1 ? data[1] % 4 : 0];
    const float duration = kDurations[size > 2 ? data[2] % 5 : 0];
    TimeFunctionContext context;
    if (third.kind != TimeFunctionKind::File) context.waveforms = &store;
    for (int n = -2; n < 400; n += 3) {
        const float value = EvaluateTimeFunction(n, dt, t0, duration, third, context);
        FUZZ_CHECK(!std::isnan(value));
        const float t = static_cast<float>(n) * dt;
        if (t0 > t) FUZZ_CHECK(value == 0.0f);
        if (third.kind != TimeFunctionKind::SineContinuous && !(t - t0 < duration)) FUZZ_CHECK(value == 0.0f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CWaveformStore store;
    CheckWaveform(text, store);
    // Time-function texts are short; a long input is cut rather than parsed
    // once more in full.
    CheckTimeFunction(text.substr(0, 512), store, data, size);
    return 0;
}
