#include "WavWriter.h"

#include <bit>
#include <cstdint>
#include <cstdio>

namespace {
void put32(FILE* file, uint32_t v)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(bytes, 1, 4, file);
}
void put16(FILE* file, uint16_t v)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    std::fwrite(bytes, 1, 2, file);
}
}  // namespace

bool writeFloatWav(const std::string& path, const std::vector<float>& interleaved, int channels, int rate)
{
    const uint64_t dataBytes = interleaved.size() * sizeof(float);
    if (dataBytes > 0xffffff00u - 64) return false;  // past what a WAVE file's sizes can say
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const uint16_t blockAlign = static_cast<uint16_t>(channels * sizeof(float));
    std::fwrite("RIFF", 1, 4, file);
    put32(file, static_cast<uint32_t>(4 + (8 + 18) + (8 + 4) + 8 + dataBytes));
    std::fwrite("WAVE", 1, 4, file);
    std::fwrite("fmt ", 1, 4, file);
    put32(file, 18);
    put16(file, 3);  // IEEE float
    put16(file, static_cast<uint16_t>(channels));
    put32(file, static_cast<uint32_t>(rate));
    put32(file, static_cast<uint32_t>(rate) * blockAlign);
    put16(file, blockAlign);
    put16(file, 32);
    put16(file, 0);
    std::fwrite("fact", 1, 4, file);
    put32(file, 4);
    put32(file, static_cast<uint32_t>(interleaved.size() / static_cast<size_t>(channels)));
    std::fwrite("data", 1, 4, file);
    put32(file, static_cast<uint32_t>(dataBytes));
    static_assert(std::endian::native == std::endian::little, "WAVE samples are little-endian");
    const bool written = std::fwrite(interleaved.data(), sizeof(float), interleaved.size(), file) == interleaved.size();
    return (std::fclose(file) == 0) && written;
}
