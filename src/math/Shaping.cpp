#include "math/Shaping.h"

#include <cmath>

#include "math/Trigonometry.h"

float absf(float x) { return std::fabs(x); }

float clampf(float x, float lo, float hi)
{
    if (x < lo) return lo;
    if (x <= hi) return x;
    return hi;
}

float lerpClamped(float a, float b, float t)
{
    return static_cast<float>(a + static_cast<double>(clampf(t, 0.0f, 1.0f)) * (static_cast<double>(b) - a));
}

float linearStep(float x, float a, float b)
{
    if (x <= a) return 0.0f;
    if (x >= b) return 1.0f;
    return static_cast<float>((static_cast<double>(x) - a) / (static_cast<double>(b) - a));
}

float sinePulse(float x, float a, float b, float gain)
{
    if (!(a < x && x < b)) return 0.0f;
    const double phase = static_cast<double>(kPi) * (static_cast<double>(x) - a) / (static_cast<double>(b) - a);
    return clampf(static_cast<float>(trig::sin(phase) * gain), 0.0f, 1.0f);
}
