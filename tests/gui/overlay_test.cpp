// The model view's overlay and mouse editing, driven with the mouse: a
// receiver dragged in the Receivers view lands in the saved model file, the
// size pane follows the drag, and Show All paints the items in their
// colours. With ELASTRIX_SCREENS_DIR set, the Show All views of the
// examples are saved there as pictures.
#include "overlay_test.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/main_frame.h"
#include "model/elix_doc.h"
#include "support/gui_test_registry.h"
#include "support/gui_window.h"
#include "view/elix_view.h"
#include "view/model_view_geometry.h"
#include "view/overlay.h"

namespace elix::test {

namespace {

// The viewport position of a point in metres at the document's zoom, the
// view scrolled to its top-left corner.
QPoint ViewportPoint(const CElixDoc& doc, double x, double y) {
    const ScreenPoint p = MapToScreen(doc, x, y, doc.zoom);
    return {p.x, p.y};
}

CElixView* TopLeftView(Window& w) {
    CElixView* view = w.frame->ActiveFrame()->View();
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    return view;
}

// Whether some pixel within two of p has the colour.
bool ColourNear(const QImage& picture, QPoint p, QRgb colour) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (picture.valid(p.x() + dx, p.y() + dy) && picture.pixel(p.x() + dx, p.y() + dy) == colour) return true;
    return false;
}

void SaveScreen(Window& w, const char* name) {
    if (ScreensFolder().isEmpty()) return;
    const CElixDoc& doc = w.Doc();
    const PixelSize extent = ModelScrollExtent(doc.image.ImageWidth, doc.image.ImageHeight, doc.zoom);
    w.frame->resize(extent.width + 120, extent.height + 200);
    w.frame->ActiveFrame()->setGeometry(8, 8, extent.width + 40, extent.height + 50);
    QApplication::processEvents();
    QVERIFY(SavePicture(*w.frame, QLatin1String(name), false));
}

}  // namespace

void OverlayEditingTest::init() { QSettings().clear(); }

void OverlayEditingTest::draggingAReceiverSavesItsNewSegment() {
    Window w;
    const std::string path = w.Example("immersion");
    QVERIFY(w.frame->OpenModel(path));
    CElixDoc& doc = w.Doc();
    w.frame->Execute(Cmd::ShowReceivers);
    w.frame->Execute(Cmd::Zoom150);
    CElixView* view = TopLeftView(w);
    QWidget* viewport = view->viewport();
    QCOMPARE(doc.Receivers()[0].name, std::string("Transducer Echo"));
    const CReceiver before = doc.Receivers()[0];
    const CSource source = doc.Sources()[0];

    // Grab the first receiver's second end point a little off the point
    // and drag it 5 mm down into the water and 2 mm to the right.
    const double x2 = before.x2 + 0.002, y2 = before.y2 + 0.005;
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, ViewportPoint(doc, before.x2 + 0.0003, before.y2));
    QVERIFY(view->EditState().dragging);
    QCOMPARE(view->EditState().selectedEnd, std::int16_t{1});
    QTest::mouseMove(viewport, ViewportPoint(doc, x2, y2));
    const double length = std::hypot(x2 - before.x1, y2 - before.y1);
    QCOMPARE(w.frame->SizePane()->text(), QString::asprintf("Receiver Size = %.2fmm", length * 1000.0));
    QVERIFY(doc.IsModified());

    // The cross follows the grabbed end while the button is held.
    QImage picture = viewport->grab().toImage();
    const QPoint end = ViewportPoint(doc, x2, y2);
    QCOMPARE(picture.pixel(end + QPoint(4, 0)), qRgb(255, 0, 0));
    SaveScreen(w, "overlay_drag");
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
    QVERIFY(!view->EditState().dragging);
    // Moving on without the button changes nothing more.
    QTest::mouseMove(viewport, end + QPoint(30, 30));
    QCOMPARE(doc.Receivers()[0].x2, static_cast<float>(x2));
    QCOMPARE(doc.Receivers()[0].y2, static_cast<float>(y2));

    // The line runs to its new end, in the first item colour, and the
    // legend has a row per receiver.
    picture = viewport->grab().toImage();
    const QPoint mid = ViewportPoint(doc, (before.x1 + x2) / 2.0, (before.y1 + y2) / 2.0);
    QVERIFY(ColourNear(picture, mid, qRgb(255, 0, 0)));
    QCOMPARE(picture.pixel(10, 55), qRgb(0, 255, 0));  // swatch of row 2

    w.frame->Execute(Cmd::FileSave);
    QVERIFY(!doc.IsModified());
    CElixDoc saved;
    QVERIFY(saved.ReadModel(path));
    QCOMPARE(saved.Receivers().Count(), std::int16_t{2});
    const CReceiver& moved = saved.Receivers()[0];
    QCOMPARE(moved.x1, before.x1);
    QCOMPARE(moved.y1, before.y1);
    QVERIFY(std::abs(moved.x2 - x2) < 1e-7);
    QVERIFY(std::abs(moved.y2 - y2) < 1e-7);
    // Dragging a receiver leaves its source and the other receiver where
    // they were.
    QCOMPARE(saved.Sources()[0].x2, source.x2);
    QCOMPARE(saved.Receivers()[1].x2, doc.Receivers()[1].x2);
    QCOMPARE(saved.Receivers()[1].y2, before.y2);
}

void OverlayEditingTest::showAllPaintsItemsOverTheModel() {
    {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("phased_array")));
    CElixDoc& doc = w.Doc();
    w.frame->Execute(Cmd::ShowAll);
    w.frame->Execute(Cmd::Zoom150);
    CElixView* view = TopLeftView(w);
    QApplication::processEvents();
    const QImage picture = view->viewport()->grab().toImage();

    // The array lies on the top edge: receiver (dark red) over the source,
    // the gray edge marker on its midpoint; left and right sides absorb.
    const CReceiver& receiver = doc.Receivers()[0];
    const QPoint quarter = ViewportPoint(doc, receiver.x1 * 0.75 + receiver.x2 * 0.25, receiver.y1);
    QCOMPARE(picture.pixel(quarter), qRgb(127, 0, 0));
    const QPoint mid = ViewportPoint(doc, (receiver.x1 + receiver.x2) / 2.0, receiver.y1);
    QCOMPARE(picture.pixel(mid + QPoint(2, 2)), qRgb(96, 96, 96));
    const PixelRect image = ModelImageRect(doc.image.ImageWidth, doc.image.ImageHeight, doc.zoom);
    QCOMPARE(picture.pixel(image.left + 1, image.top + image.height / 2), qRgb(0, 255, 0));
    QCOMPARE(picture.pixel(image.left + image.width - 2, image.top + image.height / 2), qRgb(0, 255, 0));
    // The summary legend's four swatches.
    QCOMPARE(picture.pixel(10, 15), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(10, 75), qRgb(127, 0, 0));
    SaveScreen(w, "overlay_all");

    // Show Model drops the overlay: the margin is background again.
    w.frame->Execute(Cmd::ShowModel);
    QCOMPARE(view->viewport()->grab().toImage().pixel(10, 15),
             qRgb(kViewBackgroundRed, kViewBackgroundGreen, kViewBackgroundBlue));
    }

    Window immersion;
    QVERIFY(immersion.frame->OpenModel(immersion.Example("immersion")));
    immersion.frame->Execute(Cmd::ShowAll);
    immersion.frame->Execute(Cmd::Zoom150);
    TopLeftView(immersion);
    SaveScreen(immersion, "overlay_all_immersion");
}

void OverlayEditingTest::rightButtonOpensTheElixMenu() {
    Window w;
    QVERIFY(w.frame->OpenModel(w.Example("immersion")));
    QWidget* viewport = TopLeftView(w)->viewport();
    // The right button pops up the Elix menu with its commands; the test
    // reads the popup and closes it.
    QString shown;
    bool holdsSourceCommand = false;
    QTimer::singleShot(0, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup) return;
        shown = popup->title();
        holdsSourceCommand = popup->actions().contains(w.frame->Action(Cmd::SourceConfiguration));
        popup->close();
    });
    const QPoint at(200, 60);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    QCOMPARE(shown, QStringLiteral("&Elix"));
    QVERIFY(holdsSourceCommand);
}

ELASTRIX_GUI_TEST(OverlayEditingTest);

}  // namespace elix::test
