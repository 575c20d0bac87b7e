#pragma once

#include <cstdint>

// The value of pi used by every shaping function and scene: the float 3.141592,
// deliberately not the exact constant (the animations were tuned with it).
inline constexpr float kPi = 3.141592f;

float absf(float x);
// lo below lo, x up to and including hi, hi above.
float clampf(float x, float lo, float hi);
// a + clampf(t, 0, 1) * (b - a).
float lerpClamped(float a, float b, float t);
// 0 at or below a, 1 at or above b, linear between.
float linearStep(float x, float a, float b);
// Half a sine wave over the open interval (a, b), scaled by gain and clamped to [0, 1];
// 0 outside. A gain above 1 flattens the pulse at 1 in its middle.
float sinePulse(float x, float a, float b, float gain);
