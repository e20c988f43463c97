// The job parameter record: how a model is run and displayed. Internal units
// are SI (Hz, m, s); dialogs convert on the way in and out.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace elix {

struct CJobParameters {
    float TimeStepScale = 1.0f;     // multiplies the stable time step
    float MaxFreq = 1e6f;           // Hz, highest frequency of interest
    float MinWaveLength = 0.001f;   // m, shortest wavelength to be resolved
    float Duration = 1e-5f;         // s, simulated time
    std::int16_t DispFreq = 1;      // steps between display refreshes
    std::int32_t SaveDisp = 0;      // 1: save the displayed frame at each refresh
    std::uint8_t HighOrderScheme = 0;   // 1: allow fourth-order stencils
    float DtScaleThresh = 2.0f;     // minimum stability margin for fourth-order nodes
    std::uint8_t InterfaceBright = 63;  // display brightness of material interfaces
    std::string DispType = "U and V";
    float DispScale = 1.0f;
    std::int16_t PointPerCycle = 10;    // cells per resolving wavelength
    std::uint8_t InfiniteBCIndex = 0;   // absorbing sides: Top 1, Bottom 2, Left 4, Right 8
    float InfiniteFactor = 1.0f;        // absorbing-edge smoothing weight, 0..1
    std::int16_t ThreadTotal = 1;       // threads including the main one, at most 4
    std::uint32_t CMax = 1024;          // capacity of coefficient sets
    std::array<std::int32_t, 3> DumpDisplacement{0, 0, 0};  // first step, last step, interval
    std::string UserFile1 = "User1.wtf";
    std::string UserFile2 = "User2.wtf";

    // Every field equal (the Job Parameters dialog marks the model modified
    // only when OK changed something).
    bool operator==(const CJobParameters&) const = default;

    static constexpr const char* kDefaultUserFile1 = "User1.wtf";
    static constexpr const char* kDefaultUserFile2 = "User2.wtf";
};

}  // namespace elix
