#include "geometry/FloorGrid.h"

FloorGrid* floorGrid = nullptr;

void buildFloorGrid(FloorGrid&, int, int, float, float, float, float) {}
