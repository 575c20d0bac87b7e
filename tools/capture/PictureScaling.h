#pragma once

#include "RgbPicture.h"

// Scales the whole of `source` into the `width` x `height` pixel rectangle of `target` whose
// top-left corner is at column `left`, row `top`, and which lies inside `target`, by area
// averaging: each pixel of the rectangle is the mean of the source over the area it covers,
// source pixels it covers in part counted for that part. The ratios need not be whole numbers
// nor the same across and down; a uniform source gives the same colour exactly.
void scaleInto(const RgbPicture& source, RgbPicture& target, int left, int top, int width, int height);
