// The delay law of array sources and receivers: which samples of the
// segment lie in gaps between elements, the per-point delays in time steps
// of the longitudinal and shear components, and the per-point direction.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/receiver.h"
#include "model/source.h"

namespace elix {

class CElixDoc;

// Whether an item's curve and array flags make it an array item.
inline bool IsArrayItem(std::uint8_t curveArrayFlags) {
    return (curveArrayFlags & (kArrayElementBlock | kArrayFocusingBlock)) != 0;
}

struct ArrayLawInput {
    double length = 0.0;  // L, segment length, m
    ArrayElementBlock element;
    ArrayFocusingBlock focusing;
    std::uint8_t curveArrayFlags = 0;
    double vL = 0.0;  // region material velocities at frequency 0, m/s
    double vT = 0.0;
    double dt = 0.0;  // s
    bool modeL = true;
    bool modeT = false;
    // The item's own direction (unit normal of its segment), into which
    // per-point directions are rotated.
    double c = 1.0;
    double s = 0.0;
};

class CArrayLaw {
public:
    explicit CArrayLaw(const ArrayLawInput& input);

    // A sample at distance s along the segment lies in a gap between
    // elements and is dropped (element grouping on and element size < L).
    bool InGap(double s) const;

    // Delays in steps of the two components at distance s (at the element
    // centre when grouping is on), centred unless the law selector is 0; 0
    // for a component that is off or has no velocity, and 0 with the delay
    // law switch off.
    int DelayL(double s) const;
    int DelayT(double s) const;

    // The direction (cosine, sine) of the point at distance s, rotated into
    // the model frame; the item's own direction unless the delay law switch
    // is 1 and the point-direction flag is set.
    std::pair<double, double> Direction(double s) const;

    // A point's delays and direction at distance s; false (nothing set)
    // when the point lies in a gap and is dropped.
    template <class Point>
    bool Place(double s, Point& point) const {
        if (InGap(s)) return false;
        point.delayL = DelayL(s);
        point.delayT = DelayT(s);
        std::tie(point.c, point.s) = Direction(s);
        return true;
    }

    const ArrayLawInput& Input() const { return m_in; }

private:
    // Path term P (m) at aperture coordinate u, before the conversion to steps.
    double PathTerm(double u) const;
    // The uncentred delay in steps of a path term for velocity v.
    int Steps(double path, double v, bool on) const;
    // Where the delay and direction of a sample at s are evaluated: the
    // element centre k p + w/2 when grouping applies, else s itself.
    double EvaluationPoint(double s) const;
    bool Grouped() const;

    ArrayLawInput m_in;
    int m_centreL = 0;  // added to every delay: -(min + max) / 2 over u = -1, -0.75, ..., 1
    int m_centreT = 0;
};

// The "Front" and "Back" delays (s) of an array source for the given sample
// positions: the largest positive and the largest negative per-point delay
// over the components that are on (Back is returned as a positive number).
void ArrayFrontBack(const CArrayLaw& law, const std::vector<double>& samplePositions, double dt, bool modeL,
                    bool modeT, double& front, double& back);

// The law input of an array source or receiver: its segment length,
// blocks, modes and direction, dt, and the velocities at frequency 0 of the
// material whose gray level is the focusing block's region gray level.
// False with "No material is defined for gray level %d in source '%s'."
// (or "... in receiver '%s'.") when no material has that gray level.
bool MakeArrayLawInput(const CElixDoc& doc, const CSource& source, double dt, ArrayLawInput& input,
                       std::string& error);
bool MakeArrayLawInput(const CElixDoc& doc, const CReceiver& receiver, double dt, ArrayLawInput& input,
                       std::string& error);

}  // namespace elix
