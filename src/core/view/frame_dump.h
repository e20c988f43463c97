// Per-step output of a run on disk and its playback.
//
// Displacement dumps (".frm") are plain text, one line per grid node, rows
// j = 0..ny outside, columns i = 0..nx inside, each line "%d %d %f %f\n"
// with i, j, U and V (metres, six decimals); no header, no trailer.
// Frame pictures (".PCX") are the displayed wavefield frames as PCX files,
// their header resolution 0.0254 / grid spacing rounded to whole dots per
// inch (at least 1). Both are named after the document's title without its
// extension: plate.wmd at step 40 gives plateS40.frm and plateS40.PCX.
//
// Playback walks the stored frame pictures step by step, skipping steps
// that have none.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace elix {

class CElixDoc;
struct CNodeGrid;

// The title up to, not including, its last '.'; the whole title when it
// has none.
std::string TitleStem(const std::string& title);

// folder, then title stem, "S", the step in decimal, and ".frm" / ".PCX".
// An empty folder gives the bare name; a folder that ends with a separator
// gets none added.
std::string DisplacementDumpPath(const std::string& folder, const std::string& title, int step);
std::string FramePicturePath(const std::string& folder, const std::string& title, int step);

// DumpDisplacement is (first step, last step, interval): a dump is due at
// step s when interval > 0, first <= s <= last and s - first is a multiple
// of interval.
bool IsDumpStep(const std::array<std::int32_t, 3>& dumpDisplacement, int step);

// One line of a dump, appended to out: "%d %d %f %f\n" in the C locale.
void AppendDumpLine(std::string& out, int i, int j, float u, float v);

// Writes the grid's current U and V to path. The text goes to a temporary
// file beside it that is renamed over path when complete. False with
// "Unable to save file '%s'." in MessageText when it cannot be written.
bool WriteDisplacementDump(CElixDoc& doc, const CNodeGrid& grid, const std::string& path);

// The run loop's dump at step: writes it under DisplacementDumpPath when
// the document's DumpDisplacement makes step due. False only when a due
// dump could not be written (message as above).
bool WriteDumpIfDue(CElixDoc& doc, const CNodeGrid& grid, int step, const std::string& folder);

// Stores the image (a frame) as a PCX file with the image's resolution
// rounded to whole dots per inch. False with "Unable to save file: %s" in
// MessageText when it cannot be written or the image has no rows.
bool SaveFramePicture(CElixDoc& doc, const std::string& path);

// The run loop's frame picture after a frame of step was made: stored
// under FramePicturePath when SaveDisp is 1. False only when it could not
// be written (the caller shows the message).
bool SaveFramePictureIfWanted(CElixDoc& doc, int step, const std::string& folder);

// Reads the frame picture of step from folder into the image (the rows are
// freed first, so after a failure the image has none). On success the
// resolution becomes 0.0254 / hx by 0.0254 / hy (each only for a spacing
// above 0; otherwise the file's), ShowsFrame is set, the display block is
// rebuilt and all views are redrawn with the hint 'r'.
bool LoadFramePicture(CElixDoc& doc, const std::string& folder, int step, double hx, double hy);

// Tools > Dump Displacements: enabled while a run is going on past step 0.
bool CanDumpDisplacements(const CElixDoc& doc, int step);
// Asks "Save displacements of step %d to a file, continue?", lets the user
// choose a ".frm" file starting in folder and writes the dump there;
// a failure is shown with an information icon. True when a dump was
// written.
bool DumpDisplacementsCommand(CElixDoc& doc, const CNodeGrid& grid, int step, const std::string& folder);

// --- playback --------------------------------------------------------------

// The run's values playback needs, from the model.
struct PlaybackSetup {
    float timeIncrement = 0.0f;  // s
    double hx = 0.0;             // m
    double hy = 0.0;             // m
    int totalSteps = 0;
};

// Reloads the geometry when the image shows a frame, computes the time
// increment, the grid spacing and the number of steps, and turns a
// "MaterialProperties" display category off so that frames show in gray.
// False with the reason in MessageText (shown with an exclamation icon).
bool PreparePlayback(CElixDoc& doc, PlaybackSetup& setup);

enum class PlayMode : std::int16_t {
    Paused = 0,
    Forwards = 1,   // ">"
    Backwards = 2,  // "<"
    ToFirst = 3,    // "|<"
    ToLast = 4,     // ">|"
};

// The state and stepping of the Play Control dialog; the dialog shows
// Step(), TimeNs() and LastStep(), hands typed values in before acting on
// a button, and calls OnTimer() every 500 ms.
class CPlayControl {
public:
    // Loads the frame picture of a step; true when one was shown.
    using FrameLoader = std::function<bool(int step)>;

    static constexpr int kDefaultLastStep = 1000;

    // onFirstFrame runs once, after the first successful load (the document
    // redraws all views with erasing then).
    explicit CPlayControl(FrameLoader loader, float timeIncrement = 0.0f, int lastStep = kDefaultLastStep,
                          std::function<void()> onFirstFrame = {});

    int Step() const { return m_step; }
    std::int32_t TimeNs() const { return m_timeNs; }
    int LastStep() const { return m_lastStep; }
    PlayMode Mode() const { return m_mode; }

    // The edit fields "Step" and "Last Step" as typed.
    void SetStep(int step) { m_step = step; }
    void SetLastStep(int lastStep) { m_lastStep = lastStep; }

    // "|<", ">|", "||", "<", ">": the next timer ticks act on the mode.
    void SetMode(PlayMode mode) { m_mode = mode; }
    // "+" and "-": pause, then step once. True when a frame was loaded.
    bool StepForwardButton();
    bool StepBackwardButton();
    void OnTimer();

    // step x 1e9 x time increment, truncated (in double: a 32-bit 2e-8 lies
    // just below 2e-8, so step 3 gives 59).
    static std::int32_t TimeNsOf(int step, float timeIncrement);

private:
    // Advance one step at a time until a frame loads or the end is reached
    // (which pauses). True when a frame was loaded.
    bool StepForward();
    bool StepBackward();
    void Loaded(bool loaded);

    FrameLoader m_loader;
    std::function<void()> m_onFirstFrame;
    float m_timeIncrement;
    int m_step = 0;
    std::int32_t m_timeNs = 0;
    int m_lastStep;
    PlayMode m_mode = PlayMode::Paused;
    bool m_firstFrame = true;
};

// A play control bound to the document: it loads the frame pictures of
// folder with LoadFramePicture and redraws all views with the hint 'a' on
// the first frame shown. The document must outlive it.
CPlayControl MakeDocumentPlayControl(CElixDoc& doc, const std::string& folder, const PlaybackSetup& setup);

}  // namespace elix
