// The geometry dialogs driven as a user would: Create Image, the Add
// dialogs with Repeat, Replace Pixel Value, the Wedge Dialog, Set
// Resolution, the user object file, and the default directories that the
// geometry choosers and the program-made files follow. Results are compared
// pixel for pixel with the core commands called directly.
#include "geometry_dialogs_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <numbers>

#include "app/directories.h"
#include "app/main_frame.h"
#include "geometry/add_ellipse_dialog.h"
#include "geometry/add_line_dialog.h"
#include "geometry/add_rect_dialog.h"
#include "geometry/add_user_object_dialog.h"
#include "geometry/image_resolution_dialog.h"
#include "geometry/new_image_dialog.h"
#include "geometry/pcx_codec.h"
#include "geometry/rect_array_dialog.h"
#include "geometry/replace_pixel_value_dialog.h"
#include "geometry/user_object_file.h"
#include "geometry/wedge_dialog.h"
#include "model/elix_doc.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

constexpr double kDegree = std::numbers::pi / 180.0;

// WhenModal, and the dialog is closed afterwards if a failed check left
// it open, so that the command returns and the failure is reported.
template <class T>
void OnModal(std::function<void(T&)> act) {
    WhenModal<T>([act](T& d) {
        act(d);
        if (d.isVisible()) d.reject();
    });
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void ClickOk(QDialog& dialog) {
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

void ClickCancel(QDialog& dialog) {
    QPushButton* cancel = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
}

// Create Image through its dialog: millimetres, pixel/mm, gray level.
void CreateImage(Window& w, const QString& widthMm, const QString& heightMm, const QString& pixelsPerMm,
                 const QString& gray) {
    OnModal<CNewImageDlg>([=](CNewImageDlg& d) {
        Type(d.widthMm, widthMm);
        Type(d.heightMm, heightMm);
        Type(d.pixelsPerMm, pixelsPerMm);
        Type(d.grayLevel, gray);
        ClickOk(d);
    });
    w.frame->Execute(Cmd::CreateImage);
}

std::string FileBytes(const std::string& path) { return ReadFileText(path); }

// Runs the test inside the window's folder, so that images made for an
// untitled model stay there.
struct InsideWindowFolder {
    CurrentDirectoryGuard guard;
    explicit InsideWindowFolder(const Window& w) { fs::current_path(w.dir.Root()); }
};

}  // namespace

void GeometryDialogsTest::drawnModelMatchesTheCoreCommands() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();

    // 24 mm x 15 mm at 10 pixel/mm: 240 x 150 pixels at 254 dpi.
    CreateImage(w, "24", "15", "10", "0");
    QCOMPARE(doc.image.ImageWidth, 240);
    QCOMPARE(doc.image.ImageHeight, 150);
    QCOMPARE(doc.image.ResolutionX, 254.0f);
    QCOMPARE(QString::fromStdString(doc.SizeText), QStringLiteral("W=24.00(mm),H=15.00(mm)"));
    QVERIFY(fs::exists(doc.WorkingFileName));

    // A rectangle of water (gray 1) over most of it.
    OnModal<CAddRectDlg>([](CAddRectDlg& d) {
        Type(d.startX, "2");
        Type(d.startY, "3");
        Type(d.rectWidth, "20");
        Type(d.rectHeight, "10");
        Type(d.thetaDegrees, "0");
        Type(d.grayLevel, "1");
        Type(d.target.lower, "0");
        Type(d.target.upper, "255");
        ClickOk(d);
    });
    w.frame->Execute(Cmd::AddRectangle);

    // Holes (gray 255) in the water only, repeated 3 rows x 2 columns.
    OnModal<CAddEllipseDlg>([](CAddEllipseDlg& d) {
        Type(d.xc, "5");
        Type(d.yc, "5.5");
        Type(d.major, "1.5");
        Type(d.minor, "1");
        Type(d.thetaDegrees, "20");
        Type(d.grayLevel, "255");
        Type(d.target.lower, "1");
        Type(d.target.upper, "1");
        OnModal<CRectArrayDlg>([](CRectArrayDlg& r) {
            Type(r.rows, "3");
            Type(r.columns, "2");
            Type(r.spaceInRow, "3");
            Type(r.spaceInColumn, "6");
            Type(r.angle, "10");
            ClickOk(r);
        });
        QTest::mouseClick(d.repeatButton, Qt::LeftButton);
        QVERIFY(d.repeatSummary->text().startsWith(QStringLiteral("3 row(s) x 2 column(s)")));
        ClickOk(d);
    });
    w.frame->Execute(Cmd::AddEllipse);

    // The dry rest becomes gray 2, then a 30 degree wedge on the top edge.
    OnModal<CReplacePixelValueDlg>([](CReplacePixelValueDlg& d) {
        Type(d.from, "0");
        Type(d.to, "0");
        Type(d.newValue, "2");
        ClickOk(d);
    });
    w.frame->Execute(Cmd::ReplacePixelValue);
    OnModal<CWedgeDlg>([](CWedgeDlg& d) {
        d.location->setCurrentText(QStringLiteral("Top"));
        Type(d.size, "10");
        Type(d.centerOffset, "2");
        Type(d.theta, "30");
        Type(d.grayLevel, "1");
        QTest::mouseClick(d.addButton, Qt::LeftButton);
    });
    w.frame->Execute(Cmd::WedgeEdit);

    // Every change was confirmed.
    const std::vector<std::string> texts = w.ui.Texts();
    QCOMPARE(std::count(texts.begin(), texts.end(), "Image Will Be Changed, Continue?"), 2L);
    QCOMPARE(std::count(texts.begin(), texts.end(), "Pixel values will be changed, Continue?"), 1L);

    // The same model made with the core commands directly.
    CElixDoc ref;
    ref.SetPathName(w.dir.Path("ref/ref.wmd"));
    fs::create_directories(w.dir.Path("ref"));
    const auto dpi = static_cast<float>(10 * 1000.0 * kMetresPerInch);
    QVERIFY(ref.CreateImage(240, 150, dpi, dpi, 0));
    QVERIFY(ref.PaintRectangle(2 / 1000.0, 3 / 1000.0, 20 / 1000.0, 10 / 1000.0, 0 * kDegree, 1, 0, 255));
    RepeatValues repeat{3, 2, 3 / 1000.0, 6 / 1000.0, 10.0};
    QVERIFY(ForEachRepeatShift(repeat, [&](double dx, double dy) {
        return ref.PaintEllipse(5 / 1000.0 + dx, 5.5 / 1000.0 + dy, 1.5 / 1000.0, 1 / 1000.0, 20 * kDegree, 255, 1, 1);
    }));
    QVERIFY(ref.ReplacePixelRange(0, 0, 2));
    QVERIFY(ref.AddWedge("Top", 10 / 1000.0, 2 / 1000.0, 30, false, 1, false));

    // Six holes, a wedge 10 mm x tan 30 deg = 58 rows deep.
    QCOMPARE(doc.image.ImageHeight, 150 + 58);
    QCOMPARE(doc.image.Rows, ref.image.Rows);

    // PCX Export writes those pixels; the working file holds them too.
    const std::string exported = w.dir.Path("drawn.pcx");
    w.ui.script.files = {exported};
    w.frame->Execute(Cmd::PcxExport);
    DecodedImage fromExport, fromWorking;
    QVERIFY(ReadPcx(exported, fromExport));
    QVERIFY(ReadGeo(doc.WorkingFileName, fromWorking));
    QCOMPARE(fromExport.rows, ref.image.Rows);
    QCOMPARE(fromWorking.rows, ref.image.Rows);
    QCOMPARE(QString::fromStdString(doc.ImageFileName), QStringLiteral("None"));
    QVERIFY(doc.GeometryModified);
}

void GeometryDialogsTest::cancelAndNoChangeNothing() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    CreateImage(w, "5", "4", "10", "7");
    QCOMPARE(doc.image.ImageWidth, 50);
    const ImageRows before = doc.image.Rows;
    const std::string working = doc.WorkingFileName;
    const std::string bytes = FileBytes(working);

    // No at the confirmation gives back the image and the file as they were.
    w.ui.script.answers = {MessageAnswer::No};
    OnModal<CAddRectDlg>([](CAddRectDlg& d) {
        Type(d.rectWidth, "3");
        Type(d.rectHeight, "3");
        Type(d.grayLevel, "9");
        ClickOk(d);
    });
    w.frame->Execute(Cmd::AddRectangle);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("Image Will Be Changed, Continue?"));
    QCOMPARE(doc.image.Rows, before);
    QCOMPARE(FileBytes(working), bytes);

    // Cancel in the dialog asks nothing and changes nothing.
    const std::size_t shown = w.ui.script.shown.size();
    OnModal<CAddLineDlg>([](CAddLineDlg& d) {
        Type(d.x2, "4");
        Type(d.thickness, "1");
        ClickCancel(d);
    });
    w.frame->Execute(Cmd::AddLayer);
    QCOMPARE(w.ui.script.shown.size(), shown);
    QCOMPARE(doc.image.Rows, before);

    w.ui.script.answers = {MessageAnswer::No};
    OnModal<CReplacePixelValueDlg>([](CReplacePixelValueDlg& d) {
        Type(d.from, "7");
        Type(d.to, "3");  // below From: only 7 is replaced
        Type(d.newValue, "8");
        ClickOk(d);
    });
    w.frame->Execute(Cmd::ReplacePixelValue);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("Pixel values will be changed, Continue?"));
    QCOMPARE(doc.image.Rows, before);

    // No to replacing the image keeps it; the dialog is not shown.
    bool dialogShown = false;
    w.ui.script.answers = {MessageAnswer::No};
    OnModal<CNewImageDlg>([&dialogShown](CNewImageDlg& d) {
        dialogShown = true;
        ClickCancel(d);
    });
    w.frame->Execute(Cmd::CreateImage);
    QTest::qWait(0);
    QVERIFY(!dialogShown);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("New image will replace the current image, continue?"));
    QCOMPARE(doc.WorkingFileName, working);
    QCOMPARE(doc.image.Rows, before);

    // The remembered values come back the next time, and Yes applies them.
    OnModal<CReplacePixelValueDlg>([](CReplacePixelValueDlg& d) {
        QCOMPARE(d.from->text(), QStringLiteral("7"));
        QCOMPARE(d.newValue->text(), QStringLiteral("8"));
        ClickOk(d);
    });
    w.frame->Execute(Cmd::ReplacePixelValue);
    QCOMPARE(int(doc.image.Rows[3][3]), 8);
    QVERIFY(FileBytes(working) != bytes);
}

void GeometryDialogsTest::badFieldsAreRefusedAndKeepTheDialogOpen() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    CreateImage(w, "5", "5", "10", "0");
    const ImageRows before = doc.image.Rows;

    OnModal<CAddRectDlg>([&w](CAddRectDlg& d) {
        const struct {
            QLineEdit* edit;
            QString text;
            QString message;
        } cases[] = {
            {d.rectWidth, "abc", "Please enter a number between 0 and 1e+20."},
            {d.rectWidth, "-1", "Please enter a number between 0 and 1e+20."},
            {d.thetaDegrees, "400", "Please enter a number between -360 and 360."},
            {d.grayLevel, "12.5", "Please enter a number between 0 and 255."},
            {d.target.upper, "256", "Please enter a number between 0 and 255."},
        };
        Type(d.rectWidth, "1");
        Type(d.rectHeight, "1");
        for (const auto& c : cases) {
            const QString good = c.edit->text();
            Type(c.edit, c.text);
            ClickOk(d);
            QVERIFY2(d.isVisible(), qPrintable(c.text));
            QCOMPARE(QString::fromStdString(w.ui.script.LastText()), c.message);
            QCOMPARE(d.focusWidget(), static_cast<QWidget*>(c.edit));
            Type(c.edit, good);
        }
        ClickCancel(d);
    });
    w.frame->Execute(Cmd::AddRectangle);
    QCOMPARE(doc.image.Rows, before);

    // Create Image refuses a zero size before anything is replaced.
    const std::string working = doc.WorkingFileName;
    OnModal<CNewImageDlg>([&w](CNewImageDlg& d) {
        QCOMPARE(d.pixelSize->text(), QStringLiteral("200 x 200 pixels, 254.00 dpi"));
        Type(d.widthMm, "0");
        ClickOk(d);
        QVERIFY(d.isVisible());
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
                 QStringLiteral("Please enter a number between 1e-20 and 1e+20."));
        ClickCancel(d);
    });
    w.frame->Execute(Cmd::CreateImage);
    QCOMPARE(doc.WorkingFileName, working);
    QCOMPARE(doc.image.Rows, before);
}

void GeometryDialogsTest::userObjectFilesAreCheckedAndPainted() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    CreateImage(w, "10", "10", "10", "0");
    const ImageRows before = doc.image.Rows;
    const std::string bytes = FileBytes(doc.WorkingFileName);

    // 1025 numbers: too many.
    std::string numbers;
    for (int k = 0; k < 1025; ++k) numbers += "1 ";
    const std::string tooLong = w.dir.Write("long.txt", numbers);
    w.ui.script.files = {tooLong};
    OnModal<CAddUserObjectDlg>([](CAddUserObjectDlg& d) {
        QVERIFY(!d.thickness->isEnabled());  // Closed Area is on
        d.closedArea->click();
        QVERIFY(d.thickness->isEnabled());
        d.closedArea->click();
        QTest::mouseClick(d.objectFileButton, Qt::LeftButton);
        QVERIFY(d.objectFileName->text().endsWith(QStringLiteral("long.txt")));
        ClickOk(d);
    });
    w.frame->Execute(Cmd::AddUserObject);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QString::fromStdString("User object file '" + tooLong + "' has too many points or wrong format."));
    QCOMPARE(doc.image.Rows, before);
    QCOMPARE(FileBytes(doc.WorkingFileName), bytes);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.dir.Path(""));

    // A triangle in millimetres, turned and moved, painted twice.
    const std::string triangle = w.dir.Write("triangle.txt", "1 1\n6 1\n3 5\n");
    w.ui.script.files = {triangle};
    OnModal<CAddUserObjectDlg>([](CAddUserObjectDlg& d) {
        QTest::mouseClick(d.objectFileButton, Qt::LeftButton);
        Type(d.theta, "15");
        Type(d.xOffset, "0.5");
        Type(d.yOffset, "1");
        Type(d.xScale, "0.001");
        Type(d.yScale, "0.001");
        Type(d.grayLevel, "40");
        OnModal<CRectArrayDlg>([](CRectArrayDlg& r) {
            Type(r.columns, "2");
            Type(r.spaceInColumn, "3.5");
            ClickOk(r);
        });
        QTest::mouseClick(d.repeatButton, Qt::LeftButton);
        ClickOk(d);
    });
    w.frame->Execute(Cmd::AddUserObject);

    CElixDoc ref;
    ref.SetPathName(w.dir.Path("ref.wmd"));
    const auto dpi = static_cast<float>(10 * 1000.0 * kMetresPerInch);
    QVERIFY(ref.CreateImage(100, 100, dpi, dpi, 0));
    UserObjectPoints points;
    std::string message;
    QVERIFY(ReadUserObjectFile(triangle, points, message));
    const UserObjectPoints placed =
        TransformUserObject(points, {15 * kDegree, 0.001, 0.001, 0.5 / 1000.0, 1 / 1000.0});
    QVERIFY(ForEachRepeatShift({1, 2, 0.0, 3.5 / 1000.0, 0.0}, [&](double dx, double dy) {
        std::vector<double> xs = placed.xs, ys = placed.ys;
        for (double& x : xs) x += dx;
        for (double& y : ys) y += dy;
        return ref.PaintPolygon(xs, ys, true, 0.0, 40, 0, 255);
    }));
    QCOMPARE(doc.image.Rows, ref.image.Rows);
    QVERIFY(doc.image.Rows != before);
}

void GeometryDialogsTest::setResolutionKeepsThePixels() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    CreateImage(w, "20", "20", "10", "3");
    const ImageRows before = doc.image.Rows;
    const std::string oldWorking = doc.WorkingFileName;
    OnModal<CImageResolutionDlg>([](CImageResolutionDlg& d) {
        QCOMPARE(d.pixelsPerMm->text(), QStringLiteral("10"));
        Type(d.pixelsPerMm, "20");
        QCOMPARE(d.objectSize->text(), QStringLiteral("200 x 200 pixels: 10.00 mm x 10.00 mm"));
        ClickOk(d);
    });
    w.frame->Execute(Cmd::SetResolution);
    QCOMPARE(doc.image.Rows, before);
    QCOMPARE(doc.image.ResolutionX, 508.0f);
    QCOMPARE(QString::fromStdString(doc.SizeText), QStringLiteral("W=10.00(mm),H=10.00(mm)"));
    QVERIFY(!fs::exists(oldWorking));
    DecodedImage working;
    QVERIFY(ReadGeo(doc.WorkingFileName, working));
    QCOMPARE(working.resolutionY, 508.0f);
}

void GeometryDialogsTest::wedgeDialogStaysOpenAfterAFailure() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();
    CreateImage(w, "2", "2", "10", "0");
    const ImageRows before = doc.image.Rows;
    // Trimming 2 mm x tan 60 deg = 35 rows off a 20-row image empties it:
    // refused, the dialog stays; then a Left wedge of 2 mm at 45 deg.
    OnModal<CWedgeDlg>([&w](CWedgeDlg& d) {
        d.location->setCurrentText(QStringLiteral("Bottom"));
        Type(d.size, "2");
        Type(d.centerOffset, "0");
        d.flip->setChecked(false);
        Type(d.theta, "60");
        QTest::mouseClick(d.deleteButton, Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()), QStringLiteral("Unable to resize the buffer"));
        Type(d.theta, "90");
        QTest::mouseClick(d.addButton, Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
                 QStringLiteral("Please enter a number between 0 and 89.999."));
        d.location->setCurrentText(QStringLiteral("Left"));
        Type(d.theta, "45");
        Type(d.grayLevel, "5");
        QTest::mouseClick(d.addButton, Qt::LeftButton);
    });
    w.frame->Execute(Cmd::WedgeEdit);
    QCOMPARE(doc.image.ImageWidth, 40);
    QCOMPARE(doc.image.ImageHeight, 20);
    QCOMPARE(int(doc.image.Rows[0][19]), 5);     // at the old edge, the wedge is there...
    QCOMPARE(int(doc.image.Rows[10][20]), 0);    // ...and the old image follows it
    DecodedImage working;
    QVERIFY(ReadGeo(doc.WorkingFileName, working));
    QCOMPARE(working.rows, doc.image.Rows);

    // Cancel leaves it as it is.
    const ImageRows wedged = doc.image.Rows;
    OnModal<CWedgeDlg>([](CWedgeDlg& d) {
        QCOMPARE(d.location->currentText(), QStringLiteral("Left"));  // remembered
        QTest::mouseClick(d.cancelButton, Qt::LeftButton);
    });
    w.frame->Execute(Cmd::WedgeEdit);
    QCOMPARE(doc.image.Rows, wedged);
    QVERIFY(before != wedged);
}

void GeometryDialogsTest::choosersAndMadeFilesFollowTheDirectoriesFile() {
    Window w;
    InsideWindowFolder inside(w);
    const std::string model = w.Example("immersion");
    QVERIFY(w.frame->OpenModel(model));
    CElixDoc& doc = w.Doc();
    const std::string beside = w.dir.Path("");

    // Without a directories file the choosers start beside the model.
    w.frame->Execute(Cmd::LoadGeometry);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, beside);
    w.frame->Execute(Cmd::PcxExport);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, beside);

    // A directories file naming other folders (Set Directories writes it).
    CDirectories& dirs = w.frame->Directories();
    dirs[DirectoryKind::Geometry] = w.dir.Path("geometry");
    dirs[DirectoryKind::Pcx] = w.dir.Path("pictures");
    fs::create_directories(dirs[DirectoryKind::Geometry]);
    fs::create_directories(dirs[DirectoryKind::Pcx]);
    QVERIFY(!w.frame->DirectoriesInForce());
    QVERIFY(WriteDirectoriesFile(w.frame->Paths().directoriesFile, dirs));
    QVERIFY(w.frame->DirectoriesInForce() == &dirs);

    w.frame->Execute(Cmd::LoadGeometry);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.dir.Path("geometry/"));
    QCOMPARE(w.ui.script.fileRequests.back().filter,
             std::string("GEO or PCX Files (*.geo,*.pcx)|*.geo;*.pcx|All Files (*.*)|*.*||"));
    w.frame->Execute(Cmd::PcxExport);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.dir.Path("pictures/"));
    w.frame->Execute(Cmd::PcxImport);
    QCOMPARE(w.ui.script.fileRequests.back().startFolder, w.dir.Path("pictures/"));

    // An image made inside the program lands in the geometry directory.
    CreateImage(w, "3", "3", "10", "0");
    QCOMPARE(QString::fromStdString(fs::path(doc.WorkingFileName).parent_path().string()),
             QString::fromStdString(w.dir.Path("geometry")));
    QVERIFY(fs::exists(doc.WorkingFileName));
}

void GeometryDialogsTest::commandsFollowTheirEnableRules() {
    Window w;
    InsideWindowFolder inside(w);
    w.frame->Execute(Cmd::FileNew);
    const Cmd needImage[] = {Cmd::AddRectangle, Cmd::AddEllipse,     Cmd::AddLayer,  Cmd::AddUserObject,
                             Cmd::SetResolution, Cmd::ReplacePixelValue, Cmd::WedgeEdit, Cmd::BmpExport};
    w.frame->UpdateCommandUI();
    QVERIFY(w.frame->Action(Cmd::CreateImage)->isEnabled());
    QVERIFY(w.frame->Action(Cmd::PcxImport)->isEnabled());
    for (Cmd id : needImage) QVERIFY(!w.frame->Action(id)->isEnabled());
    CreateImage(w, "2", "2", "10", "0");
    w.frame->UpdateCommandUI();
    for (Cmd id : needImage) QVERIFY(w.frame->Action(id)->isEnabled());
    // The Geometry menu holds Create Image and the Add commands.
    const QList<QAction*> geometry = w.frame->GeometryMenu()->actions();
    for (Cmd id : {Cmd::CreateImage, Cmd::AddRectangle, Cmd::AddEllipse, Cmd::AddLayer, Cmd::AddUserObject})
        QVERIFY(geometry.contains(w.frame->Action(id)));
    // While a run goes on only the exports stay.
    w.Doc().SetRunning(true);
    w.frame->UpdateCommandUI();
    QVERIFY(!w.frame->Action(Cmd::CreateImage)->isEnabled());
    QVERIFY(!w.frame->Action(Cmd::AddRectangle)->isEnabled());
    QVERIFY(!w.frame->Action(Cmd::WedgeEdit)->isEnabled());
    QVERIFY(w.frame->Action(Cmd::BmpExport)->isEnabled());
    QVERIFY(w.frame->Action(Cmd::PcxExport)->isEnabled());
    const ImageRows rows = w.Doc().image.Rows;
    w.frame->Execute(Cmd::AddRectangle);  // refused: no dialog, nothing painted
    QCOMPARE(w.Doc().image.Rows, rows);
    w.Doc().SetRunning(false);
}

// Pictures of the main dialogs for the manual: only with
// ELASTRIX_SCREENS_DIR naming the folder to write them to.
void GeometryDialogsTest::screenshots() {
    if (ScreensFolder().isEmpty()) QSKIP("set ELASTRIX_SCREENS_DIR to write the dialog pictures");
    const auto save = [](QDialog& d, const char* name) {
        QVERIFY(SavePicture(d, QLatin1String(name)));
        d.close();
    };
    const FieldReport none;
    CNewImageDlg newImage(NewImageValues{}, none);
    save(newImage, "CNewImageDlg");
    CImageResolutionDlg resolution(10.0, 200, 200, none);
    save(resolution, "CImageResolutionDlg");
    AddRectangleValues rect;
    rect.width = 0.02;
    rect.height = 0.01;
    rect.repeat = {3, 2, 0.003, 0.006, 10.0};
    CAddRectDlg addRect(rect, none);
    save(addRect, "CAddRectDlg");
    CAddEllipseDlg addEllipse(AddEllipseValues{}, none);
    save(addEllipse, "CAddEllipseDlg");
    CAddLineDlg addLine(AddLayerValues{}, none);
    save(addLine, "CAddLineDlg");
    AddUserObjectValues object;
    object.objectFile = "/home/user/models/hole.txt";
    CAddUserObjectDlg addObject(object, {}, none);
    save(addObject, "CAddUserObjectDlg");
    CRectArrayDlg repeat(rect.repeat, none);
    save(repeat, "CRectArrayDlg");
    CReplacePixelValueDlg replace(ReplacePixelValues{}, none);
    save(replace, "CReplacePixelValueDlg");
    WedgeValues wedge;
    wedge.size = 0.01;
    wedge.thetaDegrees = 30;
    CWedgeDlg wedgeDialog(wedge, {}, none);
    save(wedgeDialog, "CWedgeDlg");
}

ELASTRIX_GUI_TEST(GeometryDialogsTest);

}  // namespace elix::test
