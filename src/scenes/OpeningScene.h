#pragma once

#include <filesystem>

#include "core/Result.h"
#include "gfx/Gfx.h"

// Scene A, 0 to 14.11 s: the logo in two layers over a white page (a wide background that
// waves like a flag and a square foreground), and from about 30 % on four spiral arms of
// small lit cubes that pop up one after another, twist about a common axis and shrink away.

// When cube group i grows, as progress: entry i is (0.3 + 0.005 i, 0.305 + 0.005 i),
// accumulated in floats.
using CubeWindows = float[121][2];
void fillCubeWindows(CubeWindows& windows);

class OpeningScene {
public:
    // Its pictures from the folder gfx.
    static Result<OpeningScene> load(Gfx& g, const std::filesystem::path& gfx);
    void draw(Gfx& g, float p) const;

private:
    Texture logoBackground_;
    Texture logoForeground_;
    CubeWindows cubeWindows_;
};
