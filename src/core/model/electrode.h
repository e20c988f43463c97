// Electrodes and electrode pairs: items edited and held in the open document
// only. The model file does not carry them and the engine does not simulate
// them. Positions are metres from the top-left corner of the image; times
// are seconds.
#pragma once

#include <cstdint>
#include <string>

namespace elix {

struct CElectrode {
    std::string name;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.001f, y2 = 0.001f;  // segment, m
    std::int32_t active = 1;        // "Active"
    std::int32_t averagedOnly = 1;  // "Averaged Only"
    std::int32_t saveToFile = 0;    // "Save to File"
    std::string outputFile;
    float gainFactor = 1.0f;        // linear, 10^(gain in dB / 20)
    std::uint8_t dataType = 0;      // 0 potential, 1 current

    void Reset() { *this = CElectrode{}; }
    void Translate(float dx, float dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }
};

struct CElectrodePair {
    std::string name;
    std::int16_t form = 2;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.001f, y2 = 0.001f;  // segment, m
    float gap = 0.0f;  // m, between electrode A and electrode B
    std::int32_t aGivenPotential = 1;  // "A-Given Potential"
    std::int32_t bGivenPotential = 1;  // "B-Given Potential"
    std::string aTimeFunction = "Sine Pulse";
    std::string bTimeFunction = "Sine Pulse";
    float aDuration = 3e-6f;  // s
    float bDuration = 3e-6f;  // s
    std::int32_t aDurationOnly = 0;
    std::int32_t bDurationOnly = 0;
    float timeDelay = 0.0f;  // s

    void Reset() { *this = CElectrodePair{}; }
    void Translate(float dx, float dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }
};

}  // namespace elix
