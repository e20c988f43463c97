#include "analysis/fft.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace elix {
namespace {

// Puts element j at the index whose log2(n) bits are those of j reversed.
void BitReverseOrder(std::vector<std::complex<double>>& data) {
    const std::size_t n = data.size();
    std::size_t j = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (i < j) std::swap(data[i], data[j]);
        // Add one to j counting from its highest bit downward.
        std::size_t bit = n >> 1;
        while (j & bit) {
            j ^= bit;
            bit >>= 1;
        }
        j |= bit;
    }
}

}  // namespace

bool IsPowerOfTwo(std::size_t n) {
    return n != 0 && (n & (n - 1)) == 0;
}

std::size_t NextPowerOfTwo(std::size_t n) {
    std::size_t p = 1;
    while (p < n) p <<= 1;
    return p;
}

bool FourierTransform(std::vector<std::complex<double>>& data) {
    const std::size_t n = data.size();
    if (!IsPowerOfTwo(n)) return false;
    BitReverseOrder(data);
    // Stage with blocks of length `span`: the pair (a, b) half a block apart
    // becomes (a + w b, a - w b) with the twiddle w = exp(-2 pi i k / span).
    for (std::size_t span = 2; span <= n; span <<= 1) {
        const std::size_t half = span / 2;
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(span);
        for (std::size_t k = 0; k < half; ++k) {
            const std::complex<double> w = std::polar(1.0, angle * static_cast<double>(k));
            for (std::size_t start = 0; start < n; start += span) {
                std::complex<double>& a = data[start + k];
                std::complex<double>& b = data[start + k + half];
                const std::complex<double> t = w * b;
                b = a - t;
                a += t;
            }
        }
    }
    return true;
}

}  // namespace elix
