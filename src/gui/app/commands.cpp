#include "app/commands.h"

#include <array>
#include <cstring>

#include "model/elix_doc.h"

namespace elix {

namespace {

using R = CommandRule;

// Model commands need an active model; File, View bars, Window and Help
// commands work without one.
constexpr std::array<CommandInfo, static_cast<std::size_t>(Cmd::Count)> kCommands{{
    {Cmd::FileNew, "&New\tCtrl+N", "Create a new model", R::Always, false},
    {Cmd::FileOpen, "&Open...\tCtrl+O", "Open an existing model", R::Always, false},
    {Cmd::FileClose, "&Close", "Close the active model", R::Always, true},
    {Cmd::FileSave, "&Save\tCtrl+S", "Save the active model", R::Always, true},
    {Cmd::FileSaveAs, "Save &As...", "Save the active model with a new name", R::Always, true},
    {Cmd::FilePrint, "&Print...\tCtrl+P", "Print the model view", R::Always, true},
    {Cmd::FilePrintPreview, "Print Pre&view", "Display the model view as it would be printed", R::Always, true},
    {Cmd::FilePrintSetup, "P&rint Setup...", "Change the printer and printing options", R::Always, false},
    {Cmd::RunMultiJobs, "Run &Multi Jobs", "Select multiple jobs then run", R::Always, false},
    {Cmd::OpenLog, "Open &elix.log", "Open the batch job log file", R::Always, false},
    {Cmd::Exit, "E&xit", "Quit Elastrix; prompts to save models", R::Always, false},

    {Cmd::ViewToolbar, "&Toolbar", "Show or hide the toolbar", R::Always, false},
    {Cmd::ViewElixToolbar, "&Elix Toolbar", "Show or hide the Elix toolbar", R::Always, false},
    {Cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar", R::Always, false},
    {Cmd::ShowModel, "Show M&odel", "Show the model image without items", R::HasGeometry, true},
    {Cmd::ShowMaterials, "Show &Materials", "Show the materials in their colours", R::HasGeometry, true},
    {Cmd::ShowBCs, "Show &BCs", "Show the boundary conditions", R::HasGeometry, true},
    {Cmd::ShowSources, "Show &Sources", "Show the sources", R::HasGeometry, true},
    {Cmd::ShowReceivers, "Show &Receivers", "Show the receivers", R::HasGeometry, true},
    {Cmd::ShowElectrodePairs, "Show Electrode &Pairs", "Show the electrode pairs", R::HasGeometry, true},
    {Cmd::ShowElectrodes, "Show &Electrodes", "Show the electrodes", R::HasGeometry, true},
    {Cmd::ShowAll, "Show &All", "Show every item of the model", R::HasGeometry, true},
    {Cmd::Zoom50, "&50%", "Zoom to 50%", R::Always, true},
    {Cmd::Zoom70, "&70%", "Zoom to 70%", R::Always, true},
    {Cmd::Zoom100, "&100%", "Zoom to 100%", R::Always, true},
    {Cmd::Zoom150, "15&0%", "Zoom to 150%", R::Always, true},
    {Cmd::Zoom200, "&200%", "Zoom to 200%", R::Always, true},
    {Cmd::ZoomOther, "&Other", "Zoom to any size", R::Always, true},
    {Cmd::ContrastEnhance, "&Contrast Enhance", "Enhance the contrast of wavefield frames", R::HasGeometry, true},
    {Cmd::ColourMapGray, "&Gray", "Show wavefield frames in gray levels", R::Always, false},
    {Cmd::ColourMapDiverging, "&Diverging", "Show wavefield frames from blue through white to red", R::Always, false},
    {Cmd::ColourMapSequential, "&Sequential", "Show wavefield frames from black through red and yellow to white",
     R::Always, false},
    {Cmd::SaveFramePng, "Save Frame As &PNG...", "Save the picture of the active view as a PNG file", R::ImageLoaded,
     true},

    {Cmd::CreateImage, "&Create Image", "Create a new geometry image", R::Idle, true},
    {Cmd::AddRectangle, "Add &Rectangle", "Paint a rectangle into the image", R::IdleImageLoaded, true},
    {Cmd::AddEllipse, "Add &Ellipse", "Paint an ellipse into the image", R::IdleImageLoaded, true},
    {Cmd::AddLayer, "Add &Layer", "Paint a layer into the image", R::IdleImageLoaded, true},
    {Cmd::AddUserObject, "Add &User Object", "Paint a user object into the image", R::IdleImageLoaded, true},
    {Cmd::SaveGeometry, "&Save Geometry", "Save the geometry image", R::IdleImageLoaded, true},
    {Cmd::LoadGeometry, "&Load Geometry", "Load a geometry image", R::Idle, true},

    {Cmd::MaterialProperty, "&Material Property", "Edit the material properties", R::IdleHasGeometry, true},
    {Cmd::BoundaryCondition, "&Boundary Condition", "Edit the boundary conditions", R::IdleHasGeometry, true},
    {Cmd::SourceConfiguration, "&Source Configuration", "Edit the sources", R::IdleHasGeometry, true},
    {Cmd::ReceiverConfiguration, "&Receiver Configuration", "Edit the receivers", R::IdleHasGeometry, true},
    {Cmd::ElectrodePairConfiguration, "Electrode &Pair Configuration", "Edit the electrode pairs", R::IdleHasGeometry,
     true, false},
    {Cmd::ElectrodeConfiguration, "Electr&ode Configuration", "Edit the electrodes", R::IdleHasGeometry, true, false},
    {Cmd::JobParameters, "&Job Parameters", "Edit the job parameters", R::IdleHasGeometry, true},
    {Cmd::CheckModel, "&Check Model", "Check the Elastrix Model", R::IdleHasGeometry, true},
    {Cmd::RunModel, "R&un", "Run the current model", R::IdleHasGeometry, true},
    {Cmd::RestartModel, "R&estart Model", "Restart the current model from a restart file", R::IdleHasGeometry, true},
    {Cmd::TransducerDesigner, "&Transducer Designer", "Design a transducer", R::Always, true},

    {Cmd::ReceiverPlot, "&Receiver Plot", "Plot the recorded receiver signals", R::HasGeometry, true},
    {Cmd::SetDirectories, "&Set Directories", "Set Default Directories", R::Always, false},
    {Cmd::Comment, "&Comment", "Edit the comment of the model", R::HasGeometry, true},
    {Cmd::DumpDisplacements, "&Dump Displacements", "Save the displacements of the current step", R::RunningAfterAStep,
     true},
    {Cmd::PcxExport, "PCX &Export", "Export the image as a PCX file", R::ImageLoaded, true},
    {Cmd::SetResolution, "Se&t Resolution", "Set the resolution of the image", R::IdleImageLoaded, true},
    {Cmd::ReplacePixelValue, "Replace &Pixel Value", "Replace a range of gray levels", R::IdleImageLoaded, true},
    {Cmd::Playback, "Pla&yback", "Playback previously saved imaged", R::IdleHasGeometry, true},
    {Cmd::PcxImport, "PCX &Import", "Import a PCX picture into the image", R::Idle, true},
    {Cmd::BmpExport, "&BMP Export", "Save the picture on display as a bitmap file", R::ImageLoaded, true},
    {Cmd::BmpImport, "BMP I&mport", "Show a bitmap file in the model view", R::IdleImageLoaded, true},
    {Cmd::WedgeEdit, "&Wedge Edit", "Add a wedge to an edge of the image or trim one off", R::IdleImageLoaded, true},

    {Cmd::ReceiverTimer, "&Receiver Timer", "Measure arrival times and velocities", R::IdleHasGeometry, true},
    {Cmd::SpectrumPlot, "&Spectrum Plot", "Plot the spectra of the receiver signals", R::IdleHasGeometry, true},
    {Cmd::Attenuation, "&Attenuation", "Plot the attenuation between receivers", R::IdleHasGeometry, true},

    {Cmd::WindowNew, "&New Window", "Open another window for the active model", R::Always, true},
    {Cmd::WindowCascade, "&Cascade", "Arrange windows so they overlap", R::Always, false},
    {Cmd::WindowTile, "&Tile", "Arrange windows as non-overlapping tiles", R::Always, false},
    {Cmd::WindowArrangeIcons, "&Arrange Icons", "Arrange icons at the bottom of the window", R::Always, false},

    {Cmd::HelpTopics, "&Help Topics", "List Help topics", R::Always, false},
    {Cmd::About, "&About Elastrix", "Display program information, version number and copyright", R::Always, false},

    {Cmd::GeometryMenu, "Geometry Menu", "Create and edit the geometry image", R::Idle, true},
}};

// Every command sits at the index of its enum value, so CommandInfoOf is a
// plain lookup.
constexpr bool TableInEnumOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        if (static_cast<std::size_t>(kCommands[i].id) != i) return false;
    return true;
}
static_assert(TableInEnumOrder(), "the command table must list the commands in the order of Cmd");

constexpr std::array<Cmd, 4> kWithdrawn{Cmd::ElectrodeConfiguration, Cmd::ElectrodePairConfiguration,
                                        Cmd::ShowElectrodePairs, Cmd::ShowElectrodes};

bool HasGeometry(const CElixDoc& doc) { return doc.WorkingFileName != "None"; }

}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

const CommandInfo& CommandInfoOf(Cmd id) { return kCommands[static_cast<std::size_t>(id)]; }

std::string AcceleratorOf(const char* title) {
    const char* tab = std::strchr(title, '\t');
    return tab ? std::string(tab + 1) : std::string();
}

std::string MenuTextOf(const char* title) {
    const char* tab = std::strchr(title, '\t');
    return tab ? std::string(title, tab) : std::string(title);
}

std::string PromptOf(const CommandInfo& info) {
    std::string prompt = info.prompt;
    if (!info.available) prompt += " (not available in this version yet)";
    return prompt;
}

bool CommandEnabled(const CommandInfo& info, const CElixDoc* doc, bool stepsComputed) {
    if (!info.available) return false;
    if (info.needsModel && !doc) return false;
    if (!doc) return info.rule == CommandRule::Always;
    const bool idle = !doc->IsRunning();
    switch (info.rule) {
        case CommandRule::Always: return true;
        case CommandRule::HasGeometry: return HasGeometry(*doc);
        case CommandRule::ImageLoaded: return doc->image.HasRows();
        case CommandRule::Idle: return idle;
        case CommandRule::IdleImageLoaded: return idle && doc->image.HasRows();
        case CommandRule::IdleHasGeometry: return idle && HasGeometry(*doc);
        case CommandRule::RunningAfterAStep: return !idle && stepsComputed;
    }
    return false;
}

std::span<const Cmd> WithdrawnCommands() { return kWithdrawn; }

}  // namespace elix
