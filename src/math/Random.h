#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "math/Vec3.h"

// Integer-hash noise of a 32-bit integer, in (-1, 1].
float noise1(int32_t n);

// The seed the program's own generator starts from.
inline constexpr uint32_t kInitialRandomSeed = 93186752u;
inline constexpr int32_t kLibraryRandMax = 2147483647;

// The intro's two random generators, part of its state:
// - the one its formulas call the C library's: an additive feedback generator over 31 words
//   (r[i] = r[i − 3] + r[i − 31] mod 2^32, each draw r[i] >> 1), its state made from the seed by
//   a multiplicative congruential step and 310 draws thrown away. It is the generator Linux's
//   rand() is, here on every platform, so that every build draws the same particles. Unseeded
//   it draws as seeded 1, as a C program that never calls srand;
// - the program's own: an unsigned 32-bit seed, advanced on every draw.
// A new one draws as a new process does; copies draw on independently.
class Random {
public:
    Random();

    void seedLibrary(uint32_t seed);
    // The next draw of the library generator, 0 to kLibraryRandMax.
    int32_t library();
    // One library draw reduced to 0 to 32767, the range the intro's formulas are written for:
    // its top 15 bits.
    int rand15();
    // x * u for one draw r of rand15(), with u = (r mod 32767) / 32767.
    float scaled(float x);
    // a + scaled(b) * (b - a); with a = 0, as every caller passes, that is u * b * b.
    float range(float a, float b);
    // (R2 cos angle, R1 sin angle, 0) with two draws of scaled(r), R1 drawn first.
    Vec3 alongAngle(float r, float angle);

    void setSeed(uint32_t s) { seed_ = s; }
    uint32_t seed() const { return seed_; }
    // Next value of the program's own generator, about uniform in [0, 1]; the rounding to
    // float can give exactly 1.
    float unit();
    // A point at distance r from the origin; the points gather at the poles.
    Vec3 onSphere(float r);
    // A point of the axis-aligned cube of side s centred on the origin.
    Vec3 inCube(float s);

private:
    // The 31 words of the library generator and the two taps into them: `front_` runs three
    // words ahead of `rear_`, both wrapping around.
    std::array<uint32_t, 31> words_{};
    size_t front_ = 3;
    size_t rear_ = 0;
    uint32_t seed_ = kInitialRandomSeed;
};

// scaled() for a given draw r: 0 for both r = 0 and r = 32767, never x itself.
float scaledDraw(int r, float x);
