// The inner loop on the AVX2 vector unit: sixteen points a light at a time, in four vectors of
// four whose independent chains keep the square root and division unit busy, the same
// operations as the portable loop. Only the functions of this file use AVX2,
// each marked for it; the program chooses them at run time when the processor has it.
#include "illuminance/kernel.h"

#if defined(PL_ILLUMINANCE_AVX2)

#include <immintrin.h>

#define PL_AVX2 __attribute__((target("avx2")))

namespace plandor::illuminance {
namespace {

using namespace kernel;
using V = __m256d;

/// Vectors of four points computed side by side.
constexpr int kVectors = 4;
constexpr std::size_t kGroup = 4 * kVectors;

PL_AVX2 inline V all(double v) { return _mm256_set1_pd(v); }
PL_AVX2 inline V add(V a, V b) { return _mm256_add_pd(a, b); }
PL_AVX2 inline V sub(V a, V b) { return _mm256_sub_pd(a, b); }
PL_AVX2 inline V mul(V a, V b) { return _mm256_mul_pd(a, b); }
/// a > b ? a : b and a < b ? a : b, lane by lane, as the portable loop writes them.
PL_AVX2 inline V larger(V a, V b) { return _mm256_max_pd(a, b); }
PL_AVX2 inline V smaller(V a, V b) { return _mm256_min_pd(a, b); }
/// mask ? b : a
PL_AVX2 inline V pick(V a, V b, V mask) { return _mm256_blendv_pd(a, b, mask); }
PL_AVX2 inline V negated(V a) { return _mm256_xor_pd(a, _mm256_set1_pd(-0.0)); }
PL_AVX2 inline V magnitude(V a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
PL_AVX2 inline V greater(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
PL_AVX2 inline V less(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
PL_AVX2 inline V atLeast(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
PL_AVX2 inline V atMost(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }

/// base[index[i]] and base[index[i] + 1], lane by lane: two loads of a pair each for two
/// lanes, which this processor does faster than its gathers.
PL_AVX2 inline void pairsAt(const double* base, const std::int32_t (&index)[4], V& first, V& second) {
    const V lanes02 = _mm256_set_m128d(_mm_loadu_pd(base + index[2]), _mm_loadu_pd(base + index[0]));
    const V lanes13 = _mm256_set_m128d(_mm_loadu_pd(base + index[3]), _mm_loadu_pd(base + index[1]));
    first = _mm256_unpacklo_pd(lanes02, lanes13);
    second = _mm256_unpackhi_pd(lanes02, lanes13);
}

/// kernel::AtanParts of vectors.
struct AtanPartsV {
    V num, den, swapped, far;
};

PL_AVX2 inline AtanPartsV atanParts(V y, V x) {
    const V ax = magnitude(x), ay = magnitude(y);
    AtanPartsV p;
    p.swapped = greater(ay, ax);
    const V small = pick(ay, ax, p.swapped), large = pick(ax, ay, p.swapped);
    p.far = greater(small, mul(all(kTan15), large));
    p.num = pick(small, sub(mul(all(kSqrt3), small), large), p.far);
    p.den = larger(pick(large, add(small, mul(all(kSqrt3), large)), p.far), all(kLeastMagnitude));
    return p;
}

PL_AVX2 inline V atanOf(const AtanPartsV& p, V z, V y, V x) {
    const V zero = _mm256_setzero_pd();
    const double* c = kAtanSeries;
    const V w = mul(z, z);
    const V w2 = mul(w, w), w4 = mul(w2, w2);
    const V p01 = add(all(c[0]), mul(all(c[1]), w)), p23 = add(all(c[2]), mul(all(c[3]), w));
    const V p45 = add(all(c[4]), mul(all(c[5]), w));
    V a = mul(z, add(add(p01, mul(p23, w2)), mul(add(p45, mul(all(c[6]), w2)), w4)));
    a = pick(a, add(a, all(kPi / 6.0)), p.far);
    a = pick(a, sub(all(kPi / 2.0), a), p.swapped);
    a = pick(a, sub(all(kPi), a), less(x, zero));
    return _mm256_xor_pd(a, _mm256_and_pd(y, all(-0.0)));  // -a where y has its sign bit set
}

struct Normal {
    V x, y, z;
};

/// What a light has in common with every other kind at the points of a group (one row): the
/// parts of the way to it that are the same for all of them, and the cosine term's.
struct Light {
    V x, dy, dz, yz2, facingRest;
};

template <bool Up>
PL_AVX2 inline Light lightAt(const Normal& n, double lx, double ly, double lz, V y, V z) {
    Light c;
    c.x = all(lx);
    c.dy = sub(all(ly), y);
    c.dz = sub(all(lz), z);
    c.yz2 = add(mul(c.dy, c.dy), mul(c.dz, c.dz));
    c.facingRest = Up ? c.dz : add(mul(n.y, c.dy), mul(n.z, c.dz));
    return c;
}

/// ... and at four of the points: the way's X, d^2 (and within the bounds), the cosine term
/// not below 0, and 1 / d and 1 / d^3, as the portable loop has them.
struct Pair {
    V dx, d2, bounded, facing, r, r3;
};

template <bool Up>
PL_AVX2 inline Pair pairAt(const Normal& n, const Light& c, V px) {
    Pair q;
    q.dx = sub(c.x, px);
    q.d2 = add(mul(q.dx, q.dx), c.yz2);
    q.bounded = smaller(larger(q.d2, all(kLeastSquare)), all(kMostSquare));
    const V facing = Up ? c.facingRest : add(mul(n.x, q.dx), c.facingRest);
    q.facing = larger(facing, _mm256_setzero_pd());
    return q;
}

PL_AVX2 inline void withInverse(Pair& q) {
    q.r = _mm256_div_pd(all(1.0), _mm256_sqrt_pd(q.bounded));
    q.r3 = mul(mul(q.r, q.r), q.r);
}

template <bool Limited>
PL_AVX2 inline V limit(const PointArrays& l, std::size_t j, V d2, V e) {
    if constexpr (Limited) {
        const V in = _mm256_and_pd(atLeast(d2, all(l.start2[j])), atMost(d2, all(l.end2[j])));
        return _mm256_and_pd(e, in);
    }
    return e;
}

/// The points of a group: their X, vector by vector, and the row's Y and Z.
struct Group {
    V x[kVectors];
    V y, z;
};

template <bool Up, bool Limited>
PL_AVX2 inline void fromPoints(const Normal& n, const PointArrays& l, const Group& g, V (&acc)[kVectors]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const Light c = lightAt<Up>(n, l.x[j], l.y[j], l.z[j], g.y, g.z);
        const V intensity = all(l.intensity[j]);
#pragma GCC unroll 4
        for (int h = 0; h < kVectors; ++h) {
            Pair q = pairAt<Up>(n, c, g.x[h]);
            withInverse(q);
            acc[h] = add(acc[h], limit<Limited>(l, j, q.d2, mul(mul(intensity, q.facing), q.r3)));
        }
    }
}

template <bool Up, bool Limited>
PL_AVX2 inline void fromSpots(const Normal& n, const SpotArrays& l, const Group& g, V (&acc)[kVectors]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const Light c = lightAt<Up>(n, l.x[j], l.y[j], l.z[j], g.y, g.z);
        const V intensity = all(l.intensity[j]), ax = all(l.nax[j]);
        const V axisRest = add(mul(all(l.nay[j]), c.dy), mul(all(l.naz[j]), c.dz));
        const V cosFalloff = all(l.cosFalloff[j]), rampScale = all(l.rampScale[j]), cosHotspot = all(l.cosHotspot[j]);
#pragma GCC unroll 4
        for (int h = 0; h < kVectors; ++h) {
            Pair q = pairAt<Up>(n, c, g.x[h]);
            withInverse(q);
            const V cosine = mul(add(mul(ax, q.dx), axisRest), q.r);
            V ramp = mul(sub(cosine, cosFalloff), rampScale);
            ramp = smaller(larger(ramp, _mm256_setzero_pd()), all(1.0));
            const V factor = pick(ramp, all(1.0), atLeast(cosine, cosHotspot));
            acc[h] = add(acc[h], limit<Limited>(l, j, q.d2, mul(mul(mul(intensity, factor), q.facing), q.r3)));
        }
    }
}

/// Where a lane lies on an even axis, as kernel::placeOn: the interval's index, the
/// fraction, and whether it is on the axis.
struct Place {
    V f, t, on;
};

PL_AVX2 inline Place placeOn(V angle, double first, double inverseStep, double last) {
    V u = mul(sub(angle, all(first)), all(inverseStep));
    const V on = _mm256_and_pd(atLeast(u, all(-kAxisTolerance)), atMost(u, all(last + kAxisTolerance)));
    u = smaller(larger(u, _mm256_setzero_pd()), all(last));
    const V f = smaller(_mm256_floor_pd(u), all(last - 1.0));
    return {f, sub(u, f), on};
}

/// The table's values toward `vertical`, `horizontal` (radians), as kernel::webValue.
PL_AVX2 inline void lookup(const WebLookup& web, const V (&vertical)[kVectors], const V (&horizontal)[kVectors],
                           V (&value)[kVectors]) {
    if (!web.even) {
        for (int h = 0; h < kVectors; ++h) {
            alignas(32) double v[4], a[4], out[4];
            _mm256_store_pd(v, vertical[h]);
            _mm256_store_pd(a, horizontal[h]);
            for (int i = 0; i < 4; ++i) out[i] = webValue(web, v[i], a[i]);
            value[h] = _mm256_load_pd(out);
        }
        return;
    }
    const double* row = web.relative;
    const double* next = web.relative + web.verticalCount;
    const V count = all(static_cast<double>(web.verticalCount));
#pragma GCC unroll 4
    for (int h = 0; h < kVectors; ++h) {
        const Place pv = placeOn(vertical[h], web.vFirst, web.vInverseStep, web.vLast);
        const Place ph = placeOn(horizontal[h], web.hFirst, web.hInverseStep, web.hLast);
        alignas(16) std::int32_t index[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm256_cvttpd_epi32(add(mul(ph.f, count), pv.f)));
        V a, b, c, d;
        pairsAt(row, index, a, b);
        pairsAt(next, index, c, d);
        const V lo = add(a, mul(pv.t, sub(b, a)));
        const V hi = add(c, mul(pv.t, sub(d, c)));
        const V v = add(lo, mul(ph.t, sub(hi, lo)));
        value[h] = web.everywhere ? v : _mm256_and_pd(v, _mm256_and_pd(pv.on, ph.on));
    }
}

template <bool Up, bool Limited>
PL_AVX2 inline void fromWebs(const Normal& n, const WebArrays& l, const WebLookup* webs, const Group& g,
                             V (&acc)[kVectors]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const Light c = lightAt<Up>(n, l.x[j], l.y[j], l.z[j], g.y, g.z);
        const V intensity = all(l.intensity[j]);
        const auto& f = l.frame;
        const V fx = all(f[0][j]), fy = all(f[3][j]), fz = all(f[6][j]);
        const V restX = add(mul(all(f[1][j]), c.dy), mul(all(f[2][j]), c.dz));
        const V restY = add(mul(all(f[4][j]), c.dy), mul(all(f[5][j]), c.dz));
        const V restZ = add(mul(all(f[7][j]), c.dy), mul(all(f[8][j]), c.dz));
        const WebLookup& web = webs[l.table[j]];
        // The way to each point in the light's frame and what its two angles are the atan2 of,
        // each step done for every vector before the next, so that their chains run side by side.
        Pair q[kVectors];
        V s[kVectors], y1[kVectors], x1[kVectors], y2[kVectors], x2[kVectors];
#pragma GCC unroll 4
        for (int h = 0; h < kVectors; ++h) {
            q[h] = pairAt<Up>(n, c, g.x[h]);
            s[h] = _mm256_sqrt_pd(q[h].bounded);
            const V x = add(mul(fx, q[h].dx), restX);
            const V y = add(mul(fy, q[h].dx), restY);
            const V z = add(mul(fz, q[h].dx), restZ);
            switch (web.type) {
                case 2:  // B
                    y1[h] = y, x1[h] = negated(z), y2[h] = x, x2[h] = _mm256_sqrt_pd(add(mul(y, y), mul(z, z)));
                    break;
                case 3:  // A
                    y1[h] = y, x1[h] = _mm256_sqrt_pd(add(mul(x, x), mul(z, z))), y2[h] = x, x2[h] = negated(z);
                    break;
                default:  // C
                    y1[h] = _mm256_sqrt_pd(add(mul(x, x), mul(y, y))), x1[h] = negated(z), y2[h] = y, x2[h] = x;
                    break;
            }
        }
        V vertical[kVectors], horizontal[kVectors], value[kVectors];
#pragma GCC unroll 4
        for (int h = 0; h < kVectors; ++h) {
            const AtanPartsV a = atanParts(y1[h], x1[h]), b = atanParts(y2[h], x2[h]);
            const V dens = mul(a.den, b.den);
            const V inverse = _mm256_div_pd(all(1.0), mul(dens, s[h]));
            q[h].r = mul(dens, inverse);
            q[h].r3 = mul(mul(q[h].r, q[h].r), q[h].r);
            const V perDens = mul(s[h], inverse);
            vertical[h] = atanOf(a, mul(a.num, mul(b.den, perDens)), y1[h], x1[h]);
            const V angle = atanOf(b, mul(b.num, mul(a.den, perDens)), y2[h], x2[h]);
            horizontal[h] =
                web.type == 1 ? pick(angle, add(angle, all(2.0 * kPi)), less(angle, _mm256_setzero_pd())) : angle;
        }
        lookup(web, vertical, horizontal, value);
#pragma GCC unroll 4
        for (int h = 0; h < kVectors; ++h) {
            const V e = mul(mul(mul(intensity, value[h]), q[h].facing), q[h].r3);
            acc[h] = add(acc[h], limit<Limited>(l, j, q[h].d2, e));
        }
    }
}

template <bool Up>
PL_AVX2 void row(const KernelInput& in, const double* xs, std::size_t count, double y, double z, double* out) {
    const LightSet& u = *in.unlimited;
    const LightSet& l = *in.limited;
    const Normal n{all(in.nx), all(in.ny), all(in.nz)};
    for (std::size_t i = 0; i < count; i += kGroup) {
        // The last points of a row fill their vectors with copies of the last one.
        alignas(32) double x[kGroup];
        for (std::size_t k = 0; k < kGroup; ++k) x[k] = xs[i + k < count ? i + k : count - 1];
        Group g;
        g.y = all(y);
        g.z = all(z);
        V acc[kVectors];
        for (int h = 0; h < kVectors; ++h) {
            g.x[h] = _mm256_load_pd(x + 4 * h);
            acc[h] = _mm256_setzero_pd();
        }
        fromPoints<Up, false>(n, u.points, g, acc);
        fromSpots<Up, false>(n, u.spots, g, acc);
        fromWebs<Up, false>(n, u.webs, in.webs, g, acc);
        fromPoints<Up, true>(n, l.points, g, acc);
        fromSpots<Up, true>(n, l.spots, g, acc);
        fromWebs<Up, true>(n, l.webs, in.webs, g, acc);
        alignas(32) double e[kGroup];
        for (int h = 0; h < kVectors; ++h) _mm256_store_pd(e + 4 * h, add(acc[h], all(in.base)));
        for (std::size_t k = 0; k < kGroup && i + k < count; ++k) out[i + k] = e[k];
    }
}

}  // namespace

PL_AVX2 void avx2Row(const KernelInput& input, const double* xs, std::size_t count, double y, double z, double* out) {
    if (input.facingUp) {
        row<true>(input, xs, count, y, z, out);
    } else {
        row<false>(input, xs, count, y, z, out);
    }
}

}  // namespace plandor::illuminance

#endif
