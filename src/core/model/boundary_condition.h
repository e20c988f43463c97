// CBoundaryCondition: fixes the longitudinal and/or shear displacement along
// a straight segment, optionally only for a limited time. Positions are
// metres from the top-left corner of the image; times are seconds.
#pragma once

#include <cstdint>
#include <string>

#include "model/text_reader.h"
#include "model/text_writer.h"

namespace elix {

struct CBoundaryCondition {
    // Only form 1 carries fields in its item block.
    static constexpr std::int16_t kFieldForm = 1;

    std::string name;
    std::int16_t form = kFieldForm;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.001f, y2 = 0.001f;  // segment, m
    float longitudinalDuration = 1.0f;  // s
    float shearDuration = 1.0f;         // s
    float timeDelay = 0.0f;             // s
    std::int32_t longitudinalFixed = 1;
    std::int32_t shearFixed = 0;
    std::int32_t activeInDurationOnly = 0;  // 1: released once its durations are over
    // Time-function specifications of the two components ("None", "Fixed",
    // "Sine Pulse,2,1,1e+06", ...).
    std::string longitudinalSignalName = "None";
    std::string shearSignalName = "None";
    // Aperture window names giving the per-point weights.
    std::string longitudinalDistribution = "Uniform";
    std::string shearDistribution = "Uniform";

    // Not stored. Set on every boundary condition before a run is prepared;
    // the engine clears it when the condition is released.
    bool active = true;

    void Reset() { *this = CBoundaryCondition{}; }
    void Translate(float dx, float dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }

    // Writes the name line and the block body. The item start marker is
    // written by the caller.
    void WriteItem(CTextWriter& out, float version) const;
    // Reads a block body; nameLine is the item's first line without its
    // start marker. Missing values keep what the record held; a form other
    // than 1 reads no fields.
    void ReadItem(CTextReader& in, const std::string& nameLine, float version);
};

}  // namespace elix
