// The inner loop of the calculation: the illuminance at a row of points from the lights of a
// calculation, on the processor's vector unit where it has one and in portable code elsewhere.
//
// Both kinds of code do the same operations in the same order, without fused multiply-adds,
// so that they give the same numbers to the last bit. The loop is bound by the square root
// and the division of 1 / d; the web angles add one division each and a series, and every
// other step runs beside them on the multipliers and adders.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "illuminance/light_arrays.h"
#include "illuminance/web_table.h"

namespace plandor::illuminance {

struct WebTable;

/// A web table as the inner loop reads it: an even table's axes in radians.
struct WebLookup {
    const WebTable* table = nullptr;
    const double* relative = nullptr;
    int type = 1;  ///< PhotometricWeb::Type
    bool even = false;
    bool everywhere = false;  ///< the table covers every direction (type C from 0 to 180)
    std::int32_t verticalCount = 0;
    double vFirst = 0.0, vInverseStep = 0.0, vLast = 0.0;  ///< radians, samples per radian, last index
    double hFirst = 0.0, hInverseStep = 0.0, hLast = 0.0;
};

/// What the evaluation of a row of points reads.
struct KernelInput {
    const LightSet* unlimited = nullptr;
    const LightSet* limited = nullptr;    ///< those of the lights with limits that may reach the row
    const WebLookup* webs = nullptr;      ///< by WebArrays::table
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
#define PL_ILLUMINANCE_AVX2 1
void avx2Row(const KernelInput& input, const double* xs, std::size_t count, double y, double z, double* out);
#endif

namespace kernel {

inline constexpr double kDegreesPerRadian = 180.0 / 3.141592653589793;

/// d^2 is taken within these bounds (in square metres): a point on a light gets 0 from it (its
/// cosine is 0) and one beyond 1e50 metres next to nothing, without a division by zero or an
/// overflow.
inline constexpr double kLeastSquare = 1e-100;
inline constexpr double kMostSquare = 1e100;

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTan15 = 0.2679491924311227;  ///< tan(15 degrees)
inline constexpr double kSqrt3 = 1.7320508075688772;
/// atan(z) = z * P(w), w = z^2, for |z| <= tan(15 degrees): the series 1 - w/3 + w^2/5 - ...
/// economised to seven terms over that range (Chebyshev), within 2e-14 radians. P is summed
/// in pairs (Estrin's scheme), so that its steps need not wait for one another.
inline constexpr double kAtanSeries[7] = {
    0.9999999999999365,  -0.333333333246251,   0.19999998046971443, -0.14285549606574388,
    0.11104468857726708, -0.08952129267693995, 0.06221828972710205,
};

inline double atanSeries(double w) {
    const double* c = kAtanSeries;
    const double w2 = w * w, w4 = w2 * w2;
    const double p01 = c[0] + c[1] * w, p23 = c[2] + c[3] * w, p45 = c[4] + c[5] * w;
    return (p01 + p23 * w2) + (p45 + c[6] * w2) * w4;
}

/// Magnitudes below this count as 0 in an atan2 (they lie far below any length of a drawing).
inline constexpr double kLeastMagnitude = 1e-100;

/// atan2(y, x) taken apart around its division: the ratio t of the smaller to the larger
/// magnitude is taken to |z| <= tan(15 degrees), z = num / den, by atan(t) = 30 degrees +
/// atan((sqrt(3) t - 1) / (t + sqrt(3))) where t is larger. Both magnitudes 0: z = 0.
struct AtanParts {
    double num, den;
    bool swapped, far;
};

inline AtanParts atanParts(double y, double x) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    AtanParts p;
    p.swapped = ay > ax;
    const double small = p.swapped ? ax : ay, large = p.swapped ? ay : ax;
    p.far = small > kTan15 * large;
    p.num = p.far ? kSqrt3 * small - large : small;
    p.den = p.far ? small + kSqrt3 * large : large;
    p.den = p.den > kLeastMagnitude ? p.den : kLeastMagnitude;
    return p;
}

/// atan2(y, x), -pi to pi, from its parts and z = num / den.
inline double atanOf(const AtanParts& p, double z, double y, double x) {
    double a = z * atanSeries(z * z);
    a = p.far ? a + kPi / 6.0 : a;
    a = p.swapped ? kPi / 2.0 - a : a;
    a = x < 0.0 ? kPi - a : a;
    return std::signbit(y) ? -a : a;
}

/// The web angles in radians toward the way (x, y, z) in the light's frame, as
/// plsim::scene::webAngles has them (type C horizontal 0 to 2 pi), and `r` = 1 / s, s the
/// way's length: the two divisions of the angles and that of 1 / s done as one.
inline void webAngles(int type, double x, double y, double z, double s, double& vertical, double& horizontal,
                      double& r) {
    double y1, x1, y2, x2;
    switch (type) {
        case 2:  // B
            y1 = y, x1 = -z, y2 = x, x2 = std::sqrt(y * y + z * z);
            break;
        case 3:  // A
            y1 = y, x1 = std::sqrt(x * x + z * z), y2 = x, x2 = -z;
            break;
        default:  // C
            y1 = std::sqrt(x * x + y * y), x1 = -z, y2 = y, x2 = x;
            break;
    }
    const AtanParts a = atanParts(y1, x1), b = atanParts(y2, x2);
    const double dens = a.den * b.den;
    const double inverse = 1.0 / (dens * s);
    r = dens * inverse;
    const double perDens = s * inverse;
    vertical = atanOf(a, a.num * (b.den * perDens), y1, x1);
    horizontal = atanOf(b, b.num * (a.den * perDens), y2, x2);
    if (type == 1) horizontal = horizontal < 0.0 ? horizontal + 2.0 * kPi : horizontal;
}

/// Where an angle lies on an even axis given in radians: the interval and the fraction, as
/// WebAxis::locate has them; false off the axis.
inline bool placeOn(double angle, double first, double inverseStep, double last, double& f, double& t) {
    double u = (angle - first) * inverseStep;
    const bool on = u >= -kAxisTolerance && u <= last + kAxisTolerance;
    u = u > 0.0 ? u : 0.0;
    u = u < last ? u : last;
    f = std::floor(u);
    f = f < last - 1.0 ? f : last - 1.0;
    t = u - f;
    return on;
}

/// The web's value (over its peak) toward `vertical`, `horizontal`, in radians.
inline double webValue(const WebLookup& web, double vertical, double horizontal) {
    if (!web.even) return web.table->at(vertical * kDegreesPerRadian, horizontal * kDegreesPerRadian);
    double fv, tv, fh, th;
    const bool onV = placeOn(vertical, web.vFirst, web.vInverseStep, web.vLast, fv, tv);
    const bool onH = placeOn(horizontal, web.hFirst, web.hInverseStep, web.hLast, fh, th);
    const double* low = web.relative + static_cast<std::ptrdiff_t>(fh * web.verticalCount + fv);
    const double* high = low + web.verticalCount;
    const double lo = low[0] + tv * (low[1] - low[0]);
    const double hi = high[0] + tv * (high[1] - high[0]);
    return onV && onH ? lo + th * (hi - lo) : 0.0;
}

}  // namespace kernel
}  // namespace plandor::illuminance
