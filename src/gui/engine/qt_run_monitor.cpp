#include "engine/qt_run_monitor.h"

#include <QApplication>
#include <QWidget>

#include "engine/process_monitor_dlg.h"
#include "model/elix_doc.h"
#include "view/frame_dump.h"
#include "view/wavefield_frame.h"

namespace elix {
namespace {

CQtRunMonitor* s_active = nullptr;

// Events are handed on at least this often while the run steps (ms).
constexpr qint64 kPumpInterval = 20;

}  // namespace

CQtRunMonitor::CQtRunMonitor(CElixDoc& doc, QWidget* parent) : m_doc(doc), m_parent(parent) {
    if (!s_active) s_active = this;
}

CQtRunMonitor::~CQtRunMonitor() {
    ReleaseWaitCursor();
    delete m_dialog.data();
    if (s_active == this) s_active = nullptr;
}

void CQtRunMonitor::HoldWaitCursor() {
    if (m_waitCursor) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitCursor = true;
}

void CQtRunMonitor::ReleaseWaitCursor() {
    if (!m_waitCursor) return;
    QApplication::restoreOverrideCursor();
    m_waitCursor = false;
}

CQtRunMonitor* CQtRunMonitor::Active() { return s_active; }

CQtRunMonitor* CQtRunMonitor::Of(const CElixDoc* doc) {
    return s_active && doc && &s_active->m_doc == doc ? s_active : nullptr;
}

void CQtRunMonitor::Begin(int totalSteps) {
    IRunMonitor::Begin(totalSteps);
    ReleaseWaitCursor();
    m_step = -1;
    m_frameStep = -1;
    if (!m_dialog) {
        m_dialog = new CProcessMonitorDlg(*this, m_parent);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    m_dialog->SetTotalSteps(totalSteps);
    m_dialog->show();
    // Bottom right of the window, clear of the model picture at its top left.
    if (m_parent) {
        m_dialog->adjustSize();
        const QRect area = m_parent->geometry();
        m_dialog->move(area.right() - m_dialog->width() - 24, area.bottom() - m_dialog->height() - 48);
    }
    m_dialog->raise();
    m_sincePump.invalidate();
    QApplication::processEvents();
}

void CQtRunMonitor::Attach(const CNodeGrid* grid, double hx, double hy) {
    m_grid = grid;
    m_hx = hx;
    m_hy = hy;
}

void CQtRunMonitor::Frame(int step, const CNodeGrid& /*grid*/) {
    m_frameStep = step;
    m_frameDue = true;
}

void CQtRunMonitor::Progress(int step, int totalSteps, const std::string& text) {
    m_step = step;
    m_text = text;
    // The first step, every frame and the last step are always shown;
    // between them the window is served every 20 ms, which keeps a fast
    // small model from spending its time on the window.
    const bool due = !m_sincePump.isValid() || m_frameDue || step >= totalSteps - 1 ||
                     m_sincePump.elapsed() >= kPumpInterval;
    if (!due) return;
    m_frameDue = false;
    if (m_dialog) m_dialog->ShowProgress(step, text);
    Pump();
}

void CQtRunMonitor::WhilePaused() {
    if (m_dialog && m_dialog->CurrentStep() != m_step) m_dialog->ShowProgress(m_step, m_text);
    if (m_dialog) m_dialog->Refresh();
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

void CQtRunMonitor::Pump() {
    QApplication::processEvents();
    if (m_dialog) m_dialog->Refresh();
    m_sincePump.start();
}

bool CQtRunMonitor::RedrawFrame() {
    if (!StepsComputed()) return false;
    return RedrawCurrentFrame(m_doc, *m_grid, m_hx, m_hy, m_doc.contrastEnhance);
}

bool CQtRunMonitor::DumpDisplacements(const std::string& folder) {
    if (!StepsComputed()) return false;
    return DumpDisplacementsCommand(m_doc, *m_grid, m_step, folder);
}

bool RunStepsComputed(const CElixDoc* doc) {
    const CQtRunMonitor* monitor = CQtRunMonitor::Of(doc);
    return monitor && monitor->StepsComputed();
}

void RedrawRunningFrame(CElixDoc& doc) {
    if (CQtRunMonitor* monitor = CQtRunMonitor::Of(&doc)) monitor->RedrawFrame();
}

}  // namespace elix
