#include "engine/model_check.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/array_law.h"
#include "engine/grid_builder.h"
#include "engine/segment_points.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Whether one component holds its direction for the whole simulation: it
// is on, and it is either never released or released only at or after the
// end of the simulation.
bool Holds(bool on, bool released, double duration, double simulationTime) {
    return on && (!released || duration >= simulationTime);
}

struct FreeDirections {
    bool x = true;
    bool y = true;

    // An item with the given orientation class and its two components
    // (first = longitudinal, along the normal; second = shear, along the segment).
    void Examine(int orientationClass, bool firstHolds, bool secondHolds) {
        switch (orientationClass) {
            case 0:
                if (firstHolds || secondHolds) x = y = false;
                break;
            case 1:  // normal along x
                if (firstHolds) x = false;
                if (secondHolds) y = false;
                break;
            case 2:  // normal along y
                if (firstHolds) y = false;
                if (secondHolds) x = false;
                break;
            default:
                break;
        }
    }
};

// Length (m) of the part of a segment inside the image [0, W] x [0, H],
// the rectangle widened by 1e-6 of its size on every side so that an item
// drawn on the right or bottom edge, whose float coordinates may round a
// hair past it, is still on the image. Liang-Barsky clipping.
double ClippedLength(double x1, double y1, double x2, double y2, double width, double height) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return 0.0;
    const double tx = 1e-6 * width, ty = 1e-6 * height;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + tx, width + tx - x1, y1 + ty, height + ty - y1};
    double t0 = 0.0, t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return 0.0;  // parallel to this side and outside it
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    if (t0 > t1) return 0.0;
    return (t1 - t0) * std::sqrt(dx * dx + dy * dy);
}

template <class Item>
bool HasLengthOnImage(const Item& item, double width, double height) {
    return ClippedLength(item.x1, item.y1, item.x2, item.y2, width, height) > 0.0;
}

// A front or back delay setting (float seconds) below the computed delay.
// Half a unit of the dialog's "%f" microseconds and the float's own
// rounding are forgiven, so a setting copied from the computed value is
// not reported.
bool SettingTooShort(float setting, double computed) {
    const double tolerance = std::max(0.5e-12, std::fabs(computed) * 1e-6);
    return setting < computed - tolerance;
}

}  // namespace

std::string RigidBodyWarning(const CElixDoc& doc) {
    const double simulationTime = doc.job.Duration;
    FreeDirections free;
    const auto& conditions = doc.BoundaryConditions();
    for (int k = 0; k < conditions.Count(); ++k) {
        const CBoundaryCondition& bc = conditions[k];
        const bool released = bc.activeInDurationOnly != 0;
        free.Examine(DirectionOf(bc.x1, bc.y1, bc.x2, bc.y2).orientationClass,
                     Holds(bc.longitudinalFixed != 0, released, bc.longitudinalDuration, simulationTime),
                     Holds(bc.shearFixed != 0, released, bc.shearDuration, simulationTime));
    }
    const auto& sources = doc.Sources();
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        // A source lets its nodes go once its excitation is over.
        constexpr bool released = true;
        free.Examine(DirectionOf(source.x1, source.y1, source.x2, source.y2).orientationClass,
                     Holds(source.longitudinalMode != 0, released, source.longitudinalDuration, simulationTime),
                     Holds(source.shearMode != 0, released, source.shearDuration, simulationTime));
    }
    if (!free.x && !free.y) return std::string();
    std::string text = "Warning: There may be rigid body motion in ";
    if (free.x) text += "x ";
    if (free.y) text += "y ";
    return text + "direction(s).";
}

bool CheckZeroLengths(const CElixDoc& doc, std::string& message) {
    const double width = doc.ImageWidthMeters(), height = doc.ImageHeightMeters();
    const auto& conditions = doc.BoundaryConditions();
    for (int k = 0; k < conditions.Count(); ++k) {
        const CBoundaryCondition& bc = conditions[k];
        if (!bc.active || HasLengthOnImage(bc, width, height)) continue;
        message = Format(
            "BC '%s' has zero length. Please use 'Boundary Condition' command under Elix menu to change its size.",
            bc.name);
        return false;
    }
    const auto& sources = doc.Sources();
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        if (!source.active || HasLengthOnImage(source, width, height)) continue;
        message = Format(
            "Source '%s' has zero length. Please use 'Source Configuration' command under Elix menu to change its "
            "size.",
            source.name);
        return false;
    }
    const auto& receivers = doc.Receivers();
    for (int k = 0; k < receivers.Count(); ++k) {
        const CReceiver& receiver = receivers[k];
        if (HasLengthOnImage(receiver, width, height)) continue;
        message = Format(
            "Receiver '%s' has zero length. Please use 'Receiver Configuration' command under Elix menu to change "
            "its size.",
            receiver.name);
        return false;
    }
    return true;
}

bool SourceArrayTimeDelays(const CElixDoc& doc, const CRunGeometry& geometry, const CSource& source, double& front,
                           double& back, std::string& error) {
    front = back = 0.0;
    ArrayLawInput input;
    if (!MakeArrayLawInput(doc, source, geometry.dt, input, error)) return false;
    const CArrayLaw law(input);
    // The samples the run drives: the segment's grid nodes, less those in
    // gaps between elements.
    const std::vector<GridPoint> points = SegmentPoints(source.x1, source.y1, source.x2, source.y2, geometry.hx,
                                                        geometry.hy, geometry.nx, geometry.ny, "Uniform", "Uniform");
    std::vector<double> positions;
    positions.reserve(points.size());
    for (const GridPoint& point : points)
        if (!law.InGap(point.s)) positions.push_back(point.s);
    ArrayFrontBack(law, positions, geometry.dt, input.modeL, input.modeT, front, back);
    return true;
}

std::string ArrayTimeDelayText(double front, double back) {
    return Format("Array Time Delay:\nFront = %f(us), Back = %f(us).", front * 1e6, back * 1e6);
}

bool CheckSourceReceiverArrays(const CElixDoc& doc, const CRunGeometry& geometry, std::string& text) {
    text.clear();
    const auto& sources = doc.Sources();
    const auto& receivers = doc.Receivers();

    // 1. Array sources whose front or back delay setting cuts the signal.
    bool truncated = false;
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        if (!IsArrayItem(source.curveArrayFlags)) continue;
        double front = 0.0, back = 0.0;
        std::string error;
        if (!SourceArrayTimeDelays(doc, geometry, source, front, back, error)) {
            text = error;
            return false;
        }
        if (SettingTooShort(source.frontDelay, front) || SettingTooShort(source.backDelay, back)) {
            text += Format("Warning: Source array '%s' signal may be truncated.\n", source.name);
            truncated = true;
        }
    }
    if (truncated) text += "Please check 'Array Time Delay' in 'Source Configuration'.\n\n";

    // 2-3. Pressure sources act along x or y, longitudinally, over a segment.
    bool pressureError = false;
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        if (source.signalType != 1) continue;
        if (source.shearMode != 0) {
            text += Format("Error: Pressure source '%s' is not able to work in shear mode.\n", source.name);
            pressureError = true;
        }
        if (DirectionOf(source.x1, source.y1, source.x2, source.y2).orientationClass == 0) {
            text += Format("Error: Pressure source '%s' is not facing x or y axis.\n", source.name);
            pressureError = true;
        }
        if (source.pointSource != 0) {
            text += Format("Error: Pressure source '%s' can't work with point source.\n", source.name);
            pressureError = true;
        }
    }
    if (pressureError) {
        text += "Note: Pressure Source can only simulate longitudinal mode, must face x or y axis and no point "
                "source.\n";
        text += "Please use 'Source Configration' command under Elix menu to make change(s).\n";
        return false;
    }

    // 4-5. An array delays one wave type only.
    bool bothModes = false;
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        if (IsArrayItem(source.curveArrayFlags) && source.longitudinalMode != 0 && source.shearMode != 0) {
            text += Format("Error: Source array '%s' trys to simulate both longitudinal and shear mode.\n",
                           source.name);
            bothModes = true;
        }
    }
    for (int k = 0; k < receivers.Count(); ++k) {
        const CReceiver& receiver = receivers[k];
        if (IsArrayItem(receiver.curveArrayFlags) && receiver.longitudinalMode != 0 && receiver.shearMode != 0) {
            text += Format("Error: Receiver array '%s' trys to simulate both longitudinal and shear mode.\n",
                           receiver.name);
            bothModes = true;
        }
    }
    if (bothModes) {
        text += "Note: Source array and Receiver array can only simulate either longitudinal or shear mode.\n";
        text += "Please use 'Source Configration' and/or 'Receiver Configuration' command under Elix menu to make "
                "change(s).\n";
        return false;
    }
    return true;
}

std::string ModelData::TextBox() const {
    std::string text = memoryText;
    if (!warnings.empty()) {
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += warnings;
    }
    return text;
}

CheckModelResult CheckModel(CElixDoc& doc) { return CheckModel(doc, QueryMemoryStatus()); }

CheckModelResult CheckModel(CElixDoc& doc, const MemoryStatus& memory) {
    CheckModelResult result;
    if (doc.IsRunning()) return result;
    result.performed = true;
    auto fail = [&](const std::string& message) {
        result.message = message;
        doc.SetMessageText(message);
        return result;
    };

    std::string warnings = RigidBodyWarning(doc);

    // The grid is built from the geometry, not from a wavefield frame on display.
    if (!doc.image.HasRows() || doc.image.ShowsFrame) {
        if (!doc.LoadWorkingImage(false, nullptr)) return fail(doc.MessageText());
    }
    CRunGeometry geometry;
    std::string error;
    if (!ComputeRunGeometry(doc, geometry, error)) return fail(error);
    std::string arrayText;
    if (!CheckSourceReceiverArrays(doc, geometry, arrayText)) return fail(arrayText);
    if (!arrayText.empty()) {
        if (!warnings.empty()) warnings += '\n';
        warnings += arrayText;
    }

    std::string memoryText;
    CheckMemory(geometry.nx, geometry.ny, false, memory, memoryText);

    const CGeometryImage& image = doc.image;
    ModelData& data = result.data;
    data.hx = Format("%.4fmm", geometry.hx * 1e3);
    data.hy = Format("%.4fmm", geometry.hy * 1e3);
    data.dt = Format("%.4fus", geometry.dt * 1e6);
    data.width = Format("%d (%.2fmm)", image.ImageWidth, doc.ImageWidthMeters() * 1e3);
    data.height = Format("%d (%.2fmm)", image.ImageHeight, doc.ImageHeightMeters() * 1e3);
    data.totalStep = Format("%d (%.2fus)", geometry.totalSteps, doc.job.Duration * 1e6);
    data.gridPerPixel = Format("%.4f", 0.0254 / (image.ResolutionX * geometry.hx));
    data.imageFile = doc.ImageFileName;
    data.memoryText = memoryText;
    data.warnings = warnings;
    result.ok = true;
    doc.SetMessageText(memoryText);
    return result;
}

}  // namespace elix
