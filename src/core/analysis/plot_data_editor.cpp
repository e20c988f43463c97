#include "analysis/plot_data_editor.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr const char* kInformationCaption = "Information";
constexpr FieldRange kTickRange{PlotAxes::kMinTicks, PlotAxes::kMaxTicks};

}  // namespace

PlotLimitEntry ParsePlotLimit(const std::string& text) {
    PlotLimitEntry entry;
    if (text == "Auto") {
        entry.automatic = true;
        return entry;
    }
    double value = 0.0;
    if (!ParseDouble(text, value) || std::isnan(value)) value = 0.0;
    constexpr double kLargest = std::numeric_limits<float>::max();
    entry.value = static_cast<float>(value > kLargest ? kLargest : value < -kLargest ? -kLargest : value);
    return entry;
}

std::string PlotLimitText(bool automatic, float value) {
    return automatic ? "Auto" : Format("%f", value);
}

std::string PlotFileTitle(const std::string& path) {
    std::string name = FileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

CPlotDataEditor::CPlotDataEditor(CPlotData& plot, char kind, PlotEditorHost host)
    : m_plot(plot), m_kind(kind), m_host(std::move(host)) {}

CPlotDataEditor CPlotDataEditor::ForDocument(CElixDoc& doc, CPlotData& plot, char kind) {
    PlotEditorHost host;
    host.report = [&doc](const std::string& text, MessageStyle style, const std::string& title) {
        return doc.ReportMessage(text, style, title);
    };
    host.repaint = [&doc](char hint) { doc.UpdateAllViews(hint); };
    host.chooseFileToOpen = [&doc](const FileChooserRequest& request) -> std::optional<std::string> {
        if (IUserInterface* ui = doc.UserInterface()) return ui->ChooseFileToOpen(request);
        return std::nullopt;
    };
    host.chooseFileToSave = [&doc](const FileChooserRequest& request) -> std::optional<std::string> {
        if (IUserInterface* ui = doc.UserInterface()) return ui->ChooseFileToSave(request);
        return std::nullopt;
    };
    host.currentFolder = [] {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::current_path(error);
        return error ? std::string() : folder.string();
    };
    return CPlotDataEditor(plot, kind, std::move(host));
}

MessageAnswer CPlotDataEditor::Report(const std::string& text, MessageStyle style, const std::string& title) const {
    if (m_host.report) return m_host.report(text, style, title);
    return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void CPlotDataEditor::Repaint(char kind) const {
    if (m_host.repaint) m_host.repaint(kind);
}

PlotDialogFields CPlotDataEditor::Fields() const {
    PlotDialogFields fields;
    if (const PlotCurve* curve = m_plot.CurveAt(m_plot.CurrentCurve())) {
        fields.curveName = curve->legend;
        fields.disable = curve->disabled;
    }
    fields.mainTitle = m_plot.titles.main;
    fields.xTitle = m_plot.titles.x;
    fields.yTitle = m_plot.titles.y;
    const PlotAxes& axes = m_plot.axes;
    fields.xMin = PlotLimitText(axes.xMinAuto, axes.xMin);
    fields.xMax = PlotLimitText(axes.xMaxAuto, axes.xMax);
    fields.yMin = PlotLimitText(axes.yMinAuto, axes.yMin);
    fields.yMax = PlotLimitText(axes.yMaxAuto, axes.yMax);
    fields.xScale = Format("%g", axes.xScale);
    fields.yScale = Format("%g", axes.yScale);
    fields.xTicks = Format("%d", axes.xTickCount);
    fields.yTicks = Format("%d", axes.yTickCount);
    fields.xGrid = axes.xGrid;
    fields.yGrid = axes.yGrid;
    return fields;
}

bool CPlotDataEditor::Take(const PlotDialogFields& fields) {
    const FieldReport report = [this](const std::string& text, MessageStyle style) { return Report(text, style); };

    double scales[2] = {0.0, 0.0};
    const std::string* scaleTexts[2] = {&fields.xScale, &fields.yScale};
    for (int k = 0; k < 2; ++k) {
        if (!ParseDouble(*scaleTexts[k], scales[k])) {
            Report("Please enter a number.", MessageStyle::Exclamation);
            return false;
        }
        if (!CheckFieldRange(scales[k], kPlotScaleRange, report)) return false;
    }
    long long ticks[2] = {0, 0};
    const std::string* tickTexts[2] = {&fields.xTicks, &fields.yTicks};
    for (int k = 0; k < 2; ++k) {
        if (!ParseInteger(*tickTexts[k], ticks[k])) {
            Report("Please enter an integer.", MessageStyle::Exclamation);
            return false;
        }
        if (ticks[k] > PlotAxes::kMaxTicks && !CheckFieldRange(static_cast<double>(ticks[k]), kTickRange, report))
            return false;
    }

    if (PlotCurve* curve = m_plot.CurveAt(m_plot.CurrentCurve())) {
        curve->legend = fields.curveName;
        curve->disabled = fields.disable;
    }
    m_plot.titles.main = fields.mainTitle;
    m_plot.titles.x = fields.xTitle;
    m_plot.titles.y = fields.yTitle;

    PlotAxes& axes = m_plot.axes;
    const auto takeLimit = [](const std::string& text, bool& automatic, float& value) {
        const PlotLimitEntry entry = ParsePlotLimit(text);
        automatic = entry.automatic;
        if (!entry.automatic) value = entry.value;
    };
    takeLimit(fields.xMin, axes.xMinAuto, axes.xMin);
    takeLimit(fields.xMax, axes.xMaxAuto, axes.xMax);
    takeLimit(fields.yMin, axes.yMinAuto, axes.yMin);
    takeLimit(fields.yMax, axes.yMaxAuto, axes.yMax);
    axes.xScale = static_cast<float>(scales[0]);
    axes.yScale = static_cast<float>(scales[1]);
    axes.xTickCount = ClampTickCount(ticks[0]);
    axes.yTickCount = ClampTickCount(ticks[1]);
    axes.xGrid = fields.xGrid;
    axes.yGrid = fields.yGrid;
    return true;
}

bool CPlotDataEditor::Previous(const PlotDialogFields& fields) {
    if (!Take(fields)) return false;
    if (m_plot.CurrentCurve() <= 0) {
        Report("This is the first curve", MessageStyle::Information, kInformationCaption);
        return false;
    }
    return m_plot.SetCurrentCurve(m_plot.CurrentCurve() - 1);
}

bool CPlotDataEditor::Next(const PlotDialogFields& fields) {
    if (!Take(fields)) return false;
    if (m_plot.CurrentCurve() >= m_plot.CurveCount() - 1) {
        Report("This is the last curve", MessageStyle::Information, kInformationCaption);
        return false;
    }
    return m_plot.SetCurrentCurve(m_plot.CurrentCurve() + 1);
}

bool CPlotDataEditor::Apply(const PlotDialogFields& fields) {
    if (!Take(fields)) return false;
    Repaint(m_kind);
    return true;
}

bool CPlotDataEditor::Delete(const PlotDialogFields& fields) {
    const std::string name = fields.curveName.size() > 4 ? fields.curveName.substr(4) : std::string();
    const std::string question = Format("Curve \"%s\" will be deleted, continue?", name);
    if (Report(question, MessageStyle::Question) != MessageAnswer::Yes) return false;
    if (!m_plot.RemoveReceiverCurves(name)) {
        Report("Unable to delete the curves", MessageStyle::Information, kInformationCaption);
        return false;
    }
    Repaint('r');
    return true;
}

bool CPlotDataEditor::DeleteAll() {
    if (Report("All plot data will be deleted, continue?", MessageStyle::Question) != MessageAnswer::Yes) return false;
    if (!m_plot.ClearCurves()) {
        Report("Unable to delete the curves", MessageStyle::Information, kInformationCaption);
        return false;
    }
    Repaint('r');
    return true;
}

bool CPlotDataEditor::Insert() {
    if (!HasInsert()) return false;
    const std::string folder = m_host.currentFolder ? m_host.currentFolder() : std::string();
    if (folder.empty()) {
        Report("Unable to get the current path", MessageStyle::Exclamation);
        return false;
    }
    FileChooserRequest request;
    request.filter = kPlotTextFileFilter;
    request.startFolder = folder;
    request.fileMustExist = true;
    const std::optional<std::string> path =
        m_host.chooseFileToOpen ? m_host.chooseFileToOpen(request) : std::optional<std::string>();
    if (!path) return false;
    return InsertFile(*path);
}

bool CPlotDataEditor::InsertFile(const std::string& path) {
    if (!m_plot.LoadReceiverFile(0.0f, 0.0f, path, PlotFileTitle(path))) {
        Report("Unable to load the curves", MessageStyle::Information, kInformationCaption);
        return false;
    }
    Repaint('r');
    return true;
}

bool CPlotDataEditor::Export(const std::string& startFolder) {
    FileChooserRequest request;
    request.filter = kPlotTextFileFilter;
    request.defaultExtension = "txt";
    request.startFolder = startFolder;
    request.confirmOverwrite = true;
    const std::optional<std::string> path =
        m_host.chooseFileToSave ? m_host.chooseFileToSave(request) : std::optional<std::string>();
    if (!path) return false;
    return ExportFile(*path);
}

bool CPlotDataEditor::ExportFile(const std::string& path) {
    if (m_plot.ExportCurves(path)) return true;
    Report(m_plot.message, MessageStyle::Exclamation);
    return false;
}

}  // namespace elix
