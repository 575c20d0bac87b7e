#include "geometry/Shapes.h"

#include <cmath>

#include "math/Trigonometry.h"

namespace {

const Vec3 octahedronVertices[6] = {{1, 0, 0}, {0, -1, 0}, {-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}};
const int octahedronFaces[8 * 3] = {4, 0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 5, 1, 0, 5, 2, 1, 5, 3, 2, 5, 0, 3};

const Vec3 cubeVertices[8] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                              {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
const int cubeFaces[6 * 4] = {0, 1, 2, 3, 5, 4, 7, 6, 6, 2, 1, 5, 3, 7, 4, 0, 7, 3, 2, 6, 5, 1, 0, 4};

constexpr float a = 0.52573f, b = 0.85065f;
const Vec3 icosahedronVertices[12] = {{0, -a, b}, {b, 0, a},  {b, 0, -a}, {-b, 0, -a}, {-b, 0, a},  {-a, b, 0},
                                      {a, b, 0},  {a, -b, 0}, {-a, -b, 0}, {0, -a, -b}, {0, a, -b}, {0, a, b}};
const int icosahedronFaces[20 * 3] = {6, 2, 1, 2, 7,  1, 5, 4, 3, 8, 3, 4, 11, 5, 6, 10, 6, 5, 2, 10,
                                      9, 3, 9, 10, 9, 8, 7, 0, 7, 8, 1, 0, 11, 4, 11, 0, 10, 2, 6, 11,
                                      6, 1, 10, 5, 3, 11, 4, 5, 9, 7, 2, 0, 1,  7, 8, 9, 3,  0, 8, 4};

constexpr float c = 0.57735f, d = 0.93417f, e = 0.35682f;
const Vec3 dodecahedronVertices[20] = {{-c, -c, c}, {d, e, 0},   {d, -e, 0}, {-d, e, 0},  {-d, -e, 0},
                                       {0, d, e},   {0, d, -e},  {e, 0, -d}, {-e, 0, -d}, {0, -d, -e},
                                       {0, -d, e},  {e, 0, d},   {-e, 0, d}, {c, c, -c},  {c, c, c},
                                       {-c, c, -c}, {-c, c, c},  {c, -c, -c}, {c, -c, c}, {-c, -c, -c}};
const int dodecahedronFaces[12 * 5] = {1, 2,  18, 11, 14, 1,  13, 7,  17, 2,  3,  4,  19, 8,  15,
                                       3, 16, 12, 0,  4,  3,  15, 6,  5,  16, 1,  14, 5,  6,  13,
                                       2, 17, 9,  10, 18, 4,  0,  10, 9,  19, 7,  8,  19, 9,  17,
                                       6, 15, 8,  7,  13, 5,  14, 11, 12, 16, 10, 0,  12, 11, 18};

// Triangles and quads go as one primitive; polygons one per face.
void drawSolid(Gfx& g, const DrawState& state, const Polyhedron& solid, Primitive primitive, float scale)
{
    g.modelView.scale(scale, scale, scale);
    const bool perFace = primitive == Primitive::Polygon;
    if (!perFace) g.begin(primitive, state);
    for (int f = 0; f < solid.faceCount; ++f) {
        if (perFace) g.begin(primitive, state);
        const Vec3 n = faceNormal(solid, f);
        g.normal(n.x, n.y, n.z);
        for (int k = 0; k < solid.cornersPerFace; ++k) g.vertex(solid.vertices[solid.faces[f * solid.cornersPerFace + k]]);
        if (perFace) g.end();
    }
    if (!perFace) g.end();
}

}  // namespace

const Polyhedron kOctahedron{octahedronVertices, octahedronFaces, 8, 3};
const Polyhedron kCube{cubeVertices, cubeFaces, 6, 4};
const Polyhedron kIcosahedron{icosahedronVertices, icosahedronFaces, 20, 3};
const Polyhedron kDodecahedron{dodecahedronVertices, dodecahedronFaces, 12, 5};

Vec3 faceNormal(const Polyhedron& solid, int face)
{
    const int* f = solid.faces + face * solid.cornersPerFace;
    const Vec3& A = solid.vertices[f[0]];
    const Vec3& B = solid.vertices[f[1]];
    const Vec3& C = solid.vertices[f[2]];
    Vec3 n = cross(C - A, B - A);
    return normalize(n);
}

void drawOctahedron(Gfx& g, const DrawState& state, float scale)
{
    drawSolid(g, state, kOctahedron, Primitive::Triangles, scale);
}
void drawCube(Gfx& g, const DrawState& state, float scale) { drawSolid(g, state, kCube, Primitive::Quads, scale); }
void drawIcosahedron(Gfx& g, const DrawState& state, float scale)
{
    drawSolid(g, state, kIcosahedron, Primitive::Triangles, scale);
}
void drawDodecahedron(Gfx& g, const DrawState& state, float scale)
{
    drawSolid(g, state, kDodecahedron, Primitive::Polygon, scale);
}

void drawGlowLine(Gfx& g, const DrawState& state, const Vec3& a, const Vec3& b, const Vec3& colour, float width,
                  float outerAlpha, float coreAlpha, bool coreOverDepth)
{
    DrawState line = state;
    line.blend = Blend::Additive;
    line.depthTest = true;
    line.depthWrite = false;
    line.lineWidth = width + 1.0f;
    g.colour(colour, outerAlpha);
    g.begin(Primitive::Lines, line);
    g.vertex(a);
    g.vertex(b);
    g.end();
    line.depthTest = !coreOverDepth;
    line.lineWidth = width;
    g.colour(1, 1, 1, coreAlpha);
    g.begin(Primitive::Lines, line);
    g.vertex(a);
    g.vertex(b);
    g.end();
}

void drawWireBox(Gfx& g, const DrawState& state, float h, bool coreOverDepth)
{
    if (!(h > 0)) return;
    const Vec3 grey(0.5f, 0.5f, 0.5f);
    // Each edge joins two corners that differ in one coordinate.
    for (int axis = 0; axis < 3; ++axis)
        for (int i = 0; i < 4; ++i) {
            float from[3], to[3];
            const float s1 = i & 1 ? h : -h, s2 = i & 2 ? h : -h;
            from[axis] = -h;
            to[axis] = h;
            from[(axis + 1) % 3] = to[(axis + 1) % 3] = s1;
            from[(axis + 2) % 3] = to[(axis + 2) % 3] = s2;
            drawGlowLine(g, state, {from[0], from[1], from[2]}, {to[0], to[1], to[2]}, grey, 1.0f, 1.0f, 0.1f,
                         coreOverDepth);
        }
}

void drawTexturedRect(Gfx& g, const DrawState& state, float left, float bottom, float right, float top)
{
    g.begin(Primitive::Quads, state);
    g.texCoord(0, 0);
    g.vertex(left, bottom, 0);
    g.texCoord(1, 0);
    g.vertex(right, bottom, 0);
    g.texCoord(1, 1);
    g.vertex(right, top, 0);
    g.texCoord(0, 1);
    g.vertex(left, top, 0);
    g.end();
}

void drawBillboard(Gfx& g, const DrawState& state, const Vec3& P, const Vec3& R, const Vec3& U, float s)
{
    g.begin(Primitive::Quads, state);
    g.texCoord(0, 0);
    g.vertex(P - R * s - U * s);
    g.texCoord(1, 0);
    g.vertex(P + R * s - U * s);
    g.texCoord(1, 1);
    g.vertex(P + R * s + U * s);
    g.texCoord(0, 1);
    g.vertex(P - R * s + U * s);
    g.end();
}

std::array<Vec3, 48> discRim(const Vec3& centre, float radius)
{
    std::array<Vec3, 48> rim;
    for (int i = 0; i < 48; ++i) {
        const double theta = i * 6.283184 / 47;
        rim[i] = centre + Vec3(static_cast<float>(radius * trig::sin(theta)),
                               static_cast<float>(radius * trig::cos(theta)), 0.0f);
    }
    return rim;
}

void drawDisc(Gfx& g, const DrawState& state, const Vec3& centre, float radius)
{
    g.begin(Primitive::Polygon, state);
    for (const Vec3& v : discRim(centre, radius)) g.vertex(v);
    g.end();
}

void drawCircle(Gfx& g, const DrawState& state, const Vec3& centre, float radius)
{
    g.begin(Primitive::LineLoop, state);
    for (const Vec3& v : discRim(centre, radius)) g.vertex(v);
    g.end();
}

void drawPanel(Gfx& g, const DrawState& state, const Vec3& P, const Vec3& angles, float w, float h, const Vec3& colour,
               float fillAlpha, float outlineAlpha)
{
    Mat3 m;
    m.rotation(angles.x, angles.y, angles.z);
    const Vec3 corners[4] = {m * Vec3(-w, -h, 0) + P, m * Vec3(w, -h, 0) + P, m * Vec3(w, h, 0) + P,
                             m * Vec3(-w, h, 0) + P};
    g.colour(colour, fillAlpha);
    g.begin(Primitive::Quads, state);
    for (const Vec3& v : corners) g.vertex(v);
    g.end();
    DrawState outline = state;
    if (outline.blend != Blend::Off) outline.blend = Blend::Additive;
    g.colour(colour, outlineAlpha);
    g.begin(Primitive::LineLoop, outline);
    for (const Vec3& v : corners) g.vertex(v);
    g.end();
}

void drawSpiral(Gfx& g, const DrawState& state, int count, float angleFrom, float angleTo, float r,
                const Vec3& colour, float alpha, float dr)
{
    DrawState line = state;
    line.texture = {};
    line.blend = Blend::Additive;
    g.colour(colour, alpha * 0.95f);
    g.begin(Primitive::LineStrip, line);
    for (int i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / count;
        const double phi = (t * angleTo + (1 - t) * angleFrom) * 3.0 + 0.27;
        g.vertex(static_cast<float>(trig::sin(phi) * r), 0.0f, static_cast<float>(trig::cos(phi) * r));
        r += dr;
    }
    g.end();
}
