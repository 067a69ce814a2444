// The inner loop on the AVX2 vector unit: eight points a light at a time, in two vectors of
// four, the same operations as the portable loop. Only the functions of this file use AVX2,
// each marked for it; the program chooses them at run time when the processor has it.
#include "illuminance/kernel.h"

#if defined(PL_ILLUMINANCE_AVX2)

#include <immintrin.h>

#include "illuminance/web_table.h"

#define PL_AVX2 __attribute__((target("avx2")))

namespace plandor::illuminance {
namespace {

using namespace kernel;
using V = __m256d;

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

/// The four doubles at base[index[i]]. (The masked form: the plain one leaves a register
/// the compiler sees as unset.)
PL_AVX2 inline V gather(const double* base, __m128i index) {
    const V every = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    return _mm256_mask_i32gather_pd(_mm256_setzero_pd(), base, index, every, 8);
}

PL_AVX2 inline V inverseSqrtV(V x) {
    const __m256i halfExponent = _mm256_srli_epi64(_mm256_castpd_si256(x), 1);
    V y = _mm256_castsi256_pd(
        _mm256_sub_epi64(_mm256_set1_epi64x(static_cast<long long>(kInverseSqrtMagic)), halfExponent));
    const V half = mul(all(0.5), x);
    for (int i = 0; i < kNewtonSteps; ++i) y = mul(y, sub(all(1.5), mul(half, mul(y, y))));
    return y;
}

PL_AVX2 inline V atan2DegreesV(V y, V x) {
    const V zero = _mm256_setzero_pd();
    const V ax = magnitude(x), ay = magnitude(y);
    const V swapped = greater(ay, ax);
    const V small = pick(ay, ax, swapped), large = pick(ax, ay, swapped);
    const V far = greater(small, mul(all(kTan15), large));
    const V num = pick(small, sub(mul(all(kSqrt3), small), large), far);
    V den = pick(large, add(small, mul(all(kSqrt3), large)), far);
    den = pick(den, all(1.0), _mm256_cmp_pd(den, zero, _CMP_EQ_OQ));
    const V z = _mm256_div_pd(num, den);
    const V w = mul(z, z);
    V p = all(kAtanSeries[kAtanTerms - 1]);
    for (int k = kAtanTerms - 2; k >= 0; --k) p = add(mul(p, w), all(kAtanSeries[k]));
    V a = mul(z, p);
    a = pick(a, add(a, all(kPi / 6.0)), far);
    a = pick(a, sub(all(kPi / 2.0), a), swapped);
    a = pick(a, sub(all(kPi), a), less(x, zero));
    a = pick(a, negated(a), less(y, zero));
    return mul(a, all(kDegreesPerRadian));
}

struct Points {
    V x, y, z;
};

struct Normal {
    V x, y, z;
};

struct PairV {
    V dx, dy, dz, d2, r, r3, facing;
};

template <bool Up>
PL_AVX2 inline PairV pairAt(const Normal& n, V lx, V ly, V lz, const Points& p) {
    PairV q;
    q.dx = sub(lx, p.x);
    q.dy = sub(ly, p.y);
    q.dz = sub(lz, p.z);
    q.d2 = add(add(mul(q.dx, q.dx), mul(q.dy, q.dy)), mul(q.dz, q.dz));
    const V bounded = smaller(larger(q.d2, all(kLeastSquare)), all(kMostSquare));
    q.r = inverseSqrtV(bounded);
    q.r3 = mul(mul(q.r, q.r), q.r);
    const V facing = Up ? q.dz : add(add(mul(n.x, q.dx), mul(n.y, q.dy)), mul(n.z, q.dz));
    q.facing = larger(facing, _mm256_setzero_pd());
    return q;
}

template <bool Limited>
PL_AVX2 inline V limit(const PointArrays& l, std::size_t j, const PairV& q, V e) {
    if constexpr (Limited) {
        const V in = _mm256_and_pd(atLeast(q.d2, all(l.start2[j])), atMost(q.d2, all(l.end2[j])));
        return _mm256_and_pd(e, in);
    }
    return e;
}

template <bool Up, bool Limited>
PL_AVX2 inline void fromPoints(const Normal& n, const PointArrays& l, const Points (&p)[2], V (&acc)[2]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const V lx = all(l.x[j]), ly = all(l.y[j]), lz = all(l.z[j]), intensity = all(l.intensity[j]);
        for (int h = 0; h < 2; ++h) {
            const PairV q = pairAt<Up>(n, lx, ly, lz, p[h]);
            acc[h] = add(acc[h], limit<Limited>(l, j, q, mul(mul(intensity, q.facing), q.r3)));
        }
    }
}

template <bool Up, bool Limited>
PL_AVX2 inline void fromSpots(const Normal& n, const SpotArrays& l, const Points (&p)[2], V (&acc)[2]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const V lx = all(l.x[j]), ly = all(l.y[j]), lz = all(l.z[j]), intensity = all(l.intensity[j]);
        const V ax = all(l.nax[j]), ay = all(l.nay[j]), az = all(l.naz[j]);
        const V cosFalloff = all(l.cosFalloff[j]), rampScale = all(l.rampScale[j]), cosHotspot = all(l.cosHotspot[j]);
        for (int h = 0; h < 2; ++h) {
            const PairV q = pairAt<Up>(n, lx, ly, lz, p[h]);
            const V c = mul(add(add(mul(ax, q.dx), mul(ay, q.dy)), mul(az, q.dz)), q.r);
            V ramp = mul(sub(c, cosFalloff), rampScale);
            ramp = smaller(larger(ramp, _mm256_setzero_pd()), all(1.0));
            const V factor = pick(ramp, all(1.0), atLeast(c, cosHotspot));
            acc[h] = add(acc[h], limit<Limited>(l, j, q, mul(mul(mul(intensity, factor), q.facing), q.r3)));
        }
    }
}

/// Where a lane lies on an even axis: the interval's index, the fraction, and whether it is on the axis.
struct Place {
    __m128i index;
    V t, on;
};

PL_AVX2 inline Place placeOn(V angle, double first, double inverseStep, double last) {
    V u = mul(sub(angle, all(first)), all(inverseStep));
    const V on = _mm256_and_pd(atLeast(u, all(-kAxisTolerance)), atMost(u, all(last + kAxisTolerance)));
    u = smaller(larger(u, _mm256_setzero_pd()), all(last));
    const V f = smaller(_mm256_floor_pd(u), all(last - 1.0));
    return {_mm256_cvttpd_epi32(f), sub(u, f), on};
}

PL_AVX2 inline V lookup(const WebLookup& web, V vertical, V horizontal) {
    if (!web.even) {
        alignas(32) double v[4], h[4], out[4];
        _mm256_store_pd(v, vertical);
        _mm256_store_pd(h, horizontal);
        for (int i = 0; i < 4; ++i) out[i] = web.table->at(v[i], h[i]);
        return _mm256_load_pd(out);
    }
    const Place pv = placeOn(vertical, web.vFirst, web.vInverseStep, web.vLast);
    const Place ph = placeOn(horizontal, web.hFirst, web.hInverseStep, web.hLast);
    const __m128i index = _mm_add_epi32(_mm_mullo_epi32(ph.index, _mm_set1_epi32(web.verticalCount)), pv.index);
    const double* row = web.relative;
    const double* next = web.relative + web.verticalCount;
    const V a = gather(row, index), b = gather(row + 1, index);
    const V c = gather(next, index), d = gather(next + 1, index);
    const V lo = add(a, mul(pv.t, sub(b, a)));
    const V hi = add(c, mul(pv.t, sub(d, c)));
    return _mm256_and_pd(add(lo, mul(ph.t, sub(hi, lo))), _mm256_and_pd(pv.on, ph.on));
}

PL_AVX2 inline void webAnglesV(int type, V x, V y, V z, V& vertical, V& horizontal) {
    switch (type) {
        case 2:  // B
            vertical = atan2DegreesV(y, negated(z));
            horizontal = atan2DegreesV(x, _mm256_sqrt_pd(add(mul(y, y), mul(z, z))));
            return;
        case 3:  // A
            vertical = atan2DegreesV(y, _mm256_sqrt_pd(add(mul(x, x), mul(z, z))));
            horizontal = atan2DegreesV(x, negated(z));
            return;
        default: {  // C
            vertical = atan2DegreesV(_mm256_sqrt_pd(add(mul(x, x), mul(y, y))), negated(z));
            const V h = atan2DegreesV(y, x);
            horizontal = pick(h, add(h, all(360.0)), less(h, _mm256_setzero_pd()));
            return;
        }
    }
}

template <bool Up, bool Limited>
PL_AVX2 inline void fromWebs(const Normal& n, const WebArrays& l, const WebLookup* webs, const Points (&p)[2],
                             V (&acc)[2]) {
    for (std::size_t j = 0; j < l.size(); ++j) {
        const V lx = all(l.x[j]), ly = all(l.y[j]), lz = all(l.z[j]), intensity = all(l.intensity[j]);
        V f[9];
        for (int k = 0; k < 9; ++k) f[k] = all(l.frame[k][j]);
        const WebLookup& web = webs[l.table[j]];
        for (int h = 0; h < 2; ++h) {
            const PairV q = pairAt<Up>(n, lx, ly, lz, p[h]);
            const V x = add(add(mul(f[0], q.dx), mul(f[1], q.dy)), mul(f[2], q.dz));
            const V y = add(add(mul(f[3], q.dx), mul(f[4], q.dy)), mul(f[5], q.dz));
            const V z = add(add(mul(f[6], q.dx), mul(f[7], q.dy)), mul(f[8], q.dz));
            V vertical, horizontal;
            webAnglesV(web.type, x, y, z, vertical, horizontal);
            const V value = lookup(web, vertical, horizontal);
            acc[h] = add(acc[h], limit<Limited>(l, j, q, mul(mul(mul(intensity, value), q.facing), q.r3)));
        }
    }
}

template <bool Up>
PL_AVX2 void row(const KernelInput& in, const double* xs, std::size_t count, double y, double z, double* out) {
    const LightSet& u = *in.unlimited;
    const LightSet& l = *in.limited;
    const Normal n{all(in.nx), all(in.ny), all(in.nz)};
    for (std::size_t i = 0; i < count; i += 8) {
        // The last points of a row fill their vectors with copies of the last one.
        alignas(32) double x[8];
        for (std::size_t k = 0; k < 8; ++k) x[k] = xs[i + k < count ? i + k : count - 1];
        const Points p[2] = {{_mm256_load_pd(x), all(y), all(z)}, {_mm256_load_pd(x + 4), all(y), all(z)}};
        V acc[2] = {_mm256_setzero_pd(), _mm256_setzero_pd()};
        fromPoints<Up, false>(n, u.points, p, acc);
        fromSpots<Up, false>(n, u.spots, p, acc);
        fromWebs<Up, false>(n, u.webs, in.webs, p, acc);
        fromPoints<Up, true>(n, l.points, p, acc);
        fromSpots<Up, true>(n, l.spots, p, acc);
        fromWebs<Up, true>(n, l.webs, in.webs, p, acc);
        alignas(32) double e[8];
        _mm256_store_pd(e, add(acc[0], all(in.base)));
        _mm256_store_pd(e + 4, add(acc[1], all(in.base)));
        for (std::size_t k = 0; k < 8 && i + k < count; ++k) out[i + k] = e[k];
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
