#include "view/elix_view.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cstring>

#include "geometry/display_bitmap.h"
#include "model/elix_doc.h"
#include "view/model_view_geometry.h"
#include "view/overlay.h"
#include "view/overlay_painter.h"

namespace elix {

QImage DisplayImage(const std::vector<std::uint8_t>& block) {
    DibInfo info;
    if (!ReadDibInfo(block, info) || info.bitCount != 8 || info.width <= 0 || info.height <= 0) return {};
    const std::size_t stride = DibRowStride(info.width);
    if (block.size() < kDibPixelOffset + stride * static_cast<std::size_t>(info.height)) return {};
    QImage picture(info.width, info.height, QImage::Format_Indexed8);
    if (picture.isNull()) return {};
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* entry = block.data() + kDibHeaderSize + 4 * static_cast<std::size_t>(i);
        colours[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    picture.setColorTable(colours);
    // Rows are stored bottom-up.
    for (int y = 0; y < info.height; ++y) {
        const std::uint8_t* row = block.data() + kDibPixelOffset + stride * static_cast<std::size_t>(info.height - 1 - y);
        std::memcpy(picture.scanLine(y), row, static_cast<std::size_t>(info.width));
    }
    return picture;
}

CElixView::CElixView(std::shared_ptr<CElixDoc> doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(std::move(doc)) {
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_observerId = m_doc->AddViewObserver([this](char hint) { OnUpdate(hint); });
    OnUpdate('a');
}

CElixView::~CElixView() { m_doc->RemoveViewObserver(m_observerId); }

void CElixView::OnUpdate(char /*hint*/) {
    // Every hint rebuilds the picture; the viewport is painted opaque, so
    // nothing flickers whether or not the hint asks to erase.
    m_picture = DisplayImage(m_doc->image.displayBitmap);
    UpdateScrollExtent();
    viewport()->update();
}

void CElixView::UpdateScrollExtent() {
    const PixelSize extent = ModelScrollExtent(m_picture.width(), m_picture.height(), m_doc->zoom);
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, extent.width - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setRange(0, std::max(0, extent.height - page.height()));
    verticalScrollBar()->setPageStep(page.height());
}

void CElixView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollExtent();
}

void CElixView::Render(QPainter& painter, QPoint origin, double scaleX, double scaleY) const {
    if (m_picture.isNull()) return;
    const PixelRect r = ModelImageRect(m_picture.width(), m_picture.height(), m_doc->zoom, scaleX, scaleY);
    const QRect target(origin.x() + r.left, origin.y() + r.top, r.width, r.height);
    if (target.size() == m_picture.size())
        painter.drawImage(target.topLeft(), m_picture);
    else
        painter.drawImage(target, m_picture);
    // Items, legend and drag cross over the model or the frame alike.
    PaintOverlay(painter, BuildOverlay(*m_doc, m_doc->zoom, scaleX, scaleY, &m_edit), origin);
}

void CElixView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(kViewBackgroundRed, kViewBackgroundGreen, kViewBackgroundBlue));
    Render(painter, QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()), 1.0, 1.0);
}

void CElixView::TrackMouse(QPoint p, bool leftButtonHeld) {
    const MouseMoveResult result = MoveMouse(*m_doc, m_edit, p.x() + horizontalScrollBar()->value(),
                                             p.y() + verticalScrollBar()->value(), m_doc->zoom, leftButtonHeld);
    m_positionText = QString::fromStdString(result.readout.positionText);
    emit StatusTexts(QString::fromStdString(m_doc->SizeText), m_positionText);
}

void CElixView::mouseMoveEvent(QMouseEvent* event) {
    TrackMouse(event->position().toPoint(), event->buttons().testFlag(Qt::LeftButton));
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CElixView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        if (PressLeftButton(*m_doc, m_edit, p.x() + horizontalScrollBar()->value(),
                            p.y() + verticalScrollBar()->value(), m_doc->zoom))
            viewport()->update();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CElixView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ReleaseLeftButton(*m_doc, m_edit);
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CElixView::contextMenuEvent(QContextMenuEvent* event) {
    // The popup of a model view is the main window's own Elix menu, so its
    // enable rules and withdrawn items are the menu bar's.
    if (auto* frame = qobject_cast<QMainWindow*>(window())) {
        for (QAction* action : frame->menuBar()->actions()) {
            if (action->menu() && action->text() == QStringLiteral("&Elix")) {
                action->menu()->exec(event->globalPos());
                return;
            }
        }
    }
    QAbstractScrollArea::contextMenuEvent(event);
}

CChildFrame::CChildFrame(std::shared_ptr<CElixDoc> doc, QWidget* parent) : QMdiSubWindow(parent) {
    m_view = new CElixView(std::move(doc), this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace elix
