#pragma once

// The floor shared by several scenes: a square grid that fades out towards its rim.
struct FloorGrid {};

extern FloorGrid* floorGrid;

void buildFloorGrid(FloorGrid& grid, int columns, int rows, float fadeExponent, float size, float height,
                    float textureScale);
