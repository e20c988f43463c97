#include "app/subsystem_commands.h"
#include "app/main_frame.h"
#include "designer/transducer_designer_dlg.h"

namespace elix {

// The designer window exists once for the program: a child of the main
// frame, shown and hidden, never made again. Run Multi Jobs is the main
// frame's own command (it opens CMultiJobsDlg from there).
bool ExecuteDesignerJobsCommand(CMainFrame& frame, Cmd id, CElixDoc* /*doc*/) {
    if (id != Cmd::TransducerDesigner) return false;
    auto* designer = frame.findChild<CTransducerDesignerDlg*>(QString(), Qt::FindDirectChildrenOnly);
    if (!designer) designer = new CTransducerDesignerDlg(frame);
    designer->FollowActiveModel();
    designer->show();
    designer->raise();
    designer->activateWindow();
    return true;
}

}  // namespace elix
