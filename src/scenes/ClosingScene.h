#pragma once

#include <filesystem>

#include "core/Result.h"
#include "gfx/Gfx.h"

// The closing picture on a white page, 145 to 207 s, under the invitation text pages.
class ClosingScene {
public:
    // Its picture from the folder gfx.
    static Result<ClosingScene> load(Gfx& g, const std::filesystem::path& gfx);
    void draw(Gfx& g, float p) const;

private:
    Texture picture_;
};
