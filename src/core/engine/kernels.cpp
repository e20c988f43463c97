#include "engine/kernels.h"

namespace elix {
namespace {

using D = double;

// The arrays one kernel call reads and writes. For the U kernels the own
// field is U and the other V; "along" steps along the own direction
// (columns for U, rows for V), "across" the other way.
struct Stencil {
    const float* own;
    const float* ownOld;
    float* ownNew;
    const float* other;
    const float* otherOld;
    const float* w;
    long stride;  // one row
    long along;   // 1 for U, stride for V
    long across;  // stride for U, 1 for V
};

// Near and far cross differences: F[j+1][i+1] + F[j-1][i-1] - F[j+1][i-1] - F[j-1][i+1].
D X(const float* f, long p, long s) { return D(f[p + s + 1]) + f[p - s - 1] - f[p + s - 1] - f[p - s + 1]; }
D X2(const float* f, long p, long s) {
    return D(f[p + 2 * s + 2]) + f[p - 2 * s - 2] - f[p + 2 * s - 2] - f[p - 2 * s + 2];
}

// Fourth-order second difference (times 12): 16 (F(+1) + F(-1)) - 30 F - (F(+2) + F(-2)).
D D4(const float* f, long p, long step) {
    return 16.0 * (D(f[p + step]) + f[p - step]) - 30.0 * D(f[p]) - (D(f[p + 2 * step]) + f[p - 2 * step]);
}

// Kernel 1: ((O(a-1) + O(a+1)) c1 + (c0 O - O_old)) + (O(c-1) + O(c+1)) c2 + X(Other) c3.
D SecondOrder(const Stencil& k, const float* c, long p) {
    return ((D(k.own[p - k.along]) + k.own[p + k.along]) * c[1] + (D(c[0]) * k.own[p] - k.ownOld[p])) +
           (D(k.own[p - k.across]) + k.own[p + k.across]) * c[2] + X(k.other, p, k.stride) * c[3];
}

// Kernel 4: the damped second-order stencil, reading level n-1 too.
D SecondOrderDamped(const Stencil& k, const float* c, long p) {
    return (D(k.own[p - k.along]) + k.own[p + k.along]) * c[1] + D(c[0]) * k.own[p] +
           (D(k.own[p - k.across]) + k.own[p + k.across]) * c[2] + X(k.other, p, k.stride) * c[3] +
           (D(k.ownOld[p - k.along]) + k.ownOld[p + k.along]) * c[4] +
           (D(k.ownOld[p - k.across]) + k.ownOld[p + k.across]) * c[5] + X(k.otherOld, p, k.stride) * c[6] +
           D(c[7]) * k.ownOld[p];
}

// Kernel 3: (Dalong(O) c1 + Dacross(O) c2 + (16 X(Other) - X2(Other)) c3) / 12 + (2 O - O_old).
D FourthOrder(const Stencil& k, const float* c, long p) {
    return (D4(k.own, p, k.along) * c[1] + D4(k.own, p, k.across) * c[2] +
            (16.0 * X(k.other, p, k.stride) - X2(k.other, p, k.stride)) * c[3]) /
               12.0 +
           (2.0 * k.own[p] - k.ownOld[p]);
}

// Kernel 6: kernel 3 with the level n-1 terms of the damped medium.
D FourthOrderDamped(const Stencil& k, const float* c, long p) {
    return (D4(k.own, p, k.along) * c[1] + D4(k.own, p, k.across) * c[2] +
            (16.0 * X(k.other, p, k.stride) - X2(k.other, p, k.stride)) * c[3] + D4(k.ownOld, p, k.along) * c[4] +
            D4(k.ownOld, p, k.across) * c[5] + (16.0 * X(k.otherOld, p, k.stride) - X2(k.otherOld, p, k.stride)) * c[6]) /
               12.0 +
           (2.0 * k.own[p] - k.ownOld[p]);
}

// The W terms of the pure piezoelectric kernels, starting at weight w0:
// U: X(W) c; V: (W(j-1) + W(j+1)) c + (W(i-1) + W(i+1)) c' + c'' W.
D PurePiezoTerms(const Stencil& k, const float* c, long p, int w0, bool forV) {
    if (!forV) return X(k.w, p, k.stride) * c[w0];
    return (D(k.w[p - k.stride]) + k.w[p + k.stride]) * c[w0] + (D(k.w[p - 1]) + k.w[p + 1]) * c[w0 + 1] +
           D(c[w0 + 2]) * k.w[p];
}

D Composite(const Stencil& k, const float* c, long p, const CompositeSteps& n) {
    return CompositeSum(k.own, k.ownOld, k.other, c, p, n);
}

D CompositeDampedTerms(const Stencil& k, const float* c, long p, const CompositeSteps& n, D sum) {
    return CompositeDampedSum(k.ownOld, k.otherOld, c, p, n, sum);
}

// The W terms of the composite piezoelectric kernels, from weight w0 on.
D CompositePiezoTerms(const Stencil& k, const float* c, long p, const CompositeSteps& n, int w0, bool forV) {
    const float* w = k.w;
    if (!forV)
        return D(c[w0]) * w[p + n.jp + n.ip] + D(c[w0 + 1]) * w[p + n.jp + n.im] + D(c[w0 + 2]) * w[p + n.jm + n.im] +
               D(c[w0 + 3]) * w[p + n.jm + n.ip] + D(c[w0 + 4]) * w[p + n.ip] + D(c[w0 + 5]) * w[p + n.jp] +
               D(c[w0 + 6]) * w[p + n.im] + D(c[w0 + 7]) * w[p + n.jm] + D(c[w0 + 8]) * w[p];
    return D(c[w0]) * w[p + n.jp] + D(c[w0 + 1]) * w[p + n.jm] + D(c[w0 + 2]) * w[p + n.ip] +
           D(c[w0 + 3]) * w[p + n.im] + D(c[w0 + 4]) * w[p];
}

void RunKernel(int kernel, const Stencil& k, const float* c, long p, unsigned edges, bool forV) {
    float& out = k.ownNew[p];
    switch (kernel) {
        case 1: out = static_cast<float>(SecondOrder(k, c, p)); break;
        case 2:  // stored, then the W terms added and stored again
            out = static_cast<float>(SecondOrder(k, c, p));
            out = static_cast<float>(D(out) + PurePiezoTerms(k, c, p, 4, forV));
            break;
        case 3: out = static_cast<float>(FourthOrder(k, c, p)); break;
        case 4: out = static_cast<float>(SecondOrderDamped(k, c, p)); break;
        case 5:
            out = static_cast<float>(SecondOrderDamped(k, c, p));
            out = static_cast<float>(D(out) + PurePiezoTerms(k, c, p, 8, forV));
            break;
        case 6: out = static_cast<float>(FourthOrderDamped(k, c, p)); break;
        case 7: out = static_cast<float>(Composite(k, c, p, CompositeStepsOf(edges, k.stride))); break;
        case 8: {
            const CompositeSteps n = CompositeStepsOf(edges, k.stride);
            out = static_cast<float>(Composite(k, c, p, n));
            out = static_cast<float>(D(out) + CompositePiezoTerms(k, c, p, n, 14, forV));
            break;
        }
        case 9: {
            const CompositeSteps n = CompositeStepsOf(edges, k.stride);
            out = static_cast<float>(CompositeDampedTerms(k, c, p, n, Composite(k, c, p, n)));
            break;
        }
        case 10: {
            const CompositeSteps n = CompositeStepsOf(edges, k.stride);
            out = static_cast<float>(CompositeDampedTerms(k, c, p, n, Composite(k, c, p, n)));
            out = static_cast<float>(D(out) + CompositePiezoTerms(k, c, p, n, 28, forV));
            break;
        }
        default: break;
    }
}

}  // namespace

CompositeSteps CompositeStepsOf(unsigned edges, long stride) {
    return {edges & FLAG_LAST_COL ? 0 : 1L, edges & FLAG_FIRST_COL ? 0 : -1L, edges & FLAG_LAST_ROW ? 0 : stride,
            edges & FLAG_FIRST_ROW ? 0 : -stride};
}

unsigned EdgeFlagsOf(const CNodeGrid& grid, int i, int j) {
    unsigned edges = 0;
    if (j == 0) edges |= FLAG_FIRST_ROW;
    if (j == grid.ny) edges |= FLAG_LAST_ROW;
    if (i == 0) edges |= FLAG_FIRST_COL;
    if (i == grid.nx) edges |= FLAG_LAST_COL;
    return edges;
}

int KernelFor(const CNodeGrid& grid, std::size_t node, bool forV) {
    const std::uint8_t flags = grid.flags[node];
    const std::uint32_t index = grid.index[node];
    if (index == VACUUM_INDEX) return 0;
    if (flags & (forV ? FLAG_FIX_V : FLAG_FIX_U)) return 0;
    const bool damped = flags & FLAG_DAMPED;
    const bool piezo = flags & FLAG_PIEZO;
    if (index >= static_cast<std::uint32_t>(grid.materialCount)) {
        if (piezo) return damped ? 10 : 8;
        return damped ? 9 : 7;
    }
    if (piezo) return damped ? 5 : 2;
    if ((flags & FLAG_HIGH_ORDER) && grid.highOrderScheme) return damped ? 6 : 3;
    return damped ? 4 : 1;
}

void UpdateNode(CNodeGrid& grid, int i, int j) {
    const std::size_t node = grid.Offset(i, j);
    const std::uint32_t index = grid.index[node];
    if (index == VACUUM_INDEX || index >= grid.sets.size()) return;
    WaveFields& f = grid.fields;
    const long stride = grid.Stride();
    const long p = static_cast<long>(node);
    const unsigned edges = EdgeFlagsOf(grid, i, j);
    if (const int kernel = KernelFor(grid, node, false)) {
        const Stencil k{f.U.data(), f.Uold.data(), f.Unew.data(), f.V.data(), f.Vold.data(), f.W.data(),
                        stride, 1, stride};
        RunKernel(kernel, k, grid.sets[index].u.data(), p, edges, false);
    }
    if (const int kernel = KernelFor(grid, node, true)) {
        const Stencil k{f.V.data(), f.Vold.data(), f.Vnew.data(), f.U.data(), f.Uold.data(), f.W.data(),
                        stride, stride, 1};
        RunKernel(kernel, k, grid.sets[index].v.data(), p, edges, true);
    }
}

void AdvanceRows(CNodeGrid& grid, int firstRow, int lastRow) {
    for (int j = firstRow; j <= lastRow; ++j)
        for (int i = 0; i <= grid.nx; ++i) UpdateNode(grid, i, j);
}

}  // namespace elix
