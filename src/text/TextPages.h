#pragma once

// One of the four invitation pages (0 to 3) at its progress p, with the bitmap font bound.
void drawTextPage(float p, int page);
