#include "app/subsystem_commands.h"

namespace elix {

bool ExecuteRunCommand(CMainFrame& /*frame*/, Cmd /*id*/, CElixDoc* /*doc*/) { return false; }

}  // namespace elix
