#include "gfx/Random.h"

#include <array>
#include <cmath>

#include "gfx/Shaping.h"
#include "gfx/Trigonometry.h"

namespace {

uint32_t randomSeed = kInitialRandomSeed;

// The 31 words of the library generator and the two taps into them: `front` runs three
// words ahead of `rear`, both wrapping around.
struct AdditiveState {
    std::array<uint32_t, 31> words;
    size_t front;
    size_t rear;
};

AdditiveState seeded(uint32_t seed)
{
    AdditiveState s{};
    // Seed 0 would fill the state with zeros; the seed's bits are taken as a signed word.
    auto word = static_cast<int32_t>(seed == 0 ? 1 : seed);
    s.words[0] = static_cast<uint32_t>(word);
    for (size_t i = 1; i < s.words.size(); ++i) {
        // 16807 · word mod (2^31 − 1), in Schrage's form so that nothing overflows 32 bits.
        const int32_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        s.words[i] = static_cast<uint32_t>(word);
    }
    s.front = 3;
    s.rear = 0;
    return s;
}

int32_t draw(AdditiveState& s)
{
    s.words[s.front] += s.words[s.rear];
    const auto result = static_cast<int32_t>(s.words[s.front] >> 1);
    s.front = (s.front + 1) % s.words.size();
    s.rear = (s.rear + 1) % s.words.size();
    return result;
}

AdditiveState warmedUp(uint32_t seed)
{
    AdditiveState s = seeded(seed);
    for (int i = 0; i < 310; ++i) draw(s);
    return s;
}

AdditiveState libraryState = warmedUp(1);

}  // namespace

void seedLibraryRandom(uint32_t seed) { libraryState = warmedUp(seed); }

int32_t libraryRandom() { return draw(libraryState); }

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

int rand15() { return libraryRandom() >> 16; }

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
    return {static_cast<float>(r2 * trig::cos(static_cast<double>(angle))),
            static_cast<float>(r1 * trig::sin(static_cast<double>(angle))), 0.0f};
}

Vec3 randomInCube(float s)
{
    const float u1 = randomUnit();
    const float u2 = randomUnit();
    const float u3 = randomUnit();
    return {(u1 - 0.5f) * s, (u2 - 0.5f) * s, (u3 - 0.5f) * s};
}
