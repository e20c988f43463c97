#include "engine/fast_kernels.h"

#include <algorithm>

#include "engine/kernels.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ELIX_HAS_AVX2_SPANS 1
#else
#define ELIX_HAS_AVX2_SPANS 0
#endif

// The span loops are built twice on x86-64, once for the baseline and once
// for AVX2 (four doubles per vector); the loader picks one at start-up. No
// FMA is enabled, and -ffp-contract=off keeps every product rounded on its
// own, so both builds give the reference results bit for bit.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
#define ELIX_SPAN_CLONES __attribute__((target_clones("avx2", "default")))
#define ELIX_HAS_SPAN_CLONES 1
#else
#define ELIX_SPAN_CLONES
#define ELIX_HAS_SPAN_CLONES 0
#endif

#if defined(__GNUC__)
#define ELIX_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define ELIX_ALWAYS_INLINE inline
#endif

namespace elix {
namespace {

using D = double;

// Sentinel shape of a node that needs no update at all.
constexpr std::uint8_t kSkip = 255;

// The arrays of one component's update: for U the own field is U and the
// other V, for V the other way round.
struct Planes {
    const float* own;
    const float* ownOld;
    float* ownNew;
    const float* other;
    const float* otherOld;
    long stride;
};

// Near cross difference X(F) = F[j+1][i+1] + F[j-1][i-1] - F[j+1][i-1] - F[j-1][i+1].
ELIX_ALWAYS_INLINE D Cross(const float* __restrict f, long p, long s) {
    return D(f[p + s + 1]) + f[p - s - 1] - f[p + s - 1] - f[p - s + 1];
}

// Far cross difference X2(F): the same with offsets of 2.
ELIX_ALWAYS_INLINE D Cross2(const float* __restrict f, long p, long s) {
    return D(f[p + 2 * s + 2]) + f[p - 2 * s - 2] - f[p + 2 * s - 2] - f[p - 2 * s + 2];
}

// Fourth-order second difference (times 12): 16 (F(+1) + F(-1)) - 30 F - (F(+2) + F(-2)).
ELIX_ALWAYS_INLINE D Fourth(const float* __restrict f, long p, long step) {
    return 16.0 * (D(f[p + step]) + f[p - step]) - 30.0 * D(f[p]) - (D(f[p + 2 * step]) + f[p - 2 * step]);
}

// Weights each pure shape reads.
constexpr int WeightCount(int shape) { return shape == 4 || shape == 6 ? 8 : 4; }

// One node of pure shape kShape at offset p; al steps along the own
// direction, ac across it. The formulas and their order are those of the
// reference kernels 1, 3, 4 and 6.
template <int kShape>
ELIX_ALWAYS_INLINE D PureNode(const float* __restrict o, const float* __restrict oo, const float* __restrict t,
                              const float* __restrict to, const D* w, long p, long s, long al, long ac) {
    if constexpr (kShape == 1) {
        // ((O(a-1) + O(a+1)) c1 + (c0 O - O_old)) + (O(c-1) + O(c+1)) c2 + X(T) c3
        return ((D(o[p - al]) + o[p + al]) * w[1] + (w[0] * o[p] - oo[p])) + (D(o[p - ac]) + o[p + ac]) * w[2] +
               Cross(t, p, s) * w[3];
    } else if constexpr (kShape == 4) {
        // kernel 1's terms with c0 O alone, then the level n-1 terms c4..c7
        return (D(o[p - al]) + o[p + al]) * w[1] + w[0] * o[p] + (D(o[p - ac]) + o[p + ac]) * w[2] +
               Cross(t, p, s) * w[3] + (D(oo[p - al]) + oo[p + al]) * w[4] + (D(oo[p - ac]) + oo[p + ac]) * w[5] +
               Cross(to, p, s) * w[6] + w[7] * oo[p];
    } else if constexpr (kShape == 3) {
        // (Da(O) c1 + Dc(O) c2 + (16 X(T) - X2(T)) c3) / 12 + (2 O - O_old)
        return (Fourth(o, p, al) * w[1] + Fourth(o, p, ac) * w[2] + (16.0 * Cross(t, p, s) - Cross2(t, p, s)) * w[3]) /
                   12.0 +
               (2.0 * o[p] - oo[p]);
    } else {
        static_assert(kShape == 6);
        return (Fourth(o, p, al) * w[1] + Fourth(o, p, ac) * w[2] + (16.0 * Cross(t, p, s) - Cross2(t, p, s)) * w[3] +
                Fourth(oo, p, al) * w[4] + Fourth(oo, p, ac) * w[5] +
                (16.0 * Cross(to, p, s) - Cross2(to, p, s)) * w[6]) /
                   12.0 +
               (2.0 * o[p] - oo[p]);
    }
}

// Nodes p in [b, e) of one row with the same weights w: a loop without
// branches over contiguous nodes, each result rounded to float once. The
// written level never overlaps the levels read (restrict, and ivdep for the
// vectoriser, which loses restrict through inlining).
template <int kShape, bool kForV>
ELIX_ALWAYS_INLINE void PureLoop(float* __restrict n, const float* __restrict o, const float* __restrict oo,
                                 const float* __restrict t, const float* __restrict to, const D (&w)[8], long s,
                                 long b, long e) {
    const long al = kForV ? s : 1;
    const long ac = kForV ? 1 : s;
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC ivdep
#endif
    for (long p = b; p < e; ++p) n[p] = static_cast<float>(PureNode<kShape>(o, oo, t, to, w, p, s, al, ac));
}

template <int kShape, bool kForV>
ELIX_ALWAYS_INLINE void PureSpan(const Planes& f, const float* c, long b, long e) {
    // The weights are copied out first: the stores cannot then be assumed
    // to change them.
    D w[8] = {};
    for (int k = 0; k < WeightCount(kShape); ++k) w[k] = c[k];
    PureLoop<kShape, kForV>(f.ownNew, f.own, f.ownOld, f.other, f.otherOld, w, f.stride, b, e);
}

template <bool kForV>
ELIX_ALWAYS_INLINE void PureSpanOfShape(int shape, const Planes& f, const float* c, long b, long e) {
    switch (shape) {
        case 1: PureSpan<1, kForV>(f, c, b, e); break;
        case 3: PureSpan<3, kForV>(f, c, b, e); break;
        case 4: PureSpan<4, kForV>(f, c, b, e); break;
        case 6: PureSpan<6, kForV>(f, c, b, e); break;
        default: break;
    }
}

ELIX_SPAN_CLONES void RunPureSpan(int shape, bool forV, const Planes& f, const float* c, long b, long e) {
    if (forV)
        PureSpanOfShape<true>(shape, f, c, b, e);
    else
        PureSpanOfShape<false>(shape, f, c, b, e);
}

#if ELIX_HAS_AVX2_SPANS
// Kernel 1 for U and V together, four nodes per vector of doubles, by hand
// for AVX2: each float of the six rows it reads (U and V at j-1, j, j+1) is
// converted to double once, and its neighbours at i-1 and i+1 are made from
// the converted vectors by two shuffles instead of being loaded and
// converted again. The sums are those of PureNode<1>, term by term, without
// FMA, so the results are the reference's bit for bit.
namespace avx2 {

#define ELIX_AVX2 __attribute__((target("avx2")))

// row[q-1 .. q+2] in double.
ELIX_AVX2 ELIX_ALWAYS_INLINE __m256d Left(const float* row, long q) { return _mm256_cvtps_pd(_mm_loadu_ps(row + q - 1)); }

// One row at nodes p..p+3: its values at i-1, i and i+1, made from
// left = row[p-1 .. p+2] and next = row[p+3 .. p+6].
struct Window {
    __m256d before, at, after;
};

ELIX_AVX2 ELIX_ALWAYS_INLINE Window Slide(__m256d left, __m256d next) {
    Window w;
    w.before = left;
    w.after = _mm256_permute2f128_pd(left, next, 0x21);  // row[p+1 .. p+4]
    w.at = _mm256_shuffle_pd(left, w.after, 0x5);         // row[p .. p+3]
    return w;
}

// The six rows at one group of four nodes, each as Left(row, q).
struct Rows {
    __m256d um, u0, up, vm, v0, vp;
};

struct SecondOrderWeights {
    __m256d u0, u1, u2, u3, v0, v1, v2, v3;
};

ELIX_AVX2 ELIX_ALWAYS_INLINE Rows LoadRows(const float* u, const float* v, long q, long s) {
    return {Left(u, q - s), Left(u, q), Left(u, q + s), Left(v, q - s), Left(v, q), Left(v, q + s)};
}

// Near cross difference X(F) = F(j+1,i+1) + F(j-1,i-1) - F(j+1,i-1) - F(j-1,i+1).
ELIX_AVX2 ELIX_ALWAYS_INLINE __m256d Cross(const Window& below, const Window& above) {
    return _mm256_sub_pd(_mm256_sub_pd(_mm256_add_pd(above.after, below.before), above.before), below.after);
}

// ((O(a-1) + O(a+1)) c1 + (c0 O - O_old)) + (O(c-1) + O(c+1)) c2 + X(T) c3
ELIX_AVX2 ELIX_ALWAYS_INLINE __m128 Kernel1(__m256d along, __m256d across, __m256d own, __m256d old, __m256d cross,
                                            __m256d c0, __m256d c1, __m256d c2, __m256d c3) {
    const __m256d first = _mm256_add_pd(_mm256_mul_pd(along, c1), _mm256_sub_pd(_mm256_mul_pd(c0, own), old));
    const __m256d sum = _mm256_add_pd(_mm256_add_pd(first, _mm256_mul_pd(across, c2)), _mm256_mul_pd(cross, c3));
    return _mm256_cvtpd_ps(sum);
}

// Nodes p..p+3 from the rows at p (left) and at p+4 (next).
ELIX_AVX2 ELIX_ALWAYS_INLINE void Quad(const Planes& fu, const Planes& fv, const SecondOrderWeights& w, long p,
                                       const Rows& left, const Rows& next) {
    const Window um = Slide(left.um, next.um), u0 = Slide(left.u0, next.u0), up = Slide(left.up, next.up);
    const Window vm = Slide(left.vm, next.vm), v0 = Slide(left.v0, next.v0), vp = Slide(left.vp, next.vp);
    const __m256d uOld = _mm256_cvtps_pd(_mm_loadu_ps(fu.ownOld + p));
    const __m256d vOld = _mm256_cvtps_pd(_mm_loadu_ps(fv.ownOld + p));
    // U: along = x (i -+ 1), across = y (j -+ 1); V the other way round.
    _mm_storeu_ps(fu.ownNew + p, Kernel1(_mm256_add_pd(u0.before, u0.after), _mm256_add_pd(um.at, up.at), u0.at, uOld,
                                        Cross(vm, vp), w.u0, w.u1, w.u2, w.u3));
    _mm_storeu_ps(fv.ownNew + p, Kernel1(_mm256_add_pd(vm.at, vp.at), _mm256_add_pd(v0.before, v0.after), v0.at,
                                          vOld, Cross(um, up), w.v0, w.v1, w.v2, w.v3));
}

// Kernel 1 on nodes [b, e) of one row for U and V; returns where it
// stopped (fewer than ten nodes from e), the rest being left to the
// caller. It reads the rows from column b-1 to column e, which a span of
// kernel 1 (all neighbours inside the grid) allows.
ELIX_AVX2 long SecondOrderSpan(const Planes& fu, const Planes& fv, const float* cu, const float* cv, long b, long e) {
    const long s = fu.stride;
    const float* u = fu.own;
    const float* v = fv.own;
    const SecondOrderWeights w{_mm256_set1_pd(cu[0]), _mm256_set1_pd(cu[1]), _mm256_set1_pd(cu[2]),
                               _mm256_set1_pd(cu[3]), _mm256_set1_pd(cv[0]), _mm256_set1_pd(cv[1]),
                               _mm256_set1_pd(cv[2]), _mm256_set1_pd(cv[3])};
    long p = b;
    if (e - p < 10) return p;
    Rows left = LoadRows(u, v, p, s);
    for (; p + 10 <= e; p += 8) {
        const Rows next = LoadRows(u, v, p + 4, s);
        const Rows after = LoadRows(u, v, p + 8, s);
        Quad(fu, fv, w, p, left, next);
        Quad(fu, fv, w, p + 4, next, after);
        left = after;
    }
    return p;
}

#undef ELIX_AVX2

}  // namespace avx2
#endif

// Nodes p in [b, e) of one row with composite shape kShape (7, or 9 with
// the level n-1 terms) and neighbour steps n (all inside the grid, or the
// edge's steps when the span lies on the grid edge): each node reads its
// own weights (the plan's copy in double: the same values, converted
// once), U and then V, with the sums of the reference kernels.
template <int kShape>
void CompositeSpan(CNodeGrid& grid, const double* weights, const std::uint32_t* offsets, const CompositeSteps& n,
                   long b, long e) {
    WaveFields& f = grid.fields;
    const float* u = f.U.data();
    const float* v = f.V.data();
    const float* uo = f.Uold.data();
    const float* vo = f.Vold.data();
    float* un = f.Unew.data();
    float* vn = f.Vnew.data();
    const std::uint32_t* index = grid.index.data();
    for (long p = b; p < e; ++p) {
        const double* cu = weights + offsets[index[p]];
        const double* cv = cu + CFastKernels::kCompositeWeights;
        if constexpr (kShape == 7) {
            un[p] = static_cast<float>(CompositeSum(u, uo, v, cu, p, n));
            vn[p] = static_cast<float>(CompositeSum(v, vo, u, cv, p, n));
        } else {
            static_assert(kShape == 9);
            un[p] = static_cast<float>(CompositeDampedSum(uo, vo, cu, p, n, CompositeSum(u, uo, v, cu, p, n)));
            vn[p] = static_cast<float>(CompositeDampedSum(vo, uo, cv, p, n, CompositeSum(v, vo, u, cv, p, n)));
        }
    }
}

// The span shape of node (i, j): kSkip when the reference update writes
// nothing there; a pure shape when both components use that same kernel
// with all its neighbours inside the grid and a full weight set, a
// composite shape for a composite kernel with a full weight set anywhere;
// else 0 (the node is updated on its own).
std::uint8_t ShapeOf(const CNodeGrid& grid, int i, int j) {
    const std::size_t node = grid.Offset(i, j);
    const std::uint32_t index = grid.index[node];
    if (index == VACUUM_INDEX || index >= grid.sets.size()) return kSkip;
    const int kernelU = KernelFor(grid, node, false);
    const int kernelV = KernelFor(grid, node, true);
    if (kernelU == 0 && kernelV == 0) return kSkip;
    if (kernelU != kernelV) return 0;
    std::size_t need = 0;
    int reach = 1;
    switch (kernelU) {
        case 1: need = 4; break;
        case 4: need = 8; break;
        case 3: need = 4, reach = 2; break;
        case 6: need = 8, reach = 2; break;
        // Composite nodes on the grid edge read no further than the edge
        // (their steps there are 0), so they need no reach.
        case 7: need = 14, reach = 0; break;
        case 9: need = 28, reach = 0; break;
        default: return 0;
    }
    if (i < reach || j < reach || i > grid.nx - reach || j > grid.ny - reach) return 0;
    const CoefficientSet& set = grid.sets[index];
    if (set.u.size() < need || set.v.size() < need) return 0;
    return static_cast<std::uint8_t>(kernelU);
}

bool IsComposite(unsigned shape) { return shape == 7 || shape == 9; }

}  // namespace

bool FastKernelsUseAvx2() {
#if ELIX_HAS_AVX2_SPANS
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

void CFastKernels::Build(const CNodeGrid& grid) {
    m_avx2 = FastKernelsUseAvx2();
    // The weights of every set that composite spans may use (those with the
    // 28 weights of kernel 9, or the 14 of kernel 7), in double, U's then
    // V's; other sets point at a zero block that no span reads.
    m_compositeOffsets.assign(grid.sets.size(), 0);
    m_compositeWeights.assign(2 * kCompositeWeights, 0.0);
    for (std::size_t k = 0; k < grid.sets.size(); ++k) {
        const CoefficientSet& set = grid.sets[k];
        if (set.u.size() < 14 || set.v.size() < 14) continue;
        m_compositeOffsets[k] = static_cast<std::uint32_t>(m_compositeWeights.size());
        for (const std::vector<float>* weights : {&set.u, &set.v})
            for (std::size_t w = 0; w < kCompositeWeights; ++w)
                m_compositeWeights.push_back(w < weights->size() ? (*weights)[w] : 0.0);
    }
    m_rows.assign(static_cast<std::size_t>(std::max(grid.ny + 1, 0)), {});
    for (int j = 0; j <= grid.ny; ++j) RebuildRow(grid, j);
    m_watched.clear();
    m_watchedFlags.clear();
}

void CFastKernels::RebuildRow(const CNodeGrid& grid, int j) {
    std::vector<NodeSpan>& spans = m_rows[static_cast<std::size_t>(j)];
    spans.clear();
    for (int i = 0; i <= grid.nx; ++i) {
        const std::uint8_t shape = ShapeOf(grid, i, j);
        if (shape == kSkip) continue;
        if (!spans.empty()) {
            NodeSpan& last = spans.back();
            // Pure nodes join a span of their own set; composite and
            // per-node ones join any span of their shape, except that a
            // composite node of the first or last column is a span of its
            // own, since its steps differ from those of the row.
            const bool sameKind = shape == 0 ||
                                  (IsComposite(shape) ? last.begin != 0 && i != grid.nx
                                                      : grid.index[grid.Offset(last.begin, j)] ==
                                                            grid.index[grid.Offset(i, j)]);
            const bool joins =
                last.End() == i && last.shape == shape && last.length < NodeSpan::kMaxLength && sameKind;
            if (joins) {
                ++last.length;
                continue;
            }
        }
        NodeSpan span;
        span.begin = i;
        span.length = 1;
        span.shape = shape;
        spans.push_back(span);
    }
    spans.shrink_to_fit();
}

void CFastKernels::Watch(const CNodeGrid& grid, std::vector<std::size_t> nodes) {
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    m_watched = std::move(nodes);
    m_watchedFlags.resize(m_watched.size());
    for (std::size_t k = 0; k < m_watched.size(); ++k) m_watchedFlags[k] = grid.flags[m_watched[k]];
}

void CFastKernels::Refresh(const CNodeGrid& grid) {
    const auto stride = static_cast<std::size_t>(grid.Stride());
    std::size_t lastRow = SIZE_MAX;  // watched nodes are sorted, so rows come in order
    for (std::size_t k = 0; k < m_watched.size(); ++k) {
        const std::uint8_t flags = grid.flags[m_watched[k]];
        if (flags == m_watchedFlags[k]) continue;
        m_watchedFlags[k] = flags;
        const std::size_t row = m_watched[k] / stride;
        if (row != lastRow) RebuildRow(grid, static_cast<int>(row));
        lastRow = row;
    }
}

void CFastKernels::AdvanceRow(CNodeGrid& grid, int j) const {
    WaveFields& f = grid.fields;
    const long stride = grid.Stride();
    const long base = static_cast<long>(j) * stride;
    const Planes u{f.U.data(), f.Uold.data(), f.Unew.data(), f.V.data(), f.Vold.data(), stride};
    const Planes v{f.V.data(), f.Vold.data(), f.Vnew.data(), f.U.data(), f.Uold.data(), stride};
    for (const NodeSpan& span : m_rows[static_cast<std::size_t>(j)]) {
        const long b = base + span.begin;
        const long e = base + span.End();
        switch (span.shape) {
            case 0:
                for (int i = span.begin; i < span.End(); ++i) UpdateNode(grid, i, j);
                break;
            case 7:
            case 9: {
                // Composite spans on the grid edge take the edge's steps.
                const CompositeSteps n = CompositeStepsOf(EdgeFlagsOf(grid, span.begin, j), stride);
                if (span.shape == 7)
                    CompositeSpan<7>(grid, m_compositeWeights.data(), m_compositeOffsets.data(), n, b, e);
                else
                    CompositeSpan<9>(grid, m_compositeWeights.data(), m_compositeOffsets.data(), n, b, e);
                break;
            }
            default: {
                const CoefficientSet& set = grid.sets[grid.index[static_cast<std::size_t>(b)]];
                long from = b;
#if ELIX_HAS_AVX2_SPANS
                if (span.shape == 1 && m_avx2) from = avx2::SecondOrderSpan(u, v, set.u.data(), set.v.data(), b, e);
#endif
                RunPureSpan(span.shape, false, u, set.u.data(), from, e);
                RunPureSpan(span.shape, true, v, set.v.data(), from, e);
            }
        }
    }
}

void CFastKernels::AdvanceRows(CNodeGrid& grid, int firstRow, int lastRow) const {
    for (int j = firstRow; j <= lastRow; ++j) AdvanceRow(grid, j);
}

std::size_t CFastKernels::PlanBytes() const {
    std::size_t bytes = m_rows.capacity() * sizeof(std::vector<NodeSpan>);
    for (const auto& row : m_rows) bytes += row.capacity() * sizeof(NodeSpan);
    return bytes + m_watched.capacity() * sizeof(std::size_t) + m_watchedFlags.capacity() +
           m_compositeOffsets.capacity() * sizeof(std::uint32_t) + m_compositeWeights.capacity() * sizeof(double);
}

}  // namespace elix
