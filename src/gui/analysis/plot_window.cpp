#include "analysis/plot_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRubberBand>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "analysis/plot_commands.h"
#include "analysis/plot_data.h"
#include "analysis/plot_export.h"
#include "analysis/plot_painter.h"
#include "app/main_frame.h"
#include "model/elix_doc.h"
#include "view/elix_view.h"

namespace elix {
namespace {

constexpr int kReceiverPlotWidth = 500;
constexpr int kReceiverPlotHeight = 200;
constexpr int kOtherPlotHeight = 300;

const char* KindName(char kind) {
    switch (kind) {
        case 'r': return "Receiver Plot";
        case 'f': return "Spectrum Plot";
        case 't': return "Attenuation";
        case 'g': return "Gain";
        default: return "Plot";
    }
}

std::shared_ptr<CElixDoc> SharedDocumentOf(const CMainFrame& frame, const CElixDoc& doc) {
    for (const auto& shared : frame.Documents())
        if (shared.get() == &doc) return shared;
    return nullptr;
}

}  // namespace

// --- the view ------------------------------------------------------------------

CPlotView::CPlotView(CMainFrame& frame, std::shared_ptr<CElixDoc> doc, char kind, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_doc(std::move(doc)), m_kind(kind) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 80);
    m_rubberBand = new QRubberBand(QRubberBand::Rectangle, this);
    m_observerId = m_doc->AddViewObserver([this](char hint) { OnUpdate(hint); });
}

CPlotView::~CPlotView() { m_doc->RemoveViewObserver(m_observerId); }

CPlotData& CPlotView::Plot() const {
    return m_doc->plotData[static_cast<std::size_t>(std::max(0, PlotIndexOfKind(m_kind)))];
}

void CPlotView::OnUpdate(char hint) {
    if (hint != m_kind && hint != 'a') return;
    if (m_kind == 'r') RebuildBuffer();
    update();
}

void CPlotView::RebuildBuffer() { m_buffer = Picture(); }

QImage CPlotView::Picture() const { return RenderPlotImage(Plot(), width(), height()); }

PlotRect CPlotView::FrameRect() const { return PlotFrameRect(Plot(), PlotRect{0, 0, width(), height()}); }

void CPlotView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (m_kind == 'r') {
        // Off-screen: the picture is rebuilt on an update hint or a new size.
        if (m_buffer.size() != size()) RebuildBuffer();
        painter.drawImage(0, 0, m_buffer);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    PaintPlotPicture(painter, LayOutPlot(Plot(), PlotRect{0, 0, width(), height()}));
}

void CPlotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_kind == 'r') RebuildBuffer();
}

QString CPlotView::ReadoutAt(QPoint position) const {
    if (Plot().CurveCount() == 0) return {};
    const auto value = PlotValueAt(Plot().axes, FrameRect(), position.x(), position.y());
    if (!value) return {};
    return QString::fromStdString(PlotReadoutText(Plot(), *value));
}

void CPlotView::TrackMouse(QPoint position) {
    if (QLabel* pane = m_frame.PositionPane()) pane->setText(ReadoutAt(position));
}

bool CPlotView::ZoomToDrag(QPoint from, QPoint to) {
    CPlotData& plot = Plot();
    if (plot.CurveCount() == 0) return false;
    const PlotLimits before = LimitsOf(plot.axes);
    if (!ZoomAxesToDrag(plot.axes, FrameRect(), {from.x(), from.y()}, {to.x(), to.y()})) return false;
    m_zoomStack.push_back(before);
    m_doc->UpdateAllViews(m_kind);
    return true;
}

bool CPlotView::ZoomBack() {
    if (m_zoomStack.empty()) return false;
    RestoreLimits(Plot().axes, m_zoomStack.back());
    m_zoomStack.pop_back();
    m_doc->UpdateAllViews(m_kind);
    return true;
}

void CPlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragStart = event->position().toPoint();
        m_dragging = true;
        m_rubberBand->setGeometry(QRect(m_dragStart, QSize()));
        m_rubberBand->show();
    }
    QWidget::mousePressEvent(event);
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    TrackMouse(position);
    if (m_dragging) m_rubberBand->setGeometry(QRect(m_dragStart, position).normalized());
    QWidget::mouseMoveEvent(event);
}

void CPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        m_rubberBand->hide();
        ZoomToDrag(m_dragStart, event->position().toPoint());
    }
    QWidget::mouseReleaseEvent(event);
}

void CPlotView::mouseDoubleClickEvent(QMouseEvent* event) {
    m_dragging = false;
    m_rubberBand->hide();
    if (event->button() != Qt::LeftButton) return;
    // The receiver plot's double click is the whole Receiver Plot command.
    if (m_kind == 'r')
        ReceiverPlotCommand(m_frame, *m_doc);
    else
        EditPlot(m_frame, *m_doc, m_kind);
}

void CPlotView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape) {
        ZoomBack();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CPlotView::leaveEvent(QEvent* event) {
    if (QLabel* pane = m_frame.PositionPane()) pane->clear();
    QWidget::leaveEvent(event);
}

QMenu* CPlotView::CreateContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    if (m_kind == 'r') {
        menu->addAction(QStringLiteral("&Receiver Plot"), this, [this] { ReceiverPlotCommand(m_frame, *m_doc); });
    } else {
        menu->addAction(QStringLiteral("Plot &Dialog..."), this, [this] { EditPlot(m_frame, *m_doc, m_kind); });
    }
    menu->addSeparator();
    QAction* back = menu->addAction(QStringLiteral("Zoom &Back\tBackspace"), this, [this] { ZoomBack(); });
    back->setEnabled(CanZoomBack());
    menu->addAction(QStringLiteral("&Export Plot..."), this, [this] { ExportPlotCommand(*this); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Print..."), this, [this] { Print(false); });
    menu->addAction(QStringLiteral("Print Pre&view"), this, [this] { Print(true); });
    return menu;
}

void CPlotView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CPlotView::PrintPage(QPrinter& printer) const {
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QRect page = painter.viewport();
    // Pixel constants, pen widths and fonts grow by the smaller ratio of
    // page to window, to the nearest pixel.
    const double ratio = std::min(double(page.width()) / std::max(1, width()),
                                  double(page.height()) / std::max(1, height()));
    const int scale = std::max(1, static_cast<int>(std::lround(ratio)));
    const double aspect = double(std::max(1, height())) / std::max(1, width());
    const int pageHeight = std::min(page.height(), static_cast<int>(page.width() * aspect));
    PaintPlotPicture(painter, LayOutPlot(Plot(), PlotRect{0, 0, page.width(), pageHeight}, scale));
}

void CPlotView::Print(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintPage(*p); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintPage(printer);
}

// --- the frame -------------------------------------------------------------------

CPlotFrame::CPlotFrame(CMainFrame& frame, std::shared_ptr<CElixDoc> doc, char kind) : m_frame(frame) {
    setWindowTitle(PlotWindowTitle(*doc, kind));
    m_view = new CPlotView(frame, std::move(doc), kind, this);
    setWidget(m_view);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(frame.MdiArea(), &QMdiArea::subWindowActivated, this, [this] { WatchModelWindows(); });
    WatchModelWindows();
}

void CPlotFrame::WatchModelWindows() {
    for (CChildFrame* window : m_frame.Frames()) {
        if (&window->Document() != &m_view->Document()) continue;
        if (std::find(m_watched.begin(), m_watched.end(), window) != m_watched.end()) continue;
        m_watched.emplace_back(window);
        connect(window, &QObject::destroyed, this, [this] { CloseWhenModelIsGone(); });
    }
    CloseWhenModelIsGone();
}

void CPlotFrame::CloseWhenModelIsGone() {
    // Deferred: a model window that is closing is still listed until the
    // event loop deletes it.
    QTimer::singleShot(0, this, [this] {
        for (CChildFrame* window : m_frame.Frames())
            if (&window->Document() == &m_view->Document() && !window->isHidden()) return;
        close();
    });
}

QString PlotWindowTitle(const CElixDoc& doc, char kind) {
    return QStringLiteral("%1 - %2").arg(QString::fromStdString(doc.Title()), QString::fromUtf8(KindName(kind)));
}

CPlotFrame* FindPlotWindow(const CMainFrame& frame, const CElixDoc& doc, char kind) {
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList()) {
        auto* plot = qobject_cast<CPlotFrame*>(window);
        if (plot && plot->View()->Kind() == kind && &plot->View()->Document() == &doc && !plot->isHidden())
            return plot;
    }
    return nullptr;
}

bool OpenPlotWindow(CMainFrame& frame, CElixDoc& doc, char kind) {
    if (PlotIndexOfKind(kind) < 0 || FindPlotWindow(frame, doc, kind)) return false;
    std::shared_ptr<CElixDoc> shared = SharedDocumentOf(frame, doc);
    if (!shared) return false;
    auto* window = new CPlotFrame(frame, std::move(shared), kind);
    QMdiArea* area = frame.MdiArea();
    area->addSubWindow(window);
    const QSize client = area->viewport()->size();
    if (kind == 'r') {
        window->setGeometry(0, std::max(0, client.height() - kReceiverPlotHeight), kReceiverPlotWidth,
                            kReceiverPlotHeight);
    } else {
        // Spectrum, attenuation and gain side by side at the bottom right,
        // each a little above and left of the one before.
        const int step = 24 * (PlotIndexOfKind(kind) - 1);
        window->setGeometry(std::max(0, client.width() - kReceiverPlotWidth - step),
                            std::max(0, client.height() - kOtherPlotHeight - step), kReceiverPlotWidth,
                            kOtherPlotHeight);
    }
    window->show();
    area->setActiveSubWindow(window);
    return true;
}

CElixDoc* PlotWindowDocument(QMdiSubWindow* window) {
    auto* plot = qobject_cast<CPlotFrame*>(window);
    return plot ? &plot->View()->Document() : nullptr;
}

bool PrintPlotWindow(QMdiSubWindow* window, QPrinter& printer) {
    auto* plot = qobject_cast<CPlotFrame*>(window);
    if (!plot) return false;
    plot->View()->PrintPage(printer);
    return true;
}

}  // namespace elix
