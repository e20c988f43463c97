// The plot windows, driven as a user would: a run of the immersion example
// grows the receiver plot live and its spectrum peaks at the source
// frequency; the Plot Dialog's limits, Delete, Delete All and Export; the
// window's pixels against the SVG writer's layout; zoom, readout and Export
// Plot; Attenuation with the Reference Curve dialog; the Receiver Timer.
//
// With ELASTRIX_SCREENS_DIR set to a folder, the windows and dialogs are saved
// there as pictures (docs/screens/ is made that way).
#include "plot_window_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "analysis/attenuation.h"
#include "analysis/plot_data_dlg.h"
#include "analysis/plot_export.h"
#include "analysis/plot_layout.h"
#include "analysis/plot_window.h"
#include "analysis/receiver_timer.h"
#include "analysis/receiver_timer_dlg.h"
#include "analysis/ref_curve_dlg.h"
#include "analysis/svg_writer.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "support/temp_dir.h"
#include "view/elix_view.h"

namespace elix::test {

namespace {

// Saves a picture of widget as it is shown (no resizing to its contents).
void Screenshot(QWidget& widget, const char* name) { SavePicture(widget, QString::fromUtf8(name), false); }

// A receiver output file: 64 steps of 0.1 us, a Gaussian pulse peaking at
// step peak with longitudinal amplitude a, the transverse one half as large.
std::string PulseFile(int peak, double amplitude) {
    std::string text;
    for (int step = 0; step < 64; ++step) {
        const double d = step - peak;
        const double l = amplitude * std::exp(-d * d / 4.0);
        text += Format("%d %8.5f %7.4f %7.4f\n", step, step * 0.1, l, l / 2.0);
    }
    return text;
}

// The immersion model open, its two receiver files ("Transducer Echo":
// peak at 3 us, amplitude 1; "Back Wall Gate": peak at 1 us, amplitude 2)
// written beside it.
void OpenWithPulseFiles(Window& w) {
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    w.dir.Write("echo.txt", PulseFile(30, 1.0));
    w.dir.Write("back_wall_gate.txt", PulseFile(10, 2.0));
}

CPlotView* PlotView(const Window& w, char kind) {
    CPlotFrame* frame = FindPlotWindow(*w.frame, w.Doc(), kind);
    return frame ? frame->View() : nullptr;
}

// The rightmost column of image, left of limit, holding a pixel of
// colour, or -1.
int RightmostPixelOf(const QImage& image, QColor colour, int limit = 1 << 20) {
    for (int x = std::min(limit, image.width()) - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == colour) return x;
    return -1;
}

// True when a pixel of colour lies within one pixel of p.
bool ColourNear(const QImage& image, PlotPoint p, QColor colour) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint q(p.x + dx, p.y + dy);
            if (image.rect().contains(q) && image.pixelColor(q) == colour) return true;
        }
    return false;
}

// Keeps the receiver plot window's picture as it was halfway through.
class HalfwayMonitor : public IRunMonitor {
public:
    explicit HalfwayMonitor(const Window& w) : m_window(w) {}
    void Progress(int step, int totalSteps, const std::string&) override {
        if (step == totalSteps / 2)
            if (CPlotView* view = PlotView(m_window, 'r')) halfway = view->Buffer();
    }
    QImage halfway;

private:
    const Window& m_window;
};

}  // namespace

void PlotWindowTest::runGrowsTheReceiverPlotAndItsSpectrumPeaksAtTheSource() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    QVERIFY(OpenPlotWindow(*w.frame, doc, 'r'));
    QVERIFY(!OpenPlotWindow(*w.frame, doc, 'r'));
    // The receiver plot's window: 500 x 200 at the bottom left; the model's
    // full menu bar stays while it is active.
    CPlotFrame* window = FindPlotWindow(*w.frame, doc, 'r');
    QVERIFY(window);
    QCOMPARE(window->geometry().size(), QSize(500, 200));
    QCOMPARE(window->geometry().left(), 0);
    QCOMPARE(window->geometry().bottom() + 1, w.frame->MdiArea()->viewport()->height());
    QVERIFY(w.frame->FullMenuBarShown());
    QCOMPARE(w.frame->ActiveDocument(), &doc);

    HalfwayMonitor monitor(w);
    QCOMPARE(Run(doc, monitor), RunOutcome::Finished);
    CPlotView* view = PlotView(w, 'r');
    QVERIFY(view);
    // The curves grew during the run: halfway they ended further left. The
    // last curve, drawn over the others, shows it (colour 5 of the table).
    const QColor lastCurve(0, 0, 127);
    QVERIFY(!monitor.halfway.isNull());
    // (Left of the frame's right side: the legend lines lie beyond it.)
    const int right = view->FrameRect().right;
    const int halfwayEnd = RightmostPixelOf(monitor.halfway, lastCurve, right);
    const int finalEnd = RightmostPixelOf(view->Buffer(), lastCurve, right);
    QVERIFY2(halfwayEnd > 0 && finalEnd > halfwayEnd + 50, qPrintable(QStringLiteral("%1 %2").arg(halfwayEnd).arg(finalEnd)));

    // The window's plot holds the values of the receiver files: two curves
    // per receiver and per source.
    const CPlotData& plot = doc.plotData[kReceiverPlot];
    QCOMPARE(plot.CurveCount(), 6);
    const std::pair<int, const char*> files[] = {{0, "echo.txt"}, {2, "back_wall_gate.txt"}};
    for (const auto& [curve, name] : files) {
        std::string text;
        QVERIFY(ReadWholeFile(w.dir.Path(name), text));
        // Lines of the step, the time (us) and the longitudinal value.
        std::vector<ReceiverFileLine> lines;
        std::istringstream rows(text);
        std::string row;
        while (std::getline(rows, row)) {
            std::istringstream words(row);
            ReceiverFileLine line;
            if (words >> line.step >> line.timeMicroseconds >> line.longitudinal) lines.push_back(line);
        }
        QVERIFY(lines.size() > 100);
        const PlotCurve& c = *plot.CurveAt(curve);
        for (const ReceiverFileLine& line : lines) {
            const auto k = static_cast<std::size_t>(line.step);
            QVERIFY(std::fabs(c.y[k] - line.longitudinal) <= 5.1e-5);
            QVERIFY2(std::fabs(c.x[k] * 1e6 - line.timeMicroseconds) <= 2e-5,
                     qPrintable(QString::number(c.x[k] * 1e6 - line.timeMicroseconds)));
        }
    }
    window->resize(760, 380);
    QApplication::processEvents();
    Screenshot(*window, "receiver_plot");

    // Spectrum Plot: its window opens and the transducer's echo peaks at
    // the 1 MHz of its two-cycle sine pulse, within one frequency step.
    w.frame->Execute(Cmd::SpectrumPlot);
    CPlotView* spectrumView = PlotView(w, 'f');
    QVERIFY(spectrumView);
    const CPlotData& spectrum = doc.plotData[kSpectrumPlot];
    QCOMPARE(QString::fromStdString(spectrum.titles.main), QStringLiteral("immersion.wmd, Amplitude vs Frequency"));
    const PlotCurve& echo = *spectrum.CurveAt(0);
    const double df = echo.x[1] - echo.x[0];
    int peak = 0;
    for (int i = 1; i < echo.PointCount(); ++i)
        if (echo.y[static_cast<std::size_t>(i)] > echo.y[static_cast<std::size_t>(peak)]) peak = i;
    QVERIFY2(std::fabs(echo.x[static_cast<std::size_t>(peak)] - 1.0) <= df,
             qPrintable(QStringLiteral("peak %1 MHz, step %2").arg(echo.x[static_cast<std::size_t>(peak)]).arg(df)));
    spectrumView->parentWidget()->resize(640, 360);
    Screenshot(*spectrumView->parentWidget(), "spectrum_plot");

    // A hint for the model view alone leaves the plot's picture; the
    // receiver hint rebuilds it.
    doc.plotData[kReceiverPlot].SetDisabled(5, true);
    const QImage before = view->Buffer();
    doc.UpdateAllViews('m');
    QCOMPARE(view->Buffer(), before);
    doc.UpdateAllViews('r');
    QVERIFY(view->Buffer() != before);
    QCOMPARE(RightmostPixelOf(view->Buffer(), lastCurve, right), -1);

    // Closing the model's window closes its plot windows.
    w.frame->Frames().front()->close();
    QTRY_VERIFY(w.frame->MdiArea()->subWindowList().isEmpty());
}

void PlotWindowTest::plotDialogSetsLimitsDeletesAndExports() {
    Window w;
    OpenWithPulseFiles(w);
    CElixDoc& doc = w.Doc();
    const CPlotData& plot = doc.plotData[kReceiverPlot];
    const std::string exported = w.dir.Path("curves.txt");
    bool shown = false;
    WhenModal<CPlotDataDlg>([&](CPlotDataDlg& dialog) {
        shown = true;
        // The recorded files were loaded: two curves per receiver.
        QCOMPARE(plot.CurveCount(), 4);
        QCOMPARE(dialog.CurveName()->text(), QStringLiteral("L - Transducer Echo"));
        QCOMPARE(dialog.XMin()->currentText(), QStringLiteral("Auto"));
        QVERIFY(dialog.Button(QStringLiteral("&Insert")));
        Screenshot(dialog, "CPlotDataDlg");

        // Limits: a number fixes one, "Auto" keeps another automatic; a tick
        // count that is no integer keeps the dialog open with a warning.
        dialog.XMax()->setEditText(QStringLiteral("4e-6"));
        dialog.YMin()->setEditText(QStringLiteral("-0.5"));
        dialog.XTicks()->setText(QStringLiteral("many"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&Apply")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("Please enter an integer."));
        QVERIFY(plot.axes.xMaxAuto);
        dialog.XTicks()->setText(QStringLiteral("1"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&Apply")), Qt::LeftButton);
        QVERIFY(!plot.axes.xMaxAuto && plot.axes.xMinAuto && plot.axes.yMaxAuto);
        QCOMPARE(plot.axes.xMax, 4e-6f);
        QCOMPARE(plot.axes.yMin, -0.5f);
        QCOMPARE(plot.axes.xTickCount, 2);
        QCOMPARE(dialog.XMax()->currentText(), QStringLiteral("0.000004"));

        // Previous at the first curve says so; Next steps.
        QTest::mouseClick(dialog.Button(QStringLiteral("&Previous")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("This is the first curve"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&Next")), Qt::LeftButton);
        QTest::mouseClick(dialog.Button(QStringLiteral("&Next")), Qt::LeftButton);
        QCOMPARE(dialog.CurveName()->text(), QStringLiteral("L - Back Wall Gate"));

        // Export writes the curve export format.
        w.ui.script.files.push_back(exported);
        QTest::mouseClick(dialog.Button(QStringLiteral("Export")), Qt::LeftButton);
        QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.frame->Directories()[DirectoryKind::ReceiverOutput]);
        QCOMPARE(QString::fromStdString(w.ui.script.fileRequests.back().filter),
                 QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"));

        // Delete asks; No keeps the curves, Yes removes both of the receiver.
        w.ui.script.answers = {MessageAnswer::No, MessageAnswer::Yes};
        QTest::mouseClick(dialog.Button(QStringLiteral("&Delete")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
                 QStringLiteral("Curve \"Back Wall Gate\" will be deleted, continue?"));
        QCOMPARE(plot.CurveCount(), 4);
        QTest::mouseClick(dialog.Button(QStringLiteral("&Delete")), Qt::LeftButton);
        QCOMPARE(plot.CurveCount(), 2);
        QCOMPARE(QString::fromStdString(plot.CurveAt(1)->legend), QStringLiteral("T - Transducer Echo"));
        QCOMPARE(dialog.CurveName()->text(), QStringLiteral("T - Transducer Echo"));

        // Insert loads a receiver file under its file title.
        w.ui.script.files.push_back(w.dir.Path("back_wall_gate.txt"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&Insert")), Qt::LeftButton);
        QCOMPARE(plot.CurveCount(), 4);
        QCOMPARE(QString::fromStdString(plot.CurveAt(2)->legend), QStringLiteral("L - back_wall_gate"));

        // Delete All asks and empties the plot.
        w.ui.script.answers = {MessageAnswer::Yes};
        QTest::mouseClick(dialog.Button(QStringLiteral("D&elete All")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
                 QStringLiteral("All plot data will be deleted, continue?"));
        QCOMPARE(plot.CurveCount(), 0);
        QVERIFY(!dialog.CurveName()->isEnabled());
        QTest::mouseClick(dialog.Button(QStringLiteral("D&elete All")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("Unable to delete the curves"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&OK")), Qt::LeftButton);
    });
    w.frame->Execute(Cmd::ReceiverPlot);
    QVERIFY(shown);
    QCOMPARE(QString::fromStdString(plot.message), QStringLiteral("Note: Recorded Receiver Data Are Loaded."));
    QCOMPARE(QString::fromStdString(plot.titles.main), QStringLiteral("immersion.wmd"));

    // The export holds every enabled curve of the plot as it was then.
    std::string text;
    QVERIFY(ReadWholeFile(exported, text));
    QVERIFY(text.starts_with("Main Title = immersion.wmd\nX Title = Time [sec]\nY Title = Amp. \nLegend = L - Transducer Echo\n0 0.000000\n"));
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 3 + 4 * 65);
    QVERIFY(text.find("Legend = T - Back Wall Gate\n") != std::string::npos);
    QVERIFY(text.find("\n1e-06 2.000000\n") != std::string::npos);  // the gate's peak at 1 us

    // The emptied plot: the window shows white only, and a second Receiver
    // Plot opens no second window but the dialog again (after loading the
    // files anew, as the plot was empty).
    CPlotView* view = PlotView(w, 'r');
    QVERIFY(view);
    QCOMPARE(RightmostPixelOf(view->Buffer(), Qt::black), -1);
    WhenModal<CPlotDataDlg>([](CPlotDataDlg& dialog) { dialog.reject(); });
    w.frame->Execute(Cmd::ReceiverPlot);
    QCOMPARE(w.frame->MdiArea()->subWindowList().size(), 2);
    QCOMPARE(plot.CurveCount(), 4);
}

void PlotWindowTest::paintedPixelsAgreeWithTheSvgPicture() {
    Window w;
    OpenWithPulseFiles(w);
    CElixDoc& doc = w.Doc();
    WhenModal<CPlotDataDlg>([](CPlotDataDlg& dialog) { dialog.accept(); });
    w.frame->Execute(Cmd::ReceiverPlot);
    CPlotView* view = PlotView(w, 'r');
    QVERIFY(view);
    view->parentWidget()->resize(700, 360);
    // The curves' zero line above the frame's bottom side.
    CPlotData& plot = doc.plotData[kReceiverPlot];
    plot.axes.yMin = -0.5f;
    plot.axes.yMinAuto = false;
    doc.UpdateAllViews('r');
    QApplication::processEvents();
    const QImage image = view->grab().toImage();
    QCOMPARE(image.size(), view->size());

    const PlotPicture picture = LayOutPlot(plot, PlotRect{0, 0, view->width(), view->height()});
    QVERIFY(picture.drawn);
    // The SVG writer draws the very layout the window paints.
    std::string error;
    const std::string svg = w.dir.Path("plot.svg");
    QVERIFY(WritePlotSvg(plot, svg, view->width(), view->height(), error));
    std::string svgText;
    QVERIFY(ReadWholeFile(svg, svgText));
    QCOMPARE(svgText, PlotSvgText(picture));

    // Frame: its bottom and left sides, 2 pixels wide, are black.
    const PlotRect frame = view->FrameRect();
    const PlotLine& bottom = picture.lines[0];
    QCOMPARE(bottom.from, (PlotPoint{frame.left, frame.bottom}));
    QCOMPARE(bottom.to, (PlotPoint{frame.right, frame.bottom}));
    const int middle = (frame.left + frame.right) / 2;
    QVERIFY(ColourNear(image, {middle, frame.bottom}, Qt::black));
    QVERIFY(ColourNear(image, {frame.left, (frame.top + frame.bottom) / 2}, Qt::black));
    QCOMPARE(image.pixelColor(middle, frame.bottom + 3), QColor(Qt::white));
    // Tick marks: every short line rising from the bottom side.
    int ticks = 0;
    for (const PlotLine& line : picture.lines) {
        if (line.from.y != frame.bottom || line.to.y != frame.bottom - plot.layout.tickLength) continue;
        QVERIFY(ColourNear(image, {line.from.x, frame.bottom - 3}, Qt::black));
        ++ticks;
    }
    QCOMPARE(ticks, plot.axes.xTickCount);
    // Every curve run starts and ends where the layout put it, in its
    // colour (one curve at a time, so that none hides another).
    QVERIFY(picture.curves.size() >= 4);
    for (int c = 0; c < plot.CurveCount(); ++c) {
        plot.SetAllDisabled(true);
        plot.SetDisabled(c, false);
        doc.UpdateAllViews('r');
        const QImage alone = view->grab().toImage();
        const PlotPicture layout = LayOutPlot(plot, PlotRect{0, 0, view->width(), view->height()});
        QVERIFY(!layout.curves.empty());
        for (const PlotPolyline& curve : layout.curves) {
            QCOMPARE(curve.curve, c);
            const QColor colour(curve.pen.colour.red, curve.pen.colour.green, curve.pen.colour.blue);
            QVERIFY(ColourNear(alone, curve.points.front(), colour));
            QVERIFY(ColourNear(alone, curve.points.back(), colour));
        }
    }
}

void PlotWindowTest::mouseZoomsReadsOutAndExportsThePlot() {
    Window w;
    OpenWithPulseFiles(w);
    CElixDoc& doc = w.Doc();
    WhenModal<CPlotDataDlg>([](CPlotDataDlg& dialog) { dialog.accept(); });
    w.frame->Execute(Cmd::ReceiverPlot);
    CPlotView* view = PlotView(w, 'r');
    QVERIFY(view);
    view->parentWidget()->resize(700, 360);
    QApplication::processEvents();
    CPlotData& plot = doc.plotData[kReceiverPlot];
    const PlotRect frame = view->FrameRect();

    // The readout names the time and amplitude under the mouse.
    view->TrackMouse(QPoint(frame.left, frame.bottom));
    QCOMPARE(w.frame->PositionPane()->text(),
             QString::fromStdString(PlotReadoutText(plot, PlotValue{plot.axes.xMin, plot.axes.yMin})));
    view->TrackMouse(QPoint(frame.left - 10, frame.bottom));
    QVERIFY(w.frame->PositionPane()->text().isEmpty());

    // A drag over the left half of the frame zooms to it; a click does not;
    // Backspace goes back.
    const float xMax = plot.axes.xMax;
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(frame.left + 20, frame.top + 20));
    QVERIFY(plot.axes.xMaxAuto && !view->CanZoomBack());
    const int half = (frame.left + frame.right) / 2;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(frame.left, frame.top));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(half, frame.bottom));
    QVERIFY(!plot.axes.xMaxAuto && view->CanZoomBack());
    QVERIFY(std::fabs(plot.axes.xMax - xMax / 2) <= xMax / static_cast<float>(frame.right - frame.left));
    QTest::keyClick(view, Qt::Key_Backspace);
    QVERIFY(plot.axes.xMaxAuto && !view->CanZoomBack());

    // The context menu: the Receiver Plot command first, then the extras.
    std::unique_ptr<QMenu> menu(view->CreateContextMenu(nullptr));
    QCOMPARE(menu->actions().front()->text(), QStringLiteral("&Receiver Plot"));

    // Export Plot: PNG of the window's pixels, SVG of its layout, CSV of its
    // curves; an unknown extension is refused with a message.
    const std::string png = w.dir.Path("plot.png"), svg = w.dir.Path("plot.svg"), csv = w.dir.Path("plot.csv");
    for (const std::string& path : {png, svg, csv, w.dir.Path("plot.bmp")}) w.ui.script.files.push_back(path);
    for (int k = 0; k < 3; ++k) QVERIFY(ExportPlotCommand(*view));
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.frame->Directories()[DirectoryKind::ReceiverOutput]);
    QCOMPARE(QImage(QString::fromStdString(png)), view->Picture());
    std::string text;
    QVERIFY(ReadWholeFile(svg, text));
    QCOMPARE(text, PlotSvgText(LayOutPlot(plot, PlotRect{0, 0, view->width(), view->height()})));
    QVERIFY(ReadWholeFile(csv, text));
    QCOMPARE(text, PlotCsvText(plot));
    QVERIFY(text.starts_with("L - Transducer Echo x,L - Transducer Echo y,T - Transducer Echo x,"));
    QVERIFY(!ExportPlotCommand(*view));
    QVERIFY(w.ui.script.LastText().find("not as '.bmp'") != std::string::npos);
    QVERIFY(!FileExists(w.dir.Path("plot.bmp")));

    // A double click on the spectrum window opens its Plot Dialog, without
    // Insert; OK stores the grid.
    w.frame->Execute(Cmd::SpectrumPlot);
    CPlotView* spectrum = PlotView(w, 'f');
    QVERIFY(spectrum);
    bool shown = false;
    WhenModal<CPlotDataDlg>([&](CPlotDataDlg& dialog) {
        shown = true;
        QVERIFY(!dialog.Button(QStringLiteral("&Insert")));
        QCOMPARE(dialog.XTitle()->text(), QStringLiteral("Frequency (MHz)"));
        dialog.YGrid()->setChecked(true);
        QTest::mouseClick(dialog.Button(QStringLiteral("&OK")), Qt::LeftButton);
    });
    QTest::mouseDClick(spectrum, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(shown);
    QVERIFY(doc.plotData[kSpectrumPlot].axes.yGrid);
    QVERIFY(!doc.plotData[kReceiverPlot].axes.yGrid);
}

void PlotWindowTest::attenuationAgainstTheChosenReference() {
    Window w;
    OpenWithPulseFiles(w);
    CElixDoc& doc = w.Doc();
    // The same analysis by the core alone, on a second copy of the model.
    auto coreAttenuation = [&](int reference) {
        auto copy = std::make_unique<CElixDoc>();
        copy->SetUserInterface(&w.ui.script);
        std::string error;
        if (!copy->ReadModel(w.dir.Path("immersion.wmd")) || !Attenuation(*copy, reference, error)) copy.reset();
        return copy;
    };

    // Cancel: the default reference (curve 2: the first after the receivers'
    // four, or count - 2) and no attenuation window.
    WhenModal<CRefCurveDlg>([](CRefCurveDlg& dialog) {
        QCOMPARE(dialog.NameLabel()->text(), QStringLiteral("Reference Curve Name: 'L - Back Wall Gate'"));
        dialog.reject();
    });
    w.frame->Execute(Cmd::Attenuation);
    QVERIFY(PlotView(w, 'f'));  // the spectrum came first
    QVERIFY(!PlotView(w, 't'));
    const CPlotData& attenuation = doc.plotData[kAttenuationPlot];
    {
        const auto expected = coreAttenuation(2);
        QVERIFY(expected);
        const CPlotData& core = expected->plotData[kAttenuationPlot];
        QCOMPARE(attenuation.CurveCount(), 4);
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(attenuation.CurveAt(c)->y, core.CurveAt(c)->y);
            QCOMPARE(attenuation.CurveAt(c)->disabled, core.CurveAt(c)->disabled);
        }
        QVERIFY(attenuation.CurveAt(1)->disabled && attenuation.CurveAt(3)->disabled);
    }

    // OK on the first curve: the window opens with the core's values.
    WhenModal<CRefCurveDlg>([&](CRefCurveDlg& dialog) {
        QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);  // the last: stays
        QCOMPARE(dialog.Index(), 3);
        for (int k = 0; k < 4; ++k) QTest::mouseClick(dialog.PreviousButton(), Qt::LeftButton);
        QCOMPARE(dialog.Index(), 0);
        QCOMPARE(dialog.NameLabel()->text(), QStringLiteral("Reference Curve Name: 'L - Transducer Echo'"));
        Screenshot(dialog, "CRefCurveDlg");
        dialog.accept();
    });
    w.frame->Execute(Cmd::Attenuation);
    QVERIFY(PlotView(w, 't'));
    const auto expected = coreAttenuation(0);
    QVERIFY(expected);
    const CPlotData& core = expected->plotData[kAttenuationPlot];
    for (int c = 0; c < 4; ++c) QCOMPARE(attenuation.CurveAt(c)->y, core.CurveAt(c)->y);
    QCOMPARE(QString::fromStdString(attenuation.titles.y), QStringLiteral("dB"));
    // The far receiver's level against the near one: the gate's pulse is
    // twice as large, so -20 log10(2) = -6.02 dB at the lowest frequency.
    QVERIFY(std::fabs(attenuation.CurveAt(2)->y[0] + 20.0 * std::log10(2.0)) < 0.05);
}

void PlotWindowTest::timerShowsTheCoresDelaysAndVelocities() {
    Window w;
    OpenWithPulseFiles(w);
    CElixDoc& doc = w.Doc();
    // The two receivers 10 mm apart; the echo's pulse arrives 2 us after
    // the gate's.
    const float centres[] = {0.015f, 0.005f};
    for (int k = 0; k < 2; ++k) {
        CReceiver& r = doc.Receivers()[k];
        r.x1 = centres[k] - 0.001f;
        r.x2 = centres[k] + 0.001f;
        r.y1 = r.y2 = 0.02f;
    }
    bool shown = false;
    WhenModal<CReceiverTimerDlg>([&](CReceiverTimerDlg& dialog) {
        shown = true;
        const CPlotData& plot = doc.plotData[kReceiverPlot];
        CReceiverTimer timer(plot, 2);
        QCOMPARE(dialog.Timer().SignalIndex(), 0);
        QCOMPARE(dialog.Timer().ReferenceIndex(), 2);
        const ReceiverTimerTexts core = timer.UpdateTimer();
        QCOMPARE(dialog.Label("signal")->text(), QStringLiteral("Signal Name: 'L - Transducer Echo'"));
        QCOMPARE(dialog.Label("reference")->text(), QStringLiteral("Reference Name: 'L - Back Wall Gate'"));
        QCOMPARE(dialog.Label("distance")->text(), QStringLiteral("Distance = 10.00 (mm)"));
        QCOMPARE(dialog.Label("maxPeakDelay")->text(), QString::fromStdString(core.maxPeakDelay));
        QCOMPARE(dialog.Label("thresholdDelay")->text(), QString::fromStdString(core.thresholdDelay));
        QCOMPARE(dialog.Label("firstPeakVelocity")->text(), QString::fromStdString(core.firstPeakVelocity));
        QCOMPARE(dialog.Label("message")->text(), QStringLiteral("Note: Recorded Receiver Data Are Loaded."));
        // 10 mm in 2 us: 5000 m/s.
        QVERIFY(core.maxPeakDelay.starts_with("Max. Peak Delay: 2.0000 (us)"));
        double velocity = 0.0;
        QVERIFY(ParseDouble(core.maxPeakVelocity.substr(std::string("Velocity = ").size(), 7), velocity));
        QVERIFY(std::fabs(velocity - 5000.0) < 1.0);
        Screenshot(dialog, "CReceiverTimerDlg");

        // A threshold outside 1 .. 100 gets the range message and moves
        // nothing; a valid one measures again.
        dialog.Threshold()->setText(QStringLiteral("150"));
        QTest::mouseClick(dialog.Button(QStringLiteral("N&ext")), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
                 QString::fromStdString(FieldRangeMessage(kTimerThresholdRange)));
        QCOMPARE(dialog.Timer().SignalIndex(), 0);
        dialog.Threshold()->setText(QStringLiteral("50"));
        QTest::mouseClick(dialog.Button(QStringLiteral("&Apply")), Qt::LeftButton);
        QVERIFY(timer.SetThreshold(50.0, {}));
        QCOMPARE(dialog.Label("thresholdDelay")->text(), QString::fromStdString(timer.UpdateTimer().thresholdDelay));

        // The signal equal to the reference: zero delays, no velocities.
        QTest::mouseClick(dialog.Button(QStringLiteral("N&ext")), Qt::LeftButton);
        QTest::mouseClick(dialog.Button(QStringLiteral("N&ext")), Qt::LeftButton);
        QCOMPARE(dialog.Timer().SignalIndex(), 2);
        QVERIFY(dialog.Label("maxPeakDelay")->text().startsWith(QStringLiteral("Max. Peak Delay: 0.0000 (us)")));
        QCOMPARE(dialog.Label("maxPeakVelocity")->text(), QStringLiteral("Velocity: Not Available"));
        // Reference moves stop at the last curve.
        for (int k = 0; k < 3; ++k) QTest::mouseClick(dialog.Button(QStringLiteral("&Next")), Qt::LeftButton);
        QCOMPARE(dialog.Timer().ReferenceIndex(), 3);

        // The printed page carries the results.
        QImage page(800, 600, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            dialog.PaintResults(painter);
        }
        QVERIFY(RightmostPixelOf(page, Qt::black) > 100);
        dialog.accept();
    });
    w.frame->Execute(Cmd::ReceiverTimer);
    QVERIFY(shown);
    // The timer opens no window.
    QCOMPARE(w.frame->MdiArea()->subWindowList().size(), 1);
}

void PlotWindowTest::noReceiverDataOpensNoWindow() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    for (Cmd id : {Cmd::ReceiverPlot, Cmd::SpectrumPlot, Cmd::Attenuation, Cmd::ReceiverTimer}) {
        QVERIFY(w.frame->Action(id)->isEnabled());
        w.ui.script.shown.clear();
        w.frame->Execute(id);
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("No Receiver Data Available."));
        QCOMPARE(w.ui.script.shown.size(), std::size_t{1});
        QCOMPARE(w.frame->MdiArea()->subWindowList().size(), 1);
    }
    // While the model runs, the analysis commands are off; the receiver plot
    // stays available.
    w.Doc().SetRunning(true);
    w.frame->UpdateCommandUI();
    QVERIFY(!w.frame->Action(Cmd::SpectrumPlot)->isEnabled() && !w.frame->Action(Cmd::ReceiverTimer)->isEnabled());
    QVERIFY(w.frame->Action(Cmd::ReceiverPlot)->isEnabled());
    w.Doc().SetRunning(false);
}

ELASTRIX_GUI_TEST(PlotWindowTest);

}  // namespace elix::test
