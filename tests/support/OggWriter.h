#pragma once

#include <string>
#include <vector>

// Encodes interleaved float samples as an Ogg Vorbis file (quality 0.6, about 160 kbit/s
// for stereo at 44100 Hz). For tests and benchmarks that need music of a known shape.
bool writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels, int rate);

// A sine of the given frequency and amplitude, `seconds` long, on every channel.
std::vector<float> sine(double frequency, double amplitude, double seconds, int channels, int rate);
