#pragma once

#include <cstddef>
#include <vector>

#include "Score.h"

// Where the instruments play into: the dry stereo mix and a send into the echo.
struct Mix {
    explicit Mix(size_t frames) : left(frames), right(frames), echoLeft(frames), echoRight(frames) {}
    std::vector<float> left, right;
    std::vector<float> echoLeft, echoRight;
};

// Renders one note of its instrument into the mix.
void render(const Note& note, Mix& mix);
