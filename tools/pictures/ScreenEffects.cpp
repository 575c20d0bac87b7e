// Two full-screen pictures. The overlay is multiplied over every finished frame: white in
// the middle, darkening gently into the corners, with faint scanlines. The flash is added
// over the whole screen as a soft radial glow that still covers the edges.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "Canvas.h"
#include "Pictures.h"

namespace {

// Writes every pixel from a function of its centre in [-1, 1]^2 giving grey level and alpha.
template <typename Shade>
void shadePixels(Canvas& canvas, Shade shade)
{
    canvas.eachPixel([&](uint32_t& pixel, int x, int y) {
        const double u = (x + 0.5) / canvas.width * 2 - 1, v = (y + 0.5) / canvas.height * 2 - 1;
        double r, g, b, a;
        shade(u, v, y, r, g, b, a);
        auto byte = [a](double c) { return static_cast<uint32_t>(std::lround(std::clamp(c * a, 0.0, 1.0) * 255)); };
        pixel = byte(1.0) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
    });
}

bool drawOverlay(const std::string& path)
{
    // 512 rows with a scanline every 4: stretched over 600 to 1080 screen lines, each
    // scanline spans about 5 to 8 pixels and the pattern does not alias.
    Canvas canvas(1024, 512);
    shadePixels(canvas, [](double u, double v, int y, double& r, double& g, double& b, double& a) {
        const double d2 = u * u + v * v;  // 2 in the corners
        const double vignette = 1.0 - 0.20 * d2 * d2 / 4.0;
        const double scanline = 1.0 - 0.035 * (0.5 + 0.5 * std::cos(y * M_PI / 2));
        r = g = b = vignette * scanline;
        a = 1.0;
    });
    return canvas.writePng(path);
}

bool drawFlash(const std::string& path)
{
    Canvas canvas(512, 512);
    shadePixels(canvas, [](double u, double v, int, double& r, double& g, double& b, double& a) {
        const double d = std::sqrt(u * u + v * v) / std::sqrt(2.0);  // 1 in the corners
        a = 1.0 - 0.45 * d * d;
        r = 1.0 - 0.15 * d;
        g = 1.0 - 0.07 * d;
        b = 1.0;
    });
    return canvas.writePng(path);
}

}  // namespace

bool drawScreenEffects(const std::string& dir)
{
    return drawOverlay(dir + "/overlay.png") && drawFlash(dir + "/flash.png");
}
