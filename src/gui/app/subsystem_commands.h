// The commands whose windows live in the subsystem folders of the desktop
// program. The main frame hands every command it does not carry out itself
// to these in turn; each returns true when the command was its own.
#pragma once

#include "app/commands.h"

namespace elix {

class CMainFrame;
class CElixDoc;

// Material Property, Boundary Condition, Job Parameters (gui/model, gui/engine).
bool ExecuteMaterialBoundaryJobCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);
// Source and Receiver Configuration (gui/model).
bool ExecuteSourceReceiverCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);
// Create Image, the Add commands, Set Resolution, Replace Pixel Value and
// the image import and export of the Tools menu (gui/geometry).
bool ExecuteGeometryDialogCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);
// Check Model, Run, Restart Model, Dump Displacements, Playback (gui/engine).
bool ExecuteRunCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);
// Receiver Plot, Spectrum Plot, Attenuation, Receiver Timer (gui/analysis).
bool ExecutePlotCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);
// Transducer Designer and Run Multi Jobs (gui/designer, gui/app).
bool ExecuteDesignerJobsCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);

// Tries each of the above; false when no subsystem knows the command.
bool ExecuteSubsystemCommand(CMainFrame& frame, Cmd id, CElixDoc* doc);

}  // namespace elix
