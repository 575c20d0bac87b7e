#pragma once

// Scene F, 115.36 to 145 s: the twisting column over the frozen ring of fire. The second
// argument of the draw is passed by the composition and not used.
void loadTwisterScene();
void drawTwisterScene(float p, int unused);
void releaseTwisterScene();
