// Help Topics and F1: the manual's pages in the program's help window.
#include "help_test.h"

#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

#include "app/help_system.h"
#include "app/help_window.h"
#include "app/main_frame.h"
#include "app/multi_jobs_dlg.h"
#include "app/path_dialog.h"
#include "app/qt_user_interface.h"
#include "platform/text_format.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"

namespace elix::test {

namespace {

const QString kManual = QStringLiteral(ELASTRIX_SOURCE_DIR "/docs/manual");

QString FileName(const QUrl& url) { return QFileInfo(url.toLocalFile()).fileName(); }

}  // namespace

void HelpTest::pageNamesFollowTheClass() {
    QCOMPARE(HelpPageName("elix::CZoomDlg"), std::string("CZoomDlg.html"));
    QCOMPARE(HelpPageName("CMainFrame"), std::string("CMainFrame.html"));
    QCOMPARE(HelpPageName("a::b::CPathDlg"), std::string("CPathDlg.html"));
    QCOMPARE(ManualFolderOf("/opt/elastrix"), std::string("/opt/elastrix/share/doc/elastrix/manual"));
    // The class's own page, else its base's, else the contents.
    QCOMPARE(QFileInfo(HelpPageFor(CZoomDlg::staticMetaObject, kManual)).fileName(), QStringLiteral("CZoomDlg.html"));
    QCOMPARE(QFileInfo(HelpPageFor(CUndocumentedZoomDlg::staticMetaObject, kManual)).fileName(),
             QStringLiteral("CZoomDlg.html"));
    QCOMPARE(QFileInfo(HelpPageFor(QDialog::staticMetaObject, kManual)).fileName(), QStringLiteral("index.html"));
}

void HelpTest::helpTopicsShowsTheContentsPage() {
    Window w;
    CHelpSystem& help = HelpSystemOf(*w.frame);
    QCOMPARE(&HelpSystemOf(*w.frame), &help);  // one per main window
    // The installation's own manual folder, then the source tree's pages.
    QCOMPARE(help.ManualFolder(), QString::fromStdString(w.dir.Root() + "/share/doc/elastrix/manual"));
    help.SetManualFolder(kManual);
    QVERIFY(w.frame->Action(Cmd::HelpTopics)->isEnabled());
    w.frame->Action(Cmd::HelpTopics)->trigger();
    CHelpWindow* window = help.HelpWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(FileName(window->CurrentPage()), QStringLiteral("index.html"));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Elastrix")));
    QVERIFY(window->Browser()->toPlainText().contains(QStringLiteral("Tutorial")));
    // A link of the contents page leads to its page; Back returns.
    window->Browser()->setSource(window->CurrentPage().resolved(QUrl(QStringLiteral("tutorial.html"))));
    QCOMPARE(FileName(window->CurrentPage()), QStringLiteral("tutorial.html"));
    window->Browser()->backward();
    QCOMPARE(FileName(window->CurrentPage()), QStringLiteral("index.html"));
    // A second Help Topics reuses the window.
    w.frame->Execute(Cmd::HelpTopics);
    QCOMPARE(help.HelpWindow(), window);
    QVERIFY(w.ui.Texts().empty());
}

void HelpTest::f1InAModalDialogShowsItsPageBesideIt() {
    Window w;
    HelpSystemOf(*w.frame).SetManualFolder(kManual);
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    QString shownPage;
    bool usable = false;
    WhenModal<CZoomDlg>([&](CZoomDlg& dialog) {
        QTest::keyClick(dialog.Field(), Qt::Key_F1);
        auto* help = dialog.findChild<CHelpWindow*>();
        if (help) {
            shownPage = FileName(help->CurrentPage());
            // A child window of the modal dialog: the dialog's modality
            // does not block it, and it closes with the dialog.
            usable = help->isVisible() && help->parentWidget() == &dialog && help->isWindow();
        }
        dialog.reject();
    });
    w.frame->Execute(Cmd::ZoomOther);
    QCOMPARE(shownPage, QStringLiteral("CZoomDlg.html"));
    QVERIFY(usable);
    // F1 was the help's: the zoom is unchanged and nothing else was shown.
    QCOMPARE(w.Doc().zoom, 1.0);
    QVERIFY(w.ui.Texts().empty());
}

// A dialog's own Help button opens its page like F1 does (the Multi Jobs
// panel stands for every dialog with one).
void HelpTest::helpButtonsOpenTheirDialogsPage() {
    Window w;
    HelpSystemOf(*w.frame).SetManualFolder(kManual);
    QString shownPage;
    WhenModal<CMultiJobsDlg>([&](CMultiJobsDlg& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("&Help")) QTest::mouseClick(button, Qt::LeftButton);
        if (auto* help = dialog.findChild<CHelpWindow*>()) shownPage = FileName(help->CurrentPage());
        dialog.reject();
    });
    w.frame->Execute(Cmd::RunMultiJobs);
    QCOMPARE(shownPage, QStringLiteral("CMultiJobsDlg.html"));
    QVERIFY(w.ui.Texts().empty());
}

void HelpTest::f1InTheMainWindowShowsItsPage() {
    Window w;
    CHelpSystem& help = HelpSystemOf(*w.frame);
    help.SetManualFolder(kManual);
    QTest::keyClick(w.frame.get(), Qt::Key_F1);
    QVERIFY(help.HelpWindow());
    QCOMPARE(FileName(help.HelpWindow()->CurrentPage()), QStringLiteral("CMainFrame.html"));
    // Shift+F1 is not the help key.
    help.HelpWindow()->close();
    help.HelpWindow()->ShowPage(kManual + QStringLiteral("/index.html"));
    QTest::keyClick(w.frame.get(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(FileName(help.HelpWindow()->CurrentPage()), QStringLiteral("index.html"));
    QVERIFY(!help.HelpWindow()->isVisible());
}

void HelpTest::aMissingManualIsReported() {
    Window w;
    CHelpSystem& help = HelpSystemOf(*w.frame);
    w.frame->Execute(Cmd::HelpTopics);  // the temporary installation has no manual
    QTest::keyClick(w.frame.get(), Qt::Key_F1);
    const std::string index = w.dir.Root() + "/share/doc/elastrix/manual/index.html";
    const std::vector<std::string> expected(2, Format(kNoManualText, index));
    QCOMPARE(w.ui.Texts(), expected);
    QVERIFY(!help.HelpWindow());
}

// Pictures of the help window and of the small dialogs of the main window
// for their manual pages.
void HelpTest::screenshots() {
    if (ScreensFolder().isEmpty()) QSKIP("set ELASTRIX_SCREENS_DIR to write the help window's pictures");
    CHelpWindow help(kManual + QStringLiteral("/index.html"));
    help.ShowPage(kManual + QStringLiteral("/tutorial.html"));
    help.resize(760, 560);
    QVERIFY(SavePicture(help, QStringLiteral("CHelpWindow"), false));
    CZoomDlg zoom(1.5);
    QVERIFY(SavePicture(zoom, QStringLiteral("CZoomDlg")));
    CPathDlg paths(CDirectories::Defaults("/opt/elastrix"));
    QVERIFY(SavePicture(paths, QStringLiteral("CPathDlg")));
    CCommentDlg comment("Pulse-echo inspection of a 40 mm steel block\nwith a side-drilled hole.", nullptr);
    QVERIFY(SavePicture(comment, QStringLiteral("CCommentDlg")));
}

ELASTRIX_GUI_TEST(HelpTest);

}  // namespace elix::test
