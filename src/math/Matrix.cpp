#include "math/Matrix.h"

#include <cmath>

#include "math/Trigonometry.h"

namespace {

// Element (row r, column c).
float& at(Mat4& m, int r, int c) { return m.m[static_cast<size_t>(4 * c + r)]; }

// sqrt of a single-precision sum, taken in double precision and rounded back, as C code
// calling sqrt() on a float expression does.
float sqrtOfFloat(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }

void normalizeInPlace(float v[3])
{
    const float r = sqrtOfFloat(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void crossInto(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Mat4 Mat4::identity() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.at(i, 0), ai1 = a.at(i, 1), ai2 = a.at(i, 2), ai3 = a.at(i, 3);
        for (int j = 0; j < 4; ++j)
            at(p, i, j) = ai0 * b.at(0, j) + ai1 * b.at(1, j) + ai2 * b.at(2, j) + ai3 * b.at(3, j);
    }
    return p;
}

void translate(Mat4& mat, float x, float y, float z)
{
    auto& m = mat.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void scale(Mat4& mat, float x, float y, float z)
{
    auto& m = mat.m;
    for (int k = 0; k < 4; ++k) {
        m[static_cast<size_t>(k)] *= x;
        m[static_cast<size_t>(4 + k)] *= y;
        m[static_cast<size_t>(8 + k)] *= z;
    }
}

void rotate(Mat4& mat, float degrees, float x, float y, float z)
{
    // The angle goes to radians in double precision, the sine and cosine in single.
    const float radians = static_cast<float>(degrees * M_PI / 180.0);
    const float s = trig::sin(radians), c = trig::cos(radians);
    Mat4 r = Mat4::identity();
    // A turn about one axis is written out directly, its direction's length ignored.
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 1, 1) = c;
        at(r, 0, 1) = z < 0.0f ? s : -s;
        at(r, 1, 0) = z < 0.0f ? -s : s;
    } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 2, 2) = c;
        at(r, 0, 2) = y < 0.0f ? -s : s;
        at(r, 2, 0) = y < 0.0f ? s : -s;
    } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
        at(r, 1, 1) = c;
        at(r, 2, 2) = c;
        at(r, 1, 2) = x < 0.0f ? s : -s;
        at(r, 2, 1) = x < 0.0f ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return;
        x /= length;
        y /= length;
        z /= length;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneC = 1.0f - c;
        at(r, 0, 0) = (oneC * xx) + c;
        at(r, 0, 1) = (oneC * xy) - zs;
        at(r, 0, 2) = (oneC * zx) + ys;
        at(r, 1, 0) = (oneC * xy) + zs;
        at(r, 1, 1) = (oneC * yy) + c;
        at(r, 1, 2) = (oneC * yz) - xs;
        at(r, 2, 0) = (oneC * zx) - ys;
        at(r, 2, 1) = (oneC * yz) + xs;
        at(r, 2, 2) = (oneC * zz) + c;
    }
    mat = mat * r;
}

void ortho(Mat4& mat, float left, float right, float bottom, float top, float near, float far)
{
    Mat4 o = Mat4::identity();
    at(o, 0, 0) = 2.0f / (right - left);
    at(o, 0, 3) = -(right + left) / (right - left);
    at(o, 1, 1) = 2.0f / (top - bottom);
    at(o, 1, 3) = -(top + bottom) / (top - bottom);
    at(o, 2, 2) = -2.0f / (far - near);
    at(o, 2, 3) = -(far + near) / (far - near);
    mat = mat * o;
}

void perspective(Mat4& mat, double fovy, double aspect, double near, double far)
{
    const double radians = fovy / 2 * 3.14159265358979323846 / 180;
    const double deltaZ = far - near;
    const double sine = trig::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = trig::cos(radians) / sine;
    Mat4 p = Mat4::identity();
    at(p, 0, 0) = static_cast<float>(cotangent / aspect);
    at(p, 1, 1) = static_cast<float>(cotangent);
    at(p, 2, 2) = static_cast<float>(-(far + near) / deltaZ);
    at(p, 3, 2) = -1.0f;
    at(p, 2, 3) = static_cast<float>(-2 * near * far / deltaZ);
    at(p, 3, 3) = 0.0f;
    mat = mat * p;
}

void lookAt(Mat4& mat, double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
            double upX, double upY, double upZ)
{
    float forward[3] = {static_cast<float>(centreX - eyeX), static_cast<float>(centreY - eyeY),
                        static_cast<float>(centreZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    normalizeInPlace(forward);
    crossInto(forward, up, side);
    normalizeInPlace(side);
    crossInto(side, forward, up);
    Mat4 v = Mat4::identity();
    for (int k = 0; k < 3; ++k) {
        at(v, 0, k) = side[k];
        at(v, 1, k) = up[k];
        at(v, 2, k) = -forward[k];
    }
    mat = mat * v;
    translate(mat, static_cast<float>(-eyeX), static_cast<float>(-eyeY), static_cast<float>(-eyeZ));
}

std::array<float, 4> transformPoint(const Mat4& mat, float x, float y, float z, float w)
{
    const auto& m = mat.m;
    return {m[0] * x + m[4] * y + m[8] * z + m[12] * w, m[1] * x + m[5] * y + m[9] * z + m[13] * w,
            m[2] * x + m[6] * y + m[10] * z + m[14] * w, m[3] * x + m[7] * y + m[11] * z + m[15] * w};
}

std::array<float, 9> normalMatrix(const Mat4& in)
{
    auto a = [&in](int r, int c) { return in.at(r, c); };
    // The determinant's terms summed by sign, which keeps the cancellation between them
    // in one subtraction.
    float positive = 0.0f, negative = 0.0f;
    for (const float t : {a(0, 0) * a(1, 1) * a(2, 2), a(1, 0) * a(2, 1) * a(0, 2), a(2, 0) * a(0, 1) * a(1, 2),
                          -a(2, 0) * a(1, 1) * a(0, 2), -a(1, 0) * a(0, 1) * a(2, 2), -a(0, 0) * a(2, 1) * a(1, 2)})
        (t >= 0.0f ? positive : negative) += t;
    float det = positive + negative;
    if (std::fabs(det) < 1e-25f) return {1, 0, 0, 0, 1, 0, 0, 0, 1};
    det = 1.0f / det;
    // The inverse, element (r, c) ...
    float inverse[3][3];
    inverse[0][0] = ((a(1, 1) * a(2, 2) - a(2, 1) * a(1, 2)) * det);
    inverse[0][1] = (-(a(0, 1) * a(2, 2) - a(2, 1) * a(0, 2)) * det);
    inverse[0][2] = ((a(0, 1) * a(1, 2) - a(1, 1) * a(0, 2)) * det);
    inverse[1][0] = (-(a(1, 0) * a(2, 2) - a(2, 0) * a(1, 2)) * det);
    inverse[1][1] = ((a(0, 0) * a(2, 2) - a(2, 0) * a(0, 2)) * det);
    inverse[1][2] = (-(a(0, 0) * a(1, 2) - a(1, 0) * a(0, 2)) * det);
    inverse[2][0] = ((a(1, 0) * a(2, 1) - a(2, 0) * a(1, 1)) * det);
    inverse[2][1] = (-(a(0, 0) * a(2, 1) - a(2, 0) * a(0, 1)) * det);
    inverse[2][2] = ((a(0, 0) * a(1, 1) - a(1, 0) * a(0, 1)) * det);
    // ... transposed, column-major: element (r, c) of the result is inverse[c][r], at [3c + r].
    std::array<float, 9> n;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) n[static_cast<size_t>(3 * c + r)] = inverse[c][r];
    return n;
}

void MatrixStack::push()
{
    if (depth_ + 1 >= kDepth) return;
    stack_[static_cast<size_t>(depth_ + 1)] = stack_[static_cast<size_t>(depth_)];
    ++depth_;
}

void MatrixStack::pop()
{
    if (depth_ > 0) --depth_;
}

void MatrixStack::reset()
{
    depth_ = 0;
    loadIdentity();
}
