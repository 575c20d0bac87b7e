#include "scenes/ClosingScene.h"

void initClosingScene() {}
void drawClosingScene(float) {}
void releaseClosingScene() {}
