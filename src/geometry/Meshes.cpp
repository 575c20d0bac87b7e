#include "geometry/Meshes.h"

void buildDisplacedSphere() {}
void releaseDisplacedSphere() {}
