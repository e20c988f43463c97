// The source and receiver editors driven as a user would: arrays typed in
// against the phased-array example, the echo and through receivers a
// source owns, the receiver's unique output file and refused numbers,
// waveform files refused before use, the Detail dialog's cycles written to
// the model file, and a whole model typed in that runs like the example.
#include "source_receiver_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/array_time_delay.h"
#include "model/array_configuration_dlg.h"
#include "model/array_time_delay_dlg.h"
#include "model/item_editor_buttons.h"
#include "model/receiver_advanced_dlg.h"
#include "model/receiver_configuration_dlg.h"
#include "model/source_configuration_dlg.h"
#include "model/time_function_dlg.h"
#include "platform/files.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

QPushButton* OkOf(QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

void ChooseKind(CSourceConfigurationDlg::Mode& mode, TimeFunctionKind kind) {
    const int index = static_cast<int>(kind);
    mode.function->setCurrentIndex(index);
    emit mode.function->activated(index);
}

bool Shown(const ScriptedDesktopUi& ui, const std::string& text) {
    for (const auto& shown : ui.Texts())
        if (shown == text) return true;
    return false;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

void SourceReceiverTest::init() { QSettings().clear(); }

void SourceReceiverTest::typedFocusedArrayGivesTheExampleDelays() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("phased_array")));
    CElixDoc& doc = w.Doc();
    const CSource example = doc.Sources()[0];
    std::string expected;
    QVERIFY(SourceArrayTimeDelayReport(doc, example, expected));

    QString computed;
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.buttons->add->click();
        Type(d.name, "Typed");
        d.location.location->setCurrentText("Top");
        Type(d.location.size, "15.8");
        Type(d.location.offset, "0");
        Type(d.longitudinal.duration, "1");
        d.sourceArray->click();
        // 16 elements of 0.8 mm at a 1 mm pitch, focused 8 mm deep.
        WhenModal<CArrayConfigurationDlg>([](CArrayConfigurationDlg& a) {
            if (!a.grouping->isChecked()) a.grouping->click();
            Type(a.elementSize, "0.8");
            Type(a.elementSpacing, "1");
            if (!a.delayLaw->isChecked()) a.delayLaw->click();
            a.automatic->click();
            Type(a.focalLength, "8");
            Type(a.deflection, "0");
            Type(a.regionGray, "0");
            a.pointDirection->setChecked(true);
            OkOf(a)->click();
        });
        d.arrayConfiguration->click();
        WhenModal<CArrayTimeDelayDlg>([&](CArrayTimeDelayDlg& t) {
            computed = t.computed->text();
            Type(t.preZeroTime, "0.27");
            Type(t.postZeroTime, "0.23");
            OkOf(t)->click();
        });
        d.arrayTimeDelay->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);

    QCOMPARE(computed.toStdString(), expected);
    QCOMPARE(doc.Sources().Count(), 2);
    const CSource& typed = doc.Sources()[1];
    QCOMPARE(typed.name, std::string("Typed"));
    QCOMPARE(typed.curveArrayFlags, std::uint8_t(example.curveArrayFlags | kArrayPointDirection));
    QCOMPARE(typed.element.grouping, 1);
    QCOMPARE(typed.element.size, example.element.size);
    QVERIFY(std::fabs(typed.element.gap - example.element.gap) < 1e-9f);
    QCOMPARE(typed.focusing.delayLaw, 1);
    QCOMPARE(typed.focusing.lawSelector, std::int16_t{1});
    QVERIFY(std::fabs(typed.focusing.a[0] - example.focusing.a[0]) < 1e-6f);
    QCOMPARE(typed.frontDelay, example.frontDelay);
    QCOMPARE(typed.backDelay, example.backDelay);
    QCOMPARE(typed.x1, example.x1);
    QCOMPARE(typed.x2, example.x2);
    std::string again;
    QVERIFY(SourceArrayTimeDelayReport(doc, typed, again));
    QCOMPARE(again, expected);
    QVERIFY(doc.IsModified());
}

void SourceReceiverTest::pulseEchoOwnsItsEchoReceiver() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    QVERIFY(doc.Receivers().Find("Transducer Echo") >= 0);
    bool keptOnNo = false, goneOnYes = false;
    w.ui.script.answers = {MessageAnswer::No, MessageAnswer::Yes};
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.pulseEcho->click();  // cleared: No keeps the receiver and the box
        keptOnNo = d.pulseEcho->isChecked() && doc.Receivers().Find("Transducer Echo") >= 0;
        d.pulseEcho->click();  // cleared again: Yes deletes it
        goneOnYes = !d.pulseEcho->isChecked() && doc.Receivers().Find("Transducer Echo") < 0;
        d.pulseEcho->click();               // set: a new echo receiver on the source
        d.throughTransmission->click();     // and one on the opposite side
        d.buttons->apply->click();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QVERIFY(keptOnNo);
    QVERIFY(goneOnYes);
    QVERIFY(Shown(w.ui, "Receiver 'Transducer Echo' will be deleted, continue?"));
    const CSource& source = doc.Sources()[0];
    QCOMPARE(source.pulseEcho, 1);
    const int echo = doc.Receivers().Find("Transducer Echo");
    QVERIFY(echo >= 0);
    const CReceiver& e = doc.Receivers()[echo];
    QCOMPARE(e.x1, source.x1);
    QCOMPARE(e.x2, source.x2);
    QCOMPARE(e.y1, source.y1);
    QVERIFY(e.outputFile.empty());
    QCOMPARE(e.shearMode, source.shearMode);
    // The source lies on the top of a 24 mm x 15 mm model from x = 17 mm
    // to 7 mm: its through receiver runs on the bottom from 7 mm to 17 mm.
    const int through = doc.Receivers().Find("Transducer Through");
    QVERIFY(through >= 0);
    const CReceiver& t = doc.Receivers()[through];
    QVERIFY(std::fabs(t.x1 - 0.007f) < 1e-8f && std::fabs(t.x2 - 0.017f) < 1e-8f);
    QVERIFY(std::fabs(t.y1 - 0.015f) < 1e-8f && std::fabs(t.y2 - 0.015f) < 1e-8f);

    // Deleting the source offers to delete both of its receivers.
    w.ui.script.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::No};
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.buttons->remove->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QCOMPARE(doc.Sources().Count(), 0);
    QVERIFY(Shown(w.ui, "Are you sure you want to delete Source 'Transducer'?"));
    QVERIFY(Shown(w.ui, "Do you want to delete receiver \"Transducer Echo\"?"));
    QVERIFY(doc.Receivers().Find("Transducer Echo") < 0);
    QVERIFY(doc.Receivers().Find("Transducer Through") >= 0);  // answered No
    // Options that need a source refuse on the empty list.
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.pulseEcho->click();
        keptOnNo = d.pulseEcho->isChecked();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QVERIFY(!keptOnNo);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("Please add source before checking this option."));
}

void SourceReceiverTest::receiverEditorRefusesSharedFilesAndBadNumbers() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    QString shownName, fileAfterRefusal, chosenShown;
    bool focusOnSize = false;
    w.ui.script.files = {w.dir.Path("gate.txt")};
    WhenModal<CReceiverConfigurationDlg>([&](CReceiverConfigurationDlg& d) {
        d.buttons->next->click();
        shownName = d.name->text();
        Type(d.outputFile, "echo.txt");
        d.buttons->apply->click();
        fileAfterRefusal = d.outputFile->text();
        Type(d.location.size, "ten");
        d.buttons->apply->click();
        focusOnSize = d.focusWidget() == d.location.size;
        Type(d.location.size, "10");
        d.dataType->setCurrentText("Velocity");
        d.phaseType->setCurrentText("Squared");
        d.saveToFile->setChecked(true);
        d.browse->click();
        chosenShown = d.outputFile->text();
        // Advanced: 26 dB of gain and a window from 9.8 us.
        WhenModal<CReceiverAdvancedDlg>([](CReceiverAdvancedDlg& a) {
            Type(a.gain, "26");
            Type(a.blanking, "9.8");
            Type(a.damping, "0.5");
            Type(a.endPoints.y1, "2");
            Type(a.endPoints.y2, "2");
            a.averagedOnly->setChecked(false);
            // A receiving array with a manual shape law.
            a.receiverArray->setChecked(true);
            WhenModal<CArrayConfigurationDlg>([](CArrayConfigurationDlg& c) {
                if (!c.delayLaw->isChecked()) c.delayLaw->click();
                c.manual->click();
                Type(c.a[0], "-0.41");
                Type(c.a[2], "0.49");
                Type(c.a[1], "1e6");  // steeper than the automatic law's angle field allows
                Type(c.regionGray, "300");  // refused: gray levels end at 254
                OkOf(c)->click();
                Type(c.regionGray, "0");
                OkOf(c)->click();
            });
            a.arrayConfiguration->click();
            // Opened again on that steep law, Manual OK still goes through.
            WhenModal<CArrayConfigurationDlg>([](CArrayConfigurationDlg& c) {
                OkOf(c)->click();
                if (c.isVisible()) c.reject();
            });
            a.arrayConfiguration->click();
            OkOf(a)->click();
        });
        d.advanced->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::ReceiverConfiguration);
    QCOMPARE(shownName, QStringLiteral("Back Wall Gate"));
    QVERIFY(Shown(w.ui, "Receiver output file must have a unique file name or blank!"));
    QVERIFY(fileAfterRefusal.isEmpty());
    QVERIFY(Shown(w.ui, "Please enter a number between 0 and 1e+20."));
    QVERIFY(focusOnSize);
    QCOMPARE(chosenShown, QStringLiteral("gate.txt"));  // beside the model: its name alone
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.frame->Directories()[DirectoryKind::ReceiverOutput]);
    const CReceiver& gate = doc.Receivers()[1];
    QCOMPARE(gate.outputFile, std::string("gate.txt"));
    QVERIFY(std::fabs(gate.gainFactor - std::pow(10.0f, 1.3f)) < 1e-4f);
    QCOMPARE(gate.blanking, 9.8e-6f);
    QCOMPARE(gate.averagedOnly, 0);
    QCOMPARE(gate.damping, 0.5f);
    QCOMPARE(gate.dataType, std::uint8_t{1});
    QCOMPARE(gate.phaseType, std::uint8_t{2});
    QCOMPARE(gate.y1, 0.002f);  // the Advanced end points win over the side
    QCOMPARE(gate.y2, 0.002f);

    // While the model runs the editors stay closed.
    doc.SetRunning(true);
    bool opened = false;
    WhenModal<CReceiverConfigurationDlg>([&](CReceiverConfigurationDlg& d) {
        opened = true;
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::ReceiverConfiguration);
    QApplication::processEvents();
    QVERIFY(!opened);
    doc.SetRunning(false);
    QCOMPARE(gate.form, CReceiver::kAdvancedForm);
    QVERIFY(Shown(w.ui, "Please enter a number between 0 and 254."));
    QVERIFY(!Shown(w.ui, "Please enter a number between -89.999 and 89.999."));
    QCOMPARE(gate.curveArrayFlags, std::uint8_t(kArrayElementBlock | kArrayFocusingBlock));
    QCOMPARE(gate.focusing.delayLaw, 1);
    QCOMPARE(gate.focusing.lawSelector, std::int16_t{0});
    QCOMPARE(gate.focusing.a[0], -0.41f);
    QCOMPARE(gate.focusing.a[2], 0.49f);
    QCOMPARE(gate.focusing.a[1], 1e6f);
    QCOMPARE(doc.Receivers()[0].outputFile, std::string("echo.txt"));
}

void SourceReceiverTest::waveformFilesAreCheckedBeforeUse() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const std::string bad = w.dir.Write("bad.wtf", "<<Waveform>>\n2\n0 1\n");
    const std::string good = w.dir.Write("good.wtf", "<<TimeFunction>>\n# ramp up and down\n3\n0 1 0\n");
    QString labelAfterBad, comment;
    w.ui.script.files = {bad, good};
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        // Choosing File opens its Detail dialog to choose the file.
        WhenModal<CTimeFunctionDlg>([&](CTimeFunctionDlg& t) {
            t.ChangeUserFileButton()->click();
            labelAfterBad = t.FileLabel()->text();
            t.ChangeUserFileButton()->click();
            comment = t.CommentBox()->toPlainText();
            Type(t.Field(TimeFunctionField::Amplitude), "2");
            OkOf(t)->click();
        });
        ChooseKind(d.longitudinal, TimeFunctionKind::File);
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QVERIFY(Shown(w.ui, "'" + bad + "' has wrong format."));
    QCOMPARE(labelAfterBad, QStringLiteral("(no file chosen)"));
    QCOMPARE(comment, QStringLiteral("# ramp up and down"));
    QCOMPARE(w.ui.script.fileRequests.front().startFolder, w.frame->Directories()[DirectoryKind::SourceWaveform]);
    QCOMPARE(doc.Sources()[0].longitudinalTimeFunction, std::string("File<good.wtf>,1,2"));

    // User1: a malformed file leaves the job's file, and the source keeps
    // its time function when the editor is cancelled.
    w.ui.script.files = {bad};
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        ChooseKind(d.longitudinal, TimeFunctionKind::User1);
        WhenModal<CTimeFunctionDlg>([&](CTimeFunctionDlg& t) {
            t.ChangeUserFileButton()->click();
            labelAfterBad = t.FileLabel()->text();
            OkOf(t)->click();
        });
        d.longitudinal.detail->click();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QCOMPARE(labelAfterBad, QStringLiteral("User1.wtf"));
    QCOMPARE(doc.job.UserFile1, std::string("User1.wtf"));
    QCOMPARE(doc.Sources()[0].longitudinalTimeFunction, std::string("File<good.wtf>,1,2"));

    // A good one becomes the job's User1 file on OK.
    w.ui.script.files = {good};
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.shear.box->setChecked(true);
        ChooseKind(d.shear, TimeFunctionKind::User1);
        WhenModal<CTimeFunctionDlg>([&](CTimeFunctionDlg& t) {
            t.ChangeUserFileButton()->click();
            OkOf(t)->click();
        });
        d.shear.detail->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QCOMPARE(doc.job.UserFile1, std::string("good.wtf"));
    QCOMPARE(doc.Sources()[0].shearTimeFunction, std::string("User1,1,1"));
}

void SourceReceiverTest::detailCyclesAreWrittenToTheModelFile() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    bool stayedOpen = false;
    QString durationShown;
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        ChooseKind(d.longitudinal, TimeFunctionKind::SinePulse);
        WhenModal<CTimeFunctionDlg>([&](CTimeFunctionDlg& t) {
            Type(t.Field(TimeFunctionField::Frequency), "0");
            OkOf(t)->click();  // refused: the dialog stays
            stayedOpen = t.isVisible() && t.focusWidget() == t.Field(TimeFunctionField::Frequency);
            Type(t.Field(TimeFunctionField::Frequency), "2.25");
            Type(t.Field(TimeFunctionField::Cycles), "2");
            OkOf(t)->click();
        });
        d.longitudinal.detail->click();
        durationShown = d.longitudinal.duration->text();
        d.pointSource->setChecked(true);
        d.signalType->setCurrentText("Pressure");
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QVERIFY(stayedOpen);
    QVERIFY(Shown(w.ui, "Please enter a number between 1e-20 and 1e+20."));
    QCOMPARE(durationShown, QStringLiteral("0.8888889"));
    QVERIFY(w.frame->SaveDocument(doc, false));
    const std::string text = FileText(doc.PathName());
    QVERIFY(text.find("\nSine Pulse,2,1,2.25e+06\n") != std::string::npos);
    QVERIFY(text.find("\n8.888889e-07\n") != std::string::npos);
    // A pressure point source is applied after its warning.
    QVERIFY(Shown(w.ui, kPointSourceWarning));
    QVERIFY(text.find("\nSignalType 1\n") != std::string::npos);
}

void SourceReceiverTest::wedgeIsPaintedWhenTheSourceIsApplied() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    QCOMPARE(doc.image.ImageHeight, 150);
    int heightAfterRefusal = 0;
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.wedge->setChecked(true);
        d.wedgeLocation->setCurrentText("Top");
        Type(d.wedgeSize, "10");
        Type(d.wedgeOffset, "0");
        Type(d.wedgeTheta, "90");  // no wedge of 90 degrees
        Type(d.wedgeGray, "64");
        d.buttons->apply->click();
        heightAfterRefusal = doc.image.ImageHeight;
        Type(d.wedgeTheta, "30");
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QCOMPARE(heightAfterRefusal, 150);
    QVERIFY(Shown(w.ui, "Please enter a number between 0 and 89.999."));
    const CSource& source = doc.Sources()[0];
    QCOMPARE(source.wedge, 1);
    QCOMPARE(source.wedgeLocation, std::string("Top"));
    QCOMPARE(source.wedgeAngle, 30.0f);
    // 10 mm at 30 degrees is 5.77 mm deep: 58 rows at 10 pixels per mm,
    // thick at one end of the span and thin at the other.
    QCOMPARE(doc.image.ImageHeight, 150 + 58);
    int wedgeRows = 0;
    for (int y = 0; y < 58; ++y) wedgeRows += doc.image.Rows[static_cast<std::size_t>(y)][100] == 64 ? 1 : 0;
    QVERIFY(wedgeRows > 0 && wedgeRows < 58);

    // "Source on Wedge" cleared: the next reload leaves the image as drawn.
    WhenModal<CSourceConfigurationDlg>([](CSourceConfigurationDlg& d) {
        d.wedge->setChecked(false);
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    QCOMPARE(doc.Sources()[0].wedge, 0);
    QCOMPARE(doc.image.ImageHeight, 150);
}

void SourceReceiverTest::modelTypedInRunsLikeTheExample() {
    Window w;
    const std::string example = w.Example("immersion");
    QVERIFY(w.frame->OpenModel(example));
    CElixDoc& doc = w.Doc();

    // Empty both lists through the editors (the source's echo receiver is
    // offered with it).
    WhenModal<CSourceConfigurationDlg>([](CSourceConfigurationDlg& d) {
        d.buttons->remove->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    WhenModal<CReceiverConfigurationDlg>([](CReceiverConfigurationDlg& d) {
        d.buttons->remove->click();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::ReceiverConfiguration);
    QCOMPARE(doc.Sources().Count(), 0);
    QCOMPARE(doc.Receivers().Count(), 0);

    // The 10 mm transducer on top, a two-cycle 1 MHz Sine Sine pulse, with
    // its echo receiver.
    WhenModal<CSourceConfigurationDlg>([&](CSourceConfigurationDlg& d) {
        d.buttons->add->click();
        Type(d.name, "Transducer");
        d.location.location->setCurrentText("Top");
        Type(d.location.size, "10");
        Type(d.location.offset, "0");
        ChooseKind(d.longitudinal, TimeFunctionKind::SineSinePulse);
        Type(d.longitudinal.duration, "2");
        d.shear.box->setChecked(true);  // its fields are editable while the mode is on
        Type(d.shear.duration, "2");
        d.shear.box->setChecked(false);
        d.buttons->apply->click();
        d.pulseEcho->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::SourceConfiguration);
    // The echo's output file, and the back-wall gate: 20 dB from 9.8 us.
    WhenModal<CReceiverConfigurationDlg>([](CReceiverConfigurationDlg& d) {
        d.saveToFile->setChecked(true);
        Type(d.outputFile, "echo.txt");
        d.buttons->apply->click();
        d.buttons->add->click();
        Type(d.name, "Back Wall Gate");
        d.location.location->setCurrentText("Top");
        Type(d.location.size, "10");
        Type(d.location.offset, "0");
        d.shearMode->setChecked(false);
        d.saveToFile->setChecked(true);
        Type(d.outputFile, "back_wall_gate.txt");
        d.buttons->apply->click();
        WhenModal<CReceiverAdvancedDlg>([](CReceiverAdvancedDlg& a) {
            Type(a.gain, "20");
            Type(a.blanking, "9.8");
            OkOf(a)->click();
        });
        d.advanced->click();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::ReceiverConfiguration);
    QCOMPARE(doc.Sources().Count(), 1);
    QCOMPARE(doc.Receivers().Count(), 2);
    const std::string typed = w.dir.Path("typed.wmd");
    w.ui.script.files = {typed};
    QVERIFY(w.frame->SaveDocument(doc, true));

    // Both models run with the command-line runner; the typed one must
    // write the example's receiver files byte for byte.
    const std::string cli = (fs::path(ELASTRIX_GUI_PATH).parent_path() / "elastrix-cli").string();
    QVERIFY2(fs::exists(cli), cli.c_str());
    const auto run = [&](const std::string& model) {
        const std::string command = "\"" + cli + "\" run \"" + model + "\" >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    QCOMPARE(run(example), 0);
    const std::string expectedEcho = FileText(w.dir.Path("echo.txt"));
    const std::string expectedGate = FileText(w.dir.Path("back_wall_gate.txt"));
    QVERIFY(expectedEcho.size() > 1000 && expectedGate.size() > 1000);
    fs::remove(w.dir.Path("echo.txt"));
    fs::remove(w.dir.Path("back_wall_gate.txt"));
    QCOMPARE(run(typed), 0);
    QVERIFY(FileText(w.dir.Path("echo.txt")) == expectedEcho);
    QVERIFY(FileText(w.dir.Path("back_wall_gate.txt")) == expectedGate);
}

// Pictures of the dialogs for the manual, made when ELASTRIX_SCREENS_DIR
// names a folder.
void SourceReceiverTest::screenshots() {
    if (ScreensFolder().isEmpty()) QSKIP("ELASTRIX_SCREENS_DIR is not set");
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("phased_array")));
    CElixDoc& doc = w.Doc();
    const auto save = [](QWidget& widget, const char* name) { QVERIFY(SavePicture(widget, QLatin1String(name))); };
    const FieldReport report;
    {
        CSourceConfigurationDlg d(doc, w.dir.Root());
        save(d, "CSourceConfigurationDlg");
    }
    {
        CReceiverConfigurationDlg d(doc, w.dir.Root());
        save(d, "CReceiverConfigurationDlg");
    }
    const CSource& s = doc.Sources()[0];
    {
        CArrayConfigurationDlg d(QStringLiteral("Source Array Configuration"), s.element, s.focusing,
                                 s.curveArrayFlags, SegmentOf(s).Length(), true, report);
        save(d, "CArrayConfigurationDlg");
    }
    {
        CArrayTimeDelayDlg d(doc, s);
        save(d, "CArrayTimeDelayDlg");
    }
    {
        CTimeFunctionDlg d(doc, w.dir.Root(), "Longitudinal", ParseTimeFunction("Sine Gaussian Pulse"), 2e-6);
        save(d, "CTimeFunctionDlg");
    }
    {
        const std::string wtf = w.dir.Write("pulse.wtf", "<<TimeFunction>>\n# Measured transducer pulse\n"
                                                         "# 5 MHz, 2 cycles\n3\n0 1 0\n");
        CTimeFunctionDlg d(doc, w.dir.Root(), "Longitudinal", ParseTimeFunction("File<" + wtf + ">,1,1"), 1e-6);
        save(d, "CTimeFunctionDlgFile");
    }
    {
        CReceiverAdvancedDlg d(doc.Receivers()[0], report);
        save(d, "CReceiverAdvancedDlg");
    }
}

ELASTRIX_GUI_TEST(SourceReceiverTest);

}  // namespace elix::test
