// The Job Parameters dialog's rules: what it shows in its units, how the
// values go back into the record, the thread cap and the WaveLength button.
#pragma once

#include <cstdint>
#include <string>

#include "model/field_range.h"
#include "model/job_parameters.h"

namespace elix {

class CElixDoc;

// The dialog's fields in the units on display.
struct CJobParametersForm {
    double timeStepScale = 1.0;
    double maxFreqMHz = 1.0;          // "Max. Frequency (MHz)"
    double minWaveLengthMm = 1.0;     // "Resolving Wavelength (mm)"
    double durationUs = 10.0;         // "Simulation Time (us)"
    int dispFreq = 1;                 // "Display Frequency"
    int pointPerCycle = 10;           // "Point/Cycle"
    int saveDisp = 0;                 // "Save Displaying Image"
    int interfaceBright = 63;         // "Interface Brightness"
    std::string dispType = "U and V";
    double dispScale = 1.0;
    int highOrderScheme = 0;          // "High Order Scheme"
    double dtScaleThresh = 2.0;       // "dt Scale Threshold"
    int threadTotal = 1;              // "Total Threads"
    std::uint32_t maxGridIndexK = 1;  // "Max. Grid Index (K)": CMax / 1024
    std::int32_t dumpFirst = 0, dumpLast = 0, dumpInterval = 0;
};

inline constexpr int kMaxThreads = 4;

// The ranges the dialog checks, in the units on display. A zero time step
// scale, frequency or wavelength is accepted (the run then stops with its
// own message); the integer fields stay inside their record types, and the
// largest grid index K keeps K * 1024 inside the 32-bit CMax.
inline constexpr FieldRange kTimeStepScaleRange{0.0, 1e20};
inline constexpr FieldRange kMaxFrequencyRange{0.0, 1e20};     // MHz
inline constexpr FieldRange kResolvingWaveLengthRange{0.0, 1e20};  // mm
inline constexpr FieldRange kSimulationTimeRange{0.0, 1e20};   // us
inline constexpr FieldRange kDisplayFrequencyRange{1.0, 32767.0};
inline constexpr FieldRange kPointPerCycleRange{1.0, 32767.0};
inline constexpr FieldRange kInterfaceBrightnessRange{0.0, 255.0};
inline constexpr FieldRange kDisplayScaleRange{-1e20, 1e20};
inline constexpr FieldRange kDtScaleThresholdRange{0.0, 1e20};
inline constexpr FieldRange kTotalThreadsRange{1.0, 32767.0};
inline constexpr FieldRange kMaxGridIndexRange{0.0, 4194303.0};  // K: CMax / 1024
inline constexpr FieldRange kDumpStepRange{0.0, 2147483647.0};
// The Infinite BC dialog's InfiniteFactor.
inline constexpr FieldRange kInfiniteFactorRange{0.0, 1.0};

// The display types the dialog offers ("Display Type && Scale ").
inline constexpr const char* kDisplayTypes[] = {"U and V", "U only", "V only"};

CJobParametersForm ToForm(const CJobParameters& job);

// Stores the form into the record. A ThreadTotal above the maximum is reset
// to it, and the note "The maximum thread number is %d. The total thread
// number is reset to %d." is returned in note (empty otherwise).
void FromForm(const CJobParametersForm& form, CJobParameters& job, std::string& note);

// The WaveLength button: MaxFreq takes the form's frequency, the velocity
// part of the time-step rule runs, and the text for the box titled
// "Information" (or the rule's error text) is returned; ok tells which.
std::string WaveLengthButton(CElixDoc& doc, double maxFreqMHz, bool& ok);

}  // namespace elix
