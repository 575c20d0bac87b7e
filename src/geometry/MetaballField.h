#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "math/Vec3.h"

// One sample of the field on the lattice.
struct LatticePoint {
    float value = 0.0f;  // rewritten by every evaluation
    Vec3 position;       // world units, fixed once built
};

// A cube of the lattice: its eight corner samples, 0-3 around the lower face (in y) from the
// lowest corner (i, j, k) through (i+1, j, k), (i+1, j, k+1), (i, j, k+1), then 4-7 above them.
struct LatticeCell {
    const LatticePoint* corners[8];
};

struct Metaball {
    Vec3 centre;
    float radius = 0.0f;  // at or below 0 the ball subtracts from the field
};

// Metaballs sampled on a fixed cubic lattice spanning about -9.63 to 10.37 on each axis.
// Cells point into `points`, so the field is built in place and never copied.
struct MetaballField {
    std::vector<LatticePoint> points;  // (cellsPerAxis + 1)^3, index (i * n + j) * n + k
    std::vector<LatticeCell> cells;    // cellsPerAxis^3, same index order
    std::vector<Metaball> balls;
    std::vector<uint8_t> below;  // polygoniseField's scratch: 1 for a sample below the iso level
    int32_t cellsPerAxis = 0;
    int32_t ballCount = 0;

    MetaballField() = default;
    MetaballField(const MetaballField&) = delete;
    MetaballField& operator=(const MetaballField&) = delete;
};

// Receives the surface one vertex at a time, three per triangle.
class SurfaceSink {
public:
    virtual void vertex(const Vec3& normal, const Vec3& point) = 0;

protected:
    ~SurfaceSink() = default;
};

// The field of 54 cells per axis and 10 balls, all at the origin with radius 0.
std::unique_ptr<MetaballField> buildMetaballField();
// Recomputes every sample: the sum over the balls of ±radius² / distance².
void evaluateMetaballField(MetaballField& field);
// Hands the triangles of one cell's piece of the surface where the field equals isoLevel
// to the sink, each vertex with its unit normal pointing away from the balls' centres.
void polygoniseCell(const MetaballField& field, const LatticeCell& cell, float isoLevel, SurfaceSink& sink);
// Every cell in storage order, as polygoniseCell would, skipping at once the cells whose
// corners all lie on one side of the level.
void polygoniseField(MetaballField& field, float isoLevel, SurfaceSink& sink);
