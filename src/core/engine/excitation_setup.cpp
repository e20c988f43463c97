#include "engine/excitation_setup.h"

#include "model/elix_doc.h"

namespace elix {
namespace {

// Whether any excitation names the given user waveform kind.
bool UsesKind(const CElixDoc& doc, TimeFunctionKind kind) {
    auto uses = [kind](const std::string& text) { return ParseTimeFunction(text).kind == kind; };
    const auto& sources = doc.Sources();
    for (int k = 0; k < sources.Count(); ++k)
        if (uses(sources[k].longitudinalTimeFunction) || uses(sources[k].shearTimeFunction)) return true;
    const auto& bcs = doc.BoundaryConditions();
    for (int k = 0; k < bcs.Count(); ++k)
        if (uses(bcs[k].longitudinalSignalName) || uses(bcs[k].shearSignalName)) return true;
    return false;
}

}  // namespace

bool LoadUserWaveforms(CElixDoc& doc, std::string& error) {
    doc.waveforms.ForgetFailedFiles();
    // A model that never uses User1 or User2 runs without their files: the
    // default names rarely exist, and a missing unused file is no reason to
    // refuse the run.
    if (UsesKind(doc, TimeFunctionKind::User1) &&
        !doc.waveforms.LoadUserWaveform(1, doc.job.UserFile1, doc.PathName(), error))
        return false;
    if (UsesKind(doc, TimeFunctionKind::User2) &&
        !doc.waveforms.LoadUserWaveform(2, doc.job.UserFile2, doc.PathName(), error))
        return false;
    return true;
}

TimeFunctionContext TimeFunctionContextOf(CElixDoc& doc) {
    TimeFunctionContext context;
    context.waveforms = &doc.waveforms;
    context.modelPath = doc.PathName();
    context.report = [&doc](const std::string& text) { doc.ReportMessage(text, MessageStyle::Exclamation); };
    return context;
}

std::vector<CBoundaryRun> PrepareBoundaryRuns(const CElixDoc& doc, double hx, double hy, int nx, int ny) {
    std::vector<CBoundaryRun> runs;
    const auto& bcs = doc.BoundaryConditions();
    for (int k = 0; k < bcs.Count(); ++k) runs.push_back(MakeBoundaryRun(bcs[k], hx, hy, nx, ny));
    return runs;
}

}  // namespace elix
