#include "scenes/OpeningScene.h"

void initOpeningScene() {}
void drawOpeningScene(float) {}
void releaseOpeningScene() {}
