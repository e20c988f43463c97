#include "analysis/plot_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cctype>

#include "analysis/plot_data.h"
#include "analysis/plot_view_rules.h"
#include "analysis/plot_window.h"
#include "analysis/svg_writer.h"
#include "app/main_frame.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

std::string LowerExtension(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return {};
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool HasEnabledCurve(const CPlotData& plot) {
    return std::any_of(plot.Curves().begin(), plot.Curves().end(), [](const PlotCurve& c) { return !c.disabled; });
}

}  // namespace

bool ExportPlotFile(const CPlotView& view, std::string& path, std::string& error) {
    CPlotData& plot = view.Plot();
    if (!HasEnabledCurve(plot)) {
        error = "No curve for export.";
        return false;
    }
    std::string extension = LowerExtension(path);
    if (extension.empty()) {
        path += ".png";
        extension = "png";
    }
    const std::string failed = Format("Unable to save file '%s'.", path);
    if (extension == "png") {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (view.Picture().save(&buffer, "PNG") &&
            WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
            return true;
        error = failed;
        return false;
    }
    if (extension == "svg") return WritePlotSvg(plot, path, view.width(), view.height(), error);
    if (extension == "csv") {
        if (WriteFileAtomically(path, PlotCsvText(plot))) return true;
        error = failed;
        return false;
    }
    error = Format("The plot can be exported as .png, .svg or .csv, not as '.%s'.", extension);
    return false;
}

bool ExportPlotCommand(CPlotView& view) {
    FileChooserRequest request;
    request.title = "Export Plot";
    request.filter = kPlotPictureFilter;
    request.defaultExtension = "png";
    request.startFolder = view.MainFrame().Directories()[DirectoryKind::ReceiverOutput];
    request.confirmOverwrite = true;
    std::optional<std::string> path = view.MainFrame().UserInterface().ChooseFileToSave(request);
    if (!path) return false;
    std::string error;
    if (ExportPlotFile(view, *path, error)) return true;
    view.Document().ReportMessage(error, MessageStyle::Exclamation);
    return false;
}

}  // namespace elix
