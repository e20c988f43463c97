// elastrix-screenshot MODEL.wmd OUT.png [WIDTH HEIGHT]
//
// Opens the model in the desktop program's main window, shows its materials
// in colour at 200 %, puts the mouse readout of a pixel in the status bar,
// and saves a picture of the window. The user's settings are not touched.
#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QStandardPaths>
#include <QThread>
#include <clocale>
#include <cstdio>

#include "app/main_frame.h"
#include "app/program_rules.h"
#include "model/elix_doc.h"
#include "view/elix_view.h"
#include "view/model_view_geometry.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Norvantech"));
    QCoreApplication::setApplicationName(QStringLiteral("Elastrix"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 5) {
        std::fputs("usage: elastrix-screenshot MODEL.wmd OUT.png [WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    const int width = args.size() == 5 ? args[3].toInt() : 1100;
    const int height = args.size() == 5 ? args[4].toInt() : 680;

    const std::string model = QFileInfo(args[1]).absoluteFilePath().toStdString();
    const std::string root = QFileInfo(args[1]).absolutePath().toStdString();
    elix::CMainFrame frame({root, root + "/Elastrix.dir", root + "/elix.log"}, elix::CDirectories::Defaults(root));
    frame.resize(width, height);
    frame.show();
    if (!frame.OpenModel(model)) return 1;
    frame.WithdrawMenuItems();
    frame.Execute(elix::Cmd::ShowMaterials);
    frame.Execute(elix::Cmd::Zoom200);
    // The model window sized to the zoomed image and its margins.
    const elix::CElixDoc& doc = *frame.ActiveDocument();
    const elix::PixelSize extent = elix::ModelScrollExtent(doc.image.ImageWidth, doc.image.ImageHeight, doc.zoom);
    frame.ActiveFrame()->setGeometry(12, 12, extent.width + 40, extent.height + 50);
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    // The readout of a pixel a third of the way into the image.
    elix::CElixView* view = frame.ActiveFrame()->View();
    const QImage& picture = view->Picture();
    view->TrackMouse(QPoint(elix::kViewLeftMargin + picture.width() * 2 / 3,
                            elix::kViewTopMargin + picture.height() * 2 / 3));
    QApplication::processEvents();
    if (!frame.grab().save(args[2])) {
        std::fprintf(stderr, "elastrix-screenshot: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    frame.ActiveDocument()->SetModifiedFlag(false);
    return 0;
}
