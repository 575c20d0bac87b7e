#pragma once

// Scene A, 0 to 14.11 s: the waving logo over a white page and spiral arms of cubes.
void initOpeningScene();
void drawOpeningScene(float p);
void releaseOpeningScene();
