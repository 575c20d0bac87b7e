#include "scenes/RibbonScene.h"

void initRibbonScene() {}
void drawRibbonScene(float) {}
