// The Plot Dialog ("Plot Dialog") without its window: the fields it shows
// for one CPlotData, the rules by which typed text is stored, and its
// actions (Previous, Next, Disable All, Enable All, Apply, OK, Insert,
// Delete, Delete All, Export) with their questions and messages. The
// dialog only moves text in and out and calls these.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "analysis/plot_data.h"
#include "model/field_range.h"
#include "model/user_interface.h"

namespace elix {

class CElixDoc;

// The filter of the Export and Insert file choosers.
inline constexpr const char* kPlotTextFileFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// The scales are checked against this range when taken.
inline constexpr FieldRange kPlotScaleRange{0.0, 1e20};

// A limit as typed: exactly "Auto" makes it automatic (the value is then
// left as it was); any other text is read as a number, 0 when it is not one
// ("auto" in lower case is the fixed limit 0). Values beyond the float
// range are held at the largest float.
struct PlotLimitEntry {
    bool automatic = false;
    float value = 0.0f;
};
PlotLimitEntry ParsePlotLimit(const std::string& text);
// "Auto" for an automatic limit, else the value with "%f".
std::string PlotLimitText(bool automatic, float value);

// The dialog's fields, as text where the user types.
struct PlotDialogFields {
    std::string curveName;  // legend of the current curve (empty without curves)
    bool disable = false;   // its disabled flag
    std::string mainTitle;
    std::string xTitle;
    std::string yTitle;
    std::string xMin;
    std::string xMax;
    std::string yMin;
    std::string yMax;
    std::string xScale;
    std::string yScale;
    std::string xTicks;
    std::string yTicks;
    bool xGrid = false;
    bool yGrid = false;
};

// What the editor needs from its surroundings.
struct PlotEditorHost {
    // Shows a message in a box with the given caption (empty: the program's
    // name) and returns the answer.
    std::function<MessageAnswer(const std::string& text, MessageStyle style, const std::string& title)> report;
    // Repaints the plot windows of a kind ('r', 'f', 't', ...).
    std::function<void(char kind)> repaint;
    // File choosers; an empty result means the user cancelled.
    std::function<std::optional<std::string>(const FileChooserRequest&)> chooseFileToOpen;
    std::function<std::optional<std::string>(const FileChooserRequest&)> chooseFileToSave;
    // The current folder; empty when it cannot be read.
    std::function<std::string()> currentFolder;
};

// The file title of a path: its name without folder and extension
// ("out/rx1.txt" -> "rx1"), the name Insert gives the loaded curves.
std::string PlotFileTitle(const std::string& path);

class CPlotDataEditor {
public:
    // kind is the letter of the plot's windows; Insert exists only for the
    // receiver plot ('r').
    CPlotDataEditor(CPlotData& plot, char kind, PlotEditorHost host);

    // An editor whose messages go through the document's ReportMessage, its
    // file choosers through the document's user interface, and whose
    // repaints are the document's view updates.
    static CPlotDataEditor ForDocument(CElixDoc& doc, CPlotData& plot, char kind);

    bool HasInsert() const { return m_kind == 'r'; }

    // The fields for the record as it is now.
    PlotDialogFields Fields() const;

    // Stores the fields. A scale outside 0 .. 1e20, a scale or tick count
    // that is not a number, or a tick count above 100 is refused with a
    // warning and nothing is stored; a tick count below 2 is stored as 2.
    // The curve name and Disable go to the current curve only when there
    // are curves.
    bool Take(const PlotDialogFields& fields);

    // Store the fields, then step the current curve; at the ends "This is
    // the first curve" / "This is the last curve" is shown instead.
    bool Previous(const PlotDialogFields& fields);
    bool Next(const PlotDialogFields& fields);

    void DisableAll() { m_plot.SetAllDisabled(true); }
    void EnableAll() { m_plot.SetAllDisabled(false); }

    // Apply: store and repaint this kind's windows. OK: store; false keeps
    // the dialog open.
    bool Apply(const PlotDialogFields& fields);
    bool Ok(const PlotDialogFields& fields) { return Take(fields); }

    // Delete: asks "Curve \"%s\" will be deleted, continue?" with the curve
    // name on display less its first four characters ("L - "), then removes
    // both curves of that name. Delete All asks "All plot data will be
    // deleted, continue?" and removes every curve. A failure shows "Unable
    // to delete the curves". True when curves were removed.
    bool Delete(const PlotDialogFields& fields);
    bool DeleteAll();

    // Insert: a file chooser in the current folder; the chosen receiver
    // output file is loaded at position (0, 0) under its file title. A
    // failure to load shows "Unable to load the curves". True when curves
    // were added.
    bool Insert();
    // Loads one receiver output file as Insert does after the chooser.
    bool InsertFile(const std::string& path);

    // Export: a save chooser starting in startFolder (the receiver output
    // folder), then ExportCurves; a failure shows the record's message as a
    // warning. True when the file was written with curves.
    bool Export(const std::string& startFolder);
    bool ExportFile(const std::string& path);

private:
    MessageAnswer Report(const std::string& text, MessageStyle style, const std::string& title = {}) const;
    void Repaint(char kind) const;

    CPlotData& m_plot;
    char m_kind;
    PlotEditorHost m_host;
};

}  // namespace elix
