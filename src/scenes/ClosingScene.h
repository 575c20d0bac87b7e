#pragma once

#include "gfx/GLHandle.h"
#include "gfx/Result.h"

// The closing picture on a white page, 145 to 207 s, under the invitation text pages.
class ClosingScene {
public:
    static Result<ClosingScene> load();
    void draw(float p) const;

private:
    Texture picture_;
};
