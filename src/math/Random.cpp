#include "math/Random.h"

#include <cmath>

#include "math/Shaping.h"
#include "math/Trigonometry.h"

Random::Random() { seedLibrary(1); }

void Random::seedLibrary(uint32_t seed)
{
    // Seed 0 would fill the state with zeros; the seed's bits are taken as a signed word.
    auto word = static_cast<int32_t>(seed == 0 ? 1 : seed);
    words_[0] = static_cast<uint32_t>(word);
    for (size_t i = 1; i < words_.size(); ++i) {
        // 16807 · word mod (2^31 − 1), in Schrage's form so that nothing overflows 32 bits.
        const int32_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        words_[i] = static_cast<uint32_t>(word);
    }
    front_ = 3;
    rear_ = 0;
    for (int i = 0; i < 310; ++i) library();
}

int32_t Random::library()
{
    words_[front_] += words_[rear_];
    const auto result = static_cast<int32_t>(words_[front_] >> 1);
    front_ = (front_ + 1) % words_.size();
    rear_ = (rear_ + 1) % words_.size();
    return result;
}

float noise1(int32_t n)
{
    // Wrap-around 32-bit arithmetic, done unsigned to keep it defined.
    uint32_t u = static_cast<uint32_t>(n);
    u ^= u << 13;
    const uint32_t k = (u * (u * u * 15731u + 789221u) + 1376312589u) & 0x7fffffffu;
    return 1.0f - static_cast<float>(k) * 9.313225746154785e-10f;
}

float Random::unit()
{
    // A multiplicative congruential step in Schrage's form. The difference is left to
    // wrap modulo 2^32 instead of being corrected when negative: the sequence the
    // scenes were laid out with depends on it.
    constexpr uint32_t a = 1588635695u, q = 2u, r = 1117695901u;
    seed_ = (seed_ % q) * a - (seed_ / q) * r;
    return static_cast<float>(static_cast<double>(seed_) / 4294967291.0);
}

float scaledDraw(int r, float x)
{
    return static_cast<float>(static_cast<float>(r % 32767) / 32767.0 * x);
}

int Random::rand15() { return library() >> 16; }

float Random::scaled(float x) { return scaledDraw(rand15(), x); }

float Random::range(float a, float b)
{
    return static_cast<float>(a + static_cast<double>(scaled(b)) * (static_cast<double>(b) - a));
}

Vec3 Random::onSphere(float r)
{
    const float u1 = unit();
    const float u2 = unit();
    return sphericalPoint(r, kPi * u2, 2.0f * kPi * u1);
}

Vec3 Random::alongAngle(float r, float angle)
{
    const float r1 = scaled(r);
    const float r2 = scaled(r);
    return {static_cast<float>(r2 * trig::cos(static_cast<double>(angle))),
            static_cast<float>(r1 * trig::sin(static_cast<double>(angle))), 0.0f};
}

Vec3 Random::inCube(float s)
{
    const float u1 = unit();
    const float u2 = unit();
    const float u3 = unit();
    return {(u1 - 0.5f) * s, (u2 - 0.5f) * s, (u3 - 0.5f) * s};
}
