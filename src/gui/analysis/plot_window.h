// The plot windows of a model: one MDI window per plot kind and document
// ('r' receiver plot, 'f' spectrum, 't' attenuation, 'g' gain), each
// painting its CPlotData of the document through the core's layout. A
// window repaints fully when the document's update hint is its own letter
// or 'a'; the receiver plot goes through an off-screen picture so that it
// grows during a run without flicker. The mouse shows the plot value under
// it in the status bar, a dragged rectangle zooms in, and the context menu
// offers the Plot Dialog, Zoom Back, Export Plot and printing.
#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "analysis/plot_view_rules.h"

class QMenu;
class QPainter;
class QPrinter;
class QRubberBand;

namespace elix {

class CElixDoc;
class CMainFrame;
class CPlotData;

class CPlotView : public QWidget {
    Q_OBJECT
public:
    CPlotView(CMainFrame& frame, std::shared_ptr<CElixDoc> doc, char kind, QWidget* parent = nullptr);
    ~CPlotView() override;

    char Kind() const { return m_kind; }
    CElixDoc& Document() const { return *m_doc; }
    CPlotData& Plot() const;
    CMainFrame& MainFrame() const { return m_frame; }

    // The reaction to a document update: a hint of this window's letter or
    // 'a' repaints it (the receiver plot rebuilds its off-screen picture at
    // once); other hints are not for it.
    void OnUpdate(char hint);
    // The receiver plot's off-screen picture as last built (null for the
    // other kinds, which paint directly).
    const QImage& Buffer() const { return m_buffer; }

    // The plot as this window shows it, on white, at its client size.
    QImage Picture() const;
    // The frame of the plot in client pixels.
    PlotRect FrameRect() const;

    // The status-bar text for a client position (empty outside the frame),
    // and the move handler that shows it.
    QString ReadoutAt(QPoint position) const;
    void TrackMouse(QPoint position);

    // Zooms to the rectangle dragged between two client positions; false
    // for a click. ZoomBack returns to the limits before the last zoom.
    bool ZoomToDrag(QPoint from, QPoint to);
    bool ZoomBack();
    bool CanZoomBack() const { return !m_zoomStack.empty(); }

    // Draws the plot on a page of a printer (or a preview), its pixel
    // constants scaled by the page-to-window ratio.
    void PrintPage(QPrinter& printer) const;

    // The context menu (built anew for each right click).
    QMenu* CreateContextMenu(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RebuildBuffer();
    void Print(bool preview);

    CMainFrame& m_frame;
    std::shared_ptr<CElixDoc> m_doc;
    char m_kind;
    int m_observerId = 0;
    QImage m_buffer;
    std::vector<PlotLimits> m_zoomStack;
    QRubberBand* m_rubberBand = nullptr;
    QPoint m_dragStart;
    bool m_dragging = false;
};

// The MDI window of a plot view. It closes by itself once its document has
// no model window left.
class CPlotFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CPlotFrame(CMainFrame& frame, std::shared_ptr<CElixDoc> doc, char kind);
    CPlotView* View() const { return m_view; }

private:
    void WatchModelWindows();
    void CloseWhenModelIsGone();

    CMainFrame& m_frame;
    CPlotView* m_view;
    std::vector<QPointer<QObject>> m_watched;
};

// The window title of a plot kind: "<document> - Receiver Plot", ...
QString PlotWindowTitle(const CElixDoc& doc, char kind);

// Opens the plot window of kind for doc, unless doc already has one: then
// nothing happens and the result is false. The receiver plot opens at
// 500 x 200 pixels at the bottom left of the main window's client area,
// the other kinds at 500 x 300 at its bottom right. doc must be a model
// open in frame (false otherwise).
bool OpenPlotWindow(CMainFrame& frame, CElixDoc& doc, char kind);

// The open plot window of kind for doc, or null.
CPlotFrame* FindPlotWindow(const CMainFrame& frame, const CElixDoc& doc, char kind);

// The document of an MDI window when it is a plot window, else null.
CElixDoc* PlotWindowDocument(QMdiSubWindow* window);

// Prints the plot of window when it is a plot window; false otherwise.
bool PrintPlotWindow(QMdiSubWindow* window, QPrinter& printer);

}  // namespace elix
