// CSource: a transmitter that drives the model along a straight segment.
// Positions are metres from the top-left corner of the image (x to the
// right, y downwards); times are seconds; the wedge angle is in degrees.
//
// This header also holds the pieces that sources share with receivers and
// boundary conditions: the array blocks and the string fields of an item
// block.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/text_reader.h"
#include "model/text_writer.h"

namespace elix {

// Bits of the curve and array flags of sources and receivers.
inline constexpr std::uint8_t kArrayElementBlock = 0x01;   // element block present
inline constexpr std::uint8_t kArrayFocusingBlock = 0x02;  // focusing block present
inline constexpr std::uint8_t kArrayPointDirection = 0x04; // excitation direction follows the array law

// How the samples of an array segment are grouped into elements.
struct ArrayElementBlock {
    std::int32_t grouping = 0;  // 1: samples are grouped into elements
    float size = 1.0f;          // element size, m
    float gap = 0.0f;           // gap between elements, m (spacing = size + gap)
};

// The delay law of an array item. Sources add a front and a back delay
// (CSource::frontDelay, backDelay) after these values.
struct ArrayFocusingBlock {
    std::int32_t delayLaw = 0;      // non-zero: the array delay law applies
    std::int16_t lawSelector = 1;   // 1 automatic (a0 focal value, a1 steering tangent), 0 manual shape
    std::uint8_t regionGrayLevel = 0;  // gray level of the material the delays are computed in
    std::array<float, 5> a{};       // law coefficients a0..a4
    std::array<float, 2> opaque{};  // two further values, kept as read and written back unchanged
};

// Element line "%d %e %e".
void WriteElementBlock(CTextWriter& out, const ArrayElementBlock& block);
void ReadElementBlock(CTextReader& in, ArrayElementBlock& block);
// Focusing lines "%d %d %d" and "%e %e %e %e %e %e %e" (a0..a4 and the two
// opaque values).
void WriteFocusingBlock(CTextWriter& out, const ArrayFocusingBlock& block);
void ReadFocusingBlock(CTextReader& in, ArrayFocusingBlock& block);

// Reads a string field of an item block: the rest of the line, with each
// 0xFE byte turned into a blank. A line that is "ItemEnd" or a section
// keyword ("<...>") is no value: it is left unread for the caller, the field
// keeps its value and false is returned, so a short block cannot swallow its
// terminator or the end of its section.
bool ReadItemString(CTextReader& in, std::string& value);

struct CSource {
    // Item block layouts: form 2 adds the array blocks to form 1.
    static constexpr std::int16_t kPlainForm = 1;
    static constexpr std::int16_t kArrayForm = 2;

    std::string name;
    std::int16_t form = kPlainForm;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.001f, y2 = 0.001f;  // segment, m
    float longitudinalDuration = 3e-6f;  // s, of the longitudinal time function
    float shearDuration = 3e-6f;         // s, of the shear time function
    float timeDelay = 0.0f;              // s
    std::int32_t longitudinalMode = 1;   // 1: excites the longitudinal mode
    std::int32_t shearMode = 0;          // 1: excites the shear mode
    std::int32_t pulseEcho = 0;          // 1: the source owns an echo receiver
    std::string longitudinalTimeFunction = "Sine Pulse";
    std::string shearTimeFunction = "Sine Pulse";
    std::string longitudinalApodization = "Uniform";
    std::string shearApodization = "Uniform";
    std::int32_t voidBacking = 0;  // 1: the geometry behind the source becomes vacuum on reload
    std::int32_t wedge = 0;        // 1: the source sits on a wedge
    float wedgeCenterOffset = 0.0f;  // m
    float wedgeSize = 0.001f;        // m
    float wedgeAngle = 30.0f;        // degrees
    std::int32_t wedgeFlip = 0;
    std::uint8_t wedgeGrayLevel = 64;
    std::string wedgeLocation;      // side name of the wedge
    std::uint8_t curveArrayFlags = 0;  // kArrayElementBlock | kArrayFocusingBlock | kArrayPointDirection
    ArrayElementBlock element;
    ArrayFocusingBlock focusing;
    float frontDelay = 0.0f;  // s ("Pre. Zero Time")
    float backDelay = 0.0f;   // s ("Post Zero Time")
    std::int32_t pointSource = 0;    // 1: point source
    std::uint8_t signalType = 0;     // 0 displacement, 1 pressure

    // Not stored. Set on every source before a run is prepared; the engine
    // clears it when the source is released.
    bool active = true;
    // Per-element positions and delays filled when a run is prepared.
    std::vector<float> elementPositions;
    std::vector<float> elementDelays;

    void Reset() { *this = CSource{}; }
    void Translate(float dx, float dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }

    // Sets form from the curve and array flags (1 without array data, else
    // 2), then writes the name line and the block body. The item start
    // marker is written by the caller.
    void WriteItem(CTextWriter& out, float version);
    // Reads a block body; nameLine is the item's first line without its
    // start marker. Missing values keep what the record held.
    void ReadItem(CTextReader& in, const std::string& nameLine, float version);
};

}  // namespace elix
