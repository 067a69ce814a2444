// The inner loop in portable code: the same operations as the vector loop, sixteen points a light at a time.
#include "illuminance/kernel.h"

#include <algorithm>

namespace plandor::illuminance {
namespace {

using namespace kernel;

/// What a light at lx, ly, lz has in common with every other kind at one point: the way to
/// it, d^2 (and within the bounds), the cosine term n . (light - point), not below 0, and,
/// once worked out, 1 / d and 1 / d^3.
struct Pair {
    double dx, dy, dz, d2, bounded, facing, r, r3;
};

template <bool Up>
Pair pairAt(const KernelInput& in, double lx, double ly, double lz, double px, double py, double pz) {
    Pair p;
    p.dx = lx - px;
    p.dy = ly - py;
    p.dz = lz - pz;
    p.d2 = p.dx * p.dx + (p.dy * p.dy + p.dz * p.dz);
    p.bounded = p.d2 > kLeastSquare ? p.d2 : kLeastSquare;
    p.bounded = p.bounded < kMostSquare ? p.bounded : kMostSquare;
    const double facing = Up ? p.dz : in.nx * p.dx + (in.ny * p.dy + in.nz * p.dz);
    p.facing = facing > 0.0 ? facing : 0.0;
    p.r = p.r3 = 0.0;
    return p;
}

void withInverse(Pair& p) {
    p.r = 1.0 / std::sqrt(p.bounded);
    p.r3 = p.r * p.r * p.r;
}

template <bool Limited>
double limit(const PointArrays& lights, std::size_t j, const Pair& p, double e) {
    if constexpr (Limited) return p.d2 >= lights.start2[j] && p.d2 <= lights.end2[j] ? e : 0.0;
    return e;
}

/// Points computed side by side, each light's loop over them running without a dependence
/// from one point to the next (the compiler may use the vector unit the build allows).
constexpr std::size_t kGroup = 16;

/// The lights of `l` at the `count` points (xs[k], py, pz), each intensity shaped by
/// `shape`(j, pair) (which multiplies it; a point light's 1 leaves it as it is, as the
/// vector loop has it), added to acc[k].
template <bool Up, bool Limited, class Lights, class Shape>
void fromLights(const KernelInput& in, const Lights& l, const double* xs, std::size_t count, double py, double pz,
                double* acc, Shape shape) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const double lx = l.x[j], ly = l.y[j], lz = l.z[j], intensity = l.intensity[j];
        for (std::size_t k = 0; k < count; ++k) {
            Pair p = pairAt<Up>(in, lx, ly, lz, xs[k], py, pz);
            withInverse(p);
            acc[k] = acc[k] + limit<Limited>(l, j, p, intensity * shape(j, p) * p.facing * p.r3);
        }
    }
}

template <bool Up, bool Limited>
void fromPoints(const KernelInput& in, const PointArrays& l, const double* xs, std::size_t count, double py, double pz,
                double* acc) {
    fromLights<Up, Limited>(in, l, xs, count, py, pz, acc, [](std::size_t, const Pair&) { return 1.0; });
}

template <bool Up, bool Limited>
void fromSpots(const KernelInput& in, const SpotArrays& l, const double* xs, std::size_t count, double py, double pz,
               double* acc) {
    fromLights<Up, Limited>(in, l, xs, count, py, pz, acc, [&l](std::size_t j, const Pair& p) {
        const double c = (l.nax[j] * p.dx + (l.nay[j] * p.dy + l.naz[j] * p.dz)) * p.r;
        double ramp = (c - l.cosFalloff[j]) * l.rampScale[j];
        ramp = ramp > 0.0 ? ramp : 0.0;
        ramp = ramp < 1.0 ? ramp : 1.0;
        return c >= l.cosHotspot[j] ? 1.0 : ramp;
    });
}

/// One web light at one point.
template <bool Up, bool Limited>
double fromWeb(const KernelInput& in, const WebArrays& l, std::size_t j, double px, double py, double pz, double acc) {
    Pair p = pairAt<Up>(in, l.x[j], l.y[j], l.z[j], px, py, pz);
    const auto& f = l.frame;
    const double x = f[0][j] * p.dx + (f[1][j] * p.dy + f[2][j] * p.dz);
    const double y = f[3][j] * p.dx + (f[4][j] * p.dy + f[5][j] * p.dz);
    const double z = f[6][j] * p.dx + (f[7][j] * p.dy + f[8][j] * p.dz);
    const WebLookup& web = in.webs[l.table[j]];
    double vertical = 0.0, horizontal = 0.0;
    webAngles(web.type, x, y, z, std::sqrt(p.bounded), vertical, horizontal, p.r);
    p.r3 = p.r * p.r * p.r;
    const double value = webValue(web, vertical, horizontal);
    return acc + limit<Limited>(l, j, p, l.intensity[j] * value * p.facing * p.r3);
}

template <bool Up, bool Limited>
void fromWebs(const KernelInput& in, const WebArrays& l, const double* xs, std::size_t count, double py, double pz,
              double* acc) {
    for (std::size_t j = 0; j < l.size(); ++j)
        for (std::size_t k = 0; k < count; ++k) acc[k] = fromWeb<Up, Limited>(in, l, j, xs[k], py, pz, acc[k]);
}

template <bool Up>
void row(const KernelInput& in, const double* xs, std::size_t count, double y, double z, double* out) {
    const LightSet& u = *in.unlimited;
    const LightSet& l = *in.limited;
    for (std::size_t i = 0; i < count; i += kGroup) {
        const std::size_t n = std::min(kGroup, count - i);
        double acc[kGroup] = {};
        fromPoints<Up, false>(in, u.points, xs + i, n, y, z, acc);
        fromSpots<Up, false>(in, u.spots, xs + i, n, y, z, acc);
        fromWebs<Up, false>(in, u.webs, xs + i, n, y, z, acc);
        fromPoints<Up, true>(in, l.points, xs + i, n, y, z, acc);
        fromSpots<Up, true>(in, l.spots, xs + i, n, y, z, acc);
        fromWebs<Up, true>(in, l.webs, xs + i, n, y, z, acc);
        for (std::size_t k = 0; k < n; ++k) out[i + k] = acc[k] + in.base;
    }
}

}  // namespace

void portableRow(const KernelInput& input, const double* xs, std::size_t count, double y, double z, double* out) {
    if (input.facingUp) {
        row<true>(input, xs, count, y, z, out);
    } else {
        row<false>(input, xs, count, y, z, out);
    }
}

}  // namespace plandor::illuminance
