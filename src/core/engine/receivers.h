// Receivers during a run: their point lists, the value each records every
// step (displacement, velocity, acceleration or pressure, rotated to the
// receiver's direction, weighted, averaged, windowed and scaled), the
// output line, and the overwrite check before a new run.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/grid_builder.h"
#include "engine/node_grid.h"
#include "engine/segment_points.h"

namespace elix {

class CElixDoc;

struct CReceiverPoint {
    GridPoint at;
    std::uint8_t cell = VACUUM_CELL;  // material of the cell the point reads its stress in
    int delayL = 0, delayT = 0;       // array receivers: delays in steps
    double c = 1.0, s = 0.0;          // direction of this point
    std::deque<float> lineL, lineT;   // array receivers: delay lines, front first
};

// Stiffness of a cell as the pressure data type reads it, scaled by 1e-12:
// sxx = c11 exx + c12 eyy, syy = c12 exx + c22 eyy, sxy = 2 c66 exy.
struct StressModuli {
    double c11 = 0, c12 = 0, c22 = 0, c66 = 0;
};

struct CReceiverRun {
    std::string name;
    std::string outputFile;  // as in the record (resolved by the caller)
    SegmentDirection direction;
    bool modeL = true, modeT = true;
    int dataType = 0;   // 0 displacement, 1 velocity, 2 acceleration, 3 pressure
    int phaseType = 0;  // 0 actual, 1 absolute, 2 squared
    double gain = 1.0;
    double blanking = 0.0;  // s
    double duration = 0.0;  // s, 0: no end
    bool averagedOnly = true;
    bool array = false;
    double centreX = 0.0, centreY = 0.0;  // m
    std::vector<CReceiverPoint> points;
};

// What one receiver recorded at one step.
struct ReceiverSample {
    float averageL = 0.0f;  // 0 for a component not recorded
    float averageT = 0.0f;
    bool written = false;   // the step is past the blanking time: line holds the output line
    std::string line;
};

// Builds every receiver's run data; the points in vacuum cells are dropped.
// False with "No material is defined for gray level %d in receiver '%s'."
// for an array receiver without its region material.
bool PrepareReceivers(const CElixDoc& doc, const CNodeGrid& grid, const RegionMap& region, double hx, double hy,
                      double dt, std::vector<CReceiverRun>& receivers, std::string& error);

// The stress moduli of every material of the document, by material index.
std::vector<StressModuli> StressModuliOf(const CElixDoc& doc);

// Records a receiver at a step from the level n+1, n and n-1 arrays.
ReceiverSample RecordReceiver(CReceiverRun& receiver, const CNodeGrid& grid, const FieldArray& U, const FieldArray& V,
                              const FieldArray& Uprev, const FieldArray& Vprev, const FieldArray& Uprev2,
                              const FieldArray& Vprev2, int step, double dt, double hx, double hy,
                              const std::vector<StressModuli>& moduli);

// Before a new run: lists the receivers' existing output files and asks
// whether to overwrite them. False (with the refusal shown) when the user
// says No.
bool ConfirmReceiverOverwrite(CElixDoc& doc);

}  // namespace elix
