// The desktop program's main window, driven as a user would: menus and
// their enable rules, file choosers (scripted), zoom, the mouse readout,
// Set Directories, start-up, exit, and the unattended run.
#include "main_window_test.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/directories.h"
#include "app/elix_app.h"
#include "app/main_frame.h"
#include "app/path_dialog.h"
#include "geometry/item_colours.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "view/elix_view.h"
#include "view/model_view_geometry.h"
#include "view/zoom_dialog.h"

namespace elix::test {

namespace {

namespace fs = std::filesystem;

QStringList MenuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) titles << action->text();
    return titles;
}

// Every menu (and submenu) that holds the action.
int MenusHolding(const CMainFrame& frame, QAction* action) {
    int count = 0;
    for (QMenu* menu : frame.findChildren<QMenu*>()) count += menu->actions().contains(action) ? 1 : 0;
    return count;
}

}  // namespace

void MainWindowTest::init() { QSettings().clear(); }

void MainWindowTest::menuBarsFollowTheActiveModel() {
    Window w;
    QCOMPARE(MenuTitles(*w.frame), (QStringList{"&File", "&View", "&Help"}));
    w.frame->Execute(Cmd::FileNew);
    QCOMPARE(MenuTitles(*w.frame),
             (QStringList{"&File", "&View", "&Elix", "&Tools", "&Analysis", "&Window", "&Help"}));
    QCOMPARE(QString::fromStdString(w.Doc().Title()), QStringLiteral("Elix1"));
    QCOMPARE(w.frame->Action(Cmd::FileOpen)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(w.frame->Action(Cmd::SetDirectories)->statusTip(), QStringLiteral("Set Default Directories"));

    w.frame->Execute(Cmd::FileClose);  // not modified: no question
    QVERIFY(w.ui.yesNoCancelTexts.empty());
    QVERIFY(w.frame->Frames().empty());
    QCOMPARE(MenuTitles(*w.frame), (QStringList{"&File", "&View", "&Help"}));

    // Run Multi Jobs refuses while a model is open.
    w.frame->Execute(Cmd::FileNew);
    w.frame->Execute(Cmd::RunMultiJobs);
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("To run multi jobs, please close all opened documents then try again."));
}

void MainWindowTest::enableRulesFollowTheModel() {
    Window w;
    auto enabled = [&](Cmd id) {
        w.frame->UpdateCommandUI();
        return w.frame->Action(id)->isEnabled();
    };
    // No model: the model commands are off, the application's are on.
    QVERIFY(!enabled(Cmd::FileSave) && !enabled(Cmd::Zoom100) && !enabled(Cmd::MaterialProperty));
    QVERIFY(enabled(Cmd::FileNew) && enabled(Cmd::SetDirectories) && enabled(Cmd::About));

    // A new model has no geometry.
    w.frame->Execute(Cmd::FileNew);
    QVERIFY(enabled(Cmd::Zoom100) && enabled(Cmd::LoadGeometry));
    QVERIFY(!enabled(Cmd::ShowMaterials) && !enabled(Cmd::Comment) && !enabled(Cmd::ContrastEnhance));
    QVERIFY(!enabled(Cmd::SaveGeometry) && !enabled(Cmd::PcxExport));

    // A model with its geometry.
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    QVERIFY(enabled(Cmd::ShowMaterials) && enabled(Cmd::Comment) && enabled(Cmd::SaveGeometry));
    QVERIFY(enabled(Cmd::PcxExport) && enabled(Cmd::ContrastEnhance));
    QVERIFY(w.frame->Action(Cmd::ContrastEnhance)->isChecked());

    // Commands whose windows come later are off and say so.
    QVERIFY(enabled(Cmd::JobParameters) && enabled(Cmd::MaterialProperty) && enabled(Cmd::BoundaryCondition));
    QVERIFY(!enabled(Cmd::ElectrodeConfiguration));
    QVERIFY(w.frame->Action(Cmd::ElectrodeConfiguration)->statusTip().contains(QStringLiteral("not available")));

    // While the model runs, geometry commands are off, the Show commands and
    // the comment stay on, and its window does not close.
    w.Doc().SetRunning(true);
    QVERIFY(!enabled(Cmd::SaveGeometry) && !enabled(Cmd::LoadGeometry));
    QVERIFY(enabled(Cmd::ShowAll) && enabled(Cmd::Comment));
    QVERIFY(!w.frame->ActiveFrame()->close());
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("The Model is running. Please stop the process first."));
    w.frame->Execute(Cmd::FileClose);
    QCOMPARE(w.frame->Frames().size(), std::size_t{2});
    w.Doc().SetRunning(false);
}

void MainWindowTest::withdrawnItemsLeaveEveryMenu() {
    Window w;
    for (Cmd id : {Cmd::ElectrodeConfiguration, Cmd::ShowElectrodes}) QCOMPARE(MenusHolding(*w.frame, w.frame->Action(id)), 1);
    w.frame->WithdrawMenuItems();
    for (Cmd id : {Cmd::ElectrodeConfiguration, Cmd::ElectrodePairConfiguration, Cmd::ShowElectrodePairs,
                   Cmd::ShowElectrodes})
        QCOMPARE(MenusHolding(*w.frame, w.frame->Action(id)), 0);
    // The transducer designer stays offered; the other Show commands stay.
    QCOMPARE(MenusHolding(*w.frame, w.frame->Action(Cmd::TransducerDesigner)), 1);
    QCOMPARE(MenusHolding(*w.frame, w.frame->Action(Cmd::ShowAll)), 1);
}

void MainWindowTest::openAndSaveThroughTheFileChoosers() {
    Window w;
    const std::string model = w.Example("immersion");
    w.ui.script.files.push_back(model);
    w.frame->Execute(Cmd::FileOpen);
    QCOMPARE(w.frame->Frames().size(), std::size_t{1});
    const FileChooserRequest& open = w.ui.script.fileRequests.back();
    QCOMPARE(QString::fromStdString(open.filter), QString::fromUtf8(kModelFilter));
    QVERIFY(open.fileMustExist);
    QCOMPARE(open.startFolder, w.frame->Directories()[DirectoryKind::Model]);
    QCOMPARE(QString::fromStdString(w.Doc().Title()), QStringLiteral("immersion.wmd"));

    // The window shows the geometry at its size.
    const QImage& picture = w.frame->ActiveFrame()->View()->Picture();
    QCOMPARE(picture.width(), w.Doc().image.ImageWidth);
    QCOMPARE(picture.height(), w.Doc().image.ImageHeight);
    QCOMPARE(picture.pixelIndex(7, 100), int(w.Doc().image.Rows[100][7]));

    // Opening it again activates the open window.
    QVERIFY(w.frame->OpenModel(model));
    QCOMPARE(w.frame->Frames().size(), std::size_t{1});

    // Save As writes a model that opens again, and heads the recent files.
    const std::string copy = w.dir.Path("copy.wmd");
    w.ui.script.files.push_back(copy);
    w.Doc().comment = "saved by the window test";
    w.Doc().SetModifiedFlag();
    w.frame->Execute(Cmd::FileSaveAs);
    QVERIFY(!w.Doc().IsModified());
    QCOMPARE(QString::fromStdString(w.ui.script.fileRequests.back().defaultExtension), QStringLiteral("wmd"));
    QVERIFY(w.ui.script.fileRequests.back().confirmOverwrite);
    QCOMPARE(w.frame->RecentFiles().front(), copy);
    CElixDoc reread;
    QVERIFY(reread.ReadModel(copy));
    QCOMPARE(QString::fromStdString(reread.comment), QStringLiteral("saved by the window test"));

    // A file that is not a model is refused with the reader's message.
    const std::string junk = w.dir.Write("junk.wmd", "hello\n");
    QVERIFY(!w.frame->OpenModel(junk));
    QVERIFY(w.ui.script.LastText().find("is not a Elastrix/Elastrix Plus model") != std::string::npos);
    QCOMPARE(w.frame->Frames().size(), std::size_t{1});
}

void MainWindowTest::zoomIsSharedByTheViewsOfAModel() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    w.frame->Execute(Cmd::WindowNew);
    QCOMPARE(w.frame->Frames().size(), std::size_t{2});
    QCOMPARE(w.frame->Frames()[1]->windowTitle(), QStringLiteral("immersion.wmd:2"));

    w.frame->Execute(Cmd::Zoom150);
    QCOMPARE(w.Doc().zoom, 1.5f);
    WhenModal<CZoomDlg>([](CZoomDlg& dialog) {
        QCOMPARE(dialog.Field()->value(), 150);
        QCOMPARE(dialog.Field()->maximum(), 1000);
        QCOMPARE(dialog.Field()->minimum(), 1);
        dialog.Field()->setValue(250);
        dialog.accept();
    });
    w.frame->Execute(Cmd::ZoomOther);
    QCOMPARE(w.Doc().zoom, 2.5f);

    // Both views scroll over the zoomed image plus its margins.
    const PixelSize extent = ModelScrollExtent(w.Doc().image.ImageWidth, w.Doc().image.ImageHeight, 2.5);
    QCOMPARE(extent.width, kViewLeftMargin + 5 + int(w.Doc().image.ImageWidth * 2.5 + 0.5));
    for (CChildFrame* frame : w.frame->Frames()) {
        CElixView* view = frame->View();
        QCOMPARE(view->horizontalScrollBar()->maximum(),
                 std::max(0, extent.width - view->viewport()->width()));
    }
}

void MainWindowTest::mouseMoveShowsPixelAndMaterial() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    CElixView* view = w.frame->ActiveFrame()->View();
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);

    // Column 12, row 40 at 200 %: the mouse at the pixel's middle.
    w.frame->Execute(Cmd::Zoom200);
    const int column = 12, row = 40;
    view->TrackMouse(QPoint(kViewLeftMargin + 2 * column + 1, kViewTopMargin + 2 * row + 1));
    const int gray = doc.image.Rows[row][column];
    const double x = (2 * column + 1) / 2.0 * 0.0254 / doc.image.ResolutionX * 1000.0;
    const double y = (2 * row + 1) / 2.0 * 0.0254 / doc.image.ResolutionY * 1000.0;
    QCOMPARE(w.frame->PositionPane()->text(),
             QString::fromStdString(Format("%d (%d,%d)(x=%.2fmm,y=%.2fmm)", gray, column, row, x, y)));
    QCOMPARE(w.frame->SizePane()->text(), QString::fromStdString(NameOfGrayLevel(doc.Materials(), gray)));
    QVERIFY(w.frame->SizePane()->text() != QStringLiteral("Undefined"));

    // Left of the image nothing is shown.
    view->TrackMouse(QPoint(20, kViewTopMargin + 10));
    QVERIFY(w.frame->PositionPane()->text().isEmpty());

    // Show Materials paints each material's gray level in its list colour.
    w.frame->Execute(Cmd::ShowMaterials);
    QCOMPARE(QString::fromStdString(doc.DisplayCategory), QStringLiteral("MaterialProperties"));
    const QImage& picture = view->Picture();
    for (int k = 0; k < doc.Materials().Count(); ++k) {
        const ItemColour c = ItemColourAt(k);
        if (doc.Materials()[k].grayLevel < 255)
            QCOMPARE(picture.color(doc.Materials()[k].grayLevel), qRgb(c.red, c.green, c.blue));
    }
    w.frame->Execute(Cmd::ShowModel);
    QCOMPARE(view->Picture().color(gray), qRgb(gray, gray, gray));
}

void MainWindowTest::setDirectoriesWritesTheFileAndCreatesFolders() {
    CurrentDirectoryGuard guard;
    Window w;
    const std::string models = w.dir.Path("my models/2026 runs");
    WhenModal<CPathDlg>([&](CPathDlg& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Elix Path"));
        dialog.Field(DirectoryKind::Model)->setText(QString::fromStdString(models));
        dialog.accept();
    });
    w.ui.script.answers = {MessageAnswer::Yes};  // create the model folder
    w.frame->Execute(Cmd::SetDirectories);
    QVERIFY(fs::is_directory(models));
    QCOMPARE(w.frame->Directories()[DirectoryKind::Model], models);
    QVERIFY(fs::equivalent(fs::current_path(), models));

    // The file names every directory; read back it gives the same values.
    CDirectories reread = CDirectories::Defaults("/elsewhere");
    QVERIFY(ReadDirectoriesFile(w.frame->Paths().directoriesFile, reread));
    QVERIFY(reread.paths == w.frame->Directories().paths);

    // Cancel changes nothing.
    WhenModal<CPathDlg>([](CPathDlg& dialog) {
        dialog.Field(DirectoryKind::Model)->setText(QStringLiteral("/nowhere"));
        dialog.reject();
    });
    w.frame->Execute(Cmd::SetDirectories);
    QCOMPARE(w.frame->Directories()[DirectoryKind::Model], models);
}

void MainWindowTest::startUpChecksFoldersAndRefusesASecondInstance() {
    CurrentDirectoryGuard guard;
    TempDir dir;
    const std::string root = dir.Path("Elastrix 1.0");
    fs::create_directories(root + "/bin");
    ScriptedDesktopUi ui;
    // No to the first missing Data folder, Yes to the second: the other
    // Data directories then exist, and the library is asked about alone.
    ui.script.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::No};
    {
        CElixApp app(root + "/bin/elastrix", &ui);
        QVERIFY(app.InitInstance({}));
        const std::string data = "Folder '" + root + "/Data' does not exist. Create a new one?";
        const std::string library = "Folder '" + root + "/Library' does not exist. Create a new one?";
        std::vector<std::string> questions;
        for (const auto& shown : ui.script.shown)
            if (shown.style == MessageStyle::Question) questions.push_back(shown.text);
        QCOMPARE(questions, (std::vector<std::string>{data, data, library}));
        QVERIFY(fs::is_directory(root + "/Data"));
        QVERIFY(!fs::exists(root + "/Library"));
        QCOMPARE(app.MainFrame()->Frames().size(), std::size_t{1});  // a new model
        QCOMPARE(app.SplashTime(), 0);  // no splash without a screen

        ScriptedDesktopUi second;
        CElixApp other(root + "/bin/elastrix", &second);
        QVERIFY(!other.InitInstance({}));
        QCOMPARE(QString::fromStdString(second.script.LastText()), QString::fromUtf8(kSingleInstanceText));
        app.MainFrame()->SetBatchRun(true);
        app.MainFrame()->ActiveDocument()->SetModifiedFlag(false);
    }
    // Released with the first: a program in the file-system root may not start.
    ScriptedDesktopUi third;
    CElixApp rooted("/elastrix", &third);
    QVERIFY(!rooted.InitInstance({}));
    QCOMPARE(QString::fromStdString(third.script.LastText()),
             QStringLiteral("This program can not be launched from a root folder."));
}

void MainWindowTest::exitAsksAndRefusesWhileRunning() {
    Window w;
    w.frame->Execute(Cmd::FileNew);
    CElixDoc& doc = w.Doc();

    w.ui.script.answers = {MessageAnswer::No};
    QVERIFY(!w.frame->close());
    QCOMPARE(w.ui.script.shown.back().text, std::string("Are you sure you want to exit Elastrix?"));
    QCOMPARE(w.ui.script.shown.back().title, std::string("Elastrix"));

    doc.SetRunning(true);
    const std::size_t before = w.ui.script.shown.size();
    QVERIFY(!w.frame->close());
    QCOMPARE(w.ui.script.shown.size(), before + 1);  // no exit question
    QCOMPARE(QString::fromStdString(w.ui.script.LastText()),
             QStringLiteral("The Model is running. Please stop the process first."));
    doc.SetRunning(false);

    // A modified model: Cancel at its save prompt keeps the program open.
    doc.SetModifiedFlag();
    w.ui.script.answers = {MessageAnswer::Yes};
    w.ui.yesNoCancel = {MessageAnswer::Cancel};
    QVERIFY(!w.frame->close());
    QCOMPARE(w.ui.yesNoCancelTexts.back(), std::string("Save changes to Elix1?"));

    w.ui.script.answers = {MessageAnswer::Yes};
    w.ui.yesNoCancel = {MessageAnswer::No};
    QVERIFY(w.frame->close());
    QVERIFY(!w.frame->isVisible());
}

void MainWindowTest::commentEditorMarksOnlyChanges() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    CElixDoc& doc = w.Doc();
    const std::string original = doc.comment;
    w.ui.script.commentAfterEdit = original;  // OK without a change
    w.frame->Execute(Cmd::Comment);
    QVERIFY(!doc.IsModified());
    w.ui.script.commentAfterEdit = "A new note\r\nover two lines";
    w.frame->Execute(Cmd::Comment);
    QVERIFY(doc.IsModified());
    QCOMPARE(QString::fromStdString(doc.comment), QStringLiteral("A new note\r\nover two lines"));
    QCOMPARE(w.ui.script.editedComments.front(), original);

    // The Qt editor shows lines with '\n' and gives them back with CR LF.
    CCommentDlg dialog("one\r\ntwo", nullptr);
    QCOMPARE(dialog.Editor()->toPlainText(), QStringLiteral("one\ntwo"));
    QCOMPARE(dialog.Comment(), std::string("one\r\ntwo"));
}

void MainWindowTest::batchRunWithoutDisplayWritesReceiverFiles() {
    TempDir dir;
    const std::string model = CopyExample(dir, "immersion");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ELASTRIX_GUI_PATH),
                  {QStringLiteral("-r"), QString::fromStdString(model)});
    QVERIFY(program.waitForFinished(120000));
    QCOMPARE(program.exitCode(), 0);
    for (const char* file : {"echo.txt", "back_wall_gate.txt"}) QVERIFY(fs::file_size(dir.Path(file)) > 1000);
}

ELASTRIX_GUI_TEST(MainWindowTest);

}  // namespace elix::test
