// libFuzzer target: the PCX reader (ReadPcx's decoder).
#include "image_file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return elix::fuzz::DecodeImageFileInput(data, size, elix::ImageFileFormat::Pcx);
}
