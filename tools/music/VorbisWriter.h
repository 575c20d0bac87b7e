#pragma once

#include <string>
#include <vector>

// Encodes interleaved float samples as an Ogg Vorbis file at the given quality (0 to 1;
// 0.5 gives about 160 kbit/s for stereo at 44100 Hz). The same samples always give the
// same bytes.
bool writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels, int rate,
                    float quality = 0.5f);
