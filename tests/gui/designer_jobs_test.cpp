// The transducer designer and the Multi Jobs Control Panel, driven through
// their own widgets: a designed model that is saved and runs, the refusal of
// bad fields, and a job list that is paged, edited, saved, loaded and run.
//
// With ELASTRIX_SCREENS_DIR set, the tests also save pictures of the
// designer, the panel and the batch progress window there.
#include "designer_jobs_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "analysis/spectrum.h"
#include "app/batch_jobs.h"
#include "app/job_list.h"
#include "app/main_frame.h"
#include "app/multi_jobs_dlg.h"
#include "designer/transducer_designer.h"
#include "designer/transducer_designer_dlg.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "model/field_range.h"
#include "analysis/plot_window.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

class SilentMonitor : public IRunMonitor {
public:
    void Progress(int, int, const std::string&) override {}
};

// Materials of equal impedance for the designer's gray levels.
void AddLayerMaterials(CElixDoc& doc) {
    const double z = 7850.0 * 5900.0;
    const struct {
        const char* name;
        std::uint8_t gray;
        double vL;
    } layers[] = {{"Backing", 0, 5000.0}, {"PZT", 32, 4000.0}, {"Epoxy", 64, 3000.0}, {"Steel", 192, 5900.0}};
    for (const auto& layer : layers)
        QVERIFY(doc.AddItem(IsotropicMaterial(layer.name, layer.gray, z / layer.vL, layer.vL, layer.vL / 1.8)));
}

// A short, coarse job: 0.2 mm cells, 2 us.
void MakeJobShort(CElixDoc& doc) {
    doc.job.MinWaveLength = 2e-3f;
    doc.job.PointPerCycle = 10;
    doc.job.Duration = 2e-6f;
    doc.job.DispFreq = 0;
}

// A tiny designed model in folder/name.wmd with its GEO geometry and a
// receiver writing "out.txt" beside it.
std::string WriteTinyModel(const TempDir& dir, const std::string& folder) {
    fs::create_directories(dir.Path(folder));
    ScriptedUserInterface ui;
    CElixDoc doc;
    const std::string path = dir.Path(folder + "/probe.wmd");
    doc.SetPathName(path);
    doc.SetUserInterface(&ui);
    AddLayerMaterials(doc);
    CTransducerDesigner designer;
    designer.imageResolution = 5000.0f;
    if (!CreateTransducerGeometry(doc, designer)) return std::string();
    doc.Receivers()[0].outputFile = "out.txt";
    MakeJobShort(doc);
    if (!doc.WriteImageFile(dir.Path(folder + "/probe.geo"))) return std::string();
    doc.ImageFileName = "probe.geo";
    if (!doc.WriteModel(path)) return std::string();
    return path;
}

CTransducerDesignerDlg* Designer(CMainFrame& frame) { return frame.findChild<CTransducerDesignerDlg*>(); }

void Retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

}  // namespace

void DesignerJobsTest::init() { QSettings().clear(); }

void DesignerJobsTest::designerBuildsAModelThatRuns() {
    Window w;
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    doc.SetPathName(w.dir.Path("probe.wmd"));
    AddLayerMaterials(doc);
    QVERIFY(w.frame->Action(Cmd::TransducerDesigner)->isEnabled());
    w.frame->Execute(Cmd::TransducerDesigner);
    CTransducerDesignerDlg* dlg = Designer(*w.frame);
    QVERIFY(dlg && dlg->isVisible());
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Transducer Designer"));
    QCOMPARE(dlg->Document(), &doc);
    // The defaults in display units; Backing is shown first.
    QCOMPARE(dlg->NumberField(kImageWidthField)->text(), QStringLiteral("20"));
    QCOMPARE(dlg->NumberField(kResolutionField)->text(), QStringLiteral("20"));
    QCOMPARE(dlg->NumberField(kFrequencyField)->text(), QStringLiteral("1"));
    QVERIFY(dlg->MaterialLabel()->text().startsWith(QStringLiteral("Backing\nBacking\nVL = 5000 (m/s)")));
    QVERIFY(dlg->DriveBox()->isChecked());

    // ">" from Backing: Piezo, Matching 1, then straight to Testing.
    for (int k = 0; k < 3; ++k) QTest::mouseClick(dlg->NextButton(), Qt::LeftButton);
    QCOMPARE(dlg->CurrentLayer(), kTestingLayer);
    QCOMPARE(dlg->MaterialLabel()->text(),
             QStringLiteral("Testing\nSteel\nVL = 5900 (m/s)\nZL = 46.315 (MRayl)\nL. Wave Length = 5.9 (mm)"));
    QTest::mouseClick(dlg->PreviousButton(), Qt::LeftButton);
    QCOMPARE(dlg->CurrentLayer(), kMatching1Layer);

    // A coarse image at 5 pixel/mm with three absorbing sides.
    Retype(dlg->NumberField(kResolutionField), QStringLiteral("5"));
    Retype(dlg->NumberField(kFirstThicknessField + kTestingLayer), QStringLiteral("6"));
    for (int k : {1, 2, 3}) QTest::mouseClick(dlg->SideBox(k), Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(dlg->CreateButton(), Qt::LeftButton);

    QCOMPARE(doc.image.ImageWidth, 100);
    QCOMPARE(doc.image.ImageHeight, 65);  // 13 mm at 5 pixel/mm
    QCOMPARE(static_cast<int>(doc.job.InfiniteBCIndex), 2 | 4 | 8);
    QCOMPARE(doc.image.Rows[27][50], std::uint8_t{32});  // piezo rows 25-29
    QCOMPARE(doc.image.Rows[27][10], std::uint8_t{255});
    QCOMPARE(doc.image.Rows[64][0], std::uint8_t{192});
    QCOMPARE(doc.ElectrodePairs().Count(), std::int16_t{1});
    QCOMPARE(doc.ElectrodePairs()[0].name, std::string("Input"));
    QCOMPARE(doc.Receivers()[0].name, std::string("Output"));
    QCOMPARE(doc.Receivers()[0].y1, 0.0085f);  // 7 mm + 6 mm / 4
    QCOMPARE(doc.Sources()[0].name, std::string("Drive"));
    QVERIFY(doc.IsModified());
    SavePicture(*dlg, QStringLiteral("CTransducerDesignerDlg"));

    // Plot Gain without spectra does nothing.
    QTest::mouseClick(dlg->GainButton(), Qt::LeftButton);
    QCOMPARE(doc.plotData[kGainPlot].CurveCount(), 0);

    // Saved with its geometry, the designed model reads back and runs.
    MakeJobShort(doc);
    QVERIFY(doc.WriteImageFile(w.dir.Path("probe.geo")));
    doc.ImageFileName = "probe.geo";
    QVERIFY(doc.WriteModel(w.dir.Path("probe.wmd")));
    {
        ScriptedUserInterface ui;
        CElixDoc saved;
        saved.SetUserInterface(&ui);
        QVERIFY2(saved.ReadModel(w.dir.Path("probe.wmd")), saved.MessageText().c_str());
        QCOMPARE(saved.Sources()[0].longitudinalTimeFunction, std::string("Sine Pulse,2,1,1e+06"));
        SilentMonitor monitor;
        QCOMPARE(Run(saved, monitor), RunOutcome::Finished);
        const auto& curves = saved.plotData[kReceiverPlot].Curves();
        QVERIFY(!curves.empty());
        float peak = 0.0f;
        for (float y : curves.front().y) peak = std::max(peak, std::fabs(y));
        QVERIFY(peak > 0.0f);  // the drive's pulse reached the receiver
    }

    // With spectra of the run, Plot Gain fills the gain plot and asks the
    // 'g' windows to redraw.
    SilentMonitor monitor;
    QCOMPARE(Run(doc, monitor), RunOutcome::Finished);
    QVERIFY(SpectrumPlot(doc));
    std::vector<char> hints;
    doc.AddViewObserver([&hints](char hint) { hints.push_back(hint); });
    QTest::mouseClick(dlg->GainButton(), Qt::LeftButton);
    const CPlotData& gain = doc.plotData[kGainPlot];
    QCOMPARE(gain.CurveCount(), doc.plotData[kSpectrumPlot].CurveCount());
    QCOMPARE(gain.titles.main, doc.Title() + ", Gain");
    QCOMPARE(gain.axes.xMax, 2.5f);
    QVERIFY(std::find(hints.begin(), hints.end(), 'g') != hints.end());
    QVERIFY(FindPlotWindow(*w.frame, doc, 'g'));
}

void DesignerJobsTest::designerRefusesBadFieldsAndFollowsTheActiveModel() {
    Window w;
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& first = w.Doc();
    first.SetPathName(w.dir.Path("first.wmd"));
    w.frame->Execute(Cmd::TransducerDesigner);
    CTransducerDesignerDlg* dlg = Designer(*w.frame);
    QVERIFY(dlg);
    QCOMPARE(dlg->MaterialLabel()->text(), QStringLiteral("Backing\n'Undefined material'"));
    // A material given meanwhile shows when the designer is active again.
    QVERIFY(first.AddItem(IsotropicMaterial("Tungsten epoxy", 0, 9000.0, 2000.0, 1000.0)));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(dlg, &activate);
    QVERIFY(dlg->MaterialLabel()->text().startsWith(QStringLiteral("Backing\nTungsten epoxy\nVL = 2000 (m/s)")));

    Retype(dlg->NumberField(kImageWidthField), QStringLiteral("2O"));
    QTest::mouseClick(dlg->CreateButton(), Qt::LeftButton);
    QCOMPARE(w.ui.script.LastText(), FieldRangeMessage(kPositiveRange));
    QVERIFY(first.image.Rows.empty());  // nothing built
    QCOMPARE(dlg->CurrentLayer(), kBackingLayer);
    QTest::mouseClick(dlg->NextButton(), Qt::LeftButton);  // refused too: no step
    QCOMPARE(dlg->CurrentLayer(), kBackingLayer);
    QCOMPARE(dlg->Record().imageWidth, 0.02f);

    // The record belongs to its model: a second model shows the defaults,
    // and the first one's values come back with its window.
    Retype(dlg->NumberField(kImageWidthField), QStringLiteral("30"));
    QTest::mouseClick(dlg->NextButton(), Qt::LeftButton);
    QCOMPARE(dlg->Record().imageWidth, 0.03f);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& second = w.Doc();
    QVERIFY(&second != &first);
    QCOMPARE(dlg->Document(), &second);
    QCOMPARE(dlg->NumberField(kImageWidthField)->text(), QStringLiteral("20"));
    QCOMPARE(dlg->CurrentLayer(), kBackingLayer);
    w.frame->MdiArea()->activatePreviousSubWindow();
    QCOMPARE(dlg->Document(), &first);
    QCOMPARE(dlg->NumberField(kImageWidthField)->text(), QStringLiteral("30"));

    // While the model runs, Create Geometry is refused.
    first.SetRunning(true);
    QTest::mouseClick(dlg->CreateButton(), Qt::LeftButton);
    QCOMPARE(w.ui.script.LastText(), std::string("The Model is running. Please stop the process first."));
    QVERIFY(first.image.Rows.empty());
    first.SetRunning(false);

    // The window exists once: the command shows the same one again.
    dlg->hide();
    w.frame->Execute(Cmd::TransducerDesigner);
    QCOMPARE(w.frame->findChildren<CTransducerDesignerDlg*>().size(), qsizetype{1});
    QVERIFY(Designer(*w.frame)->isVisible());
}

void DesignerJobsTest::panelEditsPagesSavesAndLoadsTheList() {
    Window w;
    std::vector<std::string> models;
    for (int k = 1; k <= 15; ++k) models.push_back(w.dir.Path("job" + std::to_string(k) + ".wmd"));
    const std::string listPath = w.dir.Path("jobs.wbf");
    bool checked = false;
    WhenModal<CMultiJobsDlg>([&](CMultiJobsDlg& panel) {
        QCOMPARE(panel.windowTitle(), QStringLiteral("Multi Jobs Control Panel"));
        QCOMPARE(panel.StatusLabel()->text(), QStringLiteral("\nThere is no file in the list."));
        std::vector<FileChooserRequest> requests;
        panel.chooseFiles = [&](const FileChooserRequest& request) {
            requests.push_back(request);
            return models;
        };
        QTest::mouseClick(panel.Button(QStringLiteral("&Add Files")), Qt::LeftButton);
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests[0].title, std::string("Add jobs for this session"));
        QCOMPARE(panel.List().Count(), 15);
        QCOMPARE(panel.StatusLabel()->text(), QStringLiteral("\nJob No.: 1-10, total: 15"));
        QCOMPARE(panel.RowPath(9)->text().toStdString(), models[9]);

        // Paging: jobs 11-15, the rows after them empty; a further Down does nothing.
        QTest::mouseClick(panel.Button(QStringLiteral("&Down")), Qt::LeftButton);
        QCOMPARE(panel.StatusLabel()->text(), QStringLiteral("\nJob No.: 11-15, total: 15"));
        QCOMPARE(panel.RowPath(0)->text().toStdString(), models[10]);
        QVERIFY(panel.RowPath(5)->text().isEmpty() && !panel.RowPath(5)->isEnabled());
        QTest::mouseClick(panel.Button(QStringLiteral("&Down")), Qt::LeftButton);
        QCOMPARE(panel.StatusLabel()->text(), QStringLiteral("\nJob No.: 11-15, total: 15"));

        // The same files again, one in other letter case: nothing is added.
        std::vector<std::string> again{models[0]};
        again[0].replace(again[0].size() - 8, 3, "JOB");
        panel.chooseFiles = [&](const FileChooserRequest&) { return again; };
        QTest::mouseClick(panel.Button(QStringLiteral("&Add Files")), Qt::LeftButton);
        QCOMPARE(panel.List().Count(), 15);

        // An edited path and two ticks are stored by Del Selected: jobs 11
        // and 13 go, the edit of job 12 stays.
        Retype(panel.RowPath(1), QStringLiteral("/elsewhere/edited.wmd"));
        QTest::mouseClick(panel.RowCheck(0), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseClick(panel.RowCheck(2), Qt::LeftButton, {}, QPoint(4, 4));
        w.ui.script.answers.push_back(MessageAnswer::Yes);
        QTest::mouseClick(panel.Button(QStringLiteral("Del Selected")), Qt::LeftButton);
        QCOMPARE(w.ui.script.LastText(), std::string("Do you want to delete all marked jobs in the session?"));
        QCOMPARE(panel.List().Count(), 13);
        QCOMPARE(panel.List().Paths()[10], std::string("/elsewhere/edited.wmd"));
        QCOMPARE(panel.List().Paths()[11], models[13]);
        QVERIFY(!panel.List().Marked(10));

        // Save asks for a name the first time and writes the file.
        w.ui.script.files.push_back(listPath);
        QTest::mouseClick(panel.Button(QStringLiteral("&Save")), Qt::LeftButton);
        QCOMPARE(w.ui.script.fileRequests.back().title, std::string("Save a batch job list file"));
        const std::vector<std::string> kept = panel.List().Paths();
        QCOMPARE(ReadFileText(listPath), CJobList::BatchFileText(kept));
        QVERIFY(panel.StatusLabel()->text().startsWith(QString::fromStdString(listPath + "\n")));

        // Delete All, No keeps the list; Yes empties it; Load brings it back.
        w.ui.script.answers.push_back(MessageAnswer::No);
        QTest::mouseClick(panel.Button(QStringLiteral("Delete All")), Qt::LeftButton);
        QCOMPARE(panel.List().Count(), 13);
        w.ui.script.answers.push_back(MessageAnswer::Yes);
        QTest::mouseClick(panel.Button(QStringLiteral("Delete All")), Qt::LeftButton);
        QCOMPARE(panel.List().Count(), 0);
        QCOMPARE(panel.StatusLabel()->text(), QString::fromStdString(listPath + "\nThere is no file in the list."));
        w.ui.script.files.push_back(listPath);
        QTest::mouseClick(panel.Button(QStringLiteral("&Load")), Qt::LeftButton);
        QCOMPARE(panel.List().Paths(), kept);
        QCOMPARE(panel.RowPath(0)->text().toStdString(), kept[0]);
        SavePicture(panel, QStringLiteral("CMultiJobsDlg"));
        checked = true;
        QTest::mouseClick(panel.Button(QStringLiteral("&Cancel")), Qt::LeftButton);
    });
    w.frame->Execute(Cmd::RunMultiJobs);
    QVERIFY(checked);
    QVERIFY(!fs::exists(w.dir.Path("elix.log")));  // Cancel runs nothing
}

void DesignerJobsTest::panelRunsTheJobsAndLogsTheFailure() {
    Window w;
    const std::string first = WriteTinyModel(w.dir, "one");
    const std::string second = WriteTinyModel(w.dir, "two");
    QVERIFY(!first.empty() && !second.empty());
    const std::string missing = w.dir.Path("missing.wmd");
    std::vector<std::string> opened;
    w.frame->openExternalFile = [&opened](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    // The progress window as the first job starts: its number and model.
    QStringList progressTexts;
    WhenModal<CMultiJobsDlg>([&](CMultiJobsDlg& panel) {
        panel.chooseFiles = [&](const FileChooserRequest&) { return std::vector<std::string>{first, missing, second}; };
        QTest::mouseClick(panel.Button(QStringLiteral("&Add Files")), Qt::LeftButton);
        QTimer::singleShot(0, [&] {
            auto* progress = w.frame->findChild<QDialog*>(QStringLiteral("CBatchProgressDlg"));
            if (!progress || !progress->isVisible()) return;
            for (QLabel* label : progress->findChildren<QLabel*>()) progressTexts << label->text();
            SavePicture(*progress, QStringLiteral("CBatchProgressDlg"));
        });
        QTest::mouseClick(panel.Button(QStringLiteral("&Run")), Qt::LeftButton);
    });
    // Ready: Yes; finished: Yes opens the log.
    w.ui.script.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    w.frame->Execute(Cmd::RunMultiJobs);

    QVERIFY(progressTexts.contains(QStringLiteral("Job 1 of 3")));
    QVERIFY(progressTexts.contains(QString::fromStdString(first)));
    const auto* after = w.frame->findChild<QDialog*>(QStringLiteral("CBatchProgressDlg"));
    QVERIFY(!after || !after->isVisible());

    const std::string logPath = w.dir.Path("elix.log");
    const std::vector<std::string> texts = w.ui.Texts();
    QVERIFY(!texts.empty());
    QCOMPARE(texts.front(), RunJobsReadyQuestion(logPath));
    QCOMPARE(texts.back(), JobsFinishedQuestion(logPath));
    QCOMPARE(opened, std::vector<std::string>{logPath});
    // Both models ran and wrote the same receiver file; the missing one is
    // logged under its name, after a time line.
    const std::string out1 = ReadFileText(w.dir.Path("one/out.txt"));
    QVERIFY(out1.size() > 100);
    QCOMPARE(ReadFileText(w.dir.Path("two/out.txt")), out1);
    const std::string log = ReadFileText(logPath);
    const std::size_t entry = log.find("(missing.wmd) ");
    QVERIFY2(entry != std::string::npos, log.c_str());
    QVERIFY(entry > 0 && log[entry - 1] == '\n');
}

ELASTRIX_GUI_TEST(DesignerJobsTest);

}  // namespace elix::test
