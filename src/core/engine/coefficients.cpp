#include "engine/coefficients.h"

#include <cmath>

namespace elix {

CellModuli ModuliOf(const CMaterialProperty& material) {
    CellModuli m;
    m.rho = material.density;
    m.eta = material.eta;
    m.chi = material.chi;
    m.damped = material.damping != 0;
    m.piezo = material.piezoelectric != 0;
    m.ortho = material.orthotropic != 0;
    if (m.ortho) {
        const auto& c = material.c;  // C11, C12, C13, C22, C23, C33, C44, C55, C66
        m.mu = c[6];
        m.lambdaX = static_cast<float>(static_cast<double>(c[3]) - 2.0 * c[6]);
        m.lambdaY = static_cast<float>(static_cast<double>(c[5]) - 2.0 * c[6]);
        m.lambdaCross = c[4];
    } else {
        m.mu = material.mu;
        m.lambdaX = m.lambdaY = m.lambdaCross = material.lambda;
    }
    return m;
}

namespace {

// One direction of a pure set. "along" is the spacing of the own field's
// direction (hx for U, hy for V), "across" the other one. a is the modulus
// lambda + 2 mu along that direction, b = chi + 2 eta.
std::vector<float> PureWeights(const CellModuli& m, float a, double along, double across, double dt) {
    const float r = static_cast<float>(dt * dt / m.rho);
    const double s = dt / m.rho;
    const float b = m.chi + 2.0f * m.eta;
    const double mu = m.mu, eta = m.eta, chi = m.chi;
    const double cross = static_cast<double>(m.mu) + static_cast<double>(m.lambdaCross);
    const double al2 = along * along, ac2 = across * across, xy4 = 4.0 * along * across;
    std::vector<float> w;
    if (!m.damped) {
        // Undamped: U_new = c0 U - U_old + c1 (U(i-1) + U(i+1)) + c2 (U(j-1) + U(j+1)) + c3 X(V)
        w = {static_cast<float>(2.0 + (-2.0 * a / al2 - 2.0 * mu / ac2) * r),
             static_cast<float>(a * static_cast<double>(r) / al2), static_cast<float>(mu * r / ac2),
             static_cast<float>(cross * r / xy4)};
    } else {
        w = {static_cast<float>((-2.0 * b / al2 - 2.0 * eta / ac2) * s + (-2.0 * a / al2 - 2.0 * mu / ac2) * r + 2.0),
             static_cast<float>(b * s / al2 + a * static_cast<double>(r) / al2),
             static_cast<float>(mu * r / ac2 + eta * s / ac2),
             static_cast<float>(cross * r / xy4 + (eta + chi) * s / xy4),
             static_cast<float>(-s * b / al2),
             static_cast<float>(-s * eta / ac2),
             static_cast<float>(-s * (eta + chi) / xy4),
             static_cast<float>(2.0 * s * b / al2 + 2.0 * s * eta / ac2 - 1.0)};
    }
    return w;
}

// Per-cell moduli of one orientation of a composite set.
struct CellTerms {
    double mu, a, s, d;  // shear modulus, along-modulus 2 mu + lambda, mu + lambda, (lambda - mu) / 2
};

// The 14 weights of one composite set from its per-cell terms, scaled by
// R (elastic) or S (viscous). forV selects the V layout.
std::array<double, 14> CompositeWeights(const std::array<CellTerms, 4>& t, double R, bool forV) {
    std::array<double, 14> c{};
    const CellTerms &k1 = t[0], &k2 = t[1], &k3 = t[2], &k4 = t[3];
    if (!forV) {
        c[1] = R * (k1.a + k4.a) / 2;   // next column
        c[2] = R * (k1.mu + k2.mu) / 2;  // next row
        c[3] = R * (k2.a + k3.a) / 2;   // previous column
        c[4] = R * (k3.mu + k4.mu) / 2;  // previous row
    } else {
        c[1] = R * (k1.mu + k4.mu) / 2;
        c[2] = R * (k1.a + k2.a) / 2;
        c[3] = R * (k2.mu + k3.mu) / 2;
        c[4] = R * (k3.a + k4.a) / 2;
    }
    c[5] = -R * (k1.s - k2.s + k3.s - k4.s) / 4;  // other field at the node
    c[6] = R * k1.s / 4;                          // next row, next column
    c[7] = -R * k2.s / 4;                         // next row, previous column
    c[8] = R * k3.s / 4;                          // previous row, previous column
    c[9] = -R * k4.s / 4;                         // previous row, next column
    const double sign = forV ? -1.0 : 1.0;
    c[10] = sign * R * (k4.d - k1.d) / 2;  // other field, next column
    c[11] = sign * R * (k1.d - k2.d) / 2;  // next row
    c[12] = sign * R * (k2.d - k3.d) / 2;  // previous column
    c[13] = sign * R * (k3.d - k4.d) / 2;  // previous row
    return c;
}

std::vector<float> CompositeDirection(const std::array<CellModuli, 4>& cells, double hx, double hy, double dt,
                                      bool forV) {
    double sumRho = 0, sumMu = 0, sumLambda = 0, sumEta = 0, sumChi = 0;
    bool damped = false, piezo = false;
    std::array<CellTerms, 4> elastic{}, viscous{};
    for (int k = 0; k < 4; ++k) {
        const CellModuli& m = cells[static_cast<std::size_t>(k)];
        const double lambdaAlong = forV ? m.lambdaY : m.lambdaX;
        sumRho += m.rho;
        sumMu += m.mu;
        sumLambda += lambdaAlong;
        sumEta += m.eta;
        sumChi += m.chi;
        damped = damped || m.damped;
        piezo = piezo || m.piezo;
        elastic[static_cast<std::size_t>(k)] = {m.mu, 2.0 * m.mu + lambdaAlong, static_cast<double>(m.mu) + m.lambdaCross,
                                                (static_cast<double>(m.lambdaCross) - m.mu) / 2};
        viscous[static_cast<std::size_t>(k)] = {m.eta, 2.0 * m.eta + m.chi, static_cast<double>(m.eta) + m.chi,
                                                (static_cast<double>(m.chi) - m.eta) / 2};
    }
    const float avgRho = static_cast<float>(sumRho / 4);
    const double avgMu = sumMu / 4, avgLambda = sumLambda / 4, avgEta = sumEta / 4, avgChi = sumChi / 4;
    const float R = static_cast<float>(dt * dt / (hx * hy) / avgRho);
    const std::array<double, 14> e = CompositeWeights(elastic, R, forV);
    std::vector<float> w;
    if (!damped) {
        w.resize(kCompositeSize);
        w[0] = static_cast<float>(2.0 - 2.0 * R * ((2.0 * avgMu + avgLambda) + avgMu));
        for (int k = 1; k < 14; ++k) w[static_cast<std::size_t>(k)] = static_cast<float>(e[static_cast<std::size_t>(k)]);
    } else {
        const float S = static_cast<float>(dt / (hx * hy) / avgRho);
        const std::array<double, 14> v = CompositeWeights(viscous, S, forV);
        w.resize(kCompositeDampedSize);
        w[0] = static_cast<float>(2.0 - 2.0 * R * (avgLambda + 3.0 * avgMu) - 2.0 * S * (avgChi + 3.0 * avgEta));
        for (std::size_t k = 1; k < 14; ++k) w[k] = static_cast<float>(e[k] + v[k]);
        // c14 weighs the node's own old value; c15..c27 the level n-1
        // neighbours with the negated viscous weights.
        w[14] = static_cast<float>(2.0 * S * (avgChi + 3.0 * avgEta));
        for (std::size_t k = 1; k < 14; ++k) w[14 + k] = static_cast<float>(-v[k]);
        // An implausibly large old-value weight marks a set that cannot be
        // stable; zeroing it makes the acceptance test reject the set.
        if (!forV && w[14] > 10.0f) w[14] = 0.0f;
    }
    if (piezo) w.resize(w.size() + static_cast<std::size_t>(forV ? kPiezoExtraV : kPiezoExtraU), 0.0f);
    return w;
}

}  // namespace

CoefficientSet BuildPureSet(const CellModuli& m, double hx, double hy, double dt) {
    CoefficientSet set;
    const float aX = static_cast<float>(static_cast<double>(m.lambdaX) + 2.0 * m.mu);
    const float aY = static_cast<float>(static_cast<double>(m.lambdaY) + 2.0 * m.mu);
    set.u = PureWeights(m, aX, hx, hy, dt);
    set.v = PureWeights(m, aY, hy, hx, dt);
    if (m.piezo) {
        set.u.push_back(0.0f);                    // X(W)
        set.v.insert(set.v.end(), 3, 0.0f);       // W(j+-1), W(i+-1), W at the node
    }
    return set;
}

CoefficientSet BuildCompositeSet(const std::array<CellModuli, 4>& cells, double hx, double hy, double dt) {
    return {CompositeDirection(cells, hx, hy, dt, false), CompositeDirection(cells, hx, hy, dt, true)};
}

namespace {

bool WeightsAccepted(const std::vector<float>& w) {
    if (w.size() < kCompositeSize) return false;
    double own = 0.0, other = 0.0;
    for (std::size_t k = 0; k <= 4; ++k) own += w[k];
    if (w.size() >= kCompositeDampedSize)  // damped: the level n-1 own weights count too
        for (std::size_t k = 14; k <= 18; ++k) own += w[k];
    for (std::size_t k = 5; k <= 13; ++k) other += w[k];
    return std::fabs(own - 2.0) <= 0.0001 && std::fabs(other) <= 0.0001;
}

}  // namespace

bool CompositeSetAccepted(const CoefficientSet& set) { return WeightsAccepted(set.u) && WeightsAccepted(set.v); }

CCompositeSets::CCompositeSets(std::vector<CellModuli> materials, std::uint32_t cmax, double hx, double hy, double dt)
    : m_materials(std::move(materials)), m_cmax(cmax), m_hx(hx), m_hy(hy), m_dt(dt) {}

bool CCompositeSets::IndexFor(const std::array<std::uint8_t, 4>& cells, std::vector<CoefficientSet>& sets,
                              std::uint32_t& index, std::string& error) {
    const std::uint32_t key = static_cast<std::uint32_t>(cells[0]) | static_cast<std::uint32_t>(cells[1]) << 8 |
                              static_cast<std::uint32_t>(cells[2]) << 16 | static_cast<std::uint32_t>(cells[3]) << 24;
    if (const auto found = m_byKey.find(key); found != m_byKey.end()) {
        index = found->second;
        return true;
    }
    const auto next = static_cast<std::uint32_t>(sets.size());
    if (next >= m_cmax) {
        error = "m_nCMax is not big enough. Please contact author.";
        return false;
    }
    std::array<CellModuli, 4> moduli{};
    for (std::size_t k = 0; k < 4; ++k)
        if (cells[k] != VACUUM_CELL && cells[k] < m_materials.size()) moduli[k] = m_materials[cells[k]];
    CoefficientSet set = BuildCompositeSet(moduli, m_hx, m_hy, m_dt);
    if (!CompositeSetAccepted(set)) {
        error = "Cx or Cy errors.";
        return false;
    }
    sets.push_back(std::move(set));
    m_byKey.emplace(key, next);
    index = next;
    return true;
}

}  // namespace elix
