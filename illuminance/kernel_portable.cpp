// The inner loop in portable code: one point at a time, the same operations as the vector loop.
#include "illuminance/kernel.h"

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

/// The lights of `l` at a point, each intensity shaped by `shape`(j, pair) (which
/// multiplies it; a point light's 1 leaves it as it is, as the vector loop has it).
template <bool Up, bool Limited, class Lights, class Shape>
double fromLights(const KernelInput& in, const Lights& l, double px, double py, double pz, double acc, Shape shape) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        Pair p = pairAt<Up>(in, l.x[j], l.y[j], l.z[j], px, py, pz);
        withInverse(p);
        acc = acc + limit<Limited>(l, j, p, l.intensity[j] * shape(j, p) * p.facing * p.r3);
    }
    return acc;
}

template <bool Up, bool Limited>
double fromPoints(const KernelInput& in, const PointArrays& l, double px, double py, double pz, double acc) {
    return fromLights<Up, Limited>(in, l, px, py, pz, acc, [](std::size_t, const Pair&) { return 1.0; });
}

template <bool Up, bool Limited>
double fromSpots(const KernelInput& in, const SpotArrays& l, double px, double py, double pz, double acc) {
    return fromLights<Up, Limited>(in, l, px, py, pz, acc, [&l](std::size_t j, const Pair& p) {
        const double c = (l.nax[j] * p.dx + (l.nay[j] * p.dy + l.naz[j] * p.dz)) * p.r;
        double ramp = (c - l.cosFalloff[j]) * l.rampScale[j];
        ramp = ramp > 0.0 ? ramp : 0.0;
        ramp = ramp < 1.0 ? ramp : 1.0;
        return c >= l.cosHotspot[j] ? 1.0 : ramp;
    });
}

template <bool Up, bool Limited>
double fromWebs(const KernelInput& in, const WebArrays& l, double px, double py, double pz, double acc) {
    for (std::size_t j = 0; j < l.size(); ++j) {
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
        acc = acc + limit<Limited>(l, j, p, l.intensity[j] * value * p.facing * p.r3);
    }
    return acc;
}

template <bool Up>
void row(const KernelInput& in, const double* xs, std::size_t count, double y, double z, double* out) {
    const LightSet& u = *in.unlimited;
    const LightSet& l = *in.limited;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = xs[i];
        double acc = 0.0;
        acc = fromPoints<Up, false>(in, u.points, x, y, z, acc);
        acc = fromSpots<Up, false>(in, u.spots, x, y, z, acc);
        acc = fromWebs<Up, false>(in, u.webs, x, y, z, acc);
        acc = fromPoints<Up, true>(in, l.points, x, y, z, acc);
        acc = fromSpots<Up, true>(in, l.spots, x, y, z, acc);
        acc = fromWebs<Up, true>(in, l.webs, x, y, z, acc);
        out[i] = acc + in.base;
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
