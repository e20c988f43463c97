// libFuzzer target: the batch list reader (CJobList::LoadBatchFile) and the
// writer's text read back.
//
// Invariants checked:
// - a refused file shows one message and leaves the list exactly as it was
//   (the first input byte picks how many jobs it held before);
// - an accepted file appends jobs up to 128 in all, each a non-empty line
//   without blanks at either end, and becomes the list file name;
// - the batch list text of the jobs read loads back as the same jobs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/job_list.h"
#include "fuzz_check.h"
#include "fuzz_support.h"

namespace {

using namespace elix;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("jobs.wbf", data, size);
    fuzz::FuzzUserInterface ui;
    CJobList list;
    std::vector<std::string> before;
    const int existing = size > 0 ? data[0] % (CJobList::kMaxJobs + 1) : 0;
    for (int k = 0; k < existing; ++k) before.push_back("/models/job" + std::to_string(k) + ".wmd");
    FUZZ_CHECK(list.AddFiles(before, ui) == existing);

    if (!list.LoadBatchFile(path, ui)) {
        FUZZ_CHECK(ui.messages == 1);
        FUZZ_CHECK(list.Paths() == before);
        FUZZ_CHECK(list.ListFileName().empty());
        return 0;
    }
    FUZZ_CHECK(ui.messages == 0);
    FUZZ_CHECK(list.ListFileName() == path);
    FUZZ_CHECK(list.Count() <= CJobList::kMaxJobs);
    const std::vector<std::string>& paths = list.Paths();
    FUZZ_CHECK(std::vector<std::string>(paths.begin(), paths.begin() + existing) == before);
    const std::vector<std::string> added(paths.begin() + existing, paths.end());
    for (const std::string& job : added) FUZZ_CHECK(!job.empty() && !IsBlank(job.front()) && !IsBlank(job.back()));

    const std::string text = CJobList::BatchFileText(added);
    const std::string copy =
        fuzz::WriteScratchFile("copy.wbf", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    CJobList again;
    FUZZ_CHECK(again.LoadBatchFile(copy, ui));
    FUZZ_CHECK(again.Paths() == added);
    return 0;
}
