#include "scenes/StemScene.h"

void initStemScene() {}
void drawStemScene(float) {}
