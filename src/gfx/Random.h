#pragma once

#include <cstdint>

#include "gfx/Vec3.h"

// Integer-hash noise of a 32-bit integer, in (-1, 1].
float noise1(int32_t n);

// The program's own generator: one global unsigned 32-bit seed, advanced on every draw.
inline constexpr uint32_t kInitialRandomSeed = 93186752u;
void setRandomSeed(uint32_t s);
uint32_t currentRandomSeed();
// Next value of the program's own generator, about uniform in [0, 1]; the rounding to
// float can give exactly 1.
float randomUnit();
// The generator the intro's formulas call the C library's: an additive feedback generator
// over 31 words (r[i] = r[i − 3] + r[i − 31] mod 2^32, each draw r[i] >> 1), its state made
// from the seed by a multiplicative congruential step and 310 draws thrown away. It is the
// generator Linux's rand() is, here on every platform, so that every build draws the same
// particles. Unseeded it draws as seeded 1, as a C program that never calls srand.
inline constexpr int32_t kLibraryRandMax = 2147483647;
void seedLibraryRandom(uint32_t seed);
// The next draw, 0 to kLibraryRandMax.
int32_t libraryRandom();
// One draw of that generator reduced to 0 to 32767, the range the intro's formulas are
// written for: its top 15 bits.
int rand15();
// x * u for one draw r of rand15(), with u = (r mod 32767) / 32767.
float randomScaled(float x);
// randomScaled for a given draw r: 0 for both r = 0 and r = 32767, never x itself.
float scaledDraw(int r, float x);
// a + randomScaled(b) * (b - a); with a = 0, as every caller passes, that is u * b * b.
float randomRange(float a, float b);
// A point at distance r from the origin; the points gather at the poles.
Vec3 randomOnSphere(float r);
// (R2 cos angle, R1 sin angle, 0) with two draws of randomScaled(r), R1 drawn first.
Vec3 randomAlongAngle(float r, float angle);
// A point of the axis-aligned cube of side s centred on the origin.
Vec3 randomInCube(float s);
