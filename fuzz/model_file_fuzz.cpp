// libFuzzer target: the model file reader (CElixDoc::ReadModel) and, for a
// model it accepts, the writer and the reader once more.
//
// Invariants checked:
// - a refused file leaves a message, unless the user declined to load a
//   newer version (the first input byte picks Yes or No to that question);
// - a read model holds no more items per list than the list's capacity and
//   no current item past its count;
// - a read model can be saved, and the saved file reads back with the same
//   item counts and names, the same geometry name and job parameters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "fuzz_support.h"
#include "model/elix_doc.h"

namespace {

using namespace elix;

template <class T>
void CheckList(const CItemList<T>& list) {
    FUZZ_CHECK(list.Count() >= 0 && list.Count() <= list.Capacity());
}

template <class T>
void CheckSameNames(const CItemList<T>& a, const CItemList<T>& b) {
    FUZZ_CHECK(a.Count() == b.Count());
    for (int k = 0; k < a.Count(); ++k) FUZZ_CHECK(a[k].name == b[k].name);
}

void CheckRoundTrip(CElixDoc& doc) {
    const std::string copy = fuzz::ScratchFolder() + "/copy.wmd";
    FUZZ_CHECK(doc.WriteModel(copy));
    fuzz::FuzzUserInterface ui;
    CElixDoc again;
    again.SetUserInterface(&ui);
    FUZZ_CHECK(again.ReadModel(copy));
    CheckSameNames(doc.Materials(), again.Materials());
    CheckSameNames(doc.BoundaryConditions(), again.BoundaryConditions());
    CheckSameNames(doc.Sources(), again.Sources());
    CheckSameNames(doc.Receivers(), again.Receivers());
    FUZZ_CHECK(again.ImageFileName == doc.ImageFileName);
    FUZZ_CHECK(again.job.PointPerCycle == doc.job.PointPerCycle);
    FUZZ_CHECK(again.job.InfiniteBCIndex == doc.job.InfiniteBCIndex);
    FUZZ_CHECK(again.job.ThreadTotal == doc.job.ThreadTotal);
    FUZZ_CHECK(again.job.DispType == doc.job.DispType);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("model.wmd", data, size);
    fuzz::FuzzUserInterface ui;
    ui.questionAnswer = size > 0 && data[0] % 2 ? MessageAnswer::No : MessageAnswer::Yes;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    if (!doc.ReadModel(path)) {
        FUZZ_CHECK(!doc.MessageText().empty() || ui.questionAnswer == MessageAnswer::No);
        return 0;
    }
    CheckList(doc.Materials());
    CheckList(doc.BoundaryConditions());
    CheckList(doc.Sources());
    CheckList(doc.Receivers());
    CheckRoundTrip(doc);
    return 0;
}
