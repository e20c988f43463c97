// Running a model in the window: Elix > Run and Restart Model with the
// progress monitor's own buttons, the live wavefield in the model view,
// Contrast Enhance, Dump Displacements, Check Model's "Model Data" and
// Tools > Playback of the saved frame pictures.
#include "run_window_test.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/main_frame.h"
#include "engine/model_data_dlg.h"
#include "engine/process_monitor_dlg.h"
#include "engine/qt_run_monitor.h"
#include "engine/run_to_step_dlg.h"
#include "engine/node_grid.h"
#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "support/temp_dir.h"
#include "view/colour_map.h"
#include "view/elix_view.h"
#include "view/play_control_dlg.h"
#include "view/wavefield_frame.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRunningText = "The Model is running. Please stop the process first.";

// Acts while the run goes on: each step waits for its condition, checked
// whenever the run hands the window its events, then acts once.
class RunScript {
public:
    RunScript() {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_busy || m_steps.empty() || !m_steps.front().first()) return;
            const std::function<void()> act = m_steps.front().second;
            m_steps.pop_front();
            m_busy = true;
            act();
            m_busy = false;
        });
        m_timer.start();
    }
    void Then(std::function<bool()> when, std::function<void()> act) { m_steps.emplace_back(when, act); }
    std::size_t Left() const { return m_steps.size(); }

private:
    QTimer m_timer;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
    bool m_busy = false;
};

CQtRunMonitor* Monitor() { return CQtRunMonitor::Active(); }

bool PausedAt(int step) {
    return Monitor() && Monitor()->Paused() && Monitor()->CurrentStep() == step;
}

int LineCount(const std::string& path) {
    const std::string text = ReadFileText(path);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The frame the core makes of the grid's fields with the document's
// display parameters.
ImageRows CoreFrame(const CElixDoc& doc, const CNodeGrid& grid, bool contrast) {
    ImageRows rows(static_cast<std::size_t>(grid.ny + 1), std::vector<std::uint8_t>(static_cast<std::size_t>(grid.nx + 1)));
    ConvertWavefield(grid, FrameSettings::FromJob(doc.job, contrast), PreviousFrameMaximum(), rows);
    return rows;
}

// Whether the view's picture holds exactly rows.
bool PictureEquals(const QImage& picture, const ImageRows& rows) {
    if (rows.empty() || picture.height() != static_cast<int>(rows.size()) ||
        picture.width() != static_cast<int>(rows[0].size()))
        return false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelIndex(x, y) != rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) return false;
    return true;
}

CElixView* ActiveView(const Window& w) { return w.frame->ActiveFrame()->View(); }

// With ELASTRIX_SCREENS_DIR set, saves a picture of window (and of dialog
// drawn over it where it stands) as NAME.png there.
void SaveScreen(QWidget& window, const char* name, QWidget* dialog = nullptr) {
    const QString folder = qEnvironmentVariable("ELASTRIX_SCREENS_DIR");
    if (folder.isEmpty()) return;
    QPixmap picture = window.grab();
    if (dialog) {
        QPainter painter(&picture);
        painter.drawPixmap(dialog->geometry().topLeft() - window.geometry().topLeft(), dialog->grab());
    }
    picture.save(folder + "/" + name + ".png");
}

}  // namespace

// Pause at the first step, Run to Step 300, Stop there and save a restart
// file; Restart Model from it runs to the end, and the receiver files equal
// those of an uninterrupted run of the same model.
void RunWindowTest::runPausesRunsToAStepStopsAndRestarts() {
    Window w;
    TempDir referenceDir;
    const std::string reference = CopyExample(referenceDir, "immersion");
    QVERIFY(w.frame->OpenModel(reference));
    w.frame->Execute(Cmd::RunModel);
    QVERIFY(!w.Doc().IsRunning());
    QCOMPARE(LineCount(referenceDir.Path("echo.txt")), 885);

    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const std::string restartPath = w.dir.Path("immersion.res");
    w.ui.script.shown.clear();
    int pausedStep = -1;
    QString pausedLabel, runningLabel, textAt300;
    bool runDisabled = false, checkDisabled = false, closeRefused = false;
    RunScript script;
    script.Then([] { return Monitor() && Monitor()->CurrentStep() >= 0; },
                [] { Monitor()->Dialog()->PauseButton()->click(); });
    script.Then([] { return Monitor()->Paused(); }, [&] {
        CProcessMonitorDlg* dialog = Monitor()->Dialog();
        pausedStep = Monitor()->CurrentStep();
        pausedLabel = dialog->PauseButton()->text();
        w.frame->UpdateCommandUI();
        runDisabled = !w.frame->Action(Cmd::RunModel)->isEnabled();
        checkDisabled = !w.frame->Action(Cmd::CheckModel)->isEnabled();
        w.frame->ActiveFrame()->close();
        closeRefused = w.frame->ActiveFrame() && w.ui.script.LastText() == kRunningText;
        WhenModal<CRunToStepDlg>([](CRunToStepDlg& d) {
            d.StepField()->selectAll();
            QTest::keyClicks(d.StepField(), "300");
            d.accept();
        });
        dialog->RunToStepButton()->click();
        runningLabel = dialog->PauseButton()->text();
    });
    script.Then([] { return PausedAt(300); }, [&] {
        textAt300 = Monitor()->Dialog()->ProgressText();
        w.ui.script.answers = {MessageAnswer::Yes};
        w.ui.script.files = {restartPath};
        Monitor()->Dialog()->StopButton()->click();
    });
    w.frame->Execute(Cmd::RunModel);
    QCOMPARE(script.Left(), std::size_t(0));
    QVERIFY(!doc.IsRunning());
    QVERIFY(!Monitor());
    QCOMPARE(pausedStep, 0);
    QCOMPARE(pausedLabel, QStringLiteral("&Run"));
    QCOMPARE(runningLabel, QStringLiteral("&Pause"));
    QVERIFY(runDisabled);
    QVERIFY(checkDisabled);
    QVERIFY(closeRefused);
    QVERIFY2(textAt300.startsWith(QStringLiteral("Step = 300, Time = 4.2")), qPrintable(textAt300));
    QVERIFY(textAt300.endsWith(QStringLiteral("(34%)")));
    // The rigid-body warning came first; the restart offer at the stop.
    QCOMPARE(w.ui.script.shown.front().text, std::string("Warning: There may be rigid body motion in x y direction(s)."));
    const auto texts = w.ui.Texts();
    QVERIFY(std::find(texts.begin(), texts.end(), "Do you want to save a restart file?") != texts.end());
    QVERIFY(fs::exists(restartPath));
    QCOMPARE(LineCount(w.dir.Path("echo.txt")), 301);

    w.ui.script.files = {restartPath};
    w.frame->Execute(Cmd::RestartModel);
    QVERIFY(!doc.IsRunning());
    for (const char* file : {"echo.txt", "back_wall_gate.txt"})
        QVERIFY2(ReadFileText(w.dir.Path(file)) == ReadFileText(referenceDir.Path(file)), file);

    // A restart whose file choice is cancelled runs nothing.
    const std::string before = ReadFileText(w.dir.Path("echo.txt"));
    w.ui.script.files.clear();
    w.frame->Execute(Cmd::RestartModel);
    QCOMPARE(ReadFileText(w.dir.Path("echo.txt")), before);
}

// At a frame step the view paints the core's frame of the fields at the
// view's zoom; Contrast Enhance remakes it at once; Dump Displacements
// writes the fields of that step; Stop with No leaves no restart file.
void RunWindowTest::liveFrameContrastDumpAndStopWithoutRestart() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    w.frame->Execute(Cmd::Zoom200);
    w.frame->UpdateCommandUI();
    QVERIFY(!w.frame->Action(Cmd::DumpDisplacements)->isEnabled());
    const std::string dumpPath = w.dir.Path("step100.frm");
    bool frameMatches = false, paintedMatches = false, plainMatches = false, changed = false, restored = false;
    bool dumpEnabled = false;
    int dumpLines = 0;
    std::string firstDumpLine;
    RunScript script;
    script.Then([] { return Monitor() && Monitor()->CurrentStep() >= 0; }, [] {
        WhenModal<CRunToStepDlg>([](CRunToStepDlg& d) {
            d.StepField()->setValue(100);
            d.accept();
        });
        Monitor()->Dialog()->RunToStepButton()->click();
    });
    script.Then([] { return PausedAt(100); }, [&] {
        const CNodeGrid& grid = *Monitor()->Grid();
        SaveScreen(*w.frame, "CProcessMonitorDlg", Monitor()->Dialog());
        CElixView* view = ActiveView(w);
        const QImage enhanced = view->Picture();
        frameMatches = Monitor()->FrameStep() == 100 && PictureEquals(enhanced, CoreFrame(doc, grid, true));
        // On screen: node (i, j) lies at the margins plus twice its position.
        const QImage screen = view->viewport()->grab().toImage();
        paintedMatches = true;
        for (int j = 10; j < grid.ny; j += 37)
            for (int i = 10; i < grid.nx; i += 41)
                paintedMatches = paintedMatches &&
                                 screen.pixel(150 + 2 * i + 1 - view->horizontalScrollBar()->value(),
                                              25 + 2 * j + 1 - view->verticalScrollBar()->value()) ==
                                     enhanced.pixel(i, j);
        w.frame->Execute(Cmd::ContrastEnhance);
        plainMatches = !doc.contrastEnhance && PictureEquals(view->Picture(), CoreFrame(doc, grid, false));
        changed = view->Picture() != enhanced;
        w.frame->Execute(Cmd::ContrastEnhance);
        restored = PictureEquals(view->Picture(), CoreFrame(doc, grid, true));

        w.frame->UpdateCommandUI();
        dumpEnabled = w.frame->Action(Cmd::DumpDisplacements)->isEnabled();
        w.ui.script.answers = {MessageAnswer::Yes};
        w.ui.script.files = {dumpPath};
        w.frame->Execute(Cmd::DumpDisplacements);
        dumpLines = LineCount(dumpPath);
        const std::string dump = ReadFileText(dumpPath);
        firstDumpLine = dump.substr(0, dump.find('\n'));

        w.ui.script.answers = {MessageAnswer::No};
        Monitor()->Dialog()->StopButton()->click();
    });
    w.frame->Execute(Cmd::RunModel);
    QCOMPARE(script.Left(), std::size_t(0));
    QVERIFY(frameMatches);
    QVERIFY(paintedMatches);
    QVERIFY(plainMatches);
    QVERIFY(changed);
    QVERIFY(restored);
    QVERIFY(dumpEnabled);
    QCOMPARE(dumpLines, 241 * 151);
    QVERIFY2(firstDumpLine.rfind("0 0 ", 0) == 0, firstDumpLine.c_str());
    QCOMPARE(w.ui.script.shown.back().text, std::string("Do you want to save a restart file?"));
    for (const auto& entry : fs::directory_iterator(w.dir.Root())) QVERIFY(entry.path().extension() != ".res");
    QCOMPARE(LineCount(w.dir.Path("echo.txt")), 101);
    // The last frame stays on show after the run.
    QVERIFY(doc.image.ShowsFrame);
    w.frame->UpdateCommandUI();
    QVERIFY(!w.frame->Action(Cmd::DumpDisplacements)->isEnabled());
    QVERIFY(w.frame->Action(Cmd::RunModel)->isEnabled());
}

// Whether every pixel of picture shows the colour palette gives its index.
bool ColoursFollow(const QImage& picture, const Palette256& palette) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const auto k = static_cast<std::size_t>(picture.pixelIndex(x, y));
            if (picture.pixel(x, y) != qRgb(palette.red[k], palette.green[k], palette.blue[k])) return false;
        }
    return true;
}

// View > Colour Map mid-run: the frame's levels stay the core's, only the
// colours change, at once; the checked item follows; File > Save Frame As
// PNG writes the view at its zoom in the colours shown.
void RunWindowTest::colourMapRepaintsTheFrameAndSavesItAsPng() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    w.frame->Execute(Cmd::Zoom200);
    const std::string pngPath = w.dir.Path("frame100.png");
    bool grayShown = false, levelsKept = false, divergingShown = false, checked = false, sequentialShown = false;
    bool backToGray = false;
    QImage saved, shownWhenSaved;
    RunScript script;
    script.Then([] { return Monitor() && Monitor()->CurrentStep() >= 0; }, [] {
        WhenModal<CRunToStepDlg>([](CRunToStepDlg& d) {
            d.StepField()->setValue(100);
            d.accept();
        });
        Monitor()->Dialog()->RunToStepButton()->click();
    });
    script.Then([] { return PausedAt(100); }, [&] {
        const CNodeGrid& grid = *Monitor()->Grid();
        CElixView* view = ActiveView(w);
        const ImageRows core = CoreFrame(doc, grid, true);
        grayShown = PictureEquals(view->Picture(), core) && ColoursFollow(view->Picture(), GrayPalette());
        SaveScreen(*w.frame, "CElixView_wavefield_gray");
        w.frame->Execute(Cmd::ColourMapDiverging);
        levelsKept = PictureEquals(view->Picture(), core) && doc.image.Rows == core;
        divergingShown = ColoursFollow(view->Picture(), ColourMapPalette(ColourMap::Diverging));
        checked = w.frame->Action(Cmd::ColourMapDiverging)->isChecked() &&
                  !w.frame->Action(Cmd::ColourMapGray)->isChecked();
        SaveScreen(*w.frame, "CElixView_wavefield_diverging");
        w.ui.script.files = {pngPath};
        w.frame->Execute(Cmd::SaveFramePng);
        saved.load(QString::fromStdString(pngPath));
        shownWhenSaved = view->Picture();
        w.frame->Execute(Cmd::ColourMapSequential);
        sequentialShown = ColoursFollow(view->Picture(), ColourMapPalette(ColourMap::Sequential));
        w.frame->Execute(Cmd::ColourMapGray);
        backToGray = ColoursFollow(view->Picture(), GrayPalette()) &&
                     w.frame->Action(Cmd::ColourMapGray)->isChecked();
        w.ui.script.answers = {MessageAnswer::No};
        Monitor()->Dialog()->StopButton()->click();
    });
    w.frame->Execute(Cmd::RunModel);
    SetFrameColourMap(ColourMap::Gray);
    QCOMPARE(script.Left(), std::size_t(0));
    QVERIFY(grayShown);
    QVERIFY(levelsKept);
    QVERIFY(divergingShown);
    QVERIFY(checked);
    QVERIFY(sequentialShown);
    QVERIFY(backToGray);
    // The PNG: twice the frame's size at 200 %, each node a 2 x 2 block
    // of its diverging colour.
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.width(), 2 * shownWhenSaved.width());
    QCOMPARE(saved.height(), 2 * shownWhenSaved.height());
    for (int j = 0; j < shownWhenSaved.height(); j += 17)
        for (int i = 0; i < shownWhenSaved.width(); i += 23) {
            QCOMPARE(saved.pixel(2 * i, 2 * j), shownWhenSaved.pixel(i, j));
            QCOMPARE(saved.pixel(2 * i + 1, 2 * j + 1), shownWhenSaved.pixel(i, j));
        }
    QCOMPARE(w.ui.script.fileRequests.back().defaultExtension, std::string("png"));
}

// Check Model shows the grid figures, the memory text and the warnings;
// a model that cannot be gridded gets its message and no dialog.
void RunWindowTest::checkModelShowsTheGridFigures() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    QStringList values;
    QString textBox;
    WhenModal<CModelDataDlg>([&](CModelDataDlg& d) {
        for (const char* label : {"Hx:", "Hy:", "dt:", "Width:", "Height:", "Total Step:", "Grid/Pixel:", "Image File"})
            values << d.Value(QString::fromLatin1(label));
        textBox = d.TextBox()->toPlainText();
        SaveScreen(d, "ModelData");
        d.accept();
    });
    w.frame->Execute(Cmd::CheckModel);
    QCOMPARE(values, (QStringList{"0.1000mm", "0.1000mm", "0.0141us", "240 (24.00mm)", "150 (15.00mm)",
                                  "885 (12.50us)", "1.0000", "immersion.pcx"}));
    QVERIFY2(textBox.startsWith("Check Memory completed."), qPrintable(textBox));
    QVERIFY(textBox.contains("Warning: There may be rigid body motion in x y direction(s)."));

    // Without the material of the part's gray level the grid cannot be built.
    CElixDoc& doc = w.Doc();
    while (doc.Materials().Count() > 1) QVERIFY(doc.DeleteItem<CMaterialProperty>(doc.Materials()[1].name));
    bool dialogShown = false;
    WhenModal<CModelDataDlg>([&](CModelDataDlg& d) {
        dialogShown = true;
        d.accept();
    });
    w.ui.script.shown.clear();
    w.frame->Execute(Cmd::CheckModel);
    QApplication::processEvents();
    QVERIFY(!dialogShown);
    QVERIFY2(w.ui.script.LastText().rfind("Error: Gray level: 0 (0,50) has no material property!", 0) == 0, w.ui.script.LastText().c_str());
}

// Playback walks the frame pictures of a run, skipping the steps that have
// none, with the buttons and the timer's ticks.
void RunWindowTest::playbackStepsThroughSavedFrames() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    w.frame->Execute(Cmd::RunModel);
    QVERIFY(fs::exists(w.dir.Path("immersionS800.PCX")));
    fs::remove(w.dir.Path("immersionS200.PCX"));
    w.frame->Directories()[DirectoryKind::Pcx] = w.dir.Root();

    QStringList steps;
    QString startLast, badStep, time300;
    bool pictureIs100 = false, timerRan = false, stoppedOnExit = false;
    auto frameOf = [&](int step) {
        DecodedImage image;
        return ReadPcx(w.dir.Path("immersionS" + std::to_string(step) + ".PCX"), image) ? image.rows : ImageRows();
    };
    WhenModal<CPlayControlDlg>([&](CPlayControlDlg& d) {
        auto press = [&](const char* text) { d.Button(QString::fromLatin1(text))->click(); };
        auto note = [&] { steps << d.StepField()->text(); };
        timerRan = d.TimerRunning();
        startLast = d.LastStepField()->text();
        note();                     // 0
        press("+"), note();         // 100
        pictureIs100 = doc.image.ShowsFrame && PictureEquals(ActiveView(w)->Picture(), frameOf(100));
        press("+"), note();         // 300: 200 has no picture
        time300 = d.TimeField()->text();
        SaveScreen(d, "CPlayControlDlg");
        press(">"), d.Tick(), note();  // 400
        d.Tick(), note();              // 500
        press("||"), d.Tick(), note(); // still 500
        d.StepField()->setText("700");
        press("-"), note();         // 600
        d.StepField()->setText("abc");
        press("+");
        badStep = QString::number(d.Control().Step());
        d.StepField()->setText("600");
        press(">|"), d.Tick(), note();  // the last step: no picture, paused
        press("-"), note();         // 800
        press("|<"), d.Tick(), note();  // 0
        press("E&xit");
        stoppedOnExit = !d.TimerRunning() && !d.isVisible();
    });
    w.frame->Execute(Cmd::Playback);
    QVERIFY(timerRan);
    QCOMPARE(startLast, QStringLiteral("885"));
    QCOMPARE(steps, (QStringList{"0", "100", "300", "400", "500", "500", "600", "885", "800", "0"}));
    QVERIFY(pictureIs100);
    // 300 steps of 0.0141 us, truncated to whole nanoseconds.
    QVERIFY2(time300.toInt() >= 4230 && time300.toInt() <= 4245, qPrintable(time300));
    QCOMPARE(badStep, QStringLiteral("600"));
    QVERIFY(std::find(w.ui.Texts().begin(), w.ui.Texts().end(), "Please enter a number between 0 and 2.14748e+09.") !=
            w.ui.Texts().end());
    QVERIFY(stoppedOnExit);
    QVERIFY(PictureEquals(ActiveView(w)->Picture(), frameOf(0)));
}

ELASTRIX_GUI_TEST(RunWindowTest);

}  // namespace elix::test
