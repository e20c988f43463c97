// The Job Parameters dialog's rules: what it shows in its units, how the
// values go back into the record, the thread cap and the WaveLength button.
#pragma once

#include <cstdint>
#include <string>

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
