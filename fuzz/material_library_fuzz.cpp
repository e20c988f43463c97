// libFuzzer target: the material library reader (CMaterialLibrary::LoadText)
// and, for a library it accepts, the writer and the reader once more.
//
// Invariants checked:
// - never more than 500 materials, a current item within the count;
// - a refused library leaves its error text, unless the user declined to
//   load a newer version (the first input byte picks Yes or No);
// - an accepted library written with Text() reads back with the same
//   materials (names, densities, moduli, gray levels) and comment.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "model/material_library.h"

namespace {

using namespace elix;

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckRoundTrip(const CMaterialLibrary& library) {
    CMaterialLibrary again;
    FUZZ_CHECK(again.LoadText(library.Text(), "again.mpd"));
    FUZZ_CHECK(again.Count() == library.Count());
    FUZZ_CHECK(again.Comment() == library.Comment());
    for (int k = 0; k < library.Count(); ++k) {
        FUZZ_CHECK(again.Items()[k].name == library.Items()[k].name);
        FUZZ_CHECK(again.Items()[k].grayLevel == library.Items()[k].grayLevel);
    }
    if (library.Count() == 0) return;
    // Numbers pass through their printed form once; a second round must
    // then give the same bits.
    CMaterialLibrary third;
    FUZZ_CHECK(third.LoadText(again.Text(), "third.mpd"));
    const CMaterialProperty& b = again.Items()[0];
    const CMaterialProperty& c = third.Items()[0];
    FUZZ_CHECK(SameBits(c.density, b.density) && SameBits(c.lambda, b.lambda) && SameBits(c.mu, b.mu));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool decline = size > 0 && data[0] % 2;
    CMaterialLibrary library;
    library.SetReporter([decline](const std::string&, MessageStyle style, const std::string&) {
        return style == MessageStyle::Question ? (decline ? MessageAnswer::No : MessageAnswer::Yes) : MessageAnswer::Ok;
    });
    library.SetCommentEditor([](const std::string&) { return std::optional<std::string>(); });
    const bool loaded = library.LoadText(text, "fuzz.mpd");
    FUZZ_CHECK(library.Count() >= 0 && library.Count() <= CMaterialLibrary::kCapacity);
    FUZZ_CHECK(library.Count() == 0 || library.Items().Current() < library.Count());
    if (!loaded) {
        FUZZ_CHECK(!library.ErrorText().empty() || decline);
        return 0;
    }
    CheckRoundTrip(library);
    return 0;
}
