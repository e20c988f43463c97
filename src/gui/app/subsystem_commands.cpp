#include "app/subsystem_commands.h"

namespace elix {

bool ExecuteSubsystemCommand(CMainFrame& frame, Cmd id, CElixDoc* doc) {
    for (auto* execute : {ExecuteMaterialBoundaryJobCommand, ExecuteSourceReceiverCommand,
                          ExecuteGeometryDialogCommand, ExecuteRunCommand, ExecutePlotCommand,
                          ExecuteDesignerJobsCommand})
        if (execute(frame, id, doc)) return true;
    return false;
}

}  // namespace elix
