#include "math/Trigonometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace trig {
namespace {

// π/2 as three parts: the first two of 33 significant bits, so that n times either is exact
// for |n| < 2^20, and the rest rounded to double (119 bits of π/2 in all).
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// Below this |x|, sin x and tan x are x to the last bit (and keep the sign of zero).
constexpr double kTiny = 0x1p-27;
// Below this |x| the quadrant count n stays under 2^20.
constexpr double kExactReduction = 0x1p20 * 1.5707963267948966;

// x = n × π/2 + (hi + lo), |hi + lo| <= about π/4; the quadrant is n mod 4.
struct Reduced {
    double hi, lo;
    int quadrant;
};

Reduced reduce(double x)
{
    if (x > -0.78539816339744828 && x < 0.78539816339744828) return {x, 0.0, 0};
    // Rounded to the nearest integer, ties away from zero (the sum is exact at these sizes).
    const double n = x < 0 ? -static_cast<double>(static_cast<int64_t>(0.5 - x * kTwoOverPi))
                           : static_cast<double>(static_cast<int64_t>(0.5 + x * kTwoOverPi));
    // Sterbenz: x and n × kHalfPi1 are within a factor of two, so the difference is exact.
    const double a = x - n * kHalfPi1;
    const double b = n * kHalfPi2;
    // a − b as an unevaluated sum (Knuth's two-sum), then the last part taken off the tail.
    const double s = a - b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (-b - bb);
    const double tail = err - n * kHalfPi3;
    const double hi = s + tail;
    const double lo = tail - (hi - s);
    return {hi, lo, static_cast<int>(static_cast<int64_t>(n) & 3)};
}

// Beyond exact reduction: x brought below 2^20 × π/2 by the remainder of 2^18 × 2π (fmod is
// exact, the constant is not), then reduced as usual.
Reduced reduceLarge(double x)
{
    constexpr double kPeriods = 0x1p18 * 6.283185307179586;
    return reduce(std::fmod(x, kPeriods));
}

// sin(hi + lo) for |hi| <= π/4 + a little, lo a correction far below an ulp of hi: the
// Taylor series to x^21, whose remainder is below 2^-70 there.
double sinKernel(double hi, double lo)
{
    const double z = hi * hi;
    const double tail =
        z * (-1.0 / 5040 +
             z * (1.0 / 362880 +
                  z * (-1.0 / 39916800 +
                       z * (1.0 / 6227020800 +
                            z * (-1.0 / 1307674368000 +
                                 z * (1.0 / 355687428096000 +
                                      z * (-1.0 / 121645100408832000 +
                                           z * (1.0 / 51090942171709440000.0))))))));
    const double r = hi * z * z * (1.0 / 120 + tail);
    // hi + hi³ × (−1/6) + …, with the correction lo × cos(hi) ≈ lo × (1 − z/2).
    return hi + ((-1.0 / 6) * (hi * z) + (r + lo * (1 - 0.5 * z)));
}

// cos(hi + lo) likewise, to x^20: 1 − z/2 is taken apart so that its rounding is kept.
double cosKernel(double hi, double lo)
{
    const double z = hi * hi;
    const double poly =
        z * z *
        (1.0 / 24 +
         z * (-1.0 / 720 +
              z * (1.0 / 40320 +
                   z * (-1.0 / 3628800 +
                        z * (1.0 / 479001600 +
                             z * (-1.0 / 87178291200 +
                                  z * (1.0 / 20922789888000 +
                                       z * (-1.0 / 6402373705728000 +
                                            z * (1.0 / 2432902008176640000.0)))))))));
    // z/2 is the largest term after 1, so its rounding is taken into account too: hi² as an
    // exact sum z + zLow (Dekker's product, hi split into halves of 26 bits).
    const double split = hi * 134217729.0;
    const double top = split - (split - hi), bottom = hi - top;
    const double zLow = ((top * top - z) + 2 * top * bottom) + bottom * bottom;
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    return w + ((((1.0 - w) - half) - 0.5 * zLow) + (poly - hi * lo));
}

bool finite(double x) { return x - x == 0.0; }

Reduced reduced(double x)
{
    return x < kExactReduction && x > -kExactReduction ? reduce(x) : reduceLarge(x);
}

}  // namespace

double sin(double x)
{
    if (!finite(x)) return std::numeric_limits<double>::quiet_NaN();
    if (x > -kTiny && x < kTiny) return x;
    const Reduced r = reduced(x);
    switch (r.quadrant) {
    case 0: return sinKernel(r.hi, r.lo);
    case 1: return cosKernel(r.hi, r.lo);
    case 2: return -sinKernel(r.hi, r.lo);
    default: return -cosKernel(r.hi, r.lo);
    }
}

double cos(double x)
{
    if (!finite(x)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced r = reduced(x);
    switch (r.quadrant) {
    case 0: return cosKernel(r.hi, r.lo);
    case 1: return -sinKernel(r.hi, r.lo);
    case 2: return -cosKernel(r.hi, r.lo);
    default: return sinKernel(r.hi, r.lo);
    }
}

double tan(double x)
{
    if (!finite(x)) return std::numeric_limits<double>::quiet_NaN();
    if (x > -kTiny && x < kTiny) return x;
    const Reduced r = reduced(x);
    const double s = sinKernel(r.hi, r.lo), c = cosKernel(r.hi, r.lo);
    return r.quadrant & 1 ? -c / s : s / c;
}

float sin(float x) { return static_cast<float>(sin(static_cast<double>(x))); }
float cos(float x) { return static_cast<float>(cos(static_cast<double>(x))); }

}  // namespace trig
