#include "app/subsystem_commands.h"

namespace elix {

bool ExecuteDesignerJobsCommand(CMainFrame& /*frame*/, Cmd /*id*/, CElixDoc* /*doc*/) { return false; }

}  // namespace elix
