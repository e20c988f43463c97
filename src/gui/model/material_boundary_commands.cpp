#include "app/subsystem_commands.h"

namespace elix {

bool ExecuteMaterialBoundaryJobCommand(CMainFrame& /*frame*/, Cmd /*id*/, CElixDoc* /*doc*/) { return false; }

}  // namespace elix
