#include "engine/array_law.h"

#include <algorithm>
#include <cmath>

#include "engine/segment_points.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Delays are held as 16-bit step counts in the point lists; anything beyond
// this bound is a nonsensical law (a huge focal value, a zero velocity
// slipping through) and is clamped rather than overflowing the conversion.
constexpr double kMaxSteps = 1e9;

int ToSteps(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(std::trunc(value), -kMaxSteps, kMaxSteps));
}

}  // namespace

CArrayLaw::CArrayLaw(const ArrayLawInput& input) : m_in(input) {
    // Centring: the delays the law gives at nine evenly spaced aperture
    // positions u = -1, -0.75, ..., 1 define the spread; shifting every
    // delay by -(min + max)/2 (integer division) puts it about zero. The
    // manual law (selector 0) is used as drawn.
    if (m_in.focusing.lawSelector == 0) return;
    int minL = 0, maxL = 0, minT = 0, maxT = 0;
    for (int k = 0; k <= 8; ++k) {
        const double u = -1.0 + 0.25 * k;
        const double path = PathTerm(u);
        const int dL = Steps(path, m_in.vL, m_in.modeL);
        const int dT = Steps(path, m_in.vT, m_in.modeT);
        if (k == 0 || dL < minL) minL = dL;
        if (k == 0 || dL > maxL) maxL = dL;
        if (k == 0 || dT < minT) minT = dT;
        if (k == 0 || dT > maxT) maxT = dT;
    }
    m_centreL = -(minL + maxL) / 2;
    m_centreT = -(minT + maxT) / 2;
}

bool CArrayLaw::Grouped() const {
    const double w = m_in.element.size;
    const double pitch = w + static_cast<double>(m_in.element.gap);
    return m_in.element.grouping != 0 && w < m_in.length && pitch > 0.0;
}

bool CArrayLaw::InGap(double s) const {
    if (!Grouped()) return false;
    const double w = m_in.element.size;
    const double pitch = w + static_cast<double>(m_in.element.gap);
    const double whole = std::floor(s / pitch);
    return s - whole * pitch > w;
}

double CArrayLaw::EvaluationPoint(double s) const {
    if (!Grouped()) return s;
    const double w = m_in.element.size;
    const double pitch = w + static_cast<double>(m_in.element.gap);
    return std::floor(s / pitch) * pitch + w / 2.0;
}

double CArrayLaw::PathTerm(double u) const {
    if (m_in.focusing.delayLaw == 0) return 0.0;
    const double h = m_in.length / 2.0;
    const double x = u * h;  // offset from the aperture centre, m
    const auto& a = m_in.focusing.a;
    if (m_in.focusing.lawSelector == 1) {
        const double phi = a[0];                     // focal length / aperture length
        const double theta = std::atan(double{a[1]});  // steering angle from its tangent
        if (phi > 0.0) {
            // Distance difference to the focal point at range D along the
            // steered axis: P = D - |focus - element|.
            const double d = 2.0 * phi * h;
            return d - std::sqrt(x * x + d * d - 2.0 * x * d * std::sin(theta));
        }
        return x * std::sin(theta);  // plane-wave steering
    }
    // Shaped aperture: the path term follows the drawn shape a0 + a1 u + ... + a4 u^4.
    return -(a[0] + a[1] * u + a[2] * u * u + a[3] * u * u * u + a[4] * u * u * u * u) * h;
}

int CArrayLaw::Steps(double path, double v, bool on) const {
    if (!on || !(v > 0.0) || !(m_in.dt > 0.0)) return 0;
    return ToSteps(path / v / m_in.dt + 0.5);
}

int CArrayLaw::DelayL(double s) const {
    if (!m_in.modeL || !(m_in.vL > 0.0)) return 0;
    const double h = m_in.length / 2.0;
    const double u = h > 0.0 ? EvaluationPoint(s) / h - 1.0 : 0.0;
    return Steps(PathTerm(u), m_in.vL, true) + m_centreL;
}

int CArrayLaw::DelayT(double s) const {
    if (!m_in.modeT || !(m_in.vT > 0.0)) return 0;
    const double h = m_in.length / 2.0;
    const double u = h > 0.0 ? EvaluationPoint(s) / h - 1.0 : 0.0;
    return Steps(PathTerm(u), m_in.vT, true) + m_centreT;
}

std::pair<double, double> CArrayLaw::Direction(double s) const {
    const double c = m_in.c, sn = m_in.s;
    if (m_in.focusing.delayLaw != 1 || (m_in.curveArrayFlags & kArrayPointDirection) == 0) return {c, sn};
    const double h = m_in.length / 2.0;
    const double u = h > 0.0 ? EvaluationPoint(s) / h - 1.0 : 0.0;
    const double x = u * h;
    const auto& a = m_in.focusing.a;
    // Local frame: first axis along the item's normal, second along the
    // segment (the frame of the longitudinal and shear components).
    double p = 1.0, q = 0.0;
    if (m_in.focusing.lawSelector == 1) {
        const double theta = std::atan(double{a[1]});
        if (a[0] > 0.0f) {
            // Towards the focal point (D cos theta, D sin theta) from the element at (0, x).
            const double d = 2.0 * a[0] * h;
            p = std::cos(theta) * d;
            q = std::sin(theta) * d - x;
            const double len = std::sqrt(p * p + q * q);
            if (len > 0.0 && std::isfinite(len)) {
                p /= len;
                q /= len;
            } else {
                p = 1.0;
                q = 0.0;
            }
        } else {
            p = std::cos(theta);
            q = std::sin(theta);
        }
    } else {
        // Normal of the shape y(u) = a0 + a1 u + ... : (1, -y') / sqrt(1 + y'^2).
        const double slope = a[1] + 2.0 * a[2] * u + 3.0 * a[3] * u * u + 4.0 * a[4] * u * u * u;
        const double norm = std::sqrt(1.0 + slope * slope);
        if (std::isfinite(norm)) {
            p = 1.0 / norm;
            q = -slope / norm;
        }
    }
    // Rotate into the model frame as the two components are: (c p - s q, s p + c q).
    return {c * p - sn * q, sn * p + c * q};
}

void ArrayFrontBack(const CArrayLaw& law, const std::vector<double>& samplePositions, double dt, bool modeL,
                    bool modeT, double& front, double& back) {
    int latest = 0, earliest = 0;
    for (double s : samplePositions) {
        if (modeL) {
            const int d = law.DelayL(s);
            latest = std::max(latest, d);
            earliest = std::min(earliest, d);
        }
        if (modeT) {
            const int d = law.DelayT(s);
            latest = std::max(latest, d);
            earliest = std::min(earliest, d);
        }
    }
    front = latest * dt;
    back = -earliest * dt;
}

namespace {

template <class Item>
bool FillArrayLawInput(const CElixDoc& doc, const Item& item, double dt, const char* kind, ArrayLawInput& input,
                       std::string& error) {
    input = ArrayLawInput{};
    const double dx = static_cast<double>(item.x2) - item.x1, dy = static_cast<double>(item.y2) - item.y1;
    input.length = std::sqrt(dx * dx + dy * dy);
    input.element = item.element;
    input.focusing = item.focusing;
    input.curveArrayFlags = item.curveArrayFlags;
    input.dt = dt;
    input.modeL = item.longitudinalMode != 0;
    input.modeT = item.shearMode != 0;
    const SegmentDirection direction = DirectionOf(item.x1, item.y1, item.x2, item.y2);
    input.c = direction.c;
    input.s = direction.s;
    const auto& materials = doc.Materials();
    for (int k = 0; k < materials.Count(); ++k) {
        if (materials[k].grayLevel != item.focusing.regionGrayLevel) continue;
        const PhaseVelocities v = PhaseVelocitiesAt(materials[k], 0.0);
        input.vL = v.vL;
        input.vT = v.vT;
        return true;
    }
    error = Format("No material is defined for gray level %d in %s '%s'.", item.focusing.regionGrayLevel, kind,
                   item.name);
    return false;
}

}  // namespace

bool MakeArrayLawInput(const CElixDoc& doc, const CSource& source, double dt, ArrayLawInput& input,
                       std::string& error) {
    return FillArrayLawInput(doc, source, dt, "source", input, error);
}

bool MakeArrayLawInput(const CElixDoc& doc, const CReceiver& receiver, double dt, ArrayLawInput& input,
                       std::string& error) {
    return FillArrayLawInput(doc, receiver, dt, "receiver", input, error);
}

}  // namespace elix
