#pragma once

#include <array>
#include <cstddef>

// A 4 x 4 matrix of floats, column-major as GL lays matrices out: element (row r, column c)
// at m[4c + r]. Every operation works each element out as GL's own matrix code does (each sum
// from the left, in single precision, the same products in the same order), so that what is
// drawn with these matrices lands on the pixels the GL's matrix stack put it on.
struct Mat4 {
    std::array<float, 16> m;

    static Mat4 identity();
    float at(int row, int column) const { return m[static_cast<std::size_t>(4 * column + row)]; }
    bool operator==(const Mat4&) const = default;
};

// a · b.
Mat4 operator*(const Mat4& a, const Mat4& b);

// Each of these applies a transform after those already in m, as seen from the vertex
// (m = m · T), the way the scenes compose their transforms.
void translate(Mat4& m, float x, float y, float z);
void scale(Mat4& m, float x, float y, float z);
// A turn of `degrees` about the axis (x, y, z), counter-clockwise looking down the axis
// towards the origin; an axis shorter than 1e-4 leaves m as it is.
void rotate(Mat4& m, float degrees, float x, float y, float z);
// The box left..right, bottom..top, −near..−far mapped onto the clip cube.
void ortho(Mat4& m, float left, float right, float bottom, float top, float near, float far);
// A perspective projection: vertical field of view fovy in degrees, aspect width / height,
// near and far planes. Worked out in double precision, then rounded to floats. Nothing
// changes when the planes coincide or the field or aspect is zero.
void perspective(Mat4& m, double fovy, double aspect, double near, double far);
// The camera at eye looking at centre, its up towards up: the axes in single precision, then
// the eye moved to the origin.
void lookAt(Mat4& m, double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
            double upX, double upY, double upZ);

// m · (x, y, z, w).
std::array<float, 4> transformPoint(const Mat4& m, float x, float y, float z, float w);
// The inverse transpose of m's upper-left 3 x 3, column-major (element (r, c) at [3c + r]):
// what turns normals into the eye's frame, their length scaled as m scales. A singular m
// gives the identity.
std::array<float, 9> normalMatrix(const Mat4& m);

// A stack of matrices with a current one on top, as the scenes push and pop them. It holds
// up to 32; a push beyond that and a pop of the last one change nothing.
class MatrixStack {
public:
    static constexpr int kDepth = 32;

    const Mat4& top() const { return stack_[static_cast<std::size_t>(depth_)]; }
    Mat4& top() { return stack_[static_cast<std::size_t>(depth_)]; }
    void push();
    void pop();
    void loadIdentity() { top() = Mat4::identity(); }
    // Back to one identity matrix.
    void reset();

    void translate(float x, float y, float z) { ::translate(top(), x, y, z); }
    void scale(float x, float y, float z) { ::scale(top(), x, y, z); }
    void rotate(float degrees, float x, float y, float z) { ::rotate(top(), degrees, x, y, z); }

private:
    std::array<Mat4, kDepth> stack_{Mat4::identity()};
    int depth_ = 0;
};
