// The complex fast Fourier transform of the spectrum plots: radix 2, in
// place, the input first put into bit-reversed order and then combined in
// log2(n) butterfly stages.
#pragma once

#include <complex>
#include <vector>

namespace elix {

// True when n is 1, 2, 4, 8, ...
bool IsPowerOfTwo(std::size_t n);

// The smallest power of two that is not below n (1 for n = 0 or 1).
std::size_t NextPowerOfTwo(std::size_t n);

// Replaces data by its discrete Fourier transform
//   X[k] = sum_{j=0}^{n-1} x[j] exp(-2 pi i j k / n),
// unnormalised. False, data unchanged, when its length is not a power of
// two (an empty array is refused too).
bool FourierTransform(std::vector<std::complex<double>>& data);

}  // namespace elix
