// The menu commands of the desktop program: their titles (with mnemonic and
// accelerator), status-bar prompts, and the rule that enables each.
#pragma once

#include <span>
#include <string>

namespace elix {

class CElixDoc;

enum class Cmd {
    // File
    FileNew, FileOpen, FileClose, FileSave, FileSaveAs, FilePrint, FilePrintPreview, FilePrintSetup,
    RunMultiJobs, OpenLog, Exit,
    // View
    ViewToolbar, ViewElixToolbar, ViewStatusBar,
    ShowModel, ShowMaterials, ShowBCs, ShowSources, ShowReceivers, ShowElectrodePairs, ShowElectrodes, ShowAll,
    Zoom50, Zoom70, Zoom100, Zoom150, Zoom200, ZoomOther, ContrastEnhance,
    ColourMapGray, ColourMapDiverging, ColourMapSequential, SaveFramePng,
    // Elix > Geometry
    CreateImage, AddRectangle, AddEllipse, AddLayer, AddUserObject, SaveGeometry, LoadGeometry,
    // Elix
    MaterialProperty, BoundaryCondition, SourceConfiguration, ReceiverConfiguration, ElectrodePairConfiguration,
    ElectrodeConfiguration, JobParameters, CheckModel, RunModel, RestartModel, TransducerDesigner,
    // Tools
    ReceiverPlot, SetDirectories, Comment, DumpDisplacements, PcxExport, SetResolution, ReplacePixelValue, Playback,
    PcxImport, BmpExport, BmpImport, WedgeEdit,
    // Analysis
    ReceiverTimer, SpectrumPlot, Attenuation,
    // Window
    WindowNew, WindowCascade, WindowTile, WindowArrangeIcons,
    // Help
    HelpTopics, About,
    // The toolbar's pop-up of the Geometry menu
    GeometryMenu,
    Count
};

// When a command is enabled. "Has geometry" means the model names a
// geometry image that was loaded into a working file; "image loaded" means
// the document holds image rows.
enum class CommandRule {
    Always,
    HasGeometry,
    ImageLoaded,
    Idle,                 // no run in progress
    IdleImageLoaded,      // no run in progress and an image is loaded
    IdleHasGeometry,      // no run in progress and the model has a geometry image
    RunningAfterAStep,    // a run is in progress and at least one step was computed
};

struct CommandInfo {
    Cmd id;
    const char* title;   // menu text: "&Open...\tCtrl+O"
    const char* prompt;  // status-bar prompt and tooltip
    CommandRule rule;
    bool needsModel;     // acts on the active model (disabled without one)
    bool available = true;  // false: its window is not part of this version yet
};

// Every command, in the order of the enum.
std::span<const CommandInfo> CommandTable();
const CommandInfo& CommandInfoOf(Cmd id);

// The text after the tab of a title ("Ctrl+O"), or empty.
std::string AcceleratorOf(const char* title);
// The title without its accelerator.
std::string MenuTextOf(const char* title);

// The status-bar prompt; a command that is not available says so.
std::string PromptOf(const CommandInfo& info);

// Whether the command is enabled for the active model (none: nullptr).
// stepsComputed: a run of doc has computed at least one step.
bool CommandEnabled(const CommandInfo& info, const CElixDoc* doc, bool stepsComputed = false);

// The menu items withdrawn at the first idle moment after start-up: the
// electrode editors and their two Show commands (the engine does not
// simulate electrodes).
std::span<const Cmd> WithdrawnCommands();

}  // namespace elix
