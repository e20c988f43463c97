#include "engine/job_parameters_form.h"

#include <algorithm>

#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

CJobParametersForm ToForm(const CJobParameters& job) {
    CJobParametersForm f;
    f.timeStepScale = job.TimeStepScale;
    f.maxFreqMHz = job.MaxFreq * 1e-6;
    f.minWaveLengthMm = job.MinWaveLength * 1e3;
    f.durationUs = job.Duration * 1e6;
    f.dispFreq = job.DispFreq;
    f.pointPerCycle = job.PointPerCycle;
    f.saveDisp = job.SaveDisp;
    f.interfaceBright = job.InterfaceBright;
    f.dispType = job.DispType;
    f.dispScale = job.DispScale;
    f.highOrderScheme = job.HighOrderScheme;
    f.dtScaleThresh = job.DtScaleThresh;
    f.threadTotal = job.ThreadTotal;
    f.maxGridIndexK = job.CMax / 1024;
    f.dumpFirst = job.DumpDisplacement[0];
    f.dumpLast = job.DumpDisplacement[1];
    f.dumpInterval = job.DumpDisplacement[2];
    return f;
}

void FromForm(const CJobParametersForm& f, CJobParameters& job, std::string& note) {
    note.clear();
    job.TimeStepScale = static_cast<float>(f.timeStepScale);
    job.MaxFreq = static_cast<float>(f.maxFreqMHz * 1e6);
    job.MinWaveLength = static_cast<float>(f.minWaveLengthMm * 1e-3);
    job.Duration = static_cast<float>(f.durationUs * 1e-6);
    job.DispFreq = static_cast<std::int16_t>(f.dispFreq);
    job.PointPerCycle = static_cast<std::int16_t>(f.pointPerCycle);
    job.SaveDisp = f.saveDisp;
    job.InterfaceBright = static_cast<std::uint8_t>(f.interfaceBright);
    job.DispType = f.dispType;
    job.DispScale = static_cast<float>(f.dispScale);
    job.HighOrderScheme = static_cast<std::uint8_t>(f.highOrderScheme);
    job.DtScaleThresh = static_cast<float>(f.dtScaleThresh);
    int threads = f.threadTotal;
    if (threads > kMaxThreads) {
        note = Format("The maximum thread number is %d. The total thread number is reset to %d.", kMaxThreads,
                      kMaxThreads);
        threads = kMaxThreads;
    }
    job.ThreadTotal = static_cast<std::int16_t>(threads);
    job.CMax = std::max<std::uint32_t>(f.maxGridIndexK, 1) * 1024;
    job.DumpDisplacement = {f.dumpFirst, f.dumpLast, f.dumpInterval};
}

std::string WaveLengthButton(CElixDoc& doc, double maxFreqMHz, bool& ok) {
    doc.job.MaxFreq = static_cast<float>(maxFreqMHz * 1e6);
    CRunGeometry geometry;
    std::string error;
    ok = ComputeRunGeometry(doc, geometry, error);
    // The wavelengths come from the velocity part of the rule; a time step
    // that is not positive does not make them wrong.
    if (!ok && error == "Time increament = 0") ok = true;
    return ok ? WaveLengthText(geometry, doc.job.MaxFreq) : error;
}

}  // namespace elix
