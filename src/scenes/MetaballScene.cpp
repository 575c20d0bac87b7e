#include "scenes/MetaballScene.h"

void initMetaballScene() {}
void drawMetaballScene(float, bool) {}
void releaseMetaballScene() {}
