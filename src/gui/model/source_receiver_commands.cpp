#include "app/subsystem_commands.h"

namespace elix {

bool ExecuteSourceReceiverCommand(CMainFrame& /*frame*/, Cmd /*id*/, CElixDoc* /*doc*/) { return false; }

}  // namespace elix
