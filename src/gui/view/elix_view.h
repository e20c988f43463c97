// The model view and the MDI child frame that holds it. The view paints the
// document's display block (an 8-bit image with its palette) at the
// document's zoom, with a 150-pixel left and 25-pixel top margin on a
// (64, 128, 128) background, and reports the pixel under the mouse.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QMdiSubWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "view/mouse_editing.h"

namespace elix {

class CElixDoc;

// The display block as a Qt image (indexed 8-bit with the block's palette);
// a null image when the block is empty or malformed.
QImage DisplayImage(const std::vector<std::uint8_t>& block);

class CElixView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CElixView(std::shared_ptr<CElixDoc> doc, QWidget* parent = nullptr);
    ~CElixView() override;

    CElixDoc& Document() const { return *m_doc; }
    const std::shared_ptr<CElixDoc>& SharedDocument() const { return m_doc; }

    // Paints the image at origin (device pixels of the painter) with the
    // print scale factors (1 on screen).
    void Render(QPainter& painter, QPoint origin, double scaleX, double scaleY) const;

    // The view's reaction to a document redraw request with hint.
    void OnUpdate(char hint);

    // The last position text shown for the mouse ("%d (%d,%d)(x=..mm,y=..mm)").
    const QString& PositionText() const { return m_positionText; }
    const QImage& Picture() const { return m_picture; }

    // A mouse move at viewport position p, as the mouse handler does it;
    // with the left button held it drags a grabbed item end point.
    void TrackMouse(QPoint viewportPosition, bool leftButtonHeld = false);
    // The mouse editing state (the grabbed end point while dragging).
    const MouseEditState& EditState() const { return m_edit; }

signals:
    // The size pane's and the position pane's texts changed.
    void StatusTexts(const QString& sizeText, const QString& positionText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateScrollExtent();

    std::shared_ptr<CElixDoc> m_doc;
    int m_observerId = 0;
    QImage m_picture;
    QString m_positionText;
    MouseEditState m_edit;
};

// An MDI child frame showing one view of a model. Closing the frame of a
// running model is refused; closing the last frame of a modified model asks
// whether to save it first (through the main frame).
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(std::shared_ptr<CElixDoc> doc, QWidget* parent = nullptr);
    CElixView* View() const { return m_view; }
    CElixDoc& Document() const { return m_view->Document(); }

    // Asked before the frame closes: return false to keep it open.
    std::function<bool(CChildFrame&)> canClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CElixView* m_view;
};

}  // namespace elix
