#include "scenes/TwisterScene.h"

void loadTwisterScene() {}
void drawTwisterScene(float, int) {}
void releaseTwisterScene() {}
