// elastrix-cli spectrum | attenuation | timer MODEL.wmd: the Analysis menu's
// commands on the receiver output files named in a model, as the desktop
// program runs them after loading those files. Curves are printed in the
// curve export format, timer results as the timer dialog's texts; --svg
// draws the plot as a picture.
#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/attenuation.h"
#include "analysis/plot_data.h"
#include "analysis/receiver_timer.h"
#include "analysis/recorded_receivers.h"
#include "analysis/spectrum.h"
#include "analysis/svg_writer.h"
#include "commands.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "terminal_ui.h"

namespace elix::cli {
namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 500;

constexpr const char* kOutputOptionsHelp =
    "  -o FILE        write the results to FILE instead of stdout\n"
    "  --svg FILE     also draw the plot into FILE as an SVG picture (800 x 500;\n"
    "                 for timer: the receiver plot)\n"
    "  -h, --help     show this help\n";

constexpr const char* kExitHelp =
    "\n"
    "Exit status: 0 success, 1 failure (no receiver data, a file that cannot\n"
    "be read or written, a curve that does not exist), 2 usage error.\n";

constexpr const char* kSpectrumHelp =
    "Usage: elastrix-cli spectrum [OPTIONS] MODEL.wmd\n"
    "\n"
    "Loads the receiver output files named in the model's receivers (the\n"
    "curves \"L - \" and \"T - \" + receiver name) and prints the amplitude\n"
    "spectrum of every curve in the curve export format: the titles, then per\n"
    "curve \"Legend = name\" and one \"frequency(MHz) amplitude\" line per point.\n"
    "\n"
    "Options:\n";

constexpr const char* kAttenuationHelp =
    "Usage: elastrix-cli attenuation [OPTIONS] MODEL.wmd\n"
    "\n"
    "Loads the receiver output files named in the model, takes the spectra\n"
    "and prints them in decibels against a reference curve,\n"
    "-20 log10(amplitude / reference amplitude), in the curve export format.\n"
    "Curves of the other wave type than the reference are left out; the\n"
    "reference itself becomes a zero line.\n"
    "\n"
    "Options:\n"
    "  --ref N        the reference curve, counted from 0 (default: 2 x the\n"
    "                 number of receivers, or the last curve but one)\n";

constexpr const char* kTimerHelp =
    "Usage: elastrix-cli timer [OPTIONS] MODEL.wmd\n"
    "\n"
    "Loads the receiver output files named in the model and measures how much\n"
    "later a wave arrives on the signal curve than on the reference curve:\n"
    "the delays of the threshold crossing, the first peak and the largest\n"
    "peak, and the velocities that follow from the receivers' distance.\n"
    "\n"
    "Options:\n"
    "  --signal I     the signal curve, counted from 0 (default 0)\n"
    "  --ref J        the reference curve (default: 2 x the number of\n"
    "                 receivers, or the last curve but one)\n"
    "  --threshold P  threshold in per cent of the first peak, 1 to 100\n"
    "                 (default 5)\n";

// The arguments of an analysis command: one model, -o, --svg, and the
// command's own options with a value.
struct AnalysisArguments {
    std::string model;
    std::string output;
    std::string svg;
    std::map<std::string, std::string> values;
};

void PrintHelp(std::FILE* to, const char* help) {
    std::fputs(help, to);
    std::fputs(kOutputOptionsHelp, to);
    std::fputs(kExitHelp, to);
}

// kContinue when args are complete; else the exit status after the help or
// the complaint was printed.
int ParseArguments(const Arguments& args, const std::vector<std::string>& valueOptions, const char* help,
                   AnalysisArguments& out) {
    if (WantsHelp(args)) {
        PrintHelp(stdout, help);
        return kExitOk;
    }
    std::vector<std::string> known = valueOptions;
    known.insert(known.end(), {"-o", "--svg"});
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("-")) {
            if (!out.model.empty()) {
                std::fprintf(stderr, "elastrix-cli: only one model can be analysed at a time\n");
                return kExitUsage;
            }
            out.model = arg;
            continue;
        }
        if (std::find(known.begin(), known.end(), arg) == known.end() || i + 1 >= args.size()) {
            std::fprintf(stderr, "elastrix-cli: %s '%s'\n\n",
                         i + 1 >= args.size() ? "missing value after" : "unknown option", arg.c_str());
            PrintHelp(stderr, help);
            return kExitUsage;
        }
        const std::string& value = args[++i];
        if (arg == "-o")
            out.output = value;
        else if (arg == "--svg")
            out.svg = value;
        else
            out.values[arg] = value;
    }
    if (!out.model.empty()) return kContinue;
    PrintHelp(stderr, help);
    return kExitUsage;
}

// True when text is made only of the given characters after an optional
// sign, so that a number parsed from its start is the whole of it.
bool OnlyCharacters(const std::string& text, const char* allowed) {
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > start && text.find_first_not_of(allowed, start) == std::string::npos;
}

// The value of an integer option, when it was given. False after a
// complaint when its text is not a whole integer.
bool IntegerOption(const AnalysisArguments& args, const std::string& name, std::optional<int>& value) {
    const auto found = args.values.find(name);
    if (found == args.values.end()) return true;
    long long number = 0;
    if (OnlyCharacters(found->second, "0123456789") && ParseInteger(found->second, number) && number >= -1'000'000 &&
        number <= 1'000'000) {
        value = static_cast<int>(number);
        return true;
    }
    std::fprintf(stderr, "elastrix-cli: %s needs an integer, not '%s'\n", name.c_str(), found->second.c_str());
    return false;
}

// Writes the results to -o FILE or stdout, and the picture to --svg FILE.
int Emit(const std::string& text, const CPlotData& picture, const AnalysisArguments& args) {
    if (args.output.empty()) {
        std::fputs(text.c_str(), stdout);
    } else if (!WriteFileAtomically(args.output, text)) {
        std::fprintf(stderr, "%s\n", Format("Unable to save file '%s'.", args.output).c_str());
        return kExitFailure;
    }
    std::string error;
    if (!args.svg.empty() && !WritePlotSvg(picture, args.svg, kPictureWidth, kPictureHeight, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

// Prints a plot in the curve export format (and draws it).
int EmitPlot(const CPlotData& plot, const AnalysisArguments& args) {
    const std::string text = plot.ExportText();
    if (text.empty()) {
        std::fputs("No curve for export.\n", stderr);
        return kExitFailure;
    }
    return Emit(text, plot, args);
}

}  // namespace

int SpectrumCommand(const Arguments& args) {
    AnalysisArguments parsed;
    if (const int status = ParseArguments(args, {}, kSpectrumHelp, parsed); status != kContinue) return status;
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, parsed.model) || !SpectrumPlot(doc)) return kExitFailure;
    return EmitPlot(doc.plotData[kSpectrumPlot], parsed);
}

int AttenuationCommand(const Arguments& args) {
    AnalysisArguments parsed;
    if (const int status = ParseArguments(args, {"--ref"}, kAttenuationHelp, parsed); status != kContinue)
        return status;
    std::optional<int> reference;
    if (!IntegerOption(parsed, "--ref", reference)) return kExitUsage;
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, parsed.model)) return kExitFailure;
    std::string error;
    if (!Attenuation(doc, reference, error)) {
        if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
        return kExitFailure;
    }
    const CPlotData& plot = doc.plotData[kAttenuationPlot];
    const int chosen = reference.value_or(DefaultReferenceCurve(plot, doc.Receivers().Count()));
    std::fprintf(stderr, "%s\n", Format("Reference Curve Name: '%s'", plot.CurveAt(chosen)->legend).c_str());
    return EmitPlot(plot, parsed);
}

int TimerCommand(const Arguments& args) {
    AnalysisArguments parsed;
    if (const int status = ParseArguments(args, {"--signal", "--ref", "--threshold"}, kTimerHelp, parsed);
        status != kContinue)
        return status;
    std::optional<int> signal;
    std::optional<int> reference;
    if (!IntegerOption(parsed, "--signal", signal) || !IntegerOption(parsed, "--ref", reference)) return kExitUsage;
    double threshold = kDefaultTimerThreshold;
    if (const auto found = parsed.values.find("--threshold"); found != parsed.values.end()) {
        if (!OnlyCharacters(found->second, "0123456789.eE+-") || !ParseDouble(found->second, threshold) ||
            !IsInFieldRange(threshold, kTimerThresholdRange)) {
            std::fprintf(stderr, "--threshold: %s\n", FieldRangeMessage(kTimerThresholdRange).c_str());
            return kExitUsage;
        }
    }
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, parsed.model) || !PrepareReceiverTimer(doc)) return kExitFailure;

    const CPlotData& plot = doc.plotData[kReceiverPlot];
    CReceiverTimer timer(plot, doc.Receivers().Count());
    timer.SetThreshold(threshold, nullptr);
    for (const auto& [given, set] : {std::pair{signal, &CReceiverTimer::SetSignalIndex},
                                     std::pair{reference, &CReceiverTimer::SetReferenceIndex}}) {
        if (given && !(timer.*set)(*given)) {
            std::fprintf(stderr, "%s\n", NoSuchCurveMessage(*given, plot.CurveCount()).c_str());
            return kExitFailure;
        }
    }
    return Emit(timer.UpdateTimer().Text(), plot, parsed);
}

}  // namespace elix::cli
