#include "gfx/Random.h"

#include <cmath>
#include <cstdlib>

#include "gfx/Shaping.h"

namespace {
uint32_t randomSeed = kInitialRandomSeed;
}  // namespace

float noise1(int32_t n)
{
    // Wrap-around 32-bit arithmetic, done unsigned to keep it defined.
    uint32_t u = static_cast<uint32_t>(n);
    u ^= u << 13;
    const uint32_t k = (u * (u * u * 15731u + 789221u) + 1376312589u) & 0x7fffffffu;
    return 1.0f - static_cast<float>(k) * 9.313225746154785e-10f;
}

void setRandomSeed(uint32_t s) { randomSeed = s; }
uint32_t currentRandomSeed() { return randomSeed; }

float randomUnit()
{
    // A multiplicative congruential step in Schrage's form. The difference is left to
    // wrap modulo 2^32 instead of being corrected when negative: the sequence the
    // scenes were laid out with depends on it.
    constexpr uint32_t a = 1588635695u, q = 2u, r = 1117695901u;
    randomSeed = (randomSeed % q) * a - (randomSeed / q) * r;
    return static_cast<float>(static_cast<double>(randomSeed) / 4294967291.0);
}

float scaledDraw(int r, float x)
{
    return static_cast<float>(static_cast<float>(r % 32767) / 32767.0 * x);
}

int rand15()
{
    static_assert(RAND_MAX >= 32767);
    int bits = 0;
    for (int max = RAND_MAX; max > 32767; max >>= 1) ++bits;
    return std::rand() >> bits;
}

float randomScaled(float x) { return scaledDraw(rand15(), x); }

float randomRange(float a, float b)
{
    return static_cast<float>(a + static_cast<double>(randomScaled(b)) * (static_cast<double>(b) - a));
}

Vec3 randomOnSphere(float r)
{
    const float u1 = randomUnit();
    const float u2 = randomUnit();
    return sphericalPoint(r, kPi * u2, 2.0f * kPi * u1);
}

Vec3 randomAlongAngle(float r, float angle)
{
    const float r1 = randomScaled(r);
    const float r2 = randomScaled(r);
    return {static_cast<float>(r2 * std::cos(static_cast<double>(angle))),
            static_cast<float>(r1 * std::sin(static_cast<double>(angle))), 0.0f};
}

Vec3 randomInCube(float s)
{
    const float u1 = randomUnit();
    const float u2 = randomUnit();
    const float u3 = randomUnit();
    return {(u1 - 0.5f) * s, (u2 - 0.5f) * s, (u3 - 0.5f) * s};
}
