// Curve container behind every plot window: up to 128 curves of float
// (x, y) points with legends and axis settings. The document owns one per
// plot kind and resets them when a model is opened.
#pragma once

#include <string>
#include <vector>

namespace elix {

class CPlotData {
public:
    static constexpr int kMaxCurves = 128;

    struct Curve {
        std::string legend;
        std::vector<float> x;
        std::vector<float> y;
    };

    // Back to an empty container with default settings.
    void Reset() { m_curves.clear(); }

    int CurveCount() const { return static_cast<int>(m_curves.size()); }
    const std::vector<Curve>& Curves() const { return m_curves; }

private:
    std::vector<Curve> m_curves;
};

}  // namespace elix
