// Elix > Material Property, Boundary Condition and Job Parameters driven as
// a user would: fields typed, the dialogs' own buttons clicked, messages
// answered by the scripted user interface; the checks look at the model,
// its display and the files written.
#include "material_boundary_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/main_frame.h"
#include "engine/absorbing_sides.h"
#include "engine/job_parameters_dlg.h"
#include "geometry/item_colours.h"
#include "model/bc_advanced_dlg.h"
#include "model/boundary_condition_dlg.h"
#include "model/elix_doc.h"
#include "model/infinite_bc_dlg.h"
#include "model/location_rules.h"
#include "model/material_library_dlg.h"
#include "model/material_property_dlg.h"
#include "model/number_field.h"
#include "model/ortho_property_dlg.h"
#include "model/piezo_property_dlg.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "view/elix_view.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->clear();
    QTest::keyClicks(edit, text);
}

void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void Picture(QWidget& dialog, const char* name) { SavePicture(dialog, QLatin1String(name)); }

// The colour the model view shows for the first pixel of a gray level.
QRgb ViewColourOfGray(CMainFrame& frame, std::uint8_t gray) {
    const CElixDoc& doc = *frame.ActiveDocument();
    const QImage& picture = frame.ActiveFrame()->View()->Picture();
    for (int y = 0; y < doc.image.ImageHeight; ++y)
        for (int x = 0; x < doc.image.ImageWidth; ++x)
            if (doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == gray)
                return picture.pixel(x, y);
    return 0;
}

QRgb ColourAt(int index) {
    const ItemColour c = ItemColourAt(index);
    return qRgb(c.red, c.green, c.blue);
}

bool Shown(const ScriptedDesktopUi& ui, const std::string& text) {
    for (const std::string& shown : ui.Texts())
        if (shown == text) return true;
    return false;
}

}  // namespace

void MaterialBoundaryJobTest::materialEditorAddsCopiesDeletesAndSaves() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    QCOMPARE(doc.Materials().Count(), 2);
    const std::uint8_t steelGray = doc.Materials()[1].grayLevel;
    bool done = false;
    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& d) {
        auto act = [&] {
            QCOMPARE(doc.DisplayCategory, std::string("MaterialProperties"));
            QCOMPARE(d.numberLabel->text(), QStringLiteral("Material No.: 1"));
            QCOMPARE(d.name->text(), QStringLiteral("Water"));
            QCOMPARE(d.density->text(), QStringLiteral("998"));
            QVERIFY(d.orthoGroup->isHidden() && d.piezoGroup->isHidden());
            // VL of water = sqrt(lambda / rho) = sqrt(2.19489e9 / 998) = 1483 m/s.
            QCOMPARE(d.derived[0]->text(), QStringLiteral("VL = 1483 (m/s)"));
            Click(d.buttons->next);
            QCOMPARE(d.name->text(), QStringLiteral("Steel"));
            Picture(d, "CMaterialPropertyDlg");

            // Add keeps the values on display under the name "New": the new
            // material shares Steel's gray level and, being later in the
            // list, paints it in the third colour at once.
            Click(d.buttons->add);
            QCOMPARE(doc.Materials().Count(), 3);
            QCOMPARE(doc.Materials()[2].name, std::string("New"));
            QCOMPARE(d.name->text(), QStringLiteral("New"));
            QCOMPARE(d.numberLabel->text(), QStringLiteral("Material No.: 3"));
            QCOMPARE(ViewColourOfGray(*w.frame, steelGray), ColourAt(2));

            // Typed values applied: the gray level 30 and the epoxy values.
            Type(d.name, QStringLiteral("Epoxy"));
            Type(d.density, QStringLiteral("1200"));
            Type(d.lambda, QStringLiteral("4500"));
            Type(d.mu, QStringLiteral("1500"));
            Type(d.grayLevel, QStringLiteral("30"));
            Type(d.eta, QStringLiteral("3"));
            Type(d.phi, QStringLiteral("10"));
            Click(d.buttons->apply);
            QCOMPARE(doc.Materials()[2].name, std::string("Epoxy"));
            QCOMPARE(doc.Materials()[2].chi, 8.0f);  // phi - 2/3 eta
            // VL = sqrt((lambda + 2 mu) / rho) = sqrt(7.5e9 / 1200) = 2500 m/s.
            QCOMPARE(d.derived[0]->text(), QStringLiteral("VL = 2500 (m/s)"));
            QCOMPARE(d.phi->text(), QStringLiteral("10"));
            // Steel's gray level is Steel's colour again.
            QCOMPARE(ViewColourOfGray(*w.frame, steelGray), ColourAt(1));

            // Copy: "copy of " + the name; twice fails on the unique name.
            Click(d.buttons->copy);
            QCOMPARE(doc.Materials().Count(), 4);
            QCOMPARE(doc.Materials()[3].name, std::string("copy of Epoxy"));
            Type(d.name, QStringLiteral("Epoxy"));
            Click(d.buttons->copy);
            QCOMPARE(w.ui.script.LastText(), std::string("Material property must have a unique name!"));
            QCOMPARE(doc.Materials().Count(), 4);

            // Delete asks; No keeps the material, Yes deletes the one named.
            Type(d.name, QStringLiteral("copy of Epoxy"));
            w.ui.script.answers = {MessageAnswer::No, MessageAnswer::Yes};
            Click(d.buttons->remove);
            QCOMPARE(w.ui.script.LastText(), std::string("Are you sure you want to delete Material 'copy of Epoxy'?"));
            QCOMPARE(doc.Materials().Count(), 4);
            Click(d.buttons->remove);
            QCOMPARE(doc.Materials().Count(), 3);
            QCOMPARE(d.name->text(), QStringLiteral("Epoxy"));
            Click(d.buttons->next);
            QCOMPARE(w.ui.script.LastText(), std::string("This is the last material property!"));

            // Show toggles the materials' colours off and on again.
            Click(d.buttons->show);
            QCOMPARE(doc.DisplayCategory, std::string());
            QCOMPARE(ViewColourOfGray(*w.frame, steelGray), qRgb(steelGray, steelGray, steelGray));
            Click(d.buttons->show);
            QCOMPARE(doc.DisplayCategory, std::string("MaterialProperties"));
            QCOMPARE(ViewColourOfGray(*w.frame, steelGray), ColourAt(1));
            done = true;
        };
        act();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::MaterialProperty);
    QVERIFY(done);
    QVERIFY(doc.IsModified());

    QVERIFY(w.frame->SaveDocument(doc, false));
    CElixDoc back;
    QVERIFY(back.ReadModel(doc.PathName()));
    QCOMPARE(back.Materials().Count(), 3);
    const CMaterialProperty& epoxy = back.Materials()[2];
    QCOMPARE(epoxy.name, std::string("Epoxy"));
    QCOMPARE(epoxy.density, 1200.0f);
    QCOMPARE(epoxy.lambda, 4.5e9f);
    QCOMPARE(epoxy.mu, 1.5e9f);
    QCOMPARE(int(epoxy.grayLevel), 30);
    QCOMPARE(epoxy.eta, 3.0f);
    QCOMPARE(epoxy.chi, 8.0f);
    QCOMPARE(back.Materials()[1].grayLevel, steelGray);
}

void MaterialBoundaryJobTest::materialEditorRefusesTextThatIsNoNumber() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const CMaterialProperty water = doc.Materials()[0];
    bool done = false;
    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& d) {
        auto act = [&] {
            Type(d.name, QStringLiteral("Sea water"));
            Type(d.lambda, QStringLiteral("2.2e3x"));
            Click(d.buttons->apply);
            QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 0 and 1e+20."));
            QCOMPARE(d.focusWidget(), d.lambda);
            QCOMPARE(doc.Materials()[0].name, water.name);
            QCOMPARE(doc.Materials()[0].lambda, water.lambda);
            // OK keeps the editor open while a field is refused.
            Type(d.grayLevel, QStringLiteral("256"));
            Type(d.lambda, QStringLiteral("2200"));
            d.buttons->ok->click();
            QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 0 and 255."));
            QVERIFY(d.isVisible());
            Type(d.grayLevel, QStringLiteral("12.5"));  // a gray level is a whole number
            Click(d.buttons->add);
            QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 0 and 255."));
            QCOMPARE(doc.Materials().Count(), 2);
            done = true;
        };
        act();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::MaterialProperty);
    QVERIFY(done);
    QCOMPARE(doc.Materials()[0].lambda, water.lambda);
    QVERIFY(!doc.IsModified());
}

void MaterialBoundaryJobTest::libraryAddsAStandardMaterialToTheModel() {
    Window w;
    const std::string libraryFolder = w.frame->Directories()[DirectoryKind::Library];
    fs::create_directories(libraryFolder);
    fs::copy_file(fs::path(ELASTRIX_SOURCE_DIR) / "Library" / "Standard.mpd", fs::path(libraryFolder) / "Standard.mpd",
                  fs::copy_options::overwrite_existing);
    ProgramMaterialLibrary().Items().Reset();
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    bool done = false;
    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& d) {
        auto act = [&] {
            WhenModal<CMaterialLibraryDlg>([&](CMaterialLibraryDlg& lib) {
                auto inner = [&] {
                    QCOMPARE(lib.fromLabel->text(), QStringLiteral("Material From No.: 1"));
                    QCOMPARE(lib.names[1]->text(), QStringLiteral("Stainless_Steel"));
                    QVERIFY(!lib.up->isEnabled() && lib.down->isEnabled());
                    Picture(lib, "CMaterialLibraryDlg");
                    Click(lib.down);
                    QCOMPARE(lib.fromLabel->text(), QStringLiteral("Material From No.: 11"));
                    Click(lib.up);
                    // Steel is in the model already; Stainless_Steel is added.
                    lib.marks[0]->click();
                    lib.marks[1]->click();
                    Click(lib.addToModel);
                    QCOMPARE(w.ui.script.LastText(), std::string("Item 'Steel' can not be added"));
                    QVERIFY(!lib.marks[0]->isChecked() && !lib.marks[1]->isChecked());
                    // Load starts in the library folder with the library filter.
                    Click(lib.load);
                    QCOMPARE(w.ui.script.fileRequests.back().startFolder, libraryFolder);
                    QCOMPARE(w.ui.script.fileRequests.back().filter, std::string(CMaterialLibrary::kFileFilter));
                    // Erase takes the marked row out of the library only.
                    const int count = ProgramMaterialLibrary().Count();
                    lib.marks[2]->click();
                    Click(lib.erase);
                    QCOMPARE(ProgramMaterialLibrary().Count(), count - 1);
                };
                inner();
                lib.close->click();
            });
            Click(d.library);
            QCOMPARE(doc.Materials().Count(), 3);
            QCOMPARE(doc.Materials()[2].name, std::string("Stainless_Steel"));
            QCOMPARE(d.name->text(), QStringLiteral("Stainless_Steel"));
            QCOMPARE(d.density->text(), QStringLiteral("7900"));
            done = true;
        };
        act();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::MaterialProperty);
    QVERIFY(done);
    QVERIFY(doc.IsModified());
    ProgramMaterialLibrary().Items().Reset();
}

void MaterialBoundaryJobTest::libraryTakesModelMaterialsAndSavesThem() {
    Window w;
    ProgramMaterialLibrary().Items().Reset();  // no Standard.mpd in this installation
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const std::string libraryFolder = w.frame->Directories()[DirectoryKind::Library];
    const std::string saved = (fs::path(w.dir.Root()) / "mine.mpd").string();
    bool done = false;
    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& d) {
        auto act = [&] {
            WhenModal<CMaterialLibraryDlg>([&](CMaterialLibraryDlg& lib) {
                auto inner = [&] {
                    QCOMPARE(w.ui.script.LastText(),
                             "Unable to open file '" + (fs::path(libraryFolder) / "Standard.mpd").string() + "'.");
                    QCOMPARE(ProgramMaterialLibrary().Count(), 0);
                    // Add Material takes the editor's material (Water) into
                    // the library; a name edited in its row renames it.
                    Click(lib.addMaterial);
                    QCOMPARE(lib.names[0]->text(), QStringLiteral("Water"));
                    Type(lib.names[0], QStringLiteral("Fresh Water"));
                    // Modify: the library's own editor, without Library and Show.
                    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& m) {
                        QVERIFY(m.library->isHidden() && m.buttons->show->isHidden());
                        QCOMPARE(m.name->text(), QStringLiteral("Fresh Water"));
                        Type(m.density, QStringLiteral("1000"));
                        m.buttons->ok->click();
                    });
                    Click(lib.modify);
                    QCOMPARE(ProgramMaterialLibrary().Items()[0].density, 1000.0f);
                    QCOMPARE(doc.Materials()[0].density, 998.0f);  // the model's Water stays
                    w.ui.script.files = {saved};
                    Click(lib.save);
                };
                inner();
                lib.close->click();
            });
            Click(d.library);
            done = true;
        };
        act();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::MaterialProperty);
    QVERIFY(done);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, libraryFolder);

    // The file reads back into a library; the blank in the name survives.
    CMaterialLibrary back;
    QVERIFY(back.Load(saved));
    QCOMPARE(back.Count(), 1);
    QCOMPARE(back.Items()[0].name, std::string("Fresh Water"));
    QCOMPARE(back.Items()[0].density, 1000.0f);
    QCOMPARE(back.Items()[0].lambda, doc.Materials()[0].lambda);
    ProgramMaterialLibrary().Items().Reset();
}

void MaterialBoundaryJobTest::detailEditorsChangeTheExtendedConstants() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    bool done = false;
    WhenModal<CMaterialPropertyDlg>([&](CMaterialPropertyDlg& d) {
        auto act = [&] {
            // The detail editors stay hidden in the editor as shipped; their
            // buttons still open them.
            WhenModal<COrthoPropertyDlg>([&](COrthoPropertyDlg& o) {
                Picture(o, "COrthoPropertyDlg");
                Type(o.edits[6], QStringLiteral("1500"));  // C44, MPa
                Type(o.edits[3], QStringLiteral("C22"));
                o.accept();  // refused: no number
                QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between -1e+20 and 1e+20."));
                Type(o.edits[3], QStringLiteral("4500"));
                o.accept();
            });
            d.orthoDetails->click();
            WhenModal<CPiezoPropertyDlg>([&](CPiezoPropertyDlg& p) {
                Picture(p, "CPiezoPropertyDlg");
                Type(p.eEdits[14], QStringLiteral("15.1"));       // e33, C/m^2
                Type(p.epsilonEdits[8], QStringLiteral("5.6"));  // eps33, uF/m
                p.accept();
            });
            d.piezoDetails->click();
            Click(d.buttons->apply);
            done = true;
        };
        act();
        d.buttons->cancel->click();
    });
    w.frame->Execute(Cmd::MaterialProperty);
    QVERIFY(done);
    const CMaterialProperty& water = doc.Materials()[0];
    QCOMPARE(water.c[6], 1.5e9f);
    QCOMPARE(water.c[3], 4.5e9f);
    QCOMPARE(water.e[14], 15.1f);
    QCOMPARE(water.epsilon[8], 5.6e-6f);
    QVERIFY(doc.IsModified());
}

void MaterialBoundaryJobTest::boundaryConditionCoversTheLeftSide() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const ModelExtent model = PixelExtent(doc.image);
    bool done = false;
    WhenModal<CBoundaryConditionDlg>([&](CBoundaryConditionDlg& d) {
        auto act = [&] {
            QCOMPARE(doc.DisplayCategory, std::string("BoundaryConditions"));
            // Empty list: Apply and Advanced refuse with their texts.
            Click(d.buttons->apply);
            QCOMPARE(w.ui.script.LastText(),
                     std::string("This model has no defined BC\nTo add new BC, press \"add\" button"));
            Click(d.advanced);
            QCOMPARE(w.ui.script.LastText(), std::string("Please add boundary contition before checking this option."));

            Click(d.buttons->add);
            QCOMPARE(doc.BoundaryConditions().Count(), 1);
            QVERIFY(d.longitudinalFixed->isChecked() && !d.shearFixed->isChecked());
            QCOMPARE(d.location->currentText(), QStringLiteral("Advanced"));
            QVERIFY(!d.offset->isEnabled());
            Type(d.name, QStringLiteral("Clamp"));
            d.shearFixed->click();
            w.ui.script.answers = {MessageAnswer::Yes};
            d.location->setCurrentIndex(d.location->findText(QStringLiteral("Left")));
            QCOMPARE(w.ui.script.LastText(), std::string("Do you want to cover the entire side with this BC?"));
            QCOMPARE(NumberOf(d.size), model.height * 1000.0);
            QCOMPARE(d.offset->text(), QStringLiteral("0"));
            QVERIFY(d.offset->isEnabled());
            Picture(d, "CBoundaryConditionDlg");
            Click(d.buttons->apply);
            done = true;
        };
        act();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::BoundaryCondition);
    QVERIFY(done);
    const CBoundaryCondition& bc = doc.BoundaryConditions()[0];
    QCOMPARE(bc.name, std::string("Clamp"));
    QCOMPARE(bc.x1, 0.0f);
    QCOMPARE(bc.y1, 0.0f);
    QCOMPARE(bc.x2, 0.0f);
    QCOMPARE(bc.y2, static_cast<float>(model.height));
    QCOMPARE(bc.shearFixed, 1);
    QVERIFY(doc.IsModified());

    // No to the question: the side conversion with the size and offset on
    // display (10 mm centred 2 mm right of the middle of the top side).
    WhenModal<CBoundaryConditionDlg>([&](CBoundaryConditionDlg& d) {
        Type(d.size, QStringLiteral("10"));
        Type(d.offset, QStringLiteral("2"));
        w.ui.script.answers = {MessageAnswer::No};
        d.location->setCurrentIndex(d.location->findText(QStringLiteral("Top")));
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::BoundaryCondition);
    QCOMPARE(doc.BoundaryConditions()[0].x1, static_cast<float>((model.width + 0.010) / 2 + 0.002));
    QCOMPARE(doc.BoundaryConditions()[0].x2, static_cast<float>((model.width - 0.010) / 2 + 0.002));
    QCOMPARE(doc.BoundaryConditions()[0].y1, 0.0f);
}

void MaterialBoundaryJobTest::advancedAndInfiniteBoundaryEditors() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const std::uint8_t sidesBefore = doc.job.InfiniteBCIndex;
    bool done = false;
    WhenModal<CBoundaryConditionDlg>([&](CBoundaryConditionDlg& d) {
        auto act = [&] {
            Click(d.buttons->add);
            Type(d.name, QStringLiteral("Gate"));
            WhenModal<CBCAdvancedDlg>([&](CBCAdvancedDlg& a) {
                Picture(a, "CBCAdvancedDlg");
                QCOMPARE(a.x2->text(), QStringLiteral("1"));  // the default segment ends at (1 mm, 1 mm)
                Type(a.x1, QStringLiteral("2"));
                Type(a.y1, QStringLiteral("3"));
                Type(a.x2, QStringLiteral("2"));
                Type(a.y2, QStringLiteral("9"));
                Type(a.longitudinalDuration, QStringLiteral("-1"));
                Type(a.timeDelay, QStringLiteral("2.5"));
                a.activeInDurationOnly->click();
                a.accept();  // refused: a negative duration
                QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 0 and 1e+20."));
                QVERIFY(a.isVisible());
                Type(a.longitudinalDuration, QStringLiteral("4"));
                a.accept();
            });
            Click(d.advanced);
            QCOMPARE(d.location->currentText(), QStringLiteral("Advanced"));
            QCOMPARE(d.size->text(), QStringLiteral("6"));
            QCOMPARE(d.name->text(), QStringLiteral("Gate"));  // the name typed before stays

            WhenModal<CInfiniteBCDlg>([&](CInfiniteBCDlg& inf) {
                Picture(inf, "CInfiniteBCDlg");
                inf.left->setChecked(false);
                inf.right->setChecked(true);
                inf.top->setChecked(false);
                inf.bottom->setChecked(true);
                Type(inf.factor, QStringLiteral("1.5"));
                inf.accept();
                QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 0 and 1."));
                QCOMPARE(doc.job.InfiniteBCIndex, sidesBefore);
                Type(inf.factor, QStringLiteral("0.25"));
                inf.accept();
            });
            Click(d.infiniteBC);
            QCOMPARE(int(doc.job.InfiniteBCIndex), int(kAbsorbRight | kAbsorbBottom));
            QCOMPARE(doc.job.InfiniteFactor, 0.25f);
            done = true;
        };
        act();
        d.buttons->ok->click();
    });
    w.frame->Execute(Cmd::BoundaryCondition);
    QVERIFY(done);
    const CBoundaryCondition& bc = doc.BoundaryConditions()[0];
    QCOMPARE(bc.name, std::string("Gate"));
    QCOMPARE(bc.x1, 0.002f);
    QCOMPARE(bc.y2, 0.009f);
    QCOMPARE(bc.longitudinalDuration, 4e-6f);
    QCOMPARE(bc.timeDelay, 2.5e-6f);
    QCOMPARE(bc.activeInDurationOnly, 1);

    // Saved and read back: the condition and the absorbing sides.
    QVERIFY(w.frame->SaveDocument(doc, false));
    CElixDoc back;
    QVERIFY(back.ReadModel(doc.PathName()));
    QCOMPARE(back.BoundaryConditions().Count(), 1);
    QCOMPARE(back.BoundaryConditions()[0].timeDelay, 2.5e-6f);
    QCOMPARE(int(back.job.InfiniteBCIndex), int(kAbsorbRight | kAbsorbBottom));
    QCOMPARE(back.job.InfiniteFactor, 0.25f);
}

void MaterialBoundaryJobTest::jobParametersStoreTheirUnitsAndRules() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const CJobParameters before = doc.job;

    // A refused field keeps the dialog open and stores nothing; Cancel
    // undoes the frequency the WaveLength button took.
    bool done = false;
    WhenModal<CJobParametersDlg>([&](CJobParametersDlg& d) {
        auto act = [&] {
            Picture(d, "CJobParametersDlg");
            Type(d.maxFrequency, QStringLiteral("2"));
            Click(d.waveLengthButton);
            const ScriptedUserInterface::Shown& box = w.ui.script.shown.back();
            QCOMPARE(box.title, std::string("Information"));
            QVERIFY(QString::fromStdString(box.text).startsWith(QStringLiteral("Min T Wave Length = ")));
            QVERIFY(QString::fromStdString(box.text).endsWith(QStringLiteral("(at frequency = 2 MHz)")));
            // Water's L wavelength at 2 MHz: 1483 m/s / 2 MHz = 0.7415 mm.
            QVERIFY(box.text.find("Min L Wave Length = 0.741") != std::string::npos);
            Type(d.pointPerCycle, QStringLiteral("ten"));
            d.accept();
            QCOMPARE(w.ui.script.LastText(), std::string("Please enter a number between 1 and 32767."));
            QCOMPARE(d.focusWidget(), d.pointPerCycle);
            QVERIFY(d.isVisible());
            done = true;
        };
        act();
        d.reject();
    });
    w.frame->Execute(Cmd::JobParameters);
    QVERIFY(done);
    QCOMPARE(doc.job.MaxFreq, before.MaxFreq);
    QCOMPARE(doc.job.PointPerCycle, before.PointPerCycle);
    QVERIFY(!doc.IsModified());

    // OK without a change leaves the model unmodified.
    WhenModal<CJobParametersDlg>([&](CJobParametersDlg& d) { d.accept(); });
    w.frame->Execute(Cmd::JobParameters);
    QVERIFY(doc.job == before);
    QVERIFY(!doc.IsModified());

    WhenModal<CJobParametersDlg>([&](CJobParametersDlg& d) {
        Type(d.maxGridIndex, QStringLiteral("8"));
        Type(d.totalThreads, QStringLiteral("6"));
        Type(d.simulationTime, QStringLiteral("25"));
        Type(d.waveLength, QStringLiteral("0.5"));
        d.displayType->setCurrentIndex(d.displayType->findText(QStringLiteral("V only")));
        d.highOrderScheme->click();
        d.accept();
    });
    w.frame->Execute(Cmd::JobParameters);
    QVERIFY(Shown(w.ui, "The maximum thread number is 4. The total thread number is reset to 4."));
    QCOMPARE(doc.job.CMax, 8192u);
    QCOMPARE(doc.job.ThreadTotal, std::int16_t(4));
    QCOMPARE(doc.job.Duration, 25e-6f);
    QCOMPARE(doc.job.MinWaveLength, 0.0005f);
    QCOMPARE(doc.job.DispType, std::string("V only"));
    QCOMPARE(int(doc.job.HighOrderScheme), 1 - int(before.HighOrderScheme));
    QVERIFY(doc.IsModified());

    QVERIFY(w.frame->SaveDocument(doc, false));
    CElixDoc back;
    QVERIFY(back.ReadModel(doc.PathName()));
    QCOMPARE(back.job.CMax, 8192u);
    QCOMPARE(back.job.Duration, 25e-6f);
}

ELASTRIX_GUI_TEST(MaterialBoundaryJobTest);

}  // namespace elix::test
