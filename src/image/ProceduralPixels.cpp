#include "image/ProceduralPixels.h"

#include <algorithm>
#include <cmath>

#include "math/Trigonometry.h"

ProceduralPixels::ProceduralPixels(int32_t w, int32_t h, const char* label)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0), name(label)
{
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
}

void ProceduralPixels::setColour(int x, int y, int r, int g, int b)
{
    uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
    p[0] = static_cast<uint8_t>(r);
    p[1] = static_cast<uint8_t>(g);
    p[2] = static_cast<uint8_t>(b);
    p[3] = 255;
}

namespace {

// A glow of the given radius around the texture's centre: 255 · ((radius − d) / radius)^power.
void fillGlow(ProceduralPixels& t, float centre, float scale, double power)
{
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) {
            const float d = static_cast<float>(std::sqrt((x - centre) * static_cast<double>(x - centre) +
                                                         (y - centre) * static_cast<double>(y - centre)));
            if (d > centre) {
                t.setGrey(x, y, 0);
                continue;
            }
            const float v = static_cast<float>((centre - d) * static_cast<double>(scale));
            const float shaped = static_cast<float>(std::pow(static_cast<double>(v), power));
            t.setGrey(x, y, static_cast<int>(255.0 * shaped));
        }
}

}  // namespace

void fillBigflare(ProceduralPixels& t) { fillGlow(t, 256.0f, 0.00390625f, 0.55); }

void fillFlare(ProceduralPixels& t) { fillGlow(t, 16.0f, 0.0625f, 3.0); }

void fillSurround(ProceduralPixels& t)
{
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) {
            const double u = (x - 256) * 0.001953125, w = (y - 256) * 0.001953125;
            const double s = std::fabs(trig::sin(u * 10 * 3.1415926) + trig::sin(w * 10 * 3.1415926)) * 82;
            t.setColour(x, y, std::min(255, static_cast<int>(s)), std::min(255, static_cast<int>(s)),
                        std::min(255, static_cast<int>(s + 20)));
        }
}

void fillCircle(ProceduralPixels& t)
{
    const int h = std::min(t.width, t.height) / 2;
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) {
            const double d = std::sqrt(static_cast<double>((h - x) * (h - x) + (h - y) * (h - y)));
            double v = 1.0 - std::fabs(d / h - 0.4f) / 0.7f;
            if (v < 0) v = 0;
            const float shaped = static_cast<float>(std::pow(v, 2.0));
            t.setGrey(x, y, std::min(255, static_cast<int>(255.0 * shaped)));
        }
}
