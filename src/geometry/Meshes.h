#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Gfx.h"
#include "math/Vec3.h"

// A mesh of vertex arrays: the cube with corner-direction normals and per-face texture
// coordinates that lit particles and lit boxes are made of.
struct VertexArrayMesh {
    int32_t indexCount = 0;
    int32_t vertexCount = 0;
    std::vector<float> positions;  // vertexCount × 3
    std::vector<float> normals;    // vertexCount × 3
    std::vector<float> texCoords;  // vertexCount × 2
    std::vector<uint32_t> indices; // triangles

    // A cube of half sizes sx, sy, sz: 24 vertices, 12 triangles.
    static VertexArrayMesh buildCube(float sx, float sy, float sz);
    // Its vertices for the drawing layer, with colour left to the draw.
    std::vector<Vertex> vertices() const;
};


// A cube with corners at ±s as triangles; colour, material and state are the caller's.
void drawCubeMesh(Gfx& g, const DrawState& state, float s);
// A solid cube of half size s at P, turned by angles.x then angles.y degrees, opaque and
// depth-tested, lit by light 0 when asked (else as the state says), under its glowing wire
// edges, smooth.
void drawLitBox(Gfx& g, const DrawState& state, float s, const Vec3& P, const Vec3& angles, bool coreOverDepth,
                bool lit, const Vec3& colour);

// A triangle mesh with 16-bit indices: the sphere that becomes Scene B's rock.
struct IndexedMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    int32_t vertexCount = 0;
    std::vector<uint16_t> indices;  // triangles
    int32_t indexCount = 0;

    // Stores it with the device: positions and normals (a draw's texture coordinate is its
    // position's x and y).
    Mesh store(Gfx& g) const;
};

// A UV sphere around the z axis: the poles, stacks − 1 rings of `slices` vertices, and
// 6 · slices · (stacks − 1) indices. Room is made for (stacks + 1) · slices vertices; the
// last ones stay at the origin, never indexed.
void buildSphere(IndexedMesh& mesh, float radius, int slices, int stacks);
// Pushes every vertex along its normal by amount × noise1(i + seed).
void displaceAlongNormals(IndexedMesh& mesh, float amount, int seed);
// Smooth normals again: the sum of the normalised face normals around each vertex, normalised.
void rebuildNormals(IndexedMesh& mesh);

// The rock: a sphere of radius 1.2314159 (24 × 24), roughened by 0.45 with seed 2598.
IndexedMesh buildDisplacedSphere();
