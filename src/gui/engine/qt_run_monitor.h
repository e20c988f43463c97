// The run monitor of a run in the window: it opens the progress monitor,
// shows the progress, and hands the window's events on between steps (at
// least every 20 ms and at every frame) and while the run is paused, so the
// model view repaints the live wavefield, scrolls and zooms during a run.
// It also keeps the run's grid at hand for Dump Displacements and for
// Contrast Enhance, which remakes the current frame at once.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <string>

#include "engine/process_monitor_dlg.h"
#include "engine/run.h"

class QWidget;

namespace elix {

class CElixDoc;

class CQtRunMonitor : public IRunMonitor {
public:
    // parent: the window the progress monitor belongs to.
    CQtRunMonitor(CElixDoc& doc, QWidget* parent);
    ~CQtRunMonitor() override;
    CQtRunMonitor(const CQtRunMonitor&) = delete;
    CQtRunMonitor& operator=(const CQtRunMonitor&) = delete;

    void Begin(int totalSteps) override;
    void Progress(int step, int totalSteps, const std::string& text) override;
    void Frame(int step, const CNodeGrid& grid) override;
    void Attach(const CNodeGrid* grid, double hx, double hy) override;
    void WhilePaused() override;

    // Shows the wait cursor until the run begins stepping (or ends).
    void HoldWaitCursor();

    // The monitor of the run in progress, or nullptr.
    static CQtRunMonitor* Active();
    // The monitor of doc's run, or nullptr.
    static CQtRunMonitor* Of(const CElixDoc* doc);

    CElixDoc& Document() const { return m_doc; }
    CProcessMonitorDlg* Dialog() const { return m_dialog; }
    // The step last computed (-1 before the first).
    int CurrentStep() const { return m_step; }
    // The step of the last frame made (-1 before the first).
    int FrameStep() const { return m_frameStep; }
    // A step was computed and its fields are at hand.
    bool StepsComputed() const { return m_grid != nullptr && m_step >= 0; }
    const CNodeGrid* Grid() const { return m_grid; }

    // Remakes the frame of the current fields (Contrast Enhance); false
    // when no step was computed or no frame could be made.
    bool RedrawFrame();
    // Tools > Dump Displacements of the current step; folder: where the
    // file chooser starts.
    bool DumpDisplacements(const std::string& folder);

private:
    void Pump();
    void ReleaseWaitCursor();

    CElixDoc& m_doc;
    QPointer<CProcessMonitorDlg> m_dialog;
    QWidget* m_parent;
    const CNodeGrid* m_grid = nullptr;
    double m_hx = 0.0;
    double m_hy = 0.0;
    int m_step = -1;
    int m_frameStep = -1;
    std::string m_text;
    bool m_frameDue = false;
    bool m_waitCursor = false;
    QElapsedTimer m_sincePump;
};

// The hooks of the main window: whether doc's run has computed a step (the
// enable rule of Dump Displacements), and Contrast Enhance's redraw of the
// current frame during doc's run (nothing when doc is not running).
bool RunStepsComputed(const CElixDoc* doc);
void RedrawRunningFrame(CElixDoc& doc);

}  // namespace elix
