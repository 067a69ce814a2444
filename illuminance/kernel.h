// The inner loop of the calculation: the illuminance at a row of points from the lights of a
// calculation, on the processor's vector unit where it has one and in portable code elsewhere.
//
// Both kinds of code do the same operations in the same order, without fused multiply-adds,
// so that they give the same numbers to the last bit. The two costly steps are done
// without the processor's slow units: 1 / sqrt(d^2) starts from the exponent halved (an
// integer subtraction) and four Newton steps take it to full precision; the web angles use a
// single division each and a series.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "illuminance/light_arrays.h"

namespace plandor::illuminance {

struct WebTable;

/// A web table as the vector loop reads it.
struct WebLookup {
    const WebTable* table = nullptr;
    const double* relative = nullptr;
    int type = 1;  ///< PhotometricWeb::Type
    bool even = false;
    std::int32_t verticalCount = 0;
    double vFirst = 0.0, vInverseStep = 0.0, vLast = 0.0;
    double hFirst = 0.0, hInverseStep = 0.0, hLast = 0.0;
};

/// What the evaluation of a row of points reads.
struct KernelInput {
    const LightSet* unlimited = nullptr;
    const LightSet* limited = nullptr;  ///< those of the lights with limits that may reach the row
    const WebLookup* webs = nullptr;    ///< by WebArrays::table
    double nx = 0.0, ny = 0.0, nz = 1.0;  ///< the surface's unit normal
    bool facingUp = true;                 ///< the normal is 0, 0, 1
    double base = 0.0;                    ///< what the distant lights give every point
};

/// Writes to out[i] the illuminance at (xs[i], y, z), i < count, all in metres: the
/// unlimited lights' points, spots and webs, then the limited ones', then the base.
using RowKernel = void (*)(const KernelInput& input, const double* xs, std::size_t count, double y, double z,
                           double* out);

void portableRow(const KernelInput& input, const double* xs, std::size_t count, double y, double z, double* out);
#if defined(__x86_64__) || defined(_M_X64)
#  define PL_ILLUMINANCE_AVX2 1
void avx2Row(const KernelInput& input, const double* xs, std::size_t count, double y, double z, double* out);
#endif

namespace kernel {

/// d^2 is taken within these bounds: a point on a light gets 0 from it (its cosine is 0) and
/// one beyond 1e50 metres nothing, without a division by zero or an overflow.
inline constexpr double kLeastSquare = 1e-100;
inline constexpr double kMostSquare = 1e100;

/// Half the exponent subtracted from this gives 1 / sqrt(x) within 3.5 %.
inline constexpr std::uint64_t kInverseSqrtMagic = 0x5FE6EB50C7B537A9ull;
inline constexpr int kNewtonSteps = 4;

/// 1 / sqrt(x) for x within the bounds above, to a few units of the last place.
inline double inverseSqrt(double x) {
    double y = std::bit_cast<double>(kInverseSqrtMagic - (std::bit_cast<std::uint64_t>(x) >> 1));
    const double half = 0.5 * x;
    for (int i = 0; i < kNewtonSteps; ++i) y = y * (1.5 - half * (y * y));
    return y;
}

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegreesPerRadian = 180.0 / kPi;
inline constexpr double kTan15 = 0.2679491924311227;  ///< tan(15 degrees)
inline constexpr double kSqrt3 = 1.7320508075688772;
/// atan(z) = z * (1 - w/3 + w^2/5 - ...), w = z^2; with |z| <= tan(15 degrees) twelve terms
/// leave less than 1e-15.
inline constexpr int kAtanTerms = 12;
inline constexpr double kAtanSeries[kAtanTerms] = {
    1.0,       -1.0 / 3.0,  1.0 / 5.0,  -1.0 / 7.0,  1.0 / 9.0,  -1.0 / 11.0,
    1.0 / 13.0, -1.0 / 15.0, 1.0 / 17.0, -1.0 / 19.0, 1.0 / 21.0, -1.0 / 23.0,
};

/// atan2(y, x) in degrees, -180 to 180; 0 when both are 0. The ratio of the smaller to the
/// larger magnitude t is taken to |z| <= tan(15 degrees) by atan(t) = 30 degrees +
/// atan((sqrt(3) t - 1) / (t + sqrt(3))), in one division.
inline double atan2Degrees(double y, double x) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    const bool swapped = ay > ax;
    const double small = swapped ? ax : ay, large = swapped ? ay : ax;
    const bool far = small > kTan15 * large;
    const double num = far ? kSqrt3 * small - large : small;
    double den = far ? small + kSqrt3 * large : large;
    den = den == 0.0 ? 1.0 : den;
    const double z = num / den;
    const double w = z * z;
    double p = kAtanSeries[kAtanTerms - 1];
    for (int k = kAtanTerms - 2; k >= 0; --k) p = p * w + kAtanSeries[k];
    double a = z * p;
    a = far ? a + kPi / 6.0 : a;
    a = swapped ? kPi / 2.0 - a : a;
    a = x < 0.0 ? kPi - a : a;
    a = y < 0.0 ? -a : a;
    return a * kDegreesPerRadian;
}

}  // namespace kernel
}  // namespace plandor::illuminance
