// CReceiver: records the wavefield along a straight segment. Positions are
// metres from the top-left corner of the image; times are seconds; the wedge
// angle is in degrees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/source.h"
#include "model/text_reader.h"
#include "model/text_writer.h"

namespace elix {

struct CReceiver {
    // Item block layouts: form 2 adds gain, time window, damping and the
    // array blocks to form 1.
    static constexpr std::int16_t kPlainForm = 1;
    static constexpr std::int16_t kAdvancedForm = 2;

    std::string name;
    std::int16_t form = kPlainForm;
    std::string outputFile;  // empty: the recorded signal is not saved
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.001f, y2 = 0.001f;  // segment, m
    std::int32_t longitudinalMode = 1;  // 1: records the longitudinal mode
    std::int32_t shearMode = 1;         // 1: records the shear mode
    std::int32_t averagedOnly = 1;      // 1: the output file gets only the averaged values
    std::string longitudinalApodization = "Uniform";
    std::string shearApodization = "Uniform";
    std::int32_t wedge = 0;
    float wedgeCenterOffset = 0.0f;  // m
    float wedgeSize = 1.0f;          // m
    float wedgeAngle = 30.0f;        // degrees
    std::int32_t wedgeFlip = 0;
    std::uint8_t wedgeGrayLevel = 64;
    std::string wedgeLocation;
    float gainFactor = 1.0f;  // linear, 10^(gain in dB / 20)
    float blanking = 0.0f;    // s, start of recording
    float duration = 0.0f;    // s, end of recording; 0: none
    float damping = 0.0f;
    std::uint8_t curveArrayFlags = 0;  // kArrayElementBlock | kArrayFocusingBlock
    ArrayElementBlock element;
    ArrayFocusingBlock focusing;
    std::uint8_t dataType = 0;   // 0 displacement, 1 velocity, 2 acceleration, 3 pressure
    std::uint8_t phaseType = 0;  // 0 actual, 1 absolute, 2 squared

    // Not stored: per-element positions and delays filled when a run is
    // prepared.
    std::vector<float> elementPositions;
    std::vector<float> elementDelays;

    void Reset() { *this = CReceiver{}; }
    void Translate(float dx, float dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }

    // Writes the name line and the block body. A non-zero damping has a
    // place only in form 2, so it sets form 2 first. The item start marker
    // is written by the caller.
    void WriteItem(CTextWriter& out, float version);
    // Reads a block body; nameLine is the item's first line without its
    // start marker. Missing values keep what the record held.
    void ReadItem(CTextReader& in, const std::string& nameLine, float version);
};

}  // namespace elix
