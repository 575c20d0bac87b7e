#pragma once

#include <string>
#include <vector>

// Writes interleaved float samples as a WAVE file of 32-bit IEEE floats, so that nothing is
// rounded or clipped (stems before the limiter may exceed full scale).
bool writeFloatWav(const std::string& path, const std::vector<float>& interleaved, int channels, int rate);
