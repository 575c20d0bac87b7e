#pragma once

#include <vector>

#include "VorbisWriter.h"

// A sine of the given frequency and amplitude, `seconds` long, on every channel, interleaved.
std::vector<float> sine(double frequency, double amplitude, double seconds, int channels, int rate);
